#include "tools/insim_tap/relay.h"

#include <asio/error.hpp>
#include <iostream>

#include "tools/protocol/counted.h"

namespace insim_tap {
namespace {

// The most a direction queues before it stops reading from its side, which
// then holds that side back as the other would.
constexpr std::size_t kMaxQueued = 1 << 16;
// How long a stop waits for both sides to end after their streams end.
constexpr std::chrono::seconds kStopWait(2);

long long whole_seconds(Clock::duration duration) {
    return std::chrono::duration_cast<std::chrono::seconds>(duration).count();
}

}  // namespace

Relay::Relay(asio::io_context& io, asio::ip::tcp::socket program, asio::ip::tcp::socket simulator,
             CaptureLog& log, Clock::duration stall_limit, const std::vector<Fault>& faults)
    : log_(log),
      stall_limit_(stall_limit),
      program_(std::move(program), stall_limit, "the program", capture::From::kClient),
      simulator_(std::move(simulator), stall_limit, "the simulator", capture::From::kSimulator),
      end_timer_(io) {
    add_faults(io, simulator_, program_, Direction::kToProgram, faults);
    add_faults(io, program_, simulator_, Direction::kToSimulator, faults);
}

void Relay::add_faults(asio::io_context& io, End& end, End& other, Direction direction,
                       const std::vector<Fault>& faults) {
    std::vector<Fault> mine;
    for (const Fault& fault : faults) {
        if (fault.direction == direction) {
            mine.push_back(fault);
        }
    }
    if (mine.empty()) {
        return;
    }
    end.faults = std::make_unique<FaultPipe>(
        io, direction, std::move(mine),
        FaultPipe::Actions{
            .send = [&other](std::span<const uint8_t> bytes) { other.link.send(bytes); },
            .note = [this](const std::string& text) { log_.comment(text); },
            .cut =
                [this](const std::string& why) {
                    note_end(why);
                    close_both();
                },
            .reset = [this](const std::string& why) { reset_program(why); },
            .ended = [&other] { other.link.end_sending(); },
        });
}

// A fault resets the program's connection: the simulator sees the end of its
// stream, and what it still sends is recorded, as after any reset.
void Relay::reset_program(const std::string& why) {
    note_end(why);
    program_.link.reset();
    program_.reading_done = true;
    program_.sending_done = true;
    if (program_.faults) {
        program_.faults->stop();
    }
    log_.side_ended(program_.from);
    simulator_.link.resume_reading();
    simulator_.link.end_sending();
    check_done();
}

void Relay::start(std::function<void()> done) {
    done_ = std::move(done);
    start_end(program_, simulator_);
    start_end(simulator_, program_);
}

void Relay::start_end(End& end, End& other) {
    end.link.start({
        .received =
            [this, &end, &other](std::span<const uint8_t> bytes) {
                last_heard_ = Clock::now();
                if (end.faults) {
                    // Logged as it came, then relayed as the faults have it.
                    log_.take(end.from, bytes);
                    end.faults->take(bytes, log_.unit());
                } else {
                    // Relayed first, logged after.
                    other.link.send(bytes);
                    log_.take(end.from, bytes);
                }
                if (other.link.queued() > kMaxQueued) {
                    end.link.pause_reading();
                }
            },
        .reading_ended = [this, &end,
                          &other](std::error_code error) { reading_ended(end, other, error); },
        .sending_ended = [this, &end, &other](std::error_code) { sending_ended(end, other); },
        .drained = [&other] { other.link.resume_reading(); },
        .stalled = [this, &end, &other] { stalled(end, other); },
    });
}

void Relay::note_end(const std::string& what) {
    if (ending_.empty()) {
        ending_ = what;
        last_heard_ = Clock::now();
        watch_silence();
    }
}

void Relay::reading_ended(End& end, End& other, std::error_code error) {
    end.reading_done = true;
    log_.side_ended(end.from);
    note_end(std::string(end.name) + (error == asio::error::eof ? " closed the connection"
                                      : error == asio::error::connection_reset
                                          ? " reset the connection"
                                          : "'s connection failed: " + error.message()));
    if (error != asio::error::eof) {
        // Nothing more can go to a side that failed; what the other side
        // still sends is read and recorded all the same.
        end.link.close();
        end.sending_done = true;
        other.link.resume_reading();
    }
    // The end of one side's stream is passed on as it came, after what its
    // faults still hold.
    if (end.faults && error == asio::error::eof) {
        end.faults->end();
    } else {
        other.link.end_sending();
    }
    check_done();
}

void Relay::sending_ended(End& end, End& other) {
    end.sending_done = true;
    // A queue dropped by a failure never drains: the other side's reading,
    // held back by it, goes on.
    other.link.resume_reading();
    check_done();
}

// The side takes nothing: it is closed, with what was queued for it counted,
// and the other side's end is awaited as if this one had ended.
void Relay::stalled(End& end, End& other) {
    if (finished_ || stopping_) {
        close_both();
        return;
    }
    stalled_ = &end;
    note_end(std::string(end.name) + " took nothing for " +
             std::to_string(whole_seconds(stall_limit_)) + " s");
    end.link.reset();
    end.reading_done = true;
    end.sending_done = true;
    log_.side_ended(end.from);
    other.link.resume_reading();
    other.link.end_sending();
    check_done();
}

std::string Relay::stall() const {
    if (stalled_ == nullptr) {
        return "";
    }
    return std::string(stalled_->name) + " took nothing for " +
           std::to_string(whole_seconds(stall_limit_)) + " s (--stall-limit); " +
           sim::counted(stalled_->link.undelivered(), "byte") +
           (stalled_->link.undelivered() == 1 ? " was" : " were") + " not delivered";
}

void Relay::stop() {
    if (finished_ || stopping_) {
        return;
    }
    stopping_ = true;
    note_end("interrupted");
    program_.link.end_sending();
    simulator_.link.end_sending();
    end_timer_.expires_after(kStopWait);
    end_timer_.async_wait([this](std::error_code error) {
        if (!error) {
            close_both();
        }
    });
}

// Once one side has ended, the other goes on until it ends too, however long
// it keeps talking; one that stays silent and open for the stall limit is
// closed. What is still on its way to a side goes on under the stall limit.
void Relay::watch_silence() {
    const bool delivering = program_.link.queued() > 0 || simulator_.link.queued() > 0;
    end_timer_.expires_at(delivering ? std::max(last_heard_, Clock::now()) + stall_limit_
                                     : last_heard_ + stall_limit_);
    end_timer_.async_wait([this](std::error_code error) {
        if (error || finished_ || stopping_) {
            return;
        }
        if (Clock::now() < last_heard_ + stall_limit_ || program_.link.queued() > 0 ||
            simulator_.link.queued() > 0) {
            watch_silence();
            return;
        }
        for (const End* end : {&program_, &simulator_}) {
            if (!end->reading_done) {
                std::cerr << "insim_tap: " << end->name << " sent nothing and did not end within "
                          << whole_seconds(stall_limit_)
                          << " s after the other side ended; closing its connection\n";
            }
        }
        close_both();
    });
}

void Relay::check_done() {
    if (!finished_ && program_.reading_done && simulator_.reading_done && program_.sending_done &&
        simulator_.sending_done) {
        close_both();
    }
}

void Relay::close_both() {
    if (finished_) {
        return;
    }
    finished_ = true;
    end_timer_.cancel();
    for (End* end : {&program_, &simulator_}) {
        if (end->faults) {
            end->faults->stop();
        }
    }
    program_.link.close();
    simulator_.link.close();
    done_();
}

}  // namespace insim_tap
