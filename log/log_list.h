// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// A list of logged texts, as the data log uses it.

#include <QString>

class LogList {
public:
    virtual ~LogList() = default;
    virtual void append(const QString& text) = 0;
    virtual void clear() = 0;
    virtual int count() const = 0;
    virtual QString at(int index) const = 0;
};
