// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// The panel's modal message: no icon, the single button OK, the application's title.

#include "model/controls.h"

#include <QWidget>
#include <functional>

class ModalMessageBox : public MessageBox {
public:
    explicit ModalMessageBox(QWidget* parent) : parent_(parent) {}
    void show(const QString& text, std::function<void()> closed) override;

    // Tests answer the boxes through this instead of clicking them; an empty handler
    // restores the real modal box.
    static void interceptWith(std::function<void(const QString&)> handler);

private:
    QWidget* parent_;
};

inline const QString kApplicationTitle = QStringLiteral("Actuator Panel");
