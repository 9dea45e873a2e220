#include "tools/engine/stop_signals.h"

#include <asio/post.hpp>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>

#ifdef _WIN32
#include <windows.h>
#endif

namespace engine {
namespace {

std::mutex finish_lock;
std::condition_variable finish_seen;
bool tool_finished = false;

#ifdef _WIN32
// The console window closing, the user logging off or the system shutting
// down: Windows ends the process when the handler returns, so the stop is
// passed to the io_context and the handler waits for the tool to finish.
// Ctrl+C and Ctrl+Break go on to the C runtime, which raises SIGINT and
// SIGBREAK for the signal set.
asio::io_context* console_io = nullptr;
std::function<void()>* console_stop = nullptr;

BOOL WINAPI on_console_event(DWORD event) {
    if (event != CTRL_CLOSE_EVENT && event != CTRL_LOGOFF_EVENT && event != CTRL_SHUTDOWN_EVENT) {
        return FALSE;
    }
    if (console_io != nullptr) {
        asio::post(*console_io, [] { (*console_stop)(); });
        std::unique_lock<std::mutex> lock(finish_lock);
        finish_seen.wait_for(lock, std::chrono::seconds(4), [] { return tool_finished; });
    }
    return TRUE;
}
#endif

}  // namespace

StopSignals::StopSignals(asio::io_context& io, std::function<void()> stop)
    : signals_(io, SIGINT, SIGTERM), stop_(std::move(stop)) {
#ifdef SIGHUP
    signals_.add(SIGHUP);
#endif
#ifdef SIGPIPE
    // Output piped to a program that has quit is a write error to report,
    // not an end without a word.
    std::signal(SIGPIPE, SIG_IGN);
#endif
#ifdef SIGBREAK
    signals_.add(SIGBREAK);
#endif
#ifdef _WIN32
    console_io = &io;
    console_stop = &stop_;
    ::SetConsoleCtrlHandler(on_console_event, TRUE);
#endif
    wait();
}

StopSignals::~StopSignals() {
#ifdef _WIN32
    ::SetConsoleCtrlHandler(on_console_event, FALSE);
    console_io = nullptr;
    console_stop = nullptr;
#endif
}

void StopSignals::wait() {
    signals_.async_wait([this](std::error_code error, int) {
        if (error || cancelled_) {
            return;
        }
        stop_();
        if (!cancelled_) {
            wait();  // a second stop is taken too
        }
    });
}

void StopSignals::cancel() {
    cancelled_ = true;
    std::error_code ignored;
    signals_.cancel(ignored);
}

void StopSignals::finished() {
    std::lock_guard<std::mutex> lock(finish_lock);
    tool_finished = true;
    finish_seen.notify_all();
}

}  // namespace engine
