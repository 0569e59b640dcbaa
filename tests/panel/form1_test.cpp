// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "home_panel.h"
#include "model/numbers.h"
#include "panel/drawing_area.h"
#include "panel/form1.h"
#include "panel/message_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <optional>

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);

// Runs the event loop, sleeping only while no event is due, until `done` holds.
template <typename Predicate> bool runUntil(Predicate done, int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return done();
}

class PanelWindow : public HomePanel {
protected:
    void SetUp() override {
        HomePanel::SetUp();
        ASSERT_NO_FATAL_FAILURE(openWindow());
        window->activateWindow();
    }

    QString textOf(const char* name) { return control<QLineEdit>(name)->text(); }
};

TEST_F(PanelWindow, StartsIdleWithInitialTexts) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Form1"));
    EXPECT_EQ(window->size(), QSize(642, 558));
    EXPECT_EQ(textOf("target"), QStringLiteral("0.00"));
    EXPECT_EQ(textOf("mtrspd"), QStringLiteral("4.8"));
    EXPECT_EQ(textOf("Text2"), QStringLiteral("0.00"));
    EXPECT_EQ(textOf("Text3"), QStringLiteral("0.00"));
    EXPECT_EQ(textOf("Text1"), QStringLiteral("Interactive Position Control Panel"));
    EXPECT_FALSE(window->timer1().enabled());
    EXPECT_FALSE(control<QTimer>("Timer1")->isActive());
    EXPECT_FALSE(control<QTimer>("Timer2")->isActive());
    EXPECT_EQ(window->timer1().period(), 480);
    EXPECT_EQ(control<QListWidget>("position")->count(), 0);
    EXPECT_EQ(control<QListWidget>("pressure")->count(), 0);
    EXPECT_EQ(QApplication::focusWidget(), control<QPushButton>("retract"));
    EXPECT_TRUE(messages.isEmpty());
    // Picture1 starts 15 twips high, so exactly 21 reveal steps of 120 twips open it.
    DrawingArea* picture = control<DrawingArea>("Picture1");
    for (int step = 1; step <= 21; ++step) {
        EXPECT_FALSE(picture->revealComplete()) << step;
        picture->revealStep();
    }
    EXPECT_TRUE(picture->revealComplete());

    openWindow(kGerman);
    for (const char* box : {"target", "Text2", "Text3"}) {
        EXPECT_EQ(textOf(box), QStringLiteral("0,00")) << box;
    }
    EXPECT_EQ(textOf("mtrspd"), QStringLiteral("4,8"));
}

struct Geometry {
    const char* name;
    QRect pixels;
};

// Places in pixels at 15 twips per pixel.
const Geometry kGeometry[] = {
    {"mtrspd", {280, 128, 113, 25}},    {"Text3", {472, 240, 113, 25}},
    {"Text2", {472, 128, 113, 25}},     {"Picture1", {168, 344, 313, 1}},
    {"Text1", {80, 16, 465, 41}},       {"save", {136, 256, 81, 33}},
    {"pressure", {496, 344, 105, 134}}, {"position", {56, 344, 97, 134}},
    {"target", {88, 128, 105, 25}},     {"stop", {288, 184, 81, 33}},
    {"reset", {304, 256, 49, 57}},      {"retract", {120, 184, 105, 33}},
    {"Label6", {496, 312, 105, 41}},    {"Label5", {56, 312, 97, 33}},
    {"Label4", {272, 88, 129, 33}},     {"Label3", {464, 200, 129, 33}},
    {"Label2", {464, 88, 129, 33}},     {"Label1", {80, 88, 121, 33}},
};

TEST_F(PanelWindow, ControlsSitAtTheirPlaces) {
    for (const Geometry& g : kGeometry) {
        EXPECT_EQ(control<QWidget>(g.name)->geometry(), g.pixels) << g.name;
    }
}

struct FontCase {
    const char* name;
    const char* family; // nullptr: the window's default font
    double points;
    bool bold;
    bool italic;
};

