// Records as the simulator builds them, and byte helpers, shared by the
// tools and the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "insim/records.h"
#include "tools/protocol/versions.h"

namespace sim {

using Bytes = std::vector<uint8_t>;

Bytes version_record(const char* version, uint16_t insim_version, uint8_t reqi = 1);
Bytes tiny_record(uint8_t subtype, uint8_t reqi = 0);
// An introduction as a program sends it, asking for the version answer
// (ReqI 1): `name` (cut to 15 characters), `flags`, car reports every
// `interval` ms, and protocol version `protocol`.
insim::IS_ISI introduction(const char* name, uint16_t flags, uint16_t interval,
                           uint8_t protocol = 0);

struct CarPosition {
    int32_t x;  // 1/65536 m
    int32_t y;
};
// A car as a report shows it: where it is, its player, and its place in
// the race (0 for none).
struct ReportedCar {
    CarPosition at;
    uint8_t plid;
    uint8_t position;
};
// One report of the first of `cars` that one report holds at protocol
// `version` (8 up to version 8, 16 from 9), numbered from 1, no flags, its
// size byte in that version's unit.
Bytes car_report(const std::vector<CarPosition>& cars, int version = 6);
// The reports of one interval, as the simulator splits them at protocol
// `version`: as many cars each as one report holds, in car order, PLID and
// Position counting 1 to cars.size() across them, kInfoFirstCar on the
// first car of the first report and kInfoLastCar on the last car of the
// last. None for no cars.
std::vector<Bytes> interval_reports(const std::vector<CarPosition>& cars, int version = 6);
// The same for cars of the players and places given.
std::vector<Bytes> interval_reports(const std::vector<ReportedCar>& cars, int version = 6);

// Copies `record` bytes as they travel (its Size bytes).
template <typename Record>
Bytes bytes_of(const Record& record) {
    const auto* p = reinterpret_cast<const uint8_t*>(&record);
    return Bytes(p, p + sizeof(Record));
}
Bytes concat(std::initializer_list<Bytes> parts);
// `record`, built with its size byte counting bytes, with its size byte in
// the unit of protocol `version` (a quarter of its length from version 9).
Bytes sized_for(Bytes record, int version);

// Lower-case hex of `size` bytes, two digits each.
std::string hex_of(const uint8_t* bytes, std::size_t size);
inline std::string hex_of(const Bytes& bytes) {
    return hex_of(bytes.data(), bytes.size());
}

}  // namespace sim
