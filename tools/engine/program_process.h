// A program a tool starts through the system's shell (/bin/sh -c on POSIX,
// cmd /c on Windows), with one environment variable set for it, and ends
// again together with everything it started: its process group on POSIX,
// its job on Windows; also when the tool is stopped by a signal or ends.
// What it writes (standard output and standard error, as one stream) is
// handed to the tool line by line, on a thread of the process's own, so
// that the tool can mark it as the program's and keep its own output apart.
// It reads no input.
// program_process_posix.cpp and program_process_windows.cpp hold the two
// platforms' ways; the build compiles one of them.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "tools/engine/output_lines.h"

namespace engine {

class ProgramProcess {
  public:
    // Starts `command` with `variable` set to `value`; started() says
    // whether that worked. `line` gets each line the program writes,
    // without its end, on the process's reading thread; it must not throw.
    ProgramProcess(const std::string& command, const std::string& variable,
                   const std::string& value, OutputLines::Line line);
    // Ends it, if it still runs.
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool started() const;
    // Whether it, or anything it started, still runs.
    bool running();
    // Ends it and all it started, and waits for that (a few seconds at
    // most); every line it wrote has then been handed over.
    void end();
    // Processor time it and all it started have used so far.
    std::chrono::milliseconds cpu_time();
    // The shell's exit status, once the shell has ended by itself.
    std::optional<int> exit_status();
    // Whether the shell ended saying it could not run the command: 126 or
    // 127 from /bin/sh (not executable, not found), 9009 from cmd.
    bool could_not_run();
    // Bytes the program has written so far.
    std::size_t output_bytes() const { return output_bytes_; }

  private:
    // Hands `count` bytes read from the program's output on as lines.
    void take_output(const char* bytes, std::size_t count) {
        output_bytes_ += count;
        lines_.feed(bytes, count);
    }

    struct Platform;
    std::unique_ptr<Platform> platform_;
    OutputLines lines_;
    std::atomic<std::size_t> output_bytes_{0};
};

}  // namespace engine
