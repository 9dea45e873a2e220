// One direction of the relay with faults on it: what comes is cut into
// records, each is given its time (latency, stalls) and its shape (slices),
// dropped, or turned into a cut or a reset, and then goes to the other side
// in order. Each fault that fires says so in the capture, once. What it
// holds goes before the end of the direction; every byte that never goes is
// counted.
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
        // To the other side; `held` when the bytes waited here for their time.
        std::function<void(std::span<const uint8_t>, bool held)> send;
        std::function<void(const std::string&)> note;   // into the capture
        std::function<void(const std::string&)> cut;    // close both connections
        std::function<void(const std::string&)> reset;  // reset the program's
        std::function<void()> ended;                    // all that came has gone after the end
    };

    FaultPipe(asio::io_context& io, Direction direction, std::vector<Fault> faults,
              Actions actions);

    // What came from the sending side; `unit` is the session's record unit
    // once the introduction has decided it.
    void take(std::span<const uint8_t> bytes, std::size_t unit);
    // The sending side has ended: what is held goes, and then `ended`. Once
    // only; nothing after a stop.
    void end();
    // Stops: nothing more goes, and what is still held is counted as not
    // delivered, and with `held_lost` also as lost by the hold: the
    // receiving side went away while it waited (rather than a cut or reset
    // fault ending the way on purpose).
    void stop(bool held_lost);
    bool stopped() const { return stopped_; }
    // Bytes waiting for their time.
    std::size_t held() const { return held_; }
    // Bytes that came and were never given to the other side's connection:
    // dropped, from the record a cut or reset fired before on, still held at
    // a stop, or come after it. (What that connection could not deliver, it
    // counts itself.)
    std::size_t undelivered() const { return undelivered_; }
    // Of those, the bytes held for their time when the receiving side went
    // away.
    std::size_t held_lost() const { return held_lost_; }

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
    // Sends what is due; `late` when its time came on the timer, so that
    // what goes waited for it.
    void release(bool late);
    // Counts the queue as not delivered and empties it.
    void drop_queue(bool held_lost);
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
    std::size_t undelivered_ = 0;
    std::size_t held_lost_ = 0;
    std::vector<bool> noted_;  // per fault: an every-record fault is noted once
    bool unframed_ = false;    // a size of 0 came: the rest is passed on as it is
    bool ended_ = false;
    bool stopped_ = false;
    bool waiting_ = false;
    std::mt19937 jitter_{std::random_device{}()};
};

}  // namespace insim_tap
