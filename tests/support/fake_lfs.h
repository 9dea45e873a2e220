// Starts the built fake_lfs, or another tool that listens, for a test.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/child_process.h"

namespace test_support {

// Starts a tool that takes --ready-file (fake_lfs, insim_tap) with `args`,
// and returns once it listens, so that no client connects too early. `port`,
// when given, receives the port it listens on.
inline std::unique_ptr<ChildProcess> start_listening(const std::string& tool,
                                                     std::vector<std::string> args,
                                                     uint16_t* port = nullptr) {
    const std::string ready = ::testing::TempDir() + "ready_" +
                              std::to_string(current_process_id()) + "_" +
                              std::filesystem::path(tool).stem().string();
    std::filesystem::remove(ready);
    args.insert(args.end(), {"--ready-file", ready});
    auto started = std::make_unique<ChildProcess>(tool, args);
    // Under Wine the file, once there, has now and then given no port for a
    // moment (once in about ten runs of the Windows tests, which then
    // connected to port 0): it counts only once a port reads from it.
    uint16_t listening = 0;
    for (int i = 0; i < 500 && listening == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream(ready) >> listening;
    }
    EXPECT_NE(listening, 0) << tool << " did not start listening";
    if (port != nullptr) {
        *port = listening;
    }
    std::filesystem::remove(ready);
    return started;
}

inline std::unique_ptr<ChildProcess> start_fake_lfs(std::vector<std::string> args,
                                                    uint16_t* port = nullptr) {
    return start_listening(FAKE_LFS_PROGRAM, std::move(args), port);
}

}  // namespace test_support
