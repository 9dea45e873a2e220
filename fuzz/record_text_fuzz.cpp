// Fuzzes records as lines of words (tools/protocol/record_text.h). The first
// byte chooses the unit of the size byte (bit 0: 4-byte units) and what the
// rest is (bit 1: a line to read, else a record's bytes). A record that
// fits its type must read back from its line into the same bytes; a line
// that gives a record must give it again from that record's own line; and
// nothing read, shown or compared may crash, whatever comes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tools/protocol/record_text.h"

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void round_trip(const sim::Bytes& record, std::size_t unit) {
    const std::string line = records::line_of(record, unit);
    std::string error;
    const auto back = records::record_of(line, unit, error);
    require(back.has_value() && *back == record);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t unit = (data[0] & 1) != 0 ? 4 : 1;
    const bool is_line = (data[0] & 2) != 0;
    if (is_line) {
        const std::string line(reinterpret_cast<const char*>(data + 1), size - 1);
        std::string error;
        const auto record = records::record_of(line, unit, error);
        require(record.has_value() == error.empty());
        if (record && !records::misfit(*record, unit)) {
            round_trip(*record, unit);
        }
        return 0;
    }
    const sim::Bytes record(data + 1, data + size);
    records::shown(record);
    records::shown(record, unit);
    if (!records::misfit(record, unit)) {
        round_trip(record, unit);
        records::difference(record, record, unit);
    }
    return 0;
}
