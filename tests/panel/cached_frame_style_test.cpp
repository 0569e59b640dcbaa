// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// The readouts draw their frames from pictures of the style's own drawing: they must look
// exactly as a plain line edit does, in every state and after a change of palette.
#include "panel/cached_frame_style.h"
#include "panel/panel_style.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class CachedFrames : public testing::Test {
protected:
    void SetUp() override {
        window.resize(300, 150);
        for (QLineEdit* edit : {&plain, &cached, &elsewhere}) {
            edit->setFont(panelFont());
            paintColours(*edit, QColor(224, 224, 224));
            edit->resize(113, 25);
        }
        cached.move(0, 50);
        elsewhere.move(0, 100);
        cached.setStyle(&style);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // How a box looks with the given focus; the focus is elsewhere otherwise.
    QImage look(QLineEdit& edit, bool focused) {
        QLineEdit& holder = focused ? edit : elsewhere;
        holder.setFocus();
        EXPECT_TRUE(QTest::qWaitFor([&holder] { return holder.hasFocus(); }));
        return edit.grab().toImage();
    }
    void expectAlike(const char* name, bool focused = false) {
        EXPECT_TRUE(look(plain, focused) == look(cached, focused)) << name << " looks different";
    }

    QWidget window;
    QLineEdit plain{&window};
    QLineEdit cached{&window};
    QLineEdit elsewhere{&window};
    CachedFrameStyle style;
};

TEST_F(CachedFrames, LookLikeThePlainStyleInEveryState) {
    const struct {
        const char* name;
        QString text;
        bool focused;
        bool enabled;
        bool readOnly;
    } cases[] = {
        {"readout", QStringLiteral("5857.984"), false, true, true},
        {"readout with focus", QStringLiteral("1.234"), true, true, true},
        {"readout again, from the picture", QStringLiteral("5857.984"), false, true, true},
        {"input", QStringLiteral("4.8"), false, true, false},
        {"input with focus", QStringLiteral("0.00"), true, true, false},
        {"disabled", QStringLiteral("0"), false, false, true},
    };
    for (const auto& c : cases) {
        for (QLineEdit* edit : {&plain, &cached}) {
            edit->setText(c.text);
            edit->setEnabled(c.enabled);
            edit->setReadOnly(c.readOnly);
        }
        expectAlike(c.name, c.focused);
    }
}

TEST_F(CachedFrames, FollowAChangeOfColours) {
    expectAlike("before");
    for (QLineEdit* edit : {&plain, &cached}) {
        paintColours(*edit, QColor(255, 255, 255), QColor(0, 0, 128));
    }
    expectAlike("after");
}

} // namespace
