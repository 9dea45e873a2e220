// A peer that plays the simulator's side of a connection: it listens on
// 127.0.0.1, accepts one client, reads what the client sends (keeping every
// byte) and sends records in any chunking. Every wait is bounded.
//
// Used by the tests and by fake_lfs, on both platforms. Failures to set up
// throw std::system_error; reads and sends report failure by their result.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "insim/records.h"
#include "tools/peer_sockets.h"

namespace sim {

using Bytes = std::vector<uint8_t>;
using std::chrono::milliseconds;

// Records as the simulator builds them.
Bytes version_record(const char* version, uint16_t insim_version, uint8_t reqi = 1);
Bytes tiny_record(uint8_t subtype, uint8_t reqi = 0);
struct CarPosition {
    int32_t x;  // 1/65536 m
    int32_t y;
};
Bytes car_report(const std::vector<CarPosition>& cars);
// Copies `record` bytes as they travel (its Size bytes).
template <typename Record>
Bytes bytes_of(const Record& record) {
    const auto* p = reinterpret_cast<const uint8_t*>(&record);
    return Bytes(p, p + sizeof(Record));
}
Bytes concat(std::initializer_list<Bytes> parts);

class SimPeer {
  public:
    // Listens on 127.0.0.1 at `port`; 0 picks a free port. A non-zero
    // `receive_buffer` sets the accepted connection's receive buffer size,
    // which makes a fast sender block sooner.
    explicit SimPeer(uint16_t port = 0, int receive_buffer = 0);
    ~SimPeer();
    SimPeer(const SimPeer&) = delete;
    SimPeer& operator=(const SimPeer&) = delete;

    uint16_t port() const { return port_; }

    // Accepts one client; false when none came in time.
    bool accept(milliseconds timeout);

    // Reads exactly `count` bytes; false on time-out or when the client
    // closed first (what did arrive is still kept in received()).
    bool read_exact(uint8_t* buffer, std::size_t count, milliseconds timeout);
    // Reads one record by its size byte. A size byte of 0 gives one byte.
    std::optional<Bytes> read_record(milliseconds timeout);
    // Reads the 44-byte introduction.
    std::optional<insim::IS_ISI> read_introduction(milliseconds timeout);
    // True when the client closed its end (end of stream) within the time.
    // Bytes that arrive first are kept.
    bool wait_closed(milliseconds timeout);
    // True when at least one byte is ready to read within the time.
    bool readable(milliseconds timeout);

    // Sends all of `data`, in pieces of `chunk` bytes (0: at once), pausing
    // `pause` between pieces so that they reach the client as separate reads.
    bool send(const Bytes& data, std::size_t chunk = 0, milliseconds pause = milliseconds(0));

    // Sends one datagram to 127.0.0.1:`to_port` from a datagram socket bound
    // to this peer's port on 127.0.0.1, as the simulator sends records to a
    // client that named a UDP port.
    bool send_datagram(const Bytes& data, uint16_t to_port);

    // Ends the sending direction only (the client sees the end of the
    // stream); what the client sends can still be read.
    void shut_down_sending();
    // Closes the client's connection normally, or with a reset.
    void close_client();
    void reset_client();

    // Every byte received from the client so far.
    const Bytes& received() const { return received_; }

  private:
    peer_sockets::Socket listener_ = peer_sockets::kNoSocket;
    peer_sockets::Socket client_ = peer_sockets::kNoSocket;
    peer_sockets::Socket datagram_ = peer_sockets::kNoSocket;
    uint16_t port_ = 0;
    Bytes received_;
};

}  // namespace sim
