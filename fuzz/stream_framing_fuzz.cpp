// Fuzzes the framing of the stream: the input is a chunk size and a byte
// stream, written over a real loopback connection into read_packet. A model
// of the framing says which records must come out, in order and byte for
// byte, how many keep-alives must be answered (each with 4,3,0,0, none
// returned), and where a size byte of 0 must end reading with -1.
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "fuzz/loopback.h"
#include "insim/records.h"

namespace {

struct Framing {
    enum Kind { kIncomplete, kRecord, kZeroSize } kind;
    std::size_t begin;       // of the record
    std::size_t keepalives;  // skipped before it
};

// What the buffered bytes [from, to) hold: keep-alives, then a record, the
// end of what is complete, or a size byte of 0.
Framing next_record(const uint8_t* stream, std::size_t from, std::size_t to) {
    std::size_t keepalives = 0;
    while (from < to) {
        const std::size_t size = stream[from];
        if (size == 0) {
            return {Framing::kZeroSize, from, keepalives};
        }
        if (from + size > to) {
            break;
        }
        const bool keepalive = size >= 4 && stream[from + 1] == insim::ISP_TINY &&
                               stream[from + 3] == insim::TINY_NONE;
        if (!keepalive) {
            return {Framing::kRecord, from, keepalives};
        }
        ++keepalives;
        from += size;
    }
    return {Framing::kIncomplete, from, keepalives};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    const std::size_t chunk = 1 + data[0] % 64;
    const uint8_t* stream = data + 1;
    const std::size_t length = size - 1;

    static insim::InsimConnection connection;  // every open starts from empty buffers
    const int peer = fuzz::open_loopback(connection);

    std::size_t written = 0;
    std::size_t consumed = 0;
    std::size_t keepalives = 0;
    bool stopped = false;
    while (!stopped && written < length) {
        const std::size_t piece = std::min(chunk, length - written);
        fuzz::check(fuzz::write_all(peer, stream + written, piece), "peer write");
        written += piece;
        for (;;) {
            const Framing next = next_record(stream, consumed, written);
            if (next.kind == Framing::kIncomplete) {
                break;
            }
            const int result = connection.read_packet();
            keepalives += next.keepalives;
            if (next.kind == Framing::kZeroSize) {
                fuzz::check(result == -1, "size byte 0 gives -1");
                stopped = true;
                break;
            }
            fuzz::check(result == 0, "a whole record is returned");
            const std::size_t record_size = stream[next.begin];
            const uint8_t type = record_size >= 2 ? stream[next.begin + 1] : 0;
            fuzz::check(static_cast<uint8_t>(connection.packet_type()) == type, "type");
            const char* packet = connection.current_packet();
            fuzz::check((packet == nullptr) == (type == 0), "null exactly for type 0");
            if (packet != nullptr) {
                fuzz::check(std::memcmp(packet, stream + next.begin, record_size) == 0,
                            "record bytes");
            }
            consumed = next.begin + record_size;
        }
    }
    if (!stopped) {
        ::shutdown(peer, SHUT_WR);
        const Framing rest = next_record(stream, consumed, written);
        fuzz::check(connection.read_packet() == -2, "end of stream gives -2");
        keepalives += rest.keepalives;
    }

    static uint8_t answers[8192];
    const std::size_t answered = fuzz::read_ready(peer, answers, sizeof answers);
    fuzz::check(answered == 4 * keepalives, "one answer per keep-alive, nothing else");
    for (std::size_t i = 0; i < answered; i += 4) {
        fuzz::check(
            answers[i] == 4 && answers[i + 1] == 3 && answers[i + 2] == 0 && answers[i + 3] == 0,
            "keep-alive answer is 4,3,0,0");
    }

    connection.close();
    // A reset leaves no connection waiting in TIME_WAIT, so that thousands of
    // runs do not use up the local ports.
    linger hard{1, 0};
    ::setsockopt(peer, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    ::close(peer);
    return 0;
}
