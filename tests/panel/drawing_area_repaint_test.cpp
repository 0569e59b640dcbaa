// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// The drawing area repaints only what differs from what it last showed. What reaches the
// screen (the offscreen platform's backing store) must still be the whole drawing.
#include "panel/drawing_area.h"

#include <QLabel>
#include <QPaintEvent>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

QPixmap solid(int width, int height, QColor colour) {
    QPixmap picture(width, height);
    picture.fill(colour);
    return picture;
}

// The part of each paint event's region that lies in the area.
class PaintedRegion : public QObject {
public:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            region += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
    QRegion region;
};

class DrawingAreaRepaint : public testing::Test {
protected:
    void SetUp() override {
        fixedHolder.setPixmap(solid(200, 150, Qt::blue));
        movingHolder.setPixmap(solid(200, 19, Qt::red));
        fixedHolder.hide();
        movingHolder.hide();
        window.resize(340, 200);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        while (!area.revealComplete()) {
            area.revealStep();
        }
        tick(205);
        settle();
        area.installEventFilter(&painted);
    }

    // One motion tick's drawing.
    void tick(std::int16_t imgLeft) {
        area.prepareView();
        area.drawActuator(imgLeft);
    }
    // What was painted once the event loop has had its turn.
    QRegion settle() {
        painted.region = QRegion();
        QTest::qWait(20);
        return painted.region;
    }
    QImage onScreen() {
        const QRect r = area.geometry();
        return window.screen()
            ->grabWindow(window.winId(), r.x(), r.y(), r.width(), r.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    QImage drawing() { return area.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QWidget window;
    QLabel fixedHolder{&window};
    QLabel movingHolder{&window};
    DrawingArea area{&window, QRect(120, 240, 4695, 15), fixedHolder, movingHolder};
    PaintedRegion painted;
};

TEST_F(DrawingAreaRepaint, ScreenShowsTheWholeDrawingAfterEveryChange) {
    const QRect inner(2, 2, 309, 165);
    const struct {
        const char* name;
        std::function<void()> change;
        QRect mostPainted; // empty: nothing need be painted
    } steps[] = {
        {"same place", [this] { tick(205); }, QRect()},
        // The moving picture goes from column 65 to 85 of row 49: both places repaint.
        {"moved", [this] { tick(269); }, QRect(65, 49, 220, 19)},
        {"cleared only", [this] { area.prepareView(); }, inner},
        {"drawn again", [this] { area.drawActuator(269); }, inner},
        {"new moving picture",
         [this] {
             movingHolder.setPixmap(solid(200, 19, Qt::green));
             tick(269);
         },
         QRect(85, 49, 200, 19)},
    };
    for (const auto& step : steps) {
        step.change();
        const QRegion region = settle();
        EXPECT_TRUE(onScreen() == drawing()) << step.name << ": the screen differs";
        EXPECT_TRUE(step.mostPainted.contains(region.boundingRect()) ||
                    (step.mostPainted.isEmpty() && region.isEmpty()))
            << step.name << ": painted " << region.boundingRect().x() << ","
            << region.boundingRect().y() << " " << region.boundingRect().width() << "x"
            << region.boundingRect().height();
    }
}

} // namespace
