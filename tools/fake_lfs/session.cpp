#include "tools/fake_lfs/session.h"

#include <iostream>

#include "tools/engine/loopback.h"
#include "tools/protocol/counted.h"

namespace fake_lfs {
namespace {

// The system's own send buffer on the client's connection. Kept small, so
// that a client that stops reading shows as sends waiting here, where the
// send bound sees them, rather than as megabytes the system holds unseen.
constexpr int kSystemSendBuffer = 1 << 16;
// How long a finished session waits for the client to close its side once
// everything has gone to it.
constexpr std::chrono::milliseconds kCloseWait(500);
// How long accepting waits after it failed (too many open files, say), so
// that a lasting failure is retried without spinning.
constexpr std::chrono::seconds kAcceptRetry(1);

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
      accept_retry_timer_(io),
      close_timer_(io),
      signals_(io,
               [this] {
                   if (!finished_) {
                       std::cout << "interrupted; closing" << std::endl;
                       finish(0);
                   } else {
                       close_client();  // a second one does not wait for the client
                   }
               }),
      splitter_(framing::RecordSplitter::of_program(static_cast<int>(options.insim_version))) {}

int ClientSession::run(const std::function<bool()>& announce) {
    if (!announce()) {
        return 1;
    }
    accept_timer_.expires_after(std::chrono::seconds(options_.accept_timeout_s));
    accept_timer_.async_wait([this](std::error_code error) {
        if (!error && !client_ && !finished_) {
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
            accept_next();
            return;
        }
        if (!accept_failed_) {
            accept_failed_ = true;
            std::cerr << "fake_lfs: cannot accept a connection: " << error.message()
                      << "; trying again every second\n";
        }
        accept_retry_timer_.expires_after(kAcceptRetry);
        accept_retry_timer_.async_wait([this](std::error_code wait_error) {
            if (!wait_error && !finished_) {
                accept_next();
            }
        });
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

void ClientSession::take(std::span<const uint8_t> bytes) {
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
        std::cerr << "fake_lfs: the client sent a record of size 0, after which its stream "
                     "cannot be followed; closing the connection\n";
        finish(1);
    }
}

// The client's end of the stream: it may still read what is on its way to
// it, which goes before the connection closes. A failure ends both ways.
void ClientSession::reading_ended(std::error_code error) {
    reading_done_ = true;
    if (!finished_) {
        client_gone();
        finish(status_);
    }
    if (error != asio::error::eof || sending_done_) {
        close_client();
    }
}

void ClientSession::sending_ended(std::error_code error) {
    sending_done_ = true;
    if (error) {
        if (!finished_) {
            client_gone();
            finish(status_);
        }
        close_client();
    } else if (reading_done_) {
        close_client();
    } else {
        // Everything has gone; the client has a moment to close its side.
        close_timer_.expires_after(kCloseWait);
        close_timer_.async_wait([this](std::error_code wait_error) {
            if (!wait_error) {
                close_client();
            }
        });
    }
}

void ClientSession::stalled() {
    std::cerr << "fake_lfs: the client took nothing sent to it for "
              << std::chrono::duration_cast<std::chrono::seconds>(send_limit(options_)).count()
              << " s; closing the connection with " << sim::counted(client_->queued(), "byte")
              << " not delivered\n";
    finish(1);
    status_ = 1;  // also when the session had ended well but could not deliver its end
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
    accept_retry_timer_.cancel();
    close_timer_.cancel();
    engine::close_now(acceptor_);
    if (!client_) {
        signals_.cancel();
    } else if (!sending_done_) {
        // The client sees the end of the stream after everything sent.
        client_->end_sending();
    }
}

void ClientSession::close_client() {
    close_timer_.cancel();
    signals_.cancel();
    if (client_) {
        client_->close();
    }
}

}  // namespace fake_lfs
