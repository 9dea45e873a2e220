// What tests see differently on the two platforms, in one place.
#pragma once

#include <string>

namespace test_support {

#ifdef _WIN32
// The exit status of a program whose entry returned -1: Windows passes the
// whole 32-bit code to the parent.
constexpr long kStatusOfMinusOne = -1;
// Console lines end with CR LF: the standard streams are in text mode.
inline const std::string kLineEnd = "\r\n";
// Windows Sockets fails the receive of a datagram longer than the room given
// (WSAEMSGSIZE) and drops it.
constexpr bool kOversizeDatagramFails = true;
// A child's processor time, as Wine reports it, carries Wine's own work.
constexpr bool kProcessorTimeIsTheChilds = false;
#else
constexpr long kStatusOfMinusOne = 255;  // only the low 8 bits reach the parent
inline const std::string kLineEnd = "\n";
constexpr bool kOversizeDatagramFails = false;  // cut to the room given
constexpr bool kProcessorTimeIsTheChilds = true;
#endif

}  // namespace test_support
