#include "tools/engine/link.h"

#include <asio/error.hpp>

#include "tools/engine/loopback.h"

namespace engine {

Link::Link(asio::ip::tcp::socket socket, Clock::duration send_bound)
    : socket_(std::move(socket)), stall_timer_(socket_.get_executor()), send_bound_(send_bound) {
    std::error_code ignored;
    socket_.non_blocking(true, ignored);
}

void Link::start(Events events) {
    events_ = std::move(events);
    reading_ = true;
    read_next();
}

void Link::read_next() {
    if (!reading_ || paused_ || read_pending_ || !is_open()) {
        return;
    }
    read_pending_ = true;
    socket_.async_read_some(asio::buffer(read_buffer_),
                            [this, held = owner_.lock()](std::error_code error, std::size_t count) {
                                read_pending_ = false;
                                if (error == asio::error::operation_aborted || !is_open()) {
                                    return;
                                }
                                if (count > 0 && events_.received) {
                                    events_.received({read_buffer_.data(), count});
                                    if (!is_open()) {
                                        return;
                                    }
                                }
                                if (error) {
                                    reading_ = false;
                                    if (events_.reading_ended) {
                                        events_.reading_ended(error);
                                    }
                                    return;
                                }
                                read_next();
                            });
}

void Link::pause_reading() {
    paused_ = true;
}

void Link::resume_reading() {
    paused_ = false;
    read_next();
}

void Link::send(std::span<const uint8_t> bytes) {
    if (sending_done_ || end_requested_ || !is_open()) {
        undelivered_ += bytes.size();
        return;
    }
    waiting_.insert(waiting_.end(), bytes.begin(), bytes.end());
    if (!writing_) {
        write_next();
    }
}

void Link::end_sending() {
    end_requested_ = true;
    if (!writing_) {
        write_next();
    }
}

void Link::write_next() {
    if (offset_ == sending_.size()) {
        sending_.clear();
        offset_ = 0;
        std::swap(sending_, waiting_);
    }
    if (sending_.empty()) {
        const bool wrote = writing_;
        writing_ = false;
        if (end_requested_ && !sending_done_ && is_open()) {
            std::error_code error;
            socket_.shutdown(asio::socket_base::shutdown_send, error);
            stop_sending(error);
        } else if (wrote && events_.drained) {
            events_.drained();
        }
        return;
    }
    if (!writing_) {
        // Nothing in flight: what the system takes now goes at once, with no
        // completion to wait for; only the rest waits. A relay then answers
        // within one turn of the event loop.
        std::error_code error;
        offset_ += socket_.write_some(
            asio::buffer(sending_.data() + offset_, sending_.size() - offset_), error);
        if (error && error != asio::error::would_block && error != asio::error::try_again) {
            stop_sending(error);
            return;
        }
        if (offset_ == sending_.size()) {
            write_next();  // ends the direction when asked; nothing waited to be drained
            return;
        }
        last_progress_ = Clock::now();
    }
    writing_ = true;
    watch_stall();
    socket_.async_write_some(
        asio::buffer(sending_.data() + offset_, sending_.size() - offset_),
        [this, held = owner_.lock()](std::error_code error, std::size_t count) {
            written(error, count);
        });
}

void Link::written(std::error_code error, std::size_t count) {
    if (error == asio::error::operation_aborted || !is_open()) {
        return;
    }
    if (error) {
        writing_ = false;
        stop_sending(error);
        return;
    }
    offset_ += count;
    last_progress_ = Clock::now();
    write_next();
}

void Link::drop_queue() {
    undelivered_ += queued();
    sending_.clear();
    waiting_.clear();
    offset_ = 0;
    sending_done_ = true;
}

void Link::stop_sending(std::error_code error) {
    if (sending_done_) {
        return;
    }
    drop_queue();
    if (events_.sending_ended) {
        events_.sending_ended(error);
    }
}

// One timer per link, moved on only when it fires: a send that keeps
// progressing costs a clock reading per write, not a timer per write.
void Link::watch_stall() {
    if (stall_watched_) {
        return;
    }
    stall_watched_ = true;
    stall_timer_.expires_at(last_progress_ + send_bound_);
    stall_timer_.async_wait([this, held = owner_.lock()](std::error_code error) {
        stall_watched_ = false;
        if (error || !is_open() || !writing_) {
            return;
        }
        if (Clock::now() - last_progress_ >= send_bound_) {
            last_progress_ = Clock::now();  // the next report, if any, a bound later
            if (events_.stalled) {
                events_.stalled();
            }
        }
        if (is_open() && writing_) {
            watch_stall();
        }
    });
}

void Link::close() {
    if (!is_open()) {
        return;
    }
    drop_queue();
    writing_ = false;
    reading_ = false;
    close_now(socket_);
    stall_timer_.cancel();
}

void Link::reset() {
    if (is_open()) {
        std::error_code ignored;
        socket_.set_option(asio::socket_base::linger(true, 0), ignored);
    }
    close();
}

}  // namespace engine
