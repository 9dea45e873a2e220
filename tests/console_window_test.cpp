// The decision to keep the console window open after a failed start, and
// what the program then writes and reads.
#include "app/console_window.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

using street_names::ConsoleState;

TEST(ConsoleWindow, HeldOpenOnlyWhenTheProgramOwnsItsConsoleAndCanReadEnter) {
    const std::string held =
        "The simulator must be running with its InSim port open on 29999: type /insim 29999 in "
        "the simulator, then start this program again.\n"
        "Press Enter to close this window.\n";
    const struct {
        const char* label;
        ConsoleState console;
        bool held;
    } cases[] = {
        {"own console, interactive input", {1, true}, true},
        {"console shared with a prompt", {2, true}, false},
        {"redirected input", {1, false}, false},
        {"count unavailable", {std::nullopt, true}, false},
        {"no console (redirected streams)", {std::nullopt, false}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(street_names::keepsWindowOpen(c.console), c.held) << c.label;
        std::istringstream in("\nleft for later");
        std::ostringstream err;
        street_names::holdWindowAfterError(c.console, in, err);
        EXPECT_EQ(err.str(), c.held ? held : "") << c.label;
        std::string rest;
        std::getline(in, rest);
        EXPECT_EQ(rest, c.held ? "left for later" : "") << c.label << ": reads one line, no more";
    }
}

TEST(ConsoleWindow, TheEndOfInputAlsoClosesIt) {
    std::istringstream in("");
    std::ostringstream err;
    street_names::holdWindowAfterError({1, true}, in, err);
    EXPECT_NE(err.str().find("Press Enter"), std::string::npos);
}

}  // namespace
