// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// Benchmarks through the real panel window: pacing, CPU, idle cost, start-up, memory and
// export. Run by bench/run-bench.sh, once on the offscreen platform and once under Xvfb.
#include "modes.h"
#include "panel/event_loop.h"

#include <QApplication>
#include <QString>
#include <cstring>
#include <exception>
#include <iostream>

namespace {
void usage() {
    std::cerr << "usage: window_bench pacing [--full] | tick-cost | tick-count | idle | startup | "
                 "memory | export\n";
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        usage();
        return 2;
    }
    const std::string mode = argv[1];
    chooseEventLoop(); // as the program does
    try {
#ifdef _WIN32
        // The Windows build, run under Wine, measures pacing only: the other benchmarks
        // read what Linux and glibc report.
        if (mode == "pacing") {
            QApplication app(argc, argv);
            return runPacing(false);
        }
#else
        if (mode == "startup") {
            return runStartUp(argv[0]);
        }
        if (mode == "startup-child" && argc == 3) {
            return runStartUpChild(std::stoll(argv[2]));
        }
        if (mode == "memory") {
            exactHeapCounts(argv);
        }
        QApplication app(argc, argv);
        if (mode == "pacing") {
            return runPacing(argc > 2 && std::strcmp(argv[2], "--full") == 0);
        }
        if (mode == "tick-cost") {
            return runTickCost();
        }
        if (mode == "tick-count") {
            return runTickCount();
        }
        if (mode == "idle") {
            return runIdle();
        }
        if (mode == "memory") {
            return runMemory();
        }
        if (mode == "export") {
            return runExport();
        }
#endif
    } catch (const std::exception& failure) {
        std::cerr << "window_bench " << mode << ": " << failure.what() << '\n';
        return 1;
    }
    usage();
    return 2;
}
