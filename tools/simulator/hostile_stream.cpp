#include "tools/simulator/hostile_stream.h"

#include "insim/records.h"

namespace sim {
namespace {

uint8_t random_byte(std::mt19937& rng) {
    return static_cast<uint8_t>(rng() & 0xFF);
}

Bytes random_record(std::mt19937& rng, std::size_t size) {
    Bytes record(size);
    for (uint8_t& byte : record) {
        byte = random_byte(rng);
    }
    record[0] = static_cast<uint8_t>(size);
    return record;
}

}  // namespace

Bytes hostile_records(std::mt19937& rng, std::size_t count) {
    Bytes stream;
    for (std::size_t i = 0; i < count; ++i) {
        Bytes record;
        switch (rng() % 7) {
            case 0:  // garbage of any size
                record = random_record(rng, 1 + rng() % 255);
                break;
            case 1:  // a car report cut anywhere, even inside its header
                record = random_record(rng, 1 + rng() % 32);
                if (record.size() > 1) {
                    record[1] = insim::ISP_MCI;
                }
                break;
            case 2:  // a report that says it has no cars
                record = random_record(rng, 4 + rng() % 60);
                record[1] = insim::ISP_MCI;
                record[3] = 0;
                break;
            case 3:  // the largest record
                record = random_record(rng, 255);
                break;
            case 4:  // a full report with random positions
                record = car_report({{static_cast<int32_t>(rng()), static_cast<int32_t>(rng())},
                                     {static_cast<int32_t>(rng()), 0}});
                break;
            case 5:  // keep-alives and other tiny records, with any request id
                record = tiny_record(static_cast<uint8_t>(rng() % 4), random_byte(rng));
                break;
            default:  // a type no one uses
                record = random_record(rng, 2 + rng() % 40);
                record[1] = static_cast<uint8_t>(200 + rng() % 56);
                break;
        }
        stream.insert(stream.end(), record.begin(), record.end());
    }
    return stream;
}

}  // namespace sim
