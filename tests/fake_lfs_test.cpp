// fake_lfs behaves as the simulator documents itself: reports of many cars
// split and flagged as the simulator splits them for each protocol version,
// up to eight programs at once on one race, the idle limit, the limits
// within which it shows buttons and accepts records, and the protocol
// versions it serves, each in its own size unit.
#include "tests/support/fake_lfs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <asio/write.hpp>
#include <cstring>
#include <functional>
#include <future>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/connection_fixture.h"
#include "tests/support/tap_session.h"
#include "tools/engine/loopback.h"
#include "tools/protocol/record_text.h"
#include "tools/simulator/lap_route.h"

namespace {

using namespace test_support;
using sim::Bytes;

// Laps that outlast any test: fake_lfs ends once its programs have left.
const std::string kEndless = "1000000";

// An introduction that declares protocol version `protocol` and asks for
// the version answer and car reports.
Bytes introduction(uint8_t protocol, const char* name = "raw client") {
    insim::IS_ISI isi = sim::introduction(name, insim::ISF_MCI, 1000, protocol);
    isi.Prefix = '!';
    return sim::bytes_of(isi);
}

// Bytes that one step of the size byte counts for a program of `protocol`.
std::size_t unit_of(uint8_t protocol) {
    return sim::size_unit(sim::served_version(protocol));
}

// `record`, its size byte counted in `unit` bytes.
Bytes in_unit(Bytes record, std::size_t unit) {
    record[0] = static_cast<uint8_t>(record.size() / unit);
    return record;
}

// A client of fake_lfs, introduced and answered with the version record.
struct IntroducedClient {
    explicit IntroducedClient(uint16_t port, uint8_t protocol = 0, int receive_buffer = 0,
                              const char* name = "raw client")
        : client(port, receive_buffer), unit(unit_of(protocol)) {
        EXPECT_TRUE(client.connected());
        EXPECT_TRUE(client.send(introduction(protocol, name)));
        auto version = read_record_in(client, unit);
        EXPECT_TRUE(version && (*version)[1] == insim::ISP_VER && version->size() == 20);
    }
    bool send(const Bytes& record) { return client.send(in_unit(record, unit)); }
    bool close_request() { return send(sim::tiny_record(insim::TINY_CLOSE)); }

