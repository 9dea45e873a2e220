// Millisecond times as display text.
#include "insim/format_time.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

namespace {

struct TimeCase {
    int32_t milliseconds;
    const char* thousandths;  // null: refused
    const char* hundredths;
    const char* refused_text;  // what a refused time leaves in the buffer
};

const TimeCase kTimes[] = {
    {0, "0.000", "0.00", nullptr},
    {5, "0.005", "0.00", nullptr},
    {95, "0.095", "0.09", nullptr},
    {999, "0.999", "0.99", nullptr},
    {1000, "1.000", "1.00", nullptr},
    {9000, "9.000", "9.00", nullptr},
    {59999, "59.999", "59.99", nullptr},
    {60000, "1:00.000", "1:00.00", nullptr},
    {61005, "1:01.005", "1:01.00", nullptr},
    {3599999, "59:59.999", "59:59.99", nullptr},
    {3600000, "1:00:00.000", "1:00:00.00", nullptr},
    {3661001, "1:01:01.001", "1:01:01.00", nullptr},
    {36000000, "10:00:00.000", "10:00:00.00", nullptr},
    {359999999, "99:59:59.999", "99:59:59.99", nullptr},
    {-1, "-0.001", "-0.00", nullptr},
    {-1500, "-1.500", "-1.50", nullptr},
    {-359999999, "-99:59:59.999", "-99:59:59.99", nullptr},
    {360000000, nullptr, nullptr, ""},
    {-360000000, nullptr, nullptr, "-"},
    {std::numeric_limits<int32_t>::max(), nullptr, nullptr, ""},
    {std::numeric_limits<int32_t>::min(), nullptr, nullptr, "-"},
};

class FormatTime : public ::testing::TestWithParam<TimeCase> {};

// Formats into a buffer whose bytes past the 14th must stay as they were.
void expect_formatted(int32_t milliseconds, int32_t thousandths, const char* expected,
                      const char* refused_text) {
    char buffer[32];
    std::memset(buffer, 0x7E, sizeof buffer);
    const char* result = insim::format_time(milliseconds, buffer, thousandths);
    if (expected != nullptr) {
        EXPECT_EQ(result, buffer);
        EXPECT_STREQ(buffer, expected);
    } else {
        EXPECT_EQ(result, nullptr);
        EXPECT_STREQ(buffer, refused_text);
    }
    for (int i = static_cast<int>(std::strlen(buffer)); i < insim::kFormattedTimeSize; ++i) {
        EXPECT_EQ(buffer[i], 0) << "byte " << i << " is cleared";
    }
    for (std::size_t i = insim::kFormattedTimeSize; i < sizeof buffer; ++i) {
        EXPECT_EQ(buffer[i], 0x7E) << "byte " << i << " is past the 14 bytes";
    }
}

TEST_P(FormatTime, Thousandths) {
    expect_formatted(GetParam().milliseconds, 1, GetParam().thousandths, GetParam().refused_text);
}

TEST_P(FormatTime, HundredthsCutNotRounded) {
    expect_formatted(GetParam().milliseconds, 0, GetParam().hundredths, GetParam().refused_text);
}

INSTANTIATE_TEST_SUITE_P(Times, FormatTime, ::testing::ValuesIn(kTimes), [](const auto& info) {
    const int32_t ms = info.param.milliseconds;
    return (ms < 0 ? "minus_" : "") + std::to_string(ms < 0 ? -static_cast<int64_t>(ms) : ms);
});

TEST(FormatTimeFlag, AnyNonZeroFlagMeansThousandths) {
    char buffer[14];
    EXPECT_STREQ(insim::format_time(61005, buffer, -7), "1:01.005");
}

}  // namespace
