// Programs started through cmd /c in a job of their own, which ends and
// counts everything they start.
#include <windows.h>

#include <cstdint>

#include "tools/engine/program_process.h"

namespace engine {

struct ProgramProcess::Platform {
    HANDLE job = nullptr;
    PROCESS_INFORMATION process{};
    HANDLE nothing = INVALID_HANDLE_VALUE;  // its standard input
    bool started = false;
};

ProgramProcess::ProgramProcess(const std::string& command, const std::string& variable,
                               const std::string& value)
    : platform_(std::make_unique<Platform>()) {
    Platform& p = *platform_;
    p.job = ::CreateJobObjectA(nullptr, nullptr);
    if (p.job == nullptr) {
        return;
    }
    // Whatever way the tool ends, the job's last handle closes with it and
    // ends the program too.
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(p.job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    // The variable is set in this process for the child to inherit.
    ::SetEnvironmentVariableA(variable.c_str(), value.c_str());
    // /s with the whole command in quotes: cmd takes off exactly those
    // quotes, and the command's own stay as they are.
    std::string line = "cmd /s /c \"" + command + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    // No input; its output goes to the tool's standard error: the tool's
    // own output stays its report.
    startup.dwFlags = STARTF_USESTDHANDLES;
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    p.nothing = ::CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                              OPEN_EXISTING, 0, nullptr);
    startup.hStdInput = p.nothing;
    startup.hStdOutput = ::GetStdHandle(STD_ERROR_HANDLE);
    startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr,
                          nullptr, &startup, &p.process)) {
        return;
    }
    ::AssignProcessToJobObject(p.job, p.process.hProcess);
    ::ResumeThread(p.process.hThread);
    p.started = true;
}

ProgramProcess::~ProgramProcess() {
    end();
    Platform& p = *platform_;
    if (p.process.hProcess != nullptr) {
        ::CloseHandle(p.process.hProcess);
        ::CloseHandle(p.process.hThread);
    }
    if (p.job != nullptr) {
        ::CloseHandle(p.job);
    }
    if (p.nothing != INVALID_HANDLE_VALUE) {
        ::CloseHandle(p.nothing);
    }
}

bool ProgramProcess::started() const {
    return platform_->started;
}

namespace {

JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting(HANDLE job) {
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info{};
    ::QueryInformationJobObject(job, JobObjectBasicAccountingInformation, &info, sizeof info,
                                nullptr);
    return info;
}

}  // namespace

bool ProgramProcess::running() {
    Platform& p = *platform_;
    if (!p.started) {
        return false;
    }
    if (::WaitForSingleObject(p.process.hProcess, 0) != WAIT_OBJECT_0) {
        return true;
    }
    return accounting(p.job).ActiveProcesses > 0;
}

void ProgramProcess::end() {
    Platform& p = *platform_;
    if (!p.started) {
        return;
    }
    ::TerminateJobObject(p.job, 1);
    ::WaitForSingleObject(p.process.hProcess, 5000);
    for (int i = 0; i < 200 && accounting(p.job).ActiveProcesses > 0; ++i) {
        ::Sleep(10);
    }
    p.started = false;
}

std::chrono::milliseconds ProgramProcess::cpu_time() {
    const JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info = accounting(platform_->job);
    const uint64_t hundreds_of_ns = static_cast<uint64_t>(info.TotalUserTime.QuadPart) +
                                    static_cast<uint64_t>(info.TotalKernelTime.QuadPart);
    return std::chrono::milliseconds(hundreds_of_ns / 10000);
}

}  // namespace engine
