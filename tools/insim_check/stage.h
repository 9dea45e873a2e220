// One case's session with the program: listening on the port, starting the
// program through the shell (with --exec), its connection and first record,
// and the simulator's side played with calls that wait. Every record both
// ways is kept with its time, for the report around a failure.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "insim/records.h"
#include "tools/engine/peer.h"
#include "tools/engine/program_process.h"
#include "tools/insim_check/check.h"

namespace insim_check {

using std::chrono::milliseconds;

struct Exchanged {
    double ms;  // since the program connected
    char from;  // 'S' (this simulator) or 'C' (the program)
    sim::Bytes record;
};

// What the program sent while the simulator was played for a while.
struct Played {
    std::vector<Exchanged> records;
    int keepalives_sent = 0;
    int keepalives_answered = 0;      // within a second each
    double first_unanswered_ms = -1;  // when the first keep-alive not answered went
    double longest_silence_ms = 0;
    double silence_from_ms = -1;  // when the longest silence began
    bool connection_lost = false;
};

class Stage {
  public:
    Stage(const Options& options, const Case& which);
    ~Stage();

    // Listens, starts the program and takes its connection and its first
    // record. Empty when that worked, or what went wrong. Without --exec it
    // asks for the program, as case `number` of `count`.
    std::string open(std::size_t number, std::size_t count);

    const sim::Bytes& first() const { return first_; }
    bool introduced() const;  // the first record is a 44-byte introduction
    const insim::IS_ISI& introduction() const { return isi_; }
    bool wants_reports() const;
    // Answers the introduction with the version record, as the simulator.
    void answer_introduction();

    void send(const sim::Bytes& bytes, std::size_t chunk = 0, milliseconds pause = milliseconds(0));
    // The next record from the program, within `timeout`. A size byte of 0
    // comes as a record of that one byte; nothing after it is a record.
    std::optional<Exchanged> next(milliseconds timeout);
    // Every record the program sends within `time`.
    std::vector<Exchanged> during(milliseconds time);
    // Plays the simulator for `time`: a keep-alive every second, and, to a
    // program that asks for them, reports of `cars` cars every 100 ms.
    Played play(milliseconds time, std::size_t cars, bool reports = true);
    // Sends `before` and a keep-alive after it, in pieces of `chunk` bytes
    // (0: in one piece), and tells whether the program answered that
    // keep-alive within a second.
    bool answers_keepalive(const sim::Bytes& before = {}, std::size_t chunk = 0);
    // Closes the connection, as the simulator does when it quits.
    void close();

    engine::ProgramProcess* program() { return program_.get(); }
    double ms() const;
    const std::vector<Exchanged>& exchange() const { return exchange_; }

  private:
    const Options& options_;
    const Case& case_;
    std::unique_ptr<sim::SimPeer> peer_;
    std::unique_ptr<engine::ProgramProcess> program_;
    std::chrono::steady_clock::time_point start_;
    sim::Bytes first_;
    insim::IS_ISI isi_{};
    std::vector<Exchanged> exchange_;
    std::size_t step_ = 0;  // of the lap, for the reports' positions
    bool framing_lost_ = false;
};

}  // namespace insim_check
