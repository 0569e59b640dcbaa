// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// The few things the actuator logic needs of the panel's controls. The window adapts
// real widgets to these; the tests adapt in-memory fakes.

#include <QString>
#include <cstdint>
#include <functional>

// A single-line text box.
class TextBox {
public:
    virtual ~TextBox() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
};

// A timer with a period in whole milliseconds and an enabled flag. Its tick comes one
// period after it is enabled; an enabled timer with period 0 is armed but never ticks.
class Timer {
public:
    virtual ~Timer() = default;
    virtual int period() const = 0;
    virtual void setPeriod(int milliseconds) = 0;
    virtual bool enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
};

// Shows a text in a modal box and returns at once; `closed` runs once the operator has
// closed the box. While it is open no other control takes input, and the timers go on.
// A handler that goes on after a box goes on in `closed`.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void show(const QString& text, std::function<void()> closed) = 0;
    void show(const QString& text) { show(text, {}); }
};

// The drawing area of the actuator, as the motion tick drives it.
class ActuatorView {
public:
    virtual ~ActuatorView() = default;
    virtual bool revealComplete() const = 0;
    virtual void revealStep() = 0;
    virtual void prepareView() = 0;
    virtual void drawActuator(std::int16_t imgLeft) = 0;
};
