#include "tools/engine/peer.h"

#include <asio/bind_cancellation_slot.hpp>
#include <asio/cancellation_signal.hpp>
#include <asio/connect.hpp>
#include <asio/executor_work_guard.hpp>
#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>
#include <asio/ip/udp.hpp>
#include <asio/post.hpp>
#include <asio/read.hpp>
#include <asio/write.hpp>
#include <functional>
#include <future>
#include <memory>
#include <system_error>
#include <thread>

#include "tools/engine/loopback.h"
#include "tools/protocol/record_splitter.h"

namespace sim {
namespace {

using Clock = std::chrono::steady_clock;

// What one read asks for: a record-by-record reader takes the rest of it
// from what was read ahead, without a wait of its own.
constexpr std::size_t kReadAhead = 1 << 16;

// The longest a send may wait for the other end to take its bytes.
constexpr milliseconds kSendBound(60000);

// Time left until `deadline`, never negative.
milliseconds left_until(Clock::time_point deadline) {
    return std::max(std::chrono::duration_cast<milliseconds>(deadline - Clock::now()),
                    milliseconds(0));
}

using Done = std::function<void(std::error_code, std::size_t)>;
using Start = std::function<void(Done, asio::cancellation_slot)>;

}  // namespace

// An io_context on a thread of its own, and the sockets a peer has there.
// Each call waits for its operation on that thread, within its bound; a test
// may read on one thread while it sends on another.
struct PeerEngine {
    PeerEngine() : work(asio::make_work_guard(io)), thread([this] { io.run(); }) {}
    ~PeerEngine() {
        on_thread([this] {
            std::error_code ignored;
            stream.close(ignored);
            listener.close(ignored);
            datagram.close(ignored);
        });
        work.reset();
        thread.join();
    }

    // Starts an operation on the engine's thread, with its Done bound to the
    // slot given, and waits for it to call its Done, at most `timeout`; then
    // that operation alone is cancelled (a send on another thread goes on),
    // and its end is still waited for. The operation's error and count.
    std::pair<std::error_code, std::size_t> await(milliseconds timeout, Start start) {
        auto done = std::make_shared<std::promise<std::pair<std::error_code, std::size_t>>>();
        auto cancel = std::make_shared<asio::cancellation_signal>();
        auto result = done->get_future();
        asio::post(io, [start = std::move(start), done, cancel] {
            start(
                [done](std::error_code error, std::size_t count) {
                    done->set_value({error, count});
                },
                cancel->slot());
        });
        if (result.wait_for(timeout) == std::future_status::timeout) {
            asio::post(io, [cancel] { cancel->emit(asio::cancellation_type::all); });
        }
        return result.get();
    }

    // Runs `job` on the engine's thread and waits for it.
    void on_thread(const std::function<void()>& job) {
        std::promise<void> done;
        asio::post(io, [&] {
            job();
            done.set_value();
        });
        done.get_future().wait();
    }

