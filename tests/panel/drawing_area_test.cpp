// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "panel/drawing_area.h"
#include "panel/reveal_colours.h"

#include <QImage>
#include <QLabel>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace {

const QRgb kFixed = qRgb(0, 0, 255);
const QRgb kMoving = qRgb(255, 0, 0);
const QRgb kWhite = qRgb(255, 255, 255);

QPixmap solid(int width, int height, QRgb colour) {
    QPixmap picture(width, height);
    picture.fill(QColor(colour));
    return picture;
}

int count(const QImage& image, QRect region, QRgb colour) {
    int n = 0;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            n += image.pixel(x, y) == colour ? 1 : 0;
        }
    }
    return n;
}

// Opened, the area is 313 x 169 px; inside the 2 px edge the view scale spans 309 x 165 px
// from (2, 2). So (175, 950) is at (2 + 54, 2 + 8); y 715 is at row 2 + 47, and imgLeft
// 205 at column 2 + 63, 206 at 2 + 64, 269 at 2 + 83.
class DrawingAreaTest : public testing::Test {
protected:
    DrawingAreaTest() {
        fixedHolder.setPixmap(solid(200, 150, kFixed));
        movingHolder.setPixmap(solid(200, 19, kMoving));
    }
    QImage drawnAt(std::int16_t imgLeft) {
        while (!area.revealComplete()) {
            area.revealStep();
        }
        area.prepareView();
        area.drawActuator(imgLeft);
        return area.grab().toImage();
    }

    QWidget window;
    QLabel fixedHolder{&window};
    QLabel movingHolder{&window};
    DrawingArea area{&window, QRect(120, 240, 4695, 15), fixedHolder, movingHolder};
};

// The palette entries of the reveal, and the index each step takes: the first 21 draws
// r of the program's sequence, as 4r rounded half to even.
const QRgb kRevealPalette[] = {qRgb(0, 0, 0), qRgb(0, 0, 128), qRgb(0, 128, 0), qRgb(0, 128, 128),
                               qRgb(128, 0, 0)};
const int kRevealIndices[21] = {3, 1, 4, 3, 1, 4, 4, 1, 3, 1, 0, 2, 1, 1, 2, 4, 4, 4, 4, 4, 1};

TEST_F(DrawingAreaTest, RevealOpensDownwardInPaletteColours) {
    EXPECT_EQ(area.geometry(), QRect(8, 16, 313, 1));
    // One pixel high, the area is all edge; one made taller shows the grey it starts in.
    DrawingArea taller(&window, QRect(0, 0, 4695, 150), fixedHolder, movingHolder);
    EXPECT_EQ(taller.grab().toImage().pixel(150, 4), qRgb(192, 192, 192));
    for (int step = 1; step <= 21; ++step) {
        EXPECT_FALSE(area.revealComplete()) << step;
        area.revealStep();
        EXPECT_EQ(area.geometry(), QRect(8, 16, 313, 1 + 8 * step)); // 120 twips a step
        EXPECT_EQ(area.grab().toImage().pixel(150, 4), kRevealPalette[kRevealIndices[step - 1]])
            << step;
    }
    EXPECT_TRUE(area.revealComplete());
}

TEST_F(DrawingAreaTest, EveryAreaRevealsInTheSameColours) {
    auto colours = [this] {
        DrawingArea fresh(&window, QRect(0, 0, 4695, 15), fixedHolder, movingHolder);
        std::vector<QRgb> seen;
        for (int i = 0; i < 21; ++i) {
            fresh.revealStep();
            seen.push_back(fresh.grab().toImage().pixel(150, 4));
        }
        return seen;
    };
    const std::vector<QRgb> first = colours();
    EXPECT_EQ(colours(), first);
    EXPECT_GT(std::set<QRgb>(first.begin(), first.end()).size(), 1u);
}

