// Runs a built program as a child process with its output captured, and waits
// for it with a bound. child_process_posix.cpp and child_process_windows.cpp
// hold the two platforms' ways of doing it; the build compiles one of them.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/platform.h"

namespace test_support {

class ChildProcess {
  public:
    ChildProcess(const std::string& path, const std::vector<std::string>& args = {});
    ~ChildProcess();  // kills the child if it is still running
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Exit status once the child has ended and closed its output, or nothing
    // when it did not within `timeout` (it is then killed) or ended by a
    // signal.
    std::optional<long> wait(std::chrono::milliseconds timeout);
    // Reads what the child has written so far until standard output or
    // standard error holds `text`; false when it did not within `timeout`.
    bool wait_for_output(const std::string& text, std::chrono::milliseconds timeout);
    // The processor time the child has used so far, user and system.
    std::chrono::milliseconds cpu_time() const;
    long pid() const;

    const std::string& out() const { return out_; }
    const std::string& err() const { return err_; }

  private:
    struct Platform;
    std::unique_ptr<Platform> platform_;
    std::string out_;
    std::string err_;
};

// The identifier of this process, for names of its own.
long current_process_id();

}  // namespace test_support
