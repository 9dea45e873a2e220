#include "tools/fake_lfs/lap_program.h"

#include <asio/post.hpp>
#include <cstring>

#include "insim/records.h"
#include "tools/fake_lfs/car_reports.h"
#include "tools/fake_lfs/requests.h"
#include "tools/protocol/catalogue.h"
#include "tools/protocol/counted.h"
#include "tools/protocol/record_fields.h"
#include "tools/simulator/hostile_stream.h"

namespace fake_lfs {
namespace {

using std::chrono::milliseconds;

// How long a program may stay silent before its introduction is complete.
constexpr milliseconds kIntroductionSilence(5000);
// Pieces of garbage sent in one turn of the event loop.
constexpr int kPiecesATurn = 64;
// The largest piece of garbage, in bytes.
constexpr unsigned kLargestPiece = 64;

}  // namespace

LapProgram::LapProgram(asio::io_context& io, asio::ip::tcp::socket socket, const Options& options,
                       int number, Host& host, RaceContext& race)
    : Connection(io, std::move(socket), options, number, host),
      race_(race),
      introduction_timer_(io),
      keepalives_(io, options, err(),
                  {
                      .send = [this] { send_record(sim::tiny_record(insim::TINY_NONE)); },
                      .silent = [this] { finish(1); },
                      .unanswered = [this] { race_.unanswered_keepalive(); },
                  }),
      report_timer_(io),
      records_(out(), err()) {}

// Any bytes are a sign of life: they hold off the idle limit, or, before
// the introduction, its time-out, however the record is cut.
void LapProgram::heard() {
    if (introduced_) {
        keepalives_.heard();
    } else {
        await_introduction();
    }
}

void LapProgram::await_introduction() {
    introduction_timer_.expires_after(kIntroductionSilence);
    introduction_timer_.async_wait(held([this](std::error_code error) {
        if (!error && !introduced_ && !finished()) {
            err() << "fake_lfs: nothing came from the client for "
                  << kIntroductionSilence.count() / 1000 << " s before its introduction was whole"
                  << std::endl;
            finish(1);
        }
    }));
}

void LapProgram::received(const sim::Bytes& record) {
    if (!introduced_) {
        introduce(record);
        return;
    }
    if (options_.hostile > 0) {
        ++records_in_;
        return;
    }
    if (!sim::broken_limits(record, unit()).empty()) {
        race_.refused_record();
    }
    const sim::ClientRecords::Seen seen = records_.show(record);
    if (seen == sim::ClientRecords::Seen::kKeepAliveAnswer) {
        keepalives_.answered();
    } else if (seen == sim::ClientRecords::Seen::kCloseRequest) {
        finish(0);
        return;
    }
    buttons_.take(record);
    answer(record);
    race_.answered();
}

// A request's answer; a new report interval (0: none).
void LapProgram::answer(const sim::Bytes& record) {
    static const uint8_t kSmall = catalogue::find("IS_SMALL")->type;
    const auto now = Clock::now();
    if (const std::optional<Answer> answer = fake_lfs::answer(
            record, {options_, race_.session, race_.race, race_.events, now, version()})) {
        if (!answer->note.empty()) {
            err() << answer->note << std::endl;
        }
        race_.events.due(now);  // what happened before comes first
        send_records(answer->records);
    } else if (record[catalogue::kTypeAt] == kSmall && records::is_whole(record, "IS_SMALL") &&
               records::name_at(record, "SubT") == "SMALL_NLI") {
        const uint32_t interval = records::value_at(record, "UVal");
        if (interval == 0) {
            reporting_ = false;
            report_timer_.cancel();
        } else if (car_reports_ || node_reports_) {
            report_every(milliseconds(interval));
        }
    }
}

void LapProgram::program_gone() {
    err() << "fake_lfs: the client closed the connection" << std::endl;
    finish(1);
}

void LapProgram::stop_timers() {
    introduction_timer_.cancel();
    keepalives_.stop();
    report_timer_.cancel();
    reporting_ = false;
}

void LapProgram::sent_all() {
    if (options_.hostile > 0 && introduced_) {
        send_garbage();
    }
}

void LapProgram::introduce(const sim::Bytes& record) {
    introduction_timer_.cancel();
    insim::IS_ISI isi{};
    if (record.size() != sizeof isi || record[1] != insim::ISP_ISI) {
        err() << "fake_lfs: the client's first record is not a 44-byte introduction" << std::endl;
        finish(1);
        return;
    }
    std::memcpy(&isi, record.data(), sizeof isi);
    if (isi.IName[sizeof isi.IName - 1] != 0) {
        err() << "fake_lfs: the introduction's program name has no terminator" << std::endl;
        finish(1);
        return;
    }
    set_name(isi.IName);
    records_.set_unit(unit());
    udp_port_ = isi.UDPPort;
    prefix_ = isi.Prefix;
    car_reports_ = (isi.Flags & records::value_named("IS_ISI", "Flags", "ISF_MCI")) != 0;
    node_reports_ = (isi.Flags & records::value_named("IS_ISI", "Flags", "ISF_NLP")) != 0;
    interval_ = milliseconds(options_.interval_ms > 0 ? options_.interval_ms : isi.Interval);
    out() << sim::introduction_line(isi, static_cast<int>(options_.insim_version)) << std::endl;
    if (isi.ReqI != 0) {
        send_record(sim::version_record(options_.version.c_str(), static_cast<uint16_t>(version()),
                                        isi.ReqI));
        if (finished()) {
            return;  // the program went as it was answered: nothing may start now
        }
    }
    introduced_ = true;
    if (options_.hostile > 0) {
        std::mt19937 rng(static_cast<std::mt19937::result_type>(options_.seed));
        garbage_ = sim::hostile_records(rng, static_cast<std::size_t>(options_.hostile));
        rng_ = rng;
        send_garbage();
        return;
    }
    race_.introduced();
    keepalives_.start(weak_from_this());
    if ((car_reports_ || node_reports_) && isi.Interval > 0) {
        report_every(interval_);
    } else if (options_.interval_ms > 0 && !race_.race.started()) {
        // A program that asks for no reports starts the race at --interval.
        race_.race.start(Clock::now() + interval_, interval_);
    }
}

void LapProgram::report_every(milliseconds interval) {
    const auto now = Clock::now();
    if (race_.race.over_at(now)) {
        return;
    }
    interval_ = interval;
    next_report_ = now + interval_;
    race_.race.start(next_report_, interval_);
    reporting_ = true;
    report();
}

void LapProgram::tell(const std::vector<sim::Bytes>& records) {
    if (introduced_ && options_.hostile == 0) {
        send_records(records);
    }
}

void LapProgram::report() {
    report_timer_.expires_at(next_report_);
    report_timer_.async_wait(held([this](std::error_code error) {
        if (error || !reporting_) {
            return;
        }
        if (race_.race.over_at(next_report_)) {
            reporting_ = false;
            return;
        }
        if (send_reports(next_report_) && reporting_) {
            next_report_ += interval_;
            report();
        }
    }));
}

void LapProgram::race_over(Clock::time_point last_step) {
    while (reporting_ && next_report_ <= last_step) {
        if (!send_reports(next_report_)) {
            return;
        }
        next_report_ += interval_;
    }
    reporting_ = false;
    report_timer_.cancel();
}

// One interval's reports, back to back: on the stream in one send, or by
// datagram, one report each, to a program that named a UDP port, as the
// simulator does.
bool LapProgram::send_reports(Clock::time_point when) {
    race_.events.due(when);
    std::vector<sim::Bytes> reports;
    if (car_reports_) {
        reports = car_reports(race_.session, race_.race, when, version());
        for (const sim::Bytes& report : reports) {
            records_.report_sent(report);
        }
    }
    if (node_reports_) {
        if (sim::Bytes report = node_lap_report(race_.session, race_.race, when); !report.empty()) {
            reports.push_back(std::move(report));
        }
    }
    if (udp_port_ == 0) {
        send_records(reports);
        return true;
    }
    for (const sim::Bytes& report : reports) {
        std::error_code error;
        if (!race_.datagrams.send(sim::sized_for(report, version()), udp_port_, error)) {
            err() << "fake_lfs: cannot send a report by datagram to 127.0.0.1:" << udp_port_ << ": "
                  << error.message() << std::endl;
            finish(1);
            return false;
        }
    }
    return true;
}

// Sends the garbage in random pieces, each a write of its own, so that they
// reach the program as separate reads. A turn sends a few; the rest goes in
// later turns, or once what waits has drained, so that the program's
// records and the timers are served in between.
void LapProgram::send_garbage() {
    for (int piece = 0; piece < kPiecesATurn && !finished(); ++piece) {
        if (garbage_at_ == garbage_.size()) {
            out() << "hostile: sent " << sim::counted(options_.hostile, "record") << " ("
                  << sim::counted(garbage_.size(), "byte") << "), received "
                  << sim::counted(records_in_, "record") << "; closing" << std::endl;
            finish(0);
            return;
        }
        const std::size_t size =
            std::min<std::size_t>(1 + rng_() % kLargestPiece, garbage_.size() - garbage_at_);
        send({garbage_.data() + garbage_at_, size});
        garbage_at_ += size;
        if (waiting()) {
            return;  // sent_all goes on
        }
    }
    asio::post(io_, held([this] { send_garbage(); }));
}

}  // namespace fake_lfs
