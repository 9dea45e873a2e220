// Stream sockets on 127.0.0.1 as the tools open them: a listener that no
// other socket can take over, and connections that send without coalescing
// small writes, so that each record leaves as it is sent.
#pragma once

#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>
#include <cstdint>
#include <system_error>

namespace engine {

asio::ip::tcp::endpoint loopback(uint16_t port);

// Listens on 127.0.0.1 at `port` (0: a free one). A non-zero
// `receive_buffer` sets the receive buffer size that accepted connections
// inherit. On failure the acceptor is closed and `error` says why.
asio::ip::tcp::acceptor listen_on_loopback(asio::io_context& io, uint16_t port,
                                           std::error_code& error, int receive_buffer = 0);

// Turns send coalescing off on a connected socket.
void send_at_once(asio::ip::tcp::socket& socket);

// Closes a socket or acceptor, cancelling what is pending on it first, so
// that every operation completes: Wine's completion ports never complete a
// send still pending on a socket that is closed, and a tool would wait for
// it forever.
template <typename Closable>
void close_now(Closable& closable) {
    std::error_code ignored;
    closable.cancel(ignored);
    closable.close(ignored);
}

}  // namespace engine
