// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "panel/drawing_area.h"

#include "panel/panel_style.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <algorithm>
#include <array>

namespace {

constexpr double kRevealStepTwips = 120.0;
constexpr double kOpenHeightTwips = 2535.0;
constexpr int kGroundIndex = 15; // bright white
constexpr double kViewUnits = 1000.0;

// A 2 px sunken edge in the colours of a classic sunken frame: the inner surface, where
// the view scale lives, is the widget less two pixels on every side.
constexpr int kBorderPixels = 2;

int pixels(double twips) {
    return qRound(twips / kTwipsPerPixel);
}

QColor paletteColour(int index) {
    static const std::array<QColor, 16> palette = {
        QColor(0, 0, 0),       QColor(0, 0, 128),   QColor(0, 128, 0),   QColor(0, 128, 128),
        QColor(128, 0, 0),     QColor(128, 0, 128), QColor(128, 128, 0), QColor(192, 192, 192),
        QColor(128, 128, 128), QColor(0, 0, 255),   QColor(0, 255, 0),   QColor(0, 255, 255),
        QColor(255, 0, 0),     QColor(255, 0, 255), QColor(255, 255, 0), QColor(255, 255, 255)};
    return palette.at(static_cast<std::size_t>(index));
}

// One pixel wide ring just inside r: top and left in one colour, bottom and right in
// the other, so that light seems to fall from the top left.
void drawRing(QPainter& painter, QRect r, const QBrush& topLeft, const QBrush& bottomRight) {
    if (r.isEmpty()) {
        return;
    }
    painter.fillRect(r.left(), r.top(), r.width(), 1, topLeft);
    painter.fillRect(r.left(), r.top(), 1, r.height(), topLeft);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, bottomRight);
    painter.fillRect(r.right(), r.top(), 1, r.height(), bottomRight);
}

void drawSunkenEdge(QPainter& painter, QRect r) {
    drawRing(painter, r, QColor(128, 128, 128), QColor(255, 255, 255));
    drawRing(painter, r.adjusted(1, 1, -1, -1), QColor(64, 64, 64), QColor(223, 223, 223));
}

// A one pixel ring of alternating black and white dots, which shows on any colour the
// area is cleared to. The dots follow the widget's pixel grid, so a partial repaint
// continues the pattern.
void drawFocusFrame(QPainter& painter, QRect r) {
    drawRing(painter, r, Qt::white, Qt::white);
    const QBrush dots(Qt::black, Qt::Dense4Pattern);
    drawRing(painter, r, dots, dots);
}

// Screen readers announce the area as a picture, by a name that says what it shows. The
// name is read when asked for, and no change of it is announced: the rod moves on every
// tick, and a screen reader would speak on every tick.
class AccessibleDrawing : public QAccessibleWidget {
public:
    explicit AccessibleDrawing(DrawingArea* area)
        : QAccessibleWidget(area, QAccessible::Graphic), area_(area) {}
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? area_->spokenText() : QAccessibleWidget::text(kind);
    }

private:
    const DrawingArea* area_;
};

QAccessibleInterface* accessibleDrawing(const QString& className, QObject* object) {
    if (className == QLatin1String("DrawingArea") && object->isWidgetType()) {
        return new AccessibleDrawing(static_cast<DrawingArea*>(object));
    }
    return nullptr;
}

} // namespace

DrawingArea::DrawingArea(QWidget* parent, QRect twips, const QLabel& fixedHolder,
                         const QLabel& movingHolder)
    : QWidget(parent), fixedHolder_(fixedHolder), movingHolder_(movingHolder),
      heightTwips_(twips.height()), background_(192, 192, 192) {
    // paintEvent covers every pixel, so Qt need not clear the area first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Once, for every area there will be.
    static const bool accessible = (QAccessible::installFactory(accessibleDrawing), true);
    Q_UNUSED(accessible);
    setGeometry(pixels(twips.left()), pixels(twips.top()), pixels(twips.width()),
                pixels(heightTwips_));
}