const FontCase kFonts[] = {
    {"mtrspd", "DejaVu Sans", 8.25, false, false},
    {"Text2", "DejaVu Sans", 8.25, false, false},
    {"Text3", "DejaVu Sans", 8.25, false, false},
    {"position", "DejaVu Sans", 8.25, false, false},
    {"pressure", "DejaVu Sans", 8.25, false, false},
    {"retract", "DejaVu Sans", 8.25, false, false},
    {"stop", "DejaVu Sans", 8.25, false, false},
    {"save", "DejaVu Sans", 8.25, false, false},
    {"reset", "DejaVu Sans", 8.25, false, false},
    {"Text1", "EB Garamond", 20.25, true, false},
    {"Label1", "DejaVu Sans", 8.25, true, true},
    {"Label4", "DejaVu Sans", 8.25, true, true},
    {"Label5", "DejaVu Sans", 8.25, true, false},
    {"Label6", "DejaVu Sans", 8.25, true, false},
    {"target", nullptr, 0, false, false},
};

TEST_F(PanelWindow, ControlsUseTheirFonts) {
    for (const FontCase& f : kFonts) {
        const QFont font = control<QWidget>(f.name)->font();
        if (f.family == nullptr) {
            EXPECT_EQ(font, QApplication::font()) << f.name;
            continue;
        }
        const QString family = QFontInfo(font).family();
        EXPECT_TRUE(family == QLatin1String(f.family) || family == font.families().front())
            << f.name << " shows " << family.toStdString();
        EXPECT_EQ(font.pointSizeF(), f.points) << f.name;
        EXPECT_EQ(font.bold(), f.bold) << f.name;
        EXPECT_EQ(font.italic(), f.italic) << f.name;
    }
}

// Back and text colours of boxes, lists and headings once the desktop has turned dark:
// the fixed back colours stay, and text left to the toolkit turns dark on them. On a light
// desktop that text is the toolkit's own again; fixed text colours never change.
struct ColourCase {
    const char* name;
    QRgb back;
    QRgb darkDesktopText;
    bool textFixed;
};

const ColourCase kDarkDesktopColours[] = {
    {"target", qRgb(255, 255, 255), qRgb(0, 0, 0), false},
    {"Text2", qRgb(224, 224, 224), qRgb(0, 0, 0), false},
    {"position", qRgb(255, 255, 255), qRgb(0, 0, 0), false},
    {"Text1", qRgb(0, 0, 0), qRgb(255, 255, 255), true},
    {"Label1", qRgb(128, 255, 255), qRgb(0, 0, 64), true},
};

void expectColours(const QWidget& panel, const QPalette& desktop, const char* when) {
    const bool darkDesktop = desktop.color(QPalette::Text) == Qt::white;
    for (const ColourCase& c : kDarkDesktopColours) {
        const QPalette shown = panel.findChild<QWidget*>(QLatin1String(c.name))->palette();
        const QRgb text =
            darkDesktop || c.textFixed ? c.darkDesktopText : desktop.color(QPalette::Text).rgb();
        EXPECT_EQ(shown.color(QPalette::Base).rgb(), c.back) << c.name << ", " << when;
        EXPECT_EQ(shown.color(QPalette::Text).rgb(), text) << c.name << ", " << when;
    }
}

// The desktop turns dark and light again while the panel is open, as a night schedule
// does, and a panel also opens on a desktop that is dark already.
TEST_F(PanelWindow, ColoursStayReadableOnADarkDesktop) {
    const QPalette light = QApplication::palette();
    QPalette dark(QColor(45, 45, 45), QColor(30, 30, 30));
    dark.setColor(QPalette::Text, Qt::white);
    expectColours(*window, light, "opened on a light desktop");
    for (const char* round : {"first switch", "second switch"}) {
        QApplication::setPalette(dark);
        QCoreApplication::processEvents();
        expectColours(*window, dark, round);
        QApplication::setPalette(light);
        QCoreApplication::processEvents();
        expectColours(*window, light, round);
    }
    QApplication::setPalette(dark);
    const Form1 onDark;
    expectColours(onDark, dark, "opened on a dark desktop");
    QApplication::setPalette(light);
}

TEST_F(PanelWindow, ListsLieOverTheirHeadings) {
    // The lowest 135 twips (9 px) of the pressure heading lie under the pressure list.
    const QWidget* atOverlap = window->childAt(500, 350);
    ASSERT_NE(atOverlap, nullptr);
    EXPECT_TRUE(atOverlap == control<QWidget>("pressure") ||
                atOverlap->parentWidget() == control<QWidget>("pressure"));
    EXPECT_EQ(window->childAt(500, 320), control<QWidget>("Label6"));
}

