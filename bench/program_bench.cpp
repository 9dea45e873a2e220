// Measures the built program: report-to-button latency against a plain
// loopback echo of the same sizes, peak memory, allocations after start-up
// and CPU time while connected and idle, each beside the same figure for the
// echo process; the latency with insim_tap between the program and the
// simulator, beside the direct figure; and fake_lfs's CPU time at 100
// reports a second, beside the echo process's at 100 exchanges a second.
// Writes the figures as JSON.
//
// usage: program_bench PROGRAM PRELOAD_LIBRARY IDLE_SECONDS OUTPUT.json TAP FAKE_LFS
#include <sched.h>
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/blocking_peer.h"
#include "insim/records.h"
#include "tests/support/child_process.h"
#include "tests/support/network_namespace.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kRounds = 3000;
constexpr std::size_t kReportSize = 32;  // one car
constexpr std::size_t kButtonSize = 24;  // "Backstraight"

const sim::Bytes kReport = sim::car_report({{330 * 65536, -300 * 65536}});

[[noreturn]] void fail(const std::string& what) {
    std::fprintf(stderr, "program_bench: %s\n", what.c_str());
    std::exit(1);
}

// Number of field `name` of /proc/PID/status (kB for sizes).
long status_kb(pid_t pid, const char* name) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(name, 0) == 0) {
            return std::stol(line.substr(std::string(name).size() + 1));
        }
    }
    return -1;
}

// CPU time PID has run, in milliseconds (the scheduler's count, to the
// nanosecond, where /proc/PID/stat counts whole clock ticks).
double cpu_ms(pid_t pid) {
    std::ifstream schedstat("/proc/" + std::to_string(pid) + "/schedstat");
    double nanoseconds = 0;
    schedstat >> nanoseconds;
    return nanoseconds / 1e6;
}

// Times PID has gone to sleep waiting for something: its wake-ups.
long wakeups(pid_t pid) {
    return status_kb(pid, "voluntary_ctxt_switches:");
}

struct Percentiles {
    double median_us;
    double p99_us;
};

Percentiles percentiles(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples[samples.size() * 99 / 100]};
}

// Times `rounds` exchanges of a report for an answer of `answer_size` bytes.
Percentiles time_rounds(bench::BlockingPeer& peer, std::size_t answer_size) {
    std::vector<double> samples;
    samples.reserve(kRounds);
    std::vector<uint8_t> answer(answer_size);
    for (int i = 0; i < kRounds; ++i) {
        const auto start = Clock::now();
        if (!peer.send(kReport) ||
            !peer.read_exact(answer.data(), answer.size(), milliseconds(5000))) {
            fail("exchange failed");
        }
        samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    return percentiles(samples);
}

// Sends each peer's client one report a second for `seconds`, answered each
// time.
void idle(std::initializer_list<bench::BlockingPeer*> peers, int seconds) {
    std::vector<uint8_t> answer(kButtonSize);
    for (int i = 0; i < seconds; ++i) {
        std::this_thread::sleep_for(milliseconds(1000));
        for (bench::BlockingPeer* peer : peers) {
            if (!peer->send(kReport) ||
                !peer->read_exact(answer.data(), answer.size(), milliseconds(5000))) {
                fail("idle exchange failed");
            }
        }
    }
}

// A process that answers each report with as many bytes as the program's
// button: the baseline of a round trip through another process.
pid_t start_echo(uint16_t port) {
    const pid_t pid = ::fork();
    if (pid != 0) {
        return pid;
    }
    // Keep none of the parent's sockets: the program must see its
    // connection end when the parent closes it.
    ::close_range(3, ~0U, 0);
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::_exit(1);
    }
    int on = 1;
    ::setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    uint8_t buffer[kReportSize];
    const uint8_t answer[kButtonSize] = {kButtonSize, 45};
    for (;;) {
        std::size_t have = 0;
        while (have < sizeof buffer) {
            const ssize_t got = ::recv(s, buffer + have, sizeof buffer - have, 0);
            if (got <= 0) {
                ::_exit(0);
            }
            have += static_cast<std::size_t>(got);
        }
        if (::send(s, answer, sizeof answer, MSG_NOSIGNAL) != sizeof answer) {
            ::_exit(0);
        }
    }
}

// The program's latency with insim_tap on its port, relaying to a peer on a
// port of its own and writing the capture to `capture`.
// Puts the processes `pids` (0: this one) on the first core alone, or back
// on every core. On this project's 2-core virtual machine a wake-up on a
// core that has gone idle costs tens of microseconds, and where the
// scheduler puts three processes that pass one record round decides how many
// such wake-ups a round takes; on one core the round measures the
// processes' own work.
void one_core(std::initializer_list<pid_t> pids, bool alone) {
    cpu_set_t cores;
    CPU_ZERO(&cores);
    const long count = alone ? 1 : ::sysconf(_SC_NPROCESSORS_ONLN);
    for (long core = 0; core < count; ++core) {
        CPU_SET(core, &cores);
    }
    for (const pid_t pid : pids) {
        ::sched_setaffinity(pid, sizeof cores, &cores);
    }
}

