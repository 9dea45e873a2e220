// Fuzzes datagram reception: arbitrary datagrams are sent over real UDP
// sockets into read_datagram, and each stored record is checked against the
// size-byte rule: the first Size bytes are the datagram's (cut to 512, padded
// with zeros), the bytes after them are what the store held before.
#include <arpa/inet.h>
#include <fuzzer/FuzzedDataProvider.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "fuzz/loopback.h"
#include "insim/records.h"

namespace {

struct Setup {
    insim::InsimConnection connection;
    int peer = -1;
    int sender = -1;
    sockaddr_in client{};

    Setup() {
        // The client's UDP port: one that is free now.
        const int probe = ::socket(AF_INET, SOCK_DGRAM, 0);
        client.sin_family = AF_INET;
        client.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(probe, reinterpret_cast<sockaddr*>(&client), sizeof client);
        socklen_t length = sizeof client;
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&client), &length);
        ::close(probe);
        peer = fuzz::open_loopback(connection, ntohs(client.sin_port));

        // Datagrams come from the simulator's port, the only peer the
        // client's socket accepts.
        sender = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in from{};
        from.sin_family = AF_INET;
        from.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        from.sin_port = htons(fuzz::listener_port());
        fuzz::check(::bind(sender, reinterpret_cast<sockaddr*>(&from), sizeof from) == 0,
                    "bind sender");
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static Setup setup;
    FuzzedDataProvider input(data, size);
    bool empties_queued = false;
    // Few enough datagrams per run that the socket's queue never overflows
    // (a dropped record would leave the reader waiting).
    for (int sent_count = 0; sent_count < 32 && input.remaining_bytes() > 0; ++sent_count) {
        const auto length = input.ConsumeIntegralInRange<std::size_t>(0, 600);
        const std::vector<uint8_t> datagram = input.ConsumeBytes<uint8_t>(length);
        const ssize_t sent =
            ::sendto(setup.sender, datagram.data(), datagram.size(), 0,
                     reinterpret_cast<const sockaddr*>(&setup.client), sizeof setup.client);
        fuzz::check(sent == static_cast<ssize_t>(datagram.size()), "sendto");
        empties_queued = datagram.empty();
        if (datagram.empty()) {
            continue;  // skipped by the next read
        }
        uint8_t before[insim::kBufferSize];
        std::memcpy(before, setup.connection.current_datagram(), sizeof before);
        fuzz::check(setup.connection.read_datagram() == 0, "read_datagram");

        uint8_t received[insim::kBufferSize] = {};
        std::memcpy(received, datagram.data(), std::min(datagram.size(), sizeof received));
        const std::size_t record_size = received[0];
        const auto* store = reinterpret_cast<const uint8_t*>(setup.connection.current_datagram());
        fuzz::check(std::memcmp(store, received, record_size) == 0, "record bytes");
        fuzz::check(std::memcmp(store + record_size, before + record_size,
                                sizeof before - record_size) == 0,
                    "bytes past Size untouched");
    }
    if (empties_queued) {
        // Take the empty datagrams out of the queue with one more record, so
        // that they do not pile up over runs until the socket drops records.
        const uint8_t flush[4] = {4, 3, 0, 0};
        ::sendto(setup.sender, flush, sizeof flush, 0,
                 reinterpret_cast<const sockaddr*>(&setup.client), sizeof setup.client);
        fuzz::check(setup.connection.read_datagram() == 0, "read_datagram");
    }
    return 0;
}
