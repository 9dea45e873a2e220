#include "tools/insim_check/exchange_log.h"

#include <algorithm>

#include "tools/insim_check/report.h"

namespace insim_check {

void ExchangeLog::add(const Exchanged& record) {
    for (const std::size_t open : open_) {
        marks_[open].records.push_back(record);
        ++marks_[open].after;
    }
    std::erase_if(open_, [&](std::size_t open) { return marks_[open].after == kAround; });
    recent_.push_back(record);
    if (recent_.size() > kRecent) {
        recent_.pop_front();
    }
}

void ExchangeLog::mark(double ms) {
    if (marks_.size() == kMarks || ms < 0) {
        return;
    }
    Mark mark{ms, {}, 0};
    const std::vector<Exchanged> recent(recent_.begin(), recent_.end());
    mark.records = excerpt_around(recent, ms);
    mark.after = static_cast<std::size_t>(
        std::count_if(mark.records.begin(), mark.records.end(),
                      [&](const Exchanged& record) { return record.ms >= ms; }));
    if (mark.after < kAround) {
        open_.push_back(marks_.size());
    }
    marks_.push_back(std::move(mark));
}

std::vector<Exchanged> ExchangeLog::around(double ms) const {
    if (ms < 0) {
        return {};
    }
    // The moment marked nearest before it, else the last records.
    const Mark* nearest = nullptr;
    for (const Mark& mark : marks_) {
        if (mark.ms <= ms && (nearest == nullptr || mark.ms > nearest->ms)) {
            nearest = &mark;
        }
    }
    if (nearest != nullptr && nearest->ms == ms) {
        return nearest->records;
    }
    const std::vector<Exchanged> recent(recent_.begin(), recent_.end());
    const std::vector<Exchanged> excerpt = excerpt_around(recent, ms);
    if (!excerpt.empty() && excerpt.front().ms <= ms) {
        return excerpt;
    }
    return nearest != nullptr ? nearest->records : excerpt;
}

}  // namespace insim_check
