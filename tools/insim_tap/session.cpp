// insim_tap's session: waits for one program, reaches the simulator, relays
// until both sides have ended (or a signal), and completes the capture. The
// capture is left as it was when no session takes place.
#include <asio/connect.hpp>
#include <iostream>
#include <optional>

#include "tools/cli/command_line.h"
#include "tools/engine/loopback.h"
#include "tools/engine/stop_signals.h"
#include "tools/insim_tap/relay.h"
#include "tools/insim_tap/tap.h"
#include "tools/protocol/counted.h"

namespace insim_tap {
namespace {

// The system's own send buffer on each connection. Kept small, so that a side
// that stops reading shows as bytes queued in the tap, where the stall limit
// sees them and they can be counted, rather than as megabytes the system
// holds unseen.
constexpr int kSystemSendBuffer = 1 << 16;

void prepare(asio::ip::tcp::socket& socket) {
    engine::send_at_once(socket);
    std::error_code ignored;
    socket.set_option(asio::socket_base::send_buffer_size(kSystemSendBuffer), ignored);
}

class Session {
  public:
    Session(const Options& options, capture::Writer& writer, asio::io_context& io,
            asio::ip::tcp::acceptor& acceptor)
        : options_(options),
          writer_(writer),
          io_(io),
          acceptor_(acceptor),
          port_(acceptor.local_endpoint().port()),
          simulator_(io_),
          accept_retry_(io_),
          signals_(io_, [this] { stop(); }) {}

    // Writes the ready file, once stop signals are taken, and relays one
    // session; the process's exit status.
    int run() {
        if (!options_.ready_file.empty() &&
            !command_line::write_ready_file("insim_tap", options_.ready_file, port_)) {
            end_without_session(1);
            return 1;
        }
        accept();
        io_.run();
        return status_;
    }

  private:
    // A failed accept (too many open files, say) is told once and tried
    // again every second, without spinning.
    void accept() {
        acceptor_.async_accept([this](std::error_code error, asio::ip::tcp::socket program) {
            if (error == asio::error::operation_aborted || stopped_) {
                return;
            }
            if (!error) {
                connected(std::move(program));
                return;
            }
            if (!accept_failed_) {
                accept_failed_ = true;
                std::cerr << "insim_tap: cannot accept the program's connection: "
                          << error.message() << "; trying again every second\n";
            }
            accept_retry_.expires_after(std::chrono::seconds(1));
            accept_retry_.async_wait([this](std::error_code wait_error) {
                if (!wait_error && !stopped_) {
                    accept();
                }
            });
        });
    }

    void connected(asio::ip::tcp::socket program) {
        const Clock::time_point connected_at = Clock::now();
        engine::close_now(acceptor_);  // one program only
        prepare(program);
        program_.emplace(std::move(program));
        simulator_.async_connect(engine::loopback(options_.to_port),
                                 [this, connected_at](std::error_code error) {
                                     if (error) {
                                         no_simulator();
                                     } else {
                                         relay(connected_at);
                                     }
                                 });
    }

    void no_simulator() {
        if (stopped_) {
            return;
        }
        std::cerr << "insim_tap: nothing listens on 127.0.0.1:" << options_.to_port
                  << "; open the simulator's InSim port there, for example by typing /insim "
                  << options_.to_port << " in the simulator\n";
        end_without_session(1);
    }

    void relay(Clock::time_point connected_at) {
        if (stopped_) {
            return;
        }
        prepare(simulator_);
        std::cout << "insim_tap: relaying; writing the session to " << options_.out << std::endl;
        log_.emplace(io_, writer_, connected_at);
        log_->comment("program on 127.0.0.1:" + std::to_string(port_) +
                      ", simulator on 127.0.0.1:" + std::to_string(options_.to_port));
        relay_.emplace(io_, std::move(*program_), std::move(simulator_), *log_,
                       std::chrono::seconds(options_.stall_limit_s), options_.faults);
        relay_->start([this] { ended(); });
    }

