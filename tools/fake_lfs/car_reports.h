// The cars of the session's players at a moment, as the reports show them
// (5.4): each driver where the race's clock has its car, the players
// waiting in the pits at the pit lane's end by the line; IS_MCI, as many as
// the protocol version needs, and IS_NLP.
#pragma once

#include <vector>

#include "tools/engine/link.h"
#include "tools/fake_lfs/race.h"
#include "tools/fake_lfs/session.h"

namespace fake_lfs {

// The IS_MCI of the players' cars at `when` at protocol `version`, each
// with ReqI `reqi`; none for no players.
std::vector<sim::Bytes> car_reports(const Session& session, const Race& race,
                                    engine::Clock::time_point when, int version, uint8_t reqi = 0);
// The IS_NLP of the players' cars at `when`, the first 40 of more (as many
// as it holds); empty for no players.
sim::Bytes node_lap_report(const Session& session, const Race& race, engine::Clock::time_point when,
                           uint8_t reqi = 0);

}  // namespace fake_lfs
