// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// The soak run's view of its own memory, from /proc/self/status.

struct MemoryReading {
    long residentKiB = -1; // VmRSS: resident now
    long peakKiB = -1;     // VmHWM: the most ever resident
};

MemoryReading readMemory();
