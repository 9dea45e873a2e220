#include "tools/insim_tap/capture_log.h"

#include <cstring>
#include <iostream>

#include "insim/records.h"
#include "tools/protocol/counted.h"

namespace insim_tap {
namespace {

constexpr std::chrono::seconds kFlushEvery(1);

char letter(capture::From from) {
    return static_cast<char>(from);
}

}  // namespace

CaptureLog::CaptureLog(asio::io_context& io, capture::Writer& writer, Clock::time_point connected)
    : writer_(writer), connected_(connected), flush_timer_(io) {}

long long CaptureLog::ms_now() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - connected_).count();
}

framing::RecordSplitter& CaptureLog::splitter(capture::From from) {
    return from == capture::From::kClient ? client_ : simulator_;
}

void CaptureLog::take(capture::From from, std::span<const uint8_t> bytes) {
    splitter(from).feed(bytes);
    if (from == capture::From::kSimulator && client_.unit() == framing::kUndecided) {
        // The simulator speaks only after the introduction: what it sends
        // before one is framed in bytes, as it comes.
        decide_unit(framing::kByteUnits);
        write_records(capture::From::kClient);
    }
    write_records(from);
}

// The program's introduction decides both directions' unit, which the
// capture says before its first record.
void CaptureLog::decide_unit(std::size_t unit) {
    if (client_.unit() == framing::kUndecided) {
        client_.set_unit(unit);
    }
    simulator_.set_unit(unit);
    if (!unit_written_) {
        unit_written_ = true;
        writer_.units(unit);
    }
}

void CaptureLog::write_records(capture::From from) {
    framing::RecordSplitter& records = splitter(from);
    const bool lost_before = records.lost();
    while (const auto record = records.next()) {
        if (from == capture::From::kClient) {
            if (!unit_written_) {
                decide_unit(client_.unit());
            }
            note_introduction(*record);
        }
        writer_.record(ms_now(), from, record->data(), record->size());
        ++records_;
    }
    if (records.lost() && !lost_before) {
        writer_.comment(std::string(1, letter(from)) +
                        ": a record of size 0 ends framing in this direction; the rest of it is "
                        "relayed but not logged");
    }
    if (from == capture::From::kClient && unit_written_) {
        write_records(capture::From::kSimulator);  // what waited for the unit
    }
    written();
}

void CaptureLog::note_introduction(std::span<const uint8_t> record) {
    if (introduction_seen_) {
        return;
    }
    introduction_seen_ = true;
    insim::IS_ISI isi{};
    if (record.size() == sizeof isi && record[1] == insim::ISP_ISI) {
        std::memcpy(&isi, record.data(), sizeof isi);
        if (isi.UDPPort != 0) {
            writer_.comment("the introduction names UDP port " + std::to_string(isi.UDPPort) +
                            ": the simulator sends datagrams straight to the program, so they "
                            "are not in this capture");
        }
    }
}

void CaptureLog::side_ended(capture::From from) {
    bool& noted = from == capture::From::kClient ? client_noted_ : simulator_noted_;
    if (noted) {
        return;
    }
    noted = true;
    if (client_.unit() == framing::kUndecided) {
        decide_unit(framing::kByteUnits);
        write_records(capture::From::kClient);
    }
    const framing::RecordSplitter& records = splitter(from);
    if (!records.lost() && !records.held().empty()) {
        const std::size_t held = records.held().size();
        writer_.comment(std::string(1, letter(from)) + ": the last " + sim::counted(held, "byte") +
                        (held == 1 ? " is" : " are") + " not a whole record");
        written();
    }
}

void CaptureLog::session_ended() {
    side_ended(capture::From::kClient);
    side_ended(capture::From::kSimulator);
}

void CaptureLog::comment(const std::string& text) {
    writer_.comment(text);
    written();
}

// A write error is told when it happens; the relay goes on regardless.
void CaptureLog::written() {
    if (!writer_.good()) {
        tell_failure();
        return;
    }
    if (flush_due_) {
        return;
    }
    flush_due_ = true;
    flush_timer_.expires_after(kFlushEvery);
    flush_timer_.async_wait([this](std::error_code error) {
        flush_due_ = false;
        if (!error && !writer_.flush()) {
            tell_failure();
        }
    });
}

void CaptureLog::tell_failure() {
    if (!failure_told_) {
        failure_told_ = true;
        std::cerr << "insim_tap: " << writer_.error()
                  << "; relaying goes on, and the capture will be incomplete" << std::endl;
    }
}

void CaptureLog::close() {
    flush_timer_.cancel();
    if (!writer_.flush()) {
        tell_failure();
    }
}

}  // namespace insim_tap
