// Cuts a byte stream of the client protocol into records by their size
// byte, apart from any socket, so that the tap, the stand-in, the replay and
// the test peer frame alike.
//
// Up to protocol version 8 the size byte counts bytes; from version 9 it
// counts units of 4 bytes. The 44-byte introduction that opens a program's
// side of a session says which: the version it declares (byte 8), as the
// simulator serves it, sets the unit of everything after it. The
// introduction's own size byte is taken as 44 (bytes) or 11 (4-byte units),
// whatever the version: the protocol does not say how the simulator reads
// it before it knows the version, so both are accepted. A size of 0 never
// moves the stream on: the framing is lost there, and nothing after it is a
// record, as the client library gives up on such a stream at the same
// point.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "tools/protocol/sim_records.h"
#include "tools/protocol/versions.h"

namespace framing {

constexpr std::size_t kByteUnits = 1;
constexpr std::size_t kWordUnits = 4;                // protocol 9 and later
constexpr std::size_t kUndecided = 0;                // hold everything until set_unit
constexpr std::size_t kIntroductionVersionByte = 8;  // IS_ISI's Sp0

// The length in bytes of a record whose size byte is `size`, counted in
// `unit` bytes; nothing for a size of 0, where the framing is lost.
std::optional<std::size_t> record_length(uint8_t size, std::size_t unit);

// Whether `record` starts like an introduction: type 1 and a size byte of
// 44 or 11.
bool is_introduction(std::span<const uint8_t> record);

class RecordSplitter {
  public:
    explicit RecordSplitter(std::size_t unit = kByteUnits) : unit_(unit) {}

    // A splitter of what a program sends a simulator of `simulator_version`:
    // its introduction first, then everything in the unit of the version
    // served. A first record that is no introduction leaves sizes in bytes.
    static RecordSplitter of_program(int simulator_version = sim::kSimulatorVersion);

    // kUndecided until the introduction (or set_unit) has decided it.
    std::size_t unit() const { return unit_; }
    // Decides the unit, also instead of an introduction still awaited.
    void set_unit(std::size_t unit);
    // The version served to the program's introduction; nothing before
    // one, or when the first record was no introduction.
    std::optional<int> version() const { return version_; }

    void feed(const uint8_t* bytes, std::size_t size);
    void feed(std::span<const uint8_t> bytes) { feed(bytes.data(), bytes.size()); }

    // The next whole record, valid until the next feed; nothing while no
    // whole record is held, while the unit is undecided, or once the
    // framing is lost.
    std::optional<std::span<const uint8_t>> next();

    // Whether a size of 0 was met.
    bool lost() const { return lost_; }
    // What is held and not handed out: the start of a record, or everything
    // from a size of 0 on.
    std::span<const uint8_t> held() const {
        return {buffer_.data() + start_, buffer_.size() - start_};
    }

  private:
    // Decides the unit by the introduction awaited at the front, once
    // enough of it is in to tell.
    void take_introduction();

    std::size_t unit_;
    int simulator_version_ = sim::kSimulatorVersion;
    bool awaiting_introduction_ = false;
    std::optional<int> version_;
    std::optional<std::size_t> introduction_length_;  // of the introduction at the front
    sim::Bytes buffer_;
    std::size_t start_ = 0;  // first byte not handed out
    bool lost_ = false;
};

}  // namespace framing
