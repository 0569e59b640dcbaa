// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "panel/qt_controls.h"

#include <algorithm>

namespace {
// Where a box keeps the text the program last wrote into it.
const char* const kProgramText = "programText";

void showFromStart(QLineEdit& edit, const QString& text) {
    edit.setText(text);
    edit.setCursorPosition(0);
}
} // namespace

void LineEditBox::setText(const QString& text) {
    edit_.setProperty(kProgramText, text);
    showFromStart(edit_, text);
}

void keepProgramText(QLineEdit& readout) {
    readout.setProperty(kProgramText, readout.text());
    QObject::connect(&readout, &QLineEdit::textChanged, &readout, [&readout](const QString& text) {
        const QString written = readout.property(kProgramText).toString();
        if (text != written) {
            showFromStart(readout, written);
        }
    });
}

QString ListBox::at(int index) const {
    const QListWidgetItem* item = list_.item(index);
    return item != nullptr ? item->text() : QString();
}

namespace {
using Clock = std::chrono::steady_clock;

// How far behind its schedule a timer may fall and still catch up with ticks that are
// due at once. Beyond that the process was held up (a stalled machine, a debugger) and
// the schedule starts afresh, rather than rushing the lost ticks through.
constexpr Clock::duration kLongestCatchUp = std::chrono::milliseconds(20);

// A browser wakes a timer no sooner than every 4 ms or so, however short its wait: there
// the ticks that fell due meanwhile are delivered in the same wake-up, so that a 1 ms
// period keeps its rate. A desktop's timers wake within the millisecond, and a tick that
// is due at once comes through the event loop, between the operator's clicks.
#ifdef Q_OS_WASM
constexpr bool kCatchUpInOneWakeUp = true;
#else
constexpr bool kCatchUpInOneWakeUp = false;
#endif
} // namespace

PanelTimer::PanelTimer(QObject* parent, const QString& name, int periodMs)
    : timer_(new QTimer(parent)), periodMs_(periodMs) {
    timer_->setObjectName(name);
    // A coarse timer may fire up to 5 % early, which would make every move too quick.
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setSingleShot(true);
    QObject::connect(timer_, &QTimer::timeout, timer_, [this] { deliverTicks(); });
}

void PanelTimer::setPeriod(int milliseconds) {
    if (milliseconds == periodMs_) {
        return; // the same period keeps the running count, as a re-press at one speed should
    }
    periodMs_ = milliseconds;
    apply();
}

void PanelTimer::setEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    apply();
}

void PanelTimer::onTick(const std::function<void()>& handler) {
    handlers_.push_back(handler);
}

// The next tick is armed before the handlers run, so that a handler that stops the timer
// has the last word.
void PanelTimer::deliverTicks() {
    // A single-shot QTimer has stopped itself before a tick it delivers; a timeout emitted
    // by hand leaves it running and must not move the schedule.
    const bool scheduled = !timer_->isActive() && enabled_ && periodMs_ > 0;
    if (scheduled) {
        armForNextTick();
    }
    runHandlers();
    while (kCatchUpInOneWakeUp && scheduled && timer_->isActive() && nextTick_ <= Clock::now()) {
        armForNextTick();
        runHandlers();
    }
}

void PanelTimer::runHandlers() const {
    for (const auto& handler : handlers_) {
        handler();
    }
}

// Starting the QTimer restarts its count, so the next tick comes one full period later.
void PanelTimer::apply() {
    if (enabled_ && periodMs_ > 0) {
        nextTick_ = Clock::now() + std::chrono::milliseconds(periodMs_);
        timer_->start(periodMs_);
    } else {
        timer_->stop();
    }
}

void PanelTimer::armForNextTick() {
    const Clock::duration interval = std::chrono::milliseconds(periodMs_);
    const Clock::time_point now = Clock::now();
    nextTick_ += interval;
    // Behind by more than a catch-up, or ahead of time because ticks were delivered by
    // hand faster than they fall due: the schedule starts again from now.
    if (nextTick_ < now - std::max(interval, kLongestCatchUp) || nextTick_ > now + interval) {
        nextTick_ = now + interval;
    }
    // Rounded up, so that a tick never comes before its time.
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(nextTick_ - now);
    timer_->start(static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, wait.count())));
}