struct TapLatency {
    Percentiles any_core;
    Percentiles one_core;
};

TapLatency tap_latency(const std::string& program_path, const std::string& tap_path,
                       const std::string& capture) {
    bench::BlockingPeer peer;
    const std::string ready = capture + ".ready";
    test_support::ChildProcess tap(
        tap_path, {"--to", std::to_string(peer.port()), "--out", capture, "--ready-file", ready});
    for (int i = 0; i < 500 && ::access(ready.c_str(), F_OK) != 0; ++i) {
        std::this_thread::sleep_for(milliseconds(10));
    }
    ::unlink(ready.c_str());
    test_support::ChildProcess program(program_path);
    if (!peer.accept(milliseconds(5000)) || !peer.read_introduction(milliseconds(5000)) ||
        !peer.send(sim::version_record("0.7F", 9))) {
        fail("the program did not connect through the tap");
    }
    time_rounds(peer, kButtonSize);  // settle
    TapLatency latency;
    latency.any_core = time_rounds(peer, kButtonSize);
    one_core({0, static_cast<pid_t>(tap.pid()), static_cast<pid_t>(program.pid())}, true);
    time_rounds(peer, kButtonSize);
    latency.one_core = time_rounds(peer, kButtonSize);
    one_core({0}, false);
    peer.close_client();
    if (program.wait(milliseconds(5000)) != 255 || tap.wait(milliseconds(5000)) != 0) {
        fail("the program or the tap did not end as they should: " + tap.err());
    }
    return latency;
}

constexpr int kBusySeconds = 8;

// Share of a core that `pid` uses over `run`, which it is busy with.
template <typename Run>
double cpu_percent(pid_t pid, Run run) {
    const double before = cpu_ms(pid);
    const auto start = Clock::now();
    run();
    const double wall_ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return 100 * (cpu_ms(pid) - before) / wall_ms;
}

// fake_lfs sending 100 reports a second to a client that answers each with a
// button and each keep-alive in kind, for laps that outlast the measure:
// fake_lfs ends as the client leaves.
double fake_lfs_cpu(const std::string& fake_lfs_path, const std::string& ready) {
    test_support::ChildProcess simulator(
        fake_lfs_path, {"--port", "0", "--interval", "10", "--laps", "1000", "--keepalive", "1000",
                        "--ready-file", ready});
    uint16_t port = 0;
    for (int i = 0; i < 500 && port == 0; ++i) {
        std::this_thread::sleep_for(milliseconds(10));
        std::ifstream(ready) >> port;
    }
    ::unlink(ready.c_str());
    bench::BlockingClient client(port);
    const insim::IS_ISI isi = sim::introduction("", insim::ISF_MCI, 10);
    uint8_t record[256];
    if (!client.connected() || !client.send(sim::bytes_of(isi)) ||
        !client.read_exact(record, sizeof(insim::IS_VER), milliseconds(5000))) {
        fail("fake_lfs did not answer the introduction");
    }
    const sim::Bytes button = {12, insim::ISP_BTN, 1, 0, 237, 0, 32, 0, 1, 70, 60, 10};
    const auto answer_for = [&](std::chrono::seconds time) {
        for (const auto until = Clock::now() + time; Clock::now() < until;) {
            if (!client.read_exact(record, 1, milliseconds(5000)) ||
                !client.read_exact(record + 1, record[0] - 1u, milliseconds(5000))) {
                fail("fake_lfs stopped sending");
            }
            if (record[1] == insim::ISP_MCI) {
                client.send(button);
            } else if (record[1] == insim::ISP_TINY) {
                client.send(sim::Bytes(record, record + record[0]));
            }
        }
    };
    answer_for(std::chrono::seconds(1));  // settle
    const double percent =
        cpu_percent(simulator.pid(), [&] { answer_for(std::chrono::seconds(kBusySeconds)); });
    client.close_client();
    simulator.wait(milliseconds(5000));
    return percent;
}

// The echo process answering 100 exchanges a second.
double echo_cpu(bench::BlockingPeer& echo_peer, pid_t echo) {
    std::vector<uint8_t> answer(kButtonSize);
    return cpu_percent(echo, [&] {
        auto next = Clock::now();
        for (int i = 0; i < 100 * kBusySeconds; ++i) {
            next += milliseconds(10);
            std::this_thread::sleep_until(next);
            if (!echo_peer.send(kReport) ||
                !echo_peer.read_exact(answer.data(), answer.size(), milliseconds(5000))) {
                fail("echo exchange failed");
            }
        }
    });
}