    sim::SimClient client;
    std::size_t unit;
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

// The reports of one interval that `introduced` reads, from the report
// whose first car is flagged as the interval's first to the one whose last
// car is flagged as its last; keep-alives on the way are answered, and
// what the race tells besides is passed over.
std::vector<Bytes> read_interval(IntroducedClient& introduced) {
    std::vector<Bytes> interval;
    while (true) {
        auto record = read_record_in(introduced.client, introduced.unit);
        if (!record) {
            ADD_FAILURE() << "fake_lfs closed the connection or went silent";
            return interval;
        }
        if ((*record)[1] == insim::ISP_TINY && (*record)[3] == insim::TINY_NONE) {
            EXPECT_TRUE(introduced.client.send(*record));
            continue;
        }
        if ((*record)[1] != insim::ISP_MCI) {
            continue;
        }
        const std::size_t count = (*record)[3];
        if (count == 0 || record->size() != 4 + 28 * count) {
            ADD_FAILURE() << "a report of " << count << " cars in " << record->size() << " bytes";
            return interval;
        }
        const uint8_t first = (*record)[4 + 6];
        const uint8_t last = (*record)[4 + 28 * (count - 1) + 6];
        if ((first & insim::kInfoFirstCar) != 0) {
            interval.clear();
        }
        interval.push_back(*record);
        if ((last & insim::kInfoLastCar) != 0 &&
            ((interval[0][4 + 6] & insim::kInfoFirstCar) != 0)) {
            return interval;
        }
    }
}

// Where the cars of an interval are (X and Y), in car order.
std::vector<std::pair<int32_t, int32_t>> cars_of(const std::vector<Bytes>& interval) {
    std::vector<std::pair<int32_t, int32_t>> cars;
    for (const Bytes& report : interval) {
        for (std::size_t car = 0; car < report[3]; ++car) {
            const uint8_t* compcar = report.data() + 4 + 28 * car;
            std::pair<int32_t, int32_t> at;
            std::memcpy(&at.first, compcar + offsetof(insim::CompCar, X), sizeof at.first);
            std::memcpy(&at.second, compcar + offsetof(insim::CompCar, Y), sizeof at.second);
            cars.push_back(at);
        }
    }
    return cars;
}

// The step of the lap at which the first car of `interval` is; the lap's
// length when it is at none.
std::size_t step_of(const std::vector<Bytes>& interval) {
    const auto& route = sim::lap_route();
    const auto first = cars_of(interval).at(0);
    return static_cast<std::size_t>(std::find_if(route.begin(), route.end(),
                                                 [&](const sim::CarPosition& at) {
                                                     return at.x == first.first &&
                                                            at.y == first.second;
                                                 }) -
                                    route.begin());
}

struct SplitCase {
    int cars;
    std::size_t reports;
    uint8_t protocol;
};

class FakeLfsCars : public ::testing::TestWithParam<SplitCase> {};

TEST_P(FakeLfsCars, EachIntervalSplitsItsCarsIntoFlaggedReportsOfTheVersionsSize) {
    const auto [cars, reports, protocol] = GetParam();
    uint16_t port = 0;
    auto simulator = start_fake_lfs(
        {"--port", "0", "--cars", std::to_string(cars), "--interval", "30", "--laps", kEndless},
        &port);
    IntroducedClient introduced(port, protocol);
    const std::size_t per_report = sim::cars_per_report(sim::served_version(protocol));

    for (int i = 0; i < 3; ++i) {
        const std::vector<Bytes> interval = read_interval(introduced);
        ASSERT_EQ(interval.size(), reports);
        int number = 0;
        for (const Bytes& report : interval) {
            EXPECT_LE(report[3], per_report);
            EXPECT_EQ(report[0] * introduced.unit, 4 + 28u * report[3]) << "the size byte";
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
    ASSERT_TRUE(introduced.close_request());
    EXPECT_EQ(simulator->wait(kWait), 0) << simulator->err();
}

INSTANTIATE_TEST_SUITE_P(Split, FakeLfsCars,
                         ::testing::Values(SplitCase{1, 1, 0}, SplitCase{8, 1, 0},
                                           SplitCase{9, 2, 0}, SplitCase{16, 2, 0},
                                           SplitCase{48, 6, 0}, SplitCase{1, 1, 9},
                                           SplitCase{16, 1, 9}, SplitCase{17, 2, 9},
                                           SplitCase{48, 3, 9}),
                         [](const auto& info) {
                             return "version_" +
                                    std::to_string(sim::served_version(info.param.protocol)) + "_" +
                                    std::to_string(info.param.cars);
                         });

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
    IntroducedClient& first;
    sim::SimClient& client;  // the first's
    ChildProcess& simulator;
    uint16_t port;
};

// One edge of fake_lfs's timing: how a client behaves once introduced, and
// how the session must end.
struct TimingCase {
    std::string label;
    std::vector<std::string> args;  // beyond --port 0 (and --laps kEndless, unless given)
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
    std::vector<std::string> args = {"--port", "0"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    if (std::find(c.args.begin(), c.args.end(), "--laps") == c.args.end()) {
        args.insert(args.end(), {"--laps", kEndless});
    }
    uint16_t port = 0;
    auto simulator = start_fake_lfs(args, &port);
    IntroducedClient introduced(port, 0, c.receive_buffer);
    Session session{introduced, introduced.client, *simulator, port};
    c.play(session);
    EXPECT_EQ(simulator->wait(kWait), c.status) << simulator->err();
    for (const std::string& line : c.said) {
        EXPECT_TRUE(has(simulator->err(), line)) << line << "\n" << simulator->err();
    }
    for (const std::string& line : c.unsaid) {
        EXPECT_FALSE(has(simulator->err(), line)) << line << "\n" << simulator->err();
    }
}

bool is_keepalive(const Bytes& record) {
    return record[1] == insim::ISP_TINY && record[3] == insim::TINY_NONE;
}

// Reads what fake_lfs sends for `time`, answering every keep-alive, and
// every report with a button when `buttons`.
void answer(sim::SimClient& client, std::chrono::milliseconds time, bool buttons = false) {
    const auto until = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < until) {
        auto record = client.read_record(kWait);
        ASSERT_TRUE(record) << "fake_lfs closed the connection";
        if (is_keepalive(*record)) {
            ASSERT_TRUE(client.send(*record));
        } else if (buttons && (*record)[1] == insim::ISP_MCI) {
            ASSERT_TRUE(client.send(button("bbbb")));
        }
    }
}

void close_request(sim::SimClient& client) {
    ASSERT_TRUE(client.send(sim::tiny_record(insim::TINY_CLOSE)));
}

// Reads what fake_lfs sends until the first keep-alive, answering none.
void until_a_keepalive(sim::SimClient& client) {
    for (auto record = client.read_record(kWait); record; record = client.read_record(kWait)) {
        if (is_keepalive(*record)) {
            return;
        }
    }
    ADD_FAILURE() << "no keep-alive came";
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
const std::string kStrict = "fake_lfs: --strict: ";
const std::string kNotShown = "the simulator would not show this button: ";

// Eight programs at once, the fixture's first and seven more, each served;
// a ninth is turned away at once, and a line about a program is marked with
// it.
void ninth_turned_away(Session& s) {
    std::vector<std::unique_ptr<IntroducedClient>> more;
    for (int i = 2; i <= 8; ++i) {
        more.push_back(std::make_unique<IntroducedClient>(s.port));
    }
    for (const auto& program : more) {
        EXPECT_FALSE(read_interval(*program).empty());
    }
    sim::SimClient ninth(s.port);
    EXPECT_TRUE(ninth.wait_closed(2s)) << "the ninth is closed at once";
    EXPECT_TRUE(ninth.received().empty());
    ASSERT_TRUE(more[1]->send(button("x", 4, 240)));  // program 3
    EXPECT_TRUE(s.simulator.wait_for_output(kNotShown, kWait));
    for (const auto& program : more) {
        ASSERT_TRUE(program->close_request());
    }
    close_request(s.client);
}

// A second program comes and goes; lines about the first are marked from
// then on (regression: the mark went with the second).
void marks_stay_after_the_second_leaves(Session& s) {
    {
        IntroducedClient second(s.port, 0, 0, "second");
        ASSERT_TRUE(second.close_request());
        EXPECT_TRUE(second.client.wait_closed(kWait));
    }
    ASSERT_TRUE(s.first.send(button("x", 4, 240)));
    EXPECT_TRUE(s.simulator.wait_for_output(kNotShown, kWait));
    close_request(s.client);
}

// A program of version 0 and one of 9 at once: each gets the race's cars in
// its own unit and split, the same cars at the same moments, and each is
// judged in its own unit.
void versions_0_and_9(Session& s) {
    IntroducedClient nine(s.port, 9, 0, "nine");
    std::vector<std::vector<std::pair<int32_t, int32_t>>> seen_by_six;
    for (int i = 0; i < 5; ++i) {
        const std::vector<Bytes> interval = read_interval(s.first);
        ASSERT_EQ(interval.size(), 3u) << "8, 8 and 1 cars";
        seen_by_six.push_back(cars_of(interval));
    }
    for (int i = 0; i < 3; ++i) {
        const std::vector<Bytes> interval = read_interval(nine);
        ASSERT_EQ(interval.size(), 2u) << "16 and 1 cars";
        EXPECT_NE(std::find(seen_by_six.begin(), seen_by_six.end(), cars_of(interval)),
                  seen_by_six.end())
            << "the cars of interval " << i << " are the cars the other program got";
    }
    ASSERT_TRUE(nine.send(button("nine")));
    ASSERT_TRUE(s.first.send(button("six")));
    EXPECT_TRUE(s.simulator.wait_for_output("button 237 \"nine\"", kWait));
    EXPECT_TRUE(s.simulator.wait_for_output("button 237 \"six\"", kWait));
    ASSERT_TRUE(nine.close_request());
    close_request(s.client);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, FakeLfsTiming,
    ::testing::Values(
        TimingCase{"silent",
                   {"--idle-limit", "1", "--keepalive", "200"},
                   [](Session& s) {
                       const auto start = std::chrono::steady_clock::now();
                       ASSERT_TRUE(s.client.wait_closed(kWait));
                       // This clock starts once the version answer is read,
                       // a little after fake_lfs's, at the introduction.
                       EXPECT_GE(std::chrono::steady_clock::now() - start, 900ms) << "too early";
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
                   {kIdleLine, kStrict}},
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
        // With keep-alives further apart than the idle limit, a client that
        // sends nothing but their answers is silent for the limit: it is
        // closed then, before the first keep-alive has gone.
        TimingCase{"keepalive_after_the_idle_limit",
                   {"--idle-limit", "1", "--keepalive", "3000"},
                   [](Session& s) {
                       const auto start = std::chrono::steady_clock::now();
                       ASSERT_TRUE(s.client.wait_closed(kWait));
                       // This clock starts once the version answer is read,
                       // a little after fake_lfs's, at the introduction.
                       EXPECT_GE(std::chrono::steady_clock::now() - start, 900ms) << "too early";
                       for (const Bytes& record : framed(s.client.received())) {
                           EXPECT_NE(record[1], insim::ISP_TINY) << "a keep-alive came first";
                       }
                   },
                   1,
                   {kIdleLine},
                   {kUnanswered}},
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
        TimingCase{"ninth_program_turned_away_at_once",
                   {"--interval", "50"},
                   ninth_turned_away,
                   0,
                   {"fake_lfs: turned a program away: the simulator serves at most 8 programs at "
                    "once",
                    "fake_lfs: program 3 \"raw client\": " + kNotShown + "ClickID 240, over 239"}},
        TimingCase{"marks_stay_after_the_second_program_leaves",
                   {},
                   marks_stay_after_the_second_leaves,
                   0,
                   {"fake_lfs: program 1 \"raw client\": " + kNotShown + "ClickID 240, over 239"}},
        TimingCase{"versions_0_and_9_at_once",
                   {"--cars", "17", "--interval", "100", "--keepalive", "250"},
                   versions_0_and_9,
                   0,
                   {},
                   {"would not"}},
        // --strict: a gate for scripts.
        TimingCase{"strict_bad_button",
                   {"--strict"},
                   [](Session& s) {
                       ASSERT_TRUE(s.client.send(button("x", 4, 240)));
                       close_request(s.client);
                   },
                   1,
                   {"fake_lfs: " + kNotShown + "ClickID 240, over 239",
                    kStrict + "1 record the simulator would not accept or show, 0 keep-alives "
                              "not answered; status 1"}},
        TimingCase{"strict_unanswered_keepalive",
                   {"--strict", "--keepalive", "200"},
                   [](Session& s) {
                       for (int i = 0; i < 3; ++i) {
                           std::this_thread::sleep_for(250ms);
                           ASSERT_TRUE(s.client.send(button("bbbb")));
                       }
                       close_request(s.client);
                   },
                   1,
                   {kUnanswered + "200 ms ago was not answered",
                    kStrict + "0 records the simulator would not accept or show, "}},
        // Regression: the last keep-alive was judged only when the next
        // went, so one the session ended before was never judged.
        TimingCase{"strict_last_keepalive_unanswered_as_the_program_leaves",
                   {"--strict", "--keepalive", "2000"},
                   [](Session& s) {
                       until_a_keepalive(s.client);
                       std::this_thread::sleep_for(1300ms);  // its answer's second, and more
                       close_request(s.client);
                   },
                   1,
                   {kUnanswered, kStrict + "0 records the simulator would not accept or show, "
                                           "1 keep-alive not answered; status 1"}},
        TimingCase{"strict_last_keepalive_unanswered_as_the_laps_end",
                   {"--strict", "--keepalive", "2500", "--interval", "250", "--laps", "1"},
                   [](Session& s) {
                       // Every report answered, so the race ends with its lap
                       // (4 s), before the next keep-alive.
                       for (auto record = s.client.read_record(kWait); record;
                            record = s.client.read_record(kWait)) {
                           if ((*record)[1] == insim::ISP_MCI) {
                               ASSERT_TRUE(s.client.send(button("bbbb")));
                           }
                       }
                   },
                   1,
                   {kUnanswered, kStrict + "0 records the simulator would not accept or show, "
                                           "1 keep-alive not answered; status 1"}},
        TimingCase{"strict_every_keepalive_answered",
                   {"--strict", "--keepalive", "200", "--interval", "100"},
                   [](Session& s) {
                       answer(s.client, 700ms, true);
                       close_request(s.client);
                   },
                   0,
                   {},
                   {kUnanswered, kStrict}}),
    [](const auto& info) { return info.param.label; });

// With --laps 0 programs come and go: the race goes on between them on its
// one clock, and fake_lfs serves the next program until it is interrupted.
TEST(FakeLfsRace, ProgramsComeAndGoWithLapsZero) {
    uint16_t port = 0;
    auto simulator = start_fake_lfs({"--port", "0", "--laps", "0", "--interval", "200"}, &port);
    std::size_t left_at = 0;
    {
        IntroducedClient first(port);
        read_interval(first);
        left_at = step_of(read_interval(first));
        ASSERT_TRUE(first.close_request());
        EXPECT_TRUE(first.client.wait_closed(kWait));
    }
    IntroducedClient second(port, 9, 0, "second");
    const std::size_t arrived_at = step_of(read_interval(second));
    EXPECT_GT(arrived_at, left_at) << "the race went on while no program watched";
    EXPECT_LT(arrived_at, sim::lap_route().size());
    ASSERT_TRUE(second.close_request());
    EXPECT_TRUE(second.client.wait_closed(kWait));
    IntroducedClient third(port);
    EXPECT_FALSE(simulator->wait(300ms).has_value()) << "fake_lfs ends only when interrupted";
    EXPECT_TRUE(has(simulator->out(), "client \"second\" asks for"));
    EXPECT_EQ(simulator->err(), "");
}

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

// Regression: a program that reset its connection as its version answer
// went had its keep-alives started after its connection had ended, and
// fake_lfs never ended.
TEST(FakeLfsIntroduction, AProgramGoneAsItIsAnsweredEndsItsConnection) {
    uint16_t port = 0;
    auto simulator = start_fake_lfs({"--port", "0", "--keepalive", "100"}, &port);
    {
        // The introduction and the reset back to back, from this thread, so
        // that both are in before fake_lfs answers.
        asio::io_context io;
        asio::ip::tcp::socket program(io);
        program.connect(engine::loopback(port));
        asio::write(program, asio::buffer(introduction(0)));
        program.set_option(asio::socket_base::linger(true, 0));
        program.close();
    }
    EXPECT_EQ(simulator->wait(kWait), 1);
    EXPECT_TRUE(has(simulator->err(), "fake_lfs: the client closed the connection"))
        << simulator->err();
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
        {button(std::string("ab\0c", 4)),
         show + "Size 16 bytes, with bytes other than 0 after the end of IS_BTN's Text (from byte "
                "15, where unused text bytes are 0)"},
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
    auto simulator = start_fake_lfs({"--port", "0", "--laps", kEndless}, &port);
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
    std::string simulator;  // --insim-version
    std::string shown;
    uint8_t in_use;
};

class FakeLfsProtocol : public ::testing::TestWithParam<ProtocolCase> {};

TEST_P(FakeLfsProtocol, ServesEachVersionInItsOwnUnit) {
    const ProtocolCase& c = GetParam();
    uint16_t port = 0;
    auto simulator = start_fake_lfs(
        {"--port", "0", "--insim-version", c.simulator, "--keepalive", "100"}, &port);
    const std::size_t unit = sim::size_unit(c.in_use);
    sim::SimClient client(port);
    ASSERT_TRUE(client.send(introduction(c.declared)));
    auto version = read_record_in(client, unit);
    ASSERT_TRUE(version);
    EXPECT_EQ((*version)[1], insim::ISP_VER);
    EXPECT_EQ(version->size(), 20u);
    EXPECT_EQ((*version)[offsetof(insim::IS_VER, InSimVer)], c.in_use) << "the version in use";
    // The race's start comes first, each record sized in the unit too.
    auto keepalive = read_record_in(client, unit);
    while (keepalive && (*keepalive)[1] != insim::ISP_TINY) {
        EXPECT_EQ(records::misfit(*keepalive, unit), std::nullopt) << sim::hex_of(*keepalive);
        keepalive = read_record_in(client, unit);
    }
    ASSERT_TRUE(keepalive);
    EXPECT_EQ(*keepalive, in_unit(sim::tiny_record(insim::TINY_NONE), unit));
    ASSERT_TRUE(client.send(*keepalive));
    ASSERT_TRUE(client.send(in_unit(button("unit"), unit)));
    ASSERT_TRUE(client.send(in_unit(sim::tiny_record(insim::TINY_CLOSE), unit)));
    EXPECT_EQ(simulator->wait(kWait), 0);
    EXPECT_TRUE(has(simulator->out(), ", protocol version " + c.shown)) << simulator->out();
    EXPECT_TRUE(has(simulator->out(), "button 237 \"unit\"")) << simulator->out();
    EXPECT_EQ(simulator->err(), "") << "every record is judged in the program's own unit";
}

// The library's connection that speaks 9 frames and sends in the unit of
// the version in use, whatever it declared (regression: against a simulator
// older than the version it declared it read the 20-byte version answer as
// 80 bytes, and its open hung).
TEST_P(FakeLfsProtocol, TheLibrarySpeaksTheVersionInUse) {
    const ProtocolCase& c = GetParam();
    constexpr std::size_t kCars = 17;
    uint16_t port = 0;
    auto simulator = start_fake_lfs({"--port", "0", "--insim-version", c.simulator, "--cars",
                                     std::to_string(kCars), "--laps", kEndless},
                                    &port);
    insim::InsimConnectionV9 connection;
    insim::IS_VER version{};
    auto opened = std::async(std::launch::async, [&] {
        return connection.open("127.0.0.1", port, "library", "", &version, '!', insim::ISF_MCI, 100,
                               0, c.declared);
    });
    if (opened.wait_for(kWait) != std::future_status::ready) {
        simulator.reset();  // its end ends the wait, so that the test fails
    }
    ASSERT_EQ(opened.get(), 0) << "open";
    EXPECT_EQ(version.InSimVer, c.in_use);
    const std::size_t unit = sim::size_unit(c.in_use);
    EXPECT_EQ(connection.size_unit(), unit);
    // The interval's first report holds as many cars as the version allows.
    const uint8_t* report = nullptr;
    while (report == nullptr) {
        ASSERT_EQ(connection.read_packet(), 0);
        const auto* record = reinterpret_cast<const uint8_t*>(connection.current_packet());
        report = record[1] == insim::ISP_MCI ? record : nullptr;
    }
    EXPECT_EQ(report[3], std::min(kCars, sim::cars_per_report(c.in_use)));
    EXPECT_EQ(report[0] * unit, 4 + 28u * report[3]) << "its size in the unit in use";
    insim::IS_BTN shown = button_with_text(4, 'u');
    shown.L = 1;
    shown.T = 70;
    shown.W = 60;
    shown.H = 10;
    ASSERT_EQ(connection.write_packet(&shown), 0);
    EXPECT_EQ(shown.Size * unit, 16u);
    ASSERT_EQ(connection.close(), 0);
    EXPECT_EQ(simulator->wait(kWait), 0);
    EXPECT_TRUE(has(simulator->out(), "button 237 \"uuuu\"")) << simulator->out();
    EXPECT_EQ(simulator->err(), "") << "every record is sized in the unit in use";
}

INSTANTIATE_TEST_SUITE_P(Versions, FakeLfsProtocol,
                         ::testing::Values(ProtocolCase{0, "9", "0 (served as 6)", 6},
                                           ProtocolCase{5, "9", "5 (served as 5)", 5},
                                           ProtocolCase{8, "9", "8 (served as 8)", 8},
                                           ProtocolCase{9, "9", "9 (served as 9)", 9},
                                           ProtocolCase{255, "9", "255 (served as 9)", 9},
                                           ProtocolCase{9, "8", "9 (served as 8)", 8}),
                         [](const auto& info) {
                             return std::to_string(info.param.declared) + "_to_simulator_" +
                                    info.param.simulator;
                         });

}  // namespace
