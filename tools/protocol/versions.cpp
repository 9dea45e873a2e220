#include "tools/protocol/versions.h"

#include <algorithm>

namespace sim {
namespace {

constexpr int kVersionOfZero = 6;

bool in_words(int version) {
    return version >= kFirstVersionInWordUnits;
}

}  // namespace

int served_version(int declared, int simulator_version) {
    return std::min(declared == 0 ? kVersionOfZero : declared, simulator_version);
}

std::size_t size_unit(int version) {
    return in_words(version) ? 4 : 1;
}

std::size_t longest_record(int version) {
    return in_words(version) ? 255 * 4 : 252;
}

std::size_t cars_per_report(int version) {
    return in_words(version) ? 16 : 8;
}

}  // namespace sim
