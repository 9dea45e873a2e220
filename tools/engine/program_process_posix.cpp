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

}  // namespace

struct ProgramProcess::Platform {
    pid_t pid = -1;
    int alive = -1;  // the tool's end of the guard's pipe
    bool reaped = false;
};

ProgramProcess::ProgramProcess(const std::string& command, const std::string& variable,
                               const std::string& value)
    : platform_(std::make_unique<Platform>()) {
    end_with_the_tool_on_stop_signals();
    // Set here, before the fork, for the program to inherit: a child of a
    // process with threads may only make the calls that signals may.
    ::setenv(variable.c_str(), value.c_str(), 1);
    int alive[2];
    if (::pipe2(alive, O_CLOEXEC) != 0) {
        return;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setpgid(0, 0);
        // No input: in a group of its own, a read of the terminal would stop
        // it. Its output goes to the tool's standard error, so that the
        // tool's own output stays its report.
        const int nothing = ::open("/dev/null", O_RDONLY);
        ::dup2(nothing, STDIN_FILENO);
        ::dup2(STDERR_FILENO, STDOUT_FILENO);
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
    platform_->alive = alive[1];
    if (pid > 0) {
        ::setpgid(pid, pid);  // also here, so that no signal can come between
        running_group = pid;
    }
    platform_->pid = pid;
}

ProgramProcess::~ProgramProcess() {
    end();
    if (platform_->alive >= 0) {
        ::close(platform_->alive);  // a start that failed
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
    if (::waitpid(p.pid, nullptr, WNOHANG) == p.pid) {
        p.reaped = true;
    }
    // The guard ends with the shell, while what the shell started may go on.
    return !p.reaped || ::kill(-p.pid, 0) == 0;
}

void ProgramProcess::end() {
    Platform& p = *platform_;
    if (p.pid <= 0) {
        return;
    }
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
}

std::chrono::milliseconds ProgramProcess::cpu_time() {
    if (platform_->pid <= 0) {
        return std::chrono::milliseconds(0);
    }
    return std::chrono::milliseconds(group_ticks(platform_->pid) * 1000 / ::sysconf(_SC_CLK_TCK));
}

}  // namespace engine
