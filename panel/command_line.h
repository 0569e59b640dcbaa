// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// The program's command line. --help and --version are answered before Qt starts, so
// they work without a display; Qt then takes its own options (-platform, -style, ...),
// and whatever it leaves is refused before any window opens.

#include <optional>

// Prints the help or the version when asked for and gives the exit status; nothing when
// the program is to go on.
std::optional<int> answerInformationOptions(int argc, const char* const* argv);

// Called with what Qt left of the command line: refuses the first argument beyond the
// program's name with one line on standard error and gives the exit status.
std::optional<int> refuseLeftArguments(int argc, const char* const* argv);
