#include "tools/fake_lfs/server.h"

#include <algorithm>
#include <asio/post.hpp>
#include <iostream>

#include "tools/engine/loopback.h"

namespace fake_lfs {
namespace {

// How long accepting waits after it failed (too many open files, say), so
// that a lasting failure is retried without spinning.
constexpr std::chrono::seconds kAcceptRetry(1);

}  // namespace

Server::Server(asio::io_context& io, asio::ip::tcp::acceptor& acceptor, const Options& options,
               Rules rules, Make make)
    : io_(io),
      acceptor_(acceptor),
      options_(options),
      rules_(std::move(rules)),
      make_(std::move(make)),
      port_(acceptor.local_endpoint().port()),
      accept_timer_(io),
      accept_retry_timer_(io),
      signals_(io, [this] {
          if (!finished_) {
              std::cout << "interrupted; closing" << std::endl;
              finish(0);
          } else {
              // A second one does not wait for the programs.
              for (const auto& connection : std::vector(connections_)) {
                  connection->close();
              }
          }
      }) {}

int Server::run(const std::function<bool()>& announce) {
    if (!announce()) {
        return 1;
    }
    accept_timer_.expires_after(std::chrono::seconds(options_.accept_timeout_s));
    accept_timer_.async_wait([this](std::error_code error) {
        if (!error && connected_ == 0 && !finished_) {
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

void Server::accept_next() {
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

void Server::serve(asio::ip::tcp::socket socket) {
    if (live().size() >= rules_.max_programs) {
        // Said at once, rather than leave the program waiting.
        std::cerr << rules_.turned_away << std::endl;
        std::error_code ignored;
        socket.shutdown(asio::socket_base::shutdown_both, ignored);
        socket.close(ignored);
        return;
    }
    accept_timer_.cancel();
    connections_.push_back(make_(std::move(socket), ++connected_));
    connections_.back()->start();
}

std::vector<std::shared_ptr<Connection>> Server::live() const {
    std::vector<std::shared_ptr<Connection>> live;
    std::copy_if(connections_.begin(), connections_.end(), std::back_inserter(live),
                 [](const auto& connection) { return !connection->finished(); });
    return live;
}

void Server::send_to_all(const sim::Bytes& record) {
    for (const auto& connection : live()) {
        connection->send_record(record);
    }
}

void Server::finished(Connection&, int status) {
    status_ = std::max(status_, status);
    if (!finished_ && rules_.end_when_all_gone && live().empty()) {
        finish(status_);
    }
}

void Server::closed(Connection& connection) {
    // Let go once the call that closed it has returned.
    asio::post(io_, [this, gone = &connection] {
        std::erase_if(connections_, [gone](const auto& held) { return held.get() == gone; });
        if (finished_ && connections_.empty()) {
            signals_.cancel();
        }
    });
}

void Server::finish(int status) {
    if (finished_) {
        return;
    }
    finished_ = true;
    status_ = std::max(status_, status);
    if (about_to_end_) {
        about_to_end_();
    }
    accept_timer_.cancel();
    accept_retry_timer_.cancel();
    engine::close_now(acceptor_);
    for (const auto& connection : live()) {
        connection->finish(0);
    }
    if (connections_.empty()) {
        signals_.cancel();
    }
}

}  // namespace fake_lfs
