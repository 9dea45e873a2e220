#include "tests/support/child_process.h"

#include <fcntl.h>
#include <net/if.h>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace test_support {

ChildProcess::ChildProcess(const std::string& path, const std::vector<std::string>& args) {
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
    pid_ = ::fork();
    if (pid_ < 0) {
        throw std::runtime_error("fork");
    }
    if (pid_ == 0) {
        ::dup2(out_pipe[1], 1);
        ::dup2(err_pipe[1], 2);
        ::execv(path.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(out_pipe[1]);
    ::close(err_pipe[1]);
    out_fd_ = out_pipe[0];
    err_fd_ = err_pipe[0];
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    if (out_fd_ >= 0) {
        ::close(out_fd_);
    }
    if (err_fd_ >= 0) {
        ::close(err_fd_);
    }
}

// Reads both outputs until both reach their end or the time is up.
bool ChildProcess::drain(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (out_fd_ >= 0 || err_fd_ >= 0) {
        pollfd fds[2] = {{out_fd_, POLLIN, 0}, {err_fd_, POLLIN, 0}};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        if (::poll(fds, 2, static_cast<int>(left.count())) < 0 && errno != EINTR) {
            return false;
        }
        int* fd_of[2] = {&out_fd_, &err_fd_};
        std::string* text_of[2] = {&out_, &err_};
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

std::optional<int> ChildProcess::wait(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    if (pid_ <= 0 || !drain(timeout)) {
        return std::nullopt;
    }
    int status = 0;
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    pid_ = -1;
    if (!WIFEXITED(status)) {
        return std::nullopt;
    }
    return WEXITSTATUS(status);
}

bool enter_own_network_namespace() {
    if (::unshare(CLONE_NEWNET) != 0) {
        return false;
    }
    const int s = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ifreq loopback{};
    std::strncpy(loopback.ifr_name, "lo", IFNAMSIZ - 1);
    bool up = s >= 0 && ::ioctl(s, SIOCGIFFLAGS, &loopback) == 0;
    loopback.ifr_flags = static_cast<short>(loopback.ifr_flags | IFF_UP);
    up = up && ::ioctl(s, SIOCSIFFLAGS, &loopback) == 0;
    if (s >= 0) {
        ::close(s);
    }
    if (!up) {
        throw std::runtime_error("cannot bring up the loopback interface of a new namespace");
    }
    return true;
}

}  // namespace test_support
