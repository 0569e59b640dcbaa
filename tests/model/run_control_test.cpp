// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "fakes/fake_controls.h"

#include <gtest/gtest.h>

namespace {

const QString kWarning = QStringLiteral("Warning: Infeasible motor speed");
const QString kBadSpeed = QStringLiteral("Enter a valid motor speed");
const QString kBadTarget = QStringLiteral("Enter a valid target position");
const QString kSpeedLocked = QStringLiteral("Stop program before changing motor speed!");

struct StartCase {
    const char* speed;
    const char* target;
    int period; // -1: unchanged from 480
    bool starts;
    QStringList messages;
};

void PrintTo(const StartCase& c, std::ostream* os) {
    *os << "speed '" << c.speed << "' target '" << c.target << "'";
}

class StartMove : public testing::TestWithParam<StartCase> {};

TEST_P(StartMove, SetsPeriodAndChecksTarget) {
    const StartCase& c = GetParam();
    FakePanel panel;
    panel.mtrspd.value = QString::fromLatin1(c.speed);
    panel.target.value = QString::fromLatin1(c.target);
    panel.actuator.startMove();
    EXPECT_EQ(panel.Timer1.periodMs, c.period < 0 ? 480 : c.period);
    EXPECT_EQ(panel.Timer1.isEnabled, c.starts);
    EXPECT_EQ(panel.Timer2.isEnabled, c.starts);
    EXPECT_EQ(panel.Timer2.periodMs, 2000);
    EXPECT_EQ(panel.messages.shown, c.messages);
}

INSTANTIATE_TEST_SUITE_P(
    SpeedsAndTargets, StartMove,
    testing::Values(
        StartCase{"4.8", "0.00", 62, true, {}}, StartCase{"10", "1", 30, true, {}},
        StartCase{"3", "1", 100, true, {}}, StartCase{"1", "1", 300, true, {}},
        StartCase{"599", "1", 1, true, {kWarning}}, StartCase{"600", "1", 0, true, {kWarning}},
        StartCase{"10.01", "1", 30, true, {kWarning}},
        StartCase{"4.8", "3.4", 62, false, {kBadTarget}},
        StartCase{"4.8", "-0.001", 62, false, {kBadTarget}},
        StartCase{"4.8", "3.399", 62, true, {}}, StartCase{"3", "", 100, false, {kBadTarget}},
        StartCase{"3", "abc", 100, false, {kBadTarget}},
        StartCase{"3", "nan", 100, false, {kBadTarget}},
        StartCase{"3", "inf", 100, false, {kBadTarget}}, StartCase{"", "1", -1, false, {kBadSpeed}},
        StartCase{"fast", "1", -1, false, {kBadSpeed}}, StartCase{"0", "1", -1, false, {kBadSpeed}},
        StartCase{"-5", "1", -1, false, {kBadSpeed}}, StartCase{"nan", "1", -1, false, {kBadSpeed}},
        StartCase{"inf", "1", -1, false, {kBadSpeed}},
        StartCase{"1e-300", "1", -1, false, {kBadSpeed}},
        StartCase{"1e-7", "1", -1, false, {kBadSpeed}}, StartCase{"1e-6", "1", 300000000, true, {}},
        // Each range at its exact ends: the last warning-free speed is 10 (above); the
        // shortest period 0 starts at 600 (above); the longest period the timer takes.
        StartCase{"10.000000000000002", "1", 30, true, {kWarning}},
        StartCase{"599.9999999999999", "1", 1, true, {kWarning}},
        StartCase{"1.3969838622484787e-07", "1", 2147483647, true, {}},
        StartCase{"1.3969838622484784e-07", "1", -1, false, {kBadSpeed}},
        StartCase{"4.8", "-5e-324", 62, false, {kBadTarget}}, StartCase{"4.8", "0", 62, true, {}},
        StartCase{"4.8", "3.3999999999999995", 62, true, {}}));

TEST(StartMoveRunning, BadSpeedLeavesRunningMoveAlone) {
    FakePanel panel;
    panel.target.value = QStringLiteral("1");
    panel.actuator.startMove();
    panel.mtrspd.value = QStringLiteral("0");
    panel.actuator.startMove();
    EXPECT_TRUE(panel.Timer1.isEnabled);
    EXPECT_TRUE(panel.Timer2.isEnabled);
    EXPECT_EQ(panel.Timer1.periodMs, 62);
}

TEST(StartMoveRunning, RefusedTargetKeepsMoveButTakesNewPeriod) {
    FakePanel panel;
    panel.target.value = QStringLiteral("1");
    panel.actuator.startMove();
    panel.mtrspd.value = QStringLiteral("3");
    panel.target.value = QStringLiteral("5");
    panel.actuator.startMove();
    EXPECT_EQ(panel.Timer1.periodMs, 100);
    EXPECT_TRUE(panel.Timer1.isEnabled);
    EXPECT_EQ(panel.messages.shown, QStringList{kBadTarget});
}

TEST(StartMoveRunning, PeriodZeroArmsMoveUntilSlowerStart) {
    FakePanel panel;
    panel.view.revealSteps = 21;
    panel.target.value = QStringLiteral("1");
    panel.mtrspd.value = QStringLiteral("600");
    panel.actuator.startMove();
    EXPECT_TRUE(panel.actuator.running());
    EXPECT_EQ(panel.runMove(), 0);
    EXPECT_EQ(panel.actuator.position(), 0.0);
    panel.mtrspd.value = QStringLiteral("4.8");
    panel.actuator.startMove();
    EXPECT_EQ(panel.Timer1.periodMs, 62);
    EXPECT_EQ(panel.runMove(), 1000);
}

TEST(RunControl, StopKeepsStateAndNextMoveContinues) {
    FakePanel panel;
    panel.view.revealSteps = 21;
    panel.target.value = QStringLiteral("1");
    panel.actuator.startMove();
    panel.runMove(400);
    panel.actuator.stopMove();
    EXPECT_FALSE(panel.Timer1.isEnabled);
    EXPECT_FALSE(panel.Timer2.isEnabled);
    const QString shown = panel.Text2.value;
    const double stoppedAt = panel.actuator.position();
    EXPECT_EQ(panel.runMove(), 0);
    EXPECT_EQ(panel.Text2.value, shown);
    panel.actuator.startMove();
    EXPECT_EQ(panel.runMove(), 600);
    EXPECT_GT(panel.actuator.position(), stoppedAt);
}

TEST(RunControl, TargetEditStopsSilentlyOnlyWhenRunning) {
    FakePanel panel;
    panel.target.value = QStringLiteral("1");
    panel.actuator.targetEdited();
    EXPECT_FALSE(panel.Timer1.isEnabled);
    panel.actuator.startMove();
    panel.runMove(30);
    const double at = panel.actuator.position();
    panel.target.value = QStringLiteral("1.");
    panel.actuator.targetEdited();
    EXPECT_FALSE(panel.Timer1.isEnabled);
    EXPECT_FALSE(panel.Timer2.isEnabled);
    EXPECT_EQ(panel.actuator.position(), at);
    EXPECT_TRUE(panel.messages.shown.isEmpty());
}

TEST(RunControl, SpeedEditWarnsOnEveryChangeWhileRunning) {
    FakePanel panel;
    panel.actuator.speedEdited();
    EXPECT_TRUE(panel.messages.shown.isEmpty());
    panel.target.value = QStringLiteral("1");
    panel.actuator.startMove();
    for (const char* typed : {"4.8", "4.", "4", "3"}) {
        panel.mtrspd.value = QString::fromLatin1(typed);
        panel.actuator.speedEdited();
    }
    EXPECT_EQ(panel.messages.shown, QStringList(4, kSpeedLocked));
    EXPECT_TRUE(panel.Timer1.isEnabled);
    EXPECT_EQ(panel.Timer1.periodMs, 62);
    EXPECT_EQ(panel.mtrspd.value, QStringLiteral("3"));
}

TEST(RunControl, ReadsSpeedInDecimalCommaLocale) {
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(Actuator::motionPeriod(QStringLiteral("4,8"), german), 62);
    EXPECT_EQ(Actuator::motionPeriod(QStringLiteral("4.8"), german), std::nullopt);
}

} // namespace
