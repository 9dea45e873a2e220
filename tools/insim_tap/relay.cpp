#include "tools/insim_tap/relay.h"

#include <asio/error.hpp>
#include <iostream>

#include "tools/protocol/counted.h"

namespace insim_tap {
namespace {

// The most a direction queues before it stops reading from its side, which
// then holds that side back as the other would.
constexpr std::size_t kMaxQueued = 1 << 16;
// The most on its way in a direction with faults, held by them and queued,
// before it stops reading from its side: the bound of the tap's memory
// under a latency or a stall. Above the queue's own bound, so that a
// latency lets through what a session sends in that time (a hundred car
// reports a second, for seconds).
constexpr std::size_t kMaxOnTheWay = 1 << 18;
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
            .send =
                [this, &end, &other](std::span<const uint8_t> bytes, bool held) {
                    // Told first: a send that fails at once drops these too.
                    other.held_in_queue.given(bytes.size(), held,
                                              other.link.queued() + bytes.size());
                    other.link.send(bytes);
                    last_delivered_ = Clock::now();
                    // Never within a read of `end` (what is held goes on a
                    // timer), where reading goes on by itself.
                    if (held) {
                        hold_back(end, other);
                    }
                },
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

Relay::Undelivered Relay::undelivered_to(const End& to, const End& from) {
    Undelivered undelivered;
    undelivered.bytes = to.link.undelivered();
    undelivered.held = to.held_dropped;
    if (from.faults) {
        undelivered.bytes += from.faults->undelivered();
        undelivered.held += from.faults->held_lost();
    }
    undelivered.interrupted = to.held_interrupted;
    return undelivered;
}

std::size_t Relay::on_the_way(const End& from, const End& to) {
    return to.link.queued() + (from.faults ? from.faults->held() : 0);
}

void Relay::hold_back(End& from, const End& to) {
    if (to.link.queued() > kMaxQueued || on_the_way(from, to) > kMaxOnTheWay) {
        from.link.pause_reading();
    } else {
        from.link.resume_reading();
    }
}

// What the link drops is the last of what it was given, so this holds
// however often it is counted.
void Relay::dropped(End& to) {
    to.held_dropped = to.held_in_queue.held_among_last(to.link.undelivered());
}

void Relay::stop_faults_of(End& from, bool held_lost) {
    if (from.faults) {
        from.faults->stop(held_lost);
    }
}

void Relay::pass_end(End& from, End& to) {
    if (from.faults && !from.faults->stopped()) {
        from.faults->end();
    } else {
        to.link.end_sending();
    }
}

// A fault resets the program's connection: the simulator sees the end of its
// stream after what the program's faults still hold (unless the reset fired
// among them, before the rest), and what it still sends is recorded, as
// after any reset.
void Relay::reset_program(const std::string& why) {
    note_end(why);
    stop_faults_of(simulator_, false);
    program_.link.reset();
    program_.reading_done = true;
    program_.sending_done = true;
    log_.side_ended(program_.from);
    simulator_.link.resume_reading();
    pass_end(program_, simulator_);
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
                // Only held back here: within a read, reading goes on by
                // itself.
                if (other.link.queued() > kMaxQueued || on_the_way(end, other) > kMaxOnTheWay) {
                    end.link.pause_reading();
                }
            },
        .reading_ended = [this, &end,
                          &other](std::error_code error) { reading_ended(end, other, error); },
        .sending_ended = [this, &end,
                          &other](std::error_code error) { sending_ended(end, other, error); },
        .drained =
            [this, &end, &other] {
                last_delivered_ = Clock::now();
                hold_back(other, end);
            },
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
        stop_faults_of(other, true);
        end.link.close();
        dropped(end);
        end.sending_done = true;
        other.link.resume_reading();
    }
    // The end of one side's stream, or its reset, is passed on as an end
    // after what its faults still hold.
    pass_end(end, other);
    check_done();
}

void Relay::sending_ended(End& end, End& other, std::error_code error) {
    end.sending_done = true;
    if (error) {
        // The side is gone (it may have ended only its own sending before):
        // what the other's faults held for it can go nowhere now.
        dropped(end);
        stop_faults_of(other, true);
    }
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
    stop_faults_of(other, true);
    end.link.reset();
    dropped(end);
    end.reading_done = true;
    end.sending_done = true;
    log_.side_ended(end.from);
    other.link.resume_reading();
    pass_end(end, other);
    check_done();
}

std::string Relay::stall() const {
    if (stalled_ == nullptr) {
        return "";
    }
    const End& from = stalled_ == &program_ ? simulator_ : program_;
    const std::size_t bytes = undelivered_to(*stalled_, from).bytes;
    return std::string(stalled_->name) + " took nothing for " +
           std::to_string(whole_seconds(stall_limit_)) + " s (--stall-limit); " +
           sim::counted(bytes, "byte") + (bytes == 1 ? " was" : " were") + " not delivered";
}

void Relay::stop() {
    if (finished_ || stopping_) {
        return;
    }
    stopping_ = true;
    note_end("interrupted");
    pass_end(program_, simulator_);
    pass_end(simulator_, program_);
    end_timer_.expires_after(kStopWait);
    end_timer_.async_wait([this](std::error_code error) {
        if (!error) {
            close_both();
        }
    });
}

bool Relay::delivering() const {
    return program_.link.queued() > 0 || simulator_.link.queued() > 0 ||
           (program_.faults && program_.faults->held() > 0) ||
           (simulator_.faults && simulator_.faults->held() > 0);
}

// Once one side has ended, the other goes on until it ends too, however long
// it keeps talking; one that stays silent and open for the stall limit is
// closed. Silence counts from the last bytes either side sent or the tap
// delivered: a side waiting for what the tap still holds or queues (a fault's
// stall, say) is not silent, and what is on its way goes on under the stall
// limit of the connection that takes it.
void Relay::watch_silence() {
    const Clock::time_point quiet_since = std::max(last_heard_, last_delivered_);
    end_timer_.expires_at(delivering() ? std::max(quiet_since, Clock::now()) + stall_limit_
                                       : quiet_since + stall_limit_);
    end_timer_.async_wait([this](std::error_code error) {
        if (error || finished_ || stopping_) {
            return;
        }
        if (Clock::now() < std::max(last_heard_, last_delivered_) + stall_limit_ || delivering()) {
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
    // What faults still hold can go nowhere now: lost by the hold when an
    // interrupt outlasted it; else the way ended by a cut (a side whose
    // connection failed had its faults stopped then).
    for (auto [from, to] : {std::pair{&program_, &simulator_}, std::pair{&simulator_, &program_}}) {
        if (from->faults) {
            to->held_interrupted = stopping_ && !from->faults->stopped();
            from->faults->stop(stopping_);
        }
    }
    program_.link.close();
    simulator_.link.close();
    if (stopping_) {
        dropped(program_);
        dropped(simulator_);
    }
    done_();
}

}  // namespace insim_tap
