#include "tools/insim_tap/relay.h"

#include <asio/error.hpp>
#include <iostream>

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
             CaptureLog& log, Clock::duration stall_limit)
    : log_(log),
      stall_limit_(stall_limit),
      program_(std::move(program), stall_limit, "the program", capture::From::kClient),
      simulator_(std::move(simulator), stall_limit, "the simulator", capture::From::kSimulator),
      end_timer_(io) {}

void Relay::start(std::function<void()> done) {
    done_ = std::move(done);
    start_end(program_, simulator_);
    start_end(simulator_, program_);
}

void Relay::start_end(End& end, End& other) {
    end.link.start({
        .received =
            [this, &end, &other](std::span<const uint8_t> bytes) {
                // Relayed first, logged after.
                other.link.send(bytes);
                if (other.link.queued() > kMaxQueued) {
                    end.link.pause_reading();
                }
                log_.take(end.from, bytes);
            },
        .reading_ended = [this, &end,
                          &other](std::error_code error) { reading_ended(end, other, error); },
        .sending_ended =
            [this, &end](std::error_code) {
                end.sending_done = true;
                check_done();
            },
        .drained = [&other] { other.link.resume_reading(); },
        .stalled = [this, &end] { stalled(end); },
    });
}

void Relay::reading_ended(End& end, End& other, std::error_code error) {
    end.reading_done = true;
    log_.side_ended(end.from);
    if (ending_.empty()) {
        ending_ = std::string(end.name) + (error == asio::error::eof ? " closed the connection"
                                           : error == asio::error::connection_reset
                                               ? " reset the connection"
                                               : "'s connection failed: " + error.message());
        bound_ending(stall_limit_, std::string("of ") + end.name + "'s end", false);
    }
    if (error != asio::error::eof) {
        // Nothing more can go to a side that failed.
        end.link.close();
        end.sending_done = true;
    }
    // The end of one side's stream is passed on as it came.
    other.link.end_sending();
    check_done();
}

void Relay::stalled(End& end) {
    if (finished_) {
        return;
    }
    stall_ = std::string(end.name) + " took nothing for " +
             std::to_string(whole_seconds(stall_limit_)) + " s (--stall-limit); " +
             std::to_string(end.link.queued()) + " bytes were not delivered";
    if (ending_.empty()) {
        ending_ = stall_;
    }
    close_both();
}

void Relay::stop() {
    if (finished_) {
        return;
    }
    if (ending_.empty()) {
        ending_ = "interrupted";
    }
    program_.link.end_sending();
    simulator_.link.end_sending();
    bound_ending(kStopWait, "of the interrupt", true);
}

// Once one side has ended, the other has a while to end too; a side that
// keeps its connection open after that is closed. What is still on its way
// to a side that has ended goes on under the stall limit, unless the end is
// an interrupt's.
void Relay::bound_ending(Clock::duration wait, const std::string& after, bool at_once) {
    end_timer_.expires_after(wait);
    end_timer_.async_wait([this, wait, after, at_once](std::error_code error) {
        if (error || finished_) {
            return;
        }
        for (End* end : {&program_, &simulator_}) {
            if (end->link.queued() > 0) {
                stalled(*end);  // it took nothing either
                return;
            }
        }
        bool open = false;
        for (const End* end : {&program_, &simulator_}) {
            if (!end->reading_done) {
                open = true;
                std::cerr << "insim_tap: " << end->name << " did not end within "
                          << whole_seconds(wait) << " s " << after << "; closing its connection\n";
            }
        }
        if (open || at_once) {
            close_both();
        }
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
    program_.link.close();
    simulator_.link.close();
    done_();
}

}  // namespace insim_tap
