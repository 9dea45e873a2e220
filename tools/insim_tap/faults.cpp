#include "tools/insim_tap/faults.h"

#include <charconv>

namespace insim_tap {
namespace {

// A whole number from 1 to `highest`, or nothing.
std::optional<long> whole(const std::string& text, long highest) {
    long value = 0;
    const char* end = text.data() + text.size();
    const auto [rest, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || rest != end || value < 1 || value > highest) {
        return std::nullopt;
    }
    return value;
}

constexpr long kLongestMs = 600000;
constexpr long kMostRecords = 1000000000;

}  // namespace

const char kFaultHelp[] =
    "Faults (--fault DIRECTION:KIND[=VALUE][@RECORD], repeatable; DIRECTION is\n"
    "to-program or to-simulator, RECORD counts that direction's records from 1):\n"
    "  to-program:latency=200       every record waits 200 ms (latency=200~50: and\n"
    "                               up to 50 ms more), in order\n"
    "  to-program:slice=3           every record goes in pieces of at most 3 bytes\n"
    "  to-simulator:stall=5000@4    nothing goes that way for 5 s before record 4\n"
    "  to-program:drop@10           record 10 is not relayed\n"
    "  to-simulator:cut@3           both connections close before record 3\n"
    "  to-program:reset@5           the program's connection is reset before\n"
    "                               record 5\n"
    "Each fault that fires is noted in the capture, once: # fault: ... What a\n"
    "fault holds goes before the end of its direction, and the capture counts\n"
    "every record that was not delivered.";

const char* direction_name(Direction direction) {
    return direction == Direction::kToProgram ? "to-program" : "to-simulator";
}

std::optional<Fault> parse_fault(const std::string& text, std::string& problem) {
    const auto fail = [&](const std::string& what) -> std::optional<Fault> {
        problem = "--fault " + text + ": " + what;
        return std::nullopt;
    };
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) {
        return fail("expected DIRECTION:KIND[=VALUE][@RECORD]");
    }
    Fault fault{};
    const std::string direction = text.substr(0, colon);
    if (direction == "to-program") {
        fault.direction = Direction::kToProgram;
    } else if (direction == "to-simulator") {
        fault.direction = Direction::kToSimulator;
    } else {
        return fail("unknown direction '" + direction + "': to-program or to-simulator");
    }
    std::string rest = text.substr(colon + 1);
    std::string record;
    if (const std::size_t at = rest.find('@'); at != std::string::npos) {
        record = rest.substr(at + 1);
        rest.erase(at);
    }
    std::string value;
    if (const std::size_t equals = rest.find('='); equals != std::string::npos) {
        value = rest.substr(equals + 1);
        rest.erase(equals);
    }
    const struct {
        const char* name;
        FaultKind kind;
        bool takes_value;
        bool takes_record;
    } kinds[] = {
        {"latency", FaultKind::kLatency, true, false}, {"slice", FaultKind::kSlice, true, false},
        {"stall", FaultKind::kStall, true, true},      {"drop", FaultKind::kDrop, false, true},
        {"cut", FaultKind::kCut, false, true},         {"reset", FaultKind::kReset, false, true},
    };
    for (const auto& kind : kinds) {
        if (rest != kind.name) {
            continue;
        }
        fault.kind = kind.kind;
        if (kind.takes_value && value.empty()) {
            return fail(rest + " needs =VALUE");
        }
        if (!kind.takes_value && !value.empty()) {
            return fail(rest + " takes no value");
        }
        if (kind.takes_record && record.empty()) {
            return fail(rest + " needs @RECORD");
        }
        if (!kind.takes_record && !record.empty()) {
            return fail(rest + " applies to every record and takes no @RECORD");
        }
        if (!record.empty()) {
            const auto number = whole(record, kMostRecords);
            if (!number) {
                return fail("the record needs a whole number from 1 to " +
                            std::to_string(kMostRecords) + ", not '" + record + "'");
            }
            fault.record = *number;
        }
        if (fault.kind == FaultKind::kLatency) {
            const std::size_t tilde = value.find('~');
            const auto ms = whole(value.substr(0, tilde), kLongestMs);
            const auto jitter = tilde == std::string::npos
                                    ? std::optional<long>(0)
                                    : whole(value.substr(tilde + 1), kLongestMs);
            if (!ms || !jitter) {
                return fail("latency needs MS or MS~JITTER, whole milliseconds from 1 to " +
                            std::to_string(kLongestMs) + ", not '" + value + "'");
            }
            fault.value = *ms;
            fault.jitter = *jitter;
        } else if (kind.takes_value) {
            const long highest = fault.kind == FaultKind::kSlice ? 1020 : kLongestMs;
            const auto number = whole(value, highest);
            if (!number) {
                return fail(rest + " needs a whole number from 1 to " + std::to_string(highest) +
                            ", not '" + value + "'");
            }
            fault.value = *number;
        }
        return fault;
    }
    return fail("unknown kind '" + rest + "': latency, slice, stall, drop, cut or reset");
}

}  // namespace insim_tap
