// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// Adapters from the panel's Qt widgets to the small interfaces the logic uses.

#include "log/log_list.h"
#include "model/controls.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <chrono>
#include <functional>
#include <vector>

class LineEditBox : public TextBox {
public:
    explicit LineEditBox(QLineEdit& edit) : edit_(edit) {}
    QString text() const override { return edit_.text(); }
    // Shows the start of a text too long for the box: a readout such as
    // "0.0820000000000001" must show its leading digits, not its last ones.
    void setText(const QString& text) override;

private:
    QLineEdit& edit_;
};

// Keeps a read-only box to the text the program last wrote into it (through a LineEditBox).
// Read-only holds only for the keyboard: Qt's accessibility bridge writes into any line
// edit when an assistive client asks it to, such as a dictation tool with the focus on a
// readout, and the readout would then show a position the actuator is not at.
void keepProgramText(QLineEdit& readout);

class ListBox : public LogList {
public:
    explicit ListBox(QListWidget& list) : list_(list) {}
    void append(const QString& text) override { list_.addItem(text); }
    void clear() override { list_.clear(); }
    int count() const override { return list_.count(); }
    QString at(int index) const override;

private:
    QListWidget& list_;
};

// A precise QTimer behind the enabled flag and period of a panel timer. A QTimer with
// interval 0 would fire on every pass of the event loop, so an enabled timer with
// period 0 is kept stopped: armed, but silent.
//
// The ticks keep to a fixed schedule, one period apart from the moment the timer was
// started. Qt waits in whole milliseconds, rounded up, and gives up the schedule of a
// repeating timer that falls one period behind, so a 1 ms timer would lose about a tenth
// of its ticks. Instead the QTimer runs single-shot and each tick arms it for the time
// left to the next tick on the schedule, which is 0 when that tick is already due.
class PanelTimer : public Timer {
public:
    PanelTimer(QObject* parent, const QString& name, int periodMs);
    // The QTimer's handler holds this object's address, so it stays where it was made.
    PanelTimer(const PanelTimer&) = delete;
    PanelTimer& operator=(const PanelTimer&) = delete;
    PanelTimer(PanelTimer&&) = delete;
    PanelTimer& operator=(PanelTimer&&) = delete;
    ~PanelTimer() override = default;

    int period() const override { return periodMs_; }
    void setPeriod(int milliseconds) override;
    bool enabled() const override { return enabled_; }
    void setEnabled(bool enabled) override;

    void onTick(const std::function<void()>& handler);

private:
    void apply();
    void deliverTicks();
    void runHandlers() const;
    void armForNextTick();

    QTimer* timer_; // owned by the parent
    std::vector<std::function<void()>> handlers_;
    int periodMs_;
    bool enabled_ = false;
    std::chrono::steady_clock::time_point nextTick_;
};
