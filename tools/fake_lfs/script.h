// Things people do in fake_lfs's session, at chosen times: the events of
// --at TIME EVENT and of a script file, read and checked before fake_lfs
// listens. A time counts from the first program's introduction: 5s, 1.5s,
// 250ms, 2m. An event is a verb and its words; a word with spaces is
// written in double quotes ("Driver 1"), with \" and \\ inside:
//
//   connect NAME               a guest connects (IS_NCN)
//   join NAME                  NAME's player joins the race, its guest
//                              connecting first if it is new (IS_NCN, IS_NPL)
//   spectate NAME              NAME's player leaves the race (IS_PLL)
//   leave NAME                 NAME leaves the host (IS_PLL, IS_CNL)
//   chat NAME TEXT...          a chat line (IS_MSO)
//   clear [by NAME]            the user clears the programs' buttons
//                              (IS_BFN BFN_USER_CLEAR)
//   request [by NAME]          the user asks for buttons (IS_BFN BFN_REQUEST)
//   click CLICKID [by NAME]    a click on a program's button (IS_BTC)
//   type CLICKID TEXT [by NAME]  text typed into a program's button (IS_BTT)
//   send RECORD                any record, written as records are in
//                              captures ("IS_TINY SubT=TINY_VTC")
//
// NAME is a connection's user name or nickname; without "by NAME" the user
// is the host's (UCID 0). A script file says "# fake_lfs script 1" on its
// first line, then an event a line after its time ("5s join Alice"); lines
// that start with # and empty lines are passed over.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fake_lfs {

// The first line of a script file.
constexpr std::string_view kScriptFirstLine = "# fake_lfs script 1";
// The latest time an event may have.
constexpr std::chrono::hours kLatestEvent(24);

enum class Verb {
    kConnect,
    kJoin,
    kSpectate,
    kLeave,
    kChat,
    kClear,
    kRequest,
    kClick,
    kType,
    kSend
};

struct ScriptEvent {
    std::chrono::milliseconds at;
    std::string said;  // the event as written, for the lines about it
    Verb verb;
    std::string name;  // the person; empty for the host's user
    std::string text;  // the chat line, the text typed, or the record's line
    uint8_t click_id = 0;
};

// The event of `time` and `event`; nothing, with `error` set to what is
// wrong, for words that make none.
std::optional<ScriptEvent> read_event(std::string_view time, std::string_view event,
                                      std::string& error);

// The events of script file `path`, in the file's order; nothing, with
// `error` set to "PATH:LINE: what is wrong" (or why it cannot be read).
std::optional<std::vector<ScriptEvent>> read_script(const std::string& path, std::string& error);

}  // namespace fake_lfs
