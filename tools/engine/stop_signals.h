// Ends a tool cleanly when it is asked to stop: Ctrl+C, SIGTERM and SIGHUP
// (the terminal closing) on POSIX; Ctrl+C, Ctrl+Break and the console window
// closing on Windows.
#pragma once

#include <asio/io_context.hpp>
#include <asio/signal_set.hpp>
#include <functional>

namespace engine {

class StopSignals {
  public:
    // Calls `stop` on the io_context's thread when a stop is asked for.
    StopSignals(asio::io_context& io, std::function<void()> stop);
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Stops listening, so that the io_context can run out of work.
    void cancel();

    // Says that the tool has written what a stop asked it to complete.
    // Windows ends a process once it has answered the console window's
    // closing, so the answer waits for this (a few seconds at most).
    static void finished();

  private:
    void wait();

    asio::signal_set signals_;
    std::function<void()> stop_;
    bool cancelled_ = false;
};

}  // namespace engine
