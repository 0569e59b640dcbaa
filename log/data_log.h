// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// The data log: samples of position and pressure in two paired lists, cleared together
// and exported together. The lists are the only store of samples.

#include "log/log_list.h"
#include "model/actuator.h"

struct DataLogControls {
    LogList& position;
    LogList& pressure;
    const Timer& Timer1; // running while enabled
    MessageBox& messages;
};

class DataLog {
public:
    DataLog(const DataLogControls& controls, const Actuator& actuator, QString exportPath);

    void sampleTick(); // each tick of Timer2
    void reset();      // "Reset List Data"
    void save();       // "Save"

private:
    DataLogControls controls_;
    const Actuator& actuator_;
    QString exportPath_;
};
