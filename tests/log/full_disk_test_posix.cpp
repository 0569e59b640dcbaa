// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "logged_panel.h"

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

// A 64 KiB file system of its own, so that a save can meet a really full disk.
class FullDisk : public testing::Test {
protected:
    void SetUp() override {
        if (geteuid() != 0) {
            GTEST_SKIP() << "mounting needs root";
        }
        ASSERT_TRUE(dir_.isValid());
        const QByteArray where = QFile::encodeName(dir_.path());
        if (mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") != 0) {
            GTEST_SKIP() << "cannot mount a tmpfs: " << qt_error_string(errno).toStdString();
        }
        mounted_ = true;
    }

    void TearDown() override {
        if (mounted_) {
            EXPECT_EQ(umount(QFile::encodeName(dir_.path()).constData()), 0);
        }
    }

    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    // Fills the file system with one file, then frees `leaveFree` bytes of it again.
    void fill(off_t leaveFree) {
        const int fd =
            open(QFile::encodeName(path("filler")).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        const QByteArray chunk(4096, 'x');
        off_t size = 0;
        ssize_t written = 0;
        while ((written = write(fd, chunk.constData(), chunk.size())) > 0) {
            size += written;
        }
        EXPECT_EQ(errno, ENOSPC);
        EXPECT_EQ(ftruncate(fd, size > leaveFree ? size - leaveFree : 0), 0);
        close(fd);
    }

    QStringList entries() const {
        return QDir(dir_.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries, QDir::Name);
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

struct FullCase {
    const char* name;
    off_t leaveFree;
    int pairs;
};

class FullDiskSave : public FullDisk, public testing::WithParamInterface<FullCase> {};

TEST_P(FullDiskSave, KeepsTheEarlierFileAndSaysWhy) {
    const FullCase& c = GetParam();
    const QString exportPath = path("export.txt");
    const QByteArray earlier = "1\t2\r\n";
    ASSERT_TRUE(writeBytes(exportPath, earlier));
    fill(c.leaveFree);
    LoggedPanel logged(exportPath);
    for (int i = 0; i < c.pairs; ++i) {
        logged.appendPair(QStringLiteral("3.39"), QStringLiteral("-974.24"));
    }

    logged.log.save();
    ASSERT_EQ(logged.panel.messages.shown.size(), 1);
    const QString message = logged.panel.messages.shown.first();
    EXPECT_TRUE(message.startsWith(QStringLiteral("Could not save"))) << message.toStdString();
    EXPECT_TRUE(message.contains(exportPath)) << message.toStdString();
    EXPECT_TRUE(message.contains(qt_error_string(ENOSPC))) << message.toStdString();
    EXPECT_EQ(fileBytes(exportPath), earlier);
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("export.txt"), QStringLiteral("filler")}));
    EXPECT_EQ(logged.position.count(), c.pairs);
    EXPECT_EQ(logged.pressure.count(), c.pairs);

    // With room again the same lists save in full.
    ASSERT_TRUE(QFile::remove(path("filler")));
    logged.log.save();
    EXPECT_EQ(logged.panel.messages.shown.size(), 1);
    EXPECT_EQ(fileBytes(exportPath)->size(), c.pairs * QByteArray("3.39\t-974.24\r\n").size());
}

void PrintTo(const FullCase& c, std::ostream* os) {
    *os << c.name;
}

INSTANTIATE_TEST_SUITE_P(Room, FullDiskSave,
                         testing::Values(FullCase{"no room, small write", 0, 2},
                                         FullCase{"some room, large write", 16384, 2000}));

} // namespace
