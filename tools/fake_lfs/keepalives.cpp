#include "tools/fake_lfs/keepalives.h"

#include <algorithm>

namespace fake_lfs {
namespace {

using engine::Clock;
using std::chrono::milliseconds;

// How long a keep-alive's answer may take when the keep-alive went just
// before the idle limit.
constexpr milliseconds kAnswerTime(1000);

}  // namespace

KeepAlives::KeepAlives(asio::io_context& io, const Options& options, std::ostream& err,
                       Events events)
    : options_(options),
      err_(err),
      keepalive_timer_(io),
      idle_timer_(io),
      events_(std::move(events)) {}

void KeepAlives::start(std::weak_ptr<void> owner) {
    owner_ = std::move(owner);
    running_ = true;
    heard();
    next_keepalive_ = last_heard_ + milliseconds(options_.keepalive_ms);
    keep_alive();
    watch_idle();
}

// The idle timer is not moved on here, but judges again when it fires: a
// program heard a hundred times a second costs no timer operations.
void KeepAlives::heard() {
    last_heard_ = Clock::now();
    unanswered_since_.reset();
}

// The last keep-alive is judged too, once it has had the time an answer
// takes: the one before each is judged as the next goes.
void KeepAlives::stop() {
    const Clock::duration since = Clock::now() - last_sent_;
    if (running_ && pending_ && since >= kAnswerTime) {
        unanswered(std::chrono::duration_cast<milliseconds>(since).count());
    }
    running_ = false;
    pending_ = false;
    keepalive_timer_.cancel();
    idle_timer_.cancel();
}

void KeepAlives::unanswered(long long sent_ms_ago) {
    err_ << "fake_lfs: the keep-alive sent " << sent_ms_ago << " ms ago was not answered"
         << std::endl;
    events_.unanswered();
}

void KeepAlives::keep_alive() {
    keepalive_timer_.expires_at(next_keepalive_);
    keepalive_timer_.async_wait([this, held = owner_.lock()](std::error_code error) {
        if (error || !running_) {
            return;
        }
        // The simulator closes only an idle program, but a developer should
        // still see a keep-alive go unanswered.
        if (pending_) {
            unanswered(options_.keepalive_ms);
        }
        events_.send();
        if (!running_) {
            return;  // the program went as the keep-alive was sent
        }
        pending_ = true;
        last_sent_ = Clock::now();
        if (!unanswered_since_) {
            unanswered_since_ = Clock::now();
        }
        next_keepalive_ += milliseconds(options_.keepalive_ms);
        keep_alive();
    });
}

// The limit after the program was last heard; a second after the first
// keep-alive since then, when that went (or is due) before the limit but
// less than a second before it.
Clock::time_point KeepAlives::idle_deadline() const {
    const Clock::time_point limit = last_heard_ + std::chrono::seconds(options_.idle_limit_s);
    const Clock::time_point first = unanswered_since_.value_or(next_keepalive_);
    return first <= limit ? std::max(limit, first + kAnswerTime) : limit;
}

void KeepAlives::watch_idle() {
    if (options_.idle_limit_s == 0) {
        return;
    }
    idle_timer_.expires_at(idle_deadline());
    idle_timer_.async_wait([this, held = owner_.lock()](std::error_code error) {
        if (error || !running_) {
            return;
        }
        if (Clock::now() < idle_deadline()) {
            watch_idle();
            return;
        }
        err_ << "fake_lfs: nothing came from the client for " << options_.idle_limit_s
             << " s (the idle limit, --idle-limit); closing the connection" << std::endl;
        events_.silent();
    });
}

}  // namespace fake_lfs
