// record_dump: connects to the simulator and prints every record it sends,
// one line each, stamped with the time since the connection opened.
#include <insim/format_time.h>
#include <insim/insim_connection.h>
#include <insim/records.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kUsage[] =
    "usage: record_dump [--host HOST] [--port PORT] [--name NAME] [--interval MS]\n"
    "                   [--insim-version N]\n"
    "Connects to the simulator and prints every record it sends, stamped with\n"
    "the time since connecting.\n"
    "  --host HOST     host name or IPv4 address (default 127.0.0.1)\n"
    "  --port PORT     the simulator's port (default 29999)\n"
    "  --name NAME     program name to introduce itself with (default record_dump)\n"
    "  --interval MS   ask for car-position reports every MS ms; 0 asks for none (default 0)\n"
    "  --insim-version N\n"
    "                  the protocol version to declare: 0 (served as 6) to 8 size records\n"
    "                  in bytes; 9, today's, and later in 4-byte units, with reports of up\n"
    "                  to 16 cars (default 0)\n"
    "  --help          show this and exit\n";

const char* type_name(uint8_t type) {
    switch (type) {
        case insim::ISP_ISI:
            return "introduction";
        case insim::ISP_VER:
            return "version";
        case insim::ISP_TINY:
            return "tiny";
        case insim::ISP_MTC:
            return "chat";
        case insim::ISP_MCI:
            return "car positions";
        case insim::ISP_BTN:
            return "button";
        default:
            return "other";
    }
}

bool parse_number(const char* text, long highest, long& value) {
    char* end = nullptr;
    value = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && value >= 0 && value <= highest;
}

}  // namespace

int main(int argc, char** argv) {
    std::string host = "127.0.0.1";
    std::string name = "record_dump";
    long port = 29999;
    long interval = 0;
    long insim_version = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        const char* value = i + 1 < argc ? argv[++i] : nullptr;
        bool ok = value != nullptr;
        if (ok && option == "--host") {
            host = value;
        } else if (ok && option == "--name") {
            name = value;
        } else if (ok && option == "--port") {
            ok = parse_number(value, 65535, port) && port > 0;
        } else if (ok && option == "--interval") {
            ok = parse_number(value, 65535, interval);
        } else if (ok && option == "--insim-version") {
            ok = parse_number(value, 255, insim_version);
        } else {
            ok = false;
        }
        if (!ok) {
            std::fprintf(stderr, "record_dump: bad option %s\n%s", option.c_str(), kUsage);
            return 2;
        }
    }

    // The kind of connection that can also declare version 9 and later.
    static insim::InsimConnectionV9 connection;
    insim::IS_VER version{};
    const auto flags = static_cast<uint16_t>(interval > 0 ? insim::ISF_MCI : 0);
    if (connection.open(host.c_str(), static_cast<uint16_t>(port), name.c_str(), "", &version, '!',
                        flags, static_cast<uint16_t>(interval), 0,
                        static_cast<uint8_t>(insim_version)) < 0) {
        std::fprintf(stderr, "record_dump: cannot connect to %s:%ld\n", host.c_str(), port);
        return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    auto print = [&start](const char* packet) {
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        char stamp[insim::kFormattedTimeSize];
        const auto type = static_cast<uint8_t>(packet[1]);
        const auto bytes =
            static_cast<unsigned>(static_cast<uint8_t>(packet[0]) * connection.size_unit());
        std::printf("%s %s (type %u), %u bytes\n",
                    insim::format_time(static_cast<int32_t>(elapsed.count()), stamp, 1),
                    type_name(type), type, bytes);
        std::fflush(stdout);
    };
    print(connection.current_packet());  // the version answer
    for (;;) {
        const int result = connection.read_packet();
        if (result == -2) {
            std::puts("connection closed by the simulator");
            return 0;
        }
        if (result < 0) {
            std::fputs("record_dump: reading failed\n", stderr);
            return 1;
        }
        if (connection.current_packet() != nullptr) {
            print(connection.current_packet());
        }
    }
}
