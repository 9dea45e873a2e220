// Streams of records a misbehaving simulator might send: random garbage,
// truncated car reports, reports without cars, records of size 255 and
// unknown types. Every record has a size of at least 1, so the stream can
// still be followed.
#pragma once

#include <cstddef>
#include <random>

#include "tools/protocol/sim_records.h"

namespace sim {

// `count` records drawn with `rng`, as one byte stream.
Bytes hostile_records(std::mt19937& rng, std::size_t count);

}  // namespace sim
