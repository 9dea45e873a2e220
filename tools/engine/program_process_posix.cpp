// Programs started through /bin/sh in a process group of their own.
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "tools/engine/program_process.h"

namespace engine {

namespace {

// The group of the program that runs now, for a stop signal to end too.
std::atomic<pid_t> running_group{0};

// A stop signal ends the program with the tool, which would otherwise leave
// it running in its own group; then the tool ends as the signal says.
extern "C" void end_with_the_tool(int signal_number) {
    const pid_t group = running_group.load();
    if (group > 0) {
        ::kill(-group, SIGKILL);
    }
    ::signal(signal_number, SIG_DFL);
    ::raise(signal_number);
}

// The guard: a child of the tool that starts the shell and stays in the
// program's group, waiting for one of two ends. When the tool ends, however
// it ends (a kill included), its end of the pipe `alive` closes and the
// guard ends the whole group, itself included: what the shell starts is not
// told of the tool's end. When the shell ends, the guard ends with its
// status. It waits in poll, on the pipe and on a descriptor of the shell
// (Linux 5.3 on); where a kernel has no such descriptors, it looks at the
// shell every 100 ms. No signal handler serves: some runtimes (the thread
// sanitizer) defer handlers past a blocking wait.
[[noreturn]] void guard(int alive, pid_t shell) {
    const int shell_end = static_cast<int>(::syscall(SYS_pidfd_open, shell, 0));
    pollfd ends[2] = {{alive, POLLIN, 0}, {shell_end, POLLIN, 0}};
    for (;;) {
        ::poll(ends, shell_end >= 0 ? 2 : 1, shell_end >= 0 ? -1 : 100);
        if (ends[0].revents != 0) {
            ::kill(0, SIGKILL);  // nothing is written: any event is the tool's end
        }
        int status = 0;
        if (::waitpid(shell, &status, WNOHANG) == shell) {
            ::_exit(WIFEXITED(status) ? WEXITSTATUS(status) : 128);
        }
    }
}

void end_with_the_tool_on_stop_signals() {
    static const bool installed = [] {
        for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
            ::signal(signal_number, end_with_the_tool);
        }
        return true;
    }();
    (void)installed;
}

// Processor ticks of every process in `group`, and of the children they
// have reaped: fields 14 to 17 of /proc/PID/stat, after the name in
// parentheses; field 5 is the process group.
long long group_ticks(pid_t group) {
    long long ticks = 0;
    DIR* processes = ::opendir("/proc");
    if (processes == nullptr) {
        return 0;
    }
    while (const dirent* entry = ::readdir(processes)) {
        if (entry->d_name[0] < '1' || entry->d_name[0] > '9') {
            continue;
        }
        std::ifstream stat(std::string("/proc/") + entry->d_name + "/stat");
        std::string line;
        std::getline(stat, line);
        const std::size_t name_end = line.rfind(')');
        if (name_end == std::string::npos || name_end + 2 > line.size()) {
            continue;
        }
        std::istringstream fields(line.substr(name_end + 2));
        std::string field;
        long long own = 0;
        bool in_group = false;
        for (int number = 3; number <= 17 && fields >> field; ++number) {
            if (number == 5) {
                in_group = std::atoll(field.c_str()) == group;
            } else if (number >= 14) {
                own += std::atoll(field.c_str());
            }
        }
        ticks += in_group ? own : 0;
    }
    ::closedir(processes);
    return ticks;
}

// The shell's statuses for a command it could not run.
constexpr int kNotExecutable = 126;
constexpr int kNotFound = 127;

constexpr std::size_t kReadSize = 4096;

}  // namespace

struct ProgramProcess::Platform {
    pid_t pid = -1;
    int alive = -1;  // the tool's end of the guard's pipe
    bool reaped = false;
    std::optional<int> status;  // the guard's, which is the shell's
    int output = -1;            // the program's output, read without waiting
    int stop[2] = {-1, -1};     // a byte written here stops the reader
    std::thread reader;

    // Hands the output on until its end, or until stopped; then what is
    // left in the pipe. Waits in poll without a time-out.
    void read_output(ProgramProcess& process) {
        char buffer[kReadSize];
        pollfd ends[2] = {{output, POLLIN, 0}, {stop[0], POLLIN, 0}};
        for (bool stopped = false;;) {
            if (!stopped) {
                ends[0].revents = ends[1].revents = 0;
                if (::poll(ends, 2, -1) < 0 && errno != EINTR) {
                    break;
                }
                stopped = ends[1].revents != 0;
            }
            const ssize_t got = ::read(output, buffer, sizeof buffer);
            if (got > 0) {
                process.take_output(buffer, static_cast<std::size_t>(got));
            } else if (got == 0 || (errno != EINTR && (errno != EAGAIN || stopped))) {
                break;  // the end, a failure, or nothing more after the stop
            }
        }
        process.lines_.finish();
    }
};

