#include "tools/fake_lfs/session_records.h"

#include <algorithm>
#include <bit>
#include <string>

#include "tools/fake_lfs/timeline.h"
#include "tools/protocol/catalogue.h"
#include "tools/protocol/record_fields.h"

namespace fake_lfs {
namespace {

using records::Builder;

// How each player drives, and what the race shows of fuel and timing.
constexpr std::string_view kPlayerFlags = "PIF_AUTOCLUTCH";
constexpr std::string_view kInPits = "PIF_AUTOCLUTCH|PIF_INPITS";
constexpr std::string_view kTyres = "TYRE_R2";
constexpr std::string_view kSkin = "default";
constexpr uint32_t kFuelNotShown = 255;
constexpr uint32_t kRemotePlayer = 4;      // IS_NPL PType
constexpr uint32_t kRemoteConnection = 4;  // IS_NCN Flags
constexpr uint32_t kStandardTiming = 0x40;
constexpr uint32_t kServerOk = 1;
constexpr uint32_t kTyreCount = 4;
// RaceLaps: up to 99 laps as they are; 100 to 1000 in tens from byte 100.
constexpr long kMostSingleLaps = 99;
constexpr long kMostLaps = 1000;
constexpr long kLapsATen = 10;
constexpr uint8_t kHundredLaps = 100;

// A chat line: the sender's name, this, and the text, in at most 127 bytes.
constexpr std::string_view kNameApart = " : ";
constexpr std::size_t kLongestLine = 127;
// TypeIn's bits that count the characters, and the most that can be typed.
constexpr uint8_t kTypedCharacters = 0x7f;
constexpr std::size_t kMostTyped = 95;

uint8_t id(std::size_t count) {
    return static_cast<uint8_t>(count);
}

}  // namespace

uint8_t race_laps_byte(long laps) {
    if (laps <= kMostSingleLaps) {
        return static_cast<uint8_t>(laps);
    }
    const long tens = (std::min(laps, kMostLaps) - kHundredLaps + kLapsATen - 1) / kLapsATen;
    return static_cast<uint8_t>(kHundredLaps + tens);
}

sim::Bytes state_record(const Session& session, uint8_t reqi) {
    const bool running = session.race() == RaceState::kRunning;
    const auto& players = session.players();
    return Builder("IS_STA")
        .set("ReqI", reqi)
        .set("ReplaySpeed", std::bit_cast<uint32_t>(1.0F))
        .set("Flags", running ? "ISS_GAME|ISS_MULTI" : "ISS_MULTI")
        .set("ViewPLID", running && !players.empty() ? players.front().plid : 0)
        .set("NumP", id(players.size()))
        .set("NumConns", id(session.connections().size()))
        .set("NumFinished", id(session.results().size()))
        .set("RaceInProg", running ? 1 : 0)
        .set("RaceLaps", race_laps_byte(session.laps()))
        .set("ServerStatus", kServerOk)
        .set("Track", session.track())
        .bytes();
}

sim::Bytes host_record(uint8_t reqi) {
    return Builder("IS_ISM").set("ReqI", reqi).set("Host", 1).set("HName", kHostName).bytes();
}

sim::Bytes race_record(const Session& session, std::size_t nodes, uint8_t reqi) {
    Builder race("IS_RST");
    race.set("ReqI", reqi)
        .set("RaceLaps", race_laps_byte(session.laps()))
        .set("NumP", id(session.players().size()))
        .set("Timing", kStandardTiming | kSplits)
        .set("Track", session.track())
        .set("Flags", "HOSTF_CAN_VOTE|HOSTF_CAN_SELECT")
        .set("NumNodes", static_cast<uint32_t>(nodes))
        .set("Finish", static_cast<uint32_t>(line_node(nodes)));
    for (unsigned split = 1; split <= kSplits; ++split) {
        race.set("Split" + std::to_string(split), static_cast<uint32_t>(split_node(nodes, split)));
    }
    return race.bytes();
}

sim::Bytes start_order_record(const Session& session, uint8_t reqi) {
    // The order holds as many players as its PLID array: the first of them.
    const catalogue::Record& type = *catalogue::find("IS_REO");
    const std::size_t count =
        std::min<std::size_t>(session.players().size(), type.fields.back().count);
    Builder order("IS_REO");
    order.set("ReqI", reqi).set("NumP", id(count));
    for (std::size_t i = 0; i < count; ++i) {
        order.set("PLID[" + std::to_string(i) + "]", session.players()[i].plid);
    }
    return order.bytes();
}

sim::Bytes connection_record(const Session& session, const UserConnection& connection,
                             uint8_t reqi) {
    return Builder("IS_NCN")
        .set("ReqI", reqi)
        .set("UCID", connection.ucid)
        .set("UName", connection.uname)
        .set("PName", connection.pname)
        .set("Admin", connection.remote ? 0 : 1)
        .set("Total", id(session.connections().size()))
        .set("Flags", connection.remote ? kRemoteConnection : 0)
        .bytes();
}

sim::Bytes connection_left_record(const Session& session, uint8_t ucid) {
    return Builder("IS_CNL")
        .set("UCID", ucid)
        .set("Reason", "LEAVR_DISCO")
        .set("Total", id(session.connections().size()))
        .bytes();
}

sim::Bytes car_choice_record(const UserConnection& connection, uint8_t reqi) {
    return Builder("IS_SLC")
        .set("ReqI", reqi)
        .set("UCID", connection.ucid)
        .set("CName", connection.car)
        .bytes();
}

sim::Bytes player_record(const Session& session, const Player& player, uint8_t reqi,
                         std::size_t in_race) {
    const UserConnection* owner = session.connection(player.ucid);
    Builder joined("IS_NPL");
    joined.set("ReqI", reqi)
        .set("PLID", player.plid)
        .set("UCID", player.ucid)
        .set("PType", owner != nullptr && owner->remote ? kRemotePlayer : 0)
        .set("Flags", player.driving ? kPlayerFlags : kInPits)
        .set("PName", player.pname)
        .set("CName", player.car)
        .set("SName", kSkin)
        .set("NumP", id(in_race != 0 ? in_race : session.players().size()))
        .set("Fuel", kFuelNotShown);
    for (uint32_t wheel = 0; wheel < kTyreCount; ++wheel) {
        joined.set("Tyres[" + std::to_string(wheel) + "]", kTyres);
    }
    return joined.bytes();
}

sim::Bytes player_left_record(uint8_t plid) {
    return Builder("IS_PLL").set("PLID", plid).bytes();
}

sim::Bytes split_record(const Player& player, unsigned split, uint32_t split_ms,
                        uint32_t elapsed_ms) {
    return Builder("IS_SPX")
        .set("PLID", player.plid)
        .set("STime", split_ms)
        .set("ETime", elapsed_ms)
        .set("Split", split)
        .set("Fuel200", kFuelNotShown)
        .bytes();
}

sim::Bytes lap_record(const Player& player, uint32_t lap_ms, uint32_t elapsed_ms) {
    return Builder("IS_LAP")
        .set("PLID", player.plid)
        .set("LTime", lap_ms)
        .set("ETime", elapsed_ms)
        .set("LapsDone", player.laps_done)
        .set("Flags", kPlayerFlags)
        .set("Fuel200", kFuelNotShown)
        .bytes();
}

sim::Bytes finish_record(const Player& player, uint32_t total_ms) {
    return Builder("IS_FIN")
        .set("PLID", player.plid)
        .set("TTime", total_ms)
        .set("BTime", player.best_lap_ms)
        .set("Confirm", "CONF_MENTIONED")
        .set("LapsDone", player.laps_done)
        .set("Flags", kPlayerFlags)
        .bytes();
}

sim::Bytes result_record(const Result& result, std::size_t number, std::size_t results,
                         uint8_t reqi) {
    return Builder("IS_RES")
        .set("ReqI", reqi)
        .set("PLID", result.plid)
        .set("UName", result.uname)
        .set("PName", result.pname)
        .set("CName", result.car)
        .set("TTime", result.total_ms)
        .set("BTime", result.best_lap_ms)
        .set("Confirm", "CONF_MENTIONED|CONF_CONFIRMED")
        .set("LapsDone", result.laps_done)
        .set("Flags", kPlayerFlags)
        .set("ResultNum", id(number))
        .set("NumRes", id(results))
        .bytes();
}

sim::Bytes chat_record(const UserConnection& from, uint8_t plid, std::string_view user_type,
                       std::string_view text) {
    const std::string named = from.pname + std::string(kNameApart);
    const std::string line = (named + std::string(text)).substr(0, kLongestLine);
    return Builder("IS_MSO")
        .set("UCID", from.ucid)
        .set("PLID", plid)
        .set("UserType", user_type)
        .set("TextStart", id(std::min(named.size(), line.size())))
        .set("Msg", line)
        .bytes();
}

sim::Bytes buttons_record(std::string_view subtype, uint8_t ucid) {
    return Builder("IS_BFN").set("SubT", subtype).set("UCID", ucid).bytes();
}

sim::Bytes click_record(uint8_t reqi, uint8_t ucid, uint8_t click_id, uint8_t inst) {
    return Builder("IS_BTC")
        .set("ReqI", reqi)
        .set("UCID", ucid)
        .set("ClickID", click_id)
        .set("Inst", inst)
        .set("CFlags", "ISB_LMB")
        .bytes();
}

sim::Bytes typed_record(uint8_t reqi, uint8_t ucid, uint8_t click_id, uint8_t inst, uint8_t type_in,
                        std::string_view text) {
    return Builder("IS_BTT")
        .set("ReqI", reqi)
        .set("UCID", ucid)
        .set("ClickID", click_id)
        .set("Inst", inst)
        .set("TypeIn", type_in)
        .set("Text", text.substr(0, std::min<std::size_t>(type_in & kTypedCharacters, kMostTyped)))
        .bytes();
}

sim::Bytes tiny(std::string_view subtype, uint8_t reqi) {
    return Builder("IS_TINY").set("ReqI", reqi).set("SubT", subtype).bytes();
}

sim::Bytes small(std::string_view subtype, uint32_t value, uint8_t reqi) {
    return Builder("IS_SMALL").set("ReqI", reqi).set("SubT", subtype).set("UVal", value).bytes();
}

}  // namespace fake_lfs
