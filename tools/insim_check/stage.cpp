#include "tools/insim_check/stage.h"

#include <algorithm>
#include <asio/error.hpp>
#include <cmath>
#include <cstring>
#include <iostream>
#include <sstream>
#include <thread>

#include "tools/protocol/counted.h"
#include "tools/simulator/client_records.h"
#include "tools/simulator/lap_route.h"

namespace insim_check {
namespace {

using Clock = std::chrono::steady_clock;

constexpr milliseconds kReportEvery(100);
constexpr milliseconds kFirstRecordWithin(5000);
// The quiet watch before a probe, which measures the rate of the program's
// own keep-alives.
constexpr milliseconds kQuiet(1000);
// A probe sends so many keep-alives that the program's own ones make up
// their answers by no more than this chance; taking their rate at one more
// than were seen keeps it so for a rhythm slower than the watch, too.
constexpr double kOwnChance = 1e-4;
// A program whose own keep-alives would call for more than this many is
// not probed: they come too often to tell answers from them.
constexpr int kMostKeepAlives = 128;
// Keep-alives sent alone go this far apart, each a read of its own.
constexpr milliseconds kAloneApart(10);
// The pause between the pieces of a probe sent in pieces, and how much
// longer than planned such a send may take, which the count allows for.
constexpr milliseconds kPiecesApart(2);
constexpr double kSendingSlack = 2;
// The rest of a record that has not come this long before the session's
// end is taken for never coming.
constexpr double kUnfinishedMs = 500;
// The program's output kept for the report of one case.
constexpr std::size_t kKeptOutput = 64 * 1024;
// How long a program that closed its connection may take to end, for the
// report to say which of the two it did.
constexpr milliseconds kEndAfterClose(200);
// A send that fails after this long failed for the program's not taking
// what was sent.
constexpr double kStalledSendMs = 1000;

bool is_keepalive(const sim::Bytes& record) {
    return record.size() == sizeof(insim::IS_TINY) && record[1] == insim::ISP_TINY &&
           record[3] == insim::TINY_NONE;
}

// The command with {port} replaced.
std::string with_port(std::string command, uint16_t port) {
    const std::string mark = "{port}";
    for (std::size_t at; (at = command.find(mark)) != std::string::npos;) {
        command.replace(at, mark.size(), std::to_string(port));
    }
    return command;
}

milliseconds left_until(Clock::time_point until) {
    return std::max(std::chrono::duration_cast<milliseconds>(until - Clock::now()),
                    milliseconds(1));
}

// Lines of the program's output and of the checker's own on standard error
// go out whole, one at a time.
std::mutex& error_stream() {
    static std::mutex lock;
    return lock;
}

std::string listen_problem(uint16_t port, const std::system_error& error) {
    std::string problem =
        "cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + error.code().message();
    if (error.code() == asio::error::address_in_use) {
        problem += port == kSimulatorPort
                       ? ". Something else listens there, most likely the simulator "
                         "itself with its port for programs open, or another checker"
                       : ". Something else listens there, perhaps another checker";
        problem +=
            ": stop it, or pass --port 0 for a free port (the program learns it from {port} in "
            "--exec, or from INSIM_PORT)";
    }
    return problem;
}

// The chance of `count` or more events where `mean` are expected at
// random (Poisson's law).
double chance_of_at_least(int count, double mean) {
    if (mean <= 0) {
        return count <= 0 ? 1 : 0;
    }
    double sum = 0;
    for (int k = std::max(count, 0);; ++k) {
        const double term = std::exp(k * std::log(mean) - mean - std::lgamma(k + 1.0));
        sum += term;
        if (k > mean && term <= sum * 1e-12) {
            return sum;
        }
    }
}

std::string status_text(const std::optional<int>& status) {
    return status ? " (status " + std::to_string(*status) + ")" : "";
}

}  // namespace

Stage::Stage(const Options& options, const Case& which, const RecordFindings* earlier)
    : options_(options), case_(which), earlier_(earlier), version_(sim::served_version(0)) {}

Stage::~Stage() {
    end_session();
}

double Stage::ms() const {
    return std::chrono::duration<double, std::milli>(Clock::now() - start_).count();
}

std::string Stage::open(std::size_t number, std::size_t count) {
    try {
        peer_ = std::make_unique<sim::SimPeer>(options_.port);
    } catch (const std::system_error& error) {
        throw SetupProblem(listen_problem(options_.port, error));
    }
    peer_->forget_received();
    const std::string where = "127.0.0.1:" + std::to_string(peer_->port());
    if (!options_.exec.empty()) {
        const std::string port = std::to_string(peer_->port());
        program_ = std::make_unique<engine::ProgramProcess>(
            with_port(options_.exec, peer_->port()), "INSIM_PORT", port,
            [this](const std::string& line) { program_said(line); });
        if (!program_->started()) {
            throw SetupProblem("cannot start the system's shell to run --exec");
        }
    } else {
        std::ostringstream line;
        line << "insim_check: case " << number << " of " << count << ", " << case_.id
             << ": start the program; waiting for it on " << where << "\n";
        const std::lock_guard<std::mutex> lock(error_stream());
        std::cerr << line.str() << std::flush;
    }
    // The first case tells a command that never gets going from a program
    // that fails: one that says nothing at all is most likely not run.
    const bool silent_start = number == 1 && program_ != nullptr;
    const std::string how_to_mend =
        "; check the command given to --exec, and that the program takes the port from {port} "
        "or INSIM_PORT";
    // In short waits, so that a program that ends first is told at once.
    const auto deadline = Clock::now() + std::chrono::seconds(options_.timeout_s);
    while (!peer_->accept(milliseconds(200))) {
        if (program_ && !program_->running()) {
            program_->end();  // all it wrote is counted now
            if (program_->could_not_run()) {
                throw SetupProblem("the shell could not run the command given to --exec" +
                                   status_text(program_->exit_status()) + ": " + options_.exec);
            }
            if (silent_start && program_->output_bytes() == 0) {
                throw SetupProblem("the program ended" + status_text(program_->exit_status()) +
                                   " without connecting to " + where + " and without a word" +
                                   how_to_mend);
            }
            return "the program ended" + status_text(program_->exit_status()) +
                   " without connecting to " + where;
        }
        if (Clock::now() >= deadline) {
            const std::string late = "the program did not connect to " + where + " within " +
                                     std::to_string(options_.timeout_s) + " s";
            if (silent_start && program_->output_bytes() == 0) {
                throw SetupProblem(late + " and said nothing" + how_to_mend);
            }
            return late;
        }
    }
    start_ = Clock::now();
    findings_.count_session();
    const auto record = next(kFirstRecordWithin);
    if (!record) {
        return "the program sent no whole record within 5 s of connecting";
    }
    first_ = record->record;
    if (const std::optional<int> served = splitter_.version()) {
        version_ = *served;
        unit_ = splitter_.unit();
    }
    if (introduced()) {
        std::memcpy(&isi_, first_.data(), sizeof isi_);
    }
    return "";
}

bool Stage::introduced() const {
    return first_.size() == sizeof(insim::IS_ISI) && framing::is_introduction(first_);
}

bool Stage::wants_reports() const {
    return introduced() && sim::wants_reports(isi_);
}

void Stage::answer_introduction() {
    if (introduced() && isi_.ReqI != 0) {
        send(sim::sized_for(sim::version_record("0.7F", static_cast<uint16_t>(version_), isi_.ReqI),
                            version_));
    }
}

sim::Bytes Stage::keepalive() const {
    return sim::sized_for(sim::tiny_record(insim::TINY_NONE), version_);
}

sim::Bytes Stage::one_car_report() {
    return sim::car_report({sim::car_position(0, 1, step_++)}, version_);
}

std::vector<sim::Bytes> Stage::interval_reports(std::size_t cars) {
    std::vector<sim::CarPosition> positions;
    for (std::size_t car = 0; car < cars; ++car) {
        positions.push_back(sim::car_position(car, cars, step_));
    }
    ++step_;
    return sim::interval_reports(positions, version_);
}

double Stage::send(const sim::Bytes& bytes, std::size_t chunk, milliseconds pause) {
    // Each record of it, for the report and for what a loss came after;
    // the first keep-alive of a send is a moment a failure may point at.
    double marked = -1;
    for (std::size_t at = 0; at < bytes.size() && bytes[at] != 0;) {
        const std::size_t length = std::min<std::size_t>(bytes[at] * unit_, bytes.size() - at);
        const sim::Bytes record(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                bytes.begin() + static_cast<std::ptrdiff_t>(at + length));
        if (is_keepalive(record)) {
            ++keepalives_sent_;
            if (marked < 0) {
                marked = ms();
                log_.mark(marked);
            }
        } else if (record.size() > 1 && record[1] == insim::ISP_MCI) {
            ++reports_sent_;
        }
        log_.add({ms(), 'S', record});
        at += length;
    }
    if (cut_short()) {
        return marked;
    }
    const double began = ms();
    if (!peer_->send(bytes, chunk, pause)) {
        note_lost(ms() - began >= kStalledSendMs ? "stopped taking records"
                                                 : "closed the connection");
    }
    return marked;
}

std::optional<Exchanged> Stage::take_record() {
    if (splitter_.lost()) {
        if (zero_told_) {
            return std::nullopt;
        }
        zero_told_ = true;
        const Exchanged zero{ms(), 'C', sim::Bytes{0}};  // the size byte, for the cases to judge
        received(zero);
        return zero;
    }
    const auto held = splitter_.held();
    // A first record that cannot be an introduction is framed in bytes at
    // once, as the splitter would once it held enough of it to tell.
    if (splitter_.unit() == framing::kUndecided && held.size() >= 2 &&
        !framing::is_introduction(held)) {
        splitter_.set_unit(framing::kByteUnits);
    }
    if (const auto record = splitter_.next()) {
        held_since_ms_ = -1;
        const Exchanged taken{ms(), 'C', sim::Bytes(record->begin(), record->end())};
        received(taken);
        return taken;
    }
    if (splitter_.lost()) {
        return take_record();
    }
    if (splitter_.held().empty()) {
        held_since_ms_ = -1;
    } else if (held_since_ms_ < 0) {
        held_since_ms_ = ms();
    }
    return std::nullopt;
}

void Stage::received(const Exchanged& record) {
    log_.add(record);
    // The unit of the records after the introduction, once it is known.
    const std::size_t unit =
        splitter_.unit() == framing::kUndecided ? framing::kByteUnits : splitter_.unit();
    findings_.judge(record, unit, case_.id, log_);
}

std::optional<Exchanged> Stage::next(milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (auto record = take_record()) {
            return record;
        }
        if (cut_short() || peer_ == nullptr || Clock::now() >= deadline) {
            return std::nullopt;
        }
        // After a size of 0 what comes is read and dropped, so that the end
        // of the connection is still seen.
        const auto bytes = peer_->read_available(left_until(deadline));
        if (!bytes) {
            if (peer_->ended()) {
                note_lost("closed the connection");
            }
            return std::nullopt;
        }
        if (!splitter_.lost()) {
            splitter_.feed(*bytes);
        }
    }
}

