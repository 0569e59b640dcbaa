// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "logged_panel.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

const QString kStopBeforeSaving = QStringLiteral("Stop program before saving!");

struct ExportCase {
    const char* name;
    const char* earlier; // the file's earlier content, or nullptr for no file nor folder
    QStringList position;
    QStringList pressure;
    QByteArray bytes;
};

void PrintTo(const ExportCase& c, std::ostream* os) {
    *os << c.name;
}

class ExportBytes : public testing::TestWithParam<ExportCase> {};

TEST_P(ExportBytes, OneTabAndCrLfPerPairAndNothingElse) {
    const ExportCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("a/b/export.txt"));
    if (c.earlier) {
        ASSERT_TRUE(QDir().mkpath(dir.filePath(QStringLiteral("a/b"))));
        ASSERT_TRUE(writeBytes(path, c.earlier));
    }
    LoggedPanel logged(path);
    logged.position.items = c.position;
    logged.pressure.items = c.pressure;

    logged.log.save();
    EXPECT_EQ(fileBytes(path), c.bytes);
    logged.log.save();
    EXPECT_EQ(fileBytes(path), c.bytes);

    EXPECT_TRUE(logged.panel.messages.shown.isEmpty());
    EXPECT_EQ(logged.position.items, c.position);
    EXPECT_EQ(logged.pressure.items, c.pressure);
}

const char* const kLongerEarlier = "1\t2\r\n3\t4\r\n5\t6\r\n7\t8\r\n";

INSTANTIATE_TEST_SUITE_P(
    Lists, ExportBytes,
    testing::Values(ExportCase{"empty, new file", nullptr, {}, {}, ""},
                    ExportCase{"empty over earlier file", kLongerEarlier, {}, {}, ""},
                    ExportCase{
                        "one pair over earlier file", kLongerEarlier, {"0"}, {"0"}, "0\t0\r\n"},
                    ExportCase{"three pairs",
                               nullptr,
                               {"0.001", "3.399", "-2.15105711021124E-16"},
                               {"5860", "-992.384", "5860"},
                               "0.001\t5860\r\n3.399\t-992.384\r\n"
                               "-2.15105711021124E-16\t5860\r\n"}));

struct RunningCase {
    const char* name;
    bool earlierFile;
    bool armedSilently; // enabled with period 0: running, yet no tick comes
};

void PrintTo(const RunningCase& c, std::ostream* os) {
    *os << c.name;
}

class SaveWhileRunning : public testing::TestWithParam<RunningCase> {};

TEST_P(SaveWhileRunning, TouchesNoFileAndAsksToStop) {
    const RunningCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("export.txt"));
    const QByteArray earlier = "9\t9\r\n";
    if (c.earlierFile) {
        ASSERT_TRUE(writeBytes(path, earlier));
    }
    LoggedPanel logged(path);
    logged.start(QStringLiteral("6"), QStringLiteral("1"));
    SimulatedClock(logged).advanceBy(4000);
    if (c.armedSilently) {
        logged.panel.Timer1.periodMs = 0;
    }
    ASSERT_TRUE(logged.panel.Timer1.isEnabled);
    const QStringList position = logged.position.items;

    logged.log.save();
    EXPECT_EQ(logged.panel.messages.shown, QStringList{kStopBeforeSaving});
    EXPECT_EQ(fileBytes(path), c.earlierFile ? std::optional(earlier) : std::nullopt);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(),
              c.earlierFile ? 1 : 0);
    EXPECT_EQ(logged.position.items, position);
    EXPECT_EQ(logged.pressure.count(), position.size());
}

INSTANTIATE_TEST_SUITE_P(States, SaveWhileRunning,
                         testing::Values(RunningCase{"moving, earlier file", true, false},
                                         RunningCase{"moving, no file", false, false},
                                         RunningCase{"armed, earlier file", true, true}));

// The operator's message for a save that failed names the file and says why.
void expectFailureMessage(const FakeMessages& messages, const QString& path) {
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown.first().startsWith(QStringLiteral("Could not save")))
        << messages.shown.first().toStdString();
    EXPECT_TRUE(messages.shown.first().contains(QDir::toNativeSeparators(path)));
    EXPECT_GT(messages.shown.first().size(),
              QStringLiteral("Could not save : ").size() + path.size());
}

struct BlockedCase {
    const char* name;
    const char* exportPath; // relative to a folder that holds a regular file "blocker"
};

