// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "logged_panel.h"

#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>
#include <random>

namespace {

const QString kStopBeforeSaving = QStringLiteral("Stop program before saving!");

// Texts an operator might leave in the boxes, good and bad.
const std::array kTargets = {"0", "0.05", "0.3", "1", "3.399", "3.4", "-0.1", "abc", ""};
const std::array kSpeeds = {"4.8", "6", "100", "1000", "0.1", "0", "-2", "x"};

// Random operations on a logged panel, checking the log after each one.
class RandomOperator {
public:
    explicit RandomOperator(const QString& exportPath) : logged_(exportPath), path_(exportPath) {}

    void step() {
        // Weighted so that moves last long enough to fill the lists between resets.
        const auto pick = random_() % 20;
        if (pick < 3) {
            logged_.panel.actuator.startMove();
        } else if (pick < 4) {
            logged_.panel.actuator.stopMove();
        } else if (pick < 5) {
            editTarget();
        } else if (pick < 6) {
            editSpeed();
        } else if (pick < 11) {
            motionTicks();
        } else if (pick < 17) {
            sampleTick();
        } else if (pick < 18) {
            reset();
        } else {
            save();
        }
        ASSERT_EQ(logged_.position.count(), logged_.pressure.count());
        ASSERT_EQ(logged_.position.outOfRangeReads + logged_.pressure.outOfRangeReads, 0);
    }

    int successfulSaves = 0;
    int refusedSaves = 0;
    int longestList = 0;

private:
    void editTarget() {
        logged_.panel.target.value = QString::fromLatin1(kTargets[random_() % kTargets.size()]);
        logged_.panel.actuator.targetEdited();
    }

    void editSpeed() {
        logged_.panel.mtrspd.value = QString::fromLatin1(kSpeeds[random_() % kSpeeds.size()]);
        logged_.panel.actuator.speedEdited();
    }

    void motionTicks() {
        const int ticks = static_cast<int>(random_() % 60) + 1;
        stepped_ = logged_.panel.runMove(ticks) > 0 || stepped_;
    }

    // A sample is the pair the readouts show since the first step, and zeros before it.
    void sampleTick() {
        if (!logged_.panel.Timer2.wouldTick()) {
            return;
        }
        logged_.log.sampleTick();
        longestList = std::max(longestList, logged_.position.count());
        const QString zero = QStringLiteral("0");
        EXPECT_EQ(logged_.position.items.last(), stepped_ ? logged_.panel.Text2.value : zero);
        EXPECT_EQ(logged_.pressure.items.last(), stepped_ ? logged_.panel.Text3.value : zero);
    }

    void reset() {
        logged_.log.reset();
        EXPECT_EQ(logged_.position.count(), 0);
    }

    void save() {
        const auto before = fileBytes(path_);
        const QStringList position = logged_.position.items;
        const QStringList pressure = logged_.pressure.items;
        const bool running = logged_.panel.Timer1.isEnabled;
        const auto messages = logged_.panel.messages.shown.size();

        logged_.log.save();
        EXPECT_EQ(logged_.position.items, position);
        EXPECT_EQ(logged_.pressure.items, pressure);
        if (running) {
            EXPECT_EQ(logged_.panel.messages.shown.size(), messages + 1);
            EXPECT_EQ(logged_.panel.messages.shown.last(), kStopBeforeSaving);
            EXPECT_EQ(fileBytes(path_), before);
            ++refusedSaves;
            return;
        }
        EXPECT_EQ(logged_.panel.messages.shown.size(), messages);
        EXPECT_EQ(fileBytes(path_), exportOf(position, pressure));
        ++successfulSaves;
    }

    LoggedPanel logged_;
    QString path_;
    std::minstd_rand random_{20240611};
    bool stepped_ = false;
};

TEST(RandomSequence, ListsStayPairedAndSavesMatchThem) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    RandomOperator op(dir.filePath(QStringLiteral("export.txt")));
    for (int i = 0; i < 5000; ++i) {
        op.step();
        if (testing::Test::HasFailure()) {
            FAIL() << "at operation " << i;
        }
    }
    // The sequence must reach the interesting states, or it proves little.
    EXPECT_GT(op.successfulSaves, 50);
    EXPECT_GT(op.refusedSaves, 50);
    EXPECT_GT(op.longestList, 10);
}

} // namespace
