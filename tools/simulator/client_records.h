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

// The protocol version the simulator serves a client whose introduction
// declares `declared` (byte 8): 1 to 8 as declared, and 0 as 6, which older
// programs send. Nothing for 9 and later, whose records the simulator sizes
// in units of 4 bytes with up to 16 cars a report; this stand-in does not
// build those.
std::optional<int> served_protocol(uint8_t declared);

// The simulator's limits that `record`, sent by a client and framed in the
// session's unit, breaks: each as the field, its value and the limit
// ("ClickID 240, over 239"). Empty when the simulator would take the record.
std::vector<std::string> broken_limits(const Bytes& record);

// Whether an introduction asks for car reports.
bool wants_reports(const insim::IS_ISI& isi);

// The line printed for an introduction: what the client asks for, and the
// protocol version served.
std::string introduction_line(const insim::IS_ISI& isi);

class ClientRecords {
  public:
    ClientRecords(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    // Remembers the first car of a car report sent to the client, so that
    // the button that answers it shows where that car was.
    void report_sent(const Bytes& report);

    // Whether a button has answered every report sent.
    bool answered_every_report() const { return unanswered_.empty(); }

    enum class Seen { kRecord, kKeepAliveAnswer, kCloseRequest };

    // Prints `record`: an introduction, a button with its text and where the
    // first car of the report it answers was, a close request, or any other
    // record by type and size; keep-alive answers print nothing. A record
    // outside the simulator's limits also gets one line on `err`.
    Seen show(const Bytes& record);

  private:
    std::ostream& out_;
    std::ostream& err_;
    // First cars of the reports not yet answered, oldest first.
    std::deque<CarPosition> unanswered_;
    CarPosition last_answered_{0, 0};
};

}  // namespace sim
