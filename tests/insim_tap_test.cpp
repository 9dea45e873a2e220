// insim_tap between a client and a peer that plays the simulator: relays both
// ways byte for byte under a burst and under garbage, frames what it relays
// into the capture (in 4-byte units from protocol 9), loses nothing however
// the session ends, and leaves an existing capture as it was when it cannot
// start.
#include <gtest/gtest.h>

#include <future>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/tap_session.h"
#include "tools/simulator/hostile_stream.h"

namespace {

using namespace test_support;
using sim::Bytes;

const Bytes kReport = sim::car_report({{1, 2}});
const Bytes kButton = {12, insim::ISP_BTN, 1, 0, 237, 0, 32, 0, 1, 70, 60, 10};

struct RelayCase {
    std::string label;
    Bytes from_simulator;
    Bytes from_client;
    std::vector<std::string> comments;  // lines the capture must hold
    std::size_t unit = 1;
};

class TapRelays : public ::testing::TestWithParam<RelayCase> {};

TEST_P(TapRelays, BothWaysByteForByteAndCapturesWhatItFrames) {
    const RelayCase& c = GetParam();
    TapSession session;
    // A session in 4-byte units opens with its introduction, as the
    // simulator waits for one before it speaks.
    const std::size_t first = c.unit == 4 ? sizeof(insim::IS_ISI) : 0;
    Bytes introduction(first);
    ASSERT_TRUE(session.program->send(Bytes(c.from_client.begin(), c.from_client.begin() + first)));
    ASSERT_TRUE(session.simulator.read_exact(introduction.data(), first, kWait));
    // Both sides send and read at once, so that neither can hold the other up.
    auto simulator_sent = std::async(
        std::launch::async, [&] { return session.simulator.send(c.from_simulator, 1000); });
    auto client_sent = std::async(std::launch::async, [&] {
        return session.program->send(Bytes(c.from_client.begin() + first, c.from_client.end()));
    });
    Bytes at_client(c.from_simulator.size());
    auto client_read = std::async(std::launch::async, [&] {
        return session.program->read_exact(at_client.data(), at_client.size(), 60s);
    });
    Bytes at_simulator(c.from_client.size());
    std::copy(introduction.begin(), introduction.end(), at_simulator.begin());
    EXPECT_TRUE(session.simulator.read_exact(at_simulator.data() + first,
                                             at_simulator.size() - first, 60s));
    EXPECT_TRUE(client_read.get());
    EXPECT_TRUE(simulator_sent.get());
    EXPECT_TRUE(client_sent.get());
    EXPECT_TRUE(at_client == c.from_simulator) << "what the client got differs from what was sent";
    EXPECT_TRUE(at_simulator == c.from_client)
        << "what the simulator got differs from what was sent";

    session.simulator.close_client();
    EXPECT_TRUE(session.program->wait_closed(kWait));
    session.program->close();
    EXPECT_EQ(session.tap->wait(kWait), 0) << session.tap->err();
    EXPECT_TRUE(session.captured(capture::From::kSimulator) == framed(c.from_simulator, c.unit));
    EXPECT_TRUE(session.captured(capture::From::kClient) == framed(c.from_client, c.unit));
    const std::string text = read_file(session.file);
    for (const std::string& comment : c.comments) {
        EXPECT_NE(text.find("\n" + comment), std::string::npos) << comment << "\n" << text;
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
        buttons.insert(buttons.end(), kButton.begin(), kButton.end());
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

insim::IS_ISI introduction(uint8_t size, uint8_t protocol, uint16_t udp_port = 0) {
    insim::IS_ISI isi{};
    isi.Size = size;
    isi.Type = insim::ISP_ISI;
    isi.Sp0 = protocol;
    isi.UDPPort = udp_port;
    return isi;
}

// A size of 0 ends framing for its direction; the bytes after it are still
// relayed. An introduction that names a UDP port gets a comment: datagrams
// do not pass the tap.
RelayCase size_zero() {
    return {"size_zero",
            sim::concat({kReport, kReport, Bytes{0, 38, 1, 2}, kReport, Bytes{200, 1, 2}}),
            sim::concat({sim::bytes_of(introduction(44, 0, 30000)), sim::tiny_record(0),
                         Bytes{5, 1, 2, 3, 4}}),
            {"# S: a record of size 0 ends framing in this direction",
             "# the introduction names UDP port 30000: the simulator sends datagrams straight to "
             "the program"}};
}

// From protocol 9 every size byte counts 4 bytes, both ways.
RelayCase protocol_9() {
    Bytes report = kReport;
    report[0] = static_cast<uint8_t>(report.size() / 4);
    const Bytes version = {
        5, insim::ISP_VER, 1, 0, '0', '.', '7', 'F', 0, 0, 0, 0, 'S', '3', 0, 0, 9, 0, 0, 0};
    Bytes button = kButton;
    button[0] = 3;
    return {"protocol_9",
            sim::concat({version, report, report}),
            sim::concat({sim::bytes_of(introduction(11, 9)), button, sim::tiny_record(0)}),
            {std::string(capture::kWordUnitsLine)},
            4};
}

INSTANTIATE_TEST_SUITE_P(Streams, TapRelays,
                         ::testing::Values(burst(), hostile(), size_zero(), protocol_9()),
                         [](const auto& info) { return info.param.label; });

TEST_P(TapEndings, LoseNothingAndCompleteTheCapture) {
    const TapEnding& c = GetParam();
    TapSession session(c.setup);
    c.play(session);
    EXPECT_EQ(session.tap->wait(std::chrono::seconds(20)), c.status) << session.tap->err();
    const std::pair<capture::From, const Bytes*> sides[] = {
        {capture::From::kClient, &session.sent_by_program},
        {capture::From::kSimulator, &session.sent_by_simulator}};
    for (const auto& [from, sent] : sides) {
        const std::vector<Bytes> records = session.captured(from);
        std::vector<Bytes> expected = framed(*sent);
        if (!c.whole_capture) {
            EXPECT_LE(records.size(), expected.size());
            expected.resize(std::min(expected.size(), records.size()));
        }
        EXPECT_TRUE(records == expected) << static_cast<char>(from) << ": " << records.size()
                                         << " records captured, " << expected.size() << " expected";
    }
    const std::string text =
        read_file(session.capture_path) + session.tap->out() + session.tap->err();
    if (!c.ending.empty()) {
        EXPECT_NE(text.find(" ms: " + c.ending + "\n"), std::string::npos) << text;
    }
    for (const std::string& note : c.notes) {
        EXPECT_NE(text.find(note), std::string::npos) << note << "\n" << text;
    }
    for (const std::string& note : c.absent) {
        EXPECT_EQ(text.find(note), std::string::npos) << note << "\n" << text;
    }
}

// The program sends two buttons and the start of a third and ends its side;
// the simulator sees that end, and what it still sends reaches the program.
void program_half_closes(TapSession& s) {
    ASSERT_TRUE(s.program_sends(sim::concat({kButton, kButton, Bytes{12, insim::ISP_BTN, 1}})));
    s.program->shut_down_sending();
    EXPECT_TRUE(s.simulator.wait_closed(kWait)) << "the half-close is passed on";
    ASSERT_TRUE(s.simulator_sends(sim::concat({kReport, kReport, kReport})));
    s.simulator.close_client();
    Bytes got(3 * kReport.size());
    EXPECT_TRUE(s.program->read_exact(got.data(), got.size(), kWait))
        << "what came after the program's half-close reaches it";
    EXPECT_TRUE(s.program->wait_closed(kWait));
    s.program->close();
}

void simulator_half_closes(TapSession& s) {
    ASSERT_TRUE(s.simulator_sends(sim::concat({kReport, kReport})));
    s.simulator.shut_down_sending();
    EXPECT_TRUE(s.program->wait_closed(kWait)) << "the half-close is passed on";
    ASSERT_TRUE(s.program_sends(sim::concat({kButton, kButton})));
    s.program->close();
    Bytes got(2 * kButton.size());
    EXPECT_TRUE(s.simulator.read_exact(got.data(), got.size(), kWait))
        << "what came after the simulator's half-close reaches it";
    EXPECT_TRUE(s.simulator.wait_closed(kWait));
    s.simulator.close_client();
}

Bytes burst_of(const Bytes& record, int count) {
    Bytes burst;
    for (int i = 0; i < count; ++i) {
        burst.insert(burst.end(), record.begin(), record.end());
    }
    return burst;
}

// Both sides send a burst and end their side at the same moment; each still
// gets all of the other's.
void both_at_once(TapSession& s) {
    const Bytes reports = burst_of(kReport, 3000);
    const Bytes buttons = burst_of(kButton, 3000);
    s.sent_by_simulator = reports;
    s.sent_by_program = buttons;
    auto simulator_side = std::async(std::launch::async, [&] {
        EXPECT_TRUE(s.simulator.send(reports));
        s.simulator.shut_down_sending();
        EXPECT_TRUE(s.simulator.wait_closed(kWait));
    });
    EXPECT_TRUE(s.program->send(buttons));
    s.program->shut_down_sending();
    EXPECT_TRUE(s.program->wait_closed(kWait));
    simulator_side.get();
    EXPECT_TRUE(s.program->received() == reports) << s.program->received().size() << " bytes";
    EXPECT_TRUE(s.simulator.received() == buttons) << s.simulator.received().size() << " bytes";
    s.program->close();
    s.simulator.close_client();
}

// The simulator sends more than the program's side can hold and closes; the
// program starts reading after more than a second, and slowly, and still
// gets every byte.
void slow_reader(TapSession& s) {
    const Bytes reports = burst_of(kReport, 12000);
    s.sent_by_simulator = reports;
    auto simulator_side = std::async(std::launch::async, [&] {
        EXPECT_TRUE(s.simulator.send(reports));
        s.simulator.close_client();
    });
    std::this_thread::sleep_for(1500ms);
    Bytes got(reports.size());
    for (std::size_t at = 0; at < got.size(); at += 1 << 16) {
        const std::size_t piece = std::min<std::size_t>(1 << 16, got.size() - at);
        ASSERT_TRUE(s.program->read_exact(got.data() + at, piece, kWait)) << "at " << at;
        std::this_thread::sleep_for(100ms);
    }
    simulator_side.get();
    EXPECT_TRUE(got == reports);
    EXPECT_TRUE(s.program->wait_closed(kWait));
    s.program->close();
}

// The program resets its connection; the simulator sees the end, and what it
// sends then is still captured, though nobody can take it.
void program_resets(TapSession& s) {
    ASSERT_TRUE(s.program_sends(sim::concat({kButton, kButton})));
    Bytes got(2 * kButton.size());
    ASSERT_TRUE(s.simulator.read_exact(got.data(), got.size(), kWait));
    s.program->reset();
    EXPECT_TRUE(s.simulator.wait_closed(kWait)) << "the reset is passed on as an end";
    ASSERT_TRUE(s.simulator_sends(kReport));
    s.simulator.close_client();
}

// While nothing flows, the tap sleeps.
void idle_then_simulator_closes(TapSession& s) {
    ASSERT_TRUE(s.simulator_sends(kReport));
    ASSERT_TRUE(s.program->read_record(kWait));
    const auto before = s.tap->cpu_time();
    std::this_thread::sleep_for(1000ms);
    EXPECT_LT((s.tap->cpu_time() - before).count(), 50) << "ms of processor time idle for 1 s";
    s.simulator.close_client();
    EXPECT_TRUE(s.program->wait_closed(kWait));
    s.program->close();
}

// Processor-time budgets do not hold under the sanitizers, which slow every
// call many times over.
#ifdef TOOLS_UNDER_SANITIZER
constexpr bool kBudgetsHold = false;
#else
constexpr bool kBudgetsHold = true;
#endif

// The simulator takes nothing while the program sends more than its side
// holds, and then resets: the tap waits for the simulator without spinning,
// and gives up on it after the stall limit.
void stalled_after_reset(TapSession& s) {
    const Bytes buttons = burst_of(kButton, 100000);
    s.sent_by_program = buttons;
    auto program_side = std::async(std::launch::async, [&] { s.program->send(buttons); });
    std::this_thread::sleep_for(500ms);
    s.program->reset();
    program_side.get();
    const auto before = s.tap->cpu_time();
    std::this_thread::sleep_for(1500ms);
    if (kBudgetsHold) {
        EXPECT_LT((s.tap->cpu_time() - before).count(), 150)
            << "ms of processor time waiting 1.5 s for a stalled side";
    }
}

// The program half-closes; the simulator goes on talking for longer than the
// stall limit, then sends more than the program's side holds, which the
// program reads slowly but steadily: all of it reaches the program.
void other_side_goes_on(TapSession& s) {
    ASSERT_TRUE(s.program_sends(kButton));
    s.program->shut_down_sending();
    EXPECT_TRUE(s.simulator.wait_closed(kWait));
    const Bytes burst = burst_of(kReport, 12000);
    auto simulator_side = std::async(std::launch::async, [&] {
        for (int i = 0; i < 6; ++i) {
            EXPECT_TRUE(s.simulator_sends(kReport));
            std::this_thread::sleep_for(300ms);
        }
        EXPECT_TRUE(s.simulator_sends(burst));
        s.simulator.close_client();
    });
    Bytes got(6 * kReport.size() + burst.size());
    ASSERT_TRUE(s.program->read_exact(got.data(), 6 * kReport.size(), kWait));
    std::this_thread::sleep_for(700ms);
    for (std::size_t at = 6 * kReport.size(); at < got.size(); at += 1 << 16) {
        const std::size_t piece = std::min<std::size_t>(1 << 16, got.size() - at);
        ASSERT_TRUE(s.program->read_exact(got.data() + at, piece, kWait)) << "at " << at;
        std::this_thread::sleep_for(300ms);
    }
    simulator_side.get();
    EXPECT_TRUE(got == s.sent_by_simulator);
    EXPECT_TRUE(s.program->wait_closed(kWait));
    s.program->close();
}

// The program, which the simulator's burst is held back for, resets: the
// tap reads and records the rest of the burst and ends at once, without
// waiting out the stall limit.
void reset_while_held_back(TapSession& s) {
    const Bytes burst = burst_of(kReport, 32768);
    s.sent_by_simulator = burst;
    auto simulator_side = std::async(std::launch::async, [&] {
        s.simulator.send(burst);
        s.simulator.close_client();
    });
    std::this_thread::sleep_for(1000ms);
    s.program->reset();
    // Well inside the stall limit of 20 s, with time to write the capture
    // where a sanitizer slows everything.
    EXPECT_TRUE(s.tap->wait_for_output("records written", 10s)) << "ended at once";
    simulator_side.get();
}

// The simulator takes nothing: the tap gives up on it after the stall limit,
// and still reads and records all the program sends until it ends.
void simulator_stalls(TapSession& s) {
    const Bytes buttons = burst_of(kButton, 100000);
    s.sent_by_program = buttons;
    EXPECT_TRUE(s.program->send(buttons)) << "the tap reads it all";
    s.program->close();
}

// The program sends five buttons and resets while a fault holds them: they
// reach the simulator all the same, and then the end.
void program_resets_while_held(TapSession& s) {
    ASSERT_TRUE(s.program_sends(burst_of(kButton, 5)));
    // The tap reads them within the hold, long before it lets any go.
    std::this_thread::sleep_for(100ms);
    s.program->reset();
    Bytes got(5 * kButton.size());
    EXPECT_TRUE(s.simulator.read_exact(got.data(), got.size(), kWait))
        << "what the fault held was lost with the reset";
    EXPECT_TRUE(s.simulator.wait_closed(kWait)) << "the end follows what was held";
    s.simulator.close_client();
}

// The simulator sends `sent` reports and ends its side while a fault holds
// them: the program gets the `delivered` the faults let through, and then
// the end.
void simulator_ends_while_held(TapSession& s, int sent = 3, int delivered = 3) {
    ASSERT_TRUE(s.simulator_sends(burst_of(kReport, sent)));
    s.simulator.shut_down_sending();
    Bytes got(static_cast<std::size_t>(delivered) * kReport.size());
    EXPECT_TRUE(s.program->read_exact(got.data(), got.size(), kWait))
        << "what the fault held was lost with the end";
    EXPECT_TRUE(s.program->wait_closed(kWait)) << "the end follows what was held";
    s.program->close();
    EXPECT_TRUE(s.simulator.wait_closed(kWait));
    s.simulator.close_client();
}

// The program gets the simulator's first report; the fault resets it
// before the second, so neither that one nor the third is delivered.
void reset_fault_fires(TapSession& s) {
    ASSERT_TRUE(s.simulator_sends(burst_of(kReport, 3)));
    EXPECT_TRUE(s.program->read_record(kWait));
    EXPECT_TRUE(s.program->wait_closed(kWait));
    s.program->close();
    EXPECT_TRUE(s.simulator.wait_closed(kWait));
    s.simulator.close_client();
}

// A folder in the capture's place when the session ends: the capture cannot
// be moved there, and the tap says so.
void capture_cannot_be_moved(TapSession& s) {
    std::filesystem::create_directory(s.file);
    s.capture_path = s.file + ".partial";
    s.simulator.close_client();
    EXPECT_TRUE(s.program->wait_closed(kWait));
    s.program->close();
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, TapEndings,
    ::testing::Values(
        TapEnding{"program_half_closes",
                  {},
                  program_half_closes,
                  0,
                  "the program closed the connection",
                  {"# C: the last 3 bytes are not a whole record",
                   "the program closed the connection; 5 records written"}},
        TapEnding{"simulator_half_closes",
                  {},
                  simulator_half_closes,
                  0,
                  "the simulator closed the connection",
                  {}},
        TapEnding{"both_at_once", {}, both_at_once, 0, "", {" closed the connection"}},
        TapEnding{"slow_reader",
                  {.program_receive_buffer = 4096},
                  slow_reader,
                  0,
                  "the simulator closed the connection",
                  {}},
        TapEnding{"program_resets",
                  {},
                  program_resets,
                  0,
                  "",  // Wine reports the reset as the end of the stream
                  {" ms: the program ",
                   "# 32 bytes from the simulator were not delivered to the program"}},
        TapEnding{"idle", {}, idle_then_simulator_closes, 0, "the simulator closed the connection"},
        TapEnding{"other_side_goes_on_after_a_half_close",
                  {.tap_args = {"--stall-limit", "1"}, .program_receive_buffer = 4096},
                  other_side_goes_on,
                  0,
                  "the program closed the connection"},
        TapEnding{"reset_while_held_back",
                  {.tap_args = {"--stall-limit", "20"}, .program_receive_buffer = 4096},
                  reset_while_held_back,
                  0,
                  "",  // Wine reports the reset as the end of the stream
                  {" ms: the program ", " bytes from the simulator were not delivered"}},
        TapEnding{"simulator_stalls",
                  {.tap_args = {"--stall-limit", "2"}, .simulator_receive_buffer = 4096},
                  simulator_stalls,
                  1,
                  "the simulator took nothing for 2 s",
                  {"insim_tap: the simulator took nothing for 2 s (--stall-limit); "}},
        TapEnding{"capture_cannot_be_moved",
                  {},
                  capture_cannot_be_moved,
                  1,
                  "the simulator closed the connection",
                  {"insim_tap: cannot move "}},
        TapEnding{"stalled_after_reset",
                  {.tap_args = {"--stall-limit", "2"}, .simulator_receive_buffer = 4096},
                  stalled_after_reset,
                  1,
                  "",
                  {"insim_tap: the simulator took nothing for 2 s (--stall-limit); "},
                  false},
        // What a fault holds goes before the end of its direction, also
        // after a reset (regression: it was dropped with the end, uncounted).
        TapEnding{"program_resets_while_latency_holds",
                  {.tap_args = {"--fault", "to-simulator:latency=500"}},
                  program_resets_while_held,
                  0,
                  "",  // Wine reports the reset as the end of the stream
                  {" ms: the program "},
                  true,
                  {"not delivered"}},
        TapEnding{"program_resets_while_a_stall_holds",
                  {.tap_args = {"--fault", "to-simulator:stall=500@2"}},
                  program_resets_while_held,
                  0,
                  "",
                  {" ms: the program "},
                  true,
                  {"not delivered"}},
        TapEnding{"simulator_ends_while_latency_holds",
                  {.tap_args = {"--fault", "to-program:latency=500"}},
                  [](TapSession& s) { simulator_ends_while_held(s); },
                  0,
                  "the simulator closed the connection",
                  {},
                  true,
                  {"not delivered"}},
        // Regression: the program, waiting for what the tap held past the
        // stall limit, was blamed for its silence and closed.
        TapEnding{"simulator_ends_while_a_stall_holds_past_the_stall_limit",
                  {.tap_args = {"--fault", "to-program:stall=1500@2", "--stall-limit", "1"}},
                  [](TapSession& s) { simulator_ends_while_held(s); },
                  0,
                  "the simulator closed the connection",
                  {},
                  true,
                  {"sent nothing and did not end", "not delivered"}},
        // Regression: a latency was noted again after a drop fired on the
        // record it was first noted for.
        TapEnding{
            "latency_noted_once_after_a_drop",
            {.tap_args = {"--fault", "to-program:latency=10", "--fault", "to-program:drop@1"}},
            [](TapSession& s) { simulator_ends_while_held(s, 3, 2); },
            0,
            "the simulator closed the connection",
            {"# fault: to-program latency 10 ms from record 1 on\n",
             "# fault: to-program drop record 1\n",
             "# 32 bytes from the simulator were not delivered to the program\n"},
            true,
            {"from record 2 on"}},
        // Regression: the count left out the record the reset fired before.
        TapEnding{"reset_fault_counts_every_record_not_delivered",
                  {.tap_args = {"--fault", "to-program:reset@2"}},
                  reset_fault_fires,
                  0,
                  "fault: to-program reset before record 2",
                  {"# 64 bytes from the simulator were not delivered to the program\n"}}),
    [](const auto& info) { return info.param.label; });

struct StartCase {
    std::string label;
    bool port_busy;  // else: nothing listens where the simulator should
    std::string error;
};

class TapStart : public ::testing::TestWithParam<StartCase> {};

TEST_P(TapStart, ThatFailsLeavesAnExistingCaptureAsItWas) {
    const StartCase& c = GetParam();
    const std::string file =
        ::testing::TempDir() + "tap_kept_" + std::to_string(current_process_id()) + ".txt";
    const std::string earlier = "# insim capture 1\n0 S 04030000\n";
    std::ofstream(file, std::ios::binary) << earlier;
    uint16_t closed_port = 0;
    {
        sim::SimPeer gone;  // a port where nothing listens any more
        closed_port = gone.port();
    }
    sim::SimPeer busy;
    std::unique_ptr<ChildProcess> tap;
    if (c.port_busy) {
        tap = std::make_unique<ChildProcess>(
            INSIM_TAP_PROGRAM, std::vector<std::string>{"--listen", std::to_string(busy.port()),
                                                        "--to", "29998", "--out", file});
    } else {
        uint16_t port = 0;
        tap = start_listening(INSIM_TAP_PROGRAM,
                              {"--listen", "0", "--to", std::to_string(closed_port), "--out", file},
                              &port);
        sim::SimClient program(port);
        EXPECT_TRUE(program.wait_closed(kWait));
    }
    EXPECT_EQ(tap->wait(kWait), 1);
    const std::string error =
        c.port_busy ? c.error + std::to_string(busy.port())
                    : c.error + std::to_string(closed_port) +
                          "; open the simulator's InSim port there, for example by typing "
                          "/insim " +
                          std::to_string(closed_port) + " in the simulator";
    EXPECT_NE(tap->err().find(error), std::string::npos) << tap->err();
    EXPECT_EQ(read_file(file), earlier);
    EXPECT_FALSE(std::filesystem::exists(file + ".partial"));
    std::filesystem::remove(file);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, TapStart,
    ::testing::Values(StartCase{"port_busy", true, "insim_tap: cannot listen on 127.0.0.1:"},
                      StartCase{"no_simulator", false, "insim_tap: nothing listens on 127.0.0.1:"}),
    [](const auto& info) { return info.param.label; });

}  // namespace