    void stop() {
        if (relay_) {
            relay_->stop();
            return;
        }
        std::cout << "insim_tap: interrupted before a session began; " << options_.out
                  << " is left as it was" << std::endl;
        end_without_session(0);
    }

    // No session took place: the capture is left as it was.
    void end_without_session(int status) {
        stopped_ = true;
        status_ = status;
        accept_retry_.cancel();
        writer_.abandon();
        engine::close_now(acceptor_);
        if (program_) {
            engine::close_now(*program_);
        }
        engine::close_now(simulator_);
        signals_.cancel();
    }

    void ended() {
        signals_.cancel();
        const long long ms = log_->ms_now();
        log_->session_ended();
        const std::string lost_to_program =
            undelivered("the simulator", "the program", relay_->to_program());
        const std::string lost_to_simulator =
            undelivered("the program", "the simulator", relay_->to_simulator());
        log_->comment("end at " + std::to_string(ms) + " ms: " + relay_->ending());
        log_->close();
        const bool good_before = writer_.good();
        const bool written = writer_.finish();
        if (!relay_->stall().empty()) {
            std::cerr << "insim_tap: " << relay_->stall() << "\n";
            status_ = 1;
        }
        // Records a fault held could not go: the capture holds what the
        // other side never got.
        for (const std::string* lost : {&lost_to_program, &lost_to_simulator}) {
            if (!lost->empty()) {
                std::cerr << "insim_tap: " << *lost << "\n";
                status_ = 1;
            }
        }
        if (!written) {
            if (good_before) {
                std::cerr << "insim_tap: " << writer_.error() << "\n";  // the move failed
            }
            status_ = 1;
            return;
        }
        std::cout << "insim_tap: " << relay_->ending() << "; "
                  << sim::counted(log_->records(), "record") << " written to " << options_.out
                  << std::endl;
    }

    // Notes in the capture the bytes `from` sent that never reached `to`.
    // Returns the line that says so when a fault held some of them, else
    // nothing.
    std::string undelivered(const char* from, const char* to, const Relay::Undelivered& lost) {
        if (lost.bytes == 0) {
            return "";
        }
        std::string note = sim::counted(lost.bytes, "byte") + " from " + from +
                           (lost.bytes == 1 ? " was" : " were") + " not delivered to " +
                           std::string(to);
        if (lost.held == 0) {
            log_->comment(note);
            return "";
        }
        note += ", " + std::to_string(lost.held) + " of them held by a fault";
        note += lost.interrupted ? ", which the interrupt did not wait for"
                                 : " when " + std::string(to) + "'s connection ended";
        log_->comment(note);
        return note;
    }

    const Options& options_;
    capture::Writer& writer_;
    asio::io_context& io_;
    asio::ip::tcp::acceptor& acceptor_;
    const uint16_t port_;
    std::optional<asio::ip::tcp::socket> program_;
    asio::ip::tcp::socket simulator_;
    asio::steady_timer accept_retry_;
    engine::StopSignals signals_;
    std::optional<CaptureLog> log_;
    std::optional<Relay> relay_;
    bool accept_failed_ = false;
    bool stopped_ = false;
    int status_ = 0;
};

}  // namespace

int run(const Options& options) {
    capture::Writer writer;
    if (!writer.open(options.out)) {
        std::cerr << "insim_tap: " << writer.error() << "\n";
        return 1;
    }
    asio::io_context io(1);
    std::error_code error;
    asio::ip::tcp::acceptor acceptor = engine::listen_on_loopback(io, options.listen_port, error);
    if (error) {
        writer.abandon();
        std::cerr << "insim_tap: cannot listen on 127.0.0.1:" << options.listen_port << ": "
                  << error.message() << "\n";
        return 1;
    }
    const uint16_t port = acceptor.local_endpoint().port();
    std::cout << "insim_tap: waiting for a program on 127.0.0.1:" << port
              << ", to relay to the simulator on 127.0.0.1:" << options.to_port << std::endl;
    Session session(options, writer, io, acceptor);
    const int status = session.run();
    engine::StopSignals::finished();
    return status;
}

}  // namespace insim_tap
