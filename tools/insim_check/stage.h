// One case's session with the program: listening on the port, starting the
// program through the shell (with --exec) with its output marked as the
// case's, its connection and first record, and the simulator's side played
// with calls that wait. The program's side is framed as the simulator
// frames it: its introduction decides the protocol version served, and
// with it the size unit, of everything after it both ways. Every record the
// program sends is judged by the record rules as it comes; what the report
// may show is kept within a bound, whatever the program sends.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "insim/records.h"
#include "tools/engine/peer.h"
#include "tools/engine/program_process.h"
#include "tools/insim_check/check.h"
#include "tools/insim_check/exchange_log.h"
#include "tools/insim_check/record_rules.h"
#include "tools/protocol/record_splitter.h"

namespace insim_check {

using std::chrono::milliseconds;

// The session's clocks: the simulator's 30 s between keep-alives and 70 s
// idle limit, both scaled by the same factor, so that a program the
// simulator keeps is kept here too.
constexpr milliseconds kKeepAliveEvery(1000);
constexpr milliseconds kIdleLimit(kKeepAliveEvery * 70 / 30);
// What keepalive/1 holds an answer to.
constexpr milliseconds kAnswerWithin(1000);

// What the program sent while the simulator was played for a while.
struct Played {
    int keepalives_sent = 0;
    int keepalives_answered = 0;      // in order, one for one, each within a second
    double first_unanswered_ms = -1;  // when the first keep-alive not answered in time went
    double first_late_by_ms = -1;     // how late the first answer that came late was
    double longest_silence_ms = 0;
    double silence_from_ms = -1;  // when the longest silence began
    std::size_t records = 0;      // the program's
    std::size_t bytes = 0;        // in those records
};

// How the program answered the keep-alives of a probe.
struct Answers {
    int sent = 0;          // keep-alives, those among the records before them too
    int heard = 0;         // keep-alives from the program while the probe waited
    double answered = 0;   // those heard, less as many as its own rate brings in that time
    bool own = false;      // it sent keep-alives of its own while watched
    double own_per_s = 0;  // their rate
    // False when its own keep-alives come too often to tell answers from
    // them; the probe then sent nothing.
    bool told = true;
    // One came back for each sent (see probe()).
    bool enough = false;
    double at_ms = -1;    // when the first went
    double took_ms = -1;  // from the last one sent to the answer that made them all, when enough
};

class Stage {
  public:
    // `earlier`: what the run's earlier sessions found, for a case that
    // judges every session's records.
    Stage(const Options& options, const Case& which, const RecordFindings* earlier = nullptr);
    ~Stage();

    // Listens, starts the program and takes its connection and its first
    // record. Empty when that worked, else what went wrong. Without --exec
    // it asks for the program, as case `number` of `count`. Throws
    // SetupProblem for what is no verdict on the program: a port that
    // cannot be listened on, a command the shell cannot run, or, in the
    // first case, a program that neither connects nor says a word.
    std::string open(std::size_t number, std::size_t count);

    const sim::Bytes& first() const { return first_; }
    bool introduced() const;  // the first record is an introduction
    const insim::IS_ISI& introduction() const { return isi_; }
    // The protocol version served to the program, and its size unit.
    int version() const { return version_; }
    std::size_t unit() const { return unit_; }
    bool wants_reports() const;
    // Answers the introduction with the version record, as the simulator:
    // the version in use, in that version's unit.
    void answer_introduction();

    // Records of the session's version: a keep-alive, a report of one car
    // (the next position on the lap), and one interval's reports of `cars`.
    sim::Bytes keepalive() const;
    sim::Bytes one_car_report();
    std::vector<sim::Bytes> interval_reports(std::size_t cars);

