// The records of one session that its report may show, within a bound
// whatever the program sends: the last few records, and around each moment
// marked as one a failure may point at (a keep-alive sent, a probe, a
// broken rule, the connection's end), the few records before and after it.
#pragma once

#include <cstddef>
#include <deque>
#include <vector>

#include "tools/insim_check/check.h"

namespace insim_check {

class ExchangeLog {
  public:
    // Records shown before and after a moment.
    static constexpr std::size_t kAround = 3;

    void add(const Exchanged& record);
    // Keeps the records around `ms`, which may lie a little in the past:
    // those still among the last few, and the next ones as they come.
    void mark(double ms);
    // The records kept around `ms` (a moment marked, or a recent one), at
    // most kAround before it and kAround from it on.
    std::vector<Exchanged> around(double ms) const;

  private:
    struct Mark {
        double ms;
        std::vector<Exchanged> records;
        std::size_t after = 0;  // records kept from ms on
    };

    // The last records; enough to reach back over a silence with the
    // simulator's records in it.
    static constexpr std::size_t kRecent = 64;
    // Moments kept; a session marks a few dozen at most, and any further
    // one is not kept (the first of each kind, such as a rule's first
    // breach, matter most).
    static constexpr std::size_t kMarks = 64;

    std::deque<Exchanged> recent_;
    std::vector<Mark> marks_;
    std::vector<std::size_t> open_;  // the marks still taking records after them
};

}  // namespace insim_check
