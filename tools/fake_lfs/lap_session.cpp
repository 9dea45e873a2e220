// fake_lfs's session with one client: the introduction, the version answer,
// keep-alives and the idle limit (keepalives.cpp), and cars driven round the
// scripted lap (or a stream of garbage). Every deadline is a timer of its
// own.
#include <asio/ip/udp.hpp>
#include <asio/post.hpp>
#include <cstring>
#include <iostream>
#include <optional>
#include <random>

#include "insim/records.h"
#include "tools/engine/loopback.h"
#include "tools/fake_lfs/keepalives.h"
#include "tools/fake_lfs/session.h"
#include "tools/protocol/counted.h"
#include "tools/simulator/client_records.h"
#include "tools/simulator/hostile_stream.h"
#include "tools/simulator/lap_route.h"

namespace fake_lfs {
namespace {

using std::chrono::milliseconds;

// How long the client may stay silent before its introduction is complete.
constexpr milliseconds kIntroductionSilence(5000);
// Pieces of garbage sent in one turn of the event loop.
constexpr int kPiecesATurn = 64;
// How long the last lap waits for the answers to its last reports.
constexpr milliseconds kLastAnswersTime(1000);

class LapSession : public ClientSession {
  public:
    LapSession(asio::io_context& io, asio::ip::tcp::acceptor& acceptor, const Options& options)
        : ClientSession(io, acceptor, options),
          introduction_timer_(io),
          keepalives_(
              io, options, [this] { send(sim::tiny_record(insim::TINY_NONE)); },
              [this] { finish(1); }),
          report_timer_(io),
          last_answers_timer_(io),
          datagrams_(io) {}

  private:
    void connected() override { await_introduction(); }

    // Any bytes are a sign of life: they hold off the idle limit, or, before
    // the introduction, its time-out, however the record is cut.
    void heard() override {
        if (introduced_) {
            keepalives_.heard();
        } else {
            await_introduction();
        }
    }

    void await_introduction() {
        introduction_timer_.expires_after(kIntroductionSilence);
        introduction_timer_.async_wait([this](std::error_code error) {
            if (!error && !introduced_ && !finished()) {
                std::cerr << "fake_lfs: nothing came from the client for "
                          << kIntroductionSilence.count() / 1000
                          << " s before its introduction was whole\n";
                finish(1);
            }
        });
    }

    void received(const sim::Bytes& record) override {
        if (!introduced_) {
            introduce(record);
            return;
        }
        if (options_.hostile > 0) {
            ++records_in_;
            return;
        }
        const sim::ClientRecords::Seen seen = client_.show(record);
        if (seen == sim::ClientRecords::Seen::kKeepAliveAnswer) {
            keepalives_.answered();
        } else if (seen == sim::ClientRecords::Seen::kCloseRequest) {
            finish(0);
            return;
        }
        if (last_lap_done_ && client_.answered_every_report()) {
            laps_driven();
        }
    }

    void client_gone() override {
        std::cerr << "fake_lfs: the client closed the connection\n";
        finish(1);
    }

    void stop_timers() override {
        introduction_timer_.cancel();
        keepalives_.stop();
        report_timer_.cancel();
        last_answers_timer_.cancel();
    }

    void sent_all() override {
        if (options_.hostile > 0 && introduced_) {
            send_garbage();
        }
    }

    void not_an_introduction() {
        std::cerr << "fake_lfs: the client's first record is not a 44-byte introduction\n";
        finish(1);
    }

    void introduce(const sim::Bytes& record) {
        introduction_timer_.cancel();
        insim::IS_ISI isi{};
        if (record.size() != sizeof isi || record[1] != insim::ISP_ISI) {
            not_an_introduction();
            return;
        }
        std::memcpy(&isi, record.data(), sizeof isi);
        if (isi.IName[sizeof isi.IName - 1] != 0) {
            std::cerr << "fake_lfs: the introduction's program name has no terminator\n";
            finish(1);
            return;
        }
        wants_reports_ = sim::wants_reports(isi);
        udp_port_ = isi.UDPPort;
        interval_ = milliseconds(options_.interval_ms > 0 ? options_.interval_ms : isi.Interval);
        const int version = sim::served_version(isi.Sp0, static_cast<int>(options_.insim_version));
        std::cout << sim::introduction_line(isi, static_cast<int>(options_.insim_version))
                  << std::endl;
        if (version >= sim::kFirstVersionInWordUnits) {
            std::cerr << "fake_lfs: the client declares protocol version "
                      << static_cast<unsigned>(isi.Sp0)
                      << "; from version 9 the simulator sizes records in units of 4 bytes with "
                         "up to 16 cars a report, which this stand-in does not send, so it "
                         "refuses the client\n";
            finish(1);
            return;
        }
        if (isi.ReqI != 0) {
            send(sim::version_record(options_.version.c_str(),
                                     static_cast<uint16_t>(options_.insim_version), isi.ReqI));
        }
        introduced_ = true;
        if (options_.hostile > 0) {
            std::mt19937 rng(static_cast<std::mt19937::result_type>(options_.seed));
            garbage_ = sim::hostile_records(rng, static_cast<std::size_t>(options_.hostile));
            rng_ = rng;
            send_garbage();
            return;
        }
        keepalives_.start();
        if (wants_reports_) {
            next_report_ = Clock::now() + interval_;
            report();
        }
    }

