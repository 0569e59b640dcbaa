// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// What assistive technology sees of the panel: each control the operator uses has a
// name and a role, and Tab walks the controls in the panel's tab order.
#include "home_panel.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

struct AccessibleCase {
    const char* name; // object name
    const char* accessibleName;
    QAccessible::Role role;
    bool readOnly;
};

const AccessibleCase kControls[] = {
    {"retract", "Retract/Extend", QAccessible::PushButton, false},
    {"reset", "Reset List Data", QAccessible::PushButton, false},
    {"stop", "STOP", QAccessible::PushButton, false},
    {"save", "Save", QAccessible::PushButton, false},
    {"target", "Target Position (in)", QAccessible::EditableText, false},
    {"mtrspd", "Lead Screw Speed (RPM)", QAccessible::EditableText, false},
    {"Text1", "Interactive Position Control Panel", QAccessible::EditableText, true},
    {"Text2", "current position (in.)", QAccessible::EditableText, true},
    {"Text3", "Current Pressure (psi)", QAccessible::EditableText, true},
    {"position", "Position Data Log", QAccessible::List, false},
    {"pressure", "Pressure Data Log", QAccessible::List, false},
    {"Picture1", "Actuator drawing: closed until the first move", QAccessible::Graphic, false},
};

// The controls in ascending tab index; the labels' places take no focus.
const char* const kTabOrder[] = {"retract", "reset", "stop",     "target", "position", "pressure",
                                 "save",    "Text1", "Picture1", "Text2",  "Text3",    "mtrspd"};

class Accessibility : public HomePanel {
protected:
    void SetUp() override {
        HomePanel::SetUp();
        ASSERT_NO_FATAL_FAILURE(openWindow());
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    // The object names of the widgets that hold the focus after each of `presses` keys.
    QStringList focusWalk(Qt::KeyboardModifiers modifiers, int presses) {
        QStringList walk;
        for (int i = 0; i < presses; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            walk << QApplication::focusWidget()->objectName();
        }
        return walk;
    }
};

TEST_F(Accessibility, ControlsHaveNamesAndRoles) {
    for (const AccessibleCase& c : kControls) {
        QAccessibleInterface* face =
            QAccessible::queryAccessibleInterface(control<QWidget>(c.name));
        ASSERT_NE(face, nullptr) << c.name;
        EXPECT_EQ(face->text(QAccessible::Name).toStdString(), c.accessibleName) << c.name;
        EXPECT_EQ(face->role(), c.role) << c.name;
        EXPECT_EQ(face->state().readOnly, c.readOnly) << c.name;
        EXPECT_TRUE(face->state().focusable) << c.name;
        EXPECT_FALSE(face->state().invisible) << c.name;
        if (c.readOnly) {
            // What an assistive client writes into a readout does not stay there.
            const std::string shown = control<QLineEdit>(c.name)->text().toStdString();
            face->editableTextInterface()->insertText(0, QStringLiteral("9"));
            EXPECT_EQ(control<QLineEdit>(c.name)->text().toStdString(), shown) << c.name;
        }
    }
}

TEST_F(Accessibility, TabWalksTheTabOrderAndWrapsAround) {
    ASSERT_EQ(QApplication::focusWidget(), control<QWidget>("retract"));
    QStringList forward;
    for (std::size_t i = 1; i <= std::size(kTabOrder); ++i) {
        forward << QString::fromLatin1(kTabOrder[i % std::size(kTabOrder)]);
    }
    EXPECT_EQ(focusWalk(Qt::NoModifier, int(std::size(kTabOrder))), forward);

    QStringList backward;
    for (std::size_t i = std::size(kTabOrder); i-- > 0;) {
        backward << QString::fromLatin1(kTabOrder[i]);
    }
    EXPECT_EQ(focusWalk(Qt::ShiftModifier, int(std::size(kTabOrder))), backward);
    EXPECT_TRUE(messages.isEmpty());
}

} // namespace
