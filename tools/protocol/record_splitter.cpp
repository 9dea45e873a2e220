#include "tools/protocol/record_splitter.h"

namespace framing {

std::optional<std::size_t> record_length(uint8_t size, std::size_t unit) {
    if (size == 0) {
        return std::nullopt;
    }
    return size * unit;
}

std::optional<std::size_t> unit_of_session(std::span<const uint8_t> first) {
    if (first.size() <= kIntroductionVersionByte) {
        return std::nullopt;
    }
    const bool in_words = first[0] * kWordUnits == sizeof(insim::IS_ISI) &&
                          first[1] == insim::ISP_ISI &&
                          first[kIntroductionVersionByte] >= kFirstProtocolInWordUnits;
    return in_words ? kWordUnits : kByteUnits;
}

void RecordSplitter::feed(const uint8_t* bytes, std::size_t size) {
    // What was handed out goes before more comes, so the buffer holds at
    // most one partial record between feeds.
    if (start_ > 0) {
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start_));
        start_ = 0;
    }
    buffer_.insert(buffer_.end(), bytes, bytes + size);
}

std::optional<std::span<const uint8_t>> RecordSplitter::next() {
    if (lost_ || unit_ == kUndecided || start_ == buffer_.size()) {
        return std::nullopt;
    }
    const std::optional<std::size_t> length = record_length(buffer_[start_], unit_);
    if (!length) {
        lost_ = true;
        return std::nullopt;
    }
    if (buffer_.size() - start_ < *length) {
        return std::nullopt;
    }
    const std::span<const uint8_t> record(buffer_.data() + start_, *length);
    start_ += *length;
    return record;
}

}  // namespace framing