    void report() {
        report_timer_.expires_at(next_report_);
        report_timer_.async_wait([this](std::error_code error) {
            if (error || finished()) {
                return;
            }
            if (!send_reports()) {
                return;
            }
            const std::size_t last_step =
                static_cast<std::size_t>(options_.laps) * sim::lap_route().size();
            if (options_.laps != 0 && step_ == last_step) {
                // The laps end once the client has answered the last
                // reports, or has had a while to.
                last_lap_done_ = true;
                last_answers_timer_.expires_after(kLastAnswersTime);
                last_answers_timer_.async_wait([this](std::error_code error) {
                    if (!error) {
                        laps_driven();
                    }
                });
                return;
            }
            next_report_ += interval_;
            report();
        });
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
            if (udp_port_ == 0) {
                stream.insert(stream.end(), report.begin(), report.end());
            } else if (!send_datagram(report)) {
                return false;
            }
        }
        send(stream);
        return true;
    }

    bool send_datagram(const sim::Bytes& report) {
        std::error_code error;
        if (!datagrams_.is_open()) {
            // From the simulator's own port, as the simulator sends them.
            datagrams_.open(asio::ip::udp::v4(), error);
            if (!error) {
                datagrams_.bind({asio::ip::address_v4::loopback(), port()}, error);
            }
        }
        if (!error) {
            datagrams_.send_to(asio::buffer(report), {asio::ip::address_v4::loopback(), udp_port_},
                               0, error);
        }
        if (error) {
            std::cerr << "fake_lfs: cannot send a report by datagram to 127.0.0.1:" << udp_port_
                      << ": " << error.message() << "\n";
            finish(1);
            return false;
        }
        return true;
    }

    void laps_driven() {
        if (finished()) {
            return;
        }
        std::cout << sim::counted(options_.laps, "lap") << " driven; closing" << std::endl;
        finish(0);
    }

    // Sends the garbage in random pieces, each a write of its own, so that
    // they reach the client as separate reads. A turn sends a few; the rest
    // goes in later turns, or once what waits has drained, so that the
    // client's records and the timers are served in between.
    void send_garbage() {
        for (int piece = 0; piece < kPiecesATurn && !finished(); ++piece) {
            if (garbage_at_ == garbage_.size()) {
                std::cout << "hostile: sent " << sim::counted(options_.hostile, "record") << " ("
                          << sim::counted(garbage_.size(), "byte") << "), received "
                          << sim::counted(records_in_, "record") << "; closing" << std::endl;
                finish(0);
                return;
            }
            const std::size_t size =
                std::min<std::size_t>(1 + rng_() % 64, garbage_.size() - garbage_at_);
            send({garbage_.data() + garbage_at_, size});
            garbage_at_ += size;
            if (waiting()) {
                return;  // sent_all goes on
            }
        }
        asio::post(io_, [this] { send_garbage(); });
    }

    asio::steady_timer introduction_timer_;
    KeepAlives keepalives_;
    asio::steady_timer report_timer_;
    asio::steady_timer last_answers_timer_;
    asio::ip::udp::socket datagrams_;
    sim::ClientRecords client_{std::cout, std::cerr};

    bool introduced_ = false;
    bool wants_reports_ = false;
    uint16_t udp_port_ = 0;
    milliseconds interval_{1000};
    Clock::time_point next_report_;
    std::size_t step_ = 0;
    bool last_lap_done_ = false;

    sim::Bytes garbage_;
    std::size_t garbage_at_ = 0;
    std::mt19937 rng_;
    long records_in_ = 0;
};

}  // namespace

int run_lap_session(asio::io_context& io, asio::ip::tcp::acceptor& acceptor, const Options& options,
                    const Announce& announce) {
    return LapSession(io, acceptor, options).run(announce);
}

}  // namespace fake_lfs
