// Fuzzes format_time against an independent reference, and checks that it
// writes nothing past 14 bytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz/loopback.h"
#include "insim/format_time.h"

namespace {

// The expected text, or nothing (with the text left in the buffer) when the
// time is refused.
bool reference(int32_t milliseconds, bool thousandths, std::string& text) {
    const int64_t magnitude = std::llabs(static_cast<int64_t>(milliseconds));
    const char* sign = milliseconds < 0 ? "-" : "";
    if (magnitude >= 360000000) {
        text = sign;
        return false;
    }
    const int64_t hours = magnitude / 3600000;
    const int64_t minutes = magnitude / 60000 % 60;
    const int64_t seconds = magnitude / 1000 % 60;
    const int64_t millis = magnitude % 1000;
    char out[64];
    if (hours > 0) {
        std::snprintf(out, sizeof out, "%s%" PRId64 ":%02" PRId64 ":%02" PRId64 ".", sign, hours,
                      minutes, seconds);
    } else if (minutes > 0) {
        std::snprintf(out, sizeof out, "%s%" PRId64 ":%02" PRId64 ".", sign, minutes, seconds);
    } else {
        std::snprintf(out, sizeof out, "%s%" PRId64 ".", sign, seconds);
    }
    text = out;
    char fraction[8];
    if (thousandths) {
        std::snprintf(fraction, sizeof fraction, "%03" PRId64, millis);
    } else {
        std::snprintf(fraction, sizeof fraction, "%02" PRId64, millis / 10);
    }
    text += fraction;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto milliseconds = input.ConsumeIntegral<int32_t>();
    const auto flag = input.ConsumeIntegral<int32_t>();

    char buffer[32];
    std::memset(buffer, 0x5A, sizeof buffer);
    const char* result = insim::format_time(milliseconds, buffer, flag);
    std::string expected;
    const bool accepted = reference(milliseconds, flag != 0, expected);
    fuzz::check((result != nullptr) == accepted, "refused exactly from 100 hours on");
    fuzz::check(result == nullptr || result == buffer, "result is the buffer");
    fuzz::check(expected == buffer, "text");
    for (std::size_t i = expected.size(); i < insim::kFormattedTimeSize; ++i) {
        fuzz::check(buffer[i] == 0, "the first 14 bytes are cleared");
    }
    for (std::size_t i = insim::kFormattedTimeSize; i < sizeof buffer; ++i) {
        fuzz::check(buffer[i] == 0x5A, "nothing past 14 bytes");
    }
    return 0;
}
