// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// Figures the benchmarks compute from what they record, and the rows of the one table
// they print. Kept apart from the window so the arithmetic can be checked on its own.

#include <cstdint>
#include <string>
#include <vector>

// How closely a run of ticks kept its period.
struct Pacing {
    int ticks = 0;
    // Time from the first to the last tick over (ticks - 1) x period; 1 is exact.
    double ratio = 0.0;
    // The most one interval between neighbouring ticks exceeded the period, in ms.
    double largestLateMs = 0.0;
};

// Ticks are steady-clock times in nanoseconds, in the order they came.
Pacing pacingOf(const std::vector<std::int64_t>& tickNs, int periodMs);

// CPU time (user + system) of the whole process so far, in microseconds.
std::int64_t processCpuMicros();

// A field of /proc/self/status in kB ("VmHWM", "VmRSS"), or -1 when it is missing.
long statusKilobytes(const std::string& statusText, const std::string& field);
long selfStatusKilobytes(const std::string& field);

// One row of the table: what was measured, where, the figure, the target and whether the
// figure meets it. The runner collects the rows of every benchmark into one table.
enum class Met { yes, no, untargeted };
void printRow(const std::string& what, const std::string& where, const std::string& figure,
              const std::string& target, Met met);
inline Met metIf(bool condition) {
    return condition ? Met::yes : Met::no;
}

// A number with a fixed count of decimals.
std::string fixed(double value, int decimals);
