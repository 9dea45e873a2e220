#include "insim/format_time.h"

#include <cstring>

namespace insim {
namespace {

constexpr int64_t kHour = 3600000;
constexpr int64_t kMinute = 60000;
constexpr int64_t kSecond = 1000;
constexpr int64_t kRefusedFrom = 100 * kHour;

// Writes `value` (0 to 999) in decimal with at least `digits` digits into a
// text of `N` bytes; the limits of each unit guarantee it fits.
template <std::size_t N>
void write_digits(char (&text)[N], int64_t value, int digits) {
    char reversed[3];
    int count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0 && count < 3);
    while (count < digits) {
        reversed[count++] = '0';
    }
    std::size_t at = 0;
    while (count > 0 && at + 1 < N) {
        text[at++] = reversed[--count];
    }
    text[at] = '\0';
}

// Appends `text` to the output, never past its last byte.
void append(char* buffer, const char* text) {
    std::size_t at = std::strlen(buffer);
    while (*text != '\0' && at + 1 < kFormattedTimeSize) {
        buffer[at++] = *text++;
    }
}

}  // namespace

char* format_time(int32_t milliseconds, char* buffer, int32_t thousandths) {
    std::memset(buffer, 0, kFormattedTimeSize);
    int64_t magnitude = milliseconds;  // 64 bits: the most negative value has no 32-bit magnitude
    if (magnitude < 0) {
        buffer[0] = '-';
        magnitude = -magnitude;
    }
    if (magnitude >= kRefusedFrom) {
        return nullptr;
    }
    const int64_t hours = magnitude / kHour;
    const int64_t minutes = magnitude % kHour / kMinute;
    const int64_t seconds = magnitude % kMinute / kSecond;
    const int64_t millis = magnitude % kSecond;

    char shours[3];
    char sminutes[3];
    char sseconds[3];
    char shundthou[4];
    if (hours != 0) {
        write_digits(shours, hours, 1);
        write_digits(sminutes, minutes, 2);
        write_digits(sseconds, seconds, 2);
        append(buffer, shours);
        append(buffer, ":");
        append(buffer, sminutes);
        append(buffer, ":");
        append(buffer, sseconds);
    } else if (minutes != 0) {
        write_digits(sminutes, minutes, 1);
        write_digits(sseconds, seconds, 2);
        append(buffer, sminutes);
        append(buffer, ":");
        append(buffer, sseconds);
    } else {
        write_digits(sseconds, seconds, 1);
        append(buffer, sseconds);
    }
    append(buffer, ".");
    if (thousandths != 0) {
        write_digits(shundthou, millis, 3);
    } else {
        write_digits(shundthou, millis / 10, 2);
    }
    append(buffer, shundthou);
    return buffer;
}

}  // namespace insim
