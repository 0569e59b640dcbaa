// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// The cost of an open window that nobody uses: CPU over 10 s, and every timer event the
// process receives meanwhile (there should be none).
#include "measures.h"
#include "modes.h"
#include "panel_driver.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QMap>
#include <QTimer>
#include <iostream>

namespace {

constexpr int kIdleMs = 10'000;

// Counts timer events by receiver class, except those of the one timer that ends the wait.
class TimerEventCounter : public QObject {
public:
    explicit TimerEventCounter(const QObject& ignored) : ignored_(ignored) {}
    bool eventFilter(QObject* receiver, QEvent* event) override {
        if (event->type() == QEvent::Timer && receiver != &ignored_) {
            ++byClass[QString::fromLatin1(receiver->metaObject()->className())];
        }
        return false;
    }
    QMap<QString, int> byClass;

private:
    const QObject& ignored_;
};

} // namespace

int runIdle() {
    const ScratchHome home;
    PanelDriver panel;
    // Let the first paints and any start-up work finish before the count begins.
    QTimer settle;
    QEventLoop loop;
    QObject::connect(&settle, &QTimer::timeout, &loop, &QEventLoop::quit);
    settle.setSingleShot(true);
    settle.start(1000);
    loop.exec();

    TimerEventCounter counter(settle);
    QCoreApplication::instance()->installEventFilter(&counter);
    const std::int64_t cpuBefore = processCpuMicros();
    settle.start(kIdleMs);
    loop.exec();
    const double cpuUs = static_cast<double>(processCpuMicros() - cpuBefore);
    QCoreApplication::instance()->removeEventFilter(&counter);

    int timerEvents = 0;
    for (auto it = counter.byClass.cbegin(); it != counter.byClass.cend(); ++it) {
        std::cerr << "idle: " << it.value() << " timer events to " << it.key().toStdString()
                  << '\n';
        timerEvents += it.value();
    }
    const double coreShare = 100.0 * cpuUs / (kIdleMs * 1e3);
    const bool timersStopped = !panel.motionTimer().isActive() && timerEvents == 0;
    printRow("Idle CPU over 10 s, window open", panel.platform().toStdString(),
             fixed(cpuUs / 1e3, 1) + " ms = " + fixed(coreShare, 3) + " % of a core; " +
                 std::to_string(timerEvents) + " timer events",
             "≤ 0.05 %, no timer", metIf(coreShare <= 0.05 && timersStopped));
    return 0;
}
