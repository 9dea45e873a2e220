// insim_tap: sits between a program and the simulator, relays both ways
// byte for byte, and writes the session as a capture file (capture_file.h)
// that fake_lfs --replay can play back later, without the simulator.
//
// Bytes are relayed as soon as they come and logged after; each direction
// queues what its receiver cannot take yet, so neither ever waits for the
// other; both connections send without coalescing, so the tap holds nothing
// back.
#include <getopt.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <iostream>
#include <string>

#include "insim/records.h"
#include "insim/socket_layer.h"
#include "tools/capture_file.h"
#include "tools/command_line.h"
#include "tools/peer_sockets.h"

namespace {

namespace net = sim::peer_sockets;
namespace sl = insim::socket_layer;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Set by Ctrl+C (a lock-free atomic is safe in a signal handler, and on
// Windows the handler runs on a thread of its own).
std::atomic<bool> interrupted{false};

void on_interrupt(int) {
    interrupted = true;
}

struct Options {
    uint16_t listen_port = 29999;
    uint16_t to_port = 29998;
    std::string out;
    std::string ready_file;
};

const char kUsage[] =
    "usage: insim_tap --out FILE [options]\n"
    "Relays one program's connection to the simulator, byte for byte, and writes\n"
    "the session to FILE as a capture that 'fake_lfs --replay FILE' plays back.\n"
    "\n"
    "  --listen PORT      port on 127.0.0.1 where the program connects (default 29999)\n"
    "  --to PORT          the simulator's InSim port on 127.0.0.1 (default 29998)\n"
    "  --out FILE         the capture file to write (required)\n"
    "  --ready-file PATH  once listening, write the port into PATH\n"
    "  --help             show this and exit\n"
    "\n"
    "The session ends when either side closes, or with Ctrl+C; the file is\n"
    "complete then, and is flushed at least once a second before.\n";

constexpr char kTool[] = "insim_tap";

uint16_t parse_port(const char* option, const char* text) {
    return static_cast<uint16_t>(command_line::number(kTool, option, text, 0, 65535));
}

Options parse_options(int argc, char** argv) {
    static const option long_options[] = {
        {"listen", required_argument, nullptr, 'l'},
        {"to", required_argument, nullptr, 't'},
        {"out", required_argument, nullptr, 'o'},
        {"ready-file", required_argument, nullptr, 'r'},
        {"help", no_argument, nullptr, 'h'},
        {nullptr, 0, nullptr, 0},
    };
    Options options;
    opterr = 0;
    int option_index = 0;
    for (int opt; (opt = getopt_long(argc, argv, "", long_options, &option_index)) != -1;) {
        switch (opt) {
            case 'l':
                options.listen_port = parse_port("listen", optarg);
                break;
            case 't':
                options.to_port = parse_port("to", optarg);
                break;
            case 'o':
                options.out = optarg;
                break;
            case 'r':
                options.ready_file = optarg;
                break;
            case 'h':
                std::cout << kUsage;
                std::exit(0);
            default:
                command_line::unknown_option(kTool, optind, argv);
        }
    }
    command_line::no_arguments_left(kTool, optind, argc, argv);
    if (options.out.empty()) {
        command_line::usage_error(kTool, "--out FILE is required");
    }
    return options;
}

// The capture, shared by both directions: each record is stamped when it
// is written, so that times never decrease down the file.
class CaptureLog {
  public:
    CaptureLog(capture::Writer& writer, Clock::time_point connected)
        : writer_(writer), connected_(connected), last_flush_(Clock::now()) {}

    void record(capture::From from, const uint8_t* bytes, std::size_t size) {
        writer_.record(ms_now(), from, bytes, size);
        ++records_;
        flush_if_due();
    }
    void comment(const std::string& text) {
        writer_.comment(text);
        flush_if_due();
    }
    // Flushes what a second or more has left unflushed; called while idle too.
    void tick() { flush_if_due(); }
    long long ms_now() const {
        return std::chrono::duration_cast<milliseconds>(Clock::now() - connected_).count();
    }
    long records() const { return records_; }

  private:
    void flush_if_due() {
        if (Clock::now() - last_flush_ >= milliseconds(1000)) {
            writer_.flush();
            last_flush_ = Clock::now();
        }
    }

    capture::Writer& writer_;
    const Clock::time_point connected_;
    Clock::time_point last_flush_;
    long records_ = 0;
};

// Cuts one direction's bytes into records by their size byte, as the client
// library does, and logs each whole record.
class Framer {
  public:
    Framer(capture::From from, CaptureLog& log) : from_(from), log_(log) {}

    void take(const uint8_t* bytes, std::size_t size) {
        if (lost_) {
            return;
        }
        pending_.insert(pending_.end(), bytes, bytes + size);
        std::size_t at = 0;
        while (at < pending_.size()) {
            const std::size_t record = pending_[at];
            if (record == 0) {
                lost_ = true;
                log_.comment(std::string(1, static_cast<char>(from_)) +
                             ": a record of size 0 ends framing in this direction; the rest of it "
                             "is relayed but not logged");
                break;
            }
            if (pending_.size() - at < record) {
                break;
            }
            note_introduction(pending_.data() + at, record);
            log_.record(from_, pending_.data() + at, record);
            at += record;
        }
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(at));
    }

    // Says so when the stream ends inside a record.
    void finish() {
        if (!lost_ && !pending_.empty()) {
            log_.comment(std::string(1, static_cast<char>(from_)) + ": the last " +
                         std::to_string(pending_.size()) +
                         " bytes were relayed but are not a whole record");
        }
    }

  private:
    void note_introduction(const uint8_t* record, std::size_t size) {
        if (from_ != capture::From::kClient || seen_introduction_) {
            return;
        }
        seen_introduction_ = true;
        insim::IS_ISI isi{};
        if (size == sizeof isi && record[1] == insim::ISP_ISI) {
            std::memcpy(&isi, record, sizeof isi);
            if (isi.UDPPort != 0) {
                log_.comment("the introduction names UDP port " + std::to_string(isi.UDPPort) +
                             ": the simulator sends datagrams straight to the program, so they "
                             "are not in this capture");
            }
        }
    }

    const capture::From from_;
    CaptureLog& log_;
    sim::Bytes pending_;
    bool lost_ = false;
    bool seen_introduction_ = false;
};

// Why the session ended.
enum class End { kProgramClosed, kSimulatorClosed, kInterrupted };

// One direction of the relay: what came from one side and has yet to go to
// the other, and the framing of it for the capture.
struct Flow {
    net::Socket from;
    net::Socket to;
    End closed;  // what the end of `from` means
    Framer framer;
    sim::Bytes pending;  // received and not yet sent on
};

// Relays both ways on one thread over non-blocking sockets. Each direction
// queues what its receiver cannot take yet and stops reading only when its
// own queue is full, so neither direction ever waits for the other.
class Relay {
  public:
    Relay(net::Socket program, net::Socket simulator, CaptureLog& log)
        : flows_{Flow{program, simulator, End::kProgramClosed, {capture::From::kClient, log}, {}},
                 Flow{simulator,
                      program,
                      End::kSimulatorClosed,
                      {capture::From::kSimulator, log},
                      {}}},
          log_(log) {}

