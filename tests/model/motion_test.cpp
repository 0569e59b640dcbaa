// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "fakes/fake_controls.h"
#include "model/numbers.h"

#include <gtest/gtest.h>

namespace {

// Drives the actuator to a position with real steps, then makes one more tick at a target
// equal to it: the tick computes the pressure and the drawing's place from the position
// before its step, and the readouts show the new position beside that pressure.
struct PlaceCase {
    QLocale locale;
    const char* target;
    double pressure;
    std::int16_t imgLeft;
};

void PrintTo(const PlaceCase& c, std::ostream* os) {
    *os << "to " << c.target << " in " << c.locale.name().toStdString();
}

class PressureAndPlace : public testing::TestWithParam<PlaceCase> {};

TEST_P(PressureAndPlace, ComputedFromPositionBeforeStep) {
    const PlaceCase& c = GetParam();
    FakePanel panel(c.locale);
    panel.moveTo(localizedDecimal(QString::fromLatin1(c.target), c.locale));
    const double before = panel.actuator.position();
    panel.actuator.startMove();
    panel.actuator.motionTick();
    const double expectedPressure = 5860.0 - 2016.0 * before;
    EXPECT_EQ(panel.actuator.pressure(), expectedPressure);
    EXPECT_NEAR(panel.actuator.pressure(), c.pressure, 3.0);
    EXPECT_EQ(panel.view.drawnAt.back(), c.imgLeft);
    EXPECT_EQ(panel.Text2.value, numberText(panel.actuator.position(), c.locale));
    EXPECT_EQ(panel.Text3.value, numberText(expectedPressure, c.locale));
}

const QLocale kGerman(QLocale::German, QLocale::Germany);

// At 0.007 the place is 205.45 and one step on 205.51: only the place before the step
// is drawn at 205.
INSTANTIATE_TEST_SUITE_P(Positions, PressureAndPlace,
                         testing::Values(PlaceCase{QLocale::c(), "1", 3844.0, 269},
                                         PlaceCase{QLocale::c(), "0.007", 5845.888, 205},
                                         PlaceCase{kGerman, "0.007", 5845.888, 205},
                                         PlaceCase{kGerman, "2.9", 5860.0 - 2016.0 * 2.9, 390},
                                         PlaceCase{QLocale::c(), "3.399", 5860.0 - 2016.0 * 3.4,
                                                   422}));

TEST(MotionTick, FirstTicksRevealThenStepOnce) {
    FakePanel panel;
    panel.actuator.startMove();
    EXPECT_EQ(panel.Timer1.periodMs, 62);
    EXPECT_EQ(panel.runMove(), 22);
    EXPECT_EQ(panel.view.revealSteps, 21);
    EXPECT_EQ(panel.view.preparations, 1);
    EXPECT_EQ(panel.actuator.position(), 0.001);
    EXPECT_EQ(panel.Text2.value, QStringLiteral("0.001"));
    EXPECT_EQ(panel.Text3.value, QStringLiteral("5860"));
    EXPECT_EQ(panel.view.drawnAt, std::vector<std::int16_t>{205});
    EXPECT_FALSE(panel.Timer1.isEnabled);
    EXPECT_FALSE(panel.Timer2.isEnabled);
}

TEST(MotionTick, RevealTicksRecomputeButShowNothing) {
    FakePanel panel;
    panel.actuator.startMove();
    panel.actuator.motionTick();
    EXPECT_EQ(panel.actuator.pressure(), 5860.0);
    EXPECT_EQ(panel.actuator.position(), 0.0);
    EXPECT_EQ(panel.Text2.value, QStringLiteral("0.00"));
    EXPECT_EQ(panel.Text3.value, QStringLiteral("0.00"));
    EXPECT_TRUE(panel.view.drawnAt.empty());
    EXPECT_TRUE(panel.Timer1.isEnabled);
}

TEST(MotionTick, StopDuringRevealContinuesItOnNextMove) {
    FakePanel panel;
    panel.target.value = QStringLiteral("1");
    panel.actuator.startMove();
    EXPECT_EQ(panel.runMove(10), 10);
    panel.actuator.stopMove();
    EXPECT_EQ(panel.view.revealSteps, 10);
    panel.actuator.startMove();
    EXPECT_EQ(panel.runMove(12), 12);
    EXPECT_EQ(panel.view.revealSteps, 21);
    EXPECT_EQ(panel.actuator.position(), 0.001);
}

struct MoveCase {
    const char* from; // nullptr: from start-up
    const char* to;
    int steps;
    double end;
};

void PrintTo(const MoveCase& c, std::ostream* os) {
    *os << (c.from ? c.from : "start") << " -> " << c.to;
}

class Moves : public testing::TestWithParam<MoveCase> {};

TEST_P(Moves, EndOnFirstStepThatReachesTarget) {
    FakePanel panel;
    if (GetParam().from != nullptr) {
        panel.moveTo(QString::fromLatin1(GetParam().from));
    }
    const std::size_t drawnBefore = panel.view.drawnAt.size();
    const int preparedBefore = panel.view.preparations;
    EXPECT_EQ(panel.moveTo(QString::fromLatin1(GetParam().to)), GetParam().steps);
    // Every motion step clears the view and draws once.
    EXPECT_EQ(panel.view.drawnAt.size() - drawnBefore, static_cast<std::size_t>(GetParam().steps));
    EXPECT_EQ(panel.view.preparations - preparedBefore, GetParam().steps);
    EXPECT_EQ(panel.actuator.position(), GetParam().end);
    EXPECT_FALSE(panel.Timer1.isEnabled);
    EXPECT_FALSE(panel.Timer2.isEnabled);
}

INSTANTIATE_TEST_SUITE_P(Targets, Moves,
                         testing::Values(MoveCase{nullptr, "1", 1000, 1.0000000000000007},
                                         MoveCase{nullptr, "0.002", 2, 0.002}, // lands on it
                                         MoveCase{"0.002", "0.001", 1, 0.001}, // lands on it
                                         MoveCase{nullptr, "3", 3001, 3.0009999999997805},
                                         MoveCase{"1", "0.5", 501, 0.4990000000000002},
                                         MoveCase{"1", "0", 1000, -2.1510571102112408e-16},
                                         MoveCase{nullptr, "0", 1, 0.001},
                                         MoveCase{"0", "0.001", 1, 0.002}));

// The target's value is kept between ticks only while its text stays the same: a text
// changed without an edit event (so the move goes on) steers the very next tick.
TEST(MotionTick, ChangedTargetTextSteersTheNextTick) {
    FakePanel panel;
    panel.view.revealSteps = panel.view.revealStepsNeeded;
    panel.target.value = QStringLiteral("1");
    panel.actuator.startMove();
    panel.runMove(5);
    const struct {
        const char* target;
        double step;
        bool running;
    } ticks[] = {
        {"0", -0.001, true},
        {"1", 0.001, true},
        {"", 0.001, false}, // no number: the position is the target, so the move stops
    };
    for (const auto& tick : ticks) {
        const double before = panel.actuator.position();
        panel.target.value = QString::fromLatin1(tick.target);
        panel.actuator.motionTick();
        EXPECT_EQ(panel.actuator.position(), before + tick.step) << "to " << tick.target;
        EXPECT_EQ(panel.Timer1.isEnabled, tick.running) << "to " << tick.target;
    }
}

} // namespace
