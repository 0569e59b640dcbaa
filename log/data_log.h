// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// The data log: samples of position and pressure in two paired lists, cleared together
// and exported together. The lists are the only store of samples.

#include "log/log_list.h"
#include "model/actuator.h"

#include <functional>

class QSaveFile;

struct DataLogControls {
    LogList& position;
    LogList& pressure;
    const Timer& Timer1; // running while enabled
    MessageBox& messages;
};

class DataLog {
public:
    // Puts the export file, written in full, in place of the earlier one; true when done.
    // QSaveFile::commit unless given; the tests give one that fails.
    using CommitStep = std::function<bool(QSaveFile&)>;

    DataLog(const DataLogControls& controls, const Actuator& actuator, QString exportPath,
            CommitStep commit = {});

    void sampleTick(); // each tick of Timer2
    void reset();      // "Reset List Data"
    void save();       // "Save"

private:
    DataLogControls controls_;
    const Actuator& actuator_;
    QString exportPath_;
    CommitStep commit_;
};
