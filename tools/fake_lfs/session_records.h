// The records that tell a program about the session (session.h), built by
// the catalogue's field names: its connections, players, state and race,
// each with the ReqI of the request it answers, or 0 when it is sent
// unasked. Lengths are in bytes; a program's connection sizes them in its
// unit as they go.
#pragma once

#include <cstdint>
#include <string_view>

#include "tools/fake_lfs/session.h"
#include "tools/protocol/sim_records.h"

namespace fake_lfs {

// The host's name in IS_ISM.
constexpr std::string_view kHostName = "fake_lfs race";

// IS_STA: the state.
sim::Bytes state_record(const Session& session, uint8_t reqi = 0);
// IS_ISM: the host, as started.
sim::Bytes host_record(uint8_t reqi = 0);
// IS_RST: the race as it is set up, on a lap of `nodes` nodes.
sim::Bytes race_record(const Session& session, std::size_t nodes, uint8_t reqi = 0);
// IS_REO: the players in start order, the first 40 of more.
sim::Bytes start_order_record(const Session& session, uint8_t reqi = 0);
// IS_NCN, IS_CNL (a plain disconnection) and IS_SLC.
sim::Bytes connection_record(const Session& session, const UserConnection& connection,
                             uint8_t reqi = 0);
sim::Bytes connection_left_record(const Session& session, uint8_t ucid);
sim::Bytes car_choice_record(const UserConnection& connection, uint8_t reqi = 0);
// IS_NPL, with the players in the race after it joined (`in_race`, 0 for
// all there are now), and IS_PLL.
sim::Bytes player_record(const Session& session, const Player& player, uint8_t reqi = 0,
                         std::size_t in_race = 0);
sim::Bytes player_left_record(uint8_t plid);
// IS_SPX, IS_LAP and IS_FIN of `player`, times in ms.
sim::Bytes split_record(const Player& player, unsigned split, uint32_t split_ms,
                        uint32_t elapsed_ms);
sim::Bytes lap_record(const Player& player, uint32_t lap_ms, uint32_t elapsed_ms);
sim::Bytes finish_record(const Player& player, uint32_t total_ms);
// IS_RES of result `number` (0 for the winner) of `results` so far.
sim::Bytes result_record(const Result& result, std::size_t number, std::size_t results,
                         uint8_t reqi = 0);
// IS_MSO: a chat line from `from` (and its player `plid`, or 0), of user
// type `user_type` ("MSO_USER"), the sender's name before the text.
sim::Bytes chat_record(const UserConnection& from, uint8_t plid, std::string_view user_type,
                       std::string_view text);
// IS_BFN of sub-type `subtype` from connection `ucid`; IS_BTC, a left click,
// and IS_BTT of `text` on a program's button `click_id`, whose ReqI, Inst
// and TypeIn they carry back.
sim::Bytes buttons_record(std::string_view subtype, uint8_t ucid);
sim::Bytes click_record(uint8_t reqi, uint8_t ucid, uint8_t click_id, uint8_t inst);
sim::Bytes typed_record(uint8_t reqi, uint8_t ucid, uint8_t click_id, uint8_t inst, uint8_t type_in,
                        std::string_view text);
// IS_TINY and IS_SMALL of sub-type `subtype` ("TINY_REN").
sim::Bytes tiny(std::string_view subtype, uint8_t reqi = 0);
sim::Bytes small(std::string_view subtype, uint32_t value, uint8_t reqi = 0);

// The race's laps as IS_STA and IS_RST count them: 0 for a race without
// end (practice), 1 to 99 as they are, up to 1000 in tens (a count between
// tens as the ten above it), and more as 1000.
uint8_t race_laps_byte(long laps);

}  // namespace fake_lfs
