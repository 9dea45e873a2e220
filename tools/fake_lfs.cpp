// fake_lfs: a stand-in for the simulator's side of the client protocol.
//
// Listens on 127.0.0.1, accepts one client, checks its introduction, answers
// with a version record, sends keep-alives and checks their answers, and
// drives cars round a scripted lap, sending their positions at the interval
// the client asked for. Prints what the client asked for and every record it
// sends, buttons as readable lines.
#include <getopt.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <system_error>

#include "insim/records.h"
#include "tools/hostile_stream.h"
#include "tools/lap_route.h"
#include "tools/sim_peer.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

volatile std::sig_atomic_t interrupted = 0;

void on_interrupt(int) {
    interrupted = 1;
}

struct Options {
    uint16_t port = 29999;
    long laps = 1;  // 0: until interrupted
    long cars = 1;
    long interval_ms = 0;  // 0: as the client asks
    long keepalive_ms = 3000;
    long accept_timeout_s = 60;
    std::string version = "0.7F";
    long insim_version = 9;
    std::string ready_file;
    long hostile = 0;  // records of garbage to send instead of driving
    long long seed = 1;
};

const char kUsage[] =
    "usage: fake_lfs [options]\n"
    "Plays the simulator for one client on 127.0.0.1.\n"
    "\n"
    "  --port N            port to listen on; 0 picks a free one (default 29999)\n"
    "  --laps N            laps to drive before closing; 0 runs until interrupted (default 1)\n"
    "  --cars N            cars on the track, 1 to 8 (default 1)\n"
    "  --interval MS       milliseconds between car reports, instead of the client's\n"
    "  --keepalive MS      milliseconds between keep-alives (default 3000)\n"
    "  --accept-timeout S  seconds to wait for the client (default 60)\n"
    "  --version TEXT      version text to report, at most 8 characters (default 0.7F)\n"
    "  --insim-version N   protocol version to report (default 9)\n"
    "  --ready-file PATH   once listening, write the port into PATH\n"
    "  --hostile N         instead of driving, send N records of garbage (truncated car\n"
    "                      reports, reports without cars, records of size 255, unknown\n"
    "                      types) in random pieces, then close\n"
    "  --seed N            seed of the garbage (default 1)\n"
    "  --help              show this and exit\n";

[[noreturn]] void usage_error(const std::string& message) {
    std::cerr << "fake_lfs: " << message << "\n"
              << "Try 'fake_lfs --help'.\n";
    std::exit(2);
}

long long parse_number(const char* option, const char* text, long long lowest, long long highest) {
    long long value = 0;
    const char* end = text + std::strlen(text);
    const auto [rest, error] = std::from_chars(text, end, value);
    if (error != std::errc() || rest != end || value < lowest || value > highest) {
        usage_error(std::string("--") + option + " needs a whole number from " +
                    std::to_string(lowest) + " to " + std::to_string(highest) + ", not '" + text +
                    "'");
    }
    return value;
}

Options parse_options(int argc, char** argv) {
    static const option long_options[] = {
        {"port", required_argument, nullptr, 'p'},
        {"laps", required_argument, nullptr, 'l'},
        {"cars", required_argument, nullptr, 'c'},
        {"interval", required_argument, nullptr, 'i'},
        {"keepalive", required_argument, nullptr, 'k'},
        {"accept-timeout", required_argument, nullptr, 'a'},
        {"version", required_argument, nullptr, 'v'},
        {"insim-version", required_argument, nullptr, 'n'},
        {"ready-file", required_argument, nullptr, 'r'},
        {"hostile", required_argument, nullptr, 'H'},
        {"seed", required_argument, nullptr, 's'},
        {"help", no_argument, nullptr, 'h'},
        {nullptr, 0, nullptr, 0},
    };
    Options options;
    opterr = 0;
    int option_index = 0;
    for (int opt; (opt = getopt_long(argc, argv, "", long_options, &option_index)) != -1;) {
        const char* name = long_options[option_index].name;
        switch (opt) {
            case 'p':
                options.port = static_cast<uint16_t>(parse_number(name, optarg, 0, 65535));
                break;
            case 'l':
                options.laps = parse_number(name, optarg, 0, 1000000);
                break;
            case 'c':
                options.cars = parse_number(name, optarg, 1, insim::kMaxCarsPerReport);
                break;
            case 'i':
                options.interval_ms = parse_number(name, optarg, 1, 60000);
                break;
            case 'k':
                options.keepalive_ms = parse_number(name, optarg, 1, 600000);
                break;
            case 'a':
                options.accept_timeout_s = parse_number(name, optarg, 1, 86400);
                break;
            case 'n':
                options.insim_version = parse_number(name, optarg, 0, 65535);
                break;
            case 'v':
                if (std::strlen(optarg) > 8) {
                    usage_error("--version takes at most 8 characters");
                }
                options.version = optarg;
                break;
            case 'r':
                options.ready_file = optarg;
                break;
            case 'H':
                options.hostile = parse_number(name, optarg, 1, 100000000);
                break;
            case 's':
                options.seed = parse_number(name, optarg, 0, 4294967295L);
                break;
            case 'h':
                std::cout << kUsage;
                std::exit(0);
            default:
                usage_error(std::string("unknown option or missing value: ") + argv[optind - 1]);
        }
    }
    if (optind < argc) {
        usage_error(std::string("unexpected argument: ") + argv[optind]);
    }
    return options;
}

