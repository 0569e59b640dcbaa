// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "actuator_rig.h"

#include "model/numbers.h"

#include <QFile>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr int kMostEntries = 32767;
constexpr int kSamplePeriodMs = 2000;
// A move ends within one step past a target in [0, 3.4); a little slack for rounding.
constexpr double kLowestPos = -0.002;
constexpr double kHighestPos = 3.402;

const QString kInvalidSpeed = QStringLiteral("Enter a valid motor speed");
const QString kInvalidTarget = QStringLiteral("Enter a valid target position");
} // namespace

void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

ActuatorRig::ActuatorRig(const QLocale& locale, const QString& exportPath, int tickBudget,
                         int saveBudget)
    : target_(localizedDecimal(QStringLiteral("0.00"), locale)),
      mtrspd_(localizedDecimal(QStringLiteral("4.8"), locale)),
      Text2_(localizedDecimal(QStringLiteral("0.00"), locale)),
      Text3_(localizedDecimal(QStringLiteral("0.00"), locale)),
      actuator_({target_, mtrspd_, Text2_, Text3_, Timer1_, Timer2_, messages_, view_}, locale),
      log_({position_, pressure_, Timer1_, messages_}, actuator_, exportPath),
      exportPath_(exportPath), ticksLeft_(tickBudget), savesLeft_(saveBudget) {
    Timer1_.periodMs = 480;
    Timer2_.periodMs = kSamplePeriodMs;
    messages_.whileOpen = [this] { deliverBoxTicks(); };
}

void ActuatorRig::start() {
    const bool wasIdle = !Timer1_.isEnabled && !Timer2_.isEnabled;
    const qsizetype messagesBefore = messages_.shown.size();
    actuator_.startMove();
    if (refusedStart(messagesBefore)) {
        require(!wasIdle || (!Timer1_.isEnabled && !Timer2_.isEnabled),
                "a refused start left a timer running");
    } else {
        require(Timer1_.isEnabled, "a start that was not refused does not run");
    }
    checkState();
}

bool ActuatorRig::refusedStart(qsizetype messagesBefore) const {
    for (qsizetype i = messagesBefore; i < messages_.shown.size(); ++i) {
        if (messages_.shown.at(i) == kInvalidSpeed || messages_.shown.at(i) == kInvalidTarget) {
            return true;
        }
    }
    return false;
}

void ActuatorRig::stop() {
    actuator_.stopMove();
    require(!Timer1_.isEnabled, "STOP left the move running");
    checkState();
}

// A text box reports an edit only when its text changes.
void ActuatorRig::editTarget(const QString& text) {
    if (text == target_.value) {
        return;
    }
    target_.value = text;
    actuator_.targetEdited();
    require(!Timer1_.isEnabled, "a target edit left the move running");
    checkState();
}

void ActuatorRig::editSpeed(const QString& text) {
    if (text == mtrspd_.value) {
        return;
    }
    const bool wasRunning = Timer1_.isEnabled;
    const int periodBefore = Timer1_.periodMs;
    const int ticksBefore = ticksLeft_;
    mtrspd_.value = text;
    actuator_.speedEdited();
    // Only a tick during the warning box may end the move; the edit itself never does.
    require(Timer1_.isEnabled == wasRunning || ticksLeft_ != ticksBefore,
            "a speed edit changed the running state");
    require(Timer1_.periodMs == periodBefore, "a speed edit changed the period");
    checkState();
}

bool ActuatorRig::spendTick() {
    if (ticksLeft_ <= 0) {
        return false;
    }
    --ticksLeft_;
    return true;
}

void ActuatorRig::motionTicks(int count) {
    for (int i = 0; i < count && Timer1_.wouldTick() && spendTick(); ++i) {
        motionTick();
    }
}

void ActuatorRig::finishMove() {
    while (Timer1_.wouldTick() && spendTick()) {
        motionTick();
    }
}

void ActuatorRig::sampleTicks(int count) {
    for (int i = 0; i < count && Timer2_.wouldTick() && spendTick(); ++i) {
        sampleTick();
    }
}

// One tick of the motion timer: a reveal step leaves the position alone; afterwards each
// tick moves it by exactly one 0.001 inch step, and the readouts show the new position
// and the pressure of the position before the step.
void ActuatorRig::motionTick() {
    const bool revealing = !view_.revealComplete();
    const double before = actuator_.position();
    actuator_.motionTick();
    const double after = actuator_.position();
    if (revealing) {
        require(after == before, "a reveal step moved the actuator");
    } else {
        require(after == before + 0.001 || after == before + -0.001,
                "a motion tick moved by other than one step");
        require(Text2_.value == numberText(after, actuator_.locale()),
                "the position readout does not show the position");
        require(Text3_.value == numberText(5860.0 - 1e3 * 2.016 * before, actuator_.locale()),
                "the pressure readout does not show the pressure before the step");
    }
    checkState();
}

void ActuatorRig::sampleTick() {
    const int countBefore = position_.count();
    log_.sampleTick();
    require(position_.count() == countBefore || position_.count() == countBefore + 1,
            "a sample tick added other than one entry");
    checkState();
}

// The modal loop of a message box: the timers tick, the operator can do nothing else.
void ActuatorRig::deliverBoxTicks() {
    motionTicks(ticksWhileBoxOpen_);
    sampleTicks(1);
}

void ActuatorRig::reset() {
    log_.reset();
    require(position_.count() == 0 && pressure_.count() == 0, "Reset left entries");
    checkState();
}

// Save writes exactly the two lists, or, during a move, nothing at all.
void ActuatorRig::save() {
    if (savesLeft_-- <= 0) {
        return;
    }
    const bool running = Timer1_.isEnabled;
    const QByteArray expected = exportOf(position_.items, pressure_.items);
    log_.save();
    if (!running) {
        saved_ = expected;
    }
    require(exportFile() == saved_, "the export file does not hold the saved lists");
    checkState();
}

std::optional<QByteArray> ActuatorRig::exportFile() const {
    QFile file(exportPath_);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

void ActuatorRig::checkState() const {
    require(position_.count() == pressure_.count(), "the log lists are no longer paired");
    require(position_.count() <= kMostEntries, "a log list grew past its cap");
    require(position_.outOfRangeReads == 0 && pressure_.outOfRangeReads == 0,
            "a log list was read past its end");
    require(actuator_.running() == Timer1_.isEnabled, "running is not Timer1 enabled");
    require(Timer2_.isEnabled == Timer1_.isEnabled, "Timer2 and Timer1 disagree");
    require(Timer2_.periodMs == kSamplePeriodMs, "the sample period changed");
    require(Timer1_.periodMs >= 0, "a negative motion period");
    const double pos = actuator_.position();
    require(kLowestPos <= pos && pos <= kHighestPos, "the position left the travel");
}