TEST_F(DrawingAreaTest, MovingPictureLiesOverFixedAtItsPlace) {
    // One view unit more moves 205 a pixel on, one less moves 206 a pixel back.
    for (const auto& [imgLeft, left] :
         {std::pair{205, 65}, std::pair{206, 66}, std::pair{269, 85}}) {
        const QImage image = drawnAt(static_cast<std::int16_t>(imgLeft));
        EXPECT_EQ(image.pixel(2, 2), kWhite);
        EXPECT_EQ(image.pixel(310, 166), kWhite);
        EXPECT_EQ(image.pixel(56, 10), kFixed);
        EXPECT_EQ(image.pixel(55, 10), kWhite);
        EXPECT_EQ(image.pixel(56, 9), kWhite);
        EXPECT_EQ(image.pixel(left, 49), kMoving) << imgLeft;
        EXPECT_EQ(image.pixel(left - 1, 49), kFixed) << imgLeft;
        EXPECT_EQ(image.pixel(left, 48), kFixed) << imgLeft;
        EXPECT_EQ(count(image, image.rect(), kMoving), 200 * 19) << imgLeft;
    }
}

TEST_F(DrawingAreaTest, PicturesAreCutOffAtTheInnerEdge) {
    const QImage right = drawnAt(900); // from column 280, past 310
    EXPECT_EQ(right.pixel(310, 50), kMoving);
    EXPECT_EQ(count(right, QRect(311, 0, 2, 169), kMoving), 0);
    const QImage left = drawnAt(-100); // from column -29
    EXPECT_EQ(left.pixel(2, 50), kMoving);
    EXPECT_EQ(count(left, QRect(0, 0, 2, 169), kMoving), 0);
    // At the ends of the 16-bit place the moving picture lies wholly outside the view.
    for (const std::int16_t end : {std::int16_t{32767}, std::int16_t{-32768}}) {
        EXPECT_EQ(count(drawnAt(end), QRect(0, 0, 313, 169), kMoving), 0) << end;
    }
}

TEST_F(DrawingAreaTest, PrepareViewErasesAndRepaintKeepsTheDrawing) {
    const QImage drawn = drawnAt(205);
    EXPECT_EQ(area.grab().toImage(), drawn);
    area.prepareView();
    const QRect inner(2, 2, 309, 165);
    EXPECT_EQ(count(area.grab().toImage(), inner, kWhite), 309 * 165);
}

TEST_F(DrawingAreaTest, HoldersAreReadAtEachDrawing) {
    drawnAt(205);
    movingHolder.setPixmap(solid(200, 19, qRgb(0, 255, 0)));
    fixedHolder.setPixmap(QPixmap());
    area.prepareView();
    area.drawActuator(205);
    const QImage image = area.grab().toImage();
    EXPECT_EQ(image.pixel(65, 49), qRgb(0, 255, 0));
    EXPECT_EQ(count(image, image.rect(), kFixed), 0);
}

// Closed, the area is one pixel high and shows the focus on that line; opened, on the ring
// just inside its edge, over the drawing's outermost pixels and nowhere else.
TEST_F(DrawingAreaTest, FocusShowsInsideTheEdgeAndLeavesTheRest) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    for (const bool opened : {false, true}) {
        if (opened) {
            drawnAt(205);
        }
        area.clearFocus();
        const QImage without = area.grab().toImage();
        area.setFocus();
        ASSERT_TRUE(area.hasFocus());
        const QImage with = area.grab().toImage();
        const QRect frame = opened ? QRect(2, 2, 309, 165) : area.rect();
        const QRect inside = frame.adjusted(1, 1, -1, -1);
        int dots = 0;
        for (int y = 0; y < with.height(); ++y) {
            for (int x = 0; x < with.width(); ++x) {
                if (with.pixel(x, y) != without.pixel(x, y)) {
                    EXPECT_TRUE(frame.contains(x, y) &&
                                !(inside.isValid() && inside.contains(x, y)))
                        << x << "," << y;
                    ++dots;
                }
            }
        }
        EXPECT_GT(dots, frame.width() / 4) << opened;
    }
}

TEST(DrawingAreaRevealIndex, RoundsFourTimesTheDrawHalfToEven) {
    const double belowOne = std::nextafter(1.0, 0.0);
    for (const auto& [r, index] :
         {std::pair{0.0, 0}, std::pair{0.125, 0}, std::pair{0.1251, 1}, std::pair{0.375, 2},
          std::pair{0.625, 2}, std::pair{0.875, 4}, std::pair{belowOne, 4}}) {
        EXPECT_EQ(revealIndex(r), index) << r;
    }
}

} // namespace
