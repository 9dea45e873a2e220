#include "tests/support/sim_peer.h"

#include <asio/bind_cancellation_slot.hpp>
#include <asio/connect.hpp>
#include <asio/post.hpp>
#include <asio/read.hpp>
#include <asio/write.hpp>
#include <future>
#include <memory>
#include <system_error>

#include "tools/common/loopback.h"
#include "tools/common/record_splitter.h"

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

}  // namespace

uint16_t free_udp_port() {
    asio::io_context io;
    asio::ip::udp::socket probe(io, {asio::ip::address_v4::loopback(), 0});
    return probe.local_endpoint().port();
}

StreamEnd::StreamEnd()
    : stream_(io_), work_(asio::make_work_guard(io_)), thread_([this] { io_.run(); }) {}

StreamEnd::~StreamEnd() {
    close_stream();
    work_.reset();
    thread_.join();
}

std::pair<std::error_code, std::size_t> StreamEnd::await(milliseconds timeout, Start start) {
    auto done = std::make_shared<std::promise<std::pair<std::error_code, std::size_t>>>();
    auto cancel = std::make_shared<asio::cancellation_signal>();
    auto result = done->get_future();
    asio::post(io_, [start = std::move(start), done, cancel] {
        start(
            [done](std::error_code error, std::size_t count) {
                done->set_value({error, count});
            },
            cancel->slot());
    });
    if (result.wait_for(timeout) == std::future_status::timeout) {
        asio::post(io_, [cancel] { cancel->emit(asio::cancellation_type::all); });
    }
    return result.get();
}

void StreamEnd::on_thread(const std::function<void()>& work) {
    std::promise<void> done;
    asio::post(io_, [&] {
        work();
        done.set_value();
    });
    done.get_future().wait();
}

void StreamEnd::close_stream() {
    on_thread([this] {
        std::error_code ignored;
        stream_.close(ignored);
    });
}

bool StreamEnd::read_exact(uint8_t* buffer, std::size_t count, milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (ahead() < count) {
        const std::size_t had = ahead_.size();
        ahead_.resize(had + kReadAhead);
        const auto [error, got] =
            await(left_until(deadline), [this, had](Done done, asio::cancellation_slot slot) {
                stream_.async_read_some(asio::buffer(ahead_.data() + had, kReadAhead),
                                        asio::bind_cancellation_slot(slot, std::move(done)));
            });
        ahead_.resize(had + got);
        if (error) {
            take_ahead(ahead());  // what did arrive is still kept
            return false;
        }
    }
    std::copy_n(ahead_.begin() + static_cast<std::ptrdiff_t>(ahead_start_), count, buffer);
    take_ahead(count);
    return true;
}

std::size_t StreamEnd::ahead() const {
    return ahead_.size() - ahead_start_;
}

void StreamEnd::take_ahead(std::size_t count) {
    const auto from = ahead_.begin() + static_cast<std::ptrdiff_t>(ahead_start_);
    received_.insert(received_.end(), from, from + static_cast<std::ptrdiff_t>(count));
    ahead_start_ += count;
    if (ahead_start_ == ahead_.size()) {
        ahead_.clear();
        ahead_start_ = 0;
    }
}

std::optional<Bytes> StreamEnd::read_record(milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    Bytes record(1);
    if (!read_exact(record.data(), 1, timeout)) {
        return std::nullopt;
    }
    const std::optional<std::size_t> length = framing::record_length(record[0], 1);
    if (!length) {
        return std::nullopt;
    }
    record.resize(*length);
    if (!read_exact(record.data() + 1, record.size() - 1, left_until(deadline))) {
        return std::nullopt;
    }
    return record;
}

bool StreamEnd::wait_closed(milliseconds timeout) {
    take_ahead(ahead());
    const auto deadline = Clock::now() + timeout;
    uint8_t buffer[512];
    for (;;) {
        const auto [error, got] =
            await(left_until(deadline), [this, &buffer](Done done, asio::cancellation_slot slot) {
                stream_.async_read_some(asio::buffer(buffer),
                                        asio::bind_cancellation_slot(slot, std::move(done)));
            });
        received_.insert(received_.end(), buffer, buffer + got);
        if (error) {
            return error != asio::error::operation_aborted;
        }
    }
}

bool StreamEnd::readable(milliseconds timeout) {
    if (ahead() > 0) {
        return true;
    }
    const auto [error, got] = await(timeout, [this](Done done, asio::cancellation_slot slot) {
        stream_.async_wait(
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
        const auto [error, sent] =
            await(kSendBound, [this, &data, at, piece](Done done, asio::cancellation_slot slot) {
                asio::async_write(stream_, asio::buffer(data.data() + at, piece),
                                  asio::bind_cancellation_slot(slot, std::move(done)));
            });
        if (error) {
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
    on_thread([&] {
        stream_.send(asio::buffer(&byte, 1), asio::socket_base::message_out_of_band, error);
    });
    return !error;
}

void StreamEnd::shut_down_sending() {
    on_thread([this] {
        std::error_code ignored;
        stream_.shutdown(asio::socket_base::shutdown_send, ignored);
    });
}

SimPeer::SimPeer(uint16_t port, int receive_buffer) : listener_(io_), datagram_(io_) {
    std::error_code error;
    on_thread([&] {
        listener_ = engine::listen_on_loopback(io_, port, error, receive_buffer);
        if (!error) {
            port_ = listener_.local_endpoint().port();
        }
    });
    if (error) {
        throw std::system_error(error, "cannot listen on 127.0.0.1");
    }
}

SimPeer::~SimPeer() {
    on_thread([this] {
        std::error_code ignored;
        listener_.close(ignored);
        datagram_.close(ignored);
    });
}

bool SimPeer::accept(milliseconds timeout) {
    const auto [error, unused] = await(timeout, [this](Done done, asio::cancellation_slot slot) {
        listener_.async_accept(
            stream_, asio::bind_cancellation_slot(slot, [this, done](std::error_code error) {
                if (!error) {
                    engine::send_at_once(stream_);
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
    on_thread([&] {
        if (!datagram_.is_open()) {
            datagram_.open(asio::ip::udp::v4(), error);
            if (!error) {
                datagram_.bind({asio::ip::address_v4::loopback(), port_}, error);
            }
        }
        if (!error) {
            sent = datagram_.send_to(asio::buffer(data),
                                     {asio::ip::address_v4::loopback(), to_port}, 0, error);
        }
    });
    return !error && sent == data.size();
}

void StreamEnd::reset() {
    on_thread([this] {
        std::error_code ignored;
        stream_.set_option(asio::socket_base::linger(true, 0), ignored);
        stream_.close(ignored);
    });
}

SimClient::SimClient(uint16_t port, int receive_buffer) {
    const auto [error, unused] = await(
        milliseconds(5000), [this, port, receive_buffer](Done done, asio::cancellation_slot slot) {
            if (receive_buffer > 0) {
                std::error_code ignored;
                stream_.open(asio::ip::tcp::v4(), ignored);
                stream_.set_option(asio::socket_base::receive_buffer_size(receive_buffer), ignored);
            }
            stream_.async_connect(
                engine::loopback(port),
                asio::bind_cancellation_slot(slot, [this, done](std::error_code error) {
                    if (!error) {
                        engine::send_at_once(stream_);
                    }
                    done(error, 0);
                }));
        });
    connected_ = !error;
}

}  // namespace sim
