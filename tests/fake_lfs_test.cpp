// fake_lfs behaves as the simulator documents itself: reports of many cars
// split and flagged as the simulator splits them, the idle limit, the limits
// within which it shows buttons and accepts records, and the protocol
// versions it serves.
#include "tests/support/fake_lfs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/connection_fixture.h"

namespace {

using namespace test_support;
using sim::Bytes;

// An introduction that declares protocol version `protocol` and asks for
// the version answer and car reports.
Bytes introduction(uint8_t protocol) {
    insim::IS_ISI isi = sim::introduction("raw client", insim::ISF_MCI, 1000, protocol);
    isi.Prefix = '!';
    return sim::bytes_of(isi);
}

// A client of fake_lfs, introduced and answered with the version record.
struct IntroducedClient {
    explicit IntroducedClient(uint16_t port, uint8_t protocol = 0, int receive_buffer = 0)
        : client(port, receive_buffer) {
        EXPECT_TRUE(client.connected());
        EXPECT_TRUE(client.send(introduction(protocol)));
        auto version = client.read_record(kWait);
        EXPECT_TRUE(version && (*version)[1] == insim::ISP_VER);
    }
    sim::SimClient client;
};

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

struct SplitCase {
    int cars;
    std::size_t reports;
};

class FakeLfsCars : public ::testing::TestWithParam<SplitCase> {};

TEST_P(FakeLfsCars, EachIntervalSplitsItsCarsIntoFlaggedReportsOfAtMostEight) {
    const auto [cars, reports] = GetParam();
    uint16_t port = 0;
    auto simulator = start_fake_lfs(
        {"--port", "0", "--cars", std::to_string(cars), "--interval", "30", "--laps", "0"}, &port);
    IntroducedClient introduced(port);
    sim::SimClient& client = introduced.client;

    // Reports until a fourth interval begins: three whole intervals.
    std::vector<std::vector<Bytes>> intervals;
    while (intervals.size() < 4) {
        auto report = client.read_record(kWait);
        ASSERT_TRUE(report);
        ASSERT_EQ((*report)[1], insim::ISP_MCI);
        const std::size_t count = (*report)[3];
        ASSERT_GE(count, 1u);
        ASSERT_LE(count, insim::kMaxCarsPerReport);
        ASSERT_EQ(report->size(), 4 + 28 * count);
        if (((*report)[4 + 6] & insim::kInfoFirstCar) != 0) {
            intervals.emplace_back();
        }
        ASSERT_FALSE(intervals.empty()) << "the first report is flagged as the first";
        intervals.back().push_back(*report);
    }
    intervals.pop_back();
    for (const std::vector<Bytes>& interval : intervals) {
        ASSERT_EQ(interval.size(), reports);
        int number = 0;
        for (const Bytes& report : interval) {
            for (std::size_t car = 0; car < report[3]; ++car) {
                const uint8_t* at = report.data() + 4 + 28 * car;
                ++number;
                EXPECT_EQ(at[4], number) << "PLID";
                EXPECT_EQ(at[5], number) << "Position";
                const uint8_t expected_flags = (number == 1 ? insim::kInfoFirstCar : 0) |
                                               (number == cars ? insim::kInfoLastCar : 0);
                EXPECT_EQ(at[6], expected_flags) << "car " << number;
            }
        }
        EXPECT_EQ(number, cars);
    }
    ASSERT_TRUE(client.send(sim::tiny_record(insim::TINY_CLOSE)));
    EXPECT_EQ(simulator->wait(kWait), 0) << simulator->err();
}

INSTANTIATE_TEST_SUITE_P(Split, FakeLfsCars,
                         ::testing::Values(SplitCase{1, 1}, SplitCase{8, 1}, SplitCase{9, 2},
                                           SplitCase{16, 2}, SplitCase{48, 6}),
                         [](const auto& info) { return std::to_string(info.param.cars); });

// A button with the program's fields and `text`, sized as write_packet sizes it.
Bytes button(const std::string& text, uint8_t field = 0, uint8_t value = 0) {
    insim::IS_BTN record = button_with_text(0);
    record.L = 1;
    record.T = 70;
    record.W = 60;
    record.H = 10;
    std::memcpy(record.Text, text.data(), std::min(text.size(), sizeof record.Text));
    Bytes bytes = sim::bytes_of(record);
    bytes.resize(12 + (text.size() + 3) / 4 * 4);
    bytes[0] = static_cast<uint8_t>(bytes.size());
    if (field != 0) {
        bytes[field] = value;
    }
    return bytes;
}

// A client of fake_lfs, introduced, and fake_lfs itself.
struct Session {
    sim::SimClient& client;
    ChildProcess& simulator;
    uint16_t port;
};

// One edge of fake_lfs's timing: how a client behaves once introduced, and
// how the session must end.
struct TimingCase {
    std::string label;
    std::vector<std::string> args;  // beyond --port 0 --laps 0
    // Plays the client from its introduction to the end of the session.
    std::function<void(Session&)> play;
    long status;
    std::vector<std::string> said = {};    // on fake_lfs's standard error
    std::vector<std::string> unsaid = {};  // never there
    int receive_buffer = 0;                // the client's, when not the system's own
};

class FakeLfsTiming : public ::testing::TestWithParam<TimingCase> {};

TEST_P(FakeLfsTiming, EndsTheSessionOnlyWhenTheClientFails) {
    const TimingCase& c = GetParam();
    std::vector<std::string> args = {"--port", "0", "--laps", "0"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    uint16_t port = 0;
    auto simulator = start_fake_lfs(args, &port);
    IntroducedClient introduced(port, 0, c.receive_buffer);
    Session session{introduced.client, *simulator, port};
    c.play(session);
    EXPECT_EQ(simulator->wait(kWait), c.status) << simulator->err();
    for (const std::string& line : c.said) {
        EXPECT_TRUE(has(simulator->err(), line)) << line << "\n" << simulator->err();
    }
    for (const std::string& line : c.unsaid) {
        EXPECT_FALSE(has(simulator->err(), line)) << line << "\n" << simulator->err();
    }
}

// Reads what fake_lfs sends for `time`, answering every keep-alive, and
// every report with a button when `buttons`.
void answer(sim::SimClient& client, std::chrono::milliseconds time, bool buttons = false) {
    const auto until = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < until) {
        auto record = client.read_record(kWait);
        ASSERT_TRUE(record) << "fake_lfs closed the connection";
        if ((*record)[1] == insim::ISP_TINY && (*record)[3] == insim::TINY_NONE) {
            ASSERT_TRUE(client.send(*record));
        } else if (buttons && (*record)[1] == insim::ISP_MCI) {
            ASSERT_TRUE(client.send(button("bbbb")));
        }
    }
}

void close_request(sim::SimClient& client) {
    ASSERT_TRUE(client.send(sim::tiny_record(insim::TINY_CLOSE)));
}

// Processor-time budgets hold for the tool's own time, and not under the
// sanitizers, which slow every call many times over.
#ifdef TOOLS_UNDER_SANITIZER
constexpr bool kBudgetsHold = false;
#else
constexpr bool kBudgetsHold = kProcessorTimeIsTheChilds;
#endif

const std::string kIdleLine = "fake_lfs: nothing came from the client for 1 s";
const std::string kUnanswered = "fake_lfs: the keep-alive sent ";

INSTANTIATE_TEST_SUITE_P(
    Edges, FakeLfsTiming,
    ::testing::Values(
        TimingCase{"silent",
                   {"--idle-limit", "1", "--keepalive", "200"},
                   [](Session& s) {
                       const auto start = std::chrono::steady_clock::now();
                       ASSERT_TRUE(s.client.wait_closed(kWait));
                       EXPECT_GE(std::chrono::steady_clock::now() - start, 1s) << "too early";
                   },
                   1,
                   {kIdleLine, kUnanswered + "200 ms ago was not answered"}},
        TimingCase{"buttons_only",
                   {"--idle-limit", "1", "--keepalive", "200", "--interval", "100"},
                   [](Session& s) {
                       for (int i = 0; i < 8; ++i) {
                           std::this_thread::sleep_for(250ms);
                           ASSERT_TRUE(s.client.send(button("bbbb")));
                       }
                       close_request(s.client);
                   },
                   0,
                   {kUnanswered + "200 ms ago was not answered"},
                   {kIdleLine}},
        // The keep-alive comes as the idle limit runs out: its answer keeps
        // the client, however the two settings meet.
        TimingCase{"keepalive_at_the_idle_limit",
                   {"--idle-limit", "1", "--keepalive", "1000"},
                   [](Session& s) {
                       answer(s.client, 2500ms);
                       close_request(s.client);
                   },
                   0,
                   {},
                   {kIdleLine, kUnanswered}},
        TimingCase{"keepalive_after_the_idle_limit",
                   {"--idle-limit", "1", "--keepalive", "1500"},
                   [](Session& s) {
                       answer(s.client, 2500ms);
                       close_request(s.client);
                   },
                   0,
                   {},
                   {kIdleLine, kUnanswered}},
        // A record may come in pieces over any time: each piece is a sign of
        // life, and only the idle limit judges silence.
        TimingCase{"record_in_slow_pieces",
                   {"--idle-limit", "1", "--keepalive", "300"},
                   [](Session& s) {
                       ASSERT_TRUE(s.client.send(button("slow"), 1, 150ms));
                       EXPECT_TRUE(s.simulator.wait_for_output("button 237 \"slow\"", kWait));
                       close_request(s.client);
                   },
                   0,
                   {},
                   {kIdleLine, "closed the connection"}},
        // A client that stops reading while it still sends: sends wait at
        // most the idle limit, and the keep-alives go on meanwhile.
        TimingCase{"client_stops_reading",
                   {"--idle-limit", "1", "--keepalive", "100", "--interval", "1", "--cars", "48"},
                   [](Session& s) {
                       for (int i = 0; i < 40 && s.client.send(button("bbbb")); ++i) {
                           std::this_thread::sleep_for(100ms);
                       }
                   },
                   1,
                   {"fake_lfs: the client took nothing sent to it for 1 s; closing the "
                    "connection",
                    kUnanswered + "100 ms ago was not answered"},
                   {kIdleLine},
                   4096},
        // Every report on its own timer, without a run of short waits
        // before it: a few percent of a core at most.
        TimingCase{"hundred_reports_a_second",
                   {"--interval", "10"},
                   [](Session& s) {
                       const auto before = s.simulator.cpu_time();
                       answer(s.client, 2000ms, true);
                       const auto used = s.simulator.cpu_time() - before;
                       if (kBudgetsHold) {
                           EXPECT_LT(used.count(), 160) << "ms of processor time in 2 s";
                       }
                       close_request(s.client);
                   },
                   0},
        TimingCase{"second_client_refused_at_once",
                   {},
                   [](Session& s) {
                       sim::SimClient second(s.port);
                       EXPECT_TRUE(second.wait_closed(2s)) << "the second client is closed";
                       answer(s.client, 200ms);
                       close_request(s.client);
                   },
                   0,
                   {"fake_lfs: refused a second client: this stand-in serves one client at a "
                    "time"}}),
    [](const auto& info) { return info.param.label; });

// The introduction too may come in pieces, however far apart.
TEST(FakeLfsIntroduction, MayComeInPiecesOverAnyTime) {
    uint16_t port = 0;
    auto simulator = start_fake_lfs({"--port", "0"}, &port);
    sim::SimClient client(port);
    ASSERT_TRUE(client.connected()) << "port " << port << ": " << client.failure();
    const Bytes isi = introduction(0);
    // 6 s in all, 2 s of silence at most
    ASSERT_TRUE(client.send(isi, 12, 2000ms))
        << client.failure() << "; fake_lfs ended with " << simulator->wait(kWait).value_or(-1000)
        << ", saying: " << simulator->err();
    auto version = client.read_record(kWait);
    ASSERT_TRUE(version) << simulator->err();
    EXPECT_EQ((*version)[1], insim::ISP_VER);
    ASSERT_TRUE(client.send(sim::tiny_record(insim::TINY_CLOSE)));
    EXPECT_EQ(simulator->wait(kWait), 0) << simulator->err();
}

TEST(FakeLfsLimits, EachBrokenLimitGetsOneLineAndTheSessionGoesOn) {
    const std::string show = "fake_lfs: the simulator would not show this button: ";
    Bytes long_text = button(std::string(240, 't'));
    long_text.push_back('u');
    long_text[0] = 253;
    Bytes unpadded = button("ab");
    unpadded.resize(14);
    unpadded[0] = 14;
    const std::pair<Bytes, std::string> cases[] = {
        {button(std::string(240, 't'), 4, 239), ""},  // every field at its limit
        {button("x", 2, 0), show + "ReqI 0, must not be 0"},
        {button("x", 4, 240), show + "ClickID 240, over 239"},
        {button("x", 8, 201), show + "L 201, over 200"},
        {button("x", 9, 255), show + "T 255, over 200"},
        {button("x", 10, 201), show + "W 201, over 200"},
        {button("x", 11, 201), show + "H 201, over 200"},
        {long_text, show + "Size 253, not a multiple of 4; text of 241 bytes, over 240"},
        {unpadded, show + "Size 14, not a multiple of 4"},
        {Bytes{8, insim::ISP_BTN, 1, 0, 7, 0, 0, 0},
         show + "Size 8, shorter than the 12-byte button header"},
        {Bytes{6, 60, 0, 0, 1, 2},
         "fake_lfs: the simulator would not accept this record (IS_OCO, 6 bytes): Size 6, not a "
         "multiple of 4"},
        {Bytes{8, insim::ISP_TINY, 0, 0, 0, 0, 0, 0},
         "fake_lfs: the simulator would not accept this record (IS_TINY, 8 bytes): Size 8 bytes, "
         "where IS_TINY has 4 bytes"},
        {Bytes{8, insim::ISP_MTC, 0, 0, 0, 0, 0, 0},
         "fake_lfs: the simulator would not accept this record (IS_MTC, 8 bytes): Size 8 bytes, "
         "where IS_MTC has 8 + a text of 4 to 128 bytes in steps of 4 (12 to 136 bytes)"},
        {Bytes{6, 70, 0, 0, 1, 2},
         "fake_lfs: the simulator would not accept this record (type 70, 6 bytes): Size 6, not a "
         "multiple of 4"},
        {Bytes{8, 70, 0, 0, 1, 2, 3, 4}, ""},  // unknown, but sized as a record is
    };
    uint16_t port = 0;
    auto simulator = start_fake_lfs({"--port", "0", "--laps", "0"}, &port);
    IntroducedClient introduced(port);
    std::vector<std::string> expected;
    for (const auto& [record, line] : cases) {
        ASSERT_TRUE(introduced.client.send(record));
        if (!line.empty()) {
            expected.push_back(line);
        }
    }
    ASSERT_TRUE(introduced.client.send(sim::tiny_record(insim::TINY_CLOSE)));
    EXPECT_EQ(simulator->wait(kWait), 0);
    EXPECT_EQ(lines_of(simulator->err()), expected);
    EXPECT_TRUE(has(simulator->out(), "button 237 \"" + std::string(240, 't') + "u\""))
        << "buttons are still shown on standard output";
    // Other records are read out, by name as far as their type goes.
    EXPECT_TRUE(has(simulator->out(),
                    "record IS_OCO Size=6 OCOAction=1 Index=2  # IS_OCO has 8 bytes, this one 6"))
        << simulator->out();
    EXPECT_TRUE(has(simulator->out(),
                    "record 0846000001020304  # type 70 is not a record type of the protocol"));
    EXPECT_TRUE(has(simulator->out(), "close request; closing"));
}

struct ProtocolCase {
    uint8_t declared;
    std::string shown;
    bool served;
};

class FakeLfsProtocol : public ::testing::TestWithParam<ProtocolCase> {};

TEST_P(FakeLfsProtocol, ServesVersionsUpToEightAndRefusesLaterOnes) {
    const ProtocolCase& c = GetParam();
    uint16_t port = 0;
    auto simulator = start_fake_lfs({"--port", "0"}, &port);
    sim::SimClient client(port);
    ASSERT_TRUE(client.send(introduction(c.declared)));
    if (c.served) {
        auto version = client.read_record(kWait);
        ASSERT_TRUE(version);
        EXPECT_EQ((*version)[1], insim::ISP_VER);
        ASSERT_TRUE(client.send(sim::tiny_record(insim::TINY_CLOSE)));
    } else {
        EXPECT_TRUE(client.wait_closed(kWait));
        EXPECT_TRUE(client.received().empty()) << "no version is sent to a refused client";
    }
    EXPECT_EQ(simulator->wait(kWait), c.served ? 0 : 1);
    EXPECT_TRUE(has(simulator->out(), ", protocol version " + c.shown)) << simulator->out();
    const std::string refusal = "fake_lfs: the client declares protocol version " +
                                std::to_string(c.declared) + "; from version 9 the simulator";
    EXPECT_EQ(has(simulator->err(), refusal), !c.served) << simulator->err();
}

INSTANTIATE_TEST_SUITE_P(Versions, FakeLfsProtocol,
                         ::testing::Values(ProtocolCase{0, "0 (served as 6)", true},
                                           ProtocolCase{5, "5 (served as 5)", true},
                                           ProtocolCase{8, "8 (served as 8)", true},
                                           ProtocolCase{9, "9 (served as 9)", false},
                                           ProtocolCase{255, "255 (served as 9)", false}),
                         [](const auto& info) { return std::to_string(info.param.declared); });

}  // namespace
