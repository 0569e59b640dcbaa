// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// A push button whose caption wraps onto several lines when the button is too narrow.
// text() keeps the caption whole, so it reads the same to tests and screen readers.

#include <QPushButton>

class WrappingButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};
