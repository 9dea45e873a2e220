// The Windows console: a program that is the only process attached to its
// console was given that console (and its window) of its own, as by a
// double-click; started from a prompt it shares the prompt's.
#include <windows.h>

#include "app/console_window.h"

namespace street_names {

ConsoleState consoleState() {
    DWORD ids[2];
    const DWORD count = ::GetConsoleProcessList(ids, 2);
    DWORD mode = 0;
    const bool inputIsConsole = ::GetConsoleMode(::GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
    return {count == 0 ? std::nullopt : std::optional<unsigned long>(count), inputIsConsole};
}

}  // namespace street_names
