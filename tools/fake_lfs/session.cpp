#include "tools/fake_lfs/session.h"

#include <algorithm>
#include <limits>

namespace fake_lfs {
namespace {

// The track's short code, and the cars the drivers choose, in turn.
constexpr std::string_view kTrack = "FE2R";
constexpr std::string_view kCars[] = {"UF1", "LX4", "LX6"};
constexpr uint8_t kHost = 0;
constexpr uint8_t kLastId = std::numeric_limits<uint8_t>::max() - 1;  // 255 means all

}  // namespace

Session::Session(const Options& options)
    : track_(kTrack), laps_(options.laps), cars_(static_cast<std::size_t>(options.cars)) {
    connections_.push_back({kHost, "host", "Host", "", false});
    for (std::size_t car = 0; car < cars_; ++car) {
        const std::string number = std::to_string(car + 1);
        connections_.push_back({static_cast<uint8_t>(car + 1), "driver" + number,
                                "Driver " + number, std::string(kCars[car % std::size(kCars)]),
                                true, car});
    }
}

const UserConnection* Session::connection(uint8_t ucid) const {
    const auto at = std::find_if(connections_.begin(), connections_.end(),
                                 [ucid](const UserConnection& c) { return c.ucid == ucid; });
    return at == connections_.end() ? nullptr : &*at;
}

const UserConnection* Session::connection_named(std::string_view name) const {
    const auto at = std::find_if(
        connections_.begin(), connections_.end(),
        [name](const UserConnection& c) { return c.uname == name || c.pname == name; });
    return at == connections_.end() ? nullptr : &*at;
}

Player* Session::player(uint8_t plid) {
    const auto at = std::find_if(players_.begin(), players_.end(),
                                 [plid](const Player& p) { return p.plid == plid; });
    return at == players_.end() ? nullptr : &*at;
}

const Player* Session::player_of(uint8_t ucid) const {
    const auto at = std::find_if(players_.begin(), players_.end(),
                                 [ucid](const Player& p) { return p.ucid == ucid; });
    return at == players_.end() ? nullptr : &*at;
}

Player* Session::driver_of(std::size_t car) {
    const auto at = std::find_if(players_.begin(), players_.end(),
                                 [car](const Player& p) { return p.driving == car; });
    return at == players_.end() ? nullptr : &*at;
}

const UserConnection* Session::connect(const std::string& name) {
    if (connections_.size() >= kMaxConnections || connection_named(name) != nullptr) {
        return nullptr;
    }
    // The smallest identifier free, as a slot of the host.
    uint8_t ucid = 1;
    while (connection(ucid) != nullptr) {
        ++ucid;
    }
    connections_.push_back({ucid, name, name, "", true});
    return &connections_.back();
}

const Player* Session::join(uint8_t ucid, std::optional<std::size_t> car) {
    const UserConnection* owner = connection(ucid);
    if (owner == nullptr || player_of(ucid) != nullptr) {
        return nullptr;
    }
    // A new player takes the next identifier, passing over those in use.
    do {
        last_plid_ = last_plid_ == kLastId ? 1 : static_cast<uint8_t>(last_plid_ + 1);
    } while (player(last_plid_) != nullptr);
    Player joined{last_plid_, ucid, owner->pname, owner->car, car};
    // Drivers go in car order, ahead of the players in the pits.
    const auto at = std::find_if(players_.begin(), players_.end(), [&](const Player& p) {
        return car && (!p.driving || *p.driving > *car);
    });
    const uint8_t plid = joined.plid;
    players_.insert(at, std::move(joined));
    place();
    return player(plid);
}

void Session::spectate(uint8_t plid) {
    std::erase_if(players_, [plid](const Player& p) { return p.plid == plid; });
    place();
}

void Session::leave(uint8_t ucid) {
    if (const Player* racing = player_of(ucid)) {
        spectate(racing->plid);
    }
    std::erase_if(connections_, [ucid](const UserConnection& c) { return c.ucid == ucid; });
}

void Session::start_race() {
    race_ = RaceState::kRunning;
    for (std::size_t car = 0; car < cars_; ++car) {
        for (const UserConnection& guest : connections_) {
            if (guest.drives == car) {
                join(guest.ucid, car);
                break;
            }
        }
    }
}

void Session::finish(Player& player, uint32_t total_ms) {
    player.finished = true;
    const UserConnection* owner = connection(player.ucid);
    results_.push_back({player.plid, owner != nullptr ? owner->uname : "", player.pname, player.car,
                        total_ms, player.best_lap_ms, player.laps_done});
}

void Session::place() {
    uint8_t position = 0;
    for (Player& player : players_) {
        player.position = player.driving ? ++position : 0;
    }
}

}  // namespace fake_lfs
