// What people do in the session, played at the times the script gives
// (script.h), on one timer from the first program's introduction: guests
// come and go, players join and leave the race, chat lines, and the users'
// clicks, typing and clearing of the programs' buttons. Each event goes to
// every program as the simulator would tell it, with a line on standard
// output; one that cannot happen (a click on a button no program shows) is
// a line on standard error, and nothing is sent.
#pragma once

#include <asio/io_context.hpp>
#include <asio/steady_timer.hpp>
#include <functional>
#include <vector>

#include "tools/fake_lfs/lap_program.h"
#include "tools/fake_lfs/race_events.h"
#include "tools/fake_lfs/script.h"
#include "tools/fake_lfs/session.h"

namespace fake_lfs {

class People {
  public:
    struct Stage {
        Session& session;
        RaceEvents& race;
        // The programs introduced, oldest first.
        std::function<std::vector<LapProgram*>()> programs;
    };

    People(asio::io_context& io, std::vector<ScriptEvent> events, Stage stage);

    // The session's clock starts (once): the events are played from now.
    void start();
    // Plays nothing more, even from a wait that had already fired.
    void stop() {
        timer_.cancel();
        next_ = events_.size();
    }

  private:
    void wait();
    void play(const ScriptEvent& event);
    // Every program gets `records`.
    void tell_all(const std::vector<sim::Bytes>& records);
    // The connection an event's NAME names (the host's for none), or a
    // line on standard error.
    const UserConnection* who(const ScriptEvent& event);
    void chat(const ScriptEvent& event, const UserConnection& from);
    void press(const ScriptEvent& event, const UserConnection& by);
    void send(const ScriptEvent& event);
    // A line on standard error: the event could not happen.
    void refuse(const ScriptEvent& event, const std::string& why);

    std::vector<ScriptEvent> events_;
    Stage stage_;
    asio::steady_timer timer_;
    engine::Clock::time_point start_;
    bool started_ = false;
    std::size_t next_ = 0;
};

}  // namespace fake_lfs
