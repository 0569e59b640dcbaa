// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// The readouts and the log lists draw their number texts without shaping where the locale
// allows it, and the lists repaint only the entries a sample adds. What reaches the screen
// must be, pixel for pixel, the whole of each control drawn afresh with shaping.
#include "home_panel.h"
#include "model/numbers.h"
#include "panel/panel_style.h"
#include "panel/qt_controls.h"

#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Wide texts first: each may bring or take away a scroll bar, which repaints a list whole.
// The narrow ones after them fill the rest of the view, each repainting only its own row.
const double kValues[] = {0.0820000000000001,
                          -2.15105711021124e-16,
                          1.79769313486231e308,
                          2.9999999999997806,
                          5857.984,
                          0.001,
                          1.5,
                          3844.0,
                          -0.999,
                          12.0};

class NumberTexts : public HomePanel {
protected:
    // What the screen shows of a control.
    QImage shown(const QWidget& control) const {
        const QRect r = control.geometry();
        return window->screen()
            ->grabWindow(window->winId(), r.x(), r.y(), r.width(), r.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }
    // The control drawn afresh, whole, with the shaped panel font.
    static QImage shaped(QWidget& control) {
        control.setFont(panelFont());
        return control.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // Each value as a motion tick shows it in the readouts and a sample adds it to the lists.
    void showEveryValue(const QLocale& locale) {
        for (const double value : kValues) {
            const QString text = numberText(value, locale);
            for (const char* readout : {"Text2", "Text3"}) {
                LineEditBox(*control<QLineEdit>(readout)).setText(text);
            }
            for (const char* list : {"position", "pressure"}) {
                control<QListWidget>(list)->addItem(text);
            }
            QTest::qWait(5);
        }
    }
};

TEST_F(NumberTexts, LookAsTheyDoShaped) {
    const struct {
        const char* locale;
        bool unshaped;
    } locales[] = {
        {"C", true},     {"en_US", true},  {"de_DE", true},  {"fr_FR", true},
        {"sv_SE", true}, {"ar_EG", false}, {"fa_IR", false}, // Arabic decimal separator
    };
    for (const auto& l : locales) {
        const QLocale locale(QString::fromLatin1(l.locale));
        ASSERT_NO_FATAL_FAILURE(openWindow(locale));
        showEveryValue(locale);
        for (const char* name : {"Text2", "Text3", "position", "pressure"}) {
            QWidget* numbers = control<QWidget>(name);
            EXPECT_EQ(numbers->font().styleStrategy() == QFont::PreferNoShaping, l.unshaped)
                << l.locale << ' ' << name;
            const QImage screen = shown(*numbers);
            EXPECT_TRUE(screen == shaped(*numbers)) << l.locale << ' ' << name << " differs";
        }
        window.reset();
    }
}

} // namespace
