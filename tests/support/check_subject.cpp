// A small program of the client protocol for insim_check to judge, sound or
// breaking one rule, as its first argument says:
//   sound              keeps every rule
//   silent             introduces itself, then never sends again
//   wide_button        its buttons are 220 wide, over the limit of 200
//   odd_size           its buttons are sized to their text, not to 4 bytes
//   unterminated_name  its name fills its 16 bytes without a 0
//   whole_reads        takes each read as whole records: a record cut across
//                      reads is lost
//   changes_only       keeps every rule, and sends a button only when its
//                      text changes
//   size_zero          sends a size byte of 0 after each keep-alive answer
//   odd_answer         answers keep-alives with a 5-byte record
//   lingers            keeps every rule, says its process identifier on
//                      standard error, and waits a minute after the close
//   crash_at_report    ends at once, as a crash does, at its first report
//   crash_at_unexpected  ends at once, as a crash does, at a record of a type
//                      of the protocol other than those it uses (a version,
//                      a keep-alive or other IS_TINY, a report)
//   close_after_3      closes its connection after its third report
//   own_whole_reads    whole_reads, with a keep-alive of its own every 400 ms
//   own_deaf_at_9      a keep-alive of its own every 400 ms, and once a report
//                      shows a ninth car it reads and answers nothing more
//   own_no_answers_deaf_at_9  own_deaf_at_9, but it answers no keep-alive
//   slow_own_whole_reads  whole_reads, with a keep-alive of its own every 3 s
//                      (the first 3 s after it connects)
//   slow_own_deaf_at_9  own_deaf_at_9 with a keep-alive of its own every 3 s
//                      (the first 3 s after it connects)
//   button_per_car     a button per car of each report, ClickID 200 + PLID
//   late_answers       answers each keep-alive 1.1 s after it came
//   sound9             keeps every rule of protocol version 9: sizes in
//                      4-byte units (its introduction's size byte 11), 16
//                      cars a report
//   bytes9             declares version 9 but sizes its keep-alive answers
//                      in bytes; sends no buttons
//   button_bytes9      declares version 9, sizes its buttons (of 16 bytes)
//                      in bytes, and answers no keep-alive: in 4-byte units
//                      each button it sends takes the next three in
//   flood              sound9, sending a gigabyte of sound buttons as fast as
//                      it can besides its answers
// It connects to 127.0.0.1 at INSIM_PORT, introduces itself by the name in
// CHECK_SUBJECT_NAME (if set), says so in a line on standard
// output and one on standard error, asks for car reports, answers each
// keep-alive and each report (with a button naming the first car's x in
// metres), and ends when the connection does.
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

#include "tests/support/child_process.h"
#include "tools/engine/peer.h"
#include "tools/protocol/catalogue.h"
#include "tools/protocol/record_splitter.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kOwnKeepAliveEvery = 400ms;
constexpr auto kSlowOwnKeepAliveEvery = 3s;
constexpr auto kLateBy = 1100ms;
constexpr uint8_t kFirstPerCarId = 200;
constexpr uint8_t kNinthCar = 9;
constexpr int kCrashStatus = 3;
constexpr int kCloseAfterReports = 3;
constexpr std::size_t kFloodBytes = std::size_t{1} << 30;
constexpr std::size_t kFloodButtonsASend = 256;

struct Subject {
    Subject(std::string mode_, sim::SimClient& link_) : mode(std::move(mode_)), link(link_) {}

    std::string mode;
    sim::SimClient& link;
    int version = 8;
    std::string last_text = {};
    int reports = 0;
    bool deaf = false;
    std::mutex sending;  // the own keep-alives' or the flood's thread sends too

    bool send(const sim::Bytes& record) {
        const std::lock_guard<std::mutex> lock(sending);
        return link.send(record);
    }

    void introduce() {
        if (mode == "sound9" || mode == "bytes9" || mode == "flood" || mode == "button_bytes9") {
            version = 9;
            link.set_record_unit(framing::kWordUnits);
        }
        const char* name = std::getenv("CHECK_SUBJECT_NAME");
        insim::IS_ISI isi = sim::introduction(name != nullptr ? name : "check subject",
                                              insim::ISF_MCI, 100, static_cast<uint8_t>(version));
        if (mode == "unterminated_name") {
            std::memset(isi.IName, 'n', sizeof isi.IName);
        }
        sim::Bytes record = sim::bytes_of(isi);
        if (mode == "sound9" || mode == "button_bytes9") {
            record = sim::sized_for(record, version);  // 11, in 4-byte units
        }
        send(record);
    }