// A zero-terminated text field, cut to its width.
std::string text_of(const char* field, std::size_t width) {
    return std::string(field, strnlen(field, width));
}

std::string metres(int32_t position) {
    return std::to_string(position / insim::kPositionUnit);
}

class Session {
  public:
    Session(const Options& options, sim::SimPeer& peer) : options_(options), peer_(peer) {}

    // Runs the session; the process's exit status.
    int run() {
        if (!peer_.accept(std::chrono::seconds(options_.accept_timeout_s))) {
            std::cerr << "fake_lfs: no client connected within " << options_.accept_timeout_s
                      << " s\n";
            return 1;
        }
        if (!introduce()) {
            return 1;
        }
        return options_.hostile > 0 ? send_garbage() : drive();
    }

  private:
    bool introduce() {
        auto isi = peer_.read_introduction(milliseconds(5000));
        if (!isi || isi->Size != sizeof(insim::IS_ISI) || isi->Type != insim::ISP_ISI) {
            std::cerr << "fake_lfs: the client's first record is not a 44-byte introduction\n";
            return false;
        }
        if (isi->IName[sizeof isi->IName - 1] != 0) {
            std::cerr << "fake_lfs: the introduction's program name has no terminator\n";
            return false;
        }
        wants_reports_ = (isi->Flags & insim::ISF_MCI) != 0 && isi->Interval > 0;
        udp_port_ = isi->UDPPort;
        interval_ = milliseconds(options_.interval_ms > 0 ? options_.interval_ms : isi->Interval);
        std::cout << "client \"" << isi->IName << "\" asks for: flags " << isi->Flags
                  << (wants_reports_
                          ? (udp_port_ != 0 ? " (car reports by datagram)" : " (car reports)")
                          : "")
                  << ", interval " << isi->Interval << " ms, prefix '"
                  << static_cast<char>(isi->Prefix) << "', udp port " << isi->UDPPort << ", "
                  << (isi->Admin[0] != 0 ? "with" : "no") << " admin password" << std::endl;
        if (isi->ReqI != 0) {
            if (!peer_.send(sim::version_record(options_.version.c_str(),
                                                static_cast<uint16_t>(options_.insim_version),
                                                isi->ReqI))) {
                std::cerr << "fake_lfs: could not send the version\n";
                return false;
            }
        }
        return true;
    }

    int drive() {
        const std::size_t lap_length = sim::lap_route().size();
        const std::size_t last_step = static_cast<std::size_t>(options_.laps) * lap_length;
        auto next_report = Clock::now() + interval_;
        auto next_keepalive = Clock::now() + milliseconds(options_.keepalive_ms);
        Clock::time_point finish_by = Clock::time_point::max();
        for (;;) {
            const auto now = Clock::now();
            if (interrupted) {
                std::cout << "interrupted; closing" << std::endl;
                return 0;
            }
            if (now >= finish_by) {
                std::cout << options_.laps << (options_.laps == 1 ? " lap" : " laps")
                          << " driven; closing" << std::endl;
                return 0;
            }
            if (now >= next_keepalive) {
                if (keepalive_pending_) {
                    std::cerr << "fake_lfs: the client did not answer the keep-alive\n";
                    return 1;
                }
                if (!peer_.send(sim::tiny_record(insim::TINY_NONE))) {
                    return client_gone();
                }
                keepalive_pending_ = true;
                next_keepalive += milliseconds(options_.keepalive_ms);
            }
            if (wants_reports_ && now >= next_report && finish_by == Clock::time_point::max()) {
                if (!send_report()) {
                    return client_gone();
                }
                next_report += interval_;
                if (options_.laps != 0 && step_ == last_step) {
                    // Leave the client time to answer the last report.
                    finish_by = now + std::min(interval_, milliseconds(1000));
                }
            }
            auto wake = std::min({next_keepalive, finish_by,
                                  wants_reports_ ? next_report : Clock::time_point::max(),
                                  now + milliseconds(200)});
            const auto wait = std::chrono::duration_cast<milliseconds>(wake - Clock::now());
            if (peer_.readable(std::max(wait, milliseconds(0)))) {
                auto record = peer_.read_record(milliseconds(2000));
                if (!record) {
                    return client_gone();
                }
                if (!handle(*record)) {
                    return 0;
                }
            }
        }
    }

