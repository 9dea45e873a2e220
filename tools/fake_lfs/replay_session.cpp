// fake_lfs's replay of a capture: the simulator's records of the capture at
// their captured times after the client connected, and, with --expect, each
// record the client sends compared with the capture's next client record,
// byte for byte and in order (times are not compared); a difference is told
// by the record and the fields that differ.
#include <iostream>

#include "tools/fake_lfs/connection.h"
#include "tools/fake_lfs/server.h"
#include "tools/protocol/counted.h"
#include "tools/protocol/record_text.h"
#include "tools/simulator/client_records.h"

namespace fake_lfs {
namespace {

using std::chrono::milliseconds;

// The longest wait for the client's last records once the simulator's last
// record has gone.
constexpr milliseconds kMaxTrailingWait(5000);
// How long, after the capture's last client record came, a record more is
// still watched for: one that comes then is not in the capture.
constexpr milliseconds kGraceAfterLast(500);

class ReplayProgram : public Connection {
  public:
    ReplayProgram(asio::io_context& io, asio::ip::tcp::socket socket, const Options& options,
                  Host& host, const capture::Capture& capture)
        : Connection(io, std::move(socket), options, 1, host),
          capture_(capture),
          send_timer_(io),
          end_timer_(io) {
        for (const capture::Entry& entry : capture.entries) {
            (entry.from == capture::From::kSimulator ? simulator_ : client_).push_back(&entry);
        }
    }

    // The line that says what is replayed, before any program connects.
    static void announce(const Options& options, const capture::Capture& capture) {
        std::size_t from_simulator = 0;
        for (const capture::Entry& entry : capture.entries) {
            from_simulator += entry.from == capture::From::kSimulator;
        }
        std::cout << "replaying " << capture.path << ": " << sim::counted(from_simulator, "record")
                  << " from the simulator, " << capture.entries.size() - from_simulator
                  << " from the client" << (options.expect ? ", expected as captured" : "")
                  << std::endl;
    }

  private:
    void connected() override { send_due(); }

    void received(const sim::Bytes& record) override {
        records_.set_unit(unit());
        const sim::ClientRecords::Seen seen = records_.show(record);
        if (options_.expect && !matches(record)) {
            finish(1);
            return;
        }
        if (seen == sim::ClientRecords::Seen::kCloseRequest) {
            // With --expect, a record after the close request is caught too.
            if (!options_.expect) {
                done();
                return;
            }
            closing_ = true;
            send_timer_.cancel();
            end_by_ = Clock::now() + kGraceAfterLast;
        }
        watch_end();
    }

    void program_gone() override {
        if (closing_) {
            done();  // as it asked
        } else if (missing()) {
            finish(1);
        } else if (next_sent_ < simulator_.size()) {
            std::cerr << "fake_lfs: the client closed the connection before the replay ended\n";
            finish(1);
        } else {
            std::cout << "the client closed the connection; replay done" << std::endl;
            finish(0);
        }
    }

    void stop_timers() override {
        send_timer_.cancel();
        end_timer_.cancel();
    }

    Clock::time_point due(const capture::Entry& entry) const {
        return connected_at_ +
               std::chrono::duration_cast<Clock::duration>(
                   std::chrono::duration<double, std::milli>(entry.ms / options_.speed));
    }

    // Sends every simulator record that is due, then waits for the next.
    void send_due() {
        if (closing_ || finished()) {
            return;
        }
        const auto now = Clock::now();
        for (; next_sent_ < simulator_.size() && due(*simulator_[next_sent_]) <= now;
             ++next_sent_) {
            const sim::Bytes& record = simulator_[next_sent_]->record;
            records_.report_sent(record);
            send(record);
        }
        if (next_sent_ < simulator_.size()) {
            send_timer_.expires_at(due(*simulator_[next_sent_]));
            send_timer_.async_wait(held([this](std::error_code error) {
                if (!error) {
                    send_due();
                }
            }));
            return;
        }
        end_by_ = now + trailing_wait();
        watch_end();
    }

    // Once the simulator's records have all gone: the replay ends when the
    // trailing wait is over, or, with --expect, a grace after the client's
    // last captured record came.
    void watch_end() {
        if (next_sent_ < simulator_.size() && !closing_) {
            return;
        }
        auto end = end_by_;
        if (options_.expect && next_expected_ == client_.size()) {
            end = std::min(end, Clock::now() + kGraceAfterLast);
        }
        end_timer_.expires_at(end);
        end_timer_.async_wait(held([this](std::error_code error) {
            if (!error && !finished()) {
                done();
            }
        }));
    }

    // With --expect, until the client's remaining records have come; without
    // it, as long as the capture ran on after its last simulator record.
    milliseconds trailing_wait() const {
        if (options_.expect || capture_.entries.empty()) {
            return kMaxTrailingWait;
        }
        const long long last_sent = simulator_.empty() ? 0 : simulator_.back()->ms;
        const double ran_on =
            static_cast<double>(capture_.entries.back().ms - last_sent) / options_.speed;
        return std::min(kMaxTrailingWait, milliseconds(static_cast<long long>(ran_on)));
    }

    // Compares the client's record with the capture's next client record,
    // and says where they part.
    bool matches(const sim::Bytes& record) {
        if (next_expected_ == client_.size()) {
            std::cerr << capture_.path << ":" << capture_.last_line
                      << ": expected the end of the capture, came "
                      << records::shown(record, capture_.unit) << "\n";
            return false;
        }
        const capture::Entry& expected = *client_[next_expected_++];
        if (record != expected.record) {
            std::cerr << capture_.path << ":" << expected.line << ": expected "
                      << records::difference(expected.record, record, capture_.unit) << "\n";
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
                  << records::shown(expected.record, capture_.unit) << ", came nothing\n";
        return true;
    }

    void done() {
        if (finished()) {
            return;
        }
        if (missing()) {
            finish(1);
            return;
        }
        std::cout << "replay done: " << next_sent_ << " of "
                  << sim::counted(simulator_.size(), "record") << " sent; closing" << std::endl;
        finish(0);
    }

    const capture::Capture& capture_;
    asio::steady_timer send_timer_;
    asio::steady_timer end_timer_;
    std::vector<const capture::Entry*> simulator_;
    std::vector<const capture::Entry*> client_;
    sim::ClientRecords records_{std::cout, std::cerr};
    std::size_t next_sent_ = 0;
    std::size_t next_expected_ = 0;
    Clock::time_point end_by_;
    bool closing_ = false;  // the client asked to close
};

}  // namespace

int run_replay_session(asio::io_context& io, asio::ip::tcp::acceptor& acceptor,
                       const Options& options, const capture::Capture& capture,
                       const Announce& announce) {
    ReplayProgram::announce(options, capture);
    Server server(io, acceptor, options,
                  {
                      .max_programs = 1,
                      .end_when_all_gone = true,
                      .turned_away =
                          "fake_lfs: refused a second client: a replay serves one client at a time",
                  },
                  [&](asio::ip::tcp::socket socket, int) {
                      return std::make_shared<ReplayProgram>(io, std::move(socket), options, server,
                                                             capture);
                  });
    return server.run(announce);
}

}  // namespace fake_lfs
