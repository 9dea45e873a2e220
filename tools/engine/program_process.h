// A program a tool starts through the system's shell (/bin/sh -c on POSIX,
// cmd /c on Windows), with one environment variable set for it, and ends
// again together with everything it started: its process group on POSIX,
// its job on Windows; also when the tool is stopped by a signal or ends.
// Its output goes to the tool's standard error, so that the tool's standard
// output holds only what the tool says.
// program_process_posix.cpp and program_process_windows.cpp hold the two
// platforms' ways; the build compiles one of them.
#pragma once

#include <chrono>
#include <memory>
#include <string>

namespace engine {

class ProgramProcess {
  public:
    // Starts `command` with `variable` set to `value`; started() says
    // whether that worked.
    ProgramProcess(const std::string& command, const std::string& variable,
                   const std::string& value);
    // Ends it, if it still runs.
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool started() const;
    // Whether it, or anything it started, still runs.
    bool running();
    // Ends it and all it started, and waits for that (a few seconds at most).
    void end();
    // Processor time it and all it started have used so far.
    std::chrono::milliseconds cpu_time();

  private:
    struct Platform;
    std::unique_ptr<Platform> platform_;
};

}  // namespace engine