    void answer_keepalive(const sim::Bytes& record) {
        if (mode == "button_bytes9" || mode == "own_no_answers_deaf_at_9") {
            return;
        }
        if (mode == "odd_answer") {
            send({5, insim::ISP_TINY, 0, insim::TINY_NONE, 0});
        } else if (mode == "size_zero") {
            send(sim::concat({record, {0, 0, 0, 0}}));
        } else if (mode == "bytes9") {
            send(sim::tiny_record(insim::TINY_NONE));  // 4 in its size byte
        } else {
            send(record);
        }
    }

    void answer(const sim::Bytes& record) {
        if (mode == "silent" || record.size() < 4) {
            return;
        }
        if (mode == "crash_at_unexpected" && catalogue::find(record[1]) != nullptr &&
            record[1] != insim::ISP_VER && record[1] != insim::ISP_TINY &&
            record[1] != insim::ISP_MCI) {
            std::_Exit(kCrashStatus);
        }
        if (record[1] == insim::ISP_TINY && record[3] == insim::TINY_NONE) {
            answer_keepalive(record);
        } else if (record[1] == insim::ISP_MCI &&
                   record.size() >= offsetof(insim::IS_MCI, Info) + sizeof(insim::CompCar) &&
                   record[offsetof(insim::IS_MCI, NumC)] > 0) {
            answer_report(record);
        }
    }

    insim::CompCar car_of(const sim::Bytes& report, std::size_t i) {
        insim::CompCar car{};
        std::memcpy(&car, report.data() + offsetof(insim::IS_MCI, Info) + i * sizeof car,
                    sizeof car);
        return car;
    }

    void answer_report(const sim::Bytes& report) {
        ++reports;
        if (mode == "crash_at_report") {
            std::_Exit(kCrashStatus);
        }
        const std::size_t cars = report[offsetof(insim::IS_MCI, NumC)];
        if (mode.ends_with("deaf_at_9")) {
            for (std::size_t i = 0; i < cars; ++i) {
                deaf = deaf || car_of(report, i).PLID >= kNinthCar;
            }
            if (deaf) {
                return;
            }
        }
        if (mode == "bytes9" || mode == "flood") {
            return;
        }
        if (mode == "button_bytes9") {
            send_button("v9");
            return;
        }
        if (mode == "button_per_car") {
            for (std::size_t i = 0; i < cars; ++i) {
                const insim::CompCar car = car_of(report, i);
                send_button(std::to_string(car.X / insim::kPositionUnit),
                            static_cast<uint8_t>(kFirstPerCarId + car.PLID));
            }
        } else {
            send_button(std::to_string(car_of(report, 0).X / insim::kPositionUnit));
        }
        if (mode == "close_after_3" && reports == kCloseAfterReports) {
            link.close();
        }
    }

    static sim::Bytes button(const std::string& text, uint8_t click_id, uint8_t width,
                             bool sized_to_text) {
        insim::IS_BTN button{};
        button.Type = insim::ISP_BTN;
        button.ReqI = 1;
        button.ClickID = click_id;
        button.L = 10;
        button.T = 10;
        button.W = width;
        button.H = 8;
        std::memcpy(button.Text, text.c_str(), std::min(text.size() + 1, sizeof button.Text));
        const std::size_t header = offsetof(insim::IS_BTN, Text);
        std::size_t size = std::min(header + text.size() + 1, sizeof button);
        if (!sized_to_text) {
            size = (size + 3) / 4 * 4;
        }
        button.Size = static_cast<uint8_t>(size);
        sim::Bytes record = sim::bytes_of(button);
        record.resize(size);
        return record;
    }

    void send_button(const std::string& text, uint8_t click_id = 1) {
        if (mode == "changes_only" && text == last_text) {
            return;
        }
        last_text = text;
        sim::Bytes record =
            button(text, click_id, mode == "wide_button" ? 220 : 40, mode == "odd_size");
        send(version >= 9 && mode != "button_bytes9" ? sim::sized_for(record, version) : record);
    }

    // Each read taken as whole records, as a careless program does.
    void run_on_whole_reads() {
        while (const auto bytes = link.read_available(3600s)) {
            for (std::size_t at = 0; at < bytes->size() && (*bytes)[at] != 0; at += (*bytes)[at]) {
                if (at + (*bytes)[at] > bytes->size()) {
                    break;  // the rest of it is in the next read: lost
                }
                answer(sim::Bytes(bytes->begin() + static_cast<long>(at),
                                  bytes->begin() + static_cast<long>(at + (*bytes)[at])));
            }
        }
    }

