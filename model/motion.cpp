// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "model/actuator.h"
#include "model/numbers.h"

namespace {
constexpr double kStepInches = 0.001;
} // namespace

Actuator::Actuator(const ActuatorControls& controls, QLocale locale)
    : controls_(controls), locale_(std::move(locale)) {}

void Actuator::motionTick() {
    pres = 5860.0 - 1e3 * 2.016 * pos;
    ImgLeft = toInt16(185.0 / 2.9 * pos + 205.0);
    if (!controls_.view.revealComplete()) {
        controls_.view.revealStep();
        return;
    }
    controls_.view.prepareView();
    const bool extending = targetValue() >= pos;
    stepTowards(extending ? kStepInches : -kStepInches);
    if (targetReached(extending)) {
        disableTimers();
    }
}

void Actuator::stepTowards(double stepInches) {
    pos = pos + stepInches;
    controls_.Text2.setText(numberText(pos, locale_));
    controls_.Text3.setText(numberText(pres, locale_));
    controls_.view.drawActuator(ImgLeft);
}

bool Actuator::targetReached(bool extending) const {
    const double target = targetValue();
    return extending ? target <= pos : target >= pos;
}

// Start move admits only numeric targets and any edit of the target ends the move, so
// a tick never meets text that is not a number; should it, the position is the target
// and the move stops where it is.
double Actuator::targetValue() const {
    const QString text = controls_.target.text();
    if (text != targetText_) {
        targetNumber_ = parseNumber(text, locale_);
        targetText_ = text;
    }
    return targetNumber_.value_or(pos);
}

void Actuator::disableTimers() {
    controls_.Timer1.setEnabled(false);
    controls_.Timer2.setEnabled(false);
}
