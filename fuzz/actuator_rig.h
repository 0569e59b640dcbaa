// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// The actuator and the data log wired to in-memory fakes, with every operator action and
// timer tick as a call that checks the panel's invariants once it is done. Any broken
// invariant aborts, so that libFuzzer keeps the input that broke it.

#include "fakes/fake_controls.h"
#include "fakes/fake_log_list.h"
#include "log/data_log.h"

#include <QByteArray>
#include <functional>
#include <optional>

// A message box whose modal loop still lets the timers tick, as the real one does.
struct TickingMessages : MessageBox {
    QStringList shown;
    std::function<void()> whileOpen;
    void show(const QString& text, std::function<void()> closed) override {
        shown << text;
        if (whileOpen) {
            whileOpen();
        }
        if (closed) {
            closed();
        }
    }
};

class ActuatorRig {
public:
    // exportPath is where Save writes; the file should not exist yet. The budgets bound
    // the ticks and Saves of one run; steps past them do nothing.
    ActuatorRig(const QLocale& locale, const QString& exportPath, int tickBudget, int saveBudget);

    void start();
    void stop();
    void editTarget(const QString& text);
    void editSpeed(const QString& text);
    void motionTicks(int count);
    void sampleTicks(int count);
    void finishMove();
    void reset();
    void save();
    // How many motion ticks each message box lets through while it is open.
    void setTicksWhileBoxOpen(int count) { ticksWhileBoxOpen_ = count; }

private:
    bool spendTick();
    void motionTick();
    void sampleTick();
    void deliverBoxTicks();
    void checkState() const;
    bool refusedStart(qsizetype messagesBefore) const;
    std::optional<QByteArray> exportFile() const;

    FakeTextBox target_;
    FakeTextBox mtrspd_;
    FakeTextBox Text2_;
    FakeTextBox Text3_;
    FakeTimer Timer1_;
    FakeTimer Timer2_;
    TickingMessages messages_;
    FakeView view_;
    FakeLogList position_;
    FakeLogList pressure_;
    Actuator actuator_;
    DataLog log_;
    QString exportPath_;
    std::optional<QByteArray> saved_; // what the export file holds, if it exists
    int ticksLeft_;
    int savesLeft_;
    int ticksWhileBoxOpen_ = 0;
};

// Aborts with a message when an invariant does not hold.
void require(bool holds, const char* what);
