// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// The program's command line, read before Qt starts, so that it needs no display: --help
// and --version are answered, Qt's own options (-platform, -style, ...) are left for Qt,
// `--` ends the options, and anything else is refused. Help and version go to standard
// output, a refusal to standard error; a Windows program started without a console shows
// them in a message box instead.

#include <optional>

// The exit status when the program is to end here; nothing when it is to open its window.
std::optional<int> readCommandLine(int argc, const char* const* argv);
