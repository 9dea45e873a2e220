#include "tools/insim_check/record_rules.h"

#include <utility>

#include "insim/records.h"
#include "tools/insim_check/exchange_log.h"
#include "tools/simulator/client_records.h"

namespace insim_check {
namespace {

// The rule a limit that sim::broken_limits names falls under, by the field
// its text starts with; any other limit is one of the record's size.
RecordRule rule_of(const std::string& broken) {
    const std::pair<const char*, RecordRule> fields[] = {
        {"ReqI", RecordRule::kButtonReqI},    {"ClickID", RecordRule::kButtonClickId},
        {"L ", RecordRule::kButtonPlace},     {"T ", RecordRule::kButtonPlace},
        {"W ", RecordRule::kButtonPlace},     {"H ", RecordRule::kButtonPlace},
        {"text of", RecordRule::kButtonText},
    };
    for (const auto& [field, rule] : fields) {
        if (broken.rfind(field, 0) == 0) {
            return rule;
        }
    }
    return RecordRule::kSize;
}

}  // namespace

void RecordFindings::judge(const Exchanged& record, std::size_t unit, const char* case_id,
                           ExchangeLog& log) {
    ++records_;
    if (record.record.size() > 1 && record.record[1] == insim::ISP_BTN) {
        ++buttons_;
    }
    for (const std::string& broken : sim::broken_limits(record.record, unit)) {
        std::optional<Breach>& first = first_[static_cast<std::size_t>(rule_of(broken))];
        if (!first) {
            first = Breach{broken, record.record, case_id, record.ms, {}};
            log.mark(record.ms);
        }
    }
}

void RecordFindings::add_size_breach(Breach breach) {
    std::optional<Breach>& first = first_[static_cast<std::size_t>(RecordRule::kSize)];
    if (!first) {
        first = std::move(breach);
    }
}

void RecordFindings::take_excerpts(const ExchangeLog& log) {
    for (std::optional<Breach>& breach : first_) {
        if (breach && breach->excerpt.empty()) {
            breach->excerpt = log.around(breach->ms);
        }
    }
}

void RecordFindings::merge(const RecordFindings& other) {
    for (std::size_t rule = 0; rule < kRecordRules; ++rule) {
        if (!first_[rule] && other.first_[rule]) {
            first_[rule] = other.first_[rule];
        }
    }
    records_ += other.records_;
    buttons_ += other.buttons_;
    sessions_ += other.sessions_;
}

}  // namespace insim_check
