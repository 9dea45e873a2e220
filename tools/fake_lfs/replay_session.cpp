// fake_lfs's replay of a capture: the simulator's records of the capture at
// their captured times after the client connected, and, with --expect, each
// record the client sends compared with the capture's next client record,
// byte for byte and in order (times are not compared).
#include <algorithm>
#include <chrono>
#include <iostream>

#include "tools/client_records.h"
#include "tools/fake_lfs.h"

namespace fake_lfs {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// The longest wait for the client's last records once the simulator's last
// record has gone.
constexpr milliseconds kMaxTrailingWait(5000);

class ReplaySession {
  public:
    ReplaySession(const Options& options, const capture::Capture& capture, sim::SimPeer& peer)
        : options_(options), capture_(capture), peer_(peer) {
        for (const capture::Entry& entry : capture.entries) {
            (entry.from == capture::From::kSimulator ? simulator_ : client_).push_back(&entry);
        }
    }

    int run() {
        std::cout << "replaying " << capture_.path << ": " << simulator_.size()
                  << " records from the simulator, " << client_.size() << " from the client"
                  << (options_.expect ? ", expected as captured" : "") << std::endl;
        if (!peer_.accept(std::chrono::seconds(options_.accept_timeout_s))) {
            std::cerr << "fake_lfs: no client connected within " << options_.accept_timeout_s
                      << " s\n";
            return 1;
        }
        connected_ = Clock::now();
        Clock::time_point end_by = Clock::time_point::max();
        for (;;) {
            if (interrupted) {
                std::cout << "interrupted; closing" << std::endl;
                return 0;
            }
            auto now = Clock::now();
            for (; next_sent_ < simulator_.size() && due(*simulator_[next_sent_]) <= now;
                 ++next_sent_) {
                const sim::Bytes& record = simulator_[next_sent_]->record;
                records_.report_sent(record);
                if (!peer_.send(record)) {
                    return client_gone();
                }
            }
            now = Clock::now();
            if (next_sent_ == simulator_.size()) {
                if (end_by == Clock::time_point::max()) {
                    end_by = now + trailing_wait();
                }
                if (now >= end_by || (options_.expect && next_expected_ == client_.size())) {
                    return finish();
                }
            }
            const auto wake =
                std::min({next_sent_ < simulator_.size() ? due(*simulator_[next_sent_]) : end_by,
                          end_by, now + milliseconds(200)});
            const auto wait = std::chrono::duration_cast<milliseconds>(wake - now);
            if (!peer_.readable(std::max(wait, milliseconds(0)))) {
                continue;
            }
            auto record = peer_.read_record(milliseconds(2000));
            if (!record) {
                return client_gone();
            }
            const ClientRecords::Seen seen = records_.show(*record);
            if (options_.expect && !matches(*record)) {
                return 1;
            }
            if (seen == ClientRecords::Seen::kCloseRequest) {
                return finish();
            }
        }
    }

  private:
    Clock::time_point due(const capture::Entry& entry) const {
        return connected_ +
               std::chrono::duration_cast<Clock::duration>(
                   std::chrono::duration<double, std::milli>(entry.ms / options_.speed));
    }

    // With --expect, until the client's remaining records have come; without
    // it, as long as the capture ran on after its last simulator record.
    milliseconds trailing_wait() const {
        if (options_.expect || capture_.entries.empty()) {
            return kMaxTrailingWait;
        }
        const long long last_sent = simulator_.empty() ? 0 : simulator_.back()->ms;
        const double ran_on = (capture_.entries.back().ms - last_sent) / options_.speed;
        return std::min(kMaxTrailingWait, milliseconds(static_cast<long long>(ran_on)));
    }

    // Compares the client's record with the capture's next client record,
    // and says where they part.
    bool matches(const sim::Bytes& record) {
        if (next_expected_ == client_.size()) {
            std::cerr << capture_.path << ":" << capture_.last_line
                      << ": expected the end of the capture, got " << capture::hex_of(record)
                      << "\n";
            return false;
        }
        const capture::Entry& expected = *client_[next_expected_++];
        if (record != expected.record) {
            std::cerr << capture_.path << ":" << expected.line << ": expected "
                      << capture::hex_of(expected.record) << ", got " << capture::hex_of(record)
                      << "\n";
            return false;
        }
        return true;
    }

    // The capture's client records that never came, if any, as a failure.
    bool missing() const {
        if (!options_.expect || next_expected_ == client_.size()) {
            return false;
        }
        const capture::Entry& expected = *client_[next_expected_];
        std::cerr << capture_.path << ":" << expected.line << ": expected "
                  << capture::hex_of(expected.record) << ", got nothing\n";
        return true;
    }

    int finish() {
        peer_.close_client();
        if (missing()) {
            return 1;
        }
        std::cout << "replay done: " << next_sent_ << " of " << simulator_.size()
                  << " records sent; closing" << std::endl;
        return 0;
    }

    int client_gone() {
        if (missing()) {
            return 1;
        }
        if (next_sent_ < simulator_.size()) {
            std::cerr << "fake_lfs: the client closed the connection before the replay ended\n";
            return 1;
        }
        std::cout << "the client closed the connection; replay done" << std::endl;
        return 0;
    }

    const Options& options_;
    const capture::Capture& capture_;
    sim::SimPeer& peer_;
    std::vector<const capture::Entry*> simulator_;
    std::vector<const capture::Entry*> client_;
    ClientRecords records_{std::cout, std::cerr};
    Clock::time_point connected_;
    std::size_t next_sent_ = 0;
    std::size_t next_expected_ = 0;
};

}  // namespace

int run_replay_session(const Options& options, const capture::Capture& capture,
                       sim::SimPeer& peer) {
    return ReplaySession(options, capture, peer).run();
}

}  // namespace fake_lfs