// Reads "allocations N" lines from the program's standard error.
std::vector<long> allocation_snapshots(const std::string& err) {
    std::vector<long> counts;
    std::istringstream lines(err);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("allocations ", 0) == 0) {
            counts.push_back(std::stol(line.substr(12)));
        }
    }
    return counts;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7) {
        fail("usage: program_bench PROGRAM PRELOAD_LIBRARY IDLE_SECONDS OUTPUT.json TAP FAKE_LFS");
    }
    const std::string program_path = argv[1];
    const int idle_seconds = std::atoi(argv[3]);
    if (!test_support::enter_own_network_namespace()) {
        std::fprintf(stderr, "program_bench: no network namespace; port 29999 must be free\n");
    }

    const TapLatency tapped_latency =
        tap_latency(program_path, argv[5], std::string(argv[4]) + ".capture.txt");
    const double fake_lfs_percent = fake_lfs_cpu(argv[6], std::string(argv[4]) + ".ready");

    // The program, with its allocations counted, and the echo baseline.
    bench::BlockingPeer peer(29999);
    ::setenv("LD_PRELOAD", argv[2], 1);
    test_support::ChildProcess program(program_path);
    ::unsetenv("LD_PRELOAD");
    if (!peer.accept(milliseconds(5000)) || !peer.read_introduction(milliseconds(5000)) ||
        !peer.send(sim::version_record("0.7F", 9))) {
        fail("the program did not connect");
    }
    bench::BlockingPeer echo_peer;
    const pid_t echo = start_echo(echo_peer.port());
    if (!echo_peer.accept(milliseconds(5000))) {
        fail("the echo process did not connect");
    }

    // One exchange completes the program's start-up; the count from here on
    // is the loop's.
    time_rounds(peer, kButtonSize);
    ::kill(program.pid(), SIGUSR2);
    std::this_thread::sleep_for(milliseconds(100));
    time_rounds(echo_peer, kButtonSize);
    const Percentiles program_latency = time_rounds(peer, kButtonSize);
    const Percentiles echo_latency = time_rounds(echo_peer, kButtonSize);
    one_core({0, static_cast<pid_t>(program.pid())}, true);
    time_rounds(peer, kButtonSize);
    const Percentiles program_one_core = time_rounds(peer, kButtonSize);
    one_core({0, static_cast<pid_t>(program.pid())}, false);

    // Both idle through the same minute, one report a second each.
    idle({&peer, &echo_peer}, 1);  // settle first
    const double program_cpu_before = cpu_ms(program.pid());
    const long program_wakeups_before = wakeups(program.pid());
    const double echo_cpu_before = cpu_ms(echo);
    const long echo_wakeups_before = wakeups(echo);
    idle({&peer, &echo_peer}, idle_seconds);
    const double program_idle_cpu = cpu_ms(program.pid()) - program_cpu_before;
    const long program_idle_wakeups = wakeups(program.pid()) - program_wakeups_before;
    const double echo_idle_cpu = cpu_ms(echo) - echo_cpu_before;
    const long echo_idle_wakeups = wakeups(echo) - echo_wakeups_before;
    const double echo_busy_percent = echo_cpu(echo_peer, echo);

    ::kill(program.pid(), SIGUSR2);
    std::this_thread::sleep_for(milliseconds(100));
    const long program_peak_kb = status_kb(program.pid(), "VmHWM:");
    const long echo_peak_kb = status_kb(echo, "VmHWM:");
    peer.close_client();
    echo_peer.close_client();
    ::waitpid(echo, nullptr, 0);
    if (program.wait(milliseconds(5000)) != 255) {
        fail("the program did not end with 255");
    }
    const std::vector<long> snapshots = allocation_snapshots(program.err());
    if (snapshots.size() != 2) {
        fail("no allocation counts from the program: " + program.err());
    }

    std::ofstream out(argv[4]);
    out << "{\n"
        << "  \"rounds\": " << kRounds << ",\n"
        << "  \"program_latency_median_us\": " << program_latency.median_us << ",\n"
        << "  \"program_latency_p99_us\": " << program_latency.p99_us << ",\n"
        << "  \"echo_latency_median_us\": " << echo_latency.median_us << ",\n"
        << "  \"echo_latency_p99_us\": " << echo_latency.p99_us << ",\n"
        << "  \"tapped_latency_median_us\": " << tapped_latency.any_core.median_us << ",\n"
        << "  \"tapped_one_core_median_us\": " << tapped_latency.one_core.median_us << ",\n"
        << "  \"program_one_core_median_us\": " << program_one_core.median_us << ",\n"
        << "  \"program_peak_kb\": " << program_peak_kb << ",\n"
        << "  \"echo_peak_kb\": " << echo_peak_kb << ",\n"
        << "  \"allocations_at_start\": " << snapshots[0] << ",\n"
        << "  \"allocations_after_start\": " << snapshots[1] - snapshots[0] << ",\n"
        << "  \"idle_seconds\": " << idle_seconds << ",\n"
        << "  \"program_idle_cpu_ms\": " << program_idle_cpu << ",\n"
        << "  \"echo_idle_cpu_ms\": " << echo_idle_cpu << ",\n"
        << "  \"program_idle_wakeups\": " << program_idle_wakeups << ",\n"
        << "  \"echo_idle_wakeups\": " << echo_idle_wakeups << ",\n"
        << "  \"busy_seconds\": " << kBusySeconds << ",\n"
        << "  \"fake_lfs_cpu_percent\": " << fake_lfs_percent << ",\n"
        << "  \"echo_busy_cpu_percent\": " << echo_busy_percent << "\n"
        << "}\n";
    return out ? 0 : 1;
}
