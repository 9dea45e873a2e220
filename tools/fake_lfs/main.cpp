// fake_lfs: a stand-in for the simulator's side of the client protocol.
//
// Listens on 127.0.0.1 and serves up to eight programs at once, each by its
// own introduction: the protocol version it declares, the version answer,
// keep-alives and the idle limit, the cars of one race of a session with
// people in it, driven round a scripted lap, at the interval it asked for,
// what happens in the race and what the script's people do, and answers to
// its requests; or plays back a capture to one program. Prints what each program asked for and
// every record it sends, read out, and says on standard error when a record is one the simulator
// would not take. With --print it serves nobody and prints a capture read out. This file reads the
// options and chooses the session.
#include <cmath>
#include <iostream>
#include <optional>
#include <string>

#include "tools/cli/command_line.h"
#include "tools/engine/loopback.h"
#include "tools/fake_lfs/fake_lfs.h"
#include "tools/fake_lfs/requests.h"
#include "tools/fake_lfs/script.h"

namespace {

using command_line::whole_number;
using fake_lfs::Options;

const char kFooterPrograms[] =
    "Up to 8 programs are served at once, each by its own introduction: the\n"
    "protocol version it declares (0 as 6; 1 to 8 as declared, record sizes in\n"
    "bytes, up to 8 cars a report; 9 and later as 9, or as --insim-version when\n"
    "that is lower, sizes in 4-byte units both ways, up to 16 cars a report),\n"
    "the version answer with the version in use, its flags, report interval,\n"
    "keep-alives and idle limit. A ninth program is turned away at once: its\n"
    "connection is closed before anything is read from it, with a line on\n"
    "standard error (the simulator's documentation does not say what it does).\n"
    "Once a second program has connected, each line about a program from then\n"
    "on is marked with its number and the name from its introduction.\n"
    "\n"
    "The session: the host (UCID 0, \"Host\", user name host) and, for each car,\n"
    "a guest and its player: car N is driven by \"Driver N\" (user name driverN,\n"
    "UCID N, PLID N) in a UF1, LX4 or LX6 in turn, on track FE2R, for --laps\n"
    "laps (0: practice, without end); the host is called \"fake_lfs race\".\n"
    "\n"
    "The race runs on one clock for all: it starts with the first program that\n"
    "asks for car reports (ISF_MCI or ISF_NLP, and an interval), or with\n"
    "--interval with the first program of any kind, and moves the cars one step\n"
    "along the lap (16 nodes, the line at node 15, splits at 3, 7 and 11) every\n"
    "report interval of that program (or --interval). Each program with car\n"
    "reports gets the cars where they are at its own interval: with ISF_MCI one\n"
    "IS_MCI per 8 cars (16 from version 9), back to back, the first car of the\n"
    "first flagged 64 and the last car of the last flagged 128; with ISF_NLP one\n"
    "IS_NLP of the first 40 cars. The race starts one interval before the first\n"
    "report, the first car on the line and each other behind it by its share of\n"
    "the lap. --laps N ends the race, and every connection, once the first car\n"
    "has driven N laps and every other has crossed the line after it, or once\n"
    "no program is left; with --laps 0 programs may come and go until fake_lfs\n"
    "is interrupted.\n"
    "\n"
    "What happens goes to every program as it happens, each in its own unit: at\n"
    "the race's start IS_NPL for each driver joining, IS_RST, IS_REO and IS_STA;\n"
    "IS_SPX at each split and IS_LAP at each lap, times in ms on the race's clock\n"
    "(a car's first lap counts from the start, as from a grid, so its laps add\n"
    "up to its elapsed time); IS_FIN and IS_STA at each car's finish; after the\n"
    "last report, IS_RES for each result, TINY_REN and IS_STA. A program that\n"
    "connects later is not sent what happened before: it asks (TINY_NPL,\n"
    "TINY_RST, TINY_REO ...), as with the simulator. IS_MCI keeps Node and Lap\n"
    "0; IS_NLP carries them.\n"
    "\n"
    "Requests answered, each answer with the request's ReqI (a request with\n"
    "ReqI 0 is answered too, with a line on standard error):\n";

const char kFooterEvents[] =
    "SMALL_NLI sets a program's report interval (0 stops its reports) and\n"
    "TINY_CLOSE closes its connection. Any other request (the other TINY_\n"
    "requests, IS_TTC, IS_RIP, IS_SSH) gets a line on standard error saying it\n"
    "is not answered.\n"
    "\n"
    "Things people do, at chosen times: --at TIME EVENT, as often as needed, and\n"
    "--script FILE, its first line \"# fake_lfs script 1\", then a TIME and an\n"
    "EVENT a line. TIME counts from the first program's introduction: 5s, 1.5s,\n"
    "250ms, 2m. NAME is a connection's user name or nickname (\"by NAME\"\n"
    "left out: the host's user); a word with spaces goes in double quotes.\n"
    "  connect NAME               a guest connects: IS_NCN, IS_STA\n"
    "  join NAME                  its player joins the race (a new guest connects\n"
    "                             first) and waits in the pits, parked by the\n"
    "                             line in the car reports: IS_NPL, IS_STA\n"
    "  spectate NAME              its player leaves the race: IS_PLL, IS_STA\n"
    "  leave NAME                 it leaves: IS_PLL, IS_CNL, IS_STA\n"
    "  chat NAME TEXT...          IS_MSO, \"NAME : TEXT\"; a text that starts with\n"
    "                             a program's prefix goes to that program alone\n"
    "  clear [by NAME]            the user clears the programs' buttons:\n"
    "                             IS_BFN BFN_USER_CLEAR to each that showed some\n"
    "  request [by NAME]          the user asks for buttons: IS_BFN BFN_REQUEST\n"
    "  click CLICKID [by NAME]    IS_BTC, a left click\n"
    "  type CLICKID TEXT [by NAME]  IS_BTT\n"
    "  send RECORD                any record, in each program's unit, written as\n"
    "                             records are in captures:\n"
    "                             send IS_TINY SubT=TINY_VTC\n"
    "A click or typing reaches only a button the program made (IS_BTN, ISB_CLICK,\n"
    "TypeIn for typing) for that user's connection (or 255, every one) and did\n"
    "not delete (IS_BFN BFN_DEL_BTN or BFN_CLEAR) or the user clear; a click on\n"
    "a button with TypeIn opens its text entry, which sends nothing. An event\n"
    "that cannot happen gets a line on standard error, and sends nothing. Each\n"
    "event played gets a line on standard output.\n"
    "\n"
    "The idle limit closes a program's connection, with status 1, when nothing\n"
    "at all has come from it for S seconds, whatever --keepalive is; only when\n"
    "the first keep-alive sent in that time went less than a second before the\n"
    "limit is its answer awaited to the end of that second, so a program that\n"
    "answers every keep-alive stays whatever the two settings. Also when the\n"
    "program has taken nothing sent to it for S seconds (70 with --idle-limit\n"
    "0).\n"
    "\n"
    "Buttons and records that the simulator would not show or accept, judged in\n"
    "the program's own size unit (a record size that is not a multiple of 4, or\n"
    "not one its type has; a button with ReqI 0, ClickID over 239, L, T, W or H\n"
    "over 200, or more than 240 bytes of text), and keep-alives left unanswered\n"
    "get a line on standard error; with --strict they also make the status 1.\n"
    "The status is 1 as well\n"
    "when a program's introduction is not one, it sends a record of size 0, it\n"
    "closes its connection without a close request, or the idle limit closes\n"
    "it.\n"
    "\n"
    "--version alone prints fake_lfs's own version; with TEXT it sets the version\n"
    "that the stand-in reports as the simulator's.\n"
    "\n"
    "Exit status: 0 when the laps, the garbage or the replay were played out, or\n"
    "after Ctrl+C; 1 when it cannot listen, no client came in time, or the\n"
    "session ended early (standard error says why), and with --expect when the\n"
    "client sent other records than the capture's; 2 for a usage error, a\n"
    "malformed capture or a malformed script.";

// The help's closing text, with the requests answered.
std::string footer() {
    std::string text = kFooterPrograms;
    for (const fake_lfs::AnsweredRequest& request : fake_lfs::kAnswered) {
        std::string name(request.request);
        name.resize(std::max<std::size_t>(name.size() + 2, 12), ' ');
        text += "  " + name + std::string(request.answer) + "\n";
    }
    return text + kFooterEvents;
}

CLI::Validator above_zero() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            char* end = nullptr;
            const double value = std::strtod(text.c_str(), &end);
            if (end == text.c_str() || *end != 0 || !(value > 0) || !std::isfinite(value)) {
                return "needs a number above 0, not '" + text + "'";
            }
            return "";
        },
        "");
}

