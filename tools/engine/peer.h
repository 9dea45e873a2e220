// A peer that plays the simulator's side of a connection with calls that wait,
// each within its bound: it listens on 127.0.0.1, accepts one client, reads
// what the client sends (keeping every byte, unless told not to) and sends
// records in any chunking. A client on the same calls plays the other side. insim_check
// plays the simulator to a program with it, and the tests use it.
//
// Each peer runs the tools' event engine (an io_context) on a thread of its
// own, and each call waits for its operation there, within its bound; a
// test may read on one thread while it sends on another. Failures to set up
// throw std::system_error; reads and sends report failure by their result.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "insim/records.h"
#include "tools/protocol/sim_records.h"

namespace sim {

using std::chrono::milliseconds;

// A UDP port that is free at the moment.
uint16_t free_udp_port();

// The engine a peer runs on (peer.cpp), apart from the header so that
// the many tests that use a peer do not each compile the event library.
struct PeerEngine;

// One end of a stream connection on 127.0.0.1: bounded reads that keep every
// byte received, and sends in any chunking.
class StreamEnd {
  public:
    StreamEnd();
    virtual ~StreamEnd();
    StreamEnd(const StreamEnd&) = delete;
    StreamEnd& operator=(const StreamEnd&) = delete;

    // Reads exactly `count` bytes; false on time-out (what did arrive waits
    // for the next read) or when the other end closed first (what did arrive
    // is kept in received()).
    bool read_exact(uint8_t* buffer, std::size_t count, milliseconds timeout);
    // Reads one record by its size byte, counted in the record unit;
    // nothing on time-out, on the end of the stream, or at a size of 0,
    // where the framing is lost.
    std::optional<Bytes> read_record(milliseconds timeout);
    // Bytes that one step of a size byte counts in the records read from
    // now on: framing::kByteUnits (the start) up to protocol version 8,
    // framing::kWordUnits from 9.
    void set_record_unit(std::size_t unit) { unit_ = unit; }
    // Whatever has arrived, as one read of the stream hands it over; nothing
    // on time-out or at the end of the stream.
    std::optional<Bytes> read_available(milliseconds timeout);
    // True when the other end closed (end of stream, or reset) within the
    // time. Bytes that arrive first are kept.
    bool wait_closed(milliseconds timeout);
    // True when at least one byte is ready to read within the time.
    bool readable(milliseconds timeout);
    // Whether a read met the end of the stream, or a failure.
    bool ended() const { return ended_; }
    // Whether a record read met a size of 0, where the framing is lost.
    bool framing_lost() const { return framing_lost_; }
    // The last operation that failed, and why, for a test's message.
    const std::string& failure() const { return failure_; }

    // Sends all of `data`, in pieces of `chunk` bytes (0: at once), pausing
    // `pause` between pieces so that they reach the other end as separate
    // reads. False when the other end went away or took nothing for a
    // minute.
    bool send(const Bytes& data, std::size_t chunk = 0, milliseconds pause = milliseconds(0));

    // Sends one byte of urgent (out-of-band) data, which the other end's
    // readiness wait shows as an exceptional condition.
    bool send_urgent(uint8_t byte);

    // Ends the sending direction only (the other end sees the end of the
    // stream); what it sends can still be read.
    void shut_down_sending();

    // Every byte received so far (and read by the calls above).
    const Bytes& received() const { return received_; }
    // From now on what is read is not kept in received(): a reader of a
    // long or flooding stream stays bounded.
    void forget_received() { keep_received_ = false; }

    // Closes the connection with a reset instead of the end of the stream.
    void reset();

  protected:
    void close_stream();

    std::string failure_;
    bool framing_lost_ = false;

    std::unique_ptr<PeerEngine> engine_;

  private:
    // Reads until `count` bytes are ahead; false on time-out or the end.
    bool fill(std::size_t count, milliseconds timeout);
    // Hands `count` bytes read ahead over to received_.
    void take_ahead(std::size_t count);
    std::size_t ahead() const;

    Bytes received_;
    bool keep_received_ = true;
    std::size_t unit_ = 1;  // of the size byte, for read_record
    bool ended_ = false;
    Bytes ahead_;  // read from the stream and not yet asked for, from ahead_start_
    std::size_t ahead_start_ = 0;
};

// The simulator's side: listens, and accepts one client.
class SimPeer : public StreamEnd {
  public:
    // Listens on 127.0.0.1 at `port`; 0 picks a free port. A non-zero
    // `receive_buffer` sets the accepted connection's receive buffer size,
    // which makes a fast sender block sooner.
    explicit SimPeer(uint16_t port = 0, int receive_buffer = 0);
    ~SimPeer() override;

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
    void reset_client() { reset(); }

  private:
    uint16_t port_ = 0;
};

// A client's side, for tests and tools that must send exactly the bytes
// they choose: connects to 127.0.0.1 at a port, with send coalescing off. A
// non-zero `receive_buffer` sets its receive buffer size, so that what it
// does not read backs up behind it sooner.
class SimClient : public StreamEnd {
  public:
    explicit SimClient(uint16_t port, int receive_buffer = 0);
    // False when the connection could not be made.
    bool connected() const { return connected_; }
    void close() { close_stream(); }

  private:
    bool connected_ = false;
};

}  // namespace sim
