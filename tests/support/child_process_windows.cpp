// Child processes on Windows: CreateProcess, with pipes for the output that
// are read without blocking while the child runs.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <thread>

#include "tests/support/child_process.h"

namespace test_support {
namespace {

// Appends what `pipe` holds now; false once its writing end is closed and it
// is empty.
bool read_available(HANDLE pipe, std::string& text) {
    DWORD available = 0;
    if (!::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr)) {
        return false;
    }
    while (available > 0) {
        char buffer[4096];
        DWORD got = 0;
        const DWORD want = available < sizeof buffer ? available : DWORD{sizeof buffer};
        if (!::ReadFile(pipe, buffer, want, &got, nullptr) || got == 0) {
            return false;
        }
        text.append(buffer, got);
        available -= got;
    }
    return true;
}

// Reads what is left in `pipe` once its writer has ended, to its end.
void read_rest(HANDLE pipe, std::string& text) {
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        text.append(buffer, got);
    }
}

// One argument as the C runtime splits a command line: in quotes, with each
// quote and the backslashes before it escaped.
std::string quoted(const std::string& argument) {
    std::string text = "\"";
    std::size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        text.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        text.push_back(c);
    }
    text.append(2 * backslashes, '\\');
    text.push_back('"');
    return text;
}

// Starts `command_line`, once more if the first start fails for a reason
// other than a missing or unrunnable file: now and then Wine's new process
// dies while it loads, and CreateProcess then fails. The line on standard
// output says so, and cmake/wine-run counts it.
// Returns 0, or the error of the last start.
DWORD start(std::string& command_line, STARTUPINFOA& startup, PROCESS_INFORMATION& process) {
    for (int attempt = 1;; ++attempt) {
        if (::CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                             nullptr, &startup, &process)) {
            return 0;
        }
        const DWORD error = ::GetLastError();
        if (attempt == 2 || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
            error == ERROR_BAD_EXE_FORMAT) {
            return error;
        }
        std::printf("test harness: %s did not start (error %lu); starting it once more\n",
                    command_line.c_str(), static_cast<unsigned long>(error));
        std::fflush(stdout);
    }
}

}  // namespace

struct ChildProcess::Platform {
    PROCESS_INFORMATION process{};
    HANDLE out = nullptr;
    HANDLE err = nullptr;
    bool running = false;
};

long current_process_id() {
    return static_cast<long>(::GetCurrentProcessId());
}

ChildProcess::ChildProcess(const std::string& path, const std::vector<std::string>& args)
    : platform_(std::make_unique<Platform>()) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE out_write = nullptr;
    HANDLE err_write = nullptr;
    Platform& p = *platform_;
    // Room for a chatty child's output between reads: the default pipe holds
    // a few kilobytes, and a child blocked on a full pipe stops serving.
    constexpr DWORD kPipeSize = 1 << 20;
    if (!::CreatePipe(&p.out, &out_write, &inherit, kPipeSize) ||
        !::CreatePipe(&p.err, &err_write, &inherit, kPipeSize)) {
        throw std::runtime_error("CreatePipe");
    }
    // Only the writing ends go to the child.
    ::SetHandleInformation(p.out, HANDLE_FLAG_INHERIT, 0);
    ::SetHandleInformation(p.err, HANDLE_FLAG_INHERIT, 0);

    std::string command_line = quoted(path);
    for (const std::string& arg : args) {
        command_line += " " + quoted(arg);
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = out_write;
    startup.hStdError = err_write;
    const DWORD error = start(command_line, startup, p.process);
    ::CloseHandle(out_write);
    ::CloseHandle(err_write);
    if (error != 0) {
        throw std::runtime_error("CreateProcess " + command_line + " failed with error " +
                                 std::to_string(error));
    }
    p.running = true;
}

ChildProcess::~ChildProcess() {
    Platform& p = *platform_;
    if (p.running) {
        ::TerminateProcess(p.process.hProcess, 1);
        ::WaitForSingleObject(p.process.hProcess, INFINITE);
    }
    if (p.process.hProcess != nullptr) {
        ::CloseHandle(p.process.hProcess);
        ::CloseHandle(p.process.hThread);
    }
    ::CloseHandle(p.out);
    ::CloseHandle(p.err);
}

long ChildProcess::pid() const {
    return static_cast<long>(platform_->process.dwProcessId);
}

bool ChildProcess::wait_for_output(const std::string& text, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        read_available(platform_->out, out_);
        read_available(platform_->err, err_);
        if (out_.find(text) != std::string::npos || err_.find(text) != std::string::npos) {
            return true;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

std::chrono::milliseconds ChildProcess::cpu_time() const {
    FILETIME created;
    FILETIME ended;
    FILETIME kernel;
    FILETIME user;
    if (!::GetProcessTimes(platform_->process.hProcess, &created, &ended, &kernel, &user)) {
        return std::chrono::milliseconds(0);
    }
    const auto hundreds_of_ns = [](const FILETIME& time) {
        return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return std::chrono::milliseconds((hundreds_of_ns(kernel) + hundreds_of_ns(user)) / 10000);
}

std::optional<long> ChildProcess::wait(std::chrono::milliseconds timeout) {
    Platform& p = *platform_;
    if (!p.running) {
        return std::nullopt;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    bool out_open = true;
    bool err_open = true;
    for (;;) {
        out_open = out_open && read_available(p.out, out_);
        err_open = err_open && read_available(p.err, err_);
        const bool ended = ::WaitForSingleObject(p.process.hProcess, 0) == WAIT_OBJECT_0;
        if (ended) {
            // Whatever the child wrote last is read to the end of the pipe:
            // a look into a pipe whose writer has gone may fail with bytes
            // still in it.
            read_rest(p.out, out_);
            read_rest(p.err, err_);
            break;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    DWORD code = 0;
    ::GetExitCodeProcess(p.process.hProcess, &code);
    p.running = false;
    return static_cast<long>(static_cast<int32_t>(code));
}

}  // namespace test_support
