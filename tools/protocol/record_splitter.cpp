#include "tools/protocol/record_splitter.h"

namespace framing {
namespace {

constexpr uint8_t kIntroductionInBytes = sizeof(insim::IS_ISI);
constexpr uint8_t kIntroductionInWords = sizeof(insim::IS_ISI) / kWordUnits;

}  // namespace

std::optional<std::size_t> record_length(uint8_t size, std::size_t unit) {
    if (size == 0) {
        return std::nullopt;
    }
    return size * unit;
}

bool is_introduction(std::span<const uint8_t> record) {
    return record.size() > 1 && record[1] == insim::ISP_ISI &&
           (record[0] == kIntroductionInBytes || record[0] == kIntroductionInWords);
}

RecordSplitter RecordSplitter::of_program(int simulator_version) {
    RecordSplitter splitter(kUndecided);
    splitter.simulator_version_ = simulator_version;
    splitter.awaiting_introduction_ = true;
    return splitter;
}

void RecordSplitter::set_unit(std::size_t unit) {
    unit_ = unit;
    awaiting_introduction_ = false;
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

void RecordSplitter::take_introduction() {
    const std::span<const uint8_t> front = held();
    if (front.size() <= kIntroductionVersionByte) {
        return;
    }
    awaiting_introduction_ = false;
    if (!is_introduction(front)) {
        unit_ = kByteUnits;
        return;
    }
    version_ = sim::served_version(front[kIntroductionVersionByte], simulator_version_);
    unit_ = sim::size_unit(*version_);
    introduction_length_ = sizeof(insim::IS_ISI);
}

std::optional<std::span<const uint8_t>> RecordSplitter::next() {
    if (lost_ || start_ == buffer_.size()) {
        return std::nullopt;
    }
    if (awaiting_introduction_ && buffer_[start_] != 0) {
        take_introduction();
    }
    if (awaiting_introduction_ && buffer_[start_] != 0) {
        return std::nullopt;
    }
    std::optional<std::size_t> length = introduction_length_;
    if (!length) {
        if (unit_ == kUndecided && !awaiting_introduction_) {
            return std::nullopt;
        }
        length = record_length(buffer_[start_], unit_);
    }
    if (!length) {
        lost_ = true;
        return std::nullopt;
    }
    if (buffer_.size() - start_ < *length) {
        return std::nullopt;
    }
    introduction_length_.reset();
    const std::span<const uint8_t> record(buffer_.data() + start_, *length);
    start_ += *length;
    return record;
}

}  // namespace framing
