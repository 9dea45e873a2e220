// A program's requests, answered as the simulator documents them (2.2,
// 1.7): each answer record carries the request's ReqI. The requests the
// stand-in answers (kAnswered) are told from those it does not, which get
// a word rather than silence.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/engine/link.h"
#include "tools/fake_lfs/race.h"
#include "tools/fake_lfs/race_events.h"
#include "tools/fake_lfs/session.h"

namespace fake_lfs {

// The requests answered, with what answers each, as --help lists them.
struct AnsweredRequest {
    std::string_view request;  // "TINY_NCN"
    std::string_view answer;   // "one IS_NCN per connection"
};
extern const std::vector<AnsweredRequest> kAnswered;

// What a request's answer is made of.
struct RequestContext {
    const Options& options;
    const Session& session;
    const Race& race;
    const RaceEvents& events;
    engine::Clock::time_point now;
    int version;  // the protocol version served to the program
};

struct Answer {
    std::vector<sim::Bytes> records;  // none for a request the stand-in does not answer
    std::string note;                 // a line for standard error, if any
};

// The answer to `record`, a whole record from a program, if it is a
// request: the records, or a note that the stand-in does not answer it.
// Nothing for a record that asks for no answer.
std::optional<Answer> answer(const sim::Bytes& record, const RequestContext& context);

}  // namespace fake_lfs
