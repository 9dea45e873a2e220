// What the tools share of their command lines: usage errors, whole-number
// options, and the ready file that tells a caller where a tool listens.
#pragma once

#include <cstdint>
#include <string>

namespace command_line {

// Prints "TOOL: MESSAGE" and "Try 'TOOL --help'." on standard error and
// exits with status 2.
[[noreturn]] void usage_error(const char* tool, const std::string& message);

// The whole number `text` given to --`option`, from `lowest` to `highest`;
// anything else is a usage error.
long long number(const char* tool, const char* option, const char* text, long long lowest,
                 long long highest);

// The usage error for what getopt_long could not take (an unknown option or
// a missing value), and for arguments left after the options.
[[noreturn]] void unknown_option(const char* tool, int optind, char** argv);
void no_arguments_left(const char* tool, int optind, int argc, char** argv);

// Writes `port` into `path` once listening. Written aside and renamed, so
// that a reader never sees it half done.
void write_ready_file(const std::string& path, uint16_t port);

}  // namespace command_line
