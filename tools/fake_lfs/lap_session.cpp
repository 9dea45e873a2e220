// fake_lfs's session with one client: the introduction, the version answer,
// keep-alives and the idle limit, and cars driven round the scripted lap (or
// a stream of garbage).
#include <algorithm>
#include <chrono>
#include <iostream>
#include <random>

#include "insim/records.h"
#include "tools/client_records.h"
#include "tools/fake_lfs.h"
#include "tools/hostile_stream.h"
#include "tools/lap_route.h"

namespace fake_lfs {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

class LapSession {
  public:
    LapSession(const Options& options, sim::SimPeer& peer)
        : options_(options),
          peer_(peer),
          keepalive_(options.keepalive_ms),
          idle_limit_(std::chrono::seconds(options.idle_limit_s)) {}

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
        last_heard_ = Clock::now();
        if (isi->IName[sizeof isi->IName - 1] != 0) {
            std::cerr << "fake_lfs: the introduction's program name has no terminator\n";
            return false;
        }
        wants_reports_ = wants_reports(*isi);
        udp_port_ = isi->UDPPort;
        interval_ = milliseconds(options_.interval_ms > 0 ? options_.interval_ms : isi->Interval);
        std::cout << introduction_line(*isi) << std::endl;
        if (!served_protocol(isi->Sp0)) {
            std::cerr << "fake_lfs: the client declares protocol version "
                      << static_cast<unsigned>(isi->Sp0)
                      << "; from version 9 the simulator sizes records in units of 4 bytes with "
                         "up to 16 cars a report, which this stand-in does not send, so it "
                         "refuses the client\n";
            return false;
        }
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
        auto next_keepalive = Clock::now() + keepalive_;
        Clock::time_point finish_by = Clock::time_point::max();
        for (;;) {
            const auto now = Clock::now();
            if (interrupted) {
                std::cout << "interrupted; closing" << std::endl;
                return 0;
            }
            // The laps end once the client has answered the last reports, or
            // has had a second to.
            if (now >= finish_by ||
                (finish_by != Clock::time_point::max() && client_.answered_every_report())) {
                std::cout << options_.laps << (options_.laps == 1 ? " lap" : " laps")
                          << " driven; closing" << std::endl;
                return 0;
            }
            if (idle_limit_.count() > 0 && now - last_heard_ >= idle_limit_) {
                std::cerr << "fake_lfs: nothing came from the client for " << options_.idle_limit_s
                          << " s (the idle limit, --idle-limit); closing the connection\n";
                return 1;
            }
            if (now >= next_keepalive) {
                // The simulator closes only an idle client, but a developer
                // should still see a keep-alive go unanswered.
                if (keepalive_pending_) {
                    std::cerr << "fake_lfs: the keep-alive sent " << options_.keepalive_ms
                              << " ms ago was not answered\n";
                }
                if (!peer_.send(sim::tiny_record(insim::TINY_NONE))) {
                    return client_gone();
                }
                keepalive_pending_ = true;
                next_keepalive += keepalive_;
            }
            if (wants_reports_ && now >= next_report && finish_by == Clock::time_point::max()) {
                if (!send_reports()) {
                    return client_gone();
                }
                next_report += interval_;
                if (options_.laps != 0 && step_ == last_step) {
                    finish_by = now + milliseconds(1000);
                }
            }
            auto wake = std::min(
                {next_keepalive, finish_by, wants_reports_ ? next_report : Clock::time_point::max(),
                 idle_limit_.count() > 0 ? last_heard_ + idle_limit_ : Clock::time_point::max(),
                 now + milliseconds(200)});
            const auto wait = std::chrono::duration_cast<milliseconds>(wake - Clock::now());
            if (peer_.readable(std::max(wait, milliseconds(0)))) {
                auto record = peer_.read_record(milliseconds(2000));
                if (!record) {
                    return client_gone();
                }
                last_heard_ = Clock::now();
                const ClientRecords::Seen seen = client_.show(*record);
                if (seen == ClientRecords::Seen::kKeepAliveAnswer) {
                    keepalive_pending_ = false;
                } else if (seen == ClientRecords::Seen::kCloseRequest) {
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

    // One interval's reports, back to back: on the stream in one send, or by
    // datagram, one report each, to a client that named a UDP port, as the
    // simulator does.
    bool send_reports() {
        const auto cars = static_cast<std::size_t>(options_.cars);
        std::vector<sim::CarPosition> positions;
        for (std::size_t car = 0; car < cars; ++car) {
            positions.push_back(sim::car_position(car, cars, step_));
        }
        ++step_;
        sim::Bytes stream;
        for (const sim::Bytes& report : sim::interval_reports(positions)) {
            client_.report_sent(report);
            if (udp_port_ != 0) {
                if (!peer_.send_datagram(report, udp_port_)) {
                    return false;
                }
            } else {
                stream.insert(stream.end(), report.begin(), report.end());
            }
        }
        return stream.empty() || peer_.send(stream);
    }

    int client_gone() {
        std::cerr << "fake_lfs: the client closed the connection\n";
        return 1;
    }

    const Options& options_;
    sim::SimPeer& peer_;
    const milliseconds keepalive_;
    const milliseconds idle_limit_;
    ClientRecords client_{std::cout, std::cerr};
    bool wants_reports_ = false;
    uint16_t udp_port_ = 0;
    milliseconds interval_{1000};
    bool keepalive_pending_ = false;
    Clock::time_point last_heard_;
    std::size_t step_ = 0;
};

}  // namespace

int run_lap_session(const Options& options, sim::SimPeer& peer) {
    return LapSession(options, peer).run();
}

}  // namespace fake_lfs
