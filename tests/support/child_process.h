// Runs a built program as a child process with its output captured, and waits
// for it with a bound.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace test_support {

class ChildProcess {
  public:
    ChildProcess(const std::string& path, const std::vector<std::string>& args = {});
    ~ChildProcess();  // kills the child if it is still running
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Exit status (0-255) once the child has ended and closed its output, or
    // nothing when it did not within `timeout` (it is then killed) or ended
    // by a signal.
    std::optional<int> wait(std::chrono::milliseconds timeout);
    pid_t pid() const { return pid_; }

    const std::string& out() const { return out_; }
    const std::string& err() const { return err_; }

  private:
    bool drain(std::chrono::milliseconds timeout);

    pid_t pid_ = -1;
    int out_fd_ = -1;
    int err_fd_ = -1;
    std::string out_;
    std::string err_;
};

// Moves the calling process into a network namespace of its own with the
// loopback interface up, so that tests listening on a fixed port cannot meet
// each other or a stray listener. Call before starting any thread. Returns
// false (and changes nothing) where the system does not allow it; throws
// when the namespace was made but its loopback cannot be brought up.
bool enter_own_network_namespace();

}  // namespace test_support
