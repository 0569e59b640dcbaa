// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "logged_panel.h"
#include "model/numbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
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
    QLocale locale = QLocale::c(); // the lists' texts are written in it
};

// Samples as they are listed in `locale`.
ExportCase inLocale(const char* name, const QLocale& locale, const char* bytes) {
    const auto texts = [&locale](std::initializer_list<double> values) {
        QStringList list;
        for (const double value : values) {
            list << numberText(value, locale);
        }
        return list;
    };
    return {name,  nullptr, texts({0.001, -2.15105711021124e-16}), texts({5857.984, 5860}),
            bytes, locale};
}

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
    // The file is UTF-8, and each number in it reads back, in its locale, as listed.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(fileBytes(path).value_or(QByteArray()));
    EXPECT_FALSE(utf8.hasError());
    const QStringList lines = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < lines.size() && i < c.position.size(); ++i) {
        const QStringList pair = lines[i].split(QLatin1Char('\t'));
        ASSERT_EQ(pair.size(), 2) << i;
        EXPECT_EQ(parseNumber(pair[0], c.locale), parseNumber(c.position[i], c.locale)) << i;
        EXPECT_EQ(parseNumber(pair[1], c.locale), parseNumber(c.pressure[i], c.locale)) << i;
        EXPECT_TRUE(parseNumber(pair[0], c.locale) && parseNumber(pair[1], c.locale)) << i;
    }
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
                               "-2.15105711021124E-16\t5860\r\n"},
                    // Each locale of the number tests, two with a separator outside ASCII.
                    inLocale("German", QLocale(QLocale::German, QLocale::Germany),
                             "0,001\t5857,984\r\n-2,15105711021124E-16\t5860\r\n"),
                    inLocale("Swedish", QLocale(QLocale::Swedish, QLocale::Sweden),
                             "0,001\t5857,984\r\n-2,15105711021124E-16\t5860\r\n"),
                    inLocale("Arabic", QLocale(QLocale::Arabic, QLocale::Egypt),
                             "0\xd9\xab"
                             "001\t5857\xd9\xab"
                             "984\r\n-2\xd9\xab"
                             "15105711021124E-16\t5860\r\n"),
                    inLocale("Persian", QLocale(QLocale::Persian, QLocale::Iran),
                             "0\xd9\xab"
                             "001\t5857\xd9\xab"
                             "984\r\n-2\xd9\xab"
                             "15105711021124E-16\t5860\r\n")));

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

// Something outside the program keeps Save from replacing the export file. On POSIX
// systems: a folder without write permission, and since that does not bind root, root
// saves meanwhile as the user nobody. On Windows, where folders have no such bit: another
// program holding the file open without sharing it, as a spreadsheet holds a file it has
// open.
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
        held_ = folder.setPermissions(QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                      QFile::ExeOther);
        constexpr uid_t kNobody = 65534;
        if (held_ && geteuid() == 0) {
            asNobody_ = seteuid(kNobody) == 0;
            if (!asNobody_) {
                why_ = "root cannot save as nobody: " + qt_error_string(errno).toStdString();
                release();
            }
        }
#endif
    }
    ~HeldExportFile() {
        release();
    }
    bool held() const {
        return held_;
    }
    const std::string& whyNot() const {
        return why_;
    }

    void release() {
        if (!held_) {
            return;
        }
#ifdef Q_OS_WIN
        CloseHandle(handle_);
#else
        if (asNobody_) {
            EXPECT_EQ(seteuid(0), 0);
        }
        QFile(QFileInfo(path_).absolutePath()).setPermissions(permissions_);
#endif
        held_ = false;
    }

private:
    QString path_;
    bool held_ = false;
    std::string why_ = "the file cannot be held";
#ifdef Q_OS_WIN
    HANDLE handle_ = INVALID_HANDLE_VALUE;
#else
    QFile::Permissions permissions_;
    bool asNobody_ = false;
#endif
};

enum class Cause { Blocker, Held, CommitFails };

struct FailCase {
    const char* name;
    Cause cause;
    const char* exportPath; // relative to a folder that holds a regular file "blocker"
};

void PrintTo(const FailCase& c, std::ostream* os) {
    *os << c.name;
}

// Between the write and the commit, something takes the export file's place: on POSIX
// systems a folder of someone else's under its name, on Windows another program holding
// the earlier file open. The commit then fails as the system says.
class CommitBlocker {
public:
    explicit CommitBlocker(const QString& path) : path_(path) {}

