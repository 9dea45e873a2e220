// The people of fake_lfs's session, as the simulator keeps them: two lists
// apart, the connections to the host (the host itself with UCID 0, the
// driver of each car, and whoever a script brings) and the players in the
// race (PLID), each owned by a connection; the race as it is set up (the
// track, the laps) and where it stands (not started, running, over, with
// its results). No clock and no program is here: the race's clock is
// race.h's, and each program's connection lap_program.h's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/fake_lfs/fake_lfs.h"

namespace fake_lfs {

// The most connections the host takes, itself included.
constexpr std::size_t kMaxConnections = 64;
// The longest user name or nickname (the protocol's fields hold 24 bytes
// with their 0).
constexpr std::size_t kLongestName = 23;

// One connection to the host: the host itself or a guest.
struct UserConnection {
    uint8_t ucid;
    std::string uname;                                 // user (account) name
    std::string pname;                                 // nickname
    std::string car;                                   // the car chosen, empty for none
    bool remote;                                       // a guest, not the host itself
    std::optional<std::size_t> drives = std::nullopt;  // the race's car it drives, if any
};

// A player in the race.
struct Player {
    uint8_t plid;
    uint8_t ucid;  // the connection it belongs to
    std::string pname;
    std::string car;
    std::optional<std::size_t> driving;  // the race's car it drives; none: it waits in the pits
    uint8_t position = 0;                // in the race, 1 for the leader; 0 in the pits
    // Its laps, timed in ms from the race's start.
    unsigned laps_done = 0;
    uint32_t lap_began_ms = 0;
    uint32_t best_lap_ms = 0;
    bool finished = false;
};

// One player's result, as the race confirms it.
struct Result {
    uint8_t plid;
    std::string uname;
    std::string pname;
    std::string car;
    uint32_t total_ms;
    uint32_t best_lap_ms;
    unsigned laps_done;
};

enum class RaceState { kNotStarted, kRunning, kOver };

class Session {
  public:
    // The host, and a guest for each of `options.cars` cars, with its car
    // chosen ("Driver 1", user name "driver1", of car "UF1", and so on). No
    // one is in the race until it starts.
    explicit Session(const Options& options);

    const std::vector<UserConnection>& connections() const { return connections_; }
    // The players in the race: the drivers in car order, then those in the
    // pits, in the order they joined.
    const std::vector<Player>& players() const { return players_; }
    const std::vector<Result>& results() const { return results_; }
    RaceState race() const { return race_; }
    const std::string& track() const { return track_; }
    long laps() const { return laps_; }
    // The race's cars, driven or not.
    long cars() const { return static_cast<long>(cars_); }

    const UserConnection* connection(uint8_t ucid) const;
    // The connection whose user name or nickname is `name`.
    const UserConnection* connection_named(std::string_view name) const;
    Player* player(uint8_t plid);
    // The player of connection `ucid`, if it has one in the race.
    const Player* player_of(uint8_t ucid) const;
    // The player driving the race's car `car`, if it is still in the race.
    Player* driver_of(std::size_t car);

    // A new guest called `name`, with no car chosen; nothing when the host
    // is full or a connection is called so already.
    const UserConnection* connect(const std::string& name);
    // Connection `ucid`'s player joins the race with a new PLID, driving
    // the race's car `car`, or, without one, waiting in the pits with the
    // connection's car. Nothing when it is in the race already.
    const Player* join(uint8_t ucid, std::optional<std::size_t> car = std::nullopt);
    // The player leaves the race, and is a spectator.
    void spectate(uint8_t plid);
    // The guest leaves the host, its player the race first.
    void leave(uint8_t ucid);

    // The race starts: the drivers of the race's cars join it, in car order.
    void start_race();
    // `player` crossed the finish line after `total_ms`: a result.
    void finish(Player& player, uint32_t total_ms);
    // The race is over: back to the setup screen.
    void end_race() { race_ = RaceState::kOver; }

  private:
    // Gives the drivers their places, in car order, and the rest 0.
    void place();

    std::string track_;
    long laps_;
    std::size_t cars_;
    std::vector<UserConnection> connections_;
    std::vector<Player> players_;
    std::vector<Result> results_;
    RaceState race_ = RaceState::kNotStarted;
    uint8_t last_plid_ = 0;
};

}  // namespace fake_lfs