    // Sends the garbage in random pieces, taking in what the client sends
    // between pieces so that neither side can block the other.
    int send_garbage() {
        std::mt19937 rng(static_cast<std::mt19937::result_type>(options_.seed));
        const sim::Bytes stream =
            sim::hostile_records(rng, static_cast<std::size_t>(options_.hostile));
        long records_in = 0;
        for (std::size_t at = 0; at < stream.size() && !interrupted;) {
            const std::size_t piece = std::min<std::size_t>(1 + rng() % 64, stream.size() - at);
            if (!peer_.send(sim::Bytes(stream.begin() + static_cast<std::ptrdiff_t>(at),
                                       stream.begin() + static_cast<std::ptrdiff_t>(at + piece)))) {
                return client_gone();
            }
            at += piece;
            while (peer_.readable(milliseconds(0))) {
                if (!peer_.read_record(milliseconds(2000))) {
                    return client_gone();
                }
                ++records_in;
            }
        }
        std::cout << "hostile: sent " << options_.hostile << " records (" << stream.size()
                  << " bytes), received " << records_in << " records; closing" << std::endl;
        return 0;
    }

    bool send_report() {
        std::vector<sim::CarPosition> cars;
        for (long car = 0; car < options_.cars; ++car) {
            cars.push_back(sim::car_position(static_cast<std::size_t>(car), step_));
        }
        first_car_ = cars.front();
        ++step_;
        // As the simulator does: by datagram to a client that named a UDP port.
        return udp_port_ != 0 ? peer_.send_datagram(sim::car_report(cars), udp_port_)
                              : peer_.send(sim::car_report(cars));
    }

    // Handles one record of the client; false when the session is over.
    bool handle(const sim::Bytes& record) {
        const uint8_t type = record.size() > 1 ? record[1] : 0;
        if (type == insim::ISP_BTN && record.size() >= offsetof(insim::IS_BTN, Text)) {
            insim::IS_BTN button{};
            std::memcpy(&button, record.data(), std::min(record.size(), sizeof button));
            std::cout << "button " << static_cast<unsigned>(button.ClickID) << " \""
                      << text_of(button.Text, record.size() - offsetof(insim::IS_BTN, Text))
                      << "\"  car at (" << metres(first_car_.x) << ", " << metres(first_car_.y)
                      << ") m" << std::endl;
            return true;
        }
        if (type == insim::ISP_TINY && record.size() == sizeof(insim::IS_TINY)) {
            if (record[3] == insim::TINY_NONE) {
                keepalive_pending_ = false;
                return true;
            }
            if (record[3] == insim::TINY_CLOSE) {
                std::cout << "close request; closing" << std::endl;
                return false;
            }
        }
        std::cout << "record type " << static_cast<unsigned>(type) << ", " << record.size()
                  << " bytes" << std::endl;
        return true;
    }

    int client_gone() {
        std::cerr << "fake_lfs: the client closed the connection\n";
        return 1;
    }

    const Options& options_;
    sim::SimPeer& peer_;
    bool wants_reports_ = false;
    uint16_t udp_port_ = 0;
    milliseconds interval_{1000};
    bool keepalive_pending_ = false;
    std::size_t step_ = 0;
    sim::CarPosition first_car_{0, 0};
};

}  // namespace

int main(int argc, char** argv) {
    const Options options = parse_options(argc, argv);
    std::signal(SIGINT, on_interrupt);
    std::signal(SIGTERM, on_interrupt);
    try {
        sim::SimPeer peer(options.port);
        std::cout << "fake_lfs listening on 127.0.0.1:" << peer.port() << std::endl;
        if (!options.ready_file.empty()) {
            // Written aside and renamed, so that a reader never sees it half done.
            const std::string partial = options.ready_file + ".partial";
            std::ofstream(partial) << peer.port() << "\n";
            std::rename(partial.c_str(), options.ready_file.c_str());
        }
        Session session(options, peer);
        return session.run();
    } catch (const std::system_error& error) {
        std::cerr << "fake_lfs: cannot listen on 127.0.0.1:" << options.port << ": "
                  << error.code().message() << "\n";
        return 1;
    }
}
