#include "tools/cli/command_line.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace command_line {

const char kProjectVersion[] = INSIM_PROJECT_VERSION;

void usage_error(const CLI::App& app, const std::string& message) {
    std::cerr << app.get_name() << ": " << message << "\n"
              << "Try '" << app.get_name() << " --help'.\n";
    std::exit(2);
}

namespace {

// CLI11's texts name the option first, "--port: ..."; the option's name.
std::string option_named_in(const std::string& text) {
    return text.substr(0, text.find(':'));
}

}  // namespace

void prepare(CLI::App& app) {
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

void parse(CLI::App& app, int argc, char** argv) {
    // Left-over arguments are reported below, each as what it is.
    app.allow_extras();
    // An unknown option (a typing error, most often) is reported before what
    // it may have caused, such as a required option missing: the arguments
    // left over are collected before the requirements and values are judged.
    std::string problem;
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        std::exit(0);
    } catch (const CLI::CallForVersion&) {
        std::cout << app.get_name() << " " << kProjectVersion << "\n";
        std::exit(0);
    } catch (const CLI::ArgumentMismatch& error) {
        problem = "missing value for " + option_named_in(error.what());
    } catch (const CLI::ValidationError& error) {
        // "--laps: needs a whole number ..." reads as "--laps needs ...".
        problem = error.what();
        const std::size_t colon = problem.find(": ");
        if (colon != std::string::npos) {
            problem.erase(colon, 1);
        }
    } catch (const CLI::ParseError& error) {
        problem = error.what();
    }
    for (const std::string& extra : app.remaining()) {
        usage_error(app, (extra.rfind('-', 0) == 0 && extra.size() > 1 ? "unknown option: "
                                                                       : "unexpected argument: ") +
                             extra);
    }
    if (!problem.empty()) {
        usage_error(app, problem);
    }
}

CLI::Validator whole_number(long long lowest, long long highest) {
    const std::string range = std::to_string(lowest) + " to " + std::to_string(highest);
    return CLI::Validator(
        [=](std::string& text) -> std::string {
            long long value = 0;
            const char* end = text.data() + text.size();
            const auto [rest, error] = std::from_chars(text.data(), end, value);
            if (error != std::errc() || rest != end || value < lowest || value > highest) {
                return "needs a whole number from " + range + ", not '" + text + "'";
            }
            return "";
        },
        "");
}

CLI::Validator port(bool zero_picks_a_port) {
    return whole_number(zero_picks_a_port ? 0 : 1, 65535);
}

bool write_ready_file(const char* tool, const std::string& path, uint16_t port) {
    const std::string partial = path + ".partial";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    std::string cause;
    if (file == nullptr || std::fprintf(file, "%u\n", port) < 0) {
        cause = std::strerror(errno);
    }
    if (file != nullptr && std::fclose(file) != 0 && cause.empty()) {
        cause = std::strerror(errno);
    }
    std::error_code error;
    if (cause.empty()) {
        std::filesystem::rename(partial, path, error);
        if (!error) {
            return true;
        }
        cause = error.message();
    }
    std::filesystem::remove(partial, error);
    std::cerr << tool << ": cannot write the ready file " << path << ": " << cause << "\n";
    return false;
}

bool write_output(const char* tool, const std::string& path, const std::string& text) {
    if (path.empty()) {
        std::cout << text;
        return true;
    }
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.flush();
    if (!out) {
        std::cerr << tool << ": cannot write " << path << "\n";
        return false;
    }
    return true;
}

}  // namespace command_line
