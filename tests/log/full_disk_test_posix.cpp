// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "logged_panel.h"

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// A disk that fills up during a save. Root gets a 64 KiB file system of its own, really
// full. Others, who may not mount one, get a limit on the size of the files the process
// writes, which the system keeps in the same way: a short write, then an error.
class FullDisk : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        mounted_ = geteuid() == 0 && mount("tmpfs", QFile::encodeName(dir_.path()).constData(),
                                           "tmpfs", 0, "size=64k") == 0;
    }

    void TearDown() override {
        makeRoom();
        if (mounted_) {
            EXPECT_EQ(umount(QFile::encodeName(dir_.path()).constData()), 0);
        }
    }

    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    // The error of a write that finds the disk full.
    int fullError() const { return mounted_ ? ENOSPC : EFBIG; }

    // Fills the disk, all but `leaveFree` bytes.
    void fill(off_t leaveFree) {
        if (!mounted_) {
            ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit_), 0);
            rlimit lower = limit_;
            lower.rlim_cur = static_cast<rlim_t>(leaveFree);
            previousHandler_ = signal(SIGXFSZ, SIG_IGN); // the write fails instead
            limited_ = setrlimit(RLIMIT_FSIZE, &lower) == 0;
            ASSERT_TRUE(limited_) << qt_error_string(errno).toStdString();
            return;
        }
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

    void makeRoom() {
        if (limited_) {
            EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit_), 0);
            signal(SIGXFSZ, previousHandler_);
            limited_ = false;
        }
        QFile::remove(path("filler"));
    }

    QStringList entries() const {
        return QDir(dir_.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries, QDir::Name);
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    bool limited_ = false;
    rlimit limit_{};
    sighandler_t previousHandler_ = SIG_DFL;
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
    EXPECT_TRUE(message.contains(qt_error_string(fullError()))) << message.toStdString();
    EXPECT_EQ(fileBytes(exportPath), earlier);
    QStringList left = entries();
    left.removeOne(QStringLiteral("filler"));
    EXPECT_EQ(left, QStringList{QStringLiteral("export.txt")});
    EXPECT_EQ(logged.position.count(), c.pairs);
    EXPECT_EQ(logged.pressure.count(), c.pairs);

    // With room again the same lists save in full.
    makeRoom();
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
