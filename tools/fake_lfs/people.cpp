#include "tools/fake_lfs/people.h"

#include <iostream>

#include "tools/fake_lfs/session_records.h"
#include "tools/protocol/record_fields.h"
#include "tools/protocol/record_text.h"

namespace fake_lfs {
namespace {

using engine::Clock;

constexpr std::size_t kWordUnits = 4;

std::string button_of(const LapProgram& program, uint8_t click_id) {
    return program.mark() + "'s button " + std::to_string(click_id);
}

}  // namespace

People::People(asio::io_context& io, std::vector<ScriptEvent> events, Stage stage)
    : events_(std::move(events)), stage_(std::move(stage)), timer_(io) {
    std::stable_sort(events_.begin(), events_.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.at < b.at; });
}

void People::start() {
    if (started_) {
        return;
    }
    started_ = true;
    start_ = Clock::now();
    wait();
}

void People::wait() {
    if (next_ == events_.size()) {
        return;
    }
    timer_.expires_at(start_ + events_[next_].at);
    timer_.async_wait([this](std::error_code error) {
        if (error) {
            return;
        }
        const auto now = Clock::now();
        while (next_ < events_.size() && start_ + events_[next_].at <= now) {
            play(events_[next_++]);
        }
        wait();
    });
}

void People::tell_all(const std::vector<sim::Bytes>& records) {
    for (LapProgram* program : stage_.programs()) {
        program->tell(records);
    }
}

void People::refuse(const ScriptEvent& event, const std::string& why) {
    std::cerr << "fake_lfs: at " << event.at.count() << " ms, " << event.said << ": " << why
              << std::endl;
}

const UserConnection* People::who(const ScriptEvent& event) {
    const UserConnection* found = event.name.empty() ? stage_.session.connection(0)
                                                     : stage_.session.connection_named(event.name);
    if (found == nullptr) {
        refuse(event, "no connection is called " + event.name + "; nothing sent");
    }
    return found;
}

void People::play(const ScriptEvent& event) {
    std::cout << "event at " << event.at.count() << " ms: " << event.said << std::endl;
    // What happened is told after what the race did before it.
    stage_.race.due(Clock::now());
    Session& session = stage_.session;
    std::vector<sim::Bytes> told;
    switch (event.verb) {
        case Verb::kConnect:
            if (session.connection_named(event.name) != nullptr) {
                return refuse(event, "a connection is called so already; nothing sent");
            }
            [[fallthrough]];
        case Verb::kJoin: {
            const UserConnection* guest = session.connection_named(event.name);
            if (guest == nullptr) {
                guest = session.connect(event.name);
                if (guest == nullptr) {
                    return refuse(event, "the host is full; nothing sent");
                }
                told.push_back(connection_record(session, *guest));
            }
            if (event.verb == Verb::kJoin) {
                const Player* player = session.join(guest->ucid);
                if (player == nullptr) {
                    return refuse(event, "its player is in the race already; nothing sent");
                }
                told.push_back(player_record(session, *player));
            }
            break;
        }
        case Verb::kSpectate:
        case Verb::kLeave: {
            const UserConnection* guest = who(event);
            if (guest == nullptr) {
                return;
            }
            const uint8_t ucid = guest->ucid;
            if (ucid == 0 && event.verb == Verb::kLeave) {
                return refuse(event, "the host does not leave its own race; nothing sent");
            }
            if (const Player* player = session.player_of(ucid)) {
                const uint8_t plid = player->plid;
                stage_.race.left(*player);
                session.spectate(plid);
                told.push_back(player_left_record(plid));
            } else if (event.verb == Verb::kSpectate) {
                return refuse(event, "it has no player in the race; nothing sent");
            }
            if (event.verb == Verb::kLeave) {
                session.leave(ucid);
                told.push_back(connection_left_record(session, ucid));
            }
            break;
        }
        case Verb::kChat:
            if (const UserConnection* from = who(event)) {
                chat(event, *from);
            }
            return;
        case Verb::kClear:
        case Verb::kRequest:
        case Verb::kClick:
        case Verb::kType:
            if (const UserConnection* by = who(event)) {
                press(event, *by);
            }
            return;
        case Verb::kSend:
            send(event);
            return;
    }
    told.push_back(state_record(session));
    tell_all(told);
}

