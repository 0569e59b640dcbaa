// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// The panel timer re-arms its single-shot QTimer after every tick; these check that the
// ticks go on while it is enabled and end for good when a tick's handler disables it.
#include "panel/qt_controls.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <thread>

namespace {

TEST(PanelTimerTicks, GoOnWhileEnabledAndEndWhenAHandlerDisablesThem) {
    const struct {
        const char* name;
        int disableOnTick; // 0: never
        int periodMs;
    } cases[] = {
        {"keeps ticking", 0, 1},
        {"stopped by its first tick", 1, 1},
        {"stopped by its fifth tick", 5, 2},
    };
    for (const auto& c : cases) {
        QObject owner;
        PanelTimer timer(&owner, QStringLiteral("Timer1"), c.periodMs);
        const QTimer& qtTimer = *owner.findChild<QTimer*>();
        int ticks = 0;
        timer.onTick([&] {
            ++ticks;
            if (ticks == c.disableOnTick) {
                timer.setEnabled(false);
            }
        });
        timer.setEnabled(true);
        if (c.disableOnTick == 0) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 10; }, 5000)) << c.name;
            EXPECT_TRUE(qtTimer.isActive()) << c.name;
            EXPECT_EQ(qtTimer.timerType(), Qt::PreciseTimer) << c.name;
            continue;
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= c.disableOnTick; }, 5000)) << c.name;
        QTest::qWait(30); // room for ticks that should not come
        EXPECT_EQ(ticks, c.disableOnTick) << c.name;
        EXPECT_FALSE(timer.enabled()) << c.name;
        EXPECT_FALSE(qtTimer.isActive()) << c.name;
    }
}

// A tick that comes late keeps the schedule: the next one is armed for what is left of its
// period, not for a whole period from now, so that the ticks do not drift.
TEST(PanelTimerTicks, LateTickKeepsTheSchedule) {
    QObject owner;
    PanelTimer timer(&owner, QStringLiteral("Timer1"), 100);
    const QTimer& qtTimer = *owner.findChild<QTimer*>();
    int ticks = 0;
    int waitAfterLateTick = -1;
    timer.onTick([&] {
        if (++ticks == 1) {
            std::this_thread::sleep_for(std::chrono::milliseconds(150)); // the next comes late
        } else if (ticks == 2) {
            waitAfterLateTick = qtTimer.interval();
            timer.setEnabled(false);
        }
    });
    timer.setEnabled(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 5000));
    EXPECT_LT(waitAfterLateTick, 100);
}

// A second press of Retract/Extend during a move enables both timers again and gives the
// motion timer its period again, the same one at an unchanged speed. Neither moves the next
// tick: the count from the first press goes on.
TEST(PanelTimerTicks, SecondPressKeepsTheNextTick) {
    const struct {
        const char* name;
        bool periodAgain;
    } cases[] = {
        {"enabled again, as the sample timer is", false},
        {"same period and enabled again, as the motion timer is", true},
    };
    constexpr int kPeriodMs = 1000;
    for (const auto& c : cases) {
        QObject owner;
        PanelTimer timer(&owner, QStringLiteral("Timer2"), kPeriodMs);
        const QTimer& qtTimer = *owner.findChild<QTimer*>();
        int ticks = 0;
        timer.onTick([&ticks] { ++ticks; });
        timer.setEnabled(true);
        QElapsedTimer sinceFirstPress; // started after the timer, so it never counts more
        sinceFirstPress.start();
        QTest::qWait(300);
        if (c.periodAgain) {
            timer.setPeriod(kPeriodMs);
        }
        timer.setEnabled(true);
        // Still due where the first press put it (a stalled machine may have let ticks
        // through meanwhile); restarted, it would be a whole period away. Qt counts in
        // whole milliseconds.
        const qint64 due = (ticks + 1) * kPeriodMs - sinceFirstPress.elapsed();
        const int remaining = qtTimer.remainingTime();
        EXPECT_LE(remaining, due + 5) << c.name;
        EXPECT_TRUE(qtTimer.isActive()) << c.name;
    }
}

// A timeout emitted by hand, as a test does to take a sample at once, is one tick for the
// handler and neither starts a timer that is silent nor stops one that runs.
TEST(PanelTimerTicks, TimeoutByHandLeavesTheTimerAsItWas) {
    const struct {
        const char* name;
        int periodMs;
        bool enabled;
        bool running;
    } cases[] = {
        {"running", 2000, true, true},
        {"armed but silent", 0, true, false},
        {"disabled", 2000, false, false},
    };
    for (const auto& c : cases) {
        QObject owner;
        PanelTimer timer(&owner, QStringLiteral("Timer2"), c.periodMs);
        QTimer& qtTimer = *owner.findChild<QTimer*>();
        int ticks = 0;
        timer.onTick([&ticks] { ++ticks; });
        timer.setEnabled(c.enabled);
        QMetaObject::invokeMethod(&qtTimer, "timeout", Qt::DirectConnection);
        EXPECT_EQ(ticks, 1) << c.name;
        EXPECT_EQ(qtTimer.isActive(), c.running) << c.name;
    }
}

} // namespace
