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
// It connects to 127.0.0.1 at INSIM_PORT, asks for car reports, answers each
// keep-alive and each report (with a button naming the first car's x in
// metres), and ends when the connection does.
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>

#include "tests/support/child_process.h"
#include "tools/engine/peer.h"

namespace {

using namespace std::chrono_literals;

struct Subject {
    std::string mode;
    sim::SimClient& link;
    std::string last_text = {};

    void introduce() {
        insim::IS_ISI isi = sim::introduction("check subject", insim::ISF_MCI, 100, 8);
        if (mode == "unterminated_name") {
            std::memset(isi.IName, 'n', sizeof isi.IName);
        }
        link.send(sim::bytes_of(isi));
    }

    void answer(const sim::Bytes& record) {
        if (mode == "silent" || record.size() < 4) {
            return;
        }
        if (record[1] == insim::ISP_TINY && record[3] == insim::TINY_NONE) {
            if (mode == "odd_answer") {
                link.send({5, insim::ISP_TINY, 0, insim::TINY_NONE, 0});
            } else {
                link.send(mode == "size_zero" ? sim::concat({record, {0, 0, 0, 0}}) : record);
            }
        } else if (record[1] == insim::ISP_MCI &&
                   record.size() >= offsetof(insim::IS_MCI, Info) + sizeof(insim::CompCar) &&
                   record[offsetof(insim::IS_MCI, NumC)] > 0) {
            int32_t x = 0;
            std::memcpy(&x,
                        record.data() + offsetof(insim::IS_MCI, Info) + offsetof(insim::CompCar, X),
                        sizeof x);
            send_button(std::to_string(x / insim::kPositionUnit));
        }
    }

    void send_button(const std::string& text) {
        if (mode == "changes_only" && text == last_text) {
            return;
        }
        last_text = text;
        insim::IS_BTN button{};
        button.Type = insim::ISP_BTN;
        button.ReqI = 1;
        button.ClickID = 1;
        button.L = 10;
        button.T = 10;
        button.W = mode == "wide_button" ? 220 : 40;
        button.H = 8;
        std::memcpy(button.Text, text.c_str(), text.size() + 1);
        const std::size_t header = offsetof(insim::IS_BTN, Text);
        std::size_t size = header + text.size() + 1;
        if (mode != "odd_size") {
            size = (size + 3) / 4 * 4;
        }
        button.Size = static_cast<uint8_t>(size);
        sim::Bytes record = sim::bytes_of(button);
        record.resize(size);
        link.send(record);
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

    void run() {
        introduce();
        if (mode == "whole_reads") {
            return run_on_whole_reads();
        }
        while (!link.ended()) {
            if (const auto record = link.read_record(3600s)) {
                answer(*record);
            }
        }
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
