// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "measures.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#endif

Pacing pacingOf(const std::vector<std::int64_t>& tickNs, int periodMs) {
    Pacing pacing;
    pacing.ticks = static_cast<int>(tickNs.size());
    if (tickNs.size() < 2 || periodMs <= 0) {
        return pacing;
    }
    const double periodNs = periodMs * 1e6;
    const double spanNs = static_cast<double>(tickNs.back() - tickNs.front());
    pacing.ratio = spanNs / ((pacing.ticks - 1) * periodNs);
    double largestLateNs = 0.0;
    for (std::size_t i = 1; i < tickNs.size(); ++i) {
        const double late = static_cast<double>(tickNs[i] - tickNs[i - 1]) - periodNs;
        largestLateNs = std::max(largestLateNs, late);
    }
    pacing.largestLateMs = largestLateNs / 1e6;
    return pacing;
}

#ifdef _WIN32
std::int64_t processCpuMicros() {
    FILETIME created{}, exited{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto micros = [](const FILETIME& t) { // in units of 100 ns
        return static_cast<std::int64_t>((std::uint64_t{t.dwHighDateTime} << 32 | t.dwLowDateTime) /
                                         10);
    };
    return micros(kernel) + micros(user);
}
#else
std::int64_t processCpuMicros() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto micros = [](const timeval& t) {
        return static_cast<std::int64_t>(t.tv_sec) * 1'000'000 + t.tv_usec;
    };
    return micros(usage.ru_utime) + micros(usage.ru_stime);
}
#endif

long statusKilobytes(const std::string& statusText, const std::string& field) {
    std::istringstream lines(statusText);
    std::string line;
    const std::string key = field + ":";
    while (std::getline(lines, line)) {
        if (line.rfind(key, 0) == 0) {
            std::istringstream value(line.substr(key.size()));
            long kilobytes = -1;
            value >> kilobytes;
            return value ? kilobytes : -1;
        }
    }
    return -1;
}

long selfStatusKilobytes(const std::string& field) {
    std::ifstream file("/proc/self/status");
    std::stringstream text;
    text << file.rdbuf();
    return statusKilobytes(text.str(), field);
}

void printRow(const std::string& what, const std::string& where, const std::string& figure,
              const std::string& target, Met met) {
    // One line per row, fields split by '|', picked out of the output by the runner.
    std::cout << "row|" << what << '|' << where << '|' << figure << '|' << target << '|'
              << (met == Met::yes  ? "yes"
                  : met == Met::no ? "NO"
                                   : "-")
              << std::endl;
}

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}
