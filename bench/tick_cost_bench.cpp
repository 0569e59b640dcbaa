// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// What a 30 ms motion tick costs over a whole move (0 -> 1 inch at 10 RPM, 21 opening ticks
// and 1000 steps, with a sample every 2 s), beside two peers: an empty 30 ms timer with the
// panel shown, and two line edits with the readouts' look given the same texts
// (naive_peer.h).
//
// tick-cost: CPU time. The three run in one process, their ticks interleaved: each motion
// tick arms the line edits' tick 15 ms later and the empty tick 25 ms later, so a change in
// the load on the machine reaches all three alike. Each is charged the CPU from the start of
// its tick to the start of the next tick of any of them: its own work, the repaint it
// causes, and one wake-up. A sample belongs to the panel.
// tick-count: the same three one after the other, for callgrind to count their instructions.
#include "measures.h"
#include "modes.h"
#include "naive_peer.h"
#include "panel_driver.h"

#include <QEventLoop>
#include <QTest>
#include <array>
#include <functional>
#include <iostream>

namespace {

const QString kSpeed = QStringLiteral("10");
const QString kTarget = QStringLiteral("1");
constexpr int kEmptyTicksCounted = 200;

enum Peer { panelTick, naiveTick, emptyTick, kPeers };

// Charges the process CPU between the starts of neighbouring ticks to the earlier one.
class TickAccounts {
public:
    void startOf(Peer peer, bool counts) {
        charge(peer);
        ticks_[peer] += counts ? 1 : 0;
    }
    void close() { charge(kPeers); }
    int ticks(Peer peer) const { return ticks_[peer]; }
    double perTickUs(Peer peer) const { return static_cast<double>(cpuUs_[peer]) / ticks_[peer]; }

private:
    void charge(int next) {
        const std::int64_t now = processCpuMicros();
        if (current_ < kPeers) {
            cpuUs_[current_] += now - since_;
        }
        current_ = next;
        since_ = now;
    }

    std::array<std::int64_t, kPeers> cpuUs_{};
    std::array<int, kPeers> ticks_{};
    int current_ = kPeers;
    std::int64_t since_ = 0;
};

// Sees each tick start before its timer's handlers run, keeps the accounts and arms the
// peers. Once the move has ended, the tick where the next motion tick would have come
// closes the empty timer's last interval.
class Interleaving : public QObject {
public:
    Interleaving(PanelDriver& panel, const std::function<void()>& finished)
        : panel_(panel), finished_(finished) {
        for (QTimer* shot : {&naiveShot, &emptyShot, &closing_}) {
            shot->setSingleShot(true);
            shot->setTimerType(Qt::PreciseTimer);
        }
        for (QObject* timer : {static_cast<QObject*>(&panel.motionTimer()), sampleTimer(),
                               static_cast<QObject*>(&naiveShot), static_cast<QObject*>(&emptyShot),
                               static_cast<QObject*>(&closing_)}) {
            timer->installEventFilter(this);
        }
    }

    TickAccounts accounts;
    QTimer naiveShot;
    QTimer emptyShot;

protected:
    bool eventFilter(QObject* timer, QEvent* event) override {
        if (event->type() != QEvent::Timer) {
            return false;
        }
        if (timer == &panel_.motionTimer()) {
            accounts.startOf(panelTick, true);
            naiveShot.start(15);
            emptyShot.start(25);
        } else if (timer == sampleTimer()) {
            accounts.startOf(panelTick, false);
        } else if (timer == &naiveShot) {
            accounts.startOf(naiveTick, true);
        } else if (timer == &emptyShot) {
            accounts.startOf(emptyTick, true);
            if (!panel_.window().timer1().enabled()) {
                closing_.start(5);
            }
        } else if (timer == &closing_) {
            accounts.close();
            finished_();
        }
        return false;
    }

private:
    QObject* sampleTimer() const {
        return panel_.window().findChild<QTimer*>(QStringLiteral("Timer2"));
    }

    PanelDriver& panel_;
    std::function<void()> finished_;
    QTimer closing_;
};

void startMove(PanelDriver& panel) {
    panel.type("mtrspd", kSpeed);
    panel.type("target", kTarget);
    panel.press("retract");
}

void showWindow(QWidget& window) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        throw std::runtime_error("a peer's window was never shown");
    }
}

