// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// An in-memory stand-in for a log list, so that the data log runs without a window.

#include "log/log_list.h"

#include <QByteArray>
#include <QStringList>

struct FakeLogList : LogList {
    QStringList items;
    // Reads past the end, which a real list box would answer with nothing.
    mutable int outOfRangeReads = 0;

    void append(const QString& text) override { items << text; }
    void clear() override { items.clear(); }
    int count() const override { return static_cast<int>(items.size()); }
    QString at(int index) const override {
        if (index < 0 || index >= items.size()) {
            ++outOfRangeReads;
            return {};
        }
        return items.at(index);
    }
};

// What Save writes for two lists: a line for each pair, a tab between, CR LF after.
inline QByteArray exportOf(const QStringList& position, const QStringList& pressure) {
    QByteArray bytes;
    for (qsizetype i = 0; i < position.size(); ++i) {
        bytes += position[i].toUtf8() + '\t' + pressure.value(i).toUtf8() + "\r\n";
    }
    return bytes;
}
