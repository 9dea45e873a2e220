#include "app/console_window.h"

#include <istream>
#include <ostream>
#include <string>

namespace street_names {

bool keepsWindowOpen(const ConsoleState& console) {
    return console.processCount == 1u && console.inputIsConsole;
}

void holdWindowAfterError(const ConsoleState& console, std::istream& in, std::ostream& err) {
    if (!keepsWindowOpen(console)) {
        return;
    }
    err << "The simulator must be running with its InSim port open on 29999: type /insim 29999 "
           "in the simulator, then start this program again."
        << std::endl;
    err << "Press Enter to close this window." << std::endl;
    std::string line;
    std::getline(in, line);
}

}  // namespace street_names
