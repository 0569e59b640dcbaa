// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// Drives the real panel window as an operator would: a scratch home folder with a
// background picture, the window opened and shown, speeds and targets typed, the
// Retract/Extend button pressed, and the ticks of the motion timer Timer1 recorded from
// outside through its timeout signal.

#include "panel/form1.h"

#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdint>
#include <vector>

// Points HOME and the folder settings (XDG_CONFIG_HOME) at a fresh temporary folder holding
// a background picture, so that the window finds its files there and the operator's own
// files are never touched.
class ScratchHome {
public:
    ScratchHome();
    ScratchHome(const ScratchHome&) = delete;
    ScratchHome& operator=(const ScratchHome&) = delete;

private:
    QTemporaryDir folder_;
};

// Writes the blue background picture the window reads at start-up.
void writeBackgroundPicture(const QString& path);

// What one move recorded: the time of every motion tick and the process CPU time at the
// first and the last of them.
struct MoveRecord {
    std::vector<std::int64_t> tickNs;
    std::int64_t cpuAtFirstUs = 0;
    std::int64_t cpuAtLastUs = 0;
    std::int64_t wallNs() const { return tickNs.size() < 2 ? 0 : tickNs.back() - tickNs.front(); }
};

class PanelDriver {
public:
    PanelDriver(); // opens the window and waits until it is on screen
    ~PanelDriver();

    Form1& window() { return window_; }
    QTimer& motionTimer() { return *motionTimer_; }
    QString platform() const; // "offscreen" or "Xvfb"

    void type(const char* box, const QString& text);
    void press(const char* button);

    // Runs the drawing area's opening animation with a one-step move at 1 ms.
    void openDrawingArea();

    // A move at `speed` RPM over about `steps` steps of 0.001 inch, towards the middle of
    // the stroke; returns once the move has stopped by itself.
    MoveRecord move(const QString& speed, int steps);

private:
    Form1 window_;
    QTimer* motionTimer_;
};

// Steady-clock time in nanoseconds.
std::int64_t nowNs();
