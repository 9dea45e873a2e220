// What the stand-in makes of the records a client sends: the lines it prints for
// them, and the limits within which the simulator shows or accepts them,
// checked as the simulator would.
#pragma once

#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "insim/records.h"
#include "tools/protocol/sim_records.h"

namespace sim {

// The simulator's limits that `record`, sent by a client and framed in the
// session's `unit` (bytes that one step of its size byte counts), breaks:
// each as the field, its value and the limit ("ClickID 240, over 239"), a
// length that is not its type's ("Size 8 bytes, where IS_TINY has 4
// bytes", with a word on a size byte that counts bytes where the session
// counts 4-byte units), or a text followed by bytes other than 0 (told as
// of the size, since a size byte that counts bytes where the session counts
// 4-byte units takes the next records in as text). Empty when the simulator
// would take the record.
std::vector<std::string> broken_limits(const Bytes& record, std::size_t unit = 1);

// Whether an introduction asks for car reports.
bool wants_reports(const insim::IS_ISI& isi);

// The line printed for an introduction: what the client asks for, and the
// protocol version a simulator of `simulator_version` serves it.
std::string introduction_line(const insim::IS_ISI& isi, int simulator_version = kSimulatorVersion);

class ClientRecords {
  public:
    ClientRecords(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    // The session's unit, bytes that one step of a size byte counts.
    void set_unit(std::size_t unit) { unit_ = unit; }

    // Remembers the first car of a car report sent to the client, so that
    // the button that answers it shows where that car was.
    void report_sent(const Bytes& report);

    // Whether a button has answered every report sent.
    bool answered_every_report() const { return unanswered_.empty(); }

    enum class Seen { kRecord, kKeepAliveAnswer, kCloseRequest };

    // Prints `record`: an introduction, a button with its text and where the
    // first car of the report it answers was, a close request, or any other
    // record read out ("record IS_SMALL SubT=SMALL_NLI UVal=100"); keep-alive
    // answers print nothing. A record outside the simulator's limits also
    // gets one line on `err`, naming its type.
    Seen show(const Bytes& record);

  private:
    std::ostream& out_;
    std::ostream& err_;
    std::size_t unit_ = 1;
    // First cars of the reports not yet answered, oldest first.
    std::deque<CarPosition> unanswered_;
    CarPosition last_answered_{0, 0};
};

}  // namespace sim