// A line that starts with a program's prefix goes to that program alone,
// and is shown to no one (5.6).
void People::chat(const ScriptEvent& event, const UserConnection& from) {
    const Player* player = stage_.session.player_of(from.ucid);
    const uint8_t plid = player != nullptr ? player->plid : 0;
    bool hidden = false;
    for (LapProgram* program : stage_.programs()) {
        if (program->prefix() != 0 && !event.text.empty() &&
            event.text.front() == program->prefix()) {
            program->tell({chat_record(from, plid, "MSO_PREFIX", event.text)});
            hidden = true;
        }
    }
    if (!hidden) {
        tell_all({chat_record(from, plid, "MSO_USER", event.text)});
    }
}

void People::press(const ScriptEvent& event, const UserConnection& by) {
    const uint8_t ucid = by.ucid;
    const std::string user = by.pname;
    bool found = false;
    for (LapProgram* program : stage_.programs()) {
        if (event.verb == Verb::kRequest) {
            program->tell({buttons_record("BFN_REQUEST", ucid)});
            found = true;
            continue;
        }
        if (event.verb == Verb::kClear) {
            if (program->buttons().clear_for(ucid)) {
                program->tell({buttons_record("BFN_USER_CLEAR", ucid)});
                found = true;
            }
            continue;
        }
        const Button* button = program->buttons().shown_to(ucid, event.click_id);
        if (button == nullptr) {
            continue;
        }
        found = true;
        const uint32_t clickable = records::value_named("IS_BTN", "BStyle", "ISB_CLICK");
        if ((button->style & clickable) == 0) {
            refuse(event, button_of(*program, event.click_id) +
                              " is not clickable (no ISB_CLICK): nothing sent to it");
        } else if (event.verb == Verb::kClick && button->type_in != 0) {
            refuse(event, "a click on " + button_of(*program, event.click_id) +
                              " opens its text entry (TypeIn " + std::to_string(button->type_in) +
                              "), which sends no IS_BTC: type into it instead; nothing sent");
        } else if (event.verb == Verb::kType && button->type_in == 0) {
            refuse(event, button_of(*program, event.click_id) +
                              " takes no text (TypeIn 0): nothing sent to it");
        } else if (event.verb == Verb::kClick) {
            program->tell({click_record(button->reqi, ucid, event.click_id, button->inst)});
        } else {
            program->tell({typed_record(button->reqi, ucid, event.click_id, button->inst,
                                        button->type_in, event.text)});
        }
    }
    if (found) {
        return;
    }
    if (event.verb == Verb::kRequest) {
        refuse(event, "no program is connected; nothing sent");
    } else if (event.verb == Verb::kClear) {
        refuse(event, "no program shows buttons to " + user + "; nothing sent");
    } else {
        refuse(event, "no program shows button " + std::to_string(event.click_id) + " to " + user +
                          " (it made none, or deleted it); nothing sent");
    }
}

void People::send(const ScriptEvent& event) {
    std::string error;
    const std::optional<sim::Bytes> record = records::record_of(event.text, kWordUnits, error);
    if (!record) {
        return refuse(event, error);
    }
    for (LapProgram* program : stage_.programs()) {
        if (record->size() > sim::longest_record(program->served_version())) {
            refuse(event, std::to_string(record->size()) +
                              " bytes are more than protocol version " +
                              std::to_string(program->served_version()) + " holds: not sent to " +
                              program->mark());
        } else {
            program->tell({*record});
        }
    }
}

}  // namespace fake_lfs
