// Wire records of the simulator's client protocol.
//
// Every record is byte-packed and little-endian. Byte 0 (`Size`) is the whole
// record's length: in bytes (1 to 255) up to protocol version 8, in units of
// 4 bytes (up to 1020 bytes) from version 9, as the version the program's
// introduction declares decides. Byte 1 (`Type`) is its type code. The
// structs below are the only declaration of each layout; the asserts after
// each one pin its size and every offset the protocol fixes.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace insim {

static_assert(std::endian::native == std::endian::little,
              "records are declared in host order and travel little-endian");

// Limits of the framing.
constexpr std::size_t kMaxRecordSize = 255;  // the size byte is one byte
constexpr std::size_t kBufferSize = 512;     // every buffer of a connection
// From protocol version 9 the size byte counts units of 4 bytes; a
// connection that may speak it has larger buffers (InsimConnectionV9).
constexpr uint8_t kFirstVersionInWordUnits = 9;
constexpr std::size_t kSizeUnitV9 = 4;
constexpr std::size_t kMaxRecordSizeV9 = kMaxRecordSize * kSizeUnitV9;  // 1020
constexpr std::size_t kBufferSizeV9 = 2048;  // every buffer of an InsimConnectionV9
constexpr int32_t kPositionUnit = 65536;     // IS_MCI X and Y count 1/65536 m

// Packet type codes.
constexpr uint8_t ISP_ISI = 1;   // introduction, client to simulator
constexpr uint8_t ISP_VER = 2;   // version answer, simulator to client
constexpr uint8_t ISP_TINY = 3;  // keep-alive and close, both ways
constexpr uint8_t ISP_MTC = 14;  // chat message to a connection
constexpr uint8_t ISP_MCI = 38;  // car-position report
constexpr uint8_t ISP_BTN = 45;  // button

// IS_TINY subtypes.
constexpr uint8_t TINY_NONE = 0;   // keep-alive; answered with the same
constexpr uint8_t TINY_CLOSE = 2;  // close the connection

// IS_ISI flag bits.
constexpr uint16_t ISF_MCI = 32;  // send IS_MCI reports every Interval ms

// IS_BTN style bits.
constexpr uint8_t ISB_DARK = 32;

#pragma pack(push, 1)

// Introduction: the first record a client sends.
struct IS_ISI {
    uint8_t Size;  // 44 (11 from version 9)
    uint8_t Type;  // ISP_ISI
    uint8_t ReqI;  // non-zero asks for an IS_VER answer
    uint8_t Zero;
    uint16_t UDPPort;   // local port for records by datagram; 0 for none
    uint16_t Flags;     // ISF_* bits
    uint8_t Sp0;        // the protocol version the client declares (InSimVer); the
                        // simulator serves 0 as version 6
    uint8_t Prefix;     // chat command prefix character
    uint16_t Interval;  // milliseconds between IS_MCI reports
    char Admin[16];     // admin password; 16 characters leave no terminator
    char IName[16];     // program name, at most 15 characters and a zero
};
static_assert(sizeof(IS_ISI) == 44);
static_assert(offsetof(IS_ISI, Size) == 0 && offsetof(IS_ISI, Type) == 1);
static_assert(offsetof(IS_ISI, ReqI) == 2 && offsetof(IS_ISI, Zero) == 3);
static_assert(offsetof(IS_ISI, UDPPort) == 4 && offsetof(IS_ISI, Flags) == 6);
static_assert(offsetof(IS_ISI, Sp0) == 8 && offsetof(IS_ISI, Prefix) == 9);
static_assert(offsetof(IS_ISI, Interval) == 10);
static_assert(offsetof(IS_ISI, Admin) == 12 && offsetof(IS_ISI, IName) == 28);

// Version: the simulator's answer to an introduction with ReqI set.
struct IS_VER {
    uint8_t Size;  // 20
    uint8_t Type;  // ISP_VER
    uint8_t ReqI;
    uint8_t Zero;
    char Version[8];  // version text; 8 characters leave no terminator
    char Product[6];
    uint16_t InSimVer;  // protocol version
};
static_assert(sizeof(IS_VER) == 20);
static_assert(offsetof(IS_VER, Size) == 0 && offsetof(IS_VER, Type) == 1);
static_assert(offsetof(IS_VER, ReqI) == 2 && offsetof(IS_VER, Zero) == 3);
static_assert(offsetof(IS_VER, Version) == 4 && offsetof(IS_VER, Product) == 12);
static_assert(offsetof(IS_VER, InSimVer) == 18);

// Small general-purpose record: keep-alive (TINY_NONE) and close (TINY_CLOSE).
struct IS_TINY {
    uint8_t Size;  // 4
    uint8_t Type;  // ISP_TINY
    uint8_t ReqI;
    uint8_t SubT;  // TINY_*
};
static_assert(sizeof(IS_TINY) == 4);
static_assert(offsetof(IS_TINY, Size) == 0 && offsetof(IS_TINY, Type) == 1);
static_assert(offsetof(IS_TINY, ReqI) == 2 && offsetof(IS_TINY, SubT) == 3);

