// The client end of one connection to the simulator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>

#include "insim/records.h"
#include "insim/socket_layer.h"

namespace insim {

// Opens the stream to the simulator, introduces the program, cuts the
// incoming stream into whole records (answering keep-alives by itself),
// sends records under a lock, and closes with a close request.
//
// All buffers live inside the object, each `BufferSize` bytes; no operation
// allocates, throws or prints. Results are 0 for success and negative for
// failure. Use one of the two kinds named below the class:
// - InsimConnection (512-byte buffers): protocol versions up to 8, whose
//   size byte counts bytes; records of up to 255 bytes.
// - InsimConnectionV9 (2048-byte buffers): also version 9 and later, whose
//   size byte counts 4-byte units; records of up to 1020 bytes, reports of
//   16 cars. Declared at open; until then, and for versions up to 8, it
//   behaves as InsimConnection. When open waits for the version answer, the
//   version that answer reports (the one in use: lower than declared from an
//   older simulator, higher when it no longer serves the declared one)
//   decides the unit from then on, both ways.
//
// Threads: any thread may call write_packet at any time after open. One
// thread at a time reads the stream (read_packet, packet_type,
// current_packet). open and close run while no other call runs.
template <std::size_t BufferSize>
class BasicInsimConnection {
    static_assert(BufferSize == kBufferSize || BufferSize == kBufferSizeV9,
                  "the library holds the two kinds named below");
    static constexpr bool kSpeaksV9 = BufferSize == kBufferSizeV9;
    // With the front record moved to the buffer's start, the rest of the
    // longest record always fits.
    static_assert(BufferSize >= (kSpeaksV9 ? kMaxRecordSizeV9 : kMaxRecordSize));

  public:
    BasicInsimConnection();
    // Destroys the send lock only: sockets still open stay open.
    ~BasicInsimConnection();

    BasicInsimConnection(const BasicInsimConnection&) = delete;
    BasicInsimConnection& operator=(const BasicInsimConnection&) = delete;

    // Connects to `host` (a name or dotted IPv4 address) at `port`, and with a
    // non-zero `udp_port` also sets up a datagram socket bound to that local
    // port. Sends the introduction (`program_name` cut to 15 characters,
    // `admin_password` to 16, and `prefix`, `flags`, `interval`,
    // `udp_port`). With a non-null `version` it waits for the simulator's
    // IS_VER (answering keep-alives) and copies its 20 bytes there.
    // `insim_version` is the protocol version the introduction declares
    // (byte 8): 0, which the simulator serves as version 6, or the version
    // the program is written for. From 9 (kFirstVersionInWordUnits) every
    // size byte, both ways and on the datagram socket too, counts 4-byte
    // units, the introduction's own included (11). On an InsimConnectionV9
    // with a `version` to fill, the answer's InSimVer then sets the unit in
    // use (bytes up to 8, 4-byte units from 9), whatever was declared: while
    // open waits for it, a size byte that is a multiple of 4 counts bytes
    // and any other 4-byte units, which frames the answer (20 or 5) and a
    // keep-alive (4 or 1) either way. Without one, the declared unit holds:
    // declare 9 so only to a simulator that speaks it (release 0.7A and
    // later).
    // Each open starts from empty buffers.
    // Returns 0, or -1 on any failure, after which nothing it opened is left
    // open; at once, with nothing opened or sent, for a version from 9 on an
    // InsimConnection, whose buffers cannot hold its records. When the first
    // record is not IS_VER a close request is sent first and `version` is
    // not written.
    int open(const char* host, uint16_t port, const char* program_name, const char* admin_password,
             IS_VER* version, char prefix, uint16_t flags, uint16_t interval, uint16_t udp_port,
             uint8_t insim_version = 0);

    // Sends the close request (IS_TINY, TINY_CLOSE) and closes the sockets.
    // Returns 0, or -1 when the request could not be sent; the connection is
    // then left open.
    int close();

