// The tap's capture as the session goes on: each direction's bytes cut into
// records (in the unit the introduction declares) and written with their
// time, comments on what cannot be framed, flushes at least once a second
// while anything is unflushed, and a write error reported the moment it
// happens.
#pragma once

#include <asio/io_context.hpp>
#include <asio/steady_timer.hpp>
#include <span>
#include <string>

#include "tools/capture/capture_writer.h"
#include "tools/engine/link.h"
#include "tools/protocol/record_splitter.h"

namespace insim_tap {

using engine::Clock;

class CaptureLog {
  public:
    CaptureLog(asio::io_context& io, capture::Writer& writer, Clock::time_point connected);

    // Frames what came from one side, relayed already, and writes each whole
    // record.
    void take(capture::From from, std::span<const uint8_t> bytes);
    // Says so when a side's stream ended inside a record.
    void side_ended(capture::From from);
    // Writes what is still held at the end of the session: records that
    // waited for the introduction that never came, and the note of a side
    // that ended inside a record, unless side_ended gave it.
    void session_ended();
    void comment(const std::string& text);
    // Writes out what is buffered and stops the flush timer.
    void close();

    long long ms_now() const;
    // The unit the program's introduction declared; framing::kUndecided
    // before it came.
    std::size_t unit() const { return client_.unit(); }
    long records() const { return records_; }

  private:
    framing::RecordSplitter& splitter(capture::From from);
    void decide_unit(std::size_t unit);
    void write_records(capture::From from);
    void note_introduction(std::span<const uint8_t> record);
    void written();
    void tell_failure();

    capture::Writer& writer_;
    const Clock::time_point connected_;
    asio::steady_timer flush_timer_;
    bool flush_due_ = false;
    bool failure_told_ = false;
    framing::RecordSplitter client_ = framing::RecordSplitter::of_program();
    framing::RecordSplitter simulator_{framing::kUndecided};
    bool unit_written_ = false;
    bool introduction_seen_ = false;
    bool client_noted_ = false;
    bool simulator_noted_ = false;
    long records_ = 0;
};

}  // namespace insim_tap
