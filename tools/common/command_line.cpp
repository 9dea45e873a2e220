#include "tools/command_line.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>

namespace command_line {

void usage_error(const char* tool, const std::string& message) {
    std::cerr << tool << ": " << message << "\n"
              << "Try '" << tool << " --help'.\n";
    std::exit(2);
}

long long number(const char* tool, const char* option, const char* text, long long lowest,
                 long long highest) {
    long long value = 0;
    const char* end = text + std::strlen(text);
    const auto [rest, error] = std::from_chars(text, end, value);
    if (error != std::errc() || rest != end || value < lowest || value > highest) {
        usage_error(tool, std::string("--") + option + " needs a whole number from " +
                              std::to_string(lowest) + " to " + std::to_string(highest) +
                              ", not '" + text + "'");
    }
    return value;
}

void unknown_option(const char* tool, int optind, char** argv) {
    usage_error(tool, std::string("unknown option or missing value: ") + argv[optind - 1]);
}

void no_arguments_left(const char* tool, int optind, int argc, char** argv) {
    if (optind < argc) {
        usage_error(tool, std::string("unexpected argument: ") + argv[optind]);
    }
}

void write_ready_file(const std::string& path, uint16_t port) {
    const std::string partial = path + ".partial";
    std::ofstream(partial) << port << "\n";
    std::rename(partial.c_str(), path.c_str());
}

}  // namespace command_line
