// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "model/actuator.h"
#include "model/numbers.h"

#include <cmath>
#include <limits>

namespace {
constexpr double kLeadInchesPerRev = 0.2;
constexpr double kWarnAboveRpm = 10.0;
constexpr double kTargetEndInches = 3.4;
constexpr double kLongestPeriodMs = std::numeric_limits<int>::max();

const QString kInfeasibleSpeed = QStringLiteral("Warning: Infeasible motor speed");
const QString kInvalidSpeed = QStringLiteral("Enter a valid motor speed");
const QString kInvalidTarget = QStringLiteral("Enter a valid target position");
const QString kStopBeforeSpeed = QStringLiteral("Stop program before changing motor speed!");
} // namespace

std::optional<int> Actuator::motionPeriod(const QString& speedText, const QLocale& locale) {
    const auto speed = parseNumber(speedText, locale);
    if (!speed || !(*speed > 0.0)) {
        return std::nullopt;
    }
    // The time the screw needs for one 0.001 inch step: 60 / (rpm x lead) milliseconds.
    const double period = roundHalfEven(60.0 / (*speed * kLeadInchesPerRev));
    if (!(period <= kLongestPeriodMs)) {
        return std::nullopt;
    }
    return static_cast<int>(period);
}

void Actuator::startMove() {
    if (!motionPeriod(controls_.mtrspd.text(), locale_)) {
        controls_.messages.show(kInvalidSpeed);
        return;
    }
    if (*parseNumber(controls_.mtrspd.text(), locale_) > kWarnAboveRpm) {
        controls_.messages.show(kInfeasibleSpeed, [this] { startMoveAtSpeed(); });
        return;
    }
    startMoveAtSpeed();
}

// The rest of Retract/Extend, after the warning if there was one. The speed is read afresh:
// it is never cached, not even across the warning.
void Actuator::startMoveAtSpeed() {
    const auto period = motionPeriod(controls_.mtrspd.text(), locale_);
    if (!period) {
        controls_.messages.show(kInvalidSpeed);
        return;
    }
    controls_.Timer1.setPeriod(*period);
    const auto target = parseNumber(controls_.target.text(), locale_);
    if (target && 0.0 <= *target && *target < kTargetEndInches) {
        controls_.Timer1.setEnabled(true);
        controls_.Timer2.setEnabled(true);
    } else {
        controls_.messages.show(kInvalidTarget);
    }
}

void Actuator::stopMove() {
    disableTimers();
}

void Actuator::targetEdited() {
    if (running()) {
        disableTimers();
    }
}

void Actuator::speedEdited() {
    if (running()) {
        controls_.messages.show(kStopBeforeSpeed);
    }
}