    // Blocks until the next whole record other than a keep-alive is in and
    // makes it the current record. Keep-alives are answered and skipped.
    // Returns 0, -2 when the simulator closed the stream, or -1 on failure
    // (a failed wait or receive, a keep-alive answer that could not be sent,
    // or a record whose size byte is 0, after which the stream cannot be
    // followed). Bytes received stay buffered after a failure.
    int read_packet();

    // Type byte of the current record; 0 before any record, and for a record
    // of fewer than 2 bytes, which carries no type.
    char packet_type() const;

    // The current record (its first byte is its size byte, as it came),
    // valid until the next read_packet; null while packet_type() is 0.
    // Always the same address.
    char* current_packet();

    // Bytes one step of the size byte counts on this connection: 4 after an
    // open whose version answer reported 9 or later (or, without one, that
    // declared it), else 1. A record's length in bytes is its size byte
    // times this.
    std::size_t size_unit() const;

    // Sends one record under the send lock. For IS_BTN and IS_MTC it first
    // sets Size from the text: a button's text may fill its 240 bytes (it then
    // travels without a terminator); a chat text must end within its 128
    // bytes (at most 127 characters). Other records are sent as their Size
    // says, in the connection's unit (size_unit() bytes a step), so `record`
    // must hold that many bytes. Returns 0 once every byte is sent, or -1
    // when the text is refused (nothing sent, Size untouched) or a send
    // fails.
    int write_packet(void* record);

    // Blocks until one datagram has arrived on the datagram socket and copies
    // its record into the datagram store: as many bytes as its size byte
    // says (in the connection's unit), a short datagram padded with zeros, a
    // long one cut; a size byte of
    // 0 copies nothing. Empty datagrams are skipped. Takes no lock and sends
    // nothing, so it may run on its own thread beside read_packet and
    // write_packet. Returns 0, or -1 when the wait or the receive fails, and
    // at once when the connection has no open datagram socket (opened without
    // a UDP port, or closed); the store then stays as it was.
    int read_datagram();

    // Type byte of the stored datagram record; 0 before the first one.
    char datagram_type() const;

    // The datagram store (never null; BufferSize zero bytes before the first
    // record). Its first Size bytes are the current record. Always the same
    // address; read it only while no read_datagram runs.
    char* current_datagram();

  private:
    socket_layer::Socket tcp_socket;
    socket_layer::Socket udp_socket;
    bool udp_enabled;

    unsigned char stream_buffer[BufferSize];
    uint32_t stream_start;  // where the front record starts in stream_buffer
    uint32_t stream_bytes;  // bytes received and not consumed, from stream_start
    // The last receive filled all the room it was given: more bytes are
    // likely queued.
    bool receive_filled;
    // Size bytes count 1 << unit_shift bytes; on InsimConnectionV9 a flag
    // beside it while open waits for the version answer.
    uint8_t unit_shift;
    unsigned char packet_store[BufferSize];  // copy of the current record
    fd_set read_set;
    fd_set except_set;
    timeval wait_timeout;  // bound of every readiness wait

    unsigned char udp_buffer[BufferSize];
    uint32_t udp_bytes;
    unsigned char datagram_store[BufferSize];
    fd_set udp_read_set;
    fd_set udp_except_set;

    std::mutex send_lock;  // held around every send on the stream

    void reset_buffers();
    void shut_down_sockets();
    int send_locked(const unsigned char* bytes, uint32_t size);
    // Bytes counted by a size byte of `size`, and the size byte of a record
    // of `length` bytes (a multiple of the unit).
    uint32_t length_of(uint8_t size) const;
    uint8_t size_byte_of(std::size_t length) const;
};

// Both kinds are compiled into the library (insim_connection.cpp).
extern template class BasicInsimConnection<kBufferSize>;
extern template class BasicInsimConnection<kBufferSizeV9>;

// Protocol versions up to 8, 512-byte buffers: the program's connection.
using InsimConnection = BasicInsimConnection<kBufferSize>;
// Also versions 9 and later, declared at open; 2048-byte buffers.
using InsimConnectionV9 = BasicInsimConnection<kBufferSizeV9>;

}  // namespace insim
