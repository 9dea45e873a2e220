#include "tools/simulator/client_records.h"

#include <algorithm>
#include <cstring>
#include <sstream>

#include "tools/protocol/catalogue.h"
#include "tools/protocol/counted.h"
#include "tools/protocol/record_fields.h"
#include "tools/protocol/record_text.h"

namespace sim {
namespace {

constexpr std::size_t kButtonHeader = offsetof(insim::IS_BTN, Text);
constexpr uint8_t kLastClickId = 239;
constexpr uint8_t kLastButtonPlace = 200;  // L, T, W and H
constexpr std::size_t kMaxButtonText = 240;
// Reports remembered for buttons to come; a client that answers none must
// not make the list grow without end.
constexpr std::size_t kMaxUnanswered = 256;

// A zero-terminated text field, cut to its width.
std::string text_of(const char* field, std::size_t width) {
    return std::string(field, strnlen(field, width));
}

std::string metres(int32_t position) {
    return std::to_string(position / insim::kPositionUnit);
}

std::string joined(const std::vector<std::string>& parts) {
    std::string all;
    for (const std::string& part : parts) {
        all += (all.empty() ? "" : "; ") + part;
    }
    return all;
}

// The record's type as a person names it: IS_TINY, or type 70.
std::string type_name(uint8_t type) {
    const catalogue::Record* record = catalogue::find(type);
    return record != nullptr ? std::string(record->name) : "type " + std::to_string(type);
}

// What breaks the size rule of `record`'s type, whose length is a multiple
// of 4 and counts `unit` bytes a step of its size byte; empty when it
// keeps it. Buttons have limits of their own.
std::string broken_size_rule(const Bytes& record, std::size_t unit) {
    const catalogue::Record* type = catalogue::find(record[1]);
    if (type == nullptr || type->type == insim::ISP_BTN ||
        !catalogue::misfit(*type, record).has_value()) {
        return "";
    }
    // Counted in bytes, the size byte would have made a record of its type.
    const std::span<const uint8_t> in_bytes(record.data(), record.size() / unit);
    const bool counts_bytes = unit > 1 && in_bytes.size() >= catalogue::kSmallestRecord &&
                              !catalogue::misfit(*type, in_bytes).has_value();
    return "Size " + std::to_string(record.size()) + " bytes, where " + std::string(type->name) +
           " has " + catalogue::size_rule(*type) +
           (counts_bytes
                ? ": its size byte counts bytes, where this protocol version counts 4-byte units"
                : "");
}

// What breaks the rule that a text's unused bytes after its terminating 0
// are 0, in `record`, which keeps its type's size rule; empty when it keeps
// it. Such bytes from where a size byte that counts bytes would have ended
// the record are most likely the records after it, taken in: a record
// merged of several can keep its type's size rule.
std::string broken_text_end(const Bytes& record, std::size_t unit) {
    const catalogue::Record* type = catalogue::find(record[1]);
    const std::optional<catalogue::TextTail> tail =
        type != nullptr ? catalogue::text_tail(*type, record) : std::nullopt;
    if (!tail) {
        return "";
    }
    const bool counts_bytes = unit > 1 && tail->first >= record[0];
    return "Size " + std::to_string(record.size()) + " bytes, with bytes other than 0 after the " +
           "end of " + std::string(type->name) + "'s " + std::string(tail->field->name) +
           " (from byte " + std::to_string(tail->first) + ", where unused text bytes are 0)" +
           (counts_bytes ? ": its size byte probably counts bytes, where this protocol version "
                           "counts 4-byte units"
                         : "");
}

}  // namespace

std::vector<std::string> broken_limits(const Bytes& record, std::size_t unit) {
    std::vector<std::string> broken;
    // The record's length in bytes: its size byte where sizes count bytes,
    // four times it where they count 4-byte units (and are whole by then).
    const std::size_t size = record.size();
    if (size == 0 || record[0] == 0) {
        broken.push_back("Size 0, not a record size");
        return broken;
    }
    if (size % 4 != 0) {
        broken.push_back("Size " + std::to_string(size) + ", not a multiple of 4");
    }
    if (size < 2) {
        return broken;
    }
    if (size % 4 == 0) {
        std::string rule = broken_size_rule(record, unit);
        if (rule.empty()) {
            rule = broken_text_end(record, unit);
        }
        if (!rule.empty()) {
            broken.push_back(rule);
        }
    }
    if (record[1] != insim::ISP_BTN) {
        return broken;
    }
    if (record.size() < kButtonHeader) {
        broken.push_back("Size " + std::to_string(size) + ", shorter than the " +
                         std::to_string(kButtonHeader) + "-byte button header");
        return broken;
    }
    insim::IS_BTN button{};
    std::memcpy(&button, record.data(), kButtonHeader);
    if (button.ReqI == 0) {
        broken.push_back("ReqI 0, must not be 0");
    }
    if (button.ClickID > kLastClickId) {
        broken.push_back("ClickID " + std::to_string(button.ClickID) + ", over " +
                         std::to_string(kLastClickId));
    }
    const std::pair<const char*, uint8_t> places[] = {
        {"L", button.L}, {"T", button.T}, {"W", button.W}, {"H", button.H}};
    for (const auto& [name, value] : places) {
        if (value > kLastButtonPlace) {
            broken.push_back(std::string(name) + " " + std::to_string(value) + ", over " +
                             std::to_string(kLastButtonPlace));
        }
    }
    if (size - kButtonHeader > kMaxButtonText) {
        broken.push_back("text of " + std::to_string(size - kButtonHeader) + " bytes, over " +
                         std::to_string(kMaxButtonText));
    }
    return broken;
}

bool wants_reports(const insim::IS_ISI& isi) {
    return (isi.Flags & insim::ISF_MCI) != 0 && isi.Interval > 0;
}

std::string introduction_line(const insim::IS_ISI& isi, int simulator_version) {
    std::ostringstream line;
    // Node and lap reports come beside car reports, or instead of them.
    const bool node_laps =
        (isi.Flags & records::value_named("IS_ISI", "Flags", "ISF_NLP")) != 0 && isi.Interval > 0;
    const std::string reports = std::string(wants_reports(isi) ? "car reports" : "") +
                                (wants_reports(isi) && node_laps ? " and " : "") +
                                (node_laps ? "node and lap reports" : "");
    line << "client \"" << text_of(isi.IName, sizeof isi.IName) << "\" asks for: flags "
         << isi.Flags
         << (reports.empty() ? "" : " (" + reports + (isi.UDPPort != 0 ? " by datagram)" : ")"))
         << ", interval " << isi.Interval << " ms, prefix '" << static_cast<char>(isi.Prefix)
         << "', udp port " << isi.UDPPort << ", " << (isi.Admin[0] != 0 ? "with" : "no")
         << " admin password, protocol version " << static_cast<unsigned>(isi.Sp0) << " (served as "
         << served_version(isi.Sp0, simulator_version) << ")";
    return line.str();
}

void ClientRecords::report_sent(const Bytes& report) {
    const std::size_t x_at = offsetof(insim::IS_MCI, Info) + offsetof(insim::CompCar, X);
    if (report.size() < x_at + 2 * sizeof(int32_t) || report[1] != insim::ISP_MCI ||
        report[offsetof(insim::IS_MCI, NumC)] == 0) {
        return;
    }
    CarPosition first{};
    std::memcpy(&first.x, report.data() + x_at, sizeof first.x);
    std::memcpy(&first.y, report.data() + x_at + sizeof first.x, sizeof first.y);
    if (unanswered_.size() == kMaxUnanswered) {
        unanswered_.pop_front();
    }
    unanswered_.push_back(first);
}

ClientRecords::Seen ClientRecords::show(const Bytes& record) {
    const std::vector<std::string> broken = broken_limits(record, unit_);
    const uint8_t type = record.size() > 1 ? record[1] : 0;
    if (!broken.empty()) {
        if (type == insim::ISP_BTN) {
            err_ << "fake_lfs: the simulator would not show this button: " << joined(broken)
                 << std::endl;
        } else {
            err_ << "fake_lfs: the simulator would not accept this record (" << type_name(type)
                 << ", " << sim::counted(record.size(), "byte") << "): " << joined(broken)
                 << std::endl;
        }
    }
    if (type == insim::ISP_BTN && record.size() >= kButtonHeader) {
        if (!unanswered_.empty()) {
            last_answered_ = unanswered_.front();
            unanswered_.pop_front();
        }
        // The text as it travelled, up to its terminator or the record's end.
        const auto* text = reinterpret_cast<const char*>(record.data() + kButtonHeader);
        out_ << "button " << static_cast<unsigned>(record[offsetof(insim::IS_BTN, ClickID)])
             << " \"" << text_of(text, record.size() - kButtonHeader) << "\"  car at ("
             << metres(last_answered_.x) << ", " << metres(last_answered_.y) << ") m" << std::endl;
        return Seen::kRecord;
    }
    if (type == insim::ISP_ISI && record.size() == sizeof(insim::IS_ISI)) {
        insim::IS_ISI isi{};
        std::memcpy(&isi, record.data(), sizeof isi);
        out_ << introduction_line(isi) << std::endl;
        return Seen::kRecord;
    }
    if (type == insim::ISP_TINY && record.size() == sizeof(insim::IS_TINY)) {
        const uint8_t subtype = record[offsetof(insim::IS_TINY, SubT)];
        if (subtype == insim::TINY_NONE) {
            return Seen::kKeepAliveAnswer;
        }
        if (subtype == insim::TINY_CLOSE) {
            out_ << "close request; closing" << std::endl;
            return Seen::kCloseRequest;
        }
    }
    out_ << "record " << records::shown(record, unit_) << std::endl;
    return Seen::kRecord;
}

}  // namespace sim
