// One plausible record of every type the simulator sends (those sent to a
// program, and those sent both ways), as a race on a host would bring
// them: the drivers of three cars, their laps, chat, a click, a layout.
// Written in the records' text form (record_text.h), so that the
// catalogue makes each; insim_check shows them all to a program.
#pragma once

#include <string_view>
#include <vector>

#include "tools/protocol/sim_records.h"

namespace sim {

// The lines, one a type, in the order of the types' numbers.
const std::vector<std::string_view>& sample_lines();

// The records of sample_lines(), sized in the unit of protocol `version`,
// the version record saying `version`.
std::vector<Bytes> sample_records(int version);

}  // namespace sim