    End run() {
        for (Flow& flow : flows_) {
            net::set_non_blocking(flow.from);
        }
        const End end = relay();
        // What a side sent before the end still reaches the other, within
        // a bound.
        const auto deadline = Clock::now() + milliseconds(1000);
        for (Flow& flow : flows_) {
            while (!flow.pending.empty() && Clock::now() < deadline && send_on(flow)) {
                net::wait_ready(std::array{net::Readiness{flow.to, false, true}}.data(), 1,
                                milliseconds(20));
            }
            flow.framer.finish();
        }
        return end;
    }

  private:
    // A side answers what was just relayed to it within tens of microseconds
    // as a rule; watching for the answer awake instead of sleeping keeps the
    // tap's own wake-up out of the round trip, for at most this much of one
    // core's time per relay.
    static constexpr std::chrono::microseconds kAwakeForAnswer{200};
    // The most a direction queues before it stops reading from its side.
    static constexpr std::size_t kMaxPending = 1 << 16;

    End relay() {
        uint8_t buffer[4096];
        for (;;) {
            if (interrupted) {
                return End::kInterrupted;
            }
            bool moved = false;
            for (std::size_t i = 0; i < flows_.size(); ++i) {
                Flow& flow = flows_[i];
                if (!send_on(flow)) {
                    return flows_[1 - i].closed;
                }
                if (flow.pending.size() >= kMaxPending) {
                    continue;
                }
                const long got = sl::receive(flow.from, buffer, sizeof buffer);
                if (got == 0 || (got < 0 && !net::would_block())) {
                    return flow.closed;
                }
                if (got < 0) {
                    continue;
                }
                // Relayed first, logged after.
                flow.pending.insert(flow.pending.end(), buffer, buffer + got);
                if (!send_on(flow)) {
                    return flows_[1 - i].closed;
                }
                flow.framer.take(buffer, static_cast<std::size_t>(got));
                moved = true;
            }
            if (moved) {
                awake_until_ = Clock::now() + kAwakeForAnswer;
                continue;
            }
            if (Clock::now() < awake_until_) {
                continue;
            }
            log_.tick();
            Flow& up = flows_[0];
            Flow& down = flows_[1];
            std::array ready{
                net::Readiness{up.from, up.pending.size() < kMaxPending, !down.pending.empty()},
                net::Readiness{down.from, down.pending.size() < kMaxPending, !up.pending.empty()}};
            net::wait_ready(ready.data(), ready.size(), milliseconds(100));
        }
    }

