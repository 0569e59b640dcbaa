// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// A fake panel with its two log lists and the data log over them, and a clock that
// delivers the ticks of both timers in the order simulated time brings them.

#include "fakes/fake_controls.h"
#include "fakes/fake_log_list.h"
#include "log/data_log.h"

#include <QByteArray>
#include <QFile>
#include <algorithm>
#include <optional>
#include <ostream>

struct LoggedPanel {
    FakePanel panel;
    FakeLogList position;
    FakeLogList pressure;
    DataLog log;

    explicit LoggedPanel(const QString& exportPath = QStringLiteral("unused.txt"),
                         const QLocale& locale = QLocale::c(),
                         DataLog::BeforeCommit beforeCommit = {})
        : panel(locale), log({position, pressure, panel.Timer1, panel.messages}, panel.actuator,
                             exportPath, std::move(beforeCommit)) {
        panel.view.revealSteps = panel.view.revealStepsNeeded; // no reveal animation
    }

    // Starts a move with the given speed and target texts.
    void start(const QString& speed, const QString& to) {
        panel.mtrspd.value = speed;
        panel.target.value = to;
        panel.actuator.startMove();
    }

    void appendPair(const QString& pos, const QString& pres) {
        position.append(pos);
        pressure.append(pres);
    }
};

// Simulated time since both timers were last enabled together. A timer ticks every
// period while it would tick; when both fall due at once the motion tick comes first,
// so a sample taken every 2000 / p motion ticks sees the step of that tick.
class SimulatedClock {
public:
    explicit SimulatedClock(LoggedPanel& logged)
        : logged_(logged), nextMotion_(logged.panel.Timer1.periodMs),
          nextSample_(logged.panel.Timer2.periodMs) {}

    void advanceBy(long long milliseconds) {
        const long long end = now_ + milliseconds;
        while (true) {
            const bool motion = logged_.panel.Timer1.wouldTick();
            const bool sample = logged_.panel.Timer2.wouldTick();
            const long long due =
                std::min(motion ? nextMotion_ : end + 1, sample ? nextSample_ : end + 1);
            if (due > end) {
                break;
            }
            now_ = due;
            if (motion && nextMotion_ == due) {
                logged_.panel.actuator.motionTick();
                nextMotion_ += logged_.panel.Timer1.periodMs;
                ++motionTicks;
            } else {
                logged_.log.sampleTick();
                nextSample_ += logged_.panel.Timer2.periodMs;
            }
        }
        now_ = end;
    }

    int motionTicks = 0;

private:
    LoggedPanel& logged_;
    long long now_ = 0;
    long long nextMotion_;
    long long nextSample_;
};

// Shows bytes as text in test failures, with the tabs and line ends visible.
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    QByteArray shown = bytes;
    shown.replace('\t', "\\t").replace('\r', "\\r").replace('\n', "\\n");
    *os << '"' << shown.toStdString() << '"';
}

// The bytes of a file, or nothing when it cannot be read (as when it does not exist).
inline std::optional<QByteArray> fileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

// Writes `bytes` to `path`, replacing what was there; false when that fails.
inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}
