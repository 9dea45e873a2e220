#include "insim/insim_connection.h"

#include <cstring>

namespace insim {

namespace sl = socket_layer;

namespace {

constexpr timeval kWaitTimeout{5, 0};
constexpr std::size_t kButtonHeader = offsetof(IS_BTN, Text);
constexpr std::size_t kChatHeader = offsetof(IS_MTC, Text);
constexpr uint8_t kWordUnitShift = 2;  // 4-byte units
static_assert(std::size_t{1} << kWordUnitShift == kSizeUnitV9);
// Beside the declared unit's shift, while open waits for the version answer
// on the kind that speaks 9: the answer says which unit is in use.
constexpr uint8_t kUnitUnanswered = 0x80;

// Copies at most `limit` characters of `text` into a fixed field, zero-filled.
template <std::size_t N>
void copy_text(char (&field)[N], const char* text, std::size_t limit) {
    std::memset(field, 0, N);
    if (text != nullptr) {
        std::memcpy(field, text, strnlen(text, limit));
    }
}

}  // namespace

template <std::size_t BufferSize>
BasicInsimConnection<BufferSize>::BasicInsimConnection()
    : tcp_socket(sl::kInvalidSocket),
      udp_socket(sl::kInvalidSocket),
      udp_enabled(false),
      stream_start(0),
      stream_bytes(0),
      receive_filled(false),
      unit_shift(0),
      wait_timeout(kWaitTimeout),
      udp_bytes(0) {
    reset_buffers();
}

template <std::size_t BufferSize>
BasicInsimConnection<BufferSize>::~BasicInsimConnection() = default;

template <std::size_t BufferSize>
void BasicInsimConnection<BufferSize>::reset_buffers() {
    udp_enabled = false;
    std::memset(stream_buffer, 0, sizeof stream_buffer);
    std::memset(packet_store, 0, sizeof packet_store);
    std::memset(udp_buffer, 0, sizeof udp_buffer);
    std::memset(datagram_store, 0, sizeof datagram_store);
    stream_start = 0;
    stream_bytes = 0;
    receive_filled = false;
    unit_shift = 0;
    udp_bytes = 0;
}

// Closes what open set up and stops the socket layer. The handles are
// forgotten so that a descriptor number the system hands out again is never
// used through this object.
template <std::size_t BufferSize>
void BasicInsimConnection<BufferSize>::shut_down_sockets() {
    if (udp_enabled) {
        sl::close_socket(udp_socket);
    }
    sl::close_socket(tcp_socket);
    sl::clean_up();
    udp_socket = sl::kInvalidSocket;
    tcp_socket = sl::kInvalidSocket;
}

template <std::size_t BufferSize>
int BasicInsimConnection<BufferSize>::open(const char* host, uint16_t port,
                                           const char* program_name, const char* admin_password,
                                           IS_VER* version, char prefix, uint16_t flags,
                                           uint16_t interval, uint16_t udp_port,
                                           uint8_t insim_version) {
    const bool in_words = insim_version >= kFirstVersionInWordUnits;
    if (in_words && !kSpeaksV9) {
        return -1;
    }
    if (sl::start_up() != 0) {
        return -1;
    }
    reset_buffers();
    unit_shift = in_words ? kWordUnitShift : 0;

    tcp_socket = sl::open_stream();
    if (tcp_socket == sl::kInvalidSocket) {
        sl::clean_up();
        return -1;
    }
    sockaddr_in saddr;
    if (!sl::resolve(host, port, saddr) || sl::connect_to(tcp_socket, saddr) < 0) {
        shut_down_sockets();
        return -1;
    }

    if (udp_port != 0) {
        udp_socket = sl::open_datagram();
        if (udp_socket == sl::kInvalidSocket) {
            shut_down_sockets();  // udp_enabled is still false: closes the stream only
            return -1;
        }
        sockaddr_in my_addr{};
        my_addr.sin_family = AF_INET;
        my_addr.sin_addr.s_addr = htonl(INADDR_ANY);
        my_addr.sin_port = htons(udp_port);
        sl::bind_to(udp_socket, my_addr);  // a failed bind does not fail open
        sockaddr_in udp_saddr;
        if (!sl::resolve(host, port, udp_saddr) || sl::connect_to(udp_socket, udp_saddr) < 0) {
            sl::close_socket(udp_socket);
            udp_socket = sl::kInvalidSocket;
            shut_down_sockets();
            return -1;
        }
        udp_enabled = true;
    }

    IS_ISI isi_p{};
    isi_p.Size = size_byte_of(sizeof(IS_ISI));
    isi_p.Type = ISP_ISI;
    isi_p.ReqI = version != nullptr ? 1 : 0;
    isi_p.UDPPort = udp_port;
    isi_p.Flags = flags;
    isi_p.Sp0 = insim_version;
    isi_p.Prefix = static_cast<uint8_t>(prefix);
    isi_p.Interval = interval;
    copy_text(isi_p.Admin, admin_password, sizeof isi_p.Admin);
    copy_text(isi_p.IName, program_name, sizeof isi_p.IName - 1);
    if (write_packet(&isi_p) < 0) {
        shut_down_sockets();
        return -1;
    }

    wait_timeout = kWaitTimeout;
    if (version == nullptr) {
        return 0;
    }
    if constexpr (kSpeaksV9) {
        unit_shift |= kUnitUnanswered;
    }
    if (read_packet() == 0 && static_cast<uint8_t>(packet_type()) == ISP_VER) {
        std::memcpy(version, current_packet(), sizeof(IS_VER));
        if constexpr (kSpeaksV9) {
            // The version in use, which an older simulator makes lower than
            // declared, decides the unit from here on.
            unit_shift = version->InSimVer >= kFirstVersionInWordUnits ? kWordUnitShift : 0;
        }
        return 0;
    }
    if (close() < 0) {
        shut_down_sockets();
    }
    return -1;
}

template <std::size_t BufferSize>
int BasicInsimConnection<BufferSize>::close() {
    IS_TINY cl_packet{size_byte_of(sizeof(IS_TINY)), ISP_TINY, 0, TINY_CLOSE};
    if (write_packet(&cl_packet) < 0) {
        return -1;
    }
    shut_down_sockets();
    return 0;
}

template <std::size_t BufferSize>
int BasicInsimConnection<BufferSize>::read_packet() {
    for (;;) {
        // Remove the record the previous call completed, if it is still whole
        // at the front (an incomplete one stays). Only the front moves: the
        // bytes behind it are moved to the start of the buffer once, before
        // the next receive, not once per record.
        const uint32_t consumed = length_of(stream_buffer[stream_start]);
        if (stream_bytes != 0 && stream_bytes >= consumed) {
            stream_start += consumed;
            stream_bytes -= consumed;
        }

        uint32_t size = stream_bytes != 0 ? length_of(stream_buffer[stream_start]) : 0;
        while (stream_bytes < size || stream_bytes < 1) {
            // A receive that filled all the room it was given most likely left
            // more bytes queued: the next one goes straight to the socket. The
            // bounded wait, with its check for an exceptional condition, runs
            // whenever the stream may be empty.
            const bool more_queued = receive_filled;
            receive_filled = false;
            if (!more_queued) {
                const int ready = sl::wait_readable(tcp_socket, read_set, except_set, wait_timeout);
                if (ready == 0) {
                    continue;
                }
                if (ready < 0 || sl::is_in(tcp_socket, except_set)) {
                    return -1;
                }
            }
            // The buffer holds the longest record, so with the incomplete
            // front record at the start there is always room for the rest.
            std::memmove(stream_buffer, stream_buffer + stream_start, stream_bytes);
            stream_start = 0;
            const uint32_t room = sizeof stream_buffer - stream_bytes;
            const long got = sl::receive(tcp_socket, stream_buffer + stream_bytes, room);
            if (got == 0) {
                return -2;
            }
            if (got < 0) {
                return -1;
            }
            receive_filled = static_cast<uint32_t>(got) == room;
            stream_bytes += static_cast<uint32_t>(got);
            size = length_of(stream_buffer[0]);
        }
        // A size of 0 would never move the stream on: the framing is lost.
        if (size == 0) {
            return -1;
        }

        std::memcpy(packet_store, stream_buffer + stream_start, size);
        // A record too short for its header has no type or subtype of its
        // own; the missing header bytes read as 0, never as an older record's.
        if (size < sizeof(IS_TINY)) {
            std::memset(packet_store + size, 0, sizeof(IS_TINY) - size);
            return 0;
        }
        const auto* tiny = reinterpret_cast<const IS_TINY*>(packet_store);
        if (tiny->Type != ISP_TINY || tiny->SubT != TINY_NONE) {
            return 0;
        }
        IS_TINY keepalive{size_byte_of(sizeof(IS_TINY)), ISP_TINY, 0, TINY_NONE};
        if (write_packet(&keepalive) < 0) {
            return -1;
        }
    }
}

template <std::size_t BufferSize>
char BasicInsimConnection<BufferSize>::packet_type() const {
    return static_cast<char>(packet_store[1]);
}

template <std::size_t BufferSize>
char* BasicInsimConnection<BufferSize>::current_packet() {
    return packet_type() == 0 ? nullptr : reinterpret_cast<char*>(packet_store);
}

template <std::size_t BufferSize>
int BasicInsimConnection<BufferSize>::read_datagram() {
    if (!udp_enabled || udp_socket == sl::kInvalidSocket) {
        return -1;
    }
    std::memset(udp_buffer, 0, sizeof udp_buffer);
    udp_bytes = 0;
    while (udp_bytes == 0) {
        const int ready = sl::wait_readable(udp_socket, udp_read_set, udp_except_set, wait_timeout);
        if (ready == 0) {
            continue;
        }
        if (ready < 0 || sl::is_in(udp_socket, udp_except_set)) {
            return -1;
        }
        const long got =
            sl::receive(udp_socket, udp_buffer + udp_bytes, sizeof udp_buffer - udp_bytes);
        if (got < 0) {
            return -1;
        }
        udp_bytes += static_cast<uint32_t>(got);  // an empty datagram adds nothing
    }
    // The record's own size decides: a short datagram is padded with the
    // buffer's zeros, the rest of a long one is dropped.
    std::memcpy(datagram_store, udp_buffer, length_of(udp_buffer[0]));
    return 0;
}

template <std::size_t BufferSize>
char BasicInsimConnection<BufferSize>::datagram_type() const {
    return static_cast<char>(datagram_store[1]);
}

template <std::size_t BufferSize>
char* BasicInsimConnection<BufferSize>::current_datagram() {
    return reinterpret_cast<char*>(datagram_store);
}

template <std::size_t BufferSize>
int BasicInsimConnection<BufferSize>::write_packet(void* record) {
    auto* bytes = static_cast<unsigned char*>(record);
    std::lock_guard<std::mutex> hold(send_lock);
    int result = -1;
    if (bytes[1] == ISP_BTN) {
        // The text may fill its field; nothing past the record is read.
        auto* button = static_cast<IS_BTN*>(record);
        const std::size_t text = strnlen(button->Text, sizeof button->Text);
        const std::size_t length = kButtonHeader + (text + 3) / 4 * 4;
        button->Size = size_byte_of(length);
        result = send_locked(bytes, static_cast<uint32_t>(length));
    } else if (bytes[1] == ISP_MTC) {
        // The chat size rule always leaves room for a terminator, so a text
        // must end inside its 128-byte field.
        auto* chat = static_cast<IS_MTC*>(record);
        const std::size_t text = strnlen(chat->Text, sizeof chat->Text);
        if (text < sizeof chat->Text) {
            const std::size_t length = kChatHeader + text / 4 * 4 + 4;
            chat->Size = size_byte_of(length);
            result = send_locked(bytes, static_cast<uint32_t>(length));
        }
    } else {
        result = send_locked(bytes, length_of(bytes[0]));
    }
    return result;
}

// Sends all `size` bytes; a short send is followed by the rest under the same
// hold of the lock, so records never interleave or arrive cut.
template <std::size_t BufferSize>
int BasicInsimConnection<BufferSize>::send_locked(const unsigned char* bytes, uint32_t size) {
    uint32_t sent = 0;
    while (sent < size) {
        const long n = sl::send_some(tcp_socket, bytes + sent, size - sent);
        if (n <= 0) {
            return -1;
        }
        sent += static_cast<uint32_t>(n);
    }
    return 0;
}

template <std::size_t BufferSize>
std::size_t BasicInsimConnection<BufferSize>::size_unit() const {
    return length_of(1);
}

// The connection of versions up to 8 counts bytes whatever the field says, so
// its framing is what it always was.
template <std::size_t BufferSize>
uint32_t BasicInsimConnection<BufferSize>::length_of(uint8_t size) const {
    if constexpr (kSpeaksV9) {
        if (unit_shift & kUnitUnanswered) [[unlikely]] {
            // Until the version answer: every length in bytes is a multiple
            // of 4, so another size byte counts 4-byte units. The answer is
            // 20 bytes either way (20, or 5), as is a keep-alive (4, or 1).
            return size % kSizeUnitV9 == 0 ? size : uint32_t{size} << kWordUnitShift;
        }
        return uint32_t{size} << unit_shift;
    } else {
        return size;
    }
}

template <std::size_t BufferSize>
uint8_t BasicInsimConnection<BufferSize>::size_byte_of(std::size_t length) const {
    if constexpr (kSpeaksV9) {
        return static_cast<uint8_t>(length >> (unit_shift & ~kUnitUnanswered));
    } else {
        return static_cast<uint8_t>(length);
    }
}

template class BasicInsimConnection<kBufferSize>;
template class BasicInsimConnection<kBufferSizeV9>;

}  // namespace insim
