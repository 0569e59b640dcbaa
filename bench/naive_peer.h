// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// The two peers a motion tick is measured against: the naive way of showing the same two
// readouts (two line edits with the look of the panel's readouts, given the texts each tick
// of the panel's move shows), and a 30 ms timer that does nothing at all.

#include "panel/cached_frame_style.h"

#include <QLineEdit>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <utility>
#include <vector>

// The texts of the position and pressure readouts after each tick of a move from start-up,
// or nothing for a tick that left them alone (the drawing area's opening ticks).
using ReadoutTexts = std::vector<std::optional<std::pair<QString, QString>>>;
ReadoutTexts readoutTextsOfMove(const QString& speed, const QString& target);

// A window of two read-only line edits with the panel's font, colours and frame style, set
// with QLineEdit::setText and nothing more.
class NaiveReadouts : public QWidget {
public:
    NaiveReadouts();
    void show(const std::pair<QString, QString>& texts);
    using QWidget::show;

private:
    CachedFrameStyle style_;
    QLineEdit position_{this};
    QLineEdit pressure_{this};
};

// A precise 30 ms timer, as the panel's timers are.
class PeerTimer : public QTimer {
public:
    PeerTimer();
};