CLI::Validator at_most_8_characters() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            return text.size() > 8 ? "takes at most 8 characters" : "";
        },
        "");
}

// The events of --at and --script, in that order; a usage error, or a
// script that is no script (status 2), ends fake_lfs.
std::vector<fake_lfs::ScriptEvent> events_of(const CLI::App& app, const Options& o) {
    std::vector<fake_lfs::ScriptEvent> events;
    for (std::size_t i = 0; i + 1 < o.at.size(); i += 2) {
        std::string error;
        auto event = fake_lfs::read_event(o.at[i], o.at[i + 1], error);
        if (!event) {
            command_line::usage_error(app, "--at " + o.at[i] + " '" + o.at[i + 1] + "': " + error);
        }
        events.push_back(std::move(*event));
    }
    if (!o.script.empty()) {
        std::string error;
        auto script = fake_lfs::read_script(o.script, error);
        if (!script) {
            std::cerr << error << "\n";
            std::exit(2);
        }
        events.insert(events.end(), script->begin(), script->end());
    }
    return events;
}

Options parse_options(int argc, char** argv, std::vector<fake_lfs::ScriptEvent>& events) {
    Options o;
    CLI::App app("Plays the simulator for up to 8 programs on 127.0.0.1.", "fake_lfs");
    command_line::prepare(app);
    app.footer(footer());
    app.add_option("--port", o.port, "port to listen on; 0 picks a free one")
        ->type_name("PORT")
        ->check(command_line::port(true))
        ->capture_default_str();
    app.add_option("--accept-timeout", o.accept_timeout_s, "seconds to wait for a first program")
        ->type_name("S")
        ->check(whole_number(1, 86400))
        ->capture_default_str();
    app.add_option("--ready-file", o.ready_file, "once listening, write the port into PATH")
        ->type_name("PATH");

    // Options that shape the laps, which a replay has no use for.
    CLI::Option_group* lap = app.add_option_group("Laps");
    lap->add_option("--laps", o.laps, "laps to drive before closing; 0: until interrupted (below)")
        ->type_name("N")
        ->check(whole_number(0, 1000000))
        ->capture_default_str();
    lap->add_option("--cars", o.cars, "cars on the track, 1 to 48")
        ->type_name("N")
        ->check(whole_number(1, fake_lfs::kMaxCars))
        ->capture_default_str();
    lap->add_option("--interval", o.interval_ms,
                    "milliseconds between car reports, instead of each program's")
        ->type_name("MS")
        ->check(whole_number(1, 60000));
    lap->add_option("--keepalive", o.keepalive_ms,
                    "milliseconds between keep-alives; an unanswered one is noted")
        ->type_name("MS")
        ->check(whole_number(1, 600000))
        ->capture_default_str();
    lap->add_option("--idle-limit", o.idle_limit_s, "the idle limit (below); 0: none")
        ->type_name("S")
        ->check(whole_number(0, 86400))
        ->capture_default_str();
    CLI::Option* version =
        lap->add_option("--version", o.version,
                        "version text to report, at most 8 characters (default 0.7F)")
            ->type_name("[TEXT]")
            ->expected(0, 1)
            ->check(at_most_8_characters());
    lap->add_option("--insim-version", o.insim_version,
                    "the simulator's protocol version: a program that declares more is served this")
        ->type_name("N")
        ->check(whole_number(0, 65535))
        ->capture_default_str();
    lap->add_option("--hostile", o.hostile,
                    "instead of driving, send N records of garbage in random pieces, then close")
        ->type_name("N")
        ->check(whole_number(1, 100000000));
    lap->add_option("--seed", o.seed, "seed of the garbage")
        ->type_name("N")
        ->check(whole_number(0, 4294967295LL))
        ->capture_default_str();
    lap->add_option("--at", o.at, "at TIME, EVENT happens (below); as often as needed")
        ->type_name("TIME EVENT")
        ->type_size(2)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    lap->add_option("--script", o.script, "the events of FILE happen (below)")->type_name("FILE");
    lap->add_flag("--strict", o.strict,
                  "a record the simulator would not accept or show, or an unanswered keep-alive, "
                  "makes the status 1");

    CLI::Option* replay =
        app.add_option("--replay", o.replay,
                       "instead of driving, play the simulator's records of a capture at their "
                       "captured times, then close")
            ->type_name("FILE");
    CLI::Option_group* replaying = app.add_option_group("Replay");
    replaying->add_option("--speed", o.speed, "with --replay, play X times faster")
        ->type_name("X")
        ->check(above_zero())
        ->capture_default_str();
    replaying->add_flag("--expect", o.expect,
                        "with --replay, the client must send the capture's records; the first "
                        "difference prints FILE:LINE: expected <record>, came <record>, naming "
                        "the fields that differ (status 1)");
    CLI::Option* print =
        app.add_option("--print", o.print,
                       "instead of serving a client, print the capture FILE (of any format) "
                       "record by record, by name, as a capture of today's format")
            ->type_name("FILE");

    command_line::parse(app, argc, argv);
    if (print->count() > 0) {
        for (const CLI::Option* option : app.get_options()) {
            if (option != print && option->count() > 0) {
                command_line::usage_error(app, option->get_name() + " does not fit --print");
            }
        }
        for (const CLI::App* group : {lap, replaying}) {
            if (group->count_all() > 0) {
                command_line::usage_error(app, "--print goes alone");
            }
        }
    }
    if (o.hostile > 0 && (!o.at.empty() || !o.script.empty())) {
        command_line::usage_error(app,
                                  "--at and --script do not fit --hostile, which sends "
                                  "garbage instead of a session");
    }
    if (version->count() > 0 && version->results().front().empty()) {
        std::cout << "fake_lfs " << command_line::kProjectVersion << "\n";
        std::exit(0);
    }
    if (replay->count() > 0) {
        for (const CLI::Option* option : lap->get_options()) {
            if (option->count() > 0) {
                command_line::usage_error(app, option->get_name() +
                                                   " does not fit --replay, which plays the "
                                                   "capture's records");
            }
        }
    } else {
        for (const CLI::Option* option : replaying->get_options()) {
            if (option->count() > 0) {
                command_line::usage_error(app,
                                          option->get_name() + " goes only with --replay FILE");
            }
        }
    }
    events = events_of(app, o);
    return o;
}

