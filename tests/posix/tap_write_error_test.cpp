// A capture that cannot be written is reported when the write fails, while
// the relay goes on, and the tap ends with status 1 (POSIX: /dev/full stands
// for a full disk, and a pipe whose reader has gone for a capture piped to a
// program that quit; Windows offers neither as a path).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <thread>

#include "tests/support/tap_session.h"

namespace test_support {
namespace {

struct WriteErrorCase {
    std::string label;
    bool pipe;  // else /dev/full
    std::string cause;
};

class TapWriteError : public ::testing::TestWithParam<WriteErrorCase> {};

TEST_P(TapWriteError, IsToldWhenItHappensAndTheRelayGoesOn) {
    const WriteErrorCase& c = GetParam();
    std::string out = "/dev/full";
    std::thread reader;
    if (c.pipe) {
        out = ::testing::TempDir() + "capture_pipe_" + std::to_string(current_process_id());
        ::unlink(out.c_str());
        ASSERT_EQ(::mkfifo(out.c_str(), 0600), 0);
        // Reads the first bytes and goes away.
        reader = std::thread([&out] {
            const int fd = ::open(out.c_str(), O_RDONLY);
            char first[8];
            EXPECT_GT(::read(fd, first, sizeof first), 0);
            ::close(fd);
        });
    }
    sim::SimPeer simulator;
    uint16_t port = 0;
    auto tap = start_listening(
        INSIM_TAP_PROGRAM,
        {"--listen", "0", "--to", std::to_string(simulator.port()), "--out", out}, &port);
    sim::SimClient program(port);
    ASSERT_TRUE(simulator.accept(kWait));
    const sim::Bytes report = sim::car_report({{1, 2}});
    ASSERT_TRUE(simulator.send(report));
    ASSERT_TRUE(program.read_record(kWait));
    if (reader.joinable()) {
        reader.join();
        ASSERT_TRUE(simulator.send(report));  // written into the pipe with no reader
        ASSERT_TRUE(program.read_record(kWait));
    }
    EXPECT_TRUE(tap->wait_for_output("insim_tap: cannot write " + out + ": " + c.cause, kWait))
        << tap->err();
    ASSERT_TRUE(simulator.send(report));
    EXPECT_TRUE(program.read_record(kWait)) << "the relay goes on";
    simulator.close_client();
    EXPECT_TRUE(program.wait_closed(kWait));
    program.close();
    EXPECT_EQ(tap->wait(kWait), 1) << tap->err();
    if (c.pipe) {
        ::unlink(out.c_str());
    }
}

INSTANTIATE_TEST_SUITE_P(Files, TapWriteError,
                         ::testing::Values(WriteErrorCase{"full_disk", false, "No space left"},
                                           WriteErrorCase{"reader_gone", true, "Broken pipe"}),
                         [](const auto& info) { return info.param.label; });

}  // namespace
}  // namespace test_support
