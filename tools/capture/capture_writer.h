// Writes a capture (capture_file.h) as a session goes on.
//
// Records are kept as they came, up to kMostPending bytes of them, and put
// into words when the writer flushes or holds that many: a relay's records
// go on without waiting for their lines.
//
// The file is written beside its place, as PATH.partial, and moved over PATH
// by finish(): a session that never starts, or a tool that is killed, leaves
// an existing PATH as it was. A PATH that exists and is not a regular file (a
// pipe, a device) is written directly. Not thread-safe: one writer at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/capture/capture_file.h"

namespace capture {

class Writer {
  public:
    Writer() = default;
    ~Writer();
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    // Creates the file and writes the first line; false, with error() set,
    // when it cannot be created. A failure to write shows at a later flush.
    bool open(const std::string& path);
    // Says that record sizes count `unit` bytes (written only for 4), before
    // the first record.
    void units(std::size_t unit);
    // Takes a record, whose line (by name where its type fits) is written by
    // the next flush at the latest.
    void record(long long ms, From from, const uint8_t* bytes, std::size_t size);
    void comment(const std::string& text);
    // Writes out what is buffered; false once any write has failed.
    bool flush();
    // Flushes, closes and moves the file into place; false once any write
    // has failed (the file is still moved into place, holding what could
    // be written).
    bool finish();
    // Closes and removes what was written aside: no session took place.
    void abandon();

    bool good() const { return error_.empty(); }
    // Why writing failed: "cannot write PATH: <cause>".
    const std::string& error() const { return error_; }

  private:
    // A record taken and not yet written: its bytes are the next `size` of
    // pending_bytes_.
    struct Pending {
        long long ms;
        From from;
        std::size_t size;
    };

    void write_pending();
    void write(const std::string& text);
    void failed();
    void close();

    std::FILE* file_ = nullptr;
    std::string path_;
    std::string writing_;  // what file_ was opened as
    std::string error_;
    std::size_t unit_ = 1;
    std::vector<Pending> pending_;
    std::vector<uint8_t> pending_bytes_;
};

// The most bytes of records a writer holds before it writes their lines.
constexpr std::size_t kMostPending = 16 * 1024;

}  // namespace capture
