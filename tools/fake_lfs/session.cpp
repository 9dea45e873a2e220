#include "tools/fake_lfs/session.h"

#include <iostream>

#include "tools/common/loopback.h"

namespace fake_lfs {
namespace {

// The system's own send buffer on the client's connection. Kept small, so
// that a client that stops reading shows as sends waiting here, where the
// send bound sees them, rather than as megabytes the system holds unseen.
constexpr int kSystemSendBuffer = 1 << 16;

// How long a finished session waits for the client to close its side.
constexpr std::chrono::milliseconds kCloseWait(500);

Clock::duration send_limit(const Options& options) {
    return std::chrono::seconds(options.idle_limit_s > 0 ? options.idle_limit_s
                                                         : kDefaultSendLimitS);
}

}  // namespace

ClientSession::ClientSession(asio::io_context& io, asio::ip::tcp::acceptor& acceptor,
                             const Options& options)
    : io_(io),
      options_(options),
      acceptor_(acceptor),
      port_(acceptor.local_endpoint().port()),
      accept_timer_(io),
      close_timer_(io),
      signals_(io, [this] {
          if (!finished_) {
              std::cout << "interrupted; closing" << std::endl;
              finish(0);
          }
      }) {}

int ClientSession::run() {
    accept_timer_.expires_after(std::chrono::seconds(options_.accept_timeout_s));
    accept_timer_.async_wait([this](std::error_code error) {
        if (!error && !client_) {
            std::cerr << "fake_lfs: no client connected within " << options_.accept_timeout_s
                      << " s\n";
            finish(1);
        }
    });
    accept_next();
    io_.run();
    engine::StopSignals::finished();
    return status_;
}

void ClientSession::accept_next() {
    acceptor_.async_accept([this](std::error_code error, asio::ip::tcp::socket socket) {
        if (error == asio::error::operation_aborted || finished_) {
            return;
        }
        if (!error) {
            serve(std::move(socket));
        }
        accept_next();
    });
}

void ClientSession::serve(asio::ip::tcp::socket socket) {
    if (client_) {
        // The simulator takes many programs; the stand-in plays it for one,
        // and says so at once rather than leave another waiting.
        std::cerr << "fake_lfs: refused a second client: this stand-in serves one client at a "
                     "time\n";
        std::error_code ignored;
        socket.shutdown(asio::socket_base::shutdown_both, ignored);
        socket.close(ignored);
        return;
    }
    accept_timer_.cancel();
    engine::send_at_once(socket);
    std::error_code ignored;
    socket.set_option(asio::socket_base::send_buffer_size(kSystemSendBuffer), ignored);
    client_.emplace(std::move(socket), send_limit(options_));
    connected_at_ = Clock::now();
    client_->start({
        .received = [this](std::span<const uint8_t> bytes) { take(bytes); },
        .reading_ended = [this](std::error_code) { ended(); },
        .sending_ended =
            [this](std::error_code error) {
                if (error) {
                    ended();
                }
            },
        .drained =
            [this] {
                if (!finished_) {
                    sent_all();
                }
            },
        .stalled =
            [this] {
                if (!finished_) {
                    std::cerr << "fake_lfs: the client took nothing sent to it for "
                              << std::chrono::duration_cast<std::chrono::seconds>(
                                     send_limit(options_))
                                     .count()
                              << " s; closing the connection\n";
                    finish(1);
                }
                close_client();
            },
    });
    connected();
}

void ClientSession::take(std::span<const uint8_t> bytes) {
    splitter_.feed(bytes);
    if (splitter_.unit() == framing::kUndecided) {
        if (const auto unit = framing::unit_of_session(splitter_.held())) {
            splitter_.set_unit(*unit);
        }
    }
    while (!finished_) {
        const auto record = splitter_.next();
        if (!record) {
            break;
        }
        received(sim::Bytes(record->begin(), record->end()));
    }
    if (splitter_.lost() && !finished_) {
        std::cerr << "fake_lfs: the client sent a record of size 0, after which its stream "
                     "cannot be followed; closing the connection\n";
        finish(1);
    }
}

void ClientSession::ended() {
    if (gone_) {
        return;
    }
    gone_ = true;
    if (!finished_) {
        client_gone();
        finish(status_);
    }
    close_client();
}

void ClientSession::send(std::span<const uint8_t> bytes) {
    if (client_ && !finished_) {
        client_->send(bytes);
    }
}

void ClientSession::finish(int status) {
    if (finished_) {
        return;
    }
    finished_ = true;
    status_ = status;
    stop_timers();
    accept_timer_.cancel();
    engine::close_now(acceptor_);
    signals_.cancel();
    if (!client_ || gone_) {
        close_client();
        return;
    }
    // The client sees the end of the stream after everything sent, and
    // closes its side; a client that does not is closed a little later.
    client_->end_sending();
    close_timer_.expires_after(kCloseWait);
    close_timer_.async_wait([this](std::error_code error) {
        if (!error) {
            close_client();
        }
    });
}

void ClientSession::close_client() {
    close_timer_.cancel();
    if (client_) {
        client_->close();
    }
}

}  // namespace fake_lfs