void PrintTo(const BlockedCase& c, std::ostream* os) {
    *os << c.name;
}

class BlockedPath : public testing::TestWithParam<BlockedCase> {};

TEST_P(BlockedPath, ReportsAndKeepsListsAndFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString blocker = dir.filePath(QStringLiteral("blocker"));
    const QByteArray blockerBytes = "keep me\n";
    ASSERT_TRUE(writeBytes(blocker, blockerBytes));
    const QString path = dir.filePath(QString::fromLatin1(GetParam().exportPath));
    LoggedPanel logged(path);
    logged.appendPair(QStringLiteral("0.001"), QStringLiteral("5860"));

    logged.log.save();
    expectFailureMessage(logged.panel.messages, path);
    EXPECT_EQ(fileBytes(blocker), blockerBytes);
    EXPECT_EQ(logged.position.items, QStringList{QStringLiteral("0.001")});
    EXPECT_EQ(logged.pressure.items, QStringList{QStringLiteral("5860")});
}

INSTANTIATE_TEST_SUITE_P(
    Paths, BlockedPath,
    testing::Values(BlockedCase{"file in place of the folder", "blocker/export.txt"},
                    BlockedCase{"file in place of a parent", "blocker/sub/export.txt"},
                    BlockedCase{"export path is a folder", "."}));

// Something outside the program keeps Save from replacing the export file. On POSIX
// systems: a folder without write permission (which does not bind root). On Windows,
// where folders have no such bit: another program holding the file open without sharing
// it, as a spreadsheet holds a file it has open.
class HeldExportFile {
public:
    explicit HeldExportFile(const QString& path) : path_(path) {
#ifdef Q_OS_WIN
        handle_ = CreateFileW(reinterpret_cast<const wchar_t*>(path.utf16()),
                              GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        held_ = handle_ != INVALID_HANDLE_VALUE;
#else
        QFile folder(QFileInfo(path).absolutePath());
        permissions_ = folder.permissions();
        held_ = geteuid() != 0 && folder.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
#endif
    }
    ~HeldExportFile() {
        release();
    }
    bool held() const {
        return held_;
    }

    void release() {
        if (!held_) {
            return;
        }
#ifdef Q_OS_WIN
        CloseHandle(handle_);
#else
        QFile(QFileInfo(path_).absolutePath()).setPermissions(permissions_);
#endif
        held_ = false;
    }

private:
    QString path_;
    bool held_ = false;
#ifdef Q_OS_WIN
    HANDLE handle_ = INVALID_HANDLE_VALUE;
#else
    QFile::Permissions permissions_;
#endif
};

TEST(Export, HeldFileKeepsTheEarlierFileUntilReleased) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("export.txt"));
    const QByteArray earlier = "1\t2\r\n";
    ASSERT_TRUE(writeBytes(path, earlier));
    HeldExportFile hold(path);
#ifdef Q_OS_WIN
    ASSERT_TRUE(hold.held());
#else
    if (!hold.held()) {
        GTEST_SKIP() << "folder permissions do not bind root";
    }
#endif
    LoggedPanel logged(path);
    logged.appendPair(QStringLiteral("3"), QStringLiteral("4"));

    logged.log.save();
    hold.release(); // a file held without sharing cannot even be read
    EXPECT_EQ(fileBytes(path), earlier);
    expectFailureMessage(logged.panel.messages, path);
    EXPECT_EQ(logged.position.items, QStringList{QStringLiteral("3")});
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("export.txt")});

    logged.log.save();
    EXPECT_EQ(fileBytes(path), "3\t4\r\n");
    EXPECT_EQ(logged.panel.messages.shown.size(), 1);
}

TEST(Export, FullListsWriteEveryPair) {
    constexpr int kMostEntries = 32767;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("export.txt"));
    LoggedPanel logged(path);
    logged.panel.moveTo(QStringLiteral("0.002"));
    for (int i = 0; i < kMostEntries + 5; ++i) {
        logged.log.sampleTick();
    }

    logged.log.save();
    const QByteArray line = "0.002\t5857.984\r\n";
    const QByteArray bytes = fileBytes(path).value_or("missing");
    EXPECT_EQ(bytes.count(line), kMostEntries);
    EXPECT_TRUE(bytes == line.repeated(kMostEntries)); // not printed: too long to read
}

} // namespace
