// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// Save when the export file cannot be written: the operator is told why, the lists keep
// every entry, the panel keeps working, and once the cause is gone Save writes them all.
#include "home_panel.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <functional>
#include <sys/mount.h>
#include <unistd.h>

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

// The export folder on a file system of its own of 64 KiB, so that Save can meet a disk
// that is really full. Mounting needs root; elsewhere the tests are skipped.
class FullExportDisk : public HomePanel {
protected:
    void SetUp() override {
        HomePanel::SetUp();
        if (geteuid() != 0) {
            GTEST_SKIP() << "mounting a tmpfs needs root";
        }
        ASSERT_TRUE(QDir().mkpath(exportFolder()));
        if (mount("tmpfs", QFile::encodeName(exportFolder()).constData(), "tmpfs", 0, "size=64k") !=
            0) {
            GTEST_SKIP() << "cannot mount a tmpfs: " << qt_error_string(errno).toStdString();
        }
        mounted_ = true;
    }
    void TearDown() override {
        unmount();
        HomePanel::TearDown();
    }
    void unmount() {
        if (mounted_) {
            EXPECT_EQ(umount(QFile::encodeName(exportFolder()).constData()), 0);
            mounted_ = false;
        }
    }

private:
    bool mounted_ = false;
};

TEST_F(FullExportDisk, SaveThatFitsIsWritten) {
    openWindow();
    addEntries(100);
    click("save");
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(readBytes(exportPath()), expectedExport());
}

TEST_F(FullExportDisk, SaveThatOverflowsKeepsEarlierFileAndLosesNothing) {
    openWindow();
    addEntries(10);
    click("save");
    const QByteArray earlier = readBytes(exportPath());
    ASSERT_FALSE(earlier.isEmpty());

    addEntries(5000); // about 120 KiB of text, twice the room on the disk
    const QByteArray logged = expectedExport();
    ASSERT_GT(logged.size(), 64 * 1024);
    click("save");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith(QStringLiteral("Could not save %1: ").arg(exportPath())));
    EXPECT_EQ(readBytes(exportPath()), earlier);
    EXPECT_EQ(treeOf(exportFolder()), QStringList{QStringLiteral("TESTFILE.txt")});
    EXPECT_EQ(expectedExport(), logged);
    messages.clear();
    expectUsable();

    unmount(); // the folder is back on the roomy disk beneath
    click("save");
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(readBytes(exportPath()), logged);
}

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
