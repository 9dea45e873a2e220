// The tap's relay: what one side sends goes to the other as it comes, and
// then into the capture. Each direction ends on its own: the end of one
// side's stream is passed on (a half-close as a half-close), after what the
// direction's faults still hold, and the other direction goes on until that
// side ends too. A side that takes nothing for the stall limit is given up
// on: what the other side sends is still read and recorded, and what could
// not be given is counted. What is on its way in a direction, queued or held
// by its faults, is bounded: past the bound its side is not read until less
// is on its way, and so waits, as it would for a slow peer.
#pragma once

#include <asio/io_context.hpp>
#include <asio/ip/tcp.hpp>
#include <asio/steady_timer.hpp>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "tools/engine/link.h"
#include "tools/insim_tap/capture_log.h"
#include "tools/insim_tap/fault_pipe.h"
#include "tools/insim_tap/held_in_queue.h"

namespace insim_tap {

class Relay {
  public:
    // `faults` go into the directions they name (none: bytes go on as they
    // come).
    Relay(asio::io_context& io, asio::ip::tcp::socket program, asio::ip::tcp::socket simulator,
          CaptureLog& log, Clock::duration stall_limit, const std::vector<Fault>& faults = {});

    // Relays both ways until both sides have ended (or stayed silent for the
    // stall limit after one did), and then calls `done`, once.
    void start(std::function<void()> done);
    // Ends the relay early: each side sees the end of its stream after what
    // is queued for it, what both still send is relayed and recorded for a
    // short while, and then both close.
    void stop();

    // What ended the session first, in words ("the program closed the
    // connection").
    const std::string& ending() const { return ending_; }
    // Why the tap gave up on a side, with what it was not given ("the
    // program took nothing for 70 s (--stall-limit); 1200 bytes were not
    // delivered"); empty when it did not.
    std::string stall() const;
    // What one side sent that never reached the other.
    struct Undelivered {
        std::size_t bytes = 0;  // kept back by the faults or the connection
        // Of those, the bytes a fault held for their time that could not go
        // after it: the receiving side's connection ended or was given up on,
        // or the interrupt ended the session first.
        std::size_t held = 0;
        bool interrupted = false;  // the interrupt, not the connection, ended the hold
    };
    Undelivered to_program() const { return undelivered_to(program_, simulator_); }
    Undelivered to_simulator() const { return undelivered_to(simulator_, program_); }

  private:
    struct End {
        End(asio::ip::tcp::socket socket, Clock::duration stall_limit, const char* name,
            capture::From from)
            : link(std::move(socket), stall_limit), name(name), from(from) {}
        engine::Link link;
        const char* name;
        capture::From from;  // what the capture calls its records
        bool reading_done = false;
        bool sending_done = false;
        // The faults on what this side sends, if any.
        std::unique_ptr<FaultPipe> faults;
        // Of what is queued for this side, the bytes the other's faults held.
        HeldInQueue held_in_queue;
        // Bytes the other's faults held that this side's connection dropped
        // as it failed, was given up on or was interrupted.
        std::size_t held_dropped = 0;
        bool held_interrupted = false;  // the interrupt ended what was held for this side
    };

    static Undelivered undelivered_to(const End& to, const End& from);
    // Bytes on their way in either direction: held by faults or queued.
    bool delivering() const;
    // Bytes on their way from `from` to `to`: held by the faults or queued.
    static std::size_t on_the_way(const End& from, const End& to);
    // Stops reading from `from` while too much is on its way to `to`, and
    // goes on once less is.
    static void hold_back(End& from, const End& to);
    // `to`'s connection has dropped what was queued for it (not by a cut or
    // reset fault): counts what of it the faults held.
    static void dropped(End& to);

    void start_end(End& end, End& other);
    void add_faults(asio::io_context& io, End& end, End& other, Direction direction,
                    const std::vector<Fault>& faults);
    // Ends the direction from `from` to `to` after what its faults hold.
    static void pass_end(End& from, End& to);
    // Stops the faults on `from`'s records, whose receiver can take nothing
    // more: what they hold is counted, as lost by the hold unless a fault
    // ended that way.
    static void stop_faults_of(End& from, bool held_lost);
    void reset_program(const std::string& why);
    void reading_ended(End& end, End& other, std::error_code error);
    void sending_ended(End& end, End& other, std::error_code error);
    void stalled(End& end, End& other);
    void note_end(const std::string& what);
    void watch_silence();
    void check_done();
    void close_both();

    CaptureLog& log_;
    const Clock::duration stall_limit_;
    End program_;
    End simulator_;
    asio::steady_timer end_timer_;
    std::function<void()> done_;
    bool finished_ = false;
    bool stopping_ = false;
    const End* stalled_ = nullptr;
    Clock::time_point last_heard_;
    Clock::time_point last_delivered_;  // the last bytes on their way went
    std::string ending_;
};

}  // namespace insim_tap