std::size_t Stage::watch(milliseconds time) {
    const double from = ms();
    std::size_t records = 0;
    for (const auto until = Clock::now() + time; Clock::now() < until && !cut_short();) {
        if (const auto record = next(left_until(until))) {
            ++records;
            own_.keepalives += is_keepalive(record->record) ? 1 : 0;
        }
    }
    own_.ms += ms() - from;
    return records;
}

void Stage::watch_quietly() {
    watch(kQuiet);
}

Played Stage::play(milliseconds time, std::size_t cars, bool reports, bool keepalives) {
    Played played;
    const auto begin = Clock::now();
    const auto until = begin + time;
    const double began = ms();
    auto next_keepalive = begin + kKeepAliveEvery;
    auto next_report = begin + kReportEvery;
    // When each keep-alive went, and how many of them have their answer:
    // answers come in order, one for each, however late.
    std::vector<double> sent;
    std::size_t paired = 0;
    double last_heard = ms();
    reports = reports && wants_reports();
    double longest_marked = -1;
    // Notes the silence since the program was last heard, up to `now_ms`.
    const auto silence_until = [&](double now_ms) {
        if (now_ms - last_heard > played.longest_silence_ms) {
            played.longest_silence_ms = now_ms - last_heard;
            played.silence_from_ms = last_heard;
        }
    };
    const auto take = [&](const Exchanged& record) {
        silence_until(record.ms);
        last_heard = record.ms;
        ++played.records;
        played.bytes += record.record.size();
        if (!is_keepalive(record.record)) {
            return;
        }
        if (!keepalives) {
            ++own_.keepalives;
        } else if (paired < sent.size()) {
            if (record.ms - sent[paired] <= kAnswerWithin.count()) {
                ++played.keepalives_answered;
            } else if (played.first_unanswered_ms < 0) {
                played.first_unanswered_ms = sent[paired];
                played.first_late_by_ms = record.ms - sent[paired];
            }
            ++paired;
        }
    };
    while (Clock::now() < until && !cut_short()) {
        const auto now = Clock::now();
        if (keepalives && now >= next_keepalive) {
            // None in the last second, which would be its answer's time.
            if (next_keepalive + kAnswerWithin <= until) {
                sent.push_back(ms());
                send(keepalive());
                ++played.keepalives_sent;
            }
            next_keepalive += kKeepAliveEvery;
        }
        if (reports && now >= next_report) {
            for (const sim::Bytes& report : interval_reports(cars)) {
                send(report);
            }
            next_report += kReportEvery;
        }
        const auto wake =
            std::min({until, keepalives ? next_keepalive : until, reports ? next_report : until});
        if (const auto record = next(left_until(wake))) {
            take(*record);
        }
        // A silence as long as the idle limit is a failure the report shows.
        if (played.silence_from_ms != longest_marked &&
            played.longest_silence_ms >= kIdleLimit.count()) {
            longest_marked = played.silence_from_ms;
            log_.mark(longest_marked);
        }
    }
    // A keep-alive that went late still has its whole second for its answer.
    while (!cut_short() && paired < sent.size() && ms() < sent[paired] + kAnswerWithin.count()) {
        if (const auto record = next(
                milliseconds(static_cast<long>(sent[paired] + kAnswerWithin.count() - ms()) + 1))) {
            take(*record);
        }
    }
    if (paired < sent.size() && played.first_unanswered_ms < 0) {
        played.first_unanswered_ms = sent[paired];
    }
    silence_until(ms());
    if (played.silence_from_ms != longest_marked &&
        played.longest_silence_ms >= kIdleLimit.count()) {
        log_.mark(played.silence_from_ms);
    }
    if (!keepalives) {
        own_.ms += ms() - began;
    }
    return played;
}