// The height is counted in twips of its own, so the test is exact on any screen.
bool DrawingArea::revealComplete() const {
    return heightTwips_ == kOpenHeightTwips;
}

void DrawingArea::revealStep() {
    heightTwips_ += kRevealStepTwips;
    resize(width(), pixels(heightTwips_)); // the top edge stays where it is
    clearTo(paletteColour(revealColours_.nextIndex()));
}

void DrawingArea::prepareView() {
    clearTo(paletteColour(kGroundIndex));
}

void DrawingArea::drawActuator(std::int16_t imgLeft) {
    stamp(fixedHolder_, viewPoint(175, 950));
    stamp(movingHolder_, viewPoint(imgLeft, 715));
    changed();
}

QString DrawingArea::spokenText() const {
    if (heightTwips_ < kRevealStepTwips) {
        return QStringLiteral("Actuator drawing: closed until the first move");
    }
    if (!revealComplete()) {
        return QStringLiteral("Actuator drawing: opening");
    }
    if (positionReadout_ == nullptr) {
        return QStringLiteral("Actuator drawing");
    }
    return QStringLiteral("Actuator drawing: rod at %1 in").arg(positionReadout_->text());
}

// Qt calls it, through the widget's virtual function table.
// cppcheck-suppress unusedFunction
void DrawingArea::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    const QRect inner = innerSurface();
    if (!inner.isEmpty()) {
        painter.save();
        painter.setClipRect(inner);
        for (const Stamp& s : stamps_) {
            painter.drawPixmap(s.topLeft, s.picture);
        }
        painter.restore();
    }
    drawSunkenEdge(painter, rect());
    if (hasFocus()) {
        // Laid over the drawing's outermost pixels, which keeps the view where it is; an
        // area too low to have an inside shows the dots on its whole height.
        drawFocusFrame(painter, inner.isEmpty() ? rect() : inner);
    }
}

QRect DrawingArea::innerSurface() const {
    return rect().adjusted(kBorderPixels, kBorderPixels, -kBorderPixels, -kBorderPixels);
}

// The view scale runs from x 0 at the left to 1000 at the right of the inner surface,
// and from y 1000 at its top to 0 at its bottom.
QPoint DrawingArea::viewPoint(double x, double y) const {
    const QRect inner = innerSurface();
    return {inner.left() + qRound(x / kViewUnits * inner.width()),
            inner.top() + qRound((kViewUnits - y) / kViewUnits * inner.height())};
}

// The place is fixed in pixels when the picture is drawn, as a copy onto the area
// would be; the holder's pixmap is taken as it is now.
void DrawingArea::stamp(const QLabel& holder, QPoint topLeft) {
    const QPixmap picture = holder.pixmap();
    if (!picture.isNull()) {
        stamps_.push_back({picture, topLeft});
    }
}

void DrawingArea::clearTo(QColor colour) {
    background_ = colour;
    stamps_.clear();
    changed();
}

void DrawingArea::changed() {
    if (!repaintPending_) {
        repaintPending_ = true;
        QMetaObject::invokeMethod(this, &DrawingArea::repaintChanges, Qt::QueuedConnection);
    }
}

void DrawingArea::repaintChanges() {
    repaintPending_ = false;
    update(changedRegion());
    shownBackground_ = background_;
    shownSize_ = size();
    shownStamps_ = stamps_;
}

// Pictures are painted in order, each over the ones before, so a pixel outside every
// picture that was added, removed or moved keeps its colour.
QRegion DrawingArea::changedRegion() const {
    if (background_ != shownBackground_ || size() != shownSize_) {
        return rect();
    }
    QRegion region;
    for (std::size_t i = 0; i < std::max(stamps_.size(), shownStamps_.size()); ++i) {
        const bool now = i < stamps_.size();
        const bool before = i < shownStamps_.size();
        if (now && before && stamps_[i] == shownStamps_[i]) {
            continue;
        }
        if (now) {
            region += stamps_[i].area();
        }
        if (before) {
            region += shownStamps_[i].area();
        }
    }
    return region & innerSurface();
}
