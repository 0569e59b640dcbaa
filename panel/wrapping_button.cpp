// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "panel/wrapping_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

void WrappingButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    painter.drawItemText(area, Qt::AlignCenter | Qt::TextWordWrap, palette(), isEnabled(), text(),
                         QPalette::ButtonText);
}