// Button. Only the first Size bytes travel: 12 + text length rounded up to a
// multiple of 4, so a text whose length is a multiple of 4 has no terminator.
struct IS_BTN {
    uint8_t Size;
    uint8_t Type;  // ISP_BTN
    uint8_t ReqI;
    uint8_t UCID;     // connection on whose screen the button shows
    uint8_t ClickID;  // button identifier
    uint8_t Inst;     // instruction flags
    uint8_t BStyle;   // ISB_* style bits
    uint8_t TypeIn;   // typing allowance (0: none)
    uint8_t L;        // left, top, width, height in button screen units
    uint8_t T;
    uint8_t W;
    uint8_t H;
    char Text[240];
};
static_assert(sizeof(IS_BTN) == 252);
static_assert(offsetof(IS_BTN, Size) == 0 && offsetof(IS_BTN, Type) == 1);
static_assert(offsetof(IS_BTN, ReqI) == 2 && offsetof(IS_BTN, UCID) == 3);
static_assert(offsetof(IS_BTN, ClickID) == 4 && offsetof(IS_BTN, Inst) == 5);
static_assert(offsetof(IS_BTN, BStyle) == 6 && offsetof(IS_BTN, TypeIn) == 7);
static_assert(offsetof(IS_BTN, L) == 8 && offsetof(IS_BTN, T) == 9);
static_assert(offsetof(IS_BTN, W) == 10 && offsetof(IS_BTN, H) == 11);
static_assert(offsetof(IS_BTN, Text) == 12);

// Chat message to a connection. The client fills in only Size, from the text;
// bytes 2 to 7 are the caller's.
struct IS_MTC {
    uint8_t Size;
    uint8_t Type;  // ISP_MTC
    uint8_t ReqI;
    uint8_t Zero;
    uint8_t UCID;  // connection the message goes to
    uint8_t PLID;  // player the message concerns
    uint8_t Sp2;
    uint8_t Sp3;
    char Text[128];
};
static_assert(sizeof(IS_MTC) == 136);
static_assert(offsetof(IS_MTC, Size) == 0 && offsetof(IS_MTC, Type) == 1);
static_assert(offsetof(IS_MTC, Text) == 8);

// One car of a car-position report. Positions count 1/65536 m.
struct CompCar {
    uint16_t Node;  // route node the car is at
    uint16_t Lap;
    uint8_t PLID;
    uint8_t Position;  // race position
    uint8_t Info;      // flag bits, among them kInfoFirstCar and kInfoLastCar
    uint8_t Sp3;
    int32_t X;  // ground plane position
    int32_t Y;
    int32_t Z;           // height
    uint16_t Speed;      // 32768 = 100 m/s
    uint16_t Direction;  // direction of motion, 32768 = 180 degrees
    uint16_t Heading;    // direction of the car's front, same unit
    int16_t AngVel;      // turn rate, 16384 = 360 degrees per second
};
static_assert(sizeof(CompCar) == 28);
static_assert(offsetof(CompCar, PLID) == 4 && offsetof(CompCar, Position) == 5);
static_assert(offsetof(CompCar, Info) == 6);
static_assert(offsetof(CompCar, X) == 8 && offsetof(CompCar, Y) == 12);

// Car-position report: NumC car records follow the 4-byte header. Up to
// protocol version 8 a record holds at most 8 cars, the most that fit under
// the 255-byte size limit (IS_MCI); from version 9, whose size byte counts
// 4-byte units, at most 16 (IS_MCI_V9). With more cars the simulator sends
// several reports in each interval, and flags in CompCar::Info mark where
// that set of reports begins and ends.
constexpr std::size_t kMaxCarsPerReport = 8;
constexpr std::size_t kMaxCarsPerReportV9 = 16;
constexpr uint8_t kInfoFirstCar = 64;  // first car of an interval's first report
constexpr uint8_t kInfoLastCar = 128;  // last car of an interval's last report
template <std::size_t MaxCars>
struct CarReport {
    uint8_t Size;  // 4 + 28 * NumC, in the size byte's unit
    uint8_t Type;  // ISP_MCI
    uint8_t ReqI;
    uint8_t NumC;
    CompCar Info[MaxCars];
};
using IS_MCI = CarReport<kMaxCarsPerReport>;
using IS_MCI_V9 = CarReport<kMaxCarsPerReportV9>;
static_assert(sizeof(IS_MCI) == 4 + 28 * kMaxCarsPerReport);
static_assert(sizeof(IS_MCI) <= kMaxRecordSize);
static_assert(sizeof(IS_MCI_V9) == 4 + 28 * kMaxCarsPerReportV9);
static_assert(sizeof(IS_MCI_V9) <= kMaxRecordSizeV9 && sizeof(IS_MCI_V9) % kSizeUnitV9 == 0);
static_assert(offsetof(IS_MCI, NumC) == 3 && offsetof(IS_MCI, Info) == 4);
static_assert(offsetof(IS_MCI_V9, NumC) == 3 && offsetof(IS_MCI_V9, Info) == 4);
static_assert(offsetof(IS_MCI, Info) + offsetof(CompCar, X) == 12);
static_assert(offsetof(IS_MCI, Info) + offsetof(CompCar, Y) == 16);

#pragma pack(pop)

}  // namespace insim
