// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "memory.h"

#include <fstream>
#include <sstream>
#include <string>

MemoryReading readMemory() {
    MemoryReading reading;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        std::istringstream fields(line);
        std::string key;
        long kib = -1;
        fields >> key >> kib;
        if (key == "VmRSS:") {
            reading.residentKiB = kib;
        } else if (key == "VmHWM:") {
            reading.peakKiB = kib;
        }
    }
    return reading;
}
