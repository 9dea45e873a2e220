// insim_tap between a client that plays the program and a peer that plays
// the simulator, on ports of their own, and the table of ways a session
// ends (insim_tap_test.cpp; posix/insim_tap_interrupt_test.cpp adds the
// signals).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/connection_fixture.h"
#include "tests/support/fake_lfs.h"
#include "tools/capture/capture_file.h"
#include "tools/protocol/record_splitter.h"

namespace test_support {

inline std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The whole records of `stream`, as the tools frame them.
inline std::vector<sim::Bytes> framed(const sim::Bytes& stream, std::size_t unit = 1) {
    framing::RecordSplitter splitter(unit);
    splitter.feed(stream);
    std::vector<sim::Bytes> records;
    while (const auto record = splitter.next()) {
        records.emplace_back(record->begin(), record->end());
    }
    return records;
}

struct TapSessionSetup {
    std::vector<std::string> tap_args = {};  // beyond --listen, --to and --out
    int program_receive_buffer = 0;
    int simulator_receive_buffer = 0;
};

// A session through the tap. What each side sends through program_sends and
// simulator_sends is kept, to compare with the capture.
class TapSession {
  public:
    explicit TapSession(const TapSessionSetup& setup = {})
        : simulator(0, setup.simulator_receive_buffer) {
        std::vector<std::string> args = {"--listen", "0", "--to", std::to_string(simulator.port()),
                                         "--out",    file};
        args.insert(args.end(), setup.tap_args.begin(), setup.tap_args.end());
        uint16_t port = 0;
        tap = start_listening(INSIM_TAP_PROGRAM, args, &port);
        program = std::make_unique<sim::SimClient>(port, setup.program_receive_buffer);
        EXPECT_TRUE(program->connected());
        EXPECT_TRUE(simulator.accept(kWait));
    }
    ~TapSession() {
        std::filesystem::remove(file);
        std::filesystem::remove(file + ".partial");
    }

    bool program_sends(const sim::Bytes& bytes) {
        sent_by_program.insert(sent_by_program.end(), bytes.begin(), bytes.end());
        return program->send(bytes);
    }
    bool simulator_sends(const sim::Bytes& bytes) {
        sent_by_simulator.insert(sent_by_simulator.end(), bytes.begin(), bytes.end());
        return simulator.send(bytes);
    }

    // The capture's records from one side, once the tap has ended.
    std::vector<sim::Bytes> captured(capture::From from) const {
        std::string error;
        auto capture = capture::read_capture(capture_path, error);
        EXPECT_TRUE(capture) << error;
        std::vector<sim::Bytes> records;
        for (const capture::Entry& entry :
             capture ? capture->entries : decltype(capture->entries){}) {
            if (entry.from == from) {
                records.push_back(entry.record);
            }
        }
        return records;
    }

    const std::string file =
        ::testing::TempDir() + "tap_" + std::to_string(current_process_id()) + ".txt";
    std::string capture_path = file;  // where the capture is read back from
    sim::SimPeer simulator;
    std::unique_ptr<ChildProcess> tap;
    std::unique_ptr<sim::SimClient> program;
    sim::Bytes sent_by_program;
    sim::Bytes sent_by_simulator;
};

// One way a session ends, and what the tap must have done by then.
struct TapEnding {
    std::string label;
    TapSessionSetup setup;
    // Plays both sides to the end of the session.
    std::function<void(TapSession&)> play;
    long status = 0;
    std::string ending;                    // the cause on the capture's end line
    std::vector<std::string> notes = {};   // in the capture or the tap's output
    bool whole_capture = true;             // every record sent is in it, not a first part
    std::vector<std::string> absent = {};  // in neither
};

class TapEndings : public ::testing::TestWithParam<TapEnding> {};

}  // namespace test_support
