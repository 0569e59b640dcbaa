// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "panel/message_box.h"

#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

namespace {
std::function<void(const QString&)>& interceptor() {
    static std::function<void(const QString&)> handler;
    return handler;
}
} // namespace

// The soak run and the benchmarks call it as the tests do, from outside the folders of the
// program that the analysis reads.
// cppcheck-suppress unusedFunction
void ModalMessageBox::interceptWith(std::function<void(const QString&)> handler) {
    interceptor() = std::move(handler);
}

void ModalMessageBox::show(const QString& text) {
    if (interceptor()) {
        interceptor()(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok, parent_);
    box.setObjectName(QStringLiteral("message"));
    box.button(QMessageBox::Ok)->setIcon(QIcon()); // a plain OK, whatever the style adds
    box.exec();
}
