// On POSIX a terminal belongs to the shell that started the program, never to
// the program alone, so its window is never held open.
#include "app/console_window.h"

namespace street_names {

ConsoleState consoleState() {
    return {std::nullopt, false};
}

}  // namespace street_names
