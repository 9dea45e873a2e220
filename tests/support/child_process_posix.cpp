// Child processes on POSIX: fork and exec, with pipes for the output.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <functional>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "tests/support/child_process.h"

namespace test_support {

struct ChildProcess::Platform {
    pid_t pid = -1;
    int out_fd = -1;
    int err_fd = -1;

    // Reads both outputs until both reach their end, `enough` says so, or
    // the time is up; false on time-out.
    bool drain(
        std::string& out, std::string& err, std::chrono::milliseconds timeout,
        const std::function<bool()>& enough = [] { return false; });
};

long current_process_id() {
    return static_cast<long>(::getpid());
}

ChildProcess::ChildProcess(const std::string& path, const std::vector<std::string>& args)
    : platform_(std::make_unique<Platform>()) {
    int out_pipe[2];
    int err_pipe[2];
    if (::pipe2(out_pipe, O_CLOEXEC) != 0 || ::pipe2(err_pipe, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe");
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    Platform& p = *platform_;
    p.pid = ::fork();
    if (p.pid < 0) {
        throw std::runtime_error("fork");
    }
    if (p.pid == 0) {
        ::dup2(out_pipe[1], 1);
        ::dup2(err_pipe[1], 2);
        ::execv(path.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(out_pipe[1]);
    ::close(err_pipe[1]);
    p.out_fd = out_pipe[0];
    p.err_fd = err_pipe[0];
}

ChildProcess::~ChildProcess() {
    Platform& p = *platform_;
    if (p.pid > 0) {
        ::kill(p.pid, SIGKILL);
        ::waitpid(p.pid, nullptr, 0);
    }
    if (p.out_fd >= 0) {
        ::close(p.out_fd);
    }
    if (p.err_fd >= 0) {
        ::close(p.err_fd);
    }
}

long ChildProcess::pid() const {
    return platform_->pid;
}

bool ChildProcess::Platform::drain(std::string& out, std::string& err,
                                   std::chrono::milliseconds timeout,
                                   const std::function<bool()>& enough) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while ((out_fd >= 0 || err_fd >= 0) && !enough()) {
        pollfd fds[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        if (::poll(fds, 2, static_cast<int>(left.count())) < 0 && errno != EINTR) {
            return false;
        }
        int* fd_of[2] = {&out_fd, &err_fd};
        std::string* text_of[2] = {&out, &err};
        for (int i = 0; i < 2; ++i) {
            if (*fd_of[i] < 0 || fds[i].revents == 0) {
                continue;
            }
            char buffer[4096];
            const ssize_t got = ::read(*fd_of[i], buffer, sizeof buffer);
            if (got > 0) {
                text_of[i]->append(buffer, static_cast<std::size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                ::close(*fd_of[i]);
                *fd_of[i] = -1;
            }
        }
    }
    return true;
}

bool ChildProcess::wait_for_output(const std::string& text, std::chrono::milliseconds timeout) {
    const auto seen = [&] {
        return out_.find(text) != std::string::npos || err_.find(text) != std::string::npos;
    };
    platform_->drain(out_, err_, timeout, seen);
    return seen();
}

std::chrono::milliseconds ChildProcess::cpu_time() const {
    // Fields 14 and 15 of /proc/PID/stat, after the name in parentheses.
    std::ifstream stat("/proc/" + std::to_string(platform_->pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    long long ticks = 0;
    for (int number = 3; number <= 15 && fields >> field; ++number) {
        if (number >= 14) {
            ticks += std::stoll(field);
        }
    }
    return std::chrono::milliseconds(ticks * 1000 / ::sysconf(_SC_CLK_TCK));
}

std::optional<long> ChildProcess::wait(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    Platform& p = *platform_;
    if (p.pid <= 0 || !p.drain(out_, err_, timeout)) {
        return std::nullopt;
    }
    int status = 0;
    while (::waitpid(p.pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    p.pid = -1;
    if (!WIFEXITED(status)) {
        return std::nullopt;
    }
    return WEXITSTATUS(status);
}

}  // namespace test_support
