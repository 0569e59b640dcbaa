// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "measures.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::int64_t> ticksAt(std::initializer_list<double> ms) {
    std::vector<std::int64_t> ns;
    for (const double t : ms) {
        ns.push_back(static_cast<std::int64_t>(t * 1e6));
    }
    return ns;
}

TEST(PacingOf, RatioOverIntervalsAndLargestLateInterval) {
    const struct {
        const char* name;
        std::vector<std::int64_t> ticks;
        int periodMs;
        double ratio;
        double largestLateMs;
    } cases[] = {
        {"exact", ticksAt({100, 130, 160, 190}), 30, 1.0, 0.0},
        // One late tick that the next one makes up for: on schedule, one interval long.
        {"late then early", ticksAt({0, 31.5, 60, 90}), 30, 1.0, 1.5},
        {"every tick late", ticksAt({0, 1.1, 2.2, 3.3, 4.4}), 1, 1.1, 0.1},
        {"fast", ticksAt({0, 29, 58}), 30, 58.0 / 60.0, 0.0},
        {"two ticks", ticksAt({5, 67}), 62, 1.0, 0.0},
    };
    for (const auto& c : cases) {
        const Pacing pacing = pacingOf(c.ticks, c.periodMs);
        EXPECT_EQ(pacing.ticks, static_cast<int>(c.ticks.size())) << c.name;
        EXPECT_NEAR(pacing.ratio, c.ratio, 1e-9) << c.name;
        EXPECT_NEAR(pacing.largestLateMs, c.largestLateMs, 1e-6) << c.name;
    }
}

TEST(PacingOf, TooFewTicksGiveNoRatio) {
    EXPECT_EQ(pacingOf({}, 30).ratio, 0.0);
    EXPECT_EQ(pacingOf(ticksAt({7}), 30).ratio, 0.0);
    EXPECT_EQ(pacingOf(ticksAt({0, 30}), 0).ratio, 0.0);
}

TEST(StatusKilobytes, ReadsTheNamedFieldOnly) {
    const std::string status = "Name:\twindow_bench\nVmHWM:\t   38120 kB\nVmRSS:\t   36004 kB\n"
                               "VmRSSX:\t1 kB\nBroken:\tkB\n";
    const struct {
        const char* field;
        long kilobytes;
    } cases[] = {{"VmHWM", 38120}, {"VmRSS", 36004}, {"VmRSSX", 1},
                 {"Broken", -1},   {"VmSwap", -1},   {"Vm", -1}};
    for (const auto& c : cases) {
        EXPECT_EQ(statusKilobytes(status, c.field), c.kilobytes) << c.field;
    }
}

} // namespace
