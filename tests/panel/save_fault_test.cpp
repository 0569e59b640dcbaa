// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// Save when the export file cannot be written: the operator is told why, the lists keep
// every entry, the panel keeps working, and once the cause is gone Save writes them all.
#include "home_panel.h"

#include <QDir>
#include <QFile>

namespace {

struct BlockedCase {
    const char* name;
    const char* blocker; // relative to the home folder
    bool blockerIsFolder;
};

const BlockedCase kBlocked[] = {
    {"MyDocumentsIsAFile", "Desktop/My Documents", false},
    {"DesktopIsAFile", "Desktop", false},
    {"ExportFileIsAFolder", "Desktop/My Documents/TESTFILE.txt", true},
};

void PrintTo(const BlockedCase& c, std::ostream* os) {
    *os << c.name;
}

class BlockedExport : public HomePanel, public testing::WithParamInterface<BlockedCase> {};

TEST_P(BlockedExport, SaveFailsLoudlyAndLosesNothing) {
    const BlockedCase& c = GetParam();
    const QString blocker = homePath(QString::fromLatin1(c.blocker));
    const QByteArray blockerBytes = "belongs to someone else\n";
    if (c.blockerIsFolder) {
        ASSERT_TRUE(QDir().mkpath(blocker));
    } else {
        ASSERT_TRUE(writeBytes(blocker, blockerBytes));
    }
    openWindow();
    addEntries(5);
    const QByteArray logged = expectedExport();

    click("save");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Could not save %1: ").arg(exportPath())))
        << messages[0].toStdString();
    EXPECT_EQ(QFileInfo(blocker).isDir(), c.blockerIsFolder);
    if (!c.blockerIsFolder) {
        EXPECT_EQ(readBytes(blocker), blockerBytes);
    }
    EXPECT_EQ(expectedExport(), logged);
    messages.clear();
    expectUsable();

    ASSERT_TRUE(c.blockerIsFolder ? QDir(blocker).removeRecursively() : QFile::remove(blocker));
    click("save");
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(readBytes(exportPath()), logged);
}

INSTANTIATE_TEST_SUITE_P(Paths, BlockedExport, testing::ValuesIn(kBlocked),
                         [](const auto& info) { return std::string(info.param.name); });

int openDescriptors() {
    return static_cast<int>(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files).size());
}

using RepeatedSaves = HomePanel;

TEST_F(RepeatedSaves, ManyInARowWriteTheSameFile) {
    openWindow();
    addEntries(2000);
    const QByteArray logged = expectedExport();
    const int descriptors = openDescriptors();
    for (int i = 0; i < 200; ++i) {
        click("save");
        ASSERT_EQ(readBytes(exportPath()), logged) << "save " << i;
    }
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(treeOf(exportFolder()), QStringList{QStringLiteral("TESTFILE.txt")});
    EXPECT_EQ(openDescriptors(), descriptors);
    EXPECT_EQ(expectedExport(), logged);
    expectUsable();
}

} // namespace
