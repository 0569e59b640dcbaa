// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// A sample added to a long log list costs the same as one added to a short list: the
// list places the new entry without measuring every entry it already holds. Measuring
// them all made each sample into a nearly full list stall the window for over 0.1 s.
#include "panel/form1.h"
#include "panel/message_box.h"

#include <QListWidget>
#include <QStyledItemDelegate>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Counts how often the list asks for the size of an entry.
class MeasuringDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        ++measured;
        return QStyledItemDelegate::sizeHint(option, index);
    }
    mutable int measured = 0;
};

class LongLists : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        ModalMessageBox::interceptWith([](const QString&) {});
        window.startUp(QStringLiteral("/nonexistent/somethingblue.jpg"));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void TearDown() override { ModalMessageBox::interceptWith({}); }

    // One sample through the window's own wiring of Timer2, then the repaint it causes.
    void sample(int times) {
        auto* timer = window.findChild<QTimer*>(QStringLiteral("Timer2"));
        for (int i = 0; i < times; ++i) {
            QMetaObject::invokeMethod(timer, "timeout");
        }
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }

    Form1 window;
};

TEST_P(LongLists, NewEntryIsPlacedWithoutMeasuringTheOthers) {
    auto* list = window.findChild<QListWidget*>(QString::fromLatin1(GetParam()));
    ASSERT_NE(list, nullptr);
    auto* delegate = new MeasuringDelegate(list);
    list->setItemDelegate(delegate);

    sample(3000);
    ASSERT_EQ(list->count(), 3000);
    delegate->measured = 0;
    sample(1);
    ASSERT_EQ(list->count(), 3001);
    EXPECT_LT(delegate->measured, 100) << "entries measured for one new sample";
}

INSTANTIATE_TEST_SUITE_P(Logs, LongLists, testing::Values("position", "pressure"));

} // namespace
