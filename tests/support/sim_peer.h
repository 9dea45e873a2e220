// A peer that plays the simulator's side of a connection: it listens on
// 127.0.0.1, accepts one client, reads what the client sends (keeping every
// byte) and sends records in any chunking. Every wait is bounded. A client
// built on the same calls plays the other side.
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
// One report of the first 8 (at most) of `cars`, numbered from 1, no flags.
Bytes car_report(const std::vector<CarPosition>& cars);
// The reports of one interval, as the simulator splits them: at most 8 cars
// each, in car order, PLID and Position counting 1 to cars.size() across
// them, kInfoFirstCar on the first car of the first report and kInfoLastCar
// on the last car of the last. None for no cars.
std::vector<Bytes> interval_reports(const std::vector<CarPosition>& cars);
// Copies `record` bytes as they travel (its Size bytes).
template <typename Record>
Bytes bytes_of(const Record& record) {
    const auto* p = reinterpret_cast<const uint8_t*>(&record);
    return Bytes(p, p + sizeof(Record));
}
Bytes concat(std::initializer_list<Bytes> parts);

// One end of a stream connection on 127.0.0.1: bounded reads that keep every
// byte received, and sends in any chunking.
class StreamEnd {
  public:
    StreamEnd() = default;
    ~StreamEnd();
    StreamEnd(const StreamEnd&) = delete;
    StreamEnd& operator=(const StreamEnd&) = delete;

    // Reads exactly `count` bytes; false on time-out or when the other end
    // closed first (what did arrive is still kept in received()).
    bool read_exact(uint8_t* buffer, std::size_t count, milliseconds timeout);
    // Reads one record by its size byte. A size byte of 0 gives one byte.
    std::optional<Bytes> read_record(milliseconds timeout);
    // True when the other end closed (end of stream) within the time. Bytes
    // that arrive first are kept.
    bool wait_closed(milliseconds timeout);
    // True when at least one byte is ready to read within the time.
    bool readable(milliseconds timeout);

    // Sends all of `data`, in pieces of `chunk` bytes (0: at once), pausing
    // `pause` between pieces so that they reach the other end as separate
    // reads.
    bool send(const Bytes& data, std::size_t chunk = 0, milliseconds pause = milliseconds(0));

    // Sends one byte of urgent (out-of-band) data, which the other end's
    // readiness wait shows as an exceptional condition.
    bool send_urgent(uint8_t byte);

    // Ends the sending direction only (the other end sees the end of the
    // stream); what it sends can still be read.
    void shut_down_sending();

    // Every byte received so far.
    const Bytes& received() const { return received_; }

  protected:
    void close_stream();

    peer_sockets::Socket stream_ = peer_sockets::kNoSocket;
    Bytes received_;
};

// The simulator's side: listens, and accepts one client.
class SimPeer : public StreamEnd {
  public:
    // Listens on 127.0.0.1 at `port`; 0 picks a free port. A non-zero
    // `receive_buffer` sets the accepted connection's receive buffer size,
    // which makes a fast sender block sooner.
    explicit SimPeer(uint16_t port = 0, int receive_buffer = 0);
    ~SimPeer();

    uint16_t port() const { return port_; }

    // Accepts one client; false when none came in time.
    bool accept(milliseconds timeout);

    // Reads the 44-byte introduction.
    std::optional<insim::IS_ISI> read_introduction(milliseconds timeout);

    // Sends one datagram to 127.0.0.1:`to_port` from a datagram socket bound
    // to this peer's port on 127.0.0.1, as the simulator sends records to a
    // client that named a UDP port.
    bool send_datagram(const Bytes& data, uint16_t to_port);

    // Closes the client's connection normally, or with a reset.
    void close_client() { close_stream(); }
    void reset_client();

  private:
    peer_sockets::Socket listener_ = peer_sockets::kNoSocket;
    peer_sockets::Socket datagram_ = peer_sockets::kNoSocket;
    uint16_t port_ = 0;
};

// A client's side, for tests and tools that must send exactly the bytes
// they choose: connects to 127.0.0.1 at a port, with send coalescing off.
class SimClient : public StreamEnd {
  public:
    explicit SimClient(uint16_t port);
    // False when the connection could not be made.
    bool connected() const { return stream_ != peer_sockets::kNoSocket; }
    void close() { close_stream(); }
};

}  // namespace sim
