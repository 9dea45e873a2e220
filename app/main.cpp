// street_names: shows on the simulator's screen the name of the track area in
// which the first car drives.
#include <cstring>
#include <iostream>
#include <string_view>

#include "app/console_window.h"
#include "app/display_loop.h"
#include "app/street_areas.h"
#include "insim/insim_connection.h"
#include "insim/records.h"

namespace {

insim::InsimConnection connection;
insim::IS_BTN streetButton{};

// Prints "Connected to LFS <version>, InSim ver. <n>" for the version answer.
void reportVersion(const insim::IS_VER& verPack) {
    std::cout << "Connected to LFS ";
    std::cout.write(verPack.Version,
                    static_cast<std::streamsize>(strnlen(verPack.Version, sizeof verPack.Version)));
    std::cout << ", InSim ver. " << static_cast<unsigned>(verPack.InSimVer) << std::endl;
}

const char kHelp[] =
    "Usage: street_names [-h | --help | --version]\n"
    "Shows on the racing simulator's screen the name of the track area in which\n"
    "the first car drives (\"Backstraight\", \"Chicane\", \"Sector 2\"), as a button\n"
    "it updates with every car-position report.\n"
    "\n"
    "It connects to the simulator's InSim port 127.0.0.1:29999 on the same\n"
    "machine: open that port first by typing /insim 29999 in the simulator.\n"
    "Once connected it prints \"Connected to LFS <version>, InSim ver. <n>\" and\n"
    "nothing else; when it cannot connect it prints \"Error connecting to LFS!\"\n"
    "on standard error.\n"
    "\n"
    "Options:\n"
    "  -h, --help     print this text and exit\n"
    "      --version  print the version and exit\n"
    "Any other argument is ignored.\n"
    "\n"
    "Exit status: 0 after --help or --version; -1 (255 in a POSIX shell) when\n"
    "the connection fails or the simulator closes it.\n";

// Answers -h, --help and --version, whichever comes first, and tells whether
// it did; other arguments are ignored, so the program starts as ever.
bool answeredOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h" || argument == "--help") {
            std::cout << kHelp;
            return true;
        }
        if (argument == "--version") {
            std::cout << "street_names " STREET_NAMES_VERSION "\n";
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (answeredOption(argc, argv)) {
        return 0;
    }
    street_names::addAreaCorners();
    street_names::fillStreetButton(streetButton);

    insim::IS_VER verPack{};
    if (connection.open("127.0.0.1", 29999, "Sample InSim app", "", &verPack, '!', insim::ISF_MCI,
                        1000, 0) < 0) {
        std::cerr << "Error connecting to LFS!" << std::endl;
        // A double-clicked program's window would close before the line
        // could be read.
        street_names::holdWindowAfterError(street_names::consoleState(), std::cin, std::cerr);
        return -1;
    }
    reportVersion(verPack);
    return street_names::runDisplayLoop(connection, streetButton);
}
