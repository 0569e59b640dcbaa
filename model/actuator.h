// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// The simulated lead-screw actuator and the handlers that drive it: the motion tick of
// the motion timer and the responses to the run controls. The running state is the
// enabled flag of Timer1; the target and the speed live only in their text boxes.

#include "model/controls.h"

#include <QLocale>
#include <cstdint>
#include <optional>

// The controls the actuator reads and writes, owned by the panel.
struct ActuatorControls {
    TextBox& target;
    TextBox& mtrspd;
    TextBox& Text2; // position readout
    TextBox& Text3; // pressure readout
    Timer& Timer1;  // motion tick
    Timer& Timer2;  // sample tick
    MessageBox& messages;
    ActuatorView& view;
};

class Actuator {
public:
    explicit Actuator(const ActuatorControls& controls, QLocale locale = QLocale());

    // One tick of Timer1: a reveal step of the drawing area, or one 0.001 inch step.
    void motionTick();

    void startMove();    // "Retract/Extend"
    void stopMove();     // "STOP"
    void targetEdited(); // any change of the target text
    void speedEdited();  // any change of the speed text

    bool running() const { return controls_.Timer1.enabled(); }
    double position() const { return pos; }
    double pressure() const { return pres; }
    const QLocale& locale() const { return locale_; }

    // The period of Timer1 for the given speed text, or nothing for a speed that
    // cannot drive a move (not a number, zero, negative, or too slow for a timer).
    static std::optional<int> motionPeriod(const QString& speedText, const QLocale& locale);

private:
    void startMoveAtSpeed();
    void stepTowards(double stepInches);
    bool targetReached(bool extending) const;
    double targetValue() const;
    void disableTimers();

    ActuatorControls controls_;
    QLocale locale_;
    // The last target text read and its value: a tick reads the text twice, and during a
    // move it never changes (an edit ends the move), so it is converted once per text.
    // It starts as the empty text, which is no number.
    mutable QString targetText_;
    mutable std::optional<double> targetNumber_;
    double pos = 0.0;         // inch
    double pres = 0.0;        // psi
    std::int16_t ImgLeft = 0; // view units
};
