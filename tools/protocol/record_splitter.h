// Cuts a byte stream of the client protocol into records by their size
// byte, apart from any socket, so that the tap, the stand-in, the replay and
// the test peer frame alike.
//
// Up to protocol version 8 the size byte counts bytes; from version 9 it
// counts units of 4 bytes. The 44-byte introduction that opens a session
// says which: its byte 8 declares the version, and its size byte is 44 or
// 11. A size of 0 never moves the stream on: the framing is lost there, and
// nothing after it is a record, as the client library gives up on such a
// stream at the same point.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "tools/protocol/sim_records.h"

namespace framing {

constexpr std::size_t kByteUnits = 1;
constexpr std::size_t kWordUnits = 4;  // protocol 9 and later
constexpr uint8_t kFirstProtocolInWordUnits = 9;
constexpr std::size_t kUndecided = 0;                // hold everything until set_unit
constexpr std::size_t kIntroductionVersionByte = 8;  // IS_ISI's Sp0

// The length in bytes of a record whose size byte is `size`, counted in
// `unit` bytes; nothing for a size of 0, where the framing is lost.
std::optional<std::size_t> record_length(uint8_t size, std::size_t unit);

// The unit of a session whose client sent `first` first: word units when it
// is an introduction that declares protocol 9 or later and is sized so (11
// units), bytes otherwise. Nothing while too few bytes are there to tell.
std::optional<std::size_t> unit_of_session(std::span<const uint8_t> first);

class RecordSplitter {
  public:
    explicit RecordSplitter(std::size_t unit = kByteUnits) : unit_(unit) {}

    std::size_t unit() const { return unit_; }
    void set_unit(std::size_t unit) { unit_ = unit; }

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
    std::size_t unit_;
    sim::Bytes buffer_;
    std::size_t start_ = 0;  // first byte not handed out
    bool lost_ = false;
};

}  // namespace framing
