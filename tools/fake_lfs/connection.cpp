#include "tools/fake_lfs/connection.h"

#include <iostream>

#include "tools/engine/loopback.h"
#include "tools/protocol/counted.h"

namespace fake_lfs {
namespace {

// The system's own send buffer on a program's connection. Kept small, so
// that a program that stops reading shows as sends waiting here, where the
// send bound sees them, rather than as megabytes the system holds unseen.
constexpr int kSystemSendBuffer = 1 << 16;
// How long a finished connection waits for the program to close its side
// once everything has gone to it.
constexpr std::chrono::milliseconds kCloseWait(500);

Clock::duration send_limit(const Options& options) {
    return std::chrono::seconds(options.idle_limit_s > 0 ? options.idle_limit_s
                                                         : kDefaultSendLimitS);
}

asio::ip::tcp::socket prepared(asio::ip::tcp::socket socket) {
    engine::send_at_once(socket);
    std::error_code ignored;
    socket.set_option(asio::socket_base::send_buffer_size(kSystemSendBuffer), ignored);
    return socket;
}

}  // namespace

Connection::Connection(asio::io_context& io, asio::ip::tcp::socket socket, const Options& options,
                       int number, Host& host)
    : io_(io),
      options_(options),
      host_(host),
      number_(number),
      link_(prepared(std::move(socket)), send_limit(options)),
      splitter_(framing::RecordSplitter::of_program(static_cast<int>(options.insim_version))),
      close_timer_(io),
      out_(std::cout, [this] { return host_.marking() ? mark() : std::string(); }),
      err_(std::cerr, [this] { return host_.marking() ? mark() : std::string(); }) {}

void Connection::start() {
    connected_at_ = Clock::now();
    link_.hold(weak_from_this());
    link_.start({
        .received = [this](std::span<const uint8_t> bytes) { take(bytes); },
        .reading_ended = [this](std::error_code error) { reading_ended(error); },
        .sending_ended = [this](std::error_code error) { sending_ended(error); },
        .drained =
            [this] {
                if (!finished_) {
                    sent_all();
                }
            },
        .stalled = [this] { stalled(); },
    });
    connected();
}

std::string Connection::mark() const {
    return "program " + std::to_string(number_) + (name_.empty() ? "" : " \"" + name_ + "\"");
}

std::size_t Connection::unit() const {
    return splitter_.unit() == framing::kUndecided ? framing::kByteUnits : splitter_.unit();
}

void Connection::take(std::span<const uint8_t> bytes) {
    if (finished_) {
        return;
    }
    heard();
    splitter_.feed(bytes);
    while (!finished_) {
        const auto record = splitter_.next();
        if (!record) {
            break;
        }
        received(sim::Bytes(record->begin(), record->end()));
    }
    if (splitter_.lost() && !finished_) {
        err() << "fake_lfs: the client sent a record of size 0, after which its stream "
                 "cannot be followed; closing the connection"
              << std::endl;
        finish(1);
    }
}

// The program's end of the stream: it may still read what is on its way to
// it, which goes before the connection closes. A failure ends both ways.
void Connection::reading_ended(std::error_code error) {
    reading_done_ = true;
    if (!finished_) {
        program_gone();
        finish(0);
    }
    if (error != asio::error::eof || sending_done_) {
        close();
    }
}

void Connection::sending_ended(std::error_code error) {
    sending_done_ = true;
    if (error) {
        if (!finished_) {
            program_gone();
            finish(0);
        }
        close();
    } else if (reading_done_) {
        close();
    } else {
        // Everything has gone; the program has a moment to close its side.
        close_timer_.expires_after(kCloseWait);
        close_timer_.async_wait(held([this](std::error_code wait_error) {
            if (!wait_error) {
                close();
            }
        }));
    }
}

void Connection::stalled() {
    err() << "fake_lfs: the client took nothing sent to it for "
          << std::chrono::duration_cast<std::chrono::seconds>(send_limit(options_)).count()
          << " s; closing the connection with " << sim::counted(link_.queued(), "byte")
          << " not delivered" << std::endl;
    if (finished_) {
        // The connection had ended well but could not deliver its end.
        host_.finished(*this, 1);
    }
    finish(1);
    close();
}

void Connection::send(std::span<const uint8_t> bytes) {
    if (!finished_) {
        link_.send(bytes);
    }
}

void Connection::send_record(const sim::Bytes& record) {
    send_records({record});
}

void Connection::send_records(const std::vector<sim::Bytes>& records) {
    sim::Bytes stream;
    for (const sim::Bytes& record : records) {
        const std::size_t at = stream.size();
        stream.insert(stream.end(), record.begin(), record.end());
        stream[at] = static_cast<uint8_t>(record.size() / unit());
    }
    send(stream);
}

void Connection::finish(int status) {
    if (finished_) {
        return;
    }
    finished_ = true;
    stop_timers();
    close_timer_.cancel();
    host_.finished(*this, status);
    if (!sending_done_) {
        // The program sees the end of the stream after everything sent.
        link_.end_sending();
    }
}

void Connection::close() {
    close_timer_.cancel();
    link_.close();
    if (!closed_) {
        closed_ = true;
        if (!finished_) {
            finished_ = true;
            stop_timers();
            host_.finished(*this, 0);
        }
        host_.closed(*this);
    }
}

}  // namespace fake_lfs
