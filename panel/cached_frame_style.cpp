// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "panel/cached_frame_style.h"

#include <QPainter>
#include <QStyleOptionFrame>

namespace {

constexpr std::size_t kMostLooks = 8;

// A copy lands on whole pixels only; under any other transform the panel is drawn as usual.
bool copiesExactly(const QPainter& painter) {
    const QTransform transform = painter.worldTransform();
    return transform.type() <= QTransform::TxTranslate &&
           transform.dx() == static_cast<int>(transform.dx()) &&
           transform.dy() == static_cast<int>(transform.dy());
}

} // namespace

void CachedFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                     QPainter* painter, const QWidget* widget) const {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (element != PE_PanelLineEdit || frame == nullptr || frame->rect.isEmpty() ||
        !copiesExactly(*painter)) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const qreal ratio = painter->device()->devicePixelRatio();
    painter->drawPixmap(frame->rect.topLeft(), panelPicture(*frame, ratio, widget));
}

const QPixmap& CachedFrameStyle::panelPicture(const QStyleOptionFrame& frame, qreal ratio,
                                              const QWidget* widget) const {
    const Look look{frame.rect.size(),
                    static_cast<int>(frame.state),
                    frame.palette.cacheKey(),
                    frame.lineWidth,
                    static_cast<int>(frame.features),
                    static_cast<int>(frame.direction),
                    ratio};
    for (const auto& [known, picture] : pictures_) {
        if (known == look) {
            return picture;
        }
    }
    QPixmap picture(frame.rect.size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QStyleOptionFrame atOrigin = frame;
    atOrigin.rect.moveTopLeft(QPoint(0, 0));
    QPainter onPicture(&picture);
    QProxyStyle::drawPrimitive(PE_PanelLineEdit, &atOrigin, &onPicture, widget);
    onPicture.end();
    if (pictures_.size() == kMostLooks) {
        pictures_.erase(pictures_.begin());
    }
    pictures_.emplace_back(look, picture);
    return pictures_.back().second;
}