ProgramProcess::ProgramProcess(const std::string& command, const std::string& variable,
                               const std::string& value, OutputLines::Line each_line)
    : platform_(std::make_unique<Platform>()), lines_(std::move(each_line)) {
    end_with_the_tool_on_stop_signals();
    // Set here, before the fork, for the program to inherit: a child of a
    // process with threads may only make the calls that signals may.
    ::setenv(variable.c_str(), value.c_str(), 1);
    Platform& p = *platform_;
    int alive[2];
    int output[2];
    if (::pipe2(alive, O_CLOEXEC) != 0) {
        return;
    }
    if (::pipe2(output, O_CLOEXEC) != 0 || ::pipe2(p.stop, O_CLOEXEC) != 0) {
        ::close(alive[0]);
        ::close(alive[1]);
        return;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setpgid(0, 0);
        // No input: in a group of its own, a read of the terminal would stop
        // it. Its output, both streams, goes to the tool through the pipe.
        const int nothing = ::open("/dev/null", O_RDONLY);
        ::dup2(nothing, STDIN_FILENO);
        ::dup2(output[1], STDOUT_FILENO);
        ::dup2(output[1], STDERR_FILENO);
        // Nothing else of the tool's, such as its listening socket, which
        // would keep the port taken after the tool; the guard keeps its end
        // of the pipe as descriptor 3, which the shell does not inherit.
        const int guard_end = alive[0] == 3 ? 3 : ::dup3(alive[0], 3, O_CLOEXEC);
        if (guard_end != 3 || ::close_range(4, ~0U, 0) != 0) {
            for (int descriptor = 4; descriptor < ::sysconf(_SC_OPEN_MAX); ++descriptor) {
                ::close(descriptor);
            }
        }
        const pid_t shell = ::fork();
        if (shell == 0) {
            ::execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        if (shell < 0) {
            ::_exit(127);
        }
        guard(3, shell);
    }
    ::close(alive[0]);
    ::close(output[1]);
    p.alive = alive[1];
    p.output = output[0];
    if (pid > 0) {
        ::setpgid(pid, pid);  // also here, so that no signal can come between
        running_group = pid;
        ::fcntl(p.output, F_SETFL, ::fcntl(p.output, F_GETFL) | O_NONBLOCK);
        p.reader = std::thread([this] { platform_->read_output(*this); });
    }
    p.pid = pid;
}

ProgramProcess::~ProgramProcess() {
    end();
    Platform& p = *platform_;
    for (const int descriptor : {p.alive, p.output, p.stop[0], p.stop[1]}) {
        if (descriptor >= 0) {
            ::close(descriptor);
        }
    }
}

bool ProgramProcess::started() const {
    return platform_->pid > 0;
}

bool ProgramProcess::running() {
    Platform& p = *platform_;
    if (p.pid <= 0 || p.reaped) {
        return false;
    }
    int status = 0;
    if (::waitpid(p.pid, &status, WNOHANG) == p.pid) {
        p.reaped = true;
        if (WIFEXITED(status)) {
            p.status = WEXITSTATUS(status);
        }
    }
    // The guard ends with the shell, while what the shell started may go on.
    return !p.reaped || ::kill(-p.pid, 0) == 0;
}

void ProgramProcess::end() {
    Platform& p = *platform_;
    if (p.pid <= 0) {
        return;
    }
    running();  // the shell's status, if it has ended by itself
    ::kill(-p.pid, SIGTERM);
    for (int i = 0; i < 200 && running(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::kill(-p.pid, SIGKILL);
    if (!p.reaped) {
        ::waitpid(p.pid, nullptr, 0);
        p.reaped = true;
    }
    running_group.compare_exchange_strong(p.pid, 0);
    p.pid = -1;
    ::close(p.alive);
    p.alive = -1;
    // Everything it started has ended, so its output is all in the pipe,
    // unless something it started left the group: the reader takes what
    // is there and stops.
    const char stop = 0;
    while (::write(p.stop[1], &stop, 1) < 0 && errno == EINTR) {
    }
    p.reader.join();
}

std::optional<int> ProgramProcess::exit_status() {
    running();
    return platform_->status;
}

bool ProgramProcess::could_not_run() {
    const std::optional<int> status = exit_status();
    return status == kNotExecutable || status == kNotFound;
}

std::chrono::milliseconds ProgramProcess::cpu_time() {
    if (platform_->pid <= 0) {
        return std::chrono::milliseconds(0);
    }
    return std::chrono::milliseconds(group_ticks(platform_->pid) * 1000 / ::sysconf(_SC_CLK_TCK));
}

}  // namespace engine
