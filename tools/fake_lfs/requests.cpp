#include "tools/fake_lfs/requests.h"

#include "tools/fake_lfs/car_reports.h"
#include "tools/fake_lfs/session_records.h"
#include "tools/protocol/catalogue.h"
#include "tools/protocol/record_fields.h"
#include "tools/simulator/lap_route.h"

namespace fake_lfs {
namespace {

// The cars the host allows (SMALL_ALC): those the drivers use, UF1, LX4 and
// LX6 in the protocol's car bits.
constexpr uint32_t kAllowedCars = 0x100 | 0x20 | 0x40;
constexpr uint32_t kHundredthsAMs = 10;
// What a request's meaning in the catalogue starts with.
constexpr std::string_view kRequestMeaning = "request";

using Records = std::vector<sim::Bytes>;

Records answer_tiny(std::string_view request, uint8_t reqi, const RequestContext& c) {
    const Session& session = c.session;
    Records records;
    if (request == "TINY_VER") {
        records.push_back(
            sim::version_record(c.options.version.c_str(), static_cast<uint16_t>(c.version), reqi));
    } else if (request == "TINY_PING") {
        records.push_back(tiny("TINY_REPLY", reqi));
    } else if (request == "TINY_SST") {
        records.push_back(state_record(session, reqi));
    } else if (request == "TINY_GTH") {
        records.push_back(small("SMALL_RTP", c.events.race_ms(c.now) / kHundredthsAMs, reqi));
    } else if (request == "TINY_ISM") {
        records.push_back(host_record(reqi));
    } else if (request == "TINY_NCN") {
        for (const UserConnection& connection : session.connections()) {
            records.push_back(connection_record(session, connection, reqi));
        }
    } else if (request == "TINY_NPL") {
        for (const Player& player : session.players()) {
            records.push_back(player_record(session, player, reqi));
        }
    } else if (request == "TINY_RST") {
        records.push_back(race_record(session, sim::lap_route().size(), reqi));
    } else if (request == "TINY_REO") {
        records.push_back(start_order_record(session, reqi));
    } else if (request == "TINY_MCI") {
        records = car_reports(session, c.race, c.now, c.version, reqi);
    } else if (request == "TINY_NLP") {
        if (sim::Bytes report = node_lap_report(session, c.race, c.now, reqi); !report.empty()) {
            records.push_back(std::move(report));
        }
    } else if (request == "TINY_RES") {
        const auto& results = session.results();
        for (std::size_t i = 0; i < results.size(); ++i) {
            records.push_back(result_record(results[i], i, results.size(), reqi));
        }
    } else if (request == "TINY_SLC") {
        for (const UserConnection& connection : session.connections()) {
            records.push_back(car_choice_record(connection, reqi));
        }
    } else if (request == "TINY_ALC") {
        records.push_back(small("SMALL_ALC", kAllowedCars, reqi));
    }
    return records;
}

bool answered(std::string_view request) {
    for (const AnsweredRequest& known : kAnswered) {
        if (known.request == request) {
            return true;
        }
    }
    return false;
}

// The name of the request that `record` makes, if it makes one: a TINY_ or
// TTC_ sub-type that the catalogue calls a request, or a replay or
// screenshot to be made, which the simulator answers once done.
std::optional<std::string> request_of(const sim::Bytes& record) {
    const catalogue::Record* type = catalogue::find(record[catalogue::kTypeAt]);
    if (type == nullptr || catalogue::misfit(*type, record)) {
        return std::nullopt;
    }
    if (type->name == "IS_RIP" || type->name == "IS_SSH") {
        return std::string(type->name);
    }
    if (type->name != "IS_TINY" && type->name != "IS_TTC") {
        return std::nullopt;
    }
    const catalogue::Field& subtype = type->fields.front();
    for (const catalogue::ValueName& name : subtype.values->names) {
        if (name.value == records::value_at(record, subtype.name) &&
            name.meaning.starts_with(kRequestMeaning)) {
            return std::string(name.name);
        }
    }
    return std::nullopt;
}

}  // namespace

const std::vector<AnsweredRequest> kAnswered = {
    {"TINY_VER", "IS_VER"},
    {"TINY_PING", "TINY_REPLY"},
    {"TINY_SST", "IS_STA"},
    {"TINY_GTH", "SMALL_RTP, hundredths of a second since the race started"},
    {"TINY_ISM", "IS_ISM"},
    {"TINY_NCN", "IS_NCN for each connection, the host's first"},
    {"TINY_NPL", "IS_NPL for each player in the race"},
    {"TINY_RST", "IS_RST"},
    {"TINY_REO", "IS_REO"},
    {"TINY_MCI", "the IS_MCI of the cars where they are"},
    {"TINY_NLP", "the IS_NLP of the cars where they are"},
    {"TINY_RES", "IS_RES for each result so far"},
    {"TINY_SLC", "IS_SLC for each connection"},
    {"TINY_ALC", "SMALL_ALC, the cars the drivers use"},
};

std::optional<Answer> answer(const sim::Bytes& record, const RequestContext& context) {
    const std::optional<std::string> request = request_of(record);
    if (!request) {
        return std::nullopt;
    }
    Answer answer;
    if (!answered(*request)) {
        answer.note = "fake_lfs: " + *request +
                      " is a request the stand-in does not answer (fake_lfs --help lists those "
                      "it does): no answer";
        return answer;
    }
    const auto reqi = static_cast<uint8_t>(records::value_at(record, "ReqI"));
    if (reqi == 0) {
        answer.note = "fake_lfs: " + *request +
                      " with ReqI 0, where a request needs one other than 0 (the "
                      "documentation does not say what the simulator does); answered with "
                      "ReqI 0";
    }
    answer.records = answer_tiny(*request, reqi, context);
    return answer;
}

}  // namespace fake_lfs