Answers Stage::probe(const std::function<sim::Bytes()>& before, std::size_t chunk) {
    return send_probe(before, chunk, kPiecesApart);
}

Answers Stage::probe_alone() {
    return send_probe([] { return sim::Bytes(); }, keepalive().size(), kAloneApart);
}

Answers Stage::send_probe(const std::function<sim::Bytes()>& before, std::size_t chunk,
                          milliseconds pause) {
    Answers answers;
    answers.own = own_.keepalives > 0;
    // The program's own keep-alives per millisecond: as seen; at most (one
    // more than were seen, for a rhythm slower than the watch); and at least
    // (one fewer, as a steady rhythm gives).
    const double watched = std::max(own_.ms, 1.0);
    const double rate = own_.keepalives / watched;
    const double most = (own_.keepalives + 1) / watched;
    const double fewest = std::max(own_.keepalives - 1, 0) / watched;
    answers.own_per_s = rate * 1000;
    const sim::Bytes records = before();
    const int among = keepalives_in(records);
    // The keep-alives to send after the records: as many as its own could
    // not make up while the probe sends and waits, but by a slight chance.
    int after = 1;
    double waits = 0;
    for (;; ++after) {
        const std::size_t pieces =
            chunk == 0 ? 0 : (records.size() + after * keepalive().size() + chunk - 1) / chunk;
        waits = kSendingSlack * static_cast<double>(pieces) * static_cast<double>(pause.count()) +
                static_cast<double>(kIdleLimit.count());
        if (chance_of_at_least(among + after, most * waits) < kOwnChance) {
            break;
        }
        if (after == kMostKeepAlives) {
            answers.told = false;
            return answers;
        }
    }
    sim::Bytes delivery = records;
    for (int i = 0; i < after; ++i) {
        delivery = sim::concat({delivery, keepalive()});
    }
    answers.sent = among + after;
    const double start = ms();
    answers.at_ms = send(delivery, chunk, chunk > 0 ? pause : milliseconds(0));
    const double sent = ms();
    // One heard for each sent, and one more for each keep-alive of its own
    // that has surely come by `now`.
    const auto all_answered = [&](double now) {
        return answers.heard - std::floor(fewest * (now - start)) >= answers.sent;
    };
    // The idle limit after the send at least, should it have taken longer
    // than planned.
    const double end = std::max(start + waits, sent + static_cast<double>(kIdleLimit.count()));
    const auto until = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                          std::chrono::duration<double, std::milli>(end - ms()));
    while (!cut_short() && answers.took_ms < 0 && Clock::now() < until) {
        if (const auto record = next(left_until(until)); record && is_keepalive(record->record)) {
            ++answers.heard;
            if (all_answered(record->ms)) {
                answers.took_ms = record->ms - sent;
            }
        }
    }
    answers.answered = answers.heard - rate * (ms() - start);
    answers.enough = answers.took_ms >= 0;
    return answers;
}

