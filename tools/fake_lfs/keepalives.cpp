#include "tools/fake_lfs/keepalives.h"

#include <iostream>

namespace fake_lfs {
namespace {

using engine::Clock;
using std::chrono::milliseconds;

// How long a keep-alive's answer may take before the idle limit may end a
// client that has not sent it.
constexpr milliseconds kAnswerTime(1000);

}  // namespace

KeepAlives::KeepAlives(asio::io_context& io, const Options& options, std::function<void()> send,
                       std::function<void()> silent)
    : options_(options),
      keepalive_timer_(io),
      idle_timer_(io),
      send_(std::move(send)),
      silent_(std::move(silent)) {}

void KeepAlives::start() {
    running_ = true;
    heard();
    next_keepalive_ = last_heard_ + milliseconds(options_.keepalive_ms);
    keep_alive();
}

void KeepAlives::heard() {
    last_heard_ = Clock::now();
    unanswered_since_.reset();
    idle_timer_.cancel();
}

void KeepAlives::stop() {
    running_ = false;
    keepalive_timer_.cancel();
    idle_timer_.cancel();
}

void KeepAlives::keep_alive() {
    keepalive_timer_.expires_at(next_keepalive_);
    keepalive_timer_.async_wait([this](std::error_code error) {
        if (error || !running_) {
            return;
        }
        // The simulator closes only an idle client, but a developer should
        // still see a keep-alive go unanswered.
        if (pending_) {
            std::cerr << "fake_lfs: the keep-alive sent " << options_.keepalive_ms
                      << " ms ago was not answered\n";
        }
        send_();
        pending_ = true;
        if (!unanswered_since_) {
            unanswered_since_ = Clock::now();
            watch_idle();
        }
        next_keepalive_ += milliseconds(options_.keepalive_ms);
        keep_alive();
    });
}

Clock::time_point KeepAlives::idle_deadline() const {
    return std::max(last_heard_ + std::chrono::seconds(options_.idle_limit_s),
                    *unanswered_since_ + kAnswerTime);
}

void KeepAlives::watch_idle() {
    if (options_.idle_limit_s == 0 || !unanswered_since_) {
        return;
    }
    idle_timer_.expires_at(idle_deadline());
    idle_timer_.async_wait([this](std::error_code error) {
        // Bytes heard just before the time came cancel the wait too late to
        // stop this call: the deadline is judged again.
        if (!error && running_ && unanswered_since_ && Clock::now() >= idle_deadline()) {
            std::cerr << "fake_lfs: nothing came from the client for " << options_.idle_limit_s
                      << " s (the idle limit, --idle-limit); closing the connection\n";
            silent_();
        }
    });
}

}  // namespace fake_lfs