    // Answers each keep-alive kLateBy after it came.
    void run_late() {
        std::deque<std::pair<Clock::time_point, sim::Bytes>> due;
        while (!link.ended()) {
            const auto wait =
                due.empty() ? Clock::duration(3600s) : due.front().first - Clock::now();
            const auto record = link.read_record(
                std::max(std::chrono::duration_cast<std::chrono::milliseconds>(wait),
                         std::chrono::milliseconds(1)));
            while (!due.empty() && due.front().first <= Clock::now()) {
                send(due.front().second);
                due.pop_front();
            }
            if (!record) {
                continue;
            }
            if ((*record)[1] == insim::ISP_TINY && (*record)[3] == insim::TINY_NONE) {
                due.emplace_back(Clock::now() + kLateBy, *record);
            } else {
                answer(*record);
            }
        }
    }

    void run() {
        introduce();
        std::thread own;
        if (mode.rfind("own_", 0) == 0) {
            own = std::thread([this] {
                const sim::Bytes keepalive = sim::tiny_record(insim::TINY_NONE);
                while (send(keepalive)) {
                    std::this_thread::sleep_for(kOwnKeepAliveEvery);
                }
            });
        } else if (mode.rfind("slow_own_", 0) == 0) {
            // Slower than the checker watches for them before its probes.
            own = std::thread([this] {
                const sim::Bytes keepalive = sim::tiny_record(insim::TINY_NONE);
                do {
                    std::this_thread::sleep_for(kSlowOwnKeepAliveEvery);
                } while (send(keepalive));
            });
        }
        if (mode.ends_with("whole_reads")) {
            run_on_whole_reads();
        } else if (mode == "late_answers") {
            run_late();
        } else if (mode == "flood") {
            run_flood();
        } else {
            while (!link.ended() && !deaf) {
                if (const auto record = link.read_record(3600s)) {
                    answer(*record);
                }
            }
        }
        if (own.joinable()) {
            own.join();  // a deaf program goes on with its own keep-alives
        }
    }

    // Sends kFloodBytes of sound buttons from a thread of its own, and the
    // answers to keep-alives between its sends.
    void run_flood() {
        std::mutex lock;
        std::condition_variable changed;
        int owed = 0;
        bool ended = false;
        std::thread flood([&] {
            sim::Bytes many;
            for (std::size_t i = 0; i < kFloodButtonsASend; ++i) {
                many = sim::concat(
                    {many, sim::sized_for(button(std::string(200, 'f'), 1, 40, false), version)});
            }
            const sim::Bytes keepalive =
                sim::sized_for(sim::tiny_record(insim::TINY_NONE), version);
            for (std::size_t sent = 0;;) {
                std::unique_lock<std::mutex> held(lock);
                // Once the gigabyte is out, only answers are left to send.
                changed.wait(held, [&] { return ended || owed > 0 || sent < kFloodBytes; });
                if (ended) {
                    return;
                }
                const int answers = std::exchange(owed, 0);
                held.unlock();
                for (int i = 0; i < answers; ++i) {
                    if (!send(keepalive)) {
                        return;
                    }
                }
                if (sent < kFloodBytes) {
                    if (!send(many)) {
                        return;
                    }
                    sent += many.size();
                }
            }
        });
        while (!link.ended()) {
            if (const auto record = link.read_record(3600s);
                record && (*record)[1] == insim::ISP_TINY && (*record)[3] == insim::TINY_NONE) {
                const std::lock_guard<std::mutex> held(lock);
                ++owed;
                changed.notify_one();
            }
        }
        {
            const std::lock_guard<std::mutex> held(lock);
            ended = true;
            changed.notify_one();
        }
        flood.join();
    }
};

}  // namespace

using test_support::current_process_id;

int main(int argc, char** argv) {
    const char* port = std::getenv("INSIM_PORT");
    if (argc != 2 || port == nullptr) {
        std::cerr << "usage: INSIM_PORT=N check_subject MODE\n";
        return 2;
    }
    sim::SimClient link(static_cast<uint16_t>(std::atoi(port)));
    if (!link.connected()) {
        std::cerr << "check_subject: cannot connect to 127.0.0.1:" << port << "\n";
        return 1;
    }
    // A line on each output, which the checker marks as the program's.
    std::cout << "check_subject " << argv[1] << " connected" << std::endl;
    std::cerr << "check_subject " << argv[1] << " runs" << std::endl;
    Subject subject{argv[1], link};
    if (subject.mode == "lingers") {
        std::cerr << "check_subject " << current_process_id() << " lingers" << std::endl;
    }
    subject.run();
    if (subject.mode == "lingers") {
        std::this_thread::sleep_for(std::chrono::seconds(60));
    }
    return 0;
}
