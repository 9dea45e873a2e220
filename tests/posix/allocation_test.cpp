// After start-up neither the program's display loop nor the client allocate:
// every buffer lives in the objects made at start.
#include <gtest/gtest.h>

#include <cstring>
#include <future>
#include <vector>

#include "app/display_loop.h"
#include "app/street_areas.h"
#include "insim/format_time.h"
#include "tests/support/allocation_counter.h"
#include "tests/support/connection_fixture.h"

namespace {

using namespace test_support;
using sim::Bytes;

constexpr int32_t kMetre = 65536;

// The allocation check needs an allocator to notice at all: make sure the
// counter sees what it should.
TEST(AllocationCounter, SeesAllocationsOfCountingThreadsOnly) {
    const std::size_t before = counted_allocations();
    auto* unseen = new int(1);
    count_allocations(true);
    auto* seen = new int(2);
    count_allocations(false);
    EXPECT_EQ(counted_allocations(), before + 1);
    delete unseen;
    delete seen;
}

TEST(NoAllocation, DisplayLoopAnswersReportsWithoutAllocating) {
    street_names::addAreaCorners();  // start-up: the area lists are allocated here
    static insim::IS_BTN streetButton{};
    street_names::fillStreetButton(streetButton);

    sim::SimPeer peer;
    insim::InsimConnection connection;
    ASSERT_TRUE(open_without_version(connection, peer));

    std::atomic<std::size_t> during_loop{0};
    auto loop = std::async(std::launch::async, [&] {
        const std::size_t before = counted_allocations();
        count_allocations(true);
        const int result = street_names::runDisplayLoop(connection, streetButton);
        count_allocations(false);
        during_loop = counted_allocations() - before;
        return result;
    });
    constexpr int kReports = 2000;
    const sim::CarPosition cycle[] = {
        {330 * kMetre, -300 * kMetre}, {50 * kMetre, 550 * kMetre}, {0, 0}};
    for (int i = 0; i < kReports; ++i) {
        ASSERT_TRUE(peer.send(sim::concat(
            {sim::car_report({cycle[i % 3]}), i % 100 == 0 ? sim::tiny_record(0) : Bytes{}})));
        ASSERT_TRUE(peer.read_record(kWait));
    }
    peer.close_client();
    ASSERT_EQ(get_bounded(loop, peer), -1);
    EXPECT_EQ(during_loop.load(), 0u);
}

// Reads keep-alives and car reports of `cars` cars by stream and by
// datagram, and sends chat lines, 500 times, counting the allocations.
template <typename Connection>
void expect_no_allocation(Connection& connection, uint8_t insim_version, std::size_t cars) {
    sim::SimPeer peer;
    const uint16_t udp_port = free_udp_port();
    ASSERT_TRUE(open_without_version(connection, peer, udp_port, insim_version));
    const std::size_t unit = unit_of(insim_version);

    auto client = std::async(std::launch::async, [&] {
        const std::size_t before = counted_allocations();
        count_allocations(true);
        insim::IS_MTC chat{};
        chat.Type = insim::ISP_MTC;
        std::strcpy(chat.Text, "hello");
        char stamp[insim::kFormattedTimeSize];
        int failures = 0;
        for (int i = 0; i < 500; ++i) {
            failures += connection.read_packet() != 0;
            failures += connection.read_datagram() != 0;
            failures += connection.write_packet(&chat) != 0;
            failures += insim::format_time(i * 7919, stamp, i % 2) == nullptr;
        }
        count_allocations(false);
        return std::make_pair(failures, counted_allocations() - before);
    });
    const Bytes keepalive = in_units(sim::tiny_record(0), insim_version);
    for (int i = 0; i < 500; ++i) {
        const std::vector<sim::CarPosition> positions(cars, {i, -i});
        ASSERT_TRUE(peer.send(sim::concat({keepalive, sim::car_report(positions, insim_version)})));
        ASSERT_TRUE(peer.send_datagram(sim::car_report(positions, insim_version), udp_port));
        ASSERT_TRUE(read_record_in(peer, unit));  // keep-alive answer
        ASSERT_TRUE(read_record_in(peer, unit));  // chat
    }
    const auto result = get_bounded(client, peer);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->first, 0);
    EXPECT_EQ(result->second, 0u);
    EXPECT_EQ(connection.close(), 0);
}

TEST(NoAllocation, ClientOperationsDoNotAllocate) {
    insim::InsimConnection connection;
    expect_no_allocation(connection, 0, 1);
}

// The same at version 9, with reports of 16 cars.
TEST(NoAllocation, ClientOperationsOfVersionNineDoNotAllocate) {
    insim::InsimConnectionV9 connection;
    expect_no_allocation(connection, 9, insim::kMaxCarsPerReportV9);
}

}  // namespace
