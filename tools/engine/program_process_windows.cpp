// Programs started through cmd /c in a job of their own, which ends and
// counts everything they start.
#include <windows.h>

#include <cstdint>

#include "tools/engine/program_process.h"

namespace engine {
namespace {

// cmd's status for a command it does not know.
constexpr DWORD kNotRecognised = 9009;

constexpr DWORD kReadSize = 4096;
// How long the reader may take for what is left once the job has ended.
constexpr DWORD kReaderBound = 2000;

}  // namespace

struct ProgramProcess::Platform {
    HANDLE job = nullptr;
    PROCESS_INFORMATION process{};
    HANDLE nothing = INVALID_HANDLE_VALUE;  // its standard input
    HANDLE output = nullptr;                // the reading end of its output
    HANDLE reader = nullptr;                // the thread that reads it
    ProgramProcess* owner = nullptr;
    bool started = false;
    std::optional<int> status;  // cmd's, once it has ended by itself

    // Hands the output on until every writer has closed it (the pipe then
    // breaks) or the read is cancelled.
    static DWORD WINAPI read_output(void* platform) {
        Platform& p = *static_cast<Platform*>(platform);
        char buffer[kReadSize];
        DWORD got = 0;
        while (::ReadFile(p.output, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            p.owner->take_output(buffer, got);
        }
        p.owner->lines_.finish();
        return 0;
    }
};

ProgramProcess::ProgramProcess(const std::string& command, const std::string& variable,
                               const std::string& value, OutputLines::Line each_line)
    : platform_(std::make_unique<Platform>()), lines_(std::move(each_line)) {
    Platform& p = *platform_;
    p.owner = this;
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
    // No input; its output, both streams, comes to the tool through a pipe
    // whose writing end only the program holds.
    startup.dwFlags = STARTF_USESTDHANDLES;
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    p.nothing = ::CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                              OPEN_EXISTING, 0, nullptr);
    HANDLE writing = nullptr;
    if (!::CreatePipe(&p.output, &writing, &inherited, 0)) {
        p.output = nullptr;
        return;
    }
    ::SetHandleInformation(p.output, HANDLE_FLAG_INHERIT, 0);
    startup.hStdInput = p.nothing;
    startup.hStdOutput = writing;
    startup.hStdError = writing;
    const bool created = ::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE,
                                          CREATE_SUSPENDED, nullptr, nullptr, &startup, &p.process);
    ::CloseHandle(writing);
    if (!created) {
        p.process = {};
        return;
    }
    ::AssignProcessToJobObject(p.job, p.process.hProcess);
    ::ResumeThread(p.process.hThread);
    p.reader = ::CreateThread(nullptr, 0, Platform::read_output, &p, 0, nullptr);
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
    if (p.output != nullptr) {
        ::CloseHandle(p.output);
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
    exit_status();  // the shell's status, if it has ended by itself
    ::TerminateJobObject(p.job, 1);
    ::WaitForSingleObject(p.process.hProcess, 5000);
    for (int i = 0; i < 200 && accounting(p.job).ActiveProcesses > 0; ++i) {
        ::Sleep(10);
    }
    p.started = false;
    // With the job ended the pipe breaks and the reader ends; a writer
    // outside the job cannot hold it up past the bound.
    if (p.reader != nullptr) {
        if (::WaitForSingleObject(p.reader, kReaderBound) != WAIT_OBJECT_0) {
            ::CancelSynchronousIo(p.reader);
            ::WaitForSingleObject(p.reader, INFINITE);
        }
        ::CloseHandle(p.reader);
        p.reader = nullptr;
    }
}

std::optional<int> ProgramProcess::exit_status() {
    Platform& p = *platform_;
    if (!p.status && p.process.hProcess != nullptr &&
        ::WaitForSingleObject(p.process.hProcess, 0) == WAIT_OBJECT_0) {
        DWORD code = 0;
        if (::GetExitCodeProcess(p.process.hProcess, &code)) {
            p.status = static_cast<int>(code);
        }
    }
    return p.status;
}

bool ProgramProcess::could_not_run() {
    return exit_status() == static_cast<int>(kNotRecognised);
}

std::chrono::milliseconds ProgramProcess::cpu_time() {
    const JOBOBJECT_BASIC_ACCOUNTING_INFORMATION info = accounting(platform_->job);
    const uint64_t hundreds_of_ns = static_cast<uint64_t>(info.TotalUserTime.QuadPart) +
                                    static_cast<uint64_t>(info.TotalKernelTime.QuadPart);
    return std::chrono::milliseconds(hundreds_of_ns / 10000);
}

}  // namespace engine
