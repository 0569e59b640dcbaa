// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "panel/command_line.h"

#include <cstdio>
#include <string_view>

namespace {
constexpr int kUsageError = 2;

constexpr std::string_view kHelp =
    "Usage: actuator-panel [OPTION]...\n"
    "Drive a simulated lead-screw linear actuator from one window: type a target\n"
    "position and a screw speed, start and stop the move, watch the position and\n"
    "pressure, and log them every two seconds to a text file.\n"
    "\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "\n"
    "Options of the Qt toolkit, such as -platform NAME, -style NAME and -reverse,\n"
    "are passed on to it.\n"
    "\n"
    "Files: the background picture somethingblue.jpg is read from the desktop folder\n"
    "at start; Save writes the log to \"My Documents/TESTFILE.txt\" in that folder.\n"
    "See actuator-panel(1).\n";

constexpr std::string_view kVersion =
    "actuator-panel " ACTUATOR_PANEL_VERSION "\n"
    "Copyright (c) 2026 Actuator Panel contributors\n"
    "License MIT: the LICENSE file that comes with the program.\n";

int print(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
} // namespace

std::optional<int> answerInformationOptions(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            return print(kHelp);
        }
        if (argument == "--version") {
            return print(kVersion);
        }
    }
    return std::nullopt;
}

std::optional<int> refuseLeftArguments(int argc, const char* const* argv) {
    if (argc < 2) {
        return std::nullopt;
    }
    const char* argument = argv[1];
    const char* what = argument[0] == '-' ? "unknown option" : "unexpected argument";
    std::fprintf(stderr, "actuator-panel: %s '%s'; try 'actuator-panel --help'\n", what, argument);
    return kUsageError;
}