int Stage::keepalives_in(const sim::Bytes& bytes) const {
    int keepalives = 0;
    for (std::size_t at = 0; at < bytes.size() && bytes[at] != 0; at += bytes[at] * unit_) {
        const std::size_t length = std::min<std::size_t>(bytes[at] * unit_, bytes.size() - at);
        keepalives +=
            is_keepalive(sim::Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                                    bytes.begin() + static_cast<std::ptrdiff_t>(at + length)))
                ? 1
                : 0;
    }
    return keepalives;
}

void Stage::close() {
    closed_ = true;
    peer_->close_client();
}

void Stage::end_session() {
    if (ended_) {
        return;
    }
    ended_ = true;
    // Bytes of a record whose rest did not come: the simulator would wait
    // for it and read the next record as its rest.
    const auto held = splitter_.held();
    if (peer_ != nullptr && !splitter_.lost() && !held.empty() &&
        splitter_.unit() != framing::kUndecided && held_since_ms_ >= 0 &&
        ms() - held_since_ms_ >= kUnfinishedMs) {
        const std::size_t length = held[0] * splitter_.unit();
        sim::Bytes whole(held.begin(), held.end());
        whole.resize(length);
        std::string what = "Size " + std::to_string(length) + " bytes";
        for (const std::string& broken : sim::broken_limits(whole, splitter_.unit())) {
            if (broken.rfind("Size", 0) == 0) {
                what = broken;
                break;
            }
        }
        what += "; only " + std::to_string(held.size()) + " of its " + std::to_string(length) +
                " bytes came, and nothing more in " +
                std::to_string(static_cast<long long>(ms() - held_since_ms_)) + " ms";
        log_.mark(held_since_ms_);
        findings_.add_size_breach(
            {what, sim::Bytes(held.begin(), held.end()), case_.id, held_since_ms_, {}});
    }
    findings_.take_excerpts(log_);
    peer_.reset();
    if (program_) {
        program_->end();
    }
}