    void block() {
#ifdef Q_OS_WIN
        hold_.emplace(path_);
        EXPECT_TRUE(hold_->held());
#else
        EXPECT_TRUE(QDir().mkpath(path_));
        EXPECT_TRUE(writeBytes(kept(), "not the export\n"));
#endif
    }
    // The system's reasons for such a failed commit.
    QStringList reasons() const {
#ifdef Q_OS_WIN
        return {windowsReason(ERROR_SHARING_VIOLATION), windowsReason(ERROR_ACCESS_DENIED)};
#else
        return {qt_error_string(EISDIR)};
#endif
    }
    // Whatever took the file's place stays as it was.
    void expectKept() const {
#ifndef Q_OS_WIN
        EXPECT_EQ(fileBytes(kept()), QByteArray("not the export\n"));
#endif
    }
    void unblock() {
#ifdef Q_OS_WIN
        hold_.reset();
#else
        EXPECT_TRUE(QDir(path_).removeRecursively());
#endif
    }

private:
#ifdef Q_OS_WIN
    static QString windowsReason(DWORD code) {
        wchar_t* text = nullptr;
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
                       MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<wchar_t*>(&text),
                       0, nullptr);
        const QString reason = QString::fromWCharArray(text).trimmed();
        LocalFree(text);
        return reason;
    }
    std::optional<HeldExportFile> hold_;
#else
    QString kept() const {
        return path_ + QStringLiteral("/kept.txt");
    }
#endif
    QString path_;
};

class SaveFails : public testing::TestWithParam<FailCase> {};

// Save tells the operator, keeps the lists and every file as they were and leaves nothing
// behind; once the cause is gone, the same lists save.
TEST_P(SaveFails, ReportsAndKeepsListsAndFiles) {
    const FailCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray blockerBytes = "keep me\n";
    ASSERT_TRUE(writeBytes(dir.filePath(QStringLiteral("blocker")), blockerBytes));
    const QString path = dir.filePath(QString::fromLatin1(c.exportPath));
    const QByteArray earlier = "1\t2\r\n";
#ifdef Q_OS_WIN
    const bool earlierFile = c.cause != Cause::Blocker;
#else
    const bool earlierFile = c.cause == Cause::Held; // a folder takes the commit's place
#endif
    if (earlierFile) {
        ASSERT_TRUE(writeBytes(path, earlier));
    }
    CommitBlocker commitBlocker(path);
    bool blockCommit = c.cause == Cause::CommitFails;
    LoggedPanel logged(path, QLocale::c(), [&] {
        if (blockCommit) {
            commitBlocker.block();
        }
    });
    logged.appendPair(QStringLiteral("3"), QStringLiteral("4"));
    std::optional<HeldExportFile> hold;
    if (c.cause == Cause::Held) {
        hold.emplace(path);
#ifdef Q_OS_WIN
        ASSERT_TRUE(hold->held());
#else
        if (!hold->held()) {
            GTEST_SKIP() << hold->whyNot();
        }
#endif
    }

    logged.log.save();
    if (hold) {
        hold->release(); // a file held without sharing cannot even be read
    }
    ASSERT_EQ(logged.panel.messages.shown.size(), 1);
    const QString message = logged.panel.messages.shown.first();
    EXPECT_TRUE(message.startsWith(QStringLiteral("Could not save"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(path)));
    EXPECT_GT(message.size(), QStringLiteral("Could not save : ").size() + path.size());
    if (blockCommit) {
        const QStringList reasons = commitBlocker.reasons();
        EXPECT_TRUE(std::any_of(reasons.begin(), reasons.end(),
                                [&](const QString& r) { return message.endsWith(": " + r); }))
            << message.toStdString() << " gives none of: " << reasons.join('|').toStdString();
        commitBlocker.expectKept();
        commitBlocker.unblock();
    }
    EXPECT_EQ(fileBytes(dir.filePath(QStringLiteral("blocker"))), blockerBytes);
    EXPECT_EQ(logged.position.items, QStringList{QStringLiteral("3")});
    EXPECT_EQ(logged.pressure.items, QStringList{QStringLiteral("4")});
    if (c.cause == Cause::Blocker) {
        return;
    }
    EXPECT_EQ(fileBytes(path), earlierFile ? std::optional(earlier) : std::nullopt);
    QStringList left{QStringLiteral("blocker")};
    if (earlierFile) {
        left << QStringLiteral("export.txt");
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot), left);

    blockCommit = false;
    logged.log.save();
    EXPECT_EQ(fileBytes(path), "3\t4\r\n");
    EXPECT_EQ(logged.panel.messages.shown.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Causes, SaveFails,
    testing::Values(FailCase{"file in place of the folder", Cause::Blocker, "blocker/export.txt"},
                    FailCase{"file in place of a parent", Cause::Blocker, "blocker/sub/export.txt"},
                    FailCase{"export path is a folder", Cause::Blocker, "."},
                    FailCase{"folder held", Cause::Held, "export.txt"},
                    FailCase{"commit fails", Cause::CommitFails, "export.txt"}));

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
