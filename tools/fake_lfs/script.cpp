#include "tools/fake_lfs/script.h"

#include <charconv>
#include <fstream>
#include <utility>

#include "tools/fake_lfs/session.h"
#include "tools/protocol/record_text.h"

namespace fake_lfs {
namespace {

constexpr int kLastClickId = 239;
// The longest chat line a record holds, and the most characters typed.
constexpr std::size_t kLongestChat = 127;
constexpr std::size_t kMostTyped = 95;
constexpr std::size_t kWordUnits = 4;

struct VerbName {
    std::string_view name;
    Verb verb;
};
constexpr VerbName kVerbs[] = {
    {"connect", Verb::kConnect}, {"join", Verb::kJoin},   {"spectate", Verb::kSpectate},
    {"leave", Verb::kLeave},     {"chat", Verb::kChat},   {"clear", Verb::kClear},
    {"request", Verb::kRequest}, {"click", Verb::kClick}, {"type", Verb::kType},
    {"send", Verb::kSend},
};

std::optional<std::chrono::milliseconds> time_of(std::string_view text, std::string& error) {
    double value = 0;
    const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
    const std::string_view unit(end, static_cast<std::size_t>(text.data() + text.size() - end));
    const double scale = unit == "ms" ? 1 : unit == "s" ? 1000 : unit == "m" ? 60000 : -1;
    const double ms = value * scale;
    if (problem != std::errc() || scale < 0 || !(ms >= 0) ||
        ms > static_cast<double>(std::chrono::milliseconds(kLatestEvent).count())) {
        error = "'" + std::string(text) +
                "' is not a time: a number and ms, s or m (such as 250ms, 5s, 1.5s, 2m), up to " +
                std::to_string(kLatestEvent.count()) + " hours";
        return std::nullopt;
    }
    return std::chrono::milliseconds(static_cast<long long>(ms));
}

// The words of `text`: runs without spaces, or in double quotes with \"
// and \\ inside. Nothing, with `error`, for a quote left open.
std::optional<std::vector<std::string>> words_of(std::string_view text, std::string& error) {
    std::vector<std::string> words;
    for (std::size_t at = 0; at < text.size();) {
        if (text[at] == ' ' || text[at] == '\t') {
            ++at;
            continue;
        }
        std::string word;
        if (text[at] != '"') {
            while (at < text.size() && text[at] != ' ' && text[at] != '\t') {
                word += text[at++];
            }
        } else {
            for (++at;; ++at) {
                if (at >= text.size()) {
                    error = "a quote is not closed";
                    return std::nullopt;
                }
                if (text[at] == '"') {
                    ++at;
                    break;
                }
                if (text[at] == '\\' && at + 1 < text.size() &&
                    (text[at + 1] == '"' || text[at + 1] == '\\')) {
                    ++at;
                }
                word += text[at];
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

bool name_fits(const std::string& name, std::string& error) {
    if (name.empty() || name.size() > kLongestName) {
        error =
            "a name has 1 to " + std::to_string(kLongestName) + " characters, not '" + name + "'";
        return false;
    }
    return true;
}

bool click_id_of(const std::string& word, uint8_t& click_id, std::string& error) {
    int value = -1;
    const auto [end, problem] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (problem != std::errc() || end != word.data() + word.size() || value < 0 ||
        value > kLastClickId) {
        error =
            "a button's ClickID is 0 to " + std::to_string(kLastClickId) + ", not '" + word + "'";
        return false;
    }
    click_id = static_cast<uint8_t>(value);
    return true;
}

// Takes "by NAME" from the end of `words`, if it is there.
bool take_user(std::vector<std::string>& words, ScriptEvent& event, std::string& error) {
    if (words.size() >= 2 && words[words.size() - 2] == "by") {
        event.name = words.back();
        words.resize(words.size() - 2);
        return name_fits(event.name, error);
    }
    return true;
}

std::string usage_of(Verb verb) {
    switch (verb) {
        case Verb::kConnect:
        case Verb::kJoin:
        case Verb::kSpectate:
        case Verb::kLeave:
            return "NAME";
        case Verb::kChat:
            return "NAME TEXT";
        case Verb::kClear:
        case Verb::kRequest:
            return "[by NAME]";
        case Verb::kClick:
            return "CLICKID [by NAME]";
        case Verb::kType:
            return "CLICKID TEXT [by NAME]";
        case Verb::kSend:
            return "RECORD";
    }
    return "";
}

// The event's own words, after its verb, into `event`.
bool read_words(Verb verb, std::vector<std::string> words, std::string_view rest,
                ScriptEvent& event, std::string& error) {
    const auto count_is = [&](std::size_t count) {
        if (words.size() == count) {
            return true;
        }
        error = "takes " + usage_of(verb) + " (a word with spaces goes in double quotes)";
        return false;
    };
    switch (verb) {
        case Verb::kConnect:
        case Verb::kJoin:
        case Verb::kSpectate:
        case Verb::kLeave:
            if (!count_is(1)) {
                return false;
            }
            event.name = words[0];
            return name_fits(event.name, error);
        case Verb::kChat:
            if (words.size() < 2) {
                return count_is(2);
            }
            event.name = words[0];
            for (std::size_t i = 1; i < words.size(); ++i) {
                event.text += (i > 1 ? " " : "") + words[i];
            }
            if (event.text.size() > kLongestChat) {
                error = "a chat line has at most " + std::to_string(kLongestChat) + " characters";
                return false;
            }
            return name_fits(event.name, error);
        case Verb::kClear:
        case Verb::kRequest:
            return take_user(words, event, error) && count_is(0);
        case Verb::kClick:
            return take_user(words, event, error) && count_is(1) &&
                   click_id_of(words[0], event.click_id, error);
        case Verb::kType:
            if (!take_user(words, event, error) || !count_is(2) ||
                !click_id_of(words[0], event.click_id, error)) {
                return false;
            }
            event.text = words[1];
            if (event.text.size() > kMostTyped) {
                error = "typed text has at most " + std::to_string(kMostTyped) + " characters";
                return false;
            }
            return true;
        case Verb::kSend: {
            event.text = std::string(rest);
            std::string problem;
            if (!records::record_of(event.text, kWordUnits, problem)) {
                error = "no record in '" + event.text + "': " + problem;
                return false;
            }
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<ScriptEvent> read_event(std::string_view time, std::string_view text,
                                      std::string& error) {
    const std::optional<std::chrono::milliseconds> at = time_of(time, error);
    if (!at) {
        return std::nullopt;
    }
    ScriptEvent event{*at, std::string(text), Verb::kConnect, "", "", 0};
    const std::size_t start = text.find_first_not_of(" \t");
    const std::size_t end = text.find_first_of(" \t", start);
    const std::string_view verb =
        start == std::string_view::npos ? "" : text.substr(start, end - start);
    const std::size_t rest_at =
        end == std::string_view::npos ? end : text.find_first_not_of(" \t", end);
    const std::string_view rest = rest_at == std::string_view::npos ? "" : text.substr(rest_at);
    const VerbName* known = nullptr;
    for (const VerbName& name : kVerbs) {
        known = name.name == verb ? &name : known;
    }
    if (known == nullptr) {
        error = "'" + std::string(text) +
                "' is no event: one of connect, join, spectate, leave, chat, clear, request, "
                "click, type or send comes first";
        return std::nullopt;
    }
    event.verb = known->verb;
    std::optional<std::vector<std::string>> words;
    if (known->verb != Verb::kSend) {
        words = words_of(rest, error);
        if (!words) {
            error = std::string(verb) + ": " + error;
            return std::nullopt;
        }
    }
    if (!read_words(known->verb, words.value_or(std::vector<std::string>{}), rest, event, error)) {
        error = std::string(verb) + ": " + error;
        return std::nullopt;
    }
    return event;
}

std::optional<std::vector<ScriptEvent>> read_script(const std::string& path, std::string& error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "fake_lfs: cannot read the script " + path;
        return std::nullopt;
    }
    std::vector<ScriptEvent> events;
    std::size_t number = 0;
    for (std::string line; std::getline(file, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const auto fail = [&](const std::string& what) {
            error = path + ":" + std::to_string(number) + ": " + what;
            return std::nullopt;
        };
        if (number == 1) {
            if (line != kScriptFirstLine) {
                return fail("a script starts with the line '" + std::string(kScriptFirstLine) +
                            "'");
            }
            continue;
        }
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#') {
            continue;
        }
        const std::size_t end = line.find_first_of(" \t", start);
        if (end == std::string::npos) {
            return fail("a line holds a time and an event, such as '5s join Alice'");
        }
        std::string problem;
        auto event = read_event(std::string_view(line).substr(start, end - start),
                                std::string_view(line).substr(end + 1), problem);
        if (!event) {
            return fail(problem);
        }
        events.push_back(std::move(*event));
    }
    if (number == 0) {
        error = path + ":1: a script starts with the line '" + std::string(kScriptFirstLine) + "'";
        return std::nullopt;
    }
    return events;
}

}  // namespace fake_lfs
