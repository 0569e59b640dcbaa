// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "logged_panel.h"
#include "model/numbers.h"

#include <gtest/gtest.h>

namespace {

constexpr int kSamplePeriodMs = 2000;

TEST(Sampling, BeforeAnyMotionTickListsZeros) {
    LoggedPanel idle;
    idle.log.sampleTick();

    // 0.1 rpm steps every 3000 ms, so the first sample comes before the first step.
    LoggedPanel slow;
    slow.start(QStringLiteral("0.1"), QStringLiteral("1"));
    ASSERT_EQ(slow.panel.Timer1.periodMs, 3000);
    SimulatedClock clock(slow);
    clock.advanceBy(kSamplePeriodMs);
    EXPECT_EQ(clock.motionTicks, 0);

    for (const LoggedPanel* logged : {&idle, &slow}) {
        EXPECT_EQ(logged->position.items, QStringList{QStringLiteral("0")});
        EXPECT_EQ(logged->pressure.items, QStringList{QStringLiteral("0")});
    }
}

struct SampleCase {
    const char* speed;
    const char* from; // a position reached first, or nullptr for start-up
    const char* to;
    int periodMs;
    // The first sample: position after the latest step, pressure from before it.
    const char* position;
    const char* pressure;
    QLocale locale = QLocale::c(); // of the texts typed and logged
};

void PrintTo(const SampleCase& c, std::ostream* os) {
    *os << c.speed << " rpm from " << (c.from ? c.from : "start-up") << " to " << c.to << " in "
        << c.locale.name().toStdString();
}

class SampleValues : public testing::TestWithParam<SampleCase> {};

TEST_P(SampleValues, CarryTheLatestStep) {
    const SampleCase& c = GetParam();
    LoggedPanel logged(QStringLiteral("unused.txt"), c.locale);
    const auto typed = [&c](const char* text) {
        return localizedDecimal(QString::fromLatin1(text), c.locale);
    };
    if (c.from) {
        logged.panel.moveTo(typed(c.from));
    }
    logged.start(typed(c.speed), typed(c.to));
    ASSERT_EQ(logged.panel.Timer1.periodMs, c.periodMs);
    SimulatedClock clock(logged);
    for (int sample = 1; sample <= 3; ++sample) {
        clock.advanceBy(kSamplePeriodMs);
        ASSERT_EQ(logged.position.count(), sample);
        ASSERT_EQ(logged.pressure.count(), sample);
        EXPECT_EQ(clock.motionTicks, sample * kSamplePeriodMs / c.periodMs);
        // The readouts show what the latest step left: the same pair.
        EXPECT_EQ(logged.position.items.last(), logged.panel.Text2.value);
        EXPECT_EQ(logged.pressure.items.last(), logged.panel.Text3.value);
    }
    EXPECT_EQ(logged.position.items.first(), QString::fromLatin1(c.position));
    EXPECT_EQ(logged.pressure.items.first(), QString::fromLatin1(c.pressure));
}

INSTANTIATE_TEST_SUITE_P(Speeds, SampleValues,
                         testing::Values(SampleCase{"6", nullptr, "1", 50, "0.04", "5781.376"},
                                         SampleCase{"4.8", nullptr, "1", 62, "0.032", "5797.504"},
                                         SampleCase{"4.8", nullptr, "1", 62, "0,032", "5797,504",
                                                    QLocale(QLocale::German, QLocale::Germany)},
                                         SampleCase{"1.2", nullptr, "1", 250, "0.008", "5845.888"},
                                         SampleCase{"6", "0.2", "0", 50, "0.16", "5535.424"}));

struct ShortMoveCase {
    const char* speed;
    const char* to;
    int steps;
    int samples;
};

void PrintTo(const ShortMoveCase& c, std::ostream* os) {
    *os << c.speed << " rpm to " << c.to;
}

class MoveLength : public testing::TestWithParam<ShortMoveCase> {};

TEST_P(MoveLength, SamplesOnlyEveryFullPeriod) {
    const ShortMoveCase& c = GetParam();
    LoggedPanel logged;
    logged.start(QString::fromLatin1(c.speed), QString::fromLatin1(c.to));
    SimulatedClock clock(logged);
    clock.advanceBy(60'000);
    EXPECT_FALSE(logged.panel.Timer2.isEnabled);
    EXPECT_EQ(clock.motionTicks, c.steps);
    EXPECT_EQ(logged.position.count(), c.samples);
    EXPECT_EQ(logged.pressure.count(), c.samples);
}

INSTANTIATE_TEST_SUITE_P(Moves, MoveLength,
                         testing::Values(ShortMoveCase{"6", "0.0385", 39, 0},    // 1950 ms
                                         ShortMoveCase{"4.8", "0.0315", 32, 0},  // 1984 ms
                                         ShortMoveCase{"1.2", "0.0065", 7, 0},   // 1750 ms
                                         ShortMoveCase{"4.8", "0.0325", 33, 1},  // 2046 ms
                                         ShortMoveCase{"0.1", "0.0005", 1, 1})); // 3000 ms

TEST(Sampling, ResetDuringMoveMakesNextSampleTheFirst) {
    LoggedPanel logged;
    logged.start(QStringLiteral("6"), QStringLiteral("1"));
    SimulatedClock clock(logged);
    clock.advanceBy(2 * kSamplePeriodMs);
    ASSERT_EQ(logged.position.count(), 2);

    clock.advanceBy(kSamplePeriodMs / 2);
    logged.log.reset();
    EXPECT_TRUE(logged.position.items.isEmpty());
    EXPECT_TRUE(logged.pressure.items.isEmpty());
    EXPECT_TRUE(logged.panel.Timer1.isEnabled); // the move goes on

    clock.advanceBy(kSamplePeriodMs / 2);
    EXPECT_EQ(logged.position.items, QStringList{QStringLiteral("0.12")});
    EXPECT_EQ(logged.pressure.items, QStringList{QStringLiteral("5620.096")});
}

TEST(Sampling, FullListsTakeNoMoreSamplesAndStayPaired) {
    constexpr int kMostEntries = 32767;
    LoggedPanel logged;
    logged.panel.moveTo(QStringLiteral("0.5"));
    const QString pressure = numberText(logged.panel.actuator.pressure(), QLocale::c());
    // One short of full, a list takes one sample more; full, none.
    for (const int filled : {kMostEntries - 1, kMostEntries}) {
        logged.log.reset();
        for (int i = 0; i < filled; ++i) {
            logged.appendPair(QString::number(i), QString::number(-i));
        }
        for (int i = 0; i < 3; ++i) {
            logged.log.sampleTick();
        }
        EXPECT_EQ(logged.position.count(), kMostEntries);
        EXPECT_EQ(logged.pressure.count(), kMostEntries);
        const bool sampled = filled < kMostEntries;
        EXPECT_EQ(logged.position.items.last(),
                  sampled ? QStringLiteral("0.5") : QString::number(kMostEntries - 1));
        EXPECT_EQ(logged.pressure.items.last(),
                  sampled ? pressure : QString::number(1 - kMostEntries));
    }

    logged.log.reset();
    logged.log.sampleTick();
    EXPECT_EQ(logged.position.items, QStringList{QStringLiteral("0.5")});
    EXPECT_EQ(logged.pressure.count(), 1);
}

} // namespace
