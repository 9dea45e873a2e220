// A count with its noun, as the tools print them: "1 record", "2 records",
// "0 records".
#pragma once

#include <string>

namespace sim {

// `count` and `noun`, which takes an "s" unless the count is 1 (the nouns
// the tools count all form their plural so).
template <typename Count>
std::string counted(Count count, const char* noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

}  // namespace sim
