// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// A panel window whose home folder is a fresh temporary folder, so that a test decides
// what lies at the background picture's and the export file's places before the window
// exists. Message boxes are answered by recording their texts.

#include "fakes/fake_log_list.h"
#include "panel/form1.h"

#include <QByteArray>
#include <QListWidget>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class HomePanel : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the window and runs its start-up as the program does, in `locale` as the
    // user's locale. The window tests run in the C locale unless they choose another, so
    // that the locale of whoever runs them does not matter.
    void openWindow(const QLocale& locale = QLocale::c());

    // Names `folder`, beneath the home folder, as the desktop folder in the user's folder
    // settings, as a desktop in another language does.
    void nameDesktopFolder(const QString& folder);

    QString homePath(const QString& relative) const;
    QString desktopPath(const QString& relative) const {
        return homePath(desktopFolder_ + QLatin1Char('/') + relative);
    }
    QString exportPath() const { return desktopPath(QStringLiteral("My Documents/TESTFILE.txt")); }
    QString exportFolder() const { return desktopPath(QStringLiteral("My Documents")); }

    template <typename T> T* control(const char* name) const {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void click(const char* name) const;
    QStringList entries(const char* list) const;

    // Puts `count` distinct pairs into the two lists, as a long run of samples would.
    void addEntries(int count) const;
    // What Save writes for the lists as they are now.
    QByteArray expectedExport() const { return exportOf(entries("position"), entries("pressure")); }

    // A move can be started and stopped, and doing so leaves the lists as they were.
    void expectUsable();

    QStringList messages;
    std::unique_ptr<Form1> window;

private:
    void setVariable(const char* name, const QString& value);

    QTemporaryDir home_;
    QString desktopFolder_ = QStringLiteral("Desktop");
    // The variables the fixture set, with their values before, if they had any.
    std::vector<std::pair<const char*, std::optional<QByteArray>>> savedVariables_;
};

bool writeBytes(const QString& path, const QByteArray& bytes);
QByteArray readBytes(const QString& path);
// Every file and folder under `folder`, relative to it, sorted.
QStringList treeOf(const QString& folder);