// A capture is read whole before listening: a malformed one never meets a
// client. Times that --speed stretches beyond what a replay can wait for
// are refused with it.
std::optional<capture::Capture> read_replay(const Options& options) {
    std::string error;
    std::optional<capture::Capture> replay = capture::read_capture(options.replay, error);
    if (!replay) {
        std::cerr << error << "\n";
        std::exit(2);
    }
    const double last = replay->entries.empty() ? 0 : replay->entries.back().ms / options.speed;
    if (!(last <= static_cast<double>(capture::kLongestMs))) {
        std::cerr << "fake_lfs: --speed " << options.speed << " makes the capture's last time, "
                  << replay->entries.back().ms << " ms, longer than a replay can wait for ("
                  << capture::kLongestMs << " ms)\nTry 'fake_lfs --help'.\n";
        std::exit(2);
    }
    return replay;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<fake_lfs::ScriptEvent> script;
    const Options options = parse_options(argc, argv, script);
    if (!options.print.empty()) {
        std::string error;
        const std::optional<capture::Capture> read = capture::read_capture(options.print, error);
        if (!read) {
            std::cerr << error << "\n";
            return 2;
        }
        capture::print(*read, std::cout);
        std::cout.flush();
        return std::cout ? 0 : 1;
    }
    std::optional<capture::Capture> replay;
    if (!options.replay.empty()) {
        replay = read_replay(options);
    }
    asio::io_context io(1);
    std::error_code error;
    asio::ip::tcp::acceptor acceptor = engine::listen_on_loopback(io, options.port, error);
    if (error) {
        std::cerr << "fake_lfs: cannot listen on 127.0.0.1:" << options.port << ": "
                  << error.message() << "\n";
        return 1;
    }
    const uint16_t port = acceptor.local_endpoint().port();
    std::cout << "fake_lfs listening on 127.0.0.1:" << port << std::endl;
    const fake_lfs::Announce announce = [&] {
        return options.ready_file.empty() ||
               command_line::write_ready_file("fake_lfs", options.ready_file, port);
    };
    return replay ? fake_lfs::run_replay_session(io, acceptor, options, *replay, announce)
                  : fake_lfs::run_lap_session(io, acceptor, options, std::move(script), announce);
}