    asio::io_context io;
    asio::ip::tcp::socket stream{io};
    asio::ip::tcp::acceptor listener{io};
    asio::ip::udp::socket datagram{io};
    asio::executor_work_guard<asio::io_context::executor_type> work;
    std::thread thread;
};

uint16_t free_udp_port() {
    asio::io_context io;
    asio::ip::udp::socket probe(io, {asio::ip::address_v4::loopback(), 0});
    return probe.local_endpoint().port();
}

StreamEnd::StreamEnd() : engine_(std::make_unique<PeerEngine>()) {}

StreamEnd::~StreamEnd() = default;

void StreamEnd::close_stream() {
    engine_->on_thread([this] {
        std::error_code ignored;
        engine_->stream.close(ignored);
    });
}

bool StreamEnd::fill(std::size_t count, milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (ahead() < count) {
        // What was taken goes first, so that a stream read record by record
        // never grows the buffer past one read and a record.
        ahead_.erase(ahead_.begin(), ahead_.begin() + static_cast<std::ptrdiff_t>(ahead_start_));
        ahead_start_ = 0;
        const std::size_t had = ahead_.size();
        ahead_.resize(had + kReadAhead);
        const auto [error, got] = engine_->await(
            left_until(deadline), [this, had](Done done, asio::cancellation_slot slot) {
                engine_->stream.async_read_some(
                    asio::buffer(ahead_.data() + had, kReadAhead),
                    asio::bind_cancellation_slot(slot, std::move(done)));
            });
        ahead_.resize(had + got);
        if (error == asio::error::operation_aborted) {
            return false;  // what came stays ahead, for the next read
        }
        if (error) {
            ended_ = true;
            failure_ = "read: " + error.message();
            take_ahead(ahead());  // what did arrive is still kept
            return false;
        }
    }
    return true;
}

bool StreamEnd::read_exact(uint8_t* buffer, std::size_t count, milliseconds timeout) {
    if (!fill(count, timeout)) {
        return false;
    }
    std::copy_n(ahead_.begin() + static_cast<std::ptrdiff_t>(ahead_start_), count, buffer);
    take_ahead(count);
    return true;
}

std::optional<Bytes> StreamEnd::read_available(milliseconds timeout) {
    if (!fill(1, timeout)) {
        return std::nullopt;
    }
    const auto from = ahead_.begin() + static_cast<std::ptrdiff_t>(ahead_start_);
    Bytes bytes(from, ahead_.end());
    take_ahead(bytes.size());
    return bytes;
}

std::size_t StreamEnd::ahead() const {
    return ahead_.size() - ahead_start_;
}

void StreamEnd::take_ahead(std::size_t count) {
    const auto from = ahead_.begin() + static_cast<std::ptrdiff_t>(ahead_start_);
    if (keep_received_) {
        received_.insert(received_.end(), from, from + static_cast<std::ptrdiff_t>(count));
    }
    ahead_start_ += count;
    if (ahead_start_ == ahead_.size()) {
        ahead_.clear();
        ahead_start_ = 0;
    }
}

std::optional<Bytes> StreamEnd::read_record(milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    if (!fill(1, timeout)) {
        return std::nullopt;
    }
    const std::optional<std::size_t> length = framing::record_length(ahead_[ahead_start_], unit_);
    if (!length) {
        take_ahead(1);
        framing_lost_ = true;
        failure_ = "read: a record size of 0, after which nothing is a record";
        return std::nullopt;
    }
    // A record that is not whole in time stays ahead, so that a later read
    // takes it whole.
    Bytes record(*length);
    if (!read_exact(record.data(), record.size(), left_until(deadline))) {
        return std::nullopt;
    }
    return record;
}

bool StreamEnd::wait_closed(milliseconds timeout) {
    take_ahead(ahead());
    const auto deadline = Clock::now() + timeout;
    uint8_t buffer[512];
    for (;;) {
        const auto [error, got] = engine_->await(
            left_until(deadline), [this, &buffer](Done done, asio::cancellation_slot slot) {
                engine_->stream.async_read_some(
                    asio::buffer(buffer), asio::bind_cancellation_slot(slot, std::move(done)));
            });
        if (keep_received_) {
            received_.insert(received_.end(), buffer, buffer + got);
        }
        if (error) {
            return error != asio::error::operation_aborted;
        }
    }
}

bool StreamEnd::readable(milliseconds timeout) {
    if (ahead() > 0) {
        return true;
    }
    const auto [error,
                got] = engine_->await(timeout, [this](Done done, asio::cancellation_slot slot) {
        engine_->stream.async_wait(
            asio::socket_base::wait_read,
            asio::bind_cancellation_slot(slot, [done](std::error_code error) { done(error, 0); }));
    });
    return !error;
}

bool StreamEnd::send(const Bytes& data, std::size_t chunk, milliseconds pause) {
    if (chunk == 0) {
        chunk = data.size();
    }
    for (std::size_t at = 0; at < data.size();) {
        const std::size_t piece = std::min(chunk, data.size() - at);
        const auto [error, sent] = engine_->await(
            kSendBound, [this, &data, at, piece](Done done, asio::cancellation_slot slot) {
                asio::async_write(engine_->stream, asio::buffer(data.data() + at, piece),
                                  asio::bind_cancellation_slot(slot, std::move(done)));
            });
        if (error) {
            failure_ = "send: " + error.message();
            return false;
        }
        at += sent;
        if (pause.count() > 0 && at < data.size()) {
            std::this_thread::sleep_for(pause);
        }
    }
    return true;
}

bool StreamEnd::send_urgent(uint8_t byte) {
    std::error_code error;
    engine_->on_thread([&] {
        engine_->stream.send(asio::buffer(&byte, 1), asio::socket_base::message_out_of_band, error);
    });
    return !error;
}

void StreamEnd::shut_down_sending() {
    engine_->on_thread([this] {
        std::error_code ignored;
        engine_->stream.shutdown(asio::socket_base::shutdown_send, ignored);
    });
}

SimPeer::SimPeer(uint16_t port, int receive_buffer) {
    std::error_code error;
    engine_->on_thread([&] {
        engine_->listener = engine::listen_on_loopback(engine_->io, port, error, receive_buffer);
        if (!error) {
            port_ = engine_->listener.local_endpoint().port();
        }
    });
    if (error) {
        throw std::system_error(error, "cannot listen on 127.0.0.1");
    }
}

SimPeer::~SimPeer() = default;

bool SimPeer::accept(milliseconds timeout) {
    const auto [error, unused] =
        engine_->await(timeout, [this](Done done, asio::cancellation_slot slot) {
            engine_->listener.async_accept(
                engine_->stream,
                asio::bind_cancellation_slot(slot, [this, done](std::error_code error) {
                    if (!error) {
                        engine::send_at_once(engine_->stream);
                    }
                    done(error, 0);
                }));
        });
    return !error;
}

std::optional<insim::IS_ISI> SimPeer::read_introduction(milliseconds timeout) {
    insim::IS_ISI isi{};
    if (!read_exact(reinterpret_cast<uint8_t*>(&isi), sizeof isi, timeout)) {
        return std::nullopt;
    }
    return isi;
}

bool SimPeer::send_datagram(const Bytes& data, uint16_t to_port) {
    std::error_code error;
    std::size_t sent = 0;
    engine_->on_thread([&] {
        if (!engine_->datagram.is_open()) {
            engine_->datagram.open(asio::ip::udp::v4(), error);
            if (!error) {
                engine_->datagram.bind({asio::ip::address_v4::loopback(), port_}, error);
            }
        }
        if (!error) {
            sent = engine_->datagram.send_to(asio::buffer(data),
                                             {asio::ip::address_v4::loopback(), to_port}, 0, error);
        }
    });
    return !error && sent == data.size();
}

void StreamEnd::reset() {
    engine_->on_thread([this] {
        std::error_code ignored;
        engine_->stream.set_option(asio::socket_base::linger(true, 0), ignored);
        engine_->stream.close(ignored);
    });
}

SimClient::SimClient(uint16_t port, int receive_buffer) {
    const auto [error, unused] = engine_->await(
        milliseconds(5000), [this, port, receive_buffer](Done done, asio::cancellation_slot slot) {
            if (receive_buffer > 0) {
                std::error_code ignored;
                engine_->stream.open(asio::ip::tcp::v4(), ignored);
                engine_->stream.set_option(asio::socket_base::receive_buffer_size(receive_buffer),
                                           ignored);
            }
            engine_->stream.async_connect(
                engine::loopback(port),
                asio::bind_cancellation_slot(slot, [this, done](std::error_code error) {
                    if (!error) {
                        engine::send_at_once(engine_->stream);
                    }
                    done(error, 0);
                }));
        });
    connected_ = !error;
    if (error) {
        failure_ = "connect: " + error.message();
    }
}

}  // namespace sim
