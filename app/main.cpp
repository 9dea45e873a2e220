// street_names: shows on the simulator's screen the name of the track area in
// which the first car drives.
#include <cstring>
#include <iostream>

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

}  // namespace

int main() {
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
