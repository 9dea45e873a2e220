// Which of the bytes queued on a link a fault held first, so that when a
// failed send drops the queue, the bytes lost after a hold can be told from
// the rest. The link queues in order: what it drops is always the last of
// what it was given.
#pragma once

#include <cstddef>
#include <deque>
#include <utility>

namespace insim_tap {

class HeldInQueue {
  public:
    // `size` more bytes were given to the link, held by a fault first or
    // not; `queued` is what the link still queues, these included.
    void given(std::size_t size, bool held, std::size_t queued);
    // Of the last `dropped` bytes given, those a fault held.
    std::size_t held_among_last(std::size_t dropped) const;

  private:
    std::size_t given_ = 0;
    // Where held bytes start and end in what was given, while any of them
    // may still be queued; adjacent ones are one run.
    std::deque<std::pair<std::size_t, std::size_t>> runs_;
};

}  // namespace insim_tap
