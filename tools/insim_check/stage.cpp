#include "tools/insim_check/stage.h"

#include <algorithm>
#include <cstring>
#include <iostream>
#include <sstream>
#include <thread>

#include "tools/simulator/client_records.h"
#include "tools/simulator/lap_route.h"

namespace insim_check {
namespace {

using Clock = std::chrono::steady_clock;

constexpr milliseconds kKeepAliveEvery(1000);
constexpr milliseconds kReportEvery(100);
constexpr milliseconds kAnswerWithin(1000);

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

}  // namespace

Stage::Stage(const Options& options, const Case& which) : options_(options), case_(which) {}

Stage::~Stage() {
    peer_.reset();
    if (program_) {
        program_->end();
    }
}

double Stage::ms() const {
    return std::chrono::duration<double, std::milli>(Clock::now() - start_).count();
}

std::string Stage::open(std::size_t number, std::size_t count) {
    try {
        peer_ = std::make_unique<sim::SimPeer>(options_.port);
    } catch (const std::system_error& error) {
        return "cannot listen on 127.0.0.1:" + std::to_string(options_.port) + ": " +
               error.code().message();
    }
    if (!options_.exec.empty()) {
        const std::string port = std::to_string(peer_->port());
        program_ = std::make_unique<engine::ProgramProcess>(with_port(options_.exec, peer_->port()),
                                                            "INSIM_PORT", port);
        if (!program_->started()) {
            return "cannot start the program: " + options_.exec;
        }
    } else {
        // One write, so that a reader never sees half the line.
        std::ostringstream line;
        line << "insim_check: case " << number << " of " << count << ", " << case_.id
             << ": start the program; waiting for it on 127.0.0.1:" << peer_->port() << "\n";
        std::cerr << line.str() << std::flush;
    }
    // In short waits, so that a program that ends first is told at once.
    const auto deadline = Clock::now() + std::chrono::seconds(options_.timeout_s);
    while (!peer_->accept(milliseconds(200))) {
        if (program_ && !program_->running()) {
            return "the program ended without connecting to 127.0.0.1:" +
                   std::to_string(peer_->port());
        }
        if (Clock::now() >= deadline) {
            return "the program did not connect to 127.0.0.1:" + std::to_string(peer_->port()) +
                   " within " + std::to_string(options_.timeout_s) + " s";
        }
    }
    start_ = Clock::now();
    const auto record = next(milliseconds(5000));
    if (!record) {
        return "the program sent no whole record within 5 s of connecting";
    }
    first_ = record->record;
    if (introduced()) {
        std::memcpy(&isi_, first_.data(), sizeof isi_);
    }
    return "";
}

bool Stage::introduced() const {
    return first_.size() == sizeof(insim::IS_ISI) && first_[1] == insim::ISP_ISI;
}

bool Stage::wants_reports() const {
    return introduced() && sim::wants_reports(isi_);
}

void Stage::answer_introduction() {
    if (introduced() && isi_.ReqI != 0) {
        send(sim::version_record("0.7F", 8, isi_.ReqI));
    }
}

void Stage::send(const sim::Bytes& bytes, std::size_t chunk, milliseconds pause) {
    exchange_.push_back({ms(), 'S', bytes});
    peer_->send(bytes, chunk, pause);
}

std::optional<Exchanged> Stage::next(milliseconds timeout) {
    if (framing_lost_) {
        // Nothing after a size of 0 is a record: wait out the time.
        std::this_thread::sleep_for(timeout);
        return std::nullopt;
    }
    auto record = peer_->read_record(timeout);
    if (!record && peer_->framing_lost()) {
        framing_lost_ = true;
        record = sim::Bytes{0};  // the size byte, for the cases to judge
    }
    if (!record) {
        return std::nullopt;
    }
    exchange_.push_back({ms(), 'C', *record});
    return exchange_.back();
}

std::vector<Exchanged> Stage::during(milliseconds time) {
    std::vector<Exchanged> records;
    for (const auto until = Clock::now() + time; Clock::now() < until;) {
        const auto left = std::chrono::duration_cast<milliseconds>(until - Clock::now());
        if (const auto record = next(std::max(left, milliseconds(1)))) {
            records.push_back(*record);
        } else if (peer_->ended()) {
            break;
        }
    }
    return records;
}

Played Stage::play(milliseconds time, std::size_t cars, bool reports) {
    Played played;
    const auto begin = Clock::now();
    const auto until = begin + time;
    auto next_keepalive = begin + kKeepAliveEvery;
    auto next_report = begin + kReportEvery;
    std::vector<double> keepalives;  // when each went; -1 once answered
    double last_heard = ms();
    reports = reports && wants_reports();
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
        played.records.push_back(record);
        if (!is_keepalive(record.record)) {
            return;
        }
        for (double& sent : keepalives) {
            if (sent >= 0 && record.ms - sent <= kAnswerWithin.count()) {
                ++played.keepalives_answered;
                sent = -1;
                break;
            }
        }
    };
    while (Clock::now() < until) {
        const auto now = Clock::now();
        if (now >= next_keepalive) {
            // None in the last second, which would be its answer's time.
            if (next_keepalive + kAnswerWithin <= until) {
                send(sim::tiny_record(insim::TINY_NONE));
                keepalives.push_back(ms());
                ++played.keepalives_sent;
            }
            next_keepalive += kKeepAliveEvery;
        }
        if (reports && now >= next_report) {
            std::vector<sim::CarPosition> positions;
            for (std::size_t car = 0; car < cars; ++car) {
                positions.push_back(sim::car_position(car, cars, step_));
            }
            ++step_;
            for (const sim::Bytes& report : sim::interval_reports(positions)) {
                send(report);
            }
            next_report += kReportEvery;
        }
        const auto wake = std::min({until, next_keepalive, reports ? next_report : until});
        const auto record = next(std::max(
            std::chrono::duration_cast<milliseconds>(wake - Clock::now()), milliseconds(1)));
        if (record) {
            take(*record);
        } else if (peer_->ended()) {
            played.connection_lost = true;
            break;
        }
    }
    silence_until(ms());
    // A keep-alive that went late still has its whole second for its answer.
    for (std::size_t k = 0; k < keepalives.size(); ++k) {
        const auto due = [&] { return keepalives[k] + kAnswerWithin.count(); };
        while (!played.connection_lost && keepalives[k] >= 0 && ms() < due()) {
            const auto record = next(milliseconds(static_cast<long>(due() - ms()) + 1));
            if (record) {
                take(*record);
            } else {
                played.connection_lost = peer_->ended();
            }
        }
    }
    for (const double sent : keepalives) {
        if (sent >= 0) {
            played.first_unanswered_ms = sent;
            break;
        }
    }
    return played;
}

bool Stage::answers_keepalive(const sim::Bytes& before, std::size_t chunk) {
    send(sim::concat({before, sim::tiny_record(insim::TINY_NONE)}), chunk,
         chunk > 0 ? milliseconds(2) : milliseconds(0));
    for (const auto until = Clock::now() + kAnswerWithin; Clock::now() < until;) {
        const auto left = std::chrono::duration_cast<milliseconds>(until - Clock::now());
        const auto record = next(std::max(left, milliseconds(1)));
        if (record && is_keepalive(record->record)) {
            return true;
        }
        if (!record && peer_->ended()) {
            return false;
        }
    }
    return false;
}

void Stage::close() {
    peer_->close_client();
}

}  // namespace insim_check
