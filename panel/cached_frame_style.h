// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// The application's style, except that the panel of a line edit (its ground and its
// rounded, antialiased outline) is drawn once for each size, state and palette and then
// copied. The readouts are repainted on every motion tick, and stroking their outlines
// afresh each time cost more than everything else the tick does.

#include <QPalette>
#include <QPixmap>
#include <QProxyStyle>
#include <QSize>
#include <vector>

class QStyleOptionFrame;

class CachedFrameStyle : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;

private:
    // Everything the panel's look depends on, so that a change of any gives a new picture.
    struct Look {
        QSize size;
        int state;
        qint64 palette;
        int lineWidth;
        int features;
        int direction;
        qreal ratio;
        bool operator==(const Look&) const = default;
    };

    const QPixmap& panelPicture(const QStyleOptionFrame& frame, qreal ratio,
                                const QWidget* widget) const;

    // A handful of looks at most (a readout with and without focus, enabled or not); the
    // oldest is dropped first.
    mutable std::vector<std::pair<Look, QPixmap>> pictures_;
};
