#include "tools/engine/output_lines.h"

namespace engine {

void OutputLines::feed(const char* bytes, std::size_t count) {
    for (std::size_t at = 0; at < count; ++at) {
        if (bytes[at] == '\n') {
            if (!partial_.empty() && partial_.back() == '\r') {
                partial_.pop_back();
            }
            line_(partial_);
            partial_.clear();
        } else {
            partial_ += bytes[at];
            if (partial_.size() == kLongestLine) {
                line_(partial_);
                partial_.clear();
            }
        }
    }
}

void OutputLines::finish() {
    if (!partial_.empty()) {
        line_(partial_);
        partial_.clear();
    }
}

}  // namespace engine
