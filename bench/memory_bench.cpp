// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// Memory over a long move: 100 000 motion ticks through the real window, back and forth
// across the stroke, with the data log sampled as often as at 10 RPM (one sample every
// 2000 / 30 ticks). The ticks are delivered as timer events to Timer1 and Timer2 without
// waiting out their periods, so the run takes seconds instead of 50 minutes; each tick
// still runs the window's handler and is followed by the repaint it causes.
#include "measures.h"
#include "modes.h"
#include "panel_driver.h"

#include <QCoreApplication>
#include <QListWidget>
#include <QTimer>
#include <QTimerEvent>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <unistd.h>

namespace {

constexpr int kTicks = 100'000;
constexpr int kWarmTicks = 10'000;
constexpr int kHalfTicks = 55'000;
constexpr int kTicksPerSample = 2000 / 30;

// Bytes handed out by malloc, from the heap and from mmap'ed blocks alike. Freed blocks
// that wait in malloc's per-thread cache count as in use, so the count is exact only with
// that cache turned off (see exactHeapCounts).
long long heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long long>(info.uordblks + info.hblkhd);
}

void deliverTick(QTimer& timer) {
    QTimerEvent tick(timer.timerId());
    QCoreApplication::sendEvent(&timer, &tick);
}

class LongMove {
public:
    explicit LongMove(PanelDriver& panel)
        : panel_(panel), sampleTimer_(*panel.window().findChild<QTimer*>("Timer2")) {}

    // Delivers motion ticks until `until` have come, starting a new move whenever one
    // ends, and samples the log as often as a move at 10 RPM would.
    void runTo(int until) {
        while (ticks_ < until) {
            if (!panel_.motionTimer().isActive()) {
                startLeg();
            }
            deliverTick(panel_.motionTimer());
            ++ticks_;
            if (ticks_ % kTicksPerSample == 0 && sampleTimer_.isActive()) {
                deliverTick(sampleTimer_);
            }
            QCoreApplication::processEvents();
        }
    }

private:
    void startLeg() {
        const double pos = panel_.window().actuator().position();
        panel_.type("mtrspd", QStringLiteral("10"));
        panel_.type("target", pos < 1.7 ? QStringLiteral("3.2") : QStringLiteral("0.2"));
        panel_.press("retract");
    }

    PanelDriver& panel_;
    QTimer& sampleTimer_;
    int ticks_ = 0;
};

std::string signedKb(double kb) {
    std::string text = fixed(std::abs(kb) < 0.05 ? 0.0 : kb, 1) + " KiB";
    if (text.front() != '-') {
        text.insert(text.begin(), '+');
    }
    return text;
}

constexpr char kNoThreadCache[] = "glibc.malloc.tcache_count=0";

} // namespace

void exactHeapCounts(char** argv) {
    const QByteArray tunables = qgetenv("GLIBC_TUNABLES");
    if (tunables.contains(kNoThreadCache)) {
        return;
    }
    // The tunable is read once, when the process starts, so the benchmark starts again.
    const QByteArray wanted =
        tunables.isEmpty() ? QByteArray(kNoThreadCache) : tunables + ':' + kNoThreadCache;
    setenv("GLIBC_TUNABLES", wanted.constData(), 1);
    execv("/proc/self/exe", argv);
    std::perror("window_bench: cannot start again without malloc's thread cache");
}

// The heap in use after the lists are emptied, at three points of the move. In the first
// stretch the lists grow longer than ever before, and list views keep the room they grew
// to after they are emptied; in the second they grow as long again, and nothing may be left.
int runMemory() {
    const ScratchHome home;
    PanelDriver panel;
    panel.openDrawingArea();
    LongMove move(panel);
    auto* positions = panel.window().findChild<QListWidget*>("position");
    auto emptiedHeap = [&panel] {
        panel.press("reset");
        return heapInUse();
    };

    move.runTo(kWarmTicks);
    const long long heapWarm = emptiedHeap();
    const long rssWarm = selfStatusKilobytes("VmRSS");
    move.runTo(kHalfTicks);
    const long long heapHalf = emptiedHeap();
    move.runTo(kTicks);
    const int entries = positions->count();
    const long long heapFull = heapInUse();
    const long rssFull = selfStatusKilobytes("VmRSS");
    const long long heapEnd = emptiedHeap();

    const double perPair = entries > 0 ? static_cast<double>(heapFull - heapEnd) / entries : 0;
    const double firstKb = static_cast<double>(heapHalf - heapWarm) / 1024.0;
    const double secondKb = static_cast<double>(heapEnd - heapHalf) / 1024.0;
    printRow("Memory over 100 000 motion ticks", panel.platform().toStdString(),
             "heap with the lists emptied: " + signedKb(firstKb) + " from tick 10000 to " +
                 std::to_string(kHalfTicks) + ", " + signedKb(secondKb) + " to " +
                 std::to_string(kTicks) + "; the " + std::to_string(entries) +
                 " pairs then logged took " + fixed(perPair, 0) + " B each; RSS " +
                 fixed(rssWarm / 1024.0, 1) + " → " + fixed(rssFull / 1024.0, 1) + " MiB",
             "flat beyond the lists", metIf(std::abs(secondKb) < 16.0));
    return 0;
}
