// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// The actuator view, Picture1: opens downward in coloured steps, then shows the fixed
// and the moving picture of the actuator on a white ground. It keeps what it shows as
// state and paints that state, so an uncovered window shows the same drawing. With the
// keyboard focus it shows a dotted frame inside its edge.

#include "model/controls.h"
#include "panel/reveal_colours.h"

#include <QColor>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QRegion>
#include <QWidget>
#include <cstdint>
#include <vector>

class QLabel;
class QLineEdit;

class DrawingArea : public QWidget, public ActuatorView {
    Q_OBJECT
public:
    // Geometry in twips (15 twips = 1 device-independent pixel). fixedHolder and movingHolder
    // are the two picture-holder labels (QLabel with a pixmap: Image2 = fixed, Image1 = moving);
    // the drawing fetches each holder's pixmap every time it draws.
    DrawingArea(QWidget* parent, QRect twips, const QLabel& fixedHolder,
                const QLabel& movingHolder);

    bool revealComplete() const override;
    void revealStep() override;
    void prepareView() override;
    void drawActuator(std::int16_t imgLeft) override;

    // The drawing in words, for a screen reader: closed, opening, or the rod's place in the
    // text of the position readout given here (none given: the words leave out the place).
    void readPlaceFrom(const QLineEdit* positionReadout) { positionReadout_ = positionReadout; }
    QString spokenText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // A picture copied onto the area at a pixel place, until the area is cleared.
    struct Stamp {
        QPixmap picture;
        QPoint topLeft;
        QRect area() const { return {topLeft, picture.size()}; }
        bool operator==(const Stamp& other) const {
            return picture.cacheKey() == other.picture.cacheKey() && topLeft == other.topLeft;
        }
    };

    QRect innerSurface() const;
    QPoint viewPoint(double x, double y) const;
    void stamp(const QLabel& holder, QPoint topLeft);
    void clearTo(QColor colour);
    void changed();
    void repaintChanges();
    QRegion changedRegion() const;

    const QLabel& fixedHolder_;
    const QLabel& movingHolder_;
    const QLineEdit* positionReadout_ = nullptr;
    double heightTwips_;
    QColor background_;
    std::vector<Stamp> stamps_;
    RevealColours revealColours_;

    // What the screen was last asked to show. A motion tick clears the area and draws both
    // pictures again, but on screen only the moving picture moves, by a pixel at most; so
    // the repaint waits until the tick is through and covers what differs from this.
    QColor shownBackground_;
    QSize shownSize_;
    std::vector<Stamp> shownStamps_;
    bool repaintPending_ = false;
};
