// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// Moves at each of the panel's typical periods through the real window and timers: how
// closely the motion ticks keep their period, and what the process spends per tick.
#include "measures.h"
#include "modes.h"
#include "panel_driver.h"

#include <cmath>
#include <string>

namespace {

struct Leg {
    int periodMs;
    const char* speed; // RPM, as typed
    int steps;
};

std::string periodName(int periodMs) {
    return std::to_string(periodMs) + " ms";
}

void reportPacing(const Leg& leg, const Pacing& pacing, const std::string& where) {
    const double tolerance = leg.periodMs >= 30 ? 0.001 : 0.02;
    const bool met = leg.periodMs >= 30 ? std::abs(pacing.ratio - 1.0) <= tolerance
                                        : pacing.ratio <= 1.0 + tolerance;
    printRow("Pacing ratio, " + periodName(leg.periodMs) + " (" + leg.speed + " RPM)", where,
             fixed(pacing.ratio, 4) + "; largest late tick " + fixed(pacing.largestLateMs, 2) +
                 " ms; " + std::to_string(pacing.ticks) + " ticks",
             leg.periodMs >= 30 ? "1.000 ± 0.001" : "≤ 1.02", metIf(met));
}

void reportCpu(const Leg& leg, const MoveRecord& move, const std::string& where) {
    const int intervals = static_cast<int>(move.tickNs.size()) - 1;
    const double cpuUs = static_cast<double>(move.cpuAtLastUs - move.cpuAtFirstUs);
    const double perTickUs = cpuUs / intervals;
    const double coreShare = 100.0 * cpuUs * 1e3 / static_cast<double>(move.wallNs());
    const bool slow = leg.periodMs >= 30;
    printRow("CPU per motion tick, " + periodName(leg.periodMs), where,
             fixed(perTickUs, 0) + " µs; " + fixed(coreShare, 2) + " % of a core",
             slow ? "≤ 300 µs (1 % of a core)" : "≤ 25 % of a core",
             metIf(slow ? perTickUs <= 300.0 : coreShare <= 25.0));
}

} // namespace

int runPacing(bool fullLengthSlowMove) {
    const ScratchHome home;
    PanelDriver panel;
    panel.openDrawingArea();
    const std::string where = panel.platform().toStdString();
    // The 10 RPM move is a 30 s move when its peak memory is wanted, else 9 s; the slower
    // moves run about 6 s, which still leaves a 0.001 ratio a hundred times the jitter. The
    // 3 ms move runs past the first samples (every 2 s), which a busy tick meets.
    const Leg legs[] = {
        {1, "599", 3000}, {3, "100", 2000}, {30, "10", fullLengthSlowMove ? 1000 : 300},
        {62, "4.8", 100}, {100, "3", 60},   {300, "1", 21}};
    for (const Leg& leg : legs) {
        const MoveRecord move = panel.move(QString::fromLatin1(leg.speed), leg.steps);
        reportPacing(leg, pacingOf(move.tickNs, leg.periodMs), where);
        if (leg.periodMs == 1 || leg.periodMs == 3 || leg.periodMs == 30) {
            reportCpu(leg, move, where);
        }
        if (leg.periodMs == 30 && fullLengthSlowMove) {
            const double peakMib = selfStatusKilobytes("VmHWM") / 1024.0;
            printRow("Peak RSS, 30 s move at 10 RPM (VmHWM)", where, fixed(peakMib, 1) + " MiB",
                     "≤ 38.1 MiB (40 MB)", metIf(peakMib <= 40e6 / (1024.0 * 1024.0)));
        }
    }
    return 0;
}
