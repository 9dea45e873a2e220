// The simulator's datagram socket: car reports for programs whose
// introduction names a UDP port go from fake_lfs's own port, as the
// simulator sends them, on one socket for all programs.
#pragma once

#include <asio/io_context.hpp>
#include <asio/ip/udp.hpp>
#include <cstdint>
#include <system_error>

#include "tools/protocol/sim_records.h"

namespace fake_lfs {

class Datagrams {
  public:
    // From 127.0.0.1:`port`, opened with the first datagram.
    Datagrams(asio::io_context& io, uint16_t port) : socket_(io), port_(port) {}

    // Sends `record` to 127.0.0.1:`to_port`; false, with `error`, when it
    // cannot.
    bool send(const sim::Bytes& record, uint16_t to_port, std::error_code& error);

  private:
    asio::ip::udp::socket socket_;
    const uint16_t port_;
};

}  // namespace fake_lfs
