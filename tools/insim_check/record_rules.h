// The rules on every record a program sends, as the simulator judges a
// record it receives (sim::broken_limits): its size, and the four limits
// of a button. Each session judges every record the program sends in it;
// the run gathers what its sessions found, so that a record rule's case
// judges them all.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "tools/insim_check/check.h"

namespace insim_check {

class ExchangeLog;

enum class RecordRule { kSize, kButtonReqI, kButtonClickId, kButtonPlace, kButtonText };
constexpr std::size_t kRecordRules = 5;

// The first record that broke a rule.
struct Breach {
    std::string what;  // the limit broken, as sim::broken_limits says it
    sim::Bytes record;
    const char* case_id;  // the case whose session it showed in
    double ms;            // in that session
    std::vector<Exchanged> excerpt;
};

class RecordFindings {
  public:
    // Judges `record`, which the program sent in case `case_id`'s session
    // whose size byte counts `unit` bytes, and marks a breach in `log`.
    void judge(const Exchanged& record, std::size_t unit, const char* case_id, ExchangeLog& log);
    // A breach that showed otherwise than in a whole record (one never
    // finished, say), under the size rule.
    void add_size_breach(Breach breach);
    // Takes the records around each breach of this session from its log.
    void take_excerpts(const ExchangeLog& log);
    // Adds another session's findings; the first breach of each rule stays.
    void merge(const RecordFindings& other);
    // Counts a session that was played.
    void count_session() { ++sessions_; }

    const std::optional<Breach>& first(RecordRule rule) const {
        return first_[static_cast<std::size_t>(rule)];
    }
    std::size_t records() const { return records_; }
    std::size_t buttons() const { return buttons_; }
    std::size_t sessions() const { return sessions_; }

  private:
    std::array<std::optional<Breach>, kRecordRules> first_;
    std::size_t records_ = 0;
    std::size_t buttons_ = 0;
    std::size_t sessions_ = 0;
};

}  // namespace insim_check
