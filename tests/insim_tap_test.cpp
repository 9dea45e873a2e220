// insim_tap between a client and a peer that plays the simulator: relays both
// ways byte for byte under a burst and under garbage, frames what it relays
// into the capture, and ends with a complete file when either side closes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/connection_fixture.h"
#include "tests/support/fake_lfs.h"
#include "tools/capture_file.h"
#include "tools/hostile_stream.h"

namespace {

using namespace test_support;
using sim::Bytes;

// The whole records of `stream` by their size bytes, up to a size of 0.
std::vector<Bytes> framed(const Bytes& stream) {
    std::vector<Bytes> records;
    for (std::size_t at = 0; at < stream.size() && stream[at] != 0;) {
        const std::size_t end = at + stream[at];
        if (end > stream.size()) {
            break;
        }
        records.emplace_back(stream.begin() + static_cast<long>(at),
                             stream.begin() + static_cast<long>(end));
        at = end;
    }
    return records;
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The tap between a client and a peer on ports of their own.
class Tapped : public ::testing::Test {
  protected:
    void SetUp() override {
        uint16_t port = 0;
        tap = start_listening(
            INSIM_TAP_PROGRAM,
            {"--listen", "0", "--to", std::to_string(simulator.port()), "--out", file}, &port);
        client = std::make_unique<sim::SimClient>(port);
        ASSERT_TRUE(client->connected());
        ASSERT_TRUE(simulator.accept(kWait));
    }
    void TearDown() override { std::filesystem::remove(file); }

    // The capture's records from one side, once the tap has ended.
    std::vector<Bytes> captured(capture::From from) {
        std::string error;
        auto capture = capture::read_capture(file, error);
        EXPECT_TRUE(capture) << error;
        std::vector<Bytes> records;
        if (!capture) {
            return records;
        }
        for (const capture::Entry& entry : capture->entries) {
            if (entry.from == from) {
                records.push_back(entry.record);
            }
        }
        return records;
    }

    const std::string file =
        ::testing::TempDir() + "tap_" + std::to_string(current_process_id()) + ".txt";
    sim::SimPeer simulator;
    std::unique_ptr<ChildProcess> tap;
    std::unique_ptr<sim::SimClient> client;
};

struct RelayCase {
    std::string label;
    Bytes from_simulator;
    Bytes from_client;
    std::vector<std::string> comments;  // lines the capture must hold
};

class TapRelays : public Tapped, public ::testing::WithParamInterface<RelayCase> {};

TEST_P(TapRelays, BothWaysByteForByteAndCapturesWhatItFrames) {
    const RelayCase& c = GetParam();
    // Both sides send and read at once, so that neither can hold the other up.
    auto simulator_sent =
        std::async(std::launch::async, [&] { return simulator.send(c.from_simulator, 1000); });
    auto client_sent = std::async(std::launch::async, [&] { return client->send(c.from_client); });
    Bytes at_client(c.from_simulator.size());
    auto client_read = std::async(std::launch::async, [&] {
        return client->read_exact(at_client.data(), at_client.size(), 60s);
    });
    Bytes at_simulator(c.from_client.size());
    EXPECT_TRUE(simulator.read_exact(at_simulator.data(), at_simulator.size(), 60s));
    EXPECT_TRUE(client_read.get());
    EXPECT_TRUE(simulator_sent.get());
    EXPECT_TRUE(client_sent.get());
    EXPECT_TRUE(at_client == c.from_simulator) << "what the client got differs from what was sent";
    EXPECT_TRUE(at_simulator == c.from_client)
        << "what the simulator got differs from what was sent";

    simulator.close_client();
    EXPECT_TRUE(client->wait_closed(kWait));
    EXPECT_EQ(tap->wait(kWait), 0) << tap->err();
    EXPECT_TRUE(captured(capture::From::kSimulator) == framed(c.from_simulator));
    EXPECT_TRUE(captured(capture::From::kClient) == framed(c.from_client));
    const std::string text = read_file(file);
    for (const std::string& comment : c.comments) {
        EXPECT_NE(text.find("\n# " + comment), std::string::npos) << comment;
    }
}

RelayCase burst() {
    const sim::CarPosition cycle[] = {{330 * 65536, -300 * 65536}, {50 * 65536, 550 * 65536}};
    Bytes reports;
    for (int i = 0; i < 100000; ++i) {
        const Bytes report = sim::car_report({cycle[i % 2]});
        reports.insert(reports.end(), report.begin(), report.end());
    }
    Bytes buttons;
    for (int i = 0; i < 10000; ++i) {
        const Bytes button = {12, insim::ISP_BTN, 1, 0, 237, 0, 32, 0, 1, 70, 60, 10};
        buttons.insert(buttons.end(), button.begin(), button.end());
    }
    return {"burst_of_100000_reports", reports, buttons, {}};
}

RelayCase hostile() {
    std::mt19937 simulator_rng(1);
    std::mt19937 client_rng(2);
    return {"hostile",
            sim::hostile_records(simulator_rng, 20000),
            sim::hostile_records(client_rng, 5000),
            {}};
}

// A size of 0 ends framing for its direction; the bytes after it are still
// relayed. An introduction that names a UDP port gets a comment: datagrams
// do not pass the tap.
RelayCase size_zero() {
    const Bytes report = sim::car_report({{1, 2}});
    insim::IS_ISI isi{};
    isi.Size = sizeof isi;
    isi.Type = insim::ISP_ISI;
    isi.UDPPort = 30000;
    return {"size_zero",
            sim::concat({report, report, Bytes{0, 38, 1, 2}, report, Bytes{200, 1, 2}}),
            sim::concat({sim::bytes_of(isi), sim::tiny_record(0), Bytes{5, 1, 2, 3, 4}}),
            {"S: a record of size 0 ends framing in this direction",
             "the introduction names UDP port 30000: the simulator sends datagrams straight to "
             "the program"}};
}

INSTANTIATE_TEST_SUITE_P(Streams, TapRelays, ::testing::Values(burst(), hostile(), size_zero()),
                         [](const auto& info) { return info.param.label; });

struct CloseCase {
    std::string label;
    bool simulator_closes;
    std::string ending;
};

class TapEnds : public Tapped, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(TapEnds, WhenEitherSideClosesWithStatusZeroAndACompleteFile) {
    const CloseCase& c = GetParam();
    const Bytes report = sim::car_report({{1, 2}});
    const Bytes button = {12, insim::ISP_BTN, 1, 0, 237, 0, 32, 0, 1, 70, 60, 10};
    ASSERT_TRUE(simulator.send(report));
    ASSERT_TRUE(client->read_record(kWait));
    ASSERT_TRUE(client->send(button));
    ASSERT_TRUE(simulator.read_record(kWait));
    if (c.simulator_closes) {
        simulator.close_client();
        EXPECT_TRUE(client->wait_closed(kWait)) << "the tap closes the program's side";
    } else {
        client->close();
        EXPECT_TRUE(simulator.wait_closed(kWait)) << "the tap closes the simulator's side";
    }
    EXPECT_EQ(tap->wait(kWait), 0) << tap->err();
    EXPECT_EQ(captured(capture::From::kSimulator), std::vector<Bytes>{report});
    EXPECT_EQ(captured(capture::From::kClient), std::vector<Bytes>{button});
    const std::string text = read_file(file);
    EXPECT_NE(text.find(": " + c.ending + "\n"), std::string::npos) << text;
    EXPECT_NE(tap->out().find(c.ending + "; 2 records written"), std::string::npos) << tap->out();
}

INSTANTIATE_TEST_SUITE_P(
    Sides, TapEnds,
    ::testing::Values(CloseCase{"simulator", true, "the simulator closed the connection"},
                      CloseCase{"program", false, "the program closed the connection"}),
    [](const auto& info) { return info.param.label; });

TEST(TapWithoutSimulator, ClosesTheProgramsConnectionAndSaysWhatToDo) {
    uint16_t closed_port = 0;
    {
        sim::SimPeer gone;  // a port where nothing listens any more
        closed_port = gone.port();
    }
    const std::string file =
        ::testing::TempDir() + "tap_alone_" + std::to_string(current_process_id()) + ".txt";
    uint16_t port = 0;
    auto tap = start_listening(
        INSIM_TAP_PROGRAM, {"--listen", "0", "--to", std::to_string(closed_port), "--out", file},
        &port);
    sim::SimClient client(port);
    EXPECT_TRUE(client.wait_closed(kWait));
    EXPECT_EQ(tap->wait(kWait), 1);
    std::filesystem::remove(file);
    EXPECT_NE(tap->err().find("nothing listens on 127.0.0.1:" + std::to_string(closed_port) +
                              "; open the simulator's InSim port there, for example by typing "
                              "/insim " +
                              std::to_string(closed_port) + " in the simulator"),
              std::string::npos)
        << tap->err();
}

}  // namespace
