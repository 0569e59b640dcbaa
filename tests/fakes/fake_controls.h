// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// In-memory stand-ins for the panel's controls, so that handlers run without a window.

#include "model/actuator.h"
#include "model/numbers.h"

#include <QStringList>
#include <vector>

struct FakeTextBox : TextBox {
    QString value;
    explicit FakeTextBox(QString initial = {}) : value(std::move(initial)) {}
    QString text() const override { return value; }
    void setText(const QString& text) override { value = text; }
};

struct FakeTimer : Timer {
    int periodMs = 0;
    bool isEnabled = false;
    int period() const override { return periodMs; }
    void setPeriod(int milliseconds) override { periodMs = milliseconds; }
    bool enabled() const override { return isEnabled; }
    void setEnabled(bool enabled) override { isEnabled = enabled; }
    // Whether a real timer in this state would deliver a tick.
    bool wouldTick() const { return isEnabled && periodMs > 0; }
};

struct FakeMessages : MessageBox {
    QStringList shown;
    void show(const QString& text, std::function<void()> closed) override {
        shown << text;
        if (closed) {
            closed();
        }
    }
};

// Counts its calls and completes the reveal after 21 steps, as the drawing area does.
struct FakeView : ActuatorView {
    int revealSteps = 0;
    int revealStepsNeeded = 21;
    int preparations = 0;
    std::vector<std::int16_t> drawnAt;
    bool revealComplete() const override { return revealSteps == revealStepsNeeded; }
    void revealStep() override { ++revealSteps; }
    void prepareView() override { ++preparations; }
    void drawActuator(std::int16_t imgLeft) override { drawnAt.push_back(imgLeft); }
};

// A whole panel of fakes with the panel's initial texts in `locale`, and the actuator over it.
struct FakePanel {
    FakeTextBox target{QStringLiteral("0.00")};
    FakeTextBox mtrspd{QStringLiteral("4.8")};
    FakeTextBox Text2{QStringLiteral("0.00")};
    FakeTextBox Text3{QStringLiteral("0.00")};
    FakeTimer Timer1;
    FakeTimer Timer2;
    FakeMessages messages;
    FakeView view;
    Actuator actuator;

    explicit FakePanel(const QLocale& locale = QLocale::c())
        : actuator({target, mtrspd, Text2, Text3, Timer1, Timer2, messages, view}, locale) {
        for (FakeTextBox* box : {&target, &mtrspd, &Text2, &Text3}) {
            box->value = localizedDecimal(box->value, locale);
        }
        Timer1.periodMs = 480;
        Timer2.periodMs = 2000;
    }

    // Delivers motion ticks while Timer1 would tick, at most `limit`; returns how many.
    int runMove(int limit = 1'000'000) {
        int ticks = 0;
        while (Timer1.wouldTick() && ticks < limit) {
            actuator.motionTick();
            ++ticks;
        }
        return ticks;
    }

    // Starts a move to `to` after the reveal is done, and runs it to its end.
    int moveTo(const QString& to) {
        view.revealSteps = view.revealStepsNeeded;
        target.value = to;
        actuator.startMove();
        return runMove();
    }
};
