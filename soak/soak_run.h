// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// A long run through the real window and its real timers: moves back and forth at
// 599 RPM, one motion tick a millisecond, until a given number of motion ticks have
// passed, while a timer of the run's own fires the sample tick far more often than
// Timer2's two seconds, so that the lists fill up and then stay full.

#include <QObject>
#include <functional>

class Form1;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

class SoakRun : public QObject {
public:
    SoakRun(Form1& window, long motionTicks, int samplePeriodMs);

    // Starts the first move; the run ends the event loop when the last tick has passed.
    void start();

    long motionTicks() const { return motionTicks_; }
    long sampleTicks() const { return sampleTicks_; }
    // Motion ticks that had passed when both lists first held `full` entries; -1 if never.
    long ticksWhenFull() const { return ticksWhenFull_; }

    std::function<void(long motionTicks)> onProgress; // after each tenth of the run
    std::function<void()> onFull;                     // once, when the lists fill up
    static constexpr int kFull = 32767;

private:
    void afterMotionTick();
    void sample();
    void nextLegIfStopped();

    Form1& window_;
    const long totalTicks_;
    QTimer* Timer1_;
    QTimer* Timer2_;
    QTimer* sampler_;
    QTimer* legs_;
    QPushButton* retract_;
    QPushButton* stop_;
    QLineEdit* target_;
    QLineEdit* mtrspd_;
    QListWidget* position_;
    QListWidget* pressure_;
    long motionTicks_ = 0;
    long sampleTicks_ = 0;
    long ticksWhenFull_ = -1;
};