// What the window shows of captions: the lines of text, read as the rows where a control
// painted with its caption differs from itself painted without one, the columns at its
// sides that the text leaves clear, and for the boxed headings the box's back colour
// around the text and the text colour in it.
struct CaptionCase {
    const char* name;
    int lines;      // 0: as many as the caption takes, wrapped at words, in the control's width
    int clearSides; // pixels; a one-line caption on the narrow button runs to its sides
    std::optional<QRgb> back; // none: the toolkit's button face
    std::optional<QRgb> text;
};

const CaptionCase kCaptions[] = {
    {"reset", 3, 4, std::nullopt, std::nullopt}, // "Reset", "List", "Data"
    // Fits on one line or takes two, as the version of the font has it.
    {"Label1", 0, 0, qRgb(128, 255, 255), qRgb(0, 0, 64)},
    {"Label2", 2, 0, qRgb(128, 255, 255), qRgb(0, 0, 64)},
    {"Label3", 2, 0, qRgb(128, 255, 255), qRgb(0, 0, 64)},
    {"Label4", 2, 0, qRgb(128, 255, 255), qRgb(0, 0, 64)},
    {"Label5", 2, 0, qRgb(0, 0, 0), qRgb(255, 255, 255)},
    {"Label6", 2, 0, qRgb(0, 0, 0), qRgb(255, 255, 255)},
};

TEST_F(PanelWindow, CaptionsShowInTheirLinesAndBoxes) {
    for (const CaptionCase& c : kCaptions) {
        QWidget* shown = control<QWidget>(c.name);
        const QString caption = shown->property("text").toString();
        const auto look = [&] {
            return window->grab(shown->geometry()).toImage().convertToFormat(QImage::Format_RGB32);
        };
        const QImage with = look();
        shown->setProperty("text", QString());
        const QImage without = look();
        shown->setProperty("text", caption);
        // The lists lie over the lowest rows of their headings.
        const QRegion visible = shown->visibleRegion();
        int lines = 0;
        int textPixels = 0;
        int strayPixels = 0;
        int leftmost = with.width();
        int rightmost = -1;
        bool inLine = false;
        for (int y = 0; y < with.height(); ++y) {
            bool ink = false;
            for (int x = 0; x < with.width(); ++x) {
                const QRgb pixel = with.pixel(x, y);
                if (pixel != without.pixel(x, y)) {
                    ink = true;
                    leftmost = std::min(leftmost, x);
                    rightmost = std::max(rightmost, x);
                    textPixels += c.text && pixel == *c.text ? 1 : 0;
                } else if (c.back && pixel != *c.back && visible.contains(QPoint(x, y))) {
                    ++strayPixels;
                }
            }
            lines += ink && !inLine ? 1 : 0;
            inLine = ink;
        }
        const int wrapped = QFontMetrics(shown->font())
                                .boundingRect(shown->contentsRect(), Qt::TextWordWrap, caption)
                                .height() /
                            QFontMetrics(shown->font()).lineSpacing();
        EXPECT_EQ(lines, c.lines != 0 ? c.lines : wrapped) << c.name;
        EXPECT_GE(leftmost, c.clearSides) << c.name;
        EXPECT_LT(rightmost, with.width() - c.clearSides) << c.name;
        EXPECT_EQ(strayPixels, 0) << c.name;
        if (c.text) {
            EXPECT_GE(textPixels, 20) << c.name;
        }
    }
}

// In a locale whose decimal separator is not a point, so that texts written in the C
// locale show.
TEST_F(PanelWindow, MoveThroughRealTimersStopsAtTarget) {
    openWindow(kGerman);
    control<QLineEdit>("mtrspd")->setText(QStringLiteral("599"));
    control<QLineEdit>("target")->setText(QStringLiteral("0,05"));
    QTest::mouseClick(control<QPushButton>("retract"), Qt::LeftButton);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Warning: Infeasible motor speed")});
    EXPECT_TRUE(window->timer1().enabled());
    EXPECT_EQ(window->timer1().period(), 1);
    EXPECT_TRUE(runUntil([this] { return !window->timer1().enabled(); }, 5000));
    EXPECT_FALSE(control<QTimer>("Timer2")->isActive());
    EXPECT_EQ(control<QTimer>("Timer2")->interval(), 2000); // armed once, at the start
    EXPECT_TRUE(control<DrawingArea>("Picture1")->revealComplete());
    const double end = window->actuator().position();
    EXPECT_GE(end, 0.05);
    EXPECT_LT(end, 0.051);
    EXPECT_EQ(textOf("Text2"), numberText(end, kGerman));
    EXPECT_EQ(textOf("Text3"), numberText(5860.0 - 2016.0 * (end - 0.001), kGerman));
    // Long readouts show their leading digits.
    EXPECT_EQ(control<QLineEdit>("Text2")->cursorPosition(), 0);
    EXPECT_EQ(control<QLineEdit>("Text3")->cursorPosition(), 0);
}

