// Keeping the console window open after a failed start, so that a user who
// double-clicked the program can read why it ended. Only a program that owns
// its console window waits: the one process attached to it, with its input a
// console. From a prompt, a script or with redirected streams nothing
// changes.
#pragma once

#include <iosfwd>
#include <optional>

namespace street_names {

// What the platform tells of the program's console.
struct ConsoleState {
    // Processes attached to the console; nothing when that is unknown or
    // there is no console.
    std::optional<unsigned long> processCount;
    bool inputIsConsole;  // standard input reads from the console
};

// The platform's answer: console_window_windows.cpp asks Windows; on POSIX a
// program never owns a window of its own (console_window_posix.cpp).
ConsoleState consoleState();

// Whether to keep the window open: only when this program is the only
// process on its console (a double-click, a shortcut, or a launcher that
// gave it a new console) and can read Enter from it.
bool keepsWindowOpen(const ConsoleState& console);

// After the error line of a failed start: when keepsWindowOpen(console),
// writes a hint and "Press Enter to close this window." to `err`, then
// waits for Enter or the end of `in`. Otherwise does nothing.
void holdWindowAfterError(const ConsoleState& console, std::istream& in, std::ostream& err);

}  // namespace street_names