    // Sends what the receiver takes now; false when it has gone.
    static bool send_on(Flow& flow) {
        std::size_t sent = 0;
        while (sent < flow.pending.size()) {
            const long now =
                sl::send_some(flow.to, flow.pending.data() + sent, flow.pending.size() - sent);
            if (now < 0) {
                if (!net::would_block()) {
                    return false;
                }
                break;
            }
            sent += static_cast<std::size_t>(now);
        }
        flow.pending.erase(flow.pending.begin(),
                           flow.pending.begin() + static_cast<std::ptrdiff_t>(sent));
        return true;
    }

    std::array<Flow, 2> flows_;
    CaptureLog& log_;
    Clock::time_point awake_until_;
};

const char* ending(End end) {
    switch (end) {
        case End::kProgramClosed:
            return "the program closed the connection";
        case End::kSimulatorClosed:
            return "the simulator closed the connection";
        default:
            return "interrupted";
    }
}

// Reads and drops what a side still sends until it closes, for at most 1 s.
void drain(net::Socket socket) {
    const auto deadline = Clock::now() + milliseconds(1000);
    uint8_t buffer[4096];
    while (net::wait_readable(socket, std::chrono::duration_cast<milliseconds>(
                                          std::max(deadline - Clock::now(), Clock::duration(0)))) &&
           sl::receive(socket, buffer, sizeof buffer) > 0) {
    }
}

int run(const Options& options) {
    capture::Writer writer;
    if (!writer.open(options.out)) {
        std::cerr << "insim_tap: cannot write " << options.out << ": " << std::strerror(errno)
                  << "\n";
        return 1;
    }
    const net::Socket listener = net::listen_on_loopback(options.listen_port, 0);
    if (listener == net::kNoSocket) {
        std::cerr << "insim_tap: cannot listen on 127.0.0.1:" << options.listen_port << ": "
                  << net::last_error().message() << "\n";
        return 1;
    }
    const uint16_t port = net::local_port(listener);
    std::cout << "insim_tap: waiting for a program on 127.0.0.1:" << port
              << ", to relay to the simulator on 127.0.0.1:" << options.to_port << std::endl;
    if (!options.ready_file.empty()) {
        command_line::write_ready_file(options.ready_file, port);
    }

    net::Socket program = net::kNoSocket;
    while (program == net::kNoSocket) {
        if (interrupted) {
            writer.comment("interrupted before a program connected");
            sl::close_socket(listener);
            return 0;
        }
        if (net::wait_readable(listener, milliseconds(200))) {
            program = net::accept_client(listener);
        }
    }
    const Clock::time_point connected = Clock::now();
    sl::close_socket(listener);  // one program only

    const net::Socket simulator = net::connect_to_loopback(options.to_port);
    if (simulator == net::kNoSocket) {
        sl::close_socket(program);
        writer.comment("nothing listened on 127.0.0.1:" + std::to_string(options.to_port));
        std::cerr << "insim_tap: nothing listens on 127.0.0.1:" << options.to_port
                  << "; open the simulator's InSim port there, for example by typing /insim "
                  << options.to_port << " in the simulator\n";
        return 1;
    }
    std::cout << "insim_tap: relaying; writing the session to " << options.out << std::endl;
    writer.comment("program on 127.0.0.1:" + std::to_string(port) +
                   ", simulator on 127.0.0.1:" + std::to_string(options.to_port));

    CaptureLog log(writer, connected);
    const End end = Relay(program, simulator, log).run();
    // Each side closes once it sees the end of the stream; waiting for that
    // keeps a close with unread bytes from resetting what is still on its
    // way to it.
    net::shut_down_sending(program);
    net::shut_down_sending(simulator);
    drain(program);
    drain(simulator);
    sl::close_socket(program);
    sl::close_socket(simulator);
    writer.comment(std::string("end at ") + std::to_string(log.ms_now()) + " ms: " + ending(end));
    writer.flush();
    if (!writer.good()) {
        std::cerr << "insim_tap: writing " << options.out << " failed\n";
        return 1;
    }
    std::cout << "insim_tap: " << ending(end) << "; " << log.records() << " records written to "
              << options.out << std::endl;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = parse_options(argc, argv);
    std::signal(SIGINT, on_interrupt);
    std::signal(SIGTERM, on_interrupt);
    return run(options);
}