void printCpu(const TickAccounts& accounts, const std::string& where) {
    const double panel = accounts.perTickUs(panelTick);
    const double naive = accounts.perTickUs(naiveTick);
    const double empty = accounts.perTickUs(emptyTick);
    const std::string ticks = std::to_string(accounts.ticks(panelTick)) + " ticks";
    printRow("CPU per motion tick over a whole move (0 → 1 in at 10 RPM), interleaved", where,
             fixed(panel, 0) + " µs; " + ticks, "-", Met::untargeted);
    printRow("CPU per tick, naive peer (two line edits, same texts), interleaved", where,
             fixed(naive, 0) + " µs; " + std::to_string(accounts.ticks(naiveTick)) + " ticks", "-",
             Met::untargeted);
    printRow("CPU per tick, empty 30 ms timer with the panel shown, interleaved", where,
             fixed(empty, 0) + " µs; " + std::to_string(accounts.ticks(emptyTick)) + " ticks", "-",
             Met::untargeted);
    printRow("CPU per tick, panel ÷ naive peer (same run)", where, fixed(panel / naive, 2) + " ×",
             "≤ 0.85 ×", metIf(panel / naive <= 0.85));
    printRow("CPU per tick, panel ÷ empty timer (same run)", where, fixed(panel / empty, 1) + " ×",
             "-", Met::untargeted);
}

} // namespace

int runTickCost() {
    const ScratchHome home;
    const ReadoutTexts texts = readoutTextsOfMove(kSpeed, kTarget);
    PanelDriver panel;
    NaiveReadouts naive;
    showWindow(naive);
    QTest::qWait(500); // the first paints and whatever else start-up leaves behind
    QEventLoop loop;
    Interleaving interleaving(panel, [&loop] { loop.quit(); });
    QObject::connect(&interleaving.naiveShot, &QTimer::timeout, &naive, [&] {
        const auto tick = static_cast<std::size_t>(interleaving.accounts.ticks(naiveTick));
        if (tick <= texts.size() && texts[tick - 1]) {
            naive.show(*texts[tick - 1]);
        }
    });
    QObject::connect(&interleaving.emptyShot, &QTimer::timeout, &loop, [] {});
    startMove(panel);
    loop.exec();
    printCpu(interleaving.accounts, panel.platform().toStdString());
    return 0;
}

namespace {

// Runs `ticks` ticks of a precise 30 ms timer, each doing `work` with its index, and waits
// for one tick more, so that the repaint the last of them caused is counted too.
void runTicks(int ticks, const std::function<void(int)>& work) {
    PeerTimer timer;
    QEventLoop loop;
    int done = 0;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        if (done == ticks) {
            loop.quit();
            return;
        }
        work(done++);
    });
    timer.start();
    loop.exec();
}

int moveToItsEnd(PanelDriver& panel) {
    startMove(panel);
    QEventLoop loop;
    int ticks = 0;
    QObject::connect(&panel.motionTimer(), &QTimer::timeout, &loop, [&] {
        ++ticks;
        if (!panel.window().timer1().enabled()) {
            QTimer::singleShot(30, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        }
    });
    loop.exec();
    return ticks;
}

int showEveryText(NaiveReadouts& naive, const ReadoutTexts& texts) {
    runTicks(static_cast<int>(texts.size()), [&](int tick) {
        if (texts[tick]) {
            naive.show(*texts[tick]);
        }
    });
    return static_cast<int>(texts.size());
}

int doNothing() {
    runTicks(kEmptyTicksCounted, [](int) {});
    return kEmptyTicksCounted;
}

} // namespace

// Callgrind counts each of these from entry to return (--toggle-collect=counted*) and
// writes the count of each as it returns (--dump-after=counted*). Nothing inside them may
// match the pattern again, or the count would be switched off there: their lambdas live in
// the functions above.
__attribute__((noinline)) int countedMove(PanelDriver& panel) {
    return moveToItsEnd(panel);
}

__attribute__((noinline)) int countedNaive(NaiveReadouts& naive, const ReadoutTexts& texts) {
    return showEveryText(naive, texts);
}

__attribute__((noinline)) int countedEmpty() {
    return doNothing();
}

int runTickCount() {
    const ScratchHome home;
    const ReadoutTexts texts = readoutTextsOfMove(kSpeed, kTarget);
    PanelDriver panel;
    const std::string where = panel.platform().toStdString();
    std::cout << "counted move " << countedMove(panel) << ' ' << where << std::endl;
    {
        NaiveReadouts naive;
        showWindow(naive);
        std::cout << "counted naive " << countedNaive(naive, texts) << ' ' << where << std::endl;
    }
    QTest::qWait(200);
    std::cout << "counted empty " << countedEmpty() << ' ' << where << std::endl;
    return 0;
}
