// fake_lfs's race for up to eight programs: the server takes them, each is
// served on its own (lap_program.cpp), the session's people (session.cpp)
// race on the race's clock (race.cpp), which tells every program what
// happens (race_events.cpp), as do the script's people (people.cpp); the
// race ends every connection once its laps are driven and the programs
// have answered the last reports, or have had a while to. With --strict, a
// record out of the simulator's limits or an unanswered keep-alive makes
// the status 1.
#include <iostream>

#include "tools/fake_lfs/lap_program.h"
#include "tools/fake_lfs/people.h"
#include "tools/fake_lfs/race_events.h"
#include "tools/fake_lfs/server.h"
#include "tools/fake_lfs/session.h"
#include "tools/protocol/counted.h"

namespace fake_lfs {
namespace {

using std::chrono::milliseconds;

// How long the last lap waits for the answers to its last reports.
constexpr milliseconds kLastAnswersTime(1000);

class LapSession {
  public:
    LapSession(asio::io_context& io, asio::ip::tcp::acceptor& acceptor, const Options& options,
               std::vector<ScriptEvent> script)
        : options_(options),
          server_(io, acceptor, options,
                  {
                      .max_programs = kMaxPrograms,
                      .end_when_all_gone = options.laps != 0,
                      .turned_away = "fake_lfs: turned a program away: the simulator serves at "
                                     "most " +
                                     std::to_string(kMaxPrograms) + " programs at once",
                  },
                  [this, &io](asio::ip::tcp::socket socket, int number) {
                      return std::make_shared<LapProgram>(io, std::move(socket), options_, number,
                                                          server_, context_);
                  }),
          session_(options),
          race_(
              io, options,
              {
                  .started = [this](engine::Clock::time_point start,
                                    engine::Clock::duration step) { events_.started(start, step); },
                  .laps_driven = [this] { laps_driven(); },
              }),
          events_(io, options, session_,
                  [this](const std::vector<sim::Bytes>& records) { tell_all(records); }),
          people_(
              io, std::move(script),
              {.session = session_, .race = events_, .programs = [this] { return introduced(); }}),
          datagrams_(io, server_.port()),
          last_answers_timer_(io),
          context_{
              .race = race_,
              .session = session_,
              .events = events_,
              .datagrams = datagrams_,
              .introduced = [this] { people_.start(); },
              .answered = [this] { check_answers(); },
              .refused_record = [this] { ++refused_records_; },
              .unanswered_keepalive = [this] { ++unanswered_keepalives_; },
          } {
        server_.on_finish([this] { about_to_end(); });
    }

    int run(const Announce& announce) { return server_.run(announce); }

  private:
    std::vector<LapProgram*> programs() const {
        std::vector<LapProgram*> programs;
        for (const auto& connection : server_.live()) {
            programs.push_back(static_cast<LapProgram*>(connection.get()));
        }
        return programs;
    }

    std::vector<LapProgram*> introduced() const {
        std::vector<LapProgram*> introduced = programs();
        std::erase_if(introduced, [](const LapProgram* program) { return !program->introduced(); });
        return introduced;
    }

    void tell_all(const std::vector<sim::Bytes>& records) {
        for (LapProgram* program : programs()) {
            program->tell(records);
        }
    }

    void laps_driven() {
        for (LapProgram* program : programs()) {
            program->race_over(race_.last_step());
        }
        events_.laps_driven();
        last_lap_done_ = true;
        last_answers_timer_.expires_after(kLastAnswersTime);
        last_answers_timer_.async_wait([this](std::error_code error) {
            if (!error) {
                end_race();
            }
        });
        check_answers();
    }

    void check_answers() {
        if (!last_lap_done_) {
            return;
        }
        for (const LapProgram* program : programs()) {
            if (!program->answered_every_report()) {
                return;
            }
        }
        end_race();
    }

    void end_race() {
        if (server_.finishing()) {
            return;
        }
        std::cout << sim::counted(options_.laps, "lap") << " driven; closing" << std::endl;
        server_.finish(0);
    }

    void about_to_end() {
        race_.stop();
        events_.stop();
        people_.stop();
        last_answers_timer_.cancel();
        for (LapProgram* program : programs()) {
            program->stop_keepalives();
        }
        if (!options_.strict || (refused_records_ == 0 && unanswered_keepalives_ == 0)) {
            return;
        }
        std::cerr << "fake_lfs: --strict: " << sim::counted(refused_records_, "record")
                  << " the simulator would not accept or show, "
                  << sim::counted(unanswered_keepalives_, "keep-alive") << " not answered; status 1"
                  << std::endl;
        server_.fail();
    }

    const Options& options_;
    Server server_;
    Session session_;
    Race race_;
    RaceEvents events_;
    People people_;
    Datagrams datagrams_;
    asio::steady_timer last_answers_timer_;
    RaceContext context_;
    bool last_lap_done_ = false;
    long refused_records_ = 0;
    long unanswered_keepalives_ = 0;
};

}  // namespace

int run_lap_session(asio::io_context& io, asio::ip::tcp::acceptor& acceptor, const Options& options,
                    std::vector<ScriptEvent> script, const Announce& announce) {
    return LapSession(io, acceptor, options, std::move(script)).run(announce);
}

}  // namespace fake_lfs