    // Sends `bytes`, in pieces of `chunk` bytes `pause` apart (0: at once).
    // When its first keep-alive went (a moment marked in the log), or -1.
    double send(const sim::Bytes& bytes, std::size_t chunk = 0,
                milliseconds pause = milliseconds(0));
    // The next record from the program, within `timeout`. A size byte of 0
    // comes as a record of that one byte; nothing after it is a record.
    std::optional<Exchanged> next(milliseconds timeout);
    // Watches the program for `time`, sending nothing; keep-alives it sends
    // count as its own. The number of records it sent.
    std::size_t watch(milliseconds time);
    // Watches a second, so that the rate of the program's own keep-alives
    // is known before a probe.
    void watch_quietly();
    // Plays the simulator for `time`: a keep-alive every second, and, to a
    // program that asks for them, reports of `cars` cars every 100 ms.
    // Without keep-alives, those the program sends count as its own.
    Played play(milliseconds time, std::size_t cars, bool reports = true, bool keepalives = true);
    // Sends what `before` gives and keep-alives after it, in pieces of
    // `chunk` bytes 2 ms apart (0: in one piece), and waits within the idle
    // limit for one keep-alive back for each sent, those among the records
    // of `before` too; its own count with them, less as many as a steady
    // rhythm at one fewer than were watched surely brings. It sends as many
    // keep-alives as the program's own, at one more than were watched,
    // could make up only by a chance of one in ten thousand: answers are
    // told from keep-alives of its own whatever their rhythm.
    Answers probe(const std::function<sim::Bytes()>& before, std::size_t chunk = 0);
    // A probe of keep-alives alone, each sent apart, so that each comes to
    // the program as a read of its own.
    Answers probe_alone();
    // Closes the connection, as the simulator does when it quits.
    void close();
    // Ends the session: a record left unfinished is judged, the
    // connection closed and the program ended. Called again, it does
    // nothing.
    void end_session();

    // Whether the program ended, closed the connection or stopped taking
    // records before the simulator closed it; when, and in words.
    bool cut_short() const { return lost_ms_ >= 0; }
    double cut_ms() const { return lost_ms_; }
    std::string cut_text() const;

    engine::ProgramProcess* program() { return program_.get(); }
    double ms() const;
    const ExchangeLog& log() const { return log_; }
    const RecordFindings& findings() const { return findings_; }
    const RecordFindings* earlier() const { return earlier_; }
    // What the program wrote during the case, as kept for the report.
    std::string output() const;

  private:
    Answers send_probe(const std::function<sim::Bytes()>& before, std::size_t chunk,
                       milliseconds pause);
    std::optional<Exchanged> take_record();
    // The keep-alives among the records of `bytes`.
    int keepalives_in(const sim::Bytes& bytes) const;
    void received(const Exchanged& record);
    void note_lost(const char* how);
    void program_said(const std::string& line);

    const Options& options_;
    const Case& case_;
    const RecordFindings* earlier_;
    std::unique_ptr<sim::SimPeer> peer_;
    std::unique_ptr<engine::ProgramProcess> program_;
    std::chrono::steady_clock::time_point start_;
    framing::RecordSplitter splitter_ = framing::RecordSplitter::of_program();
    double held_since_ms_ = -1;  // when the bytes of an unfinished record began to wait
    bool zero_told_ = false;     // the size of 0 was handed out
    sim::Bytes first_;
    insim::IS_ISI isi_{};
    int version_;
    std::size_t unit_ = framing::kByteUnits;
    ExchangeLog log_;
    RecordFindings findings_;
    std::size_t step_ = 0;  // of the lap, for the reports' positions
    int keepalives_sent_ = 0;
    int reports_sent_ = 0;
    struct {
        int keepalives = 0;
        double ms = 0;
    } own_;  // the program's own keep-alives, in the time watched
    double lost_ms_ = -1;
    std::string lost_how_;
    int keepalives_before_loss_ = 0;
    int reports_before_loss_ = 0;
    bool closed_ = false;  // by the simulator
    bool ended_ = false;   // the session
    mutable std::mutex output_mutex_;
    std::string output_;
    std::size_t output_dropped_ = 0;
};

}  // namespace insim_check
