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
#include <malloc.h>

namespace {

constexpr int kTicks = 100'000;
constexpr int kWarmTicks = 10'000;
constexpr int kHalfTicks = 55'000;
constexpr int kTicksPerSample = 2000 / 30;

// Bytes handed out by malloc, from the heap and from mmap'ed blocks alike.
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

} // namespace

// The heap in use after the lists are emptied, at three points of the move: the first
// stretch may still fill caches (glyphs, styled frames), the second must add nothing.
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
             "heap with the lists emptied: " + fixed(firstKb, 1) + " kB more after tick " +
                 std::to_string(kHalfTicks) + ", then " + fixed(secondKb, 1) + " kB by tick " +
                 std::to_string(kTicks) + "; " + std::to_string(entries) + " pairs logged take " +
                 fixed(perPair, 0) + " B each; RSS " + fixed(rssWarm / 1e3, 1) + " → " +
                 fixed(rssFull / 1e3, 1) + " MB",
             "flat beyond the lists", metIf(secondKb < 16.0));
    return 0;
}
