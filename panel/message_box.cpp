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

// The box is opened and the handler returns; what the handler does after the box runs when
// the box is closed, by OK, Escape or the window's close button alike. So the box needs
// no nested event loop, which a web browser cannot run without rewriting the program.
void ModalMessageBox::show(const QString& text, std::function<void()> closed) {
    if (interceptor()) {
        interceptor()(text);
        if (closed) {
            closed();
        }
        return;
    }
    auto* box =
        new QMessageBox(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok, parent_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setObjectName(QStringLiteral("message"));
    box->button(QMessageBox::Ok)->setIcon(QIcon()); // a plain OK, whatever the style adds
    if (closed) {
        QObject::connect(box, &QDialog::finished, parent_, std::move(closed));
    }
    box->open();
}
