// The catalogue's table: every record type of the protocol and the
// structures inside them, as the protocol's facts give them (sections 2
// and 3), with the value names of catalogue_values.cpp.
#include "tools/protocol/catalogue.h"
#include "tools/protocol/catalogue_values.h"

namespace catalogue {
namespace {

namespace v = values;

constexpr Field one(std::string_view name, uint16_t at, Kind kind, std::string_view meaning,
                    const Values* values = nullptr) {
    return {name, at, kind, 1, meaning, values};
}
constexpr Field u8(std::string_view name, uint16_t at, std::string_view meaning,
                   const Values* values = nullptr) {
    return one(name, at, Kind::kByte, meaning, values);
}
constexpr Field u16(std::string_view name, uint16_t at, std::string_view meaning,
                    const Values* values = nullptr) {
    return one(name, at, Kind::kWord, meaning, values);
}
constexpr Field i16(std::string_view name, uint16_t at, std::string_view meaning) {
    return one(name, at, Kind::kShort, meaning);
}
constexpr Field u32(std::string_view name, uint16_t at, std::string_view meaning,
                    const Values* values = nullptr) {
    return one(name, at, Kind::kUnsigned, meaning, values);
}
constexpr Field i32(std::string_view name, uint16_t at, std::string_view meaning) {
    return one(name, at, Kind::kInt, meaning);
}
constexpr Field f32(std::string_view name, uint16_t at, std::string_view meaning) {
    return one(name, at, Kind::kFloat, meaning);
}
constexpr Field i8(std::string_view name, uint16_t at, std::string_view meaning) {
    return one(name, at, Kind::kSignedChar, meaning);
}
constexpr Field character(std::string_view name, uint16_t at, std::string_view meaning) {
    return one(name, at, Kind::kCharacter, meaning);
}
// `width` bytes of text; 0 for a record's variable text.
constexpr Field text(std::string_view name, uint16_t at, uint16_t width, std::string_view meaning) {
    return {name, at, Kind::kText, width, meaning};
}
// A text that may start with a caption (a 0, the caption and a 0).
constexpr Field captioned(std::string_view name, uint16_t at, uint16_t width,
                          std::string_view meaning) {
    return {name, at, Kind::kText, width, meaning, nullptr, nullptr, true};
}
constexpr Field bytes(std::string_view name, uint16_t at, uint16_t count, std::string_view meaning,
                      const Values* values = nullptr) {
    return {name, at, Kind::kByte, count, meaning, values};
}
// `count` structures; 0 for a record's variable array.
constexpr Field of(std::string_view name, uint16_t at, const Structure& structure, uint16_t count,
                   std::string_view meaning) {
    return {name, at, Kind::kStructure, count, meaning, nullptr, &structure};
}
constexpr Field spare(std::string_view name, uint16_t at) {
    return u8(name, at, "spare, 0");
}

constexpr Field kHeaderFields[] = {
    u8("Size", 0,
       "the record's length, in the unit of the protocol version (bytes up to 8, "
       "4-byte units from 9)"),
    u8("Type", 1, "the record type"),
    u8("ReqI", 2, "request id: set in a request, copied into its answers, 0 otherwise"),
};

// --- structures --------------------------------------------------------

constexpr Field kObjectInfoFields[] = {
    i16("X", 0, "position, layout-file units"),
    i16("Y", 2, "position"),
    u8("Zbyte", 4, "height, layout-file units"),
    u8("Flags", 5, "object flags (128 in a start position or an adjusted PMO_GET_Z answer)"),
    u8("Index", 6, "object type (252 control checkpoint, 253 control circle)"),
    u8("Heading", 7, "direction"),
};
constexpr Structure kObjectInfo{"ObjectInfo", 8, kObjectInfoFields, "a layout object"};

constexpr Field kCarContObjFields[] = {
    u8("Direction", 0, "direction of motion if Speed > 0; 0 = world +Y, 128 = 180 degrees"),
    u8("Heading", 1, "direction of the car's forward axis; same scale"),
    u8("Speed", 2, "m/s"),
    u8("Zbyte", 3, "height"),
    i16("X", 4, "position, 16 = 1 m"),
    i16("Y", 6, "position, 16 = 1 m"),
};
constexpr Structure kCarContObj{"CarContOBJ", 8, kCarContObjFields, "a car's state at a contact"};

constexpr Field kCarContactFields[] = {
    u8("PLID", 0, "player"),
    u8("Info", 1, "CCI_ flags", &v::kCci),
    spare("Sp2", 2),
    i8("Steer", 3, "front wheel steer, degrees, right positive"),
    u8("ThrBrk", 4, "high nibble throttle, low nibble brake (0-15 each)"),
    u8("CluHan", 5, "high nibble clutch, low nibble handbrake (0-15 each)"),
    u8("GearSp", 6, "high nibble gear (15 = reverse), low nibble spare"),
    u8("Speed", 7, "m/s"),
    u8("Direction", 8, "as CarContOBJ (128 = 180 degrees)"),
    u8("Heading", 9, "as CarContOBJ"),
    i8("AccelF", 10, "longitudinal acceleration m/s^2, forward positive"),
    i8("AccelR", 11, "lateral acceleration m/s^2, right positive"),
    i16("X", 12, "position, 16 = 1 m"),
    i16("Y", 14, "position, 16 = 1 m"),
};
constexpr Structure kCarContact{"CarContact", 16, kCarContactFields, "one car of an IS_CON"};

constexpr Field kNodeLapFields[] = {
    u16("Node", 0, "current path node"),
    u16("Lap", 2, "current lap"),
    u8("PLID", 4, "player"),
    u8("Position", 5, "race position; 0 unknown, 1 leader"),
};
constexpr Structure kNodeLap{"NodeLap", 6, kNodeLapFields, "one car of an IS_NLP"};

constexpr Field kCompCarFields[] = {
    u16("Node", 0, "current path node"),
    u16("Lap", 2, "current lap"),
    u8("PLID", 4, "player"),
    u8("Position", 5, "race position; 0 unknown, 1 leader"),
    u8("Info", 6, "CCI_ flags", &v::kCci),
    spare("Sp3", 7),
    i32("X", 8, "position, 65536 = 1 m"),
    i32("Y", 12, "position, 65536 = 1 m"),
    i32("Z", 16, "altitude, 65536 = 1 m"),
    u16("Speed", 20, "32768 = 100 m/s"),
    u16("Direction", 22, "direction of motion if Speed > 0; 0 = world +Y, 32768 = 180 degrees"),
    u16("Heading", 24, "forward axis; 0 = world +Y, 32768 = 180 degrees, anticlockwise"),
    i16("AngVel", 26, "heading change rate, 16384 = 360 degrees/s, anticlockwise positive"),
};
constexpr Structure kCompCar{"CompCar", 28, kCompCarFields, "one car of an IS_MCI"};

constexpr Field kCarHcpFields[] = {
    u8("H_Mass", 0, "added mass, 0-200 kg"),
    u8("H_TRes", 1, "intake restriction, 0-50"),
};
constexpr Structure kCarHcp{"CarHCP", 2, kCarHcpFields, "the handicaps of one car model"};

constexpr Field kVecFields[] = {
    i32("X", 0, "65536 = 1 m"),
    i32("Y", 4, "65536 = 1 m"),
    i32("Z", 8, "65536 = 1 m"),
};
constexpr Structure kVec{"Vec", 12, kVecFields, "a position"};

constexpr Field kPlayerHCapFields[] = {
    bytes("Data", 0, 4, "inner layout not available (0.7E)"),
};
constexpr Structure kPlayerHCap{"PlayerHCap", 4, kPlayerHCapFields, "the handicaps of one player"};

constexpr Field kIPv4Fields[] = {
    bytes("Octets", 0, 4, "one byte per octet in written order: 127 0 0 1 is 127.0.0.1"),
};
constexpr Structure kIPv4{"IPv4", 4, kIPv4Fields, "an IPv4 address"};

// --- records -----------------------------------------------------------

constexpr Field kIsi[] = {
    spare("Zero", 3),
    u16("UDPPort", 4, "port for records by datagram; 0 = none"),
    u16("Flags", 6, "ISF_ flags", &v::kIsf),
    u8("InSimVer", 8, "the protocol version the program is written for (0 = treat as 6)"),
    character("Prefix", 9, "host message prefix character"),
    u16("Interval", 10, "ms between NLP/MCI reports; 0 = none; 10 to 8000"),
    text("Admin", 12, 16, "admin password"),
    text("IName", 28, 16, "short program name"),
};
constexpr Field kVer[] = {
    spare("Zero", 3),
    text("Version", 4, 8, "simulator release, e.g. \"0.7A\""),
    text("Product", 12, 6, "licence level: DEMO, S1, S2, S3"),
    u8("InSimVer", 18, "protocol version in use"),
    spare("Spare", 19),
};
constexpr Field kTiny[] = {
    u8("SubT", 3, "sub-type", &v::kTiny),
};
constexpr Field kSmall[] = {
    u8("SubT", 3, "sub-type", &v::kSmall),
    u32("UVal", 4, "value, meaning by SubT"),
};
constexpr Field kSta[] = {
    spare("Zero", 3),
    f32("ReplaySpeed", 4, "1.0 = normal"),
    u16("Flags", 8, "ISS_ state flags", &v::kIss),
    u8("InGameCam", 10, "selected in-game camera", &v::kView),
    u8("ViewPLID", 11, "viewed player, 0 = none"),
    u8("NumP", 12, "players in race"),
    u8("NumConns", 13, "connections including host"),
    u8("NumFinished", 14, "finished or qualified"),
    u8("RaceInProg", 15, "0 no race, 1 race, 2 qualifying"),
    u8("QualMins", 16, "qualifying minutes"),
    u8("RaceLaps", 17, "laps, encoded: 0 practice, 1-99 laps, 100-190 by tens, 191-238 hours"),
    spare("Sp2", 18),
    u8("ServerStatus", 19, "0 unknown, 1 success, above 1 failure"),
    text("Track", 20, 6, "short track code, e.g. \"FE2R\""),
    u8("Weather", 26, "0, 1, 2 ..."),
    u8("Wind", 27, "0 off, 1 weak, 2 strong"),
};
constexpr Field kSch[] = {
    spare("Zero", 3),
    character("CharB", 4, "key; letters as capitals"),
    u8("Flags", 5, "1 SHIFT, 2 CTRL"),
    spare("Spare2", 6),
    spare("Spare3", 7),
};
constexpr Field kSfp[] = {
    spare("Zero", 3),
    u16("Flag", 4,
        "one ISS_ flag: ISS_SHIFTU_NO_OPT, ISS_SHOW_2D, ISS_MPSPEEDUP or "
        "ISS_SOUND_MUTE",
        &v::kIss),
    u8("OffOn", 6, "0 off, 1 on"),
    spare("Sp3", 7),
};
constexpr Field kScc[] = {
    spare("Zero", 3),
    u8("ViewPLID", 4, "player to view; 255 = unchanged"),
    u8("InGameCam", 5, "camera; 255 = unchanged", &v::kView),
    spare("Sp2", 6),
    spare("Sp3", 7),
};
constexpr Field kCpp[] = {
    spare("Zero", 3),
    of("Pos", 4, kVec, 1, "camera position, 65536 = 1 m"),
    u16("H", 16, "heading"),
    u16("P", 18, "pitch"),
    u16("R", 20, "roll"),
    u8("ViewPLID", 22, "viewed player; 255 = unchanged"),
    u8("InGameCam", 23, "camera; 255 = unchanged", &v::kView),
    f32("FOV", 24, "field of view, degrees"),
    u16("Time", 28, "ms to get there, 0 = at once"),
    u16("Flags", 30, "ISS_SHIFTU, ISS_SHIFTU_FOLLOW, ISS_VIEW_OVERRIDE", &v::kIss),
};
constexpr Field kIsm[] = {
    spare("Zero", 3), u8("Host", 4, "0 guest, 1 host"),
    spare("Sp1", 5),  spare("Sp2", 6),
    spare("Sp3", 7),  text("HName", 8, 32, "host name; empty outside multiplayer"),
};
constexpr Field kMso[] = {
    spare("Zero", 3),
    u8("UCID", 4, "sender connection, 0 = host"),
    u8("PLID", 5, "sender player; 0: see UCID"),
    u8("UserType", 6, "kind of line", &v::kMso),
    u8("TextStart", 7, "where in Msg the text proper starts, after the sender's name"),
    text("Msg", 8, 0, "the line, ending with 0"),
};
constexpr Field kIii[] = {
    spare("Zero", 3),
    u8("UCID", 4, "sender connection, 0 = host"),
    u8("PLID", 5, "sender player; 0: see UCID"),
    spare("Sp2", 6),
    spare("Sp3", 7),
    text("Msg", 8, 0, "the message, ending with 0"),
};
constexpr Field kMst[] = {
    spare("Zero", 3),
    text("Msg", 4, 64, "message or /command as if typed; last byte 0"),
};
constexpr Field kMtc[] = {
    u8("Sound", 3, "sound", &v::kSnd),
    u8("UCID", 4, "target connection: 0 = host, 255 = everyone"),
    u8("PLID", 5, "target player; 0: see UCID"),
    spare("Sp2", 6),
    spare("Sp3", 7),
    text("Text", 8, 0, "up to 127 characters, ending with 0"),
};
constexpr Field kMod[] = {
    spare("Zero", 3),
    i32("Bits16", 4, "set to choose 16-bit colour"),
    i32("RR", 8, "refresh rate, 0 = default"),
    i32("Width", 12, "0 with Height 0 = windowed"),
    i32("Height", 16, "0 with Width 0 = windowed"),
};
constexpr Field kVtn[] = {
    spare("Zero", 3),
    u8("UCID", 4, "voting connection"),
    u8("Action", 5, "what the vote is for", &v::kVote),
    spare("Spare2", 6),
    spare("Spare3", 7),
};
constexpr Field kRst[] = {
    spare("Zero", 3),
    u8("RaceLaps", 4, "laps, encoded as in IS_STA; 0 when qualifying"),
    u8("QualMins", 5, "0 when racing"),
    u8("NumP", 6, "players in race"),
    u8("Timing", 7,
       "lap timing: bits 6-7 0x40 standard, 0x80 custom, 0xC0 none; bits 0-1 "
       "checkpoints"),
    text("Track", 8, 6, "short track code"),
    u8("Weather", 14, "0, 1, 2 ..."),
    u8("Wind", 15, "0 off, 1 weak, 2 strong"),
    u16("Flags", 16, "HOSTF_ race flags", &v::kHostf),
    u16("NumNodes", 18, "nodes in the path"),
    u16("Finish", 20, "node of the finish line"),
    u16("Split1", 22, "node of split 1"),
    u16("Split2", 24, "node of split 2"),
    u16("Split3", 26, "node of split 3"),
};
constexpr Field kNcn[] = {
    u8("UCID", 3, "new connection, 0 = host"),
    text("UName", 4, 24, "user (account) name"),
    text("PName", 28, 24, "nickname"),
    u8("Admin", 52, "1 = admin"),
    u8("Total", 53, "connections including host"),
    u8("Flags", 54, "4 = remote"),
    spare("Sp3", 55),
};
constexpr Field kCnl[] = {
    u8("UCID", 3, "connection that left"),
    u8("Reason", 4, "why", &v::kLeavr),
    u8("Total", 5, "connections including host"),
    spare("Sp2", 6),
    spare("Sp3", 7),
};
constexpr Field kCpr[] = {
    u8("UCID", 3, "connection"),
    text("PName", 4, 24, "new nickname"),
    text("Plate", 28, 8, "number plate; may fill all 8 bytes without a 0"),
};
constexpr Field kNpl[] = {
    u8("PLID", 3, "player id just given (0 in a join request)"),
    u8("UCID", 4, "owning connection"),
    u8("PType", 5, "1 female, 2 AI, 4 remote"),
    u16("Flags", 6, "PIF_ player flags", &v::kPif),
    text("PName", 8, 24, "nickname"),
    text("Plate", 32, 8, "number plate, no 0 needed"),
    text("CName", 40, 4, "car name or skin prefix"),
    text("SName", 44, 16, "skin name"),
    bytes("Tyres", 60, 4, "compounds: rear left, rear right, front left, front right", &v::kTyre),
    u8("H_Mass", 64, "added mass, kg"),
    u8("H_TRes", 65, "intake restriction"),
    u8("Model", 66, "driver model"),
    u8("Pass", 67, "passenger bits"),
    u8("RWAdj", 68, "low 4 bits: rear tyre width reduction"),
    u8("FWAdj", 69, "low 4 bits: front tyre width reduction"),
    u8("Sp2", 70, "spare in 0.7A; racer information flags (RIFlags) in later releases"),
    spare("Sp3", 71),
    u8("SetF", 72, "setup flags", &v::kSetf),
    u8("NumP", 73, "players in race; 0 = a join request"),
    u8("Config", 74, "car configuration"),
    u8("Fuel", 75, "start fuel % if the host shows fuel, else 255"),
};
constexpr Field kPlid[] = {
    u8("PLID", 3, "player"),
};
constexpr Field kLap[] = {
    u8("PLID", 3, "player"),
    u32("LTime", 4, "lap time, ms"),
    u32("ETime", 8, "total elapsed time, ms"),
    u16("LapsDone", 12, "laps completed"),
    u16("Flags", 14, "PIF_ player flags", &v::kPif),
    spare("Sp0", 16),
    u8("Penalty", 17, "current penalty", &v::kPenalty),
    u8("NumStops", 18, "pit stops so far"),
    u8("Fuel200", 19, "fuel left, 2 x percent, if the host shows fuel, else 255"),
};
constexpr Field kSpx[] = {
    u8("PLID", 3, "player"),
    u32("STime", 4, "split time, ms"),
    u32("ETime", 8, "total elapsed time, ms"),
    u8("Split", 12, "split 1, 2 or 3"),
    u8("Penalty", 13, "current penalty", &v::kPenalty),
    u8("NumStops", 14, "pit stops so far"),
    u8("Fuel200", 15, "as IS_LAP"),
};
constexpr Field kPit[] = {
    u8("PLID", 3, "player"),
    u16("LapsDone", 4, "laps completed"),
    u16("Flags", 6, "PIF_ player flags", &v::kPif),
    u8("FuelAdd", 8, "fuel added, % if the host shows fuel, else 255"),
    u8("Penalty", 9, "current penalty", &v::kPenalty),
    u8("NumStops", 10, "pit stops so far"),
    spare("Sp3", 11),
    bytes("Tyres", 12, 4, "new compounds, 255 = not changed; order as IS_NPL", &v::kTyre),
    u32("Work", 16, "PSE_ pit work", &v::kPse),
    u32("Spare", 20, "spare, 0"),
};
constexpr Field kPsf[] = {
    u8("PLID", 3, "player"),
    u32("STime", 4, "stop duration, ms"),
    u32("Spare", 8, "spare, 0"),
};
constexpr Field kPla[] = {
    u8("PLID", 3, "player"), u8("Fact", 4, "what happened", &v::kPitlane),
    spare("Sp1", 5),         spare("Sp2", 6),
    spare("Sp3", 7),
};
constexpr Field kCch[] = {
    u8("PLID", 3, "player"), u8("Camera", 4, "camera", &v::kView), spare("Sp1", 5), spare("Sp2", 6),
    spare("Sp3", 7),
};
constexpr Field kPen[] = {
    u8("PLID", 3, "player"),
    u8("OldPen", 4, "previous penalty", &v::kPenalty),
    u8("NewPen", 5, "new penalty", &v::kPenalty),
    u8("Reason", 6, "why", &v::kPenr),
    spare("Sp3", 7),
};
constexpr Field kToc[] = {
    u8("PLID", 3, "player (unchanged by the swap)"),
    u8("OldUCID", 4, "connection that drove before"),
    u8("NewUCID", 5, "connection that drives now"),
    spare("Sp2", 6),
    spare("Sp3", 7),
};
constexpr Field kFlg[] = {
    u8("PLID", 3, "player"),
    u8("OffOn", 4, "0 off, 1 on"),
    u8("Flag", 5, "1 = shown blue, 2 = causes a yellow"),
    u8("CarBehind", 6, "player being held up"),
    spare("Sp3", 7),
};
constexpr Field kPfl[] = {
    u8("PLID", 3, "player"),
    u16("Flags", 4, "new PIF_ player flags", &v::kPif),
    u16("Spare", 6, "spare, 0"),
};
constexpr Field kFin[] = {
    u8("PLID", 3, "player; 0 = left before the result"),
    u32("TTime", 4, "race time, ms"),
    u32("BTime", 8, "best lap, ms"),
    spare("SpA", 12),
    u8("NumStops", 13, "pit stops"),
    u8("Confirm", 14, "CONF_ flags", &v::kConf),
    spare("SpB", 15),
    u16("LapsDone", 16, "laps completed"),
    u16("Flags", 18, "PIF_ player flags", &v::kPif),
};
constexpr Field kRes[] = {
    u8("PLID", 3, "player; 0 = has left the race"),
    text("UName", 4, 24, "user name"),
    text("PName", 28, 24, "nickname"),
    text("Plate", 52, 8, "number plate, no 0 needed"),
    text("CName", 60, 4, "car (skin prefix)"),
    u32("TTime", 64, "ms: total time; in qualifying, time since it began"),
    u32("BTime", 68, "best lap, ms"),
    spare("SpA", 72),
    u8("NumStops", 73, "pit stops"),
    u8("Confirm", 74, "CONF_ flags", &v::kConf),
    spare("SpB", 75),
    u16("LapsDone", 76, "laps completed"),
    u16("Flags", 78, "PIF_ player flags", &v::kPif),
    u8("ResultNum", 80, "position, 0 = winner or pole; 255 = not in the table"),
    u8("NumRes", 81, "results so far"),
    u16("PSeconds", 82, "penalty seconds, included in TTime"),
};
constexpr Field kReo[] = {
    u8("NumP", 3, "players in race, 0-40"),
    bytes("PLID", 4, 40, "players in start order; past NumP unused"),
};
constexpr Field kNlp[] = {
    u8("NumP", 3, "players in race, 1-40"),
    of("Info", 4, kNodeLap, 0, "one NodeLap per car"),
};
constexpr Field kMci[] = {
    u8("NumC", 3, "cars in this record: 1-16 (1-8 before protocol 9)"),
    of("Info", 4, kCompCar, 0, "one CompCar per car"),
};
constexpr Field kMsx[] = {
    spare("Zero", 3),
    text("Msg", 4, 96, "longer chat line, no commands; last byte 0"),
};
constexpr Field kMsl[] = {
    u8("Sound", 3, "sound", &v::kSnd),
    text("Msg", 4, 128, "shown on the local screen only; last byte 0"),
};
constexpr Field kBfn[] = {
    u8("SubT", 3, "sub-type", &v::kBfn),
    u8("UCID", 4,
       "to the simulator: target connection (0 local, 255 all); from it: the "
       "connection"),
    u8("ClickID", 5, "BFN_DEL_BTN: the button, or the first of a range (0-239)"),
    u8("ClickMax", 6, "BFN_DEL_BTN: the last of the range, if above ClickID"),
    u8("Inst", 7, "internal; send 0", &v::kInst),
};
constexpr Field kAxi[] = {
    spare("Zero", 3),
    u8("AXStart", 4, "start position of the layout"),
    u8("NumCP", 5, "checkpoints"),
    u16("NumO", 6, "objects"),
    text("LName", 8, 32, "layout name"),
};
constexpr Field kBtn[] = {
    u8("UCID", 3, "where: 0 = local, 255 = all, else that connection"),
    u8("ClickID", 4, "button id, 0-239"),
    u8("Inst", 5, "mostly internal", &v::kInst),
    u8("BStyle", 6, "style: colour in bits 0-2, and flags", &v::kIsb),
    u8("TypeIn", 7, "0 = no text entry; bits 0-6 most characters; 128 pre-fills the entry"),
    u8("L", 8, "left, 0-200"),
    u8("T", 9, "top, 0-200"),
    u8("W", 10, "width, 0-200"),
    u8("H", 11, "height, 0-200"),
    captioned("Text", 12, 0, "the text, after an optional caption that a leading 0 starts"),
};
constexpr Field kBtc[] = {
    u8("UCID", 3, "connection that clicked, 0 = local"),
    u8("ClickID", 4, "the button"),
    u8("Inst", 5, "internal", &v::kInst),
    u8("CFlags", 6, "how it was clicked", &v::kClick),
    spare("Sp3", 7),
};
constexpr Field kBtt[] = {
    u8("UCID", 3, "connection that typed, 0 = local"),
    u8("ClickID", 4, "the button"),
    u8("Inst", 5, "internal", &v::kInst),
    u8("TypeIn", 6, "from the IS_BTN"),
    spare("Sp3", 7),
    text("Text", 8, 96, "typed text, ending with 0"),
};
constexpr Field kRip[] = {
    u8("Error", 3, "result", &v::kRip),
    u8("MPR", 4, "0 single-player replay, 1 multiplayer replay"),
    u8("Paused", 5, "1 = paused"),
    u8("Options", 6, "replay options", &v::kRipopt),
    spare("Sp3", 7),
    u32("CTime", 8, "position in the replay, hundredths of a second"),
    u32("TTime", 12, "length of the replay, hundredths of a second"),
    text("RName", 16, 64, "replay name, ending with 0"),
};
constexpr Field kSsh[] = {
    u8("Error", 3, "result", &v::kSsh),
    spare("Sp0", 4),
    spare("Sp1", 5),
    spare("Sp2", 6),
    spare("Sp3", 7),
    text("Name", 8, 32, "screenshot name, ending with 0"),
};
constexpr Field kCon[] = {
    spare("Zero", 3),
    u16("SpClose", 4, "low 12 bits closing speed, 10 = 1 m/s"),
    u16("Time", 6, "hundredths of a second, wrapping"),
    of("A", 8, kCarContact, 1, "first car (by PLID)"),
    of("B", 24, kCarContact, 1, "second car"),
};
constexpr Field kObh[] = {
    u8("PLID", 3, "player"),
    u16("SpClose", 4, "as IS_CON"),
    u16("Time", 6, "as IS_CON"),
    of("C", 8, kCarContObj, 1, "the car"),
    i16("X", 16, "object position, layout units"),
    i16("Y", 18, "object position"),
    u8("Zbyte", 20, "object height, with OBH_LAYOUT"),
    spare("Sp1", 21),
    u8("Index", 22, "object type, 0 = unknown"),
    u8("OBHFlags", 23, "OBH_ flags", &v::kObh),
};
constexpr Field kHlv[] = {
    u8("PLID", 3, "player"),
    u8("HLVC", 4, "0 ground, 1 wall, 4 speeding in the pits, 5 out of bounds"),
    spare("Sp1", 5),
    u16("Time", 6, "as IS_CON"),
    of("C", 8, kCarContObj, 1, "the car"),
};
constexpr Field kPlc[] = {
    spare("Zero", 3), u8("UCID", 4, "connection: 0 = host, 255 = all"),
    spare("Sp1", 5),  spare("Sp2", 6),
    spare("Sp3", 7),  u32("Cars", 8, "car bits; 0 = none, 0xFFFFFFFF = all the host allows"),
};
constexpr Field kAxm[] = {
    u8("NumO", 3, "objects in this record, 0-60 (30 before protocol 9)"),
    u8("UCID", 4, "connection"),
    u8("PMOAction", 5, "what to do", &v::kPmo),
    u8("PMOFlags", 6, "PMO_ flags", &v::kPmoFlags),
    spare("Sp3", 7),
    of("Info", 8, kObjectInfo, 0, "one ObjectInfo per object"),
};
constexpr Field kAcr[] = {
    spare("Zero", 3),
    u8("UCID", 4, "connection that typed the command, 0 = host"),
    u8("Admin", 5, "not 0 if that user is an admin"),
    u8("Result", 6, "1 processed, 2 rejected, 3 unknown command"),
    spare("Sp3", 7),
    text("Text", 8, 0, "the command, ending with 0"),
};
constexpr Field kHcp[] = {
    spare("Zero", 3),
    of("Info", 4, kCarHcp, 32, "one CarHCP per car model, by model number"),
};
constexpr Field kNci[] = {
    u8("UCID", 3, "connection, 0 = host"),
    u8("Language", 4, "language number"),
    u8("License", 5, "spare up to 0.7D; the licence from 0.7E (values not confirmed)"),
    spare("Sp2", 6),
    spare("Sp3", 7),
    u32("UserID", 8, "the user's account id"),
    u32("IPAddress", 12, "the guest's IPv4 address"),
};
constexpr Field kJrr[] = {
    u8("PLID", 3, "0 to answer a join request; the player to move a car"),
    u8("UCID", 4, "the requesting connection (join answer)"),
    u8("JRRAction", 5, "answer or move", &v::kJrr),
    spare("Sp2", 6),
    spare("Sp3", 7),
    of("StartPos", 8, kObjectInfo, 1, "all 0 = default start; else a start position, Flags 128"),
};
constexpr Field kUco[] = {
    u8("PLID", 3, "player"),
    spare("Sp0", 4),
    u8("UCOAction", 5, "what happened", &v::kUco),
    spare("Sp2", 6),
    spare("Sp3", 7),
    u32("Time", 8, "hundredths of a second since the start"),
    of("C", 12, kCarContObj, 1, "the car"),
    of("Info", 20, kObjectInfo, 1, "the checkpoint (Index 252) or circle (Index 253)"),
};
constexpr Field kOco[] = {
    spare("Zero", 3),
    u8("OCOAction", 4, "what to do", &v::kOco),
    u8("Index", 5, "149 = layout start lights, 240 = main lights"),
    u8("Identifier", 6, "0-63, 255 = all"),
    u8("Data", 7, "bulb bits, low nibble"),
};
constexpr Field kTtc[] = {
    u8("SubT", 3, "sub-type", &v::kTtc),
    u8("UCID", 4, "target connection, 0 = local"),
    u8("B1", 5, "by SubT"),
    u8("B2", 6, "by SubT"),
    u8("B3", 7, "by SubT"),
};
constexpr Field kSlc[] = {
    u8("UCID", 3, "connection, 0 = host"),
    text("CName", 4, 4, "selected car; empty if none"),
};
constexpr Field kCsc[] = {
    u8("PLID", 3, "player"),
    spare("Sp0", 4),
    u8("CSCAction", 5, "stopped or started", &v::kCsc),
    spare("Sp2", 6),
    spare("Sp3", 7),
    u32("Time", 8, "hundredths of a second since the start"),
    of("C", 12, kCarContObj, 1, "the car"),
};
constexpr Field kCim[] = {
    u8("UCID", 3, "connection, 0 = local"),
    u8("Mode", 4, "interface mode", &v::kCim),
    u8("SubMode", 5, "by Mode"),
    u8("SelType", 6, "selected object type, or 0", &v::kMarsh),
    spare("Sp3", 7),
};
constexpr Field kMal[] = {
    u8("NumM", 3, "mods, 0-120; 0 = all mods allowed"),
    u8("UCID", 4, "connection that changed the list"),
    u8("Flags", 5, "0"),
    spare("Sp2", 6),
    spare("Sp3", 7),
    {"SkinID", 8, Kind::kUnsigned, 0, "one skin id per allowed mod"},
};
constexpr Field kPlh[] = {
    u8("NumP", 3, "players, at most 48; 0 removes every player handicap"),
    of("HCaps", 4, kPlayerHCap, 0, "one PlayerHCap per player"),
};
constexpr Field kIpb[] = {
    u8("NumB", 3, "bans, at most 120; 0 clears them all"),
    spare("Sp0", 4),
    spare("Sp1", 5),
    spare("Sp2", 6),
    spare("Sp3", 7),
    of("BanIPs", 8, kIPv4, 0, "one address per ban"),
};

constexpr Direction kToSim = Direction::kToSimulator;
constexpr Direction kToProgram = Direction::kToProgram;
constexpr Direction kBoth = Direction::kBoth;

constexpr Record text_record(uint8_t type, std::string_view name, Direction direction,
                             std::string_view purpose, std::span<const Field> fields,
                             uint16_t least, uint16_t most, bool terminated) {
    return {type,
            name,
            direction,
            purpose,
            static_cast<uint16_t>(fields.back().offset),
            fields,
            SizeRule::kText,
            least,
            most,
            0,
            terminated};
}
constexpr Record array_record(uint8_t type, std::string_view name, Direction direction,
                              std::string_view purpose, std::span<const Field> fields,
                              uint16_t most, std::string_view note = {}) {
    return {type,
            name,
            direction,
            purpose,
            static_cast<uint16_t>(fields.back().offset),
            fields,
            SizeRule::kArray,
            0,
            most,
            3,
            false,
            note};
}

constexpr Record kRecords[] = {
    {1, "IS_ISI", kToSim, "initialise the connection", 44, kIsi},
    {2, "IS_VER", kToProgram, "version information", 20, kVer},
    {3, "IS_TINY", kBoth, "general 4-byte record", 4, kTiny},
    {4, "IS_SMALL", kBoth, "general 8-byte record with a 32-bit value", 8, kSmall},
    {5, "IS_STA", kToProgram, "simulator state", 28, kSta},
    {6, "IS_SCH", kToSim, "press one key", 8, kSch},
    {7, "IS_SFP", kToSim, "switch one state flag", 8, kSfp},
    {8, "IS_SCC", kToSim, "choose the viewed car and camera", 8, kScc},
    {9, "IS_CPP", kBoth, "full camera position", 32, kCpp},
    {10, "IS_ISM", kToProgram, "multiplayer host started or joined", 40, kIsm},
    text_record(11, "IS_MSO", kToProgram, "a message line (system or user)", kMso, 4, 128, true),
    text_record(12, "IS_III", kToProgram, "hidden /i message from a user to the host program", kIii,
                4, 64, true),
    {13, "IS_MST", kToSim, "type a message or a command", 68, kMst},
    text_record(14, "IS_MTC", kToSim, "message to a connection, a player or everyone (host only)",
                kMtc, 4, 128, true),
    {15, "IS_MOD", kToSim, "change the screen mode", 20, kMod},
    {16, "IS_VTN", kToProgram, "a vote was cast", 8, kVtn},
    {17, "IS_RST", kToProgram, "race or qualifying started", 28, kRst},
    {18, "IS_NCN", kToProgram, "new connection", 56, kNcn},
    {19, "IS_CNL", kToProgram, "connection left", 8, kCnl},
    {20, "IS_CPR", kToProgram, "connection renamed", 36, kCpr},
    {21, "IS_NPL", kToProgram, "player joined the race (or left the pits, or asks to join)", 76,
     kNpl},
    {22, "IS_PLP", kToProgram, "player went to the pit or settings screen, keeps his slot", 4,
     kPlid},
    {23, "IS_PLL", kToProgram, "player left the race, slot lost", 4, kPlid},
    {24, "IS_LAP", kToProgram, "lap completed", 20, kLap},
    {25, "IS_SPX", kToProgram, "split crossed", 16, kSpx},
    {26, "IS_PIT", kToProgram, "pit stop begins", 24, kPit},
    {27, "IS_PSF", kToProgram, "pit stop finished", 12, kPsf},
    {28, "IS_PLA", kToProgram, "pit lane entered or left", 8, kPla},
    {29, "IS_CCH", kToProgram, "a driver changed camera", 8, kCch},
    {30, "IS_PEN", kToProgram, "penalty given or cleared", 8, kPen},
    {31, "IS_TOC", kToProgram, "car taken over (driver swap)", 8, kToc},
    {32, "IS_FLG", kToProgram, "blue or yellow flag on or off", 8, kFlg},
    {33, "IS_PFL", kToProgram, "player help flags changed", 8, kPfl},
    {34, "IS_FIN", kToProgram, "player crossed the finish (not yet a result)", 20, kFin},
    {35, "IS_RES", kToProgram, "result confirmed", 84, kRes},
    {36, "IS_REO", kBoth, "grid or start order", 44, kReo},
    array_record(37, "IS_NLP", kToProgram, "node and lap of every car", kNlp, 40),
    array_record(38, "IS_MCI", kToProgram, "detailed position of cars", kMci, 16,
                 "More cars come as several records; CCI_FIRST and CCI_LAST mark the set."),
    {39, "IS_MSX", kToSim, "longer typed message (no commands)", 100, kMsx},
    {40, "IS_MSL", kToSim, "message shown on the local computer only", 132, kMsl},
    {41, "IS_CRS", kToProgram, "car reset", 4, kPlid},
    {42, "IS_BFN", kBoth, "delete or clear buttons; the user cleared or asks for buttons", 8, kBfn},
    {43, "IS_AXI", kToProgram, "layout information", 40, kAxi},
    {44, "IS_AXO", kToProgram, "a layout object was hit", 4, kPlid},
    text_record(45, "IS_BTN", kToSim, "create or update a button", kBtn, 0, 240, false),
    {46, "IS_BTC", kToProgram, "button clicked", 8, kBtc},
    {47, "IS_BTT", kToProgram, "text typed into a button", 104, kBtt},
    {48, "IS_RIP", kBoth, "replay control and information", 80, kRip},
    {49, "IS_SSH", kBoth, "take a screenshot, and its result", 40, kSsh},
    {50, "IS_CON", kToProgram, "contact between two cars (with ISF_CON)", 40, kCon},
    {51, "IS_OBH", kToProgram, "a car hit an object (with ISF_OBH)", 24, kObh},
    {52, "IS_HLV", kToProgram, "incident that would break hot-lap validity (with ISF_HLV)", 16,
     kHlv},
    {53, "IS_PLC", kToSim, "cars allowed for a connection", 12, kPlc},
    array_record(54, "IS_AXM", kBoth, "layout objects: add, delete, report", kAxm, 60),
    text_record(55, "IS_ACR", kToProgram, "admin command typed by a user", kAcr, 4, 64, true),
    {56, "IS_HCP", kToSim, "handicaps per car model", 68, kHcp},
    {57, "IS_NCI", kToProgram, "more about a new connection (host only, with an admin password)",
     16, kNci},
    {58, "IS_JRR", kToSim, "answer a join request, or move a car", 16, kJrr},
    {59, "IS_UCO", kToProgram, "a car crossed a control checkpoint or entered or left a circle", 28,
     kUco},
    {60, "IS_OCO", kToSim, "object control (start lights)", 8, kOco},
    {61, "IS_TTC", kToSim, "general 8-byte record aimed at a connection", 8, kTtc},
    {62, "IS_SLC", kToProgram, "a connection selected a car", 8, kSlc},
    {63, "IS_CSC", kToProgram, "car stopped or started", 20, kCsc},
    {64, "IS_CIM", kToProgram, "a connection's interface mode changed", 8, kCim},
    array_record(65, "IS_MAL", kBoth, "allowed mods", kMal, 120),
    array_record(66, "IS_PLH", kBoth, "handicaps per player (0.7E)", kPlh, 48),
    array_record(67, "IS_IPB", kBoth, "IP bans (0.7F)", kIpb, 120,
                 "The type number 67 is inferred from the order of the records, not seen."),
};

constexpr const Structure* kStructures[] = {&kObjectInfo, &kCarContObj, &kCarContact,
                                            &kNodeLap,    &kCompCar,    &kCarHcp,
                                            &kVec,        &kPlayerHCap, &kIPv4};

constexpr const Values* kValueSets[] = {
    &v::kTiny,   &v::kSmall,   &v::kTtc,   &v::kBfn,      &v::kIsf,   &v::kIss,
    &v::kMso,    &v::kSnd,     &v::kVote,  &v::kHostf,    &v::kLeavr, &v::kCim,
    &v::kMarsh,  &v::kPif,     &v::kSetf,  &v::kTyre,     &v::kPse,   &v::kPitlane,
    &v::kView,   &v::kPenalty, &v::kPenr,  &v::kConf,     &v::kObh,   &v::kUco,
    &v::kCsc,    &v::kIsb,     &v::kClick, &v::kInst,     &v::kJrr,   &v::kRip,
    &v::kRipopt, &v::kSsh,     &v::kPmo,   &v::kPmoFlags, &v::kOco,   &v::kCci,
};

}  // namespace

std::span<const Field> header() {
    return kHeaderFields;
}

std::span<const Record> records() {
    return kRecords;
}

std::span<const Structure* const> structures() {
    return kStructures;
}

std::span<const Values* const> value_sets() {
    return kValueSets;
}

}  // namespace catalogue