void Stage::note_lost(const char* how) {
    if (cut_short() || closed_) {
        return;
    }
    lost_ms_ = ms();
    log_.mark(lost_ms_);
    keepalives_before_loss_ = keepalives_sent_;
    reports_before_loss_ = reports_sent_;
    lost_how_ = how;
    if (program_) {
        // A program that ends closes its connection first: wait a moment for
        // its end, to tell the two apart.
        for (const auto until = Clock::now() + kEndAfterClose;
             program_->running() && Clock::now() < until;) {
            std::this_thread::sleep_for(milliseconds(10));
        }
        if (!program_->running()) {
            lost_how_ = "ended" + status_text(program_->exit_status());
        }
    }
}

std::string Stage::cut_text() const {
    std::string text = "the program " + lost_how_ + " " +
                       std::to_string(static_cast<long long>(lost_ms_)) + " ms into the session";
    const std::string reports = sim::counted(reports_before_loss_, "report");
    if (keepalives_before_loss_ == 0) {
        return text + (reports_before_loss_ > 0 ? ", after " + reports + " and" : ",") +
               " before the first keep-alive";
    }
    return text + ", after " + (reports_before_loss_ > 0 ? reports + " and " : "") +
           sim::counted(keepalives_before_loss_, "keep-alive");
}

void Stage::program_said(const std::string& line) {
    {
        const std::lock_guard<std::mutex> lock(error_stream());
        std::cerr << "[" + std::string(case_.id) + "] " + line + "\n" << std::flush;
    }
    const std::lock_guard<std::mutex> lock(output_mutex_);
    if (output_.size() + line.size() < kKeptOutput) {
        output_ += line + "\n";
    } else {
        output_dropped_ += line.size() + 1;
    }
}

std::string Stage::output() const {
    const std::lock_guard<std::mutex> lock(output_mutex_);
    if (output_dropped_ == 0) {
        return output_;
    }
    return output_ + "(and " + std::to_string(output_dropped_) + " bytes more, not kept)\n";
}

}  // namespace insim_check
