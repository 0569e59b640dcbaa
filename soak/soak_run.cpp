// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "soak_run.h"

#include "panel/form1.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

namespace {
template <typename T> T* named(const QObject& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) {
        qFatal("the window has no control named %s", name);
    }
    return found;
}
} // namespace

SoakRun::SoakRun(Form1& window, long motionTicks, int samplePeriodMs)
    : window_(window), totalTicks_(motionTicks), Timer1_(named<QTimer>(window, "Timer1")),
      Timer2_(named<QTimer>(window, "Timer2")), sampler_(new QTimer(this)), legs_(new QTimer(this)),
      retract_(named<QPushButton>(window, "retract")), stop_(named<QPushButton>(window, "stop")),
      target_(named<QLineEdit>(window, "target")), mtrspd_(named<QLineEdit>(window, "mtrspd")),
      position_(named<QListWidget>(window, "position")),
      pressure_(named<QListWidget>(window, "pressure")) {
    sampler_->setTimerType(Qt::PreciseTimer);
    sampler_->setInterval(samplePeriodMs);
    legs_->setInterval(5);
    // Connected after the window's own handler, so each call sees the step just made.
    connect(Timer1_, &QTimer::timeout, this, [this] { afterMotionTick(); });
    connect(sampler_, &QTimer::timeout, this, [this] { sample(); });
    connect(legs_, &QTimer::timeout, this, [this] { nextLegIfStopped(); });
}

void SoakRun::start() {
    mtrspd_->setText(QStringLiteral("599")); // 60 / (599 x 0.2) ms rounds to 1 ms
    sampler_->start();
    legs_->start();
    nextLegIfStopped();
}

// A move ends at its target; the next one heads back, so a run can be any length
// although one move covers at most 3.4 inches.
void SoakRun::nextLegIfStopped() {
    if (window_.timer1().enabled() || motionTicks_ >= totalTicks_) {
        return;
    }
    const bool nearStart = window_.actuator().position() < 1.7;
    target_->setText(nearStart ? QStringLiteral("3.3") : QStringLiteral("0.1"));
    retract_->click();
}

void SoakRun::afterMotionTick() {
    ++motionTicks_;
    if (onProgress && motionTicks_ % std::max(totalTicks_ / 10, 1L) == 0) {
        onProgress(motionTicks_);
    }
    if (motionTicks_ == totalTicks_) {
        stop_->click();
        sampler_->stop();
        legs_->stop();
        QCoreApplication::quit();
    }
}

// Fires Timer2's own timeout, so the sample goes through the window's wiring exactly
// as the two-second tick's does.
void SoakRun::sample() {
    QMetaObject::invokeMethod(Timer2_, "timeout");
    ++sampleTicks_;
    if (ticksWhenFull_ < 0 && position_->count() == kFull && pressure_->count() == kFull) {
        ticksWhenFull_ = motionTicks_;
        if (onFull) {
            onFull();
        }
    }
}
