// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "home_panel.h"
#include "panel/file_locations.h"
#include "panel/form1.h"
#include "panel/message_box.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);

// A window whose home folder, and so its export file, is a fresh temporary folder. Its
// locale writes a decimal comma, so that texts logged in the C locale show.
class LoggingWindow : public HomePanel {
protected:
    void SetUp() override {
        HomePanel::SetUp();
        ASSERT_NO_FATAL_FAILURE(openWindow(kGerman));
    }
    void runFor(int milliseconds) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < milliseconds) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        }
    }
};

TEST_F(LoggingWindow, MoveLogsEveryTwoSecondsAndSaveWritesThePairs) {
    control<QLineEdit>("mtrspd")->setText(QStringLiteral("100")); // 3 ms per step
    control<QLineEdit>("target")->setText(QStringLiteral("3"));
    click("retract");
    runFor(4500);
    click("stop");
    const QStringList positions = entries("position");
    const QStringList pressures = entries("pressure");
    ASSERT_EQ(positions.size(), 2);
    ASSERT_EQ(pressures.size(), 2);
    bool read = false;
    EXPECT_GT(kGerman.toDouble(positions[0], &read), 0.0);
    EXPECT_TRUE(read) << positions[0].toStdString();
    EXPECT_GT(kGerman.toDouble(positions[1]), kGerman.toDouble(positions[0]));
    for (int i = 0; i < 2; ++i) { // each pressure is that of the step before its position
        const double before = kGerman.toDouble(positions[i]) - 0.001;
        EXPECT_NEAR(kGerman.toDouble(pressures[i]), 5860.0 - 2016.0 * before, 1e-6);
    }

    click("save");
    EXPECT_EQ(messages, QStringList{QStringLiteral("Warning: Infeasible motor speed")});
    EXPECT_EQ(readBytes(exportFilePath()), exportOf(positions, pressures));
    EXPECT_TRUE(exportFilePath().startsWith(QDir::homePath()));
}

TEST_F(LoggingWindow, SaveDuringMoveRefusesAndResetClearsBothLists) {
    control<QLineEdit>("mtrspd")->setText(QStringLiteral("600")); // armed, never ticks
    control<QLineEdit>("target")->setText(QStringLiteral("1"));
    click("retract");
    messages.clear();
    click("save");
    EXPECT_EQ(messages, QStringList{QStringLiteral("Stop program before saving!")});
    EXPECT_FALSE(QFile::exists(exportFilePath()));

    // One sample tick by hand: a speed of 600 RPM leaves the values of start-up.
    QMetaObject::invokeMethod(window->findChild<QTimer*>(QStringLiteral("Timer2")), "timeout",
                              Qt::DirectConnection);
    EXPECT_EQ(entries("position"), QStringList{QStringLiteral("0")});
    click("reset");
    EXPECT_TRUE(entries("position").isEmpty());
    EXPECT_TRUE(entries("pressure").isEmpty());
}

} // namespace
