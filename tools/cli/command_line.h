// What the tools share of their command lines, on CLI11: -h and --help on
// standard output with status 0, usage errors as "TOOL: MESSAGE" and "Try
// 'TOOL --help'." on standard error with status 2, whole-number options, and
// the ready file that tells a caller where a tool listens.
#pragma once

#include <CLI/CLI.hpp>
#include <cstdint>
#include <string>

namespace command_line {

// The project's version, which every tool's --version prints.
extern const char kProjectVersion[];

// Sets what every option of `app` shares: given twice, the last counts, as
// command lines have it. Called before the options are added.
void prepare(CLI::App& app);

// Parses the command line into `app`'s options, or ends the process: with
// status 0 after the help or the version, with status 2 after a usage error
// (an unknown option, a missing value, a value out of range, an argument
// left over); an unknown option or an argument left over is reported before
// any other error.
void parse(CLI::App& app, int argc, char** argv);

// Prints a usage error for `app`'s tool and exits with status 2.
[[noreturn]] void usage_error(const CLI::App& app, const std::string& message);

// Takes whole numbers from `lowest` to `highest` (with a type name for the
// help, such as "N" or "MS").
CLI::Validator whole_number(long long lowest, long long highest);

// Takes a TCP port, refusing 0 unless `zero_picks_a_port` (a listener
// that picks a free port).
CLI::Validator port(bool zero_picks_a_port);

// Writes `port` into `path` once listening, aside and renamed so that a
// reader never sees it half done. On failure prints "TOOL: cannot write the
// ready file PATH: <cause>" and returns false; the tool then ends with
// status 1.
bool write_ready_file(const char* tool, const std::string& path, uint16_t port);

// Writes `text`, a generated file, to `path`, or to standard output when
// `path` is empty. On failure prints "TOOL: cannot write PATH" and returns
// false; the tool then ends with status 1.
bool write_output(const char* tool, const std::string& path, const std::string& text);

}  // namespace command_line
