// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// The whole window as the screen shows it, in each state the operator meets, compared pixel
// for pixel with its reference image. Glyphs differ between Qt and FreeType versions, so
// each Qt version has a set of its own. A state that differs, or has no image, leaves the
// image it drew and a difference image in the build folder; `make approve-images` copies
// those into the tree. Run at QT_SCALE_FACTOR=2 the same states draw at twice the pixels.
#include "home_panel.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

class PanelImages : public HomePanel {
protected:
    // Hand ticks of a timer; the real timer stays stopped, so that no tick comes between.
    void tick(const char* timer, int times = 1) {
        QTimer* qtTimer = control<QTimer>(timer);
        for (int i = 0; i < times; ++i) {
            QMetaObject::invokeMethod(qtTimer, "timeout", Qt::DirectConnection);
            qtTimer->stop();
        }
    }
    // Starts a move to `to` and makes `ticks` motion ticks: 21 open the drawing area.
    void move(const char* to, int ticks) {
        control<QLineEdit>("target")->setText(QString::fromLatin1(to));
        click("retract");
        control<QTimer>("Timer1")->stop();
        control<QTimer>("Timer2")->stop();
        tick("Timer1", ticks);
    }
    // The window drawn afresh at its device pixel ratio.
    QImage shown() {
        for (int i = 0; i < 3; ++i) { // the drawing area repaints one event loop pass late
            QCoreApplication::processEvents();
        }
        return window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

// Where the test leaves what it drew, and the difference: the reference faded to grey,
// each changed pixel in magenta.
void keep(const QImage& actual, const QImage& reference, const QString& stem) {
    QDir().mkpath(QFileInfo(stem).absolutePath());
    actual.save(stem + QStringLiteral(".png"));
    if (reference.size() != actual.size()) {
        return;
    }
    QImage difference =
        reference.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
    QPainter(&difference).fillRect(difference.rect(), QColor(255, 255, 255, 192));
    for (int y = 0; y < actual.height(); ++y) {
        for (int x = 0; x < actual.width(); ++x) {
            if (actual.pixel(x, y) != reference.pixel(x, y)) {
                difference.setPixel(x, y, qRgb(255, 0, 255));
            }
        }
    }
    difference.save(stem + QStringLiteral(".diff.png"));
}

TEST_F(PanelImages, WholeWindowMatchesItsReference) {
    if (qgetenv("FONTCONFIG_FILE") != PANEL_IMAGE_FONTS) {
        GTEST_SKIP() << "needs the fixed font set: run it through ctest";
    }
    const QPalette light = QApplication::palette();
    QPalette dark(QColor(45, 45, 45), QColor(30, 30, 30));
    dark.setColor(QPalette::Text, Qt::white);
    const struct {
        const char* name;
        std::function<void()> state;
    } states[] = {
        {"start", [] {}},
        {"start-background", [] {}},
        {"rod-at-0", [this] { move("0", 22); }},
        {"rod-in-middle", [this] { move("1.7", 21 + 1700); }},
        {"rod-at-end", [this] { move("3.399", 21 + 3400); }},
        {"moving", [this] { move("1", 21 + 250); }},
        {"lists",
         [this] {
             move("1", 21 + 90);
             for (int sample = 0; sample < 4; ++sample) {
                 tick("Timer2");
                 tick("Timer1", 33);
             }
             click("stop");
         }},
        {"lists-reset",
         [this] {
             move("1", 21 + 33);
             tick("Timer2", 3);
             click("stop");
             click("reset");
         }},
        {"focus-on-drawing",
         [this] {
             move("0", 22);
             control<QWidget>("Picture1")->setFocus();
         }},
        {"dark-desktop", [&dark] { QApplication::setPalette(dark); }},
    };
    const QString release = QStringLiteral("qt%1").arg(QString::fromLatin1(qVersion()));
    const QString scale = qApp->devicePixelRatio() == 1.0
                              ? QString()
                              : QStringLiteral("@%1x").arg(qApp->devicePixelRatio());
    for (const auto& s : states) {
        const QString name = QString::fromLatin1(s.name) + scale;
        const QString picture = desktopPath(QStringLiteral("somethingblue.jpg"));
        QFile::remove(picture);
        if (name.startsWith(QLatin1String("start-background"))) {
            // Three bands in whole JPEG blocks, smaller than the window.
            QImage background(320, 224, QImage::Format_RGB32);
            background.fill(QColor(30, 60, 200));
            QPainter(&background).fillRect(0, 96, 320, 64, QColor(120, 170, 255));
            ASSERT_TRUE(QDir().mkpath(QFileInfo(picture).absolutePath()));
            ASSERT_TRUE(background.save(picture, "JPG", 100));
        }
        ASSERT_NO_FATAL_FAILURE(openWindow());
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        s.state();
        const QImage actual = shown();
        QApplication::setPalette(light);
        const QImage reference(QStringLiteral(PANEL_IMAGES "/%1/%2.png").arg(release, name));
        if (actual != reference.convertToFormat(QImage::Format_RGB32)) {
            const QString stem = QStringLiteral(PANEL_IMAGES_OUT "/%1/%2").arg(release, name);
            keep(actual, reference.convertToFormat(QImage::Format_RGB32), stem);
            ADD_FAILURE() << name.toStdString()
                          << (reference.isNull() ? " has no reference image" : " differs")
                          << "; drawn: " << stem.toStdString()
                          << ".png, difference: " << stem.toStdString() << ".diff.png";
        }
    }
}

} // namespace
