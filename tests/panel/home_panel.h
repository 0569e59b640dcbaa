#pragma once
// A panel window whose home folder is a fresh temporary folder, so that a test decides
// what lies at the background picture's and the export file's places before the window
// exists. Message boxes are answered by recording their texts.

#include "panel/form1.h"

#include <QByteArray>
#include <QListWidget>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class HomePanel : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the window and runs its start-up as the program does.
    void openWindow();

    QString homePath(const QString& relative) const;
    QString exportPath() const {
        return homePath(QStringLiteral("Desktop/My Documents/TESTFILE.txt"));
    }
    QString exportFolder() const { return homePath(QStringLiteral("Desktop/My Documents")); }

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
    QByteArray expectedExport() const;

    // A move can be started and stopped, and doing so leaves the lists as they were.
    void expectUsable();

    QStringList messages;
    std::unique_ptr<Form1> window;

private:
    QTemporaryDir home_;
    QByteArray savedHome_;
    bool hadHome_ = false;
};

bool writeBytes(const QString& path, const QByteArray& bytes);
QByteArray readBytes(const QString& path);
// Every file and folder under `folder`, relative to it, sorted.
QStringList treeOf(const QString& folder);
