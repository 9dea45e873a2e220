#include "tools/insim_tap/held_in_queue.h"

#include <algorithm>

namespace insim_tap {

void HeldInQueue::given(std::size_t size, bool held, std::size_t queued) {
    const std::size_t start = given_;
    given_ += size;
    // Runs the link has delivered whole are forgotten: the list is never
    // longer than the queue has runs.
    const std::size_t delivered = given_ - std::min(queued, given_);
    while (!runs_.empty() && runs_.front().second <= delivered) {
        runs_.pop_front();
    }
    if (!held || size == 0) {
        return;
    }
    if (!runs_.empty() && runs_.back().second == start) {
        runs_.back().second = given_;
    } else {
        runs_.emplace_back(start, given_);
    }
}

std::size_t HeldInQueue::held_among_last(std::size_t dropped) const {
    const std::size_t from = given_ - std::min(dropped, given_);
    std::size_t held = 0;
    for (const auto& [start, end] : runs_) {
        if (end > from) {
            held += end - std::max(start, from);
        }
    }
    return held;
}

}  // namespace insim_tap