TEST_F(PanelWindow, TypingIntoTargetStopsMoveAndStopButtonStopsIt) {
    control<QLineEdit>("target")->setText(QStringLiteral("3"));
    QTest::mouseClick(control<QPushButton>("retract"), Qt::LeftButton);
    ASSERT_TRUE(window->timer1().enabled());
    QTest::keyClick(control<QLineEdit>("target"), Qt::Key_Backspace);
    EXPECT_FALSE(window->timer1().enabled());
    EXPECT_FALSE(control<QTimer>("Timer2")->isActive());

    EXPECT_EQ(textOf("target"), QString());

    control<QLineEdit>("target")->setText(QStringLiteral("2"));
    QTest::mouseClick(control<QPushButton>("retract"), Qt::LeftButton);
    ASSERT_TRUE(window->timer1().enabled());
    QTest::mouseClick(control<QPushButton>("stop"), Qt::LeftButton);
    EXPECT_FALSE(window->timer1().enabled());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(PanelWindow, TypingIntoSpeedDuringMoveWarnsAndKeepsPeriod) {
    control<QLineEdit>("target")->setText(QStringLiteral("3"));
    QTest::mouseClick(control<QPushButton>("retract"), Qt::LeftButton);
    QTest::keyClicks(control<QLineEdit>("mtrspd"), QStringLiteral("12"));
    EXPECT_EQ(messages,
              QStringList(2, QStringLiteral("Stop program before changing motor speed!")));
    EXPECT_EQ(window->timer1().period(), 62);
    EXPECT_TRUE(window->timer1().enabled());
}

// What an open message box showed, and what the panel was doing while it was open.
struct OpenBox {
    bool seen = false;
    QString title;
    QString text;
    int buttons = 0;
    bool okWithoutIcon = false;
    bool iconless = false;
    bool overThePanel = false;
    bool running = false;
    int period = 0;
    bool motionTimerActive = false;
    bool sampleTimerActive = false;
    bool exported = false;
};

// The real boxes, answered as the operator does: each row brings one up through its
// handler, and the box is read and its OK clicked from the event loop while it is open.
TEST_F(PanelWindow, MessageBoxesWaitForOk) {
    const auto startMove = [this] {
        control<QLineEdit>("target")->setText(QStringLiteral("3"));
        click("retract");
    };
    const struct {
        const char* name;
        std::function<void()> before;
        std::function<void()> act;
        QString text; // the whole text, or with `prefix` its start
        bool prefix;
        // While the box is open, and after OK.
        bool runningWhileOpen;
        int periodWhileOpen;
        bool runningAfter;
        int periodAfter;
    } cases[] = {
        {"speed warning before the move starts",
         [this] {
             control<QLineEdit>("mtrspd")->setText(QStringLiteral("12"));
             control<QLineEdit>("target")->setText(QStringLiteral("1"));
         },
         [this] { click("retract"); }, QStringLiteral("Warning: Infeasible motor speed"), false,
         false, 480, true, 25},
        {"speed that is no number",
         [this] { control<QLineEdit>("mtrspd")->setText(QStringLiteral("fast")); },
         [this] { click("retract"); }, QStringLiteral("Enter a valid motor speed"), false, false,
         480, false, 480},
        {"refused target", [this] { control<QLineEdit>("target")->setText(QStringLiteral("3.4")); },
         [this] { click("retract"); }, QStringLiteral("Enter a valid target position"), false,
         false, 62, false, 62},
        {"speed edited during a move", startMove,
         [this] { QTest::keyClick(control<QLineEdit>("mtrspd"), Qt::Key_1); },
         QStringLiteral("Stop program before changing motor speed!"), false, true, 62, true, 62},
        {"save during a move", startMove, [this] { click("save"); },
         QStringLiteral("Stop program before saving!"), false, true, 62, true, 62},
        {"save into a folder", [this] { ASSERT_TRUE(QDir().mkpath(exportPath())); },
         [this] { click("save"); }, QStringLiteral("Could not save "), true, false, 480, false,
         480},
    };
    for (const auto& c : cases) {
        ASSERT_NO_FATAL_FAILURE(openWindow());
        ModalMessageBox::interceptWith({});
        c.before();
        OpenBox open;
        QElapsedTimer waiting;
        waiting.start();
        QTimer poll;
        poll.setInterval(10);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                // A box shown without being modal is closed after a while; the row fails.
                for (QWidget* top : QApplication::topLevelWidgets()) {
                    if (waiting.elapsed() > 5000 && top->isVisible() &&
                        qobject_cast<QMessageBox*>(top) != nullptr) {
                        top->close();
                    }
                }
                return;
            }
            poll.stop();
            const QList<QAbstractButton*> buttons = box->buttons();
            QAbstractButton* ok = box->button(QMessageBox::Ok);
            open = {true,
                    box->windowTitle(),
                    box->text(),
                    static_cast<int>(buttons.size()),
                    ok != nullptr && ok->icon().isNull(),
                    box->icon() == QMessageBox::NoIcon && box->iconPixmap().isNull(),
                    box->parentWidget() == window.get(),
                    window->timer1().enabled(),
                    window->timer1().period(),
                    control<QTimer>("Timer1")->isActive(),
                    control<QTimer>("Timer2")->isActive(),
                    QFileInfo(exportPath()).isFile()};
            if (ok != nullptr) {
                QTest::mouseClick(ok, Qt::LeftButton);
            } else {
                box->done(0);
            }
        });
        poll.start();
        c.act();
        // The handler returns with the box open; the rest of it runs once OK is pressed.
        QTRY_VERIFY_WITH_TIMEOUT(open.seen && QApplication::activeModalWidget() == nullptr, 10000);
        poll.stop();

        ASSERT_TRUE(open.seen) << c.name << ": no modal box";
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << c.name;
        EXPECT_EQ(open.title, QStringLiteral("Actuator Panel")) << c.name;
        EXPECT_TRUE(c.prefix ? open.text.startsWith(c.text) : open.text == c.text)
            << c.name << ": " << open.text.toStdString();
        EXPECT_EQ(open.buttons, 1) << c.name;
        EXPECT_TRUE(open.okWithoutIcon) << c.name;
        EXPECT_TRUE(open.iconless) << c.name;
        EXPECT_TRUE(open.overThePanel) << c.name;
        EXPECT_EQ(open.running, c.runningWhileOpen) << c.name;
        EXPECT_EQ(open.motionTimerActive, c.runningWhileOpen) << c.name;
        EXPECT_EQ(open.sampleTimerActive, c.runningWhileOpen) << c.name;
        EXPECT_EQ(open.period, c.periodWhileOpen) << c.name;
        EXPECT_FALSE(open.exported) << c.name;
        EXPECT_EQ(window->timer1().enabled(), c.runningAfter) << c.name;
        EXPECT_EQ(control<QTimer>("Timer2")->isActive(), c.runningAfter) << c.name;
        EXPECT_EQ(window->timer1().period(), c.periodAfter) << c.name;
        EXPECT_FALSE(QFileInfo(exportPath()).isFile()) << c.name;
    }
    EXPECT_TRUE(messages.isEmpty());
}

TEST(PanelTimerAdapter, PeriodZeroIsArmedButSilent) {
    QObject owner;
    PanelTimer timer(&owner, QStringLiteral("Timer1"), 480);
    const QTimer& qtTimer = *owner.findChild<QTimer*>();
    int ticks = 0;
    timer.onTick([&ticks] { ++ticks; });
    timer.setPeriod(0);
    timer.setEnabled(true);
    EXPECT_TRUE(timer.enabled());
    EXPECT_FALSE(qtTimer.isActive());
    QTest::qWait(30);
    EXPECT_EQ(ticks, 0);
    timer.setPeriod(5);
    EXPECT_TRUE(qtTimer.isActive());
    EXPECT_EQ(qtTimer.timerType(), Qt::PreciseTimer);
    QTRY_VERIFY(ticks > 0);
    timer.setEnabled(false);
    EXPECT_FALSE(qtTimer.isActive());
}

} // namespace
