// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// The data log: samples of position and pressure in two paired lists, cleared together
// and exported together. The lists are the only store of samples.

#include "log/log_list.h"
#include "model/actuator.h"

#include <functional>

struct DataLogControls {
    LogList& position;
    LogList& pressure;
    const Timer& Timer1; // running while enabled
    MessageBox& messages;
};

class DataLog {
public:
    // Runs when the new export file is written in full, just before it takes the earlier
    // one's place: the tests change the folder there, so that the commit fails for a
    // real reason.
    using BeforeCommit = std::function<void()>;

    DataLog(const DataLogControls& controls, const Actuator& actuator, QString exportPath,
            BeforeCommit beforeCommit = {});

    void sampleTick(); // each tick of Timer2
    void reset();      // "Reset List Data"
    void save();       // "Save"

private:
    DataLogControls controls_;
    const Actuator& actuator_;
    QString exportPath_;
    BeforeCommit beforeCommit_;
};
