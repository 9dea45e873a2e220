// Cost of the point-in-polygon test and throughput of the stream framing.
//
// contains: nanoseconds per call for the street areas and for regular
// polygons of 5 to 5000 corners, with the allocations per call counted.
// Framing: records per second through read_packet over a loopback connection
// fed by a sender thread, beside a baseline that only calls recv into a
// buffer of the connection's size (512 bytes; 2048 for version 9, whose
// sizes count 4-byte units) on the same kind of connection.
#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "app/street_areas.h"
#include "bench/blocking_peer.h"
#include "geometry/polygon.h"
#include "insim/insim_connection.h"
#include "tests/support/allocation_counter.h"

namespace {

using geometry::Point;
using geometry::Polygon;

// Runs `body` for each state iteration with allocations counted, and reports
// allocations per call.
template <typename Body>
void counted(benchmark::State& state, Body body) {
    const std::size_t before = test_support::counted_allocations();
    test_support::count_allocations(true);
    for (auto _ : state) {
        body();
    }
    test_support::count_allocations(false);
    state.counters["allocs_per_call"] =
        benchmark::Counter(static_cast<double>(test_support::counted_allocations() - before) /
                           static_cast<double>(state.iterations()));
}

void BM_ContainsStreetAreas(benchmark::State& state) {
    static const bool filled = (street_names::addAreaCorners(), true);
    (void)filled;
    // Inside, outside, and on or beside edges of each area.
    const Point points[] = {{330, -300}, {300, -300}, {420, -730}, {150, 412},  {50, 550},
                            {124, 541},  {0, 0},      {160, -700}, {203, -767}, {258, 94}};
    std::size_t i = 0;
    counted(state, [&] {
        const Point& p = points[i++ % std::size(points)];
        benchmark::DoNotOptimize(street_names::backstraightArea.contains(p));
        benchmark::DoNotOptimize(street_names::chicaneArea.contains(p));
        benchmark::DoNotOptimize(street_names::sector2Area.contains(p));
    });
    state.counters["corners"] = 5;
    state.SetLabel("3 areas per call");
}
BENCHMARK(BM_ContainsStreetAreas);

// A regular polygon of `corners` corners of radius 10000 round the origin.
Polygon regular_polygon(int corners) {
    Polygon polygon;
    for (int i = 0; i < corners; ++i) {
        const double angle = 2 * M_PI * i / corners;
        polygon.addVertex(Point(static_cast<int32_t>(std::lround(10000 * std::cos(angle))),
                                static_cast<int32_t>(std::lround(10000 * std::sin(angle)))));
    }
    return polygon;
}

void BM_ContainsPolygon(benchmark::State& state) {
    const Polygon polygon = regular_polygon(static_cast<int>(state.range(0)));
    const Point points[] = {{0, 0}, {9000, 100}, {-12000, 5}, {3000, -9950}};
    std::size_t i = 0;
    counted(state,
            [&] { benchmark::DoNotOptimize(polygon.contains(points[i++ % std::size(points)])); });
    state.counters["corners"] = static_cast<double>(state.range(0));
}
BENCHMARK(BM_ContainsPolygon)->Arg(5)->Arg(50)->Arg(500)->Arg(5000);

// A peer that sends records of one size as fast as the client takes them,
// their size bytes counting `unit` bytes.
class Feed {
  public:
    Feed(std::size_t record_size, std::size_t unit) {
        std::vector<uint8_t> record(record_size, 0x5A);
        record[0] = static_cast<uint8_t>(record_size / unit);
        record[1] = 38;
        for (int i = 0; i < 256; ++i) {
            burst_.insert(burst_.end(), record.begin(), record.end());
        }
    }

    // Accepts the client and sends until the connection goes.
    void start() {
        thread_ = std::thread([this] {
            peer_.accept(std::chrono::seconds(5));
            peer_.read_introduction(std::chrono::seconds(5));
            while (peer_.send(burst_)) {
            }
        });
    }
    void stop() { thread_.join(); }
    uint16_t port() const { return peer_.port(); }

  private:
    bench::BlockingPeer peer_;
    sim::Bytes burst_;
    std::thread thread_;
};

// read_packet on `connection`, which declares `insim_version`.
template <typename Connection>
void read_packets(benchmark::State& state, Connection& connection, uint8_t insim_version) {
    const auto size = static_cast<std::size_t>(state.range(0));
    Feed feed(size, insim_version >= insim::kFirstVersionInWordUnits ? insim::kSizeUnitV9 : 1);
    feed.start();
    if (connection.open("127.0.0.1", feed.port(), "bench", "", nullptr, '!', 0, 0, 0,
                        insim_version) != 0) {
        state.SkipWithError("open failed");
        feed.stop();
        return;
    }
    for (auto _ : state) {
        if (connection.read_packet() != 0) {
            state.SkipWithError("read_packet failed");
            break;
        }
    }
    connection.close();
    feed.stop();
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
}

void BM_ReadPacket(benchmark::State& state) {
    static insim::InsimConnection connection;
    read_packets(state, connection, 0);
}
BENCHMARK(BM_ReadPacket)->Arg(4)->Arg(32)->Arg(136)->Arg(252)->UseRealTime();

// Version 9: up to the 452 bytes of a 16-car report and the longest record.
void BM_ReadPacketV9(benchmark::State& state) {
    static insim::InsimConnectionV9 connection;
    read_packets(state, connection, insim::kFirstVersionInWordUnits);
}
BENCHMARK(BM_ReadPacketV9)->Arg(4)->Arg(136)->Arg(452)->Arg(1020)->UseRealTime();

// The same kind of connection read with plain recv calls into `Buffer`
// bytes; an iteration is one record's worth of bytes, so the rates compare
// directly.
template <std::size_t Buffer>
void recv_records(benchmark::State& state, std::size_t unit) {
    const auto size = static_cast<std::size_t>(state.range(0));
    Feed feed(size, unit);
    feed.start();
    // A plain stream socket, introduced to the feed as a client would be.
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(feed.port());
    const uint8_t introduction[44] = {44, 1};
    if (::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::send(socket, introduction, sizeof introduction, 0) != sizeof introduction) {
        state.SkipWithError("connect failed");
        ::close(socket);
        feed.stop();
        return;
    }
    unsigned char buffer[Buffer];
    std::size_t buffered = 0;
    for (auto _ : state) {
        while (buffered < size) {
            const ssize_t got = ::recv(socket, buffer, sizeof buffer, 0);
            if (got <= 0) {
                state.SkipWithError("recv failed");
                break;
            }
            buffered += static_cast<std::size_t>(got);
        }
        buffered -= size;
    }
    ::close(socket);
    feed.stop();
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(size));
}

void BM_RecvBaseline(benchmark::State& state) {
    recv_records<insim::kBufferSize>(state, 1);
}
BENCHMARK(BM_RecvBaseline)->Arg(4)->Arg(32)->Arg(136)->Arg(252)->UseRealTime();

void BM_RecvBaselineV9(benchmark::State& state) {
    recv_records<insim::kBufferSizeV9>(state, insim::kSizeUnitV9);
}
BENCHMARK(BM_RecvBaselineV9)->Arg(4)->Arg(136)->Arg(452)->Arg(1020)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
