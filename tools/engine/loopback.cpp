#include "tools/engine/loopback.h"

#include <asio/ip/address_v4.hpp>

namespace engine {
namespace {

// Windows lets a second socket bind a port that one listens on, and take its
// connections, unless the first asks for the port alone; POSIX never does,
// but refuses a port while its old connections wait out TIME_WAIT unless
// asked to reuse it, which Windows never refuses.
#ifdef _WIN32
using PortOption = asio::detail::socket_option::boolean<SOL_SOCKET, SO_EXCLUSIVEADDRUSE>;
#else
using PortOption = asio::socket_base::reuse_address;
#endif

}  // namespace

asio::ip::tcp::endpoint loopback(uint16_t port) {
    return {asio::ip::address_v4::loopback(), port};
}

asio::ip::tcp::acceptor listen_on_loopback(asio::io_context& io, uint16_t port,
                                           std::error_code& error, int receive_buffer) {
    asio::ip::tcp::acceptor acceptor(io);
    const asio::ip::tcp::endpoint at = loopback(port);
    acceptor.open(at.protocol(), error);
    if (!error) {
        acceptor.set_option(PortOption(true), error);
    }
    if (!error && receive_buffer > 0) {
        acceptor.set_option(asio::socket_base::receive_buffer_size(receive_buffer), error);
    }
    if (!error) {
        acceptor.bind(at, error);
    }
    if (!error) {
        acceptor.listen(asio::socket_base::max_listen_connections, error);
    }
    if (error) {
        std::error_code ignored;
        acceptor.close(ignored);
    }
    return acceptor;
}

void send_at_once(asio::ip::tcp::socket& socket) {
    std::error_code ignored;
    socket.set_option(asio::ip::tcp::no_delay(true), ignored);
}

}  // namespace engine
