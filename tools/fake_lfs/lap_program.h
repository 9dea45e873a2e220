// One program in fake_lfs's race: its introduction and the version it is
// served, the version answer, its keep-alives and idle limit, the car
// reports of the race (IS_MCI, IS_NLP, or both) at its own interval, which
// it may change (on the stream, or by datagram), the answers to its
// requests, the buttons it shows, the judgement of what it sends in its
// own unit, or instead a stream of garbage. Every deadline is a timer of
// its own.
#pragma once

#include <asio/steady_timer.hpp>
#include <chrono>
#include <functional>
#include <random>

#include "tools/fake_lfs/buttons.h"
#include "tools/fake_lfs/connection.h"
#include "tools/fake_lfs/datagrams.h"
#include "tools/fake_lfs/keepalives.h"
#include "tools/fake_lfs/race.h"
#include "tools/fake_lfs/race_events.h"
#include "tools/fake_lfs/session.h"
#include "tools/simulator/client_records.h"

namespace fake_lfs {

// What the programs of one race share.
struct RaceContext {
    Race& race;
    Session& session;
    RaceEvents& events;
    Datagrams& datagrams;
    // A program is introduced (the session's clock starts with the first).
    std::function<void()> introduced;
    // A program sent a record: once the laps are driven, the last reports
    // may now all be answered.
    std::function<void()> answered;
    // A program sent a record the simulator would not accept or show.
    std::function<void()> refused_record;
    // A program let a keep-alive go unanswered.
    std::function<void()> unanswered_keepalive;
};

class LapProgram : public Connection {
  public:
    LapProgram(asio::io_context& io, asio::ip::tcp::socket socket, const Options& options,
               int number, Host& host, RaceContext& race);

    // The race's last step is at `last_step`: sends the reports due by then,
    // and no more.
    void race_over(Clock::time_point last_step);
    // Whether a button has answered every report sent.
    bool answered_every_report() const { return records_.answered_every_report(); }
    // Stops its keep-alives as fake_lfs ends, the last one judged, so that
    // the end's account holds it.
    void stop_keepalives() { keepalives_.stop(); }

    // Sends `records`, in order, once the program is introduced (and not
    // sent garbage instead).
    void tell(const std::vector<sim::Bytes>& records);
    bool introduced() const { return introduced_; }
    // The protocol version it is served, its chat prefix (0 for none), and
    // the buttons it shows.
    int served_version() const { return version(); }
    char prefix() const { return prefix_; }
    Buttons& buttons() { return buttons_; }

  private:
    void connected() override { await_introduction(); }
    void heard() override;
    void received(const sim::Bytes& record) override;
    void program_gone() override;
    void stop_timers() override;
    void sent_all() override;

    void await_introduction();
    void introduce(const sim::Bytes& record);
    void answer(const sim::Bytes& record);
    // Reports every `interval` from now on, starting the race if need be.
    void report_every(std::chrono::milliseconds interval);
    void report();
    bool send_reports(Clock::time_point when);
    void send_garbage();

    RaceContext& race_;
    asio::steady_timer introduction_timer_;
    KeepAlives keepalives_;
    asio::steady_timer report_timer_;
    sim::ClientRecords records_;

    Buttons buttons_;

    bool introduced_ = false;
    bool reporting_ = false;
    bool car_reports_ = false;   // IS_MCI
    bool node_reports_ = false;  // IS_NLP
    char prefix_ = 0;
    uint16_t udp_port_ = 0;
    std::chrono::milliseconds interval_{1000};
    Clock::time_point next_report_;

    sim::Bytes garbage_;
    std::size_t garbage_at_ = 0;
    std::mt19937 rng_;
    long records_in_ = 0;
};

}  // namespace fake_lfs
