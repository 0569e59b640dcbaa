// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// Fuzz target for the handlers: an input is a script of operator actions and timer ticks,
// one per line, run against the actuator and the data log over fakes. The rig checks the
// invariants after every step.
//
//   @name   first line only: the locale, such as "@de_DE" (default C)
//   s       Retract/Extend          x       STOP
//   t<text> type the target text    v<text> type the speed text
//   m<n>    n motion ticks          f       motion ticks until the move ends
//   l<n>    n sample ticks          b<n>    n motion ticks while each message box is open
//   r       Reset List Data         w       Save
//
// Ticks come only while their timer would tick, as a real timer's do.
#include "actuator_rig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdint>

namespace {
constexpr int kMostSteps = 4096;
constexpr int kMostTicksPerOp = 40000; // more than a log list holds
constexpr int kMostTicksPerInput = 100000;
constexpr int kMostSavesPerInput = 4; // each one writes and reads back the whole log

// Save writes here, in a folder of its own that goes away when the fuzzer ends. A folder
// in memory, where there is one, keeps the file system's sync on every Save cheap.
QString temporaryFolderTemplate() {
    const QFileInfo memory(QStringLiteral("/dev/shm"));
    const QString base =
        memory.isDir() && memory.isWritable() ? memory.filePath() : QDir::tempPath();
    return base + QStringLiteral("/actuator-fuzz-XXXXXX");
}

const QString& exportPath() {
    static const QTemporaryDir folder(temporaryFolderTemplate());
    require(folder.isValid(), "no temporary folder for the export file");
    static const QString path = folder.filePath(QStringLiteral("My Documents/TESTFILE.txt"));
    return path;
}

int countIn(const QByteArray& argument) {
    int count = 0;
    int digits = 0;
    for (const char c : argument) {
        if (c < '0' || c > '9' || ++digits > 6) {
            break;
        }
        count = count * 10 + (c - '0');
    }
    return digits == 0 ? 1 : std::min(count, kMostTicksPerOp);
}

void runStep(ActuatorRig& rig, const QByteArray& line) {
    const QByteArray argument = line.mid(1);
    switch (line.at(0)) {
    case 's':
        rig.start();
        break;
    case 'x':
        rig.stop();
        break;
    case 't':
        rig.editTarget(QString::fromUtf8(argument));
        break;
    case 'v':
        rig.editSpeed(QString::fromUtf8(argument));
        break;
    case 'm':
        rig.motionTicks(countIn(argument));
        break;
    case 'f':
        rig.finishMove();
        break;
    case 'l':
        rig.sampleTicks(countIn(argument));
        break;
    case 'b':
        rig.setTicksWhileBoxOpen(countIn(argument));
        break;
    case 'r':
        rig.reset();
        break;
    case 'w':
        rig.save();
        break;
    default:
        break;
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QList<QByteArray> lines =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))
            .split('\n');
    QLocale locale = QLocale::c();
    if (!lines.isEmpty() && lines.first().startsWith('@')) {
        locale = QLocale(QString::fromUtf8(lines.takeFirst().mid(1)));
    }
    QFile::remove(exportPath());
    ActuatorRig rig(locale, exportPath(), kMostTicksPerInput, kMostSavesPerInput);
    int steps = 0;
    for (const QByteArray& line : std::as_const(lines)) {
        if (!line.isEmpty() && ++steps <= kMostSteps) {
            runStep(rig, line);
        }
    }
    return 0;
}
