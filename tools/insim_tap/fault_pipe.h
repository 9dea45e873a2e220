// One direction of the relay with faults on it: what comes is cut into
// records, each is given its time (latency, stalls) and its shape (slices),
// dropped, or turned into a cut or a reset, and then goes to the other side
// in order. Each fault that fires says so in the capture.
#pragma once

#include <asio/io_context.hpp>
#include <asio/steady_timer.hpp>
#include <deque>
#include <functional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "tools/engine/link.h"
#include "tools/insim_tap/faults.h"
#include "tools/protocol/record_splitter.h"

namespace insim_tap {

using engine::Clock;

class FaultPipe {
  public:
    struct Actions {
        std::function<void(std::span<const uint8_t>)> send;  // to the other side
        std::function<void(const std::string&)> note;        // into the capture
        std::function<void(const std::string&)> cut;         // close both connections
        std::function<void(const std::string&)> reset;       // reset the program's
        std::function<void()> ended;                         // all that came has gone after the end
    };

    FaultPipe(asio::io_context& io, Direction direction, std::vector<Fault> faults,
              Actions actions);

    // What came from the sending side; `unit` is the session's record unit
    // once the introduction has decided it.
    void take(std::span<const uint8_t> bytes, std::size_t unit);
    // The sending side has ended: what is held goes, and then `ended`.
    void end();
    // Stops: nothing more goes.
    void stop();
    // Bytes waiting for their time.
    std::size_t held() const { return held_; }

  private:
    struct Item {
        sim::Bytes bytes;
        Clock::time_point due;
        std::size_t slice = 0;  // 0: whole
        enum class What { kBytes, kCut, kReset, kEnd } what = What::kBytes;
        std::string why = {};  // for a cut or a reset
    };

    void record(std::span<const uint8_t> bytes);
    void schedule(Item item);
    void release();
    bool applies(const Fault& fault, long record) const;

    const Direction direction_;
    const std::vector<Fault> faults_;
    Actions actions_;
    asio::steady_timer timer_;
    framing::RecordSplitter splitter_;
    std::deque<Item> queue_;
    Clock::time_point last_due_;
    long records_ = 0;
    std::size_t held_ = 0;
    bool noted_every_ = false;
    bool unframed_ = false;  // a size of 0 came: the rest is passed on as it is
    bool stopped_ = false;
    bool waiting_ = false;
    std::mt19937 jitter_{std::random_device{}()};
};

}  // namespace insim_tap
