// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// The soak run: a long back-and-forth run through the real window (offscreen unless a
// platform is named), the lists filled to their limit and kept there, then Save. Prints
// the memory at the start, once the lists are full and at the end, and the peak; checks
// the export file line by line against the lists. Exit status 0 when all checks hold.
//
//   actuator-soak [motion ticks, default 200000] [sample period in ms, default 1]
#include "memory.h"
#include "panel/event_loop.h"
#include "panel/file_locations.h"
#include "panel/form1.h"
#include "panel/message_box.h"
#include "soak_run.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {

const QString kSpeedWarning = QStringLiteral("Warning: Infeasible motor speed");

double mib(long kib) {
    return kib / 1024.0;
}

void printMemory(const char* when, const MemoryReading& m) {
    std::printf("memory %-14s resident %7.1f MiB\n", when, mib(m.residentKiB));
}

QStringList listTexts(const Form1& window, const char* name) {
    const auto* list = window.findChild<QListWidget*>(QString::fromLatin1(name));
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts << list->item(i)->text();
    }
    return texts;
}

// Counts the failures of the export against the lists, printing the first few.
int checkExport(const Form1& window, const QString& path) {
    const QStringList position = listTexts(window, "position");
    const QStringList pressure = listTexts(window, "pressure");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::printf("FAIL export file %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return 1;
    }
    QList<QByteArray> lines = file.readAll().split('\n');
    const bool endsWithLineEnd = !lines.isEmpty() && lines.last().isEmpty();
    if (endsWithLineEnd) {
        lines.removeLast();
    }
    int failures = endsWithLineEnd ? 0 : 1;
    for (const qsizetype count : {qsizetype(position.size()), qsizetype(pressure.size())}) {
        failures += count == SoakRun::kFull && lines.size() == SoakRun::kFull ? 0 : 1;
    }
    for (qsizetype i = 0; i < lines.size() && i < position.size(); ++i) {
        const QByteArray expected = (position[i] + '\t' + pressure.value(i)).toUtf8() + '\r';
        if (lines[i] != expected && ++failures <= 5) {
            std::printf("FAIL line %lld: \"%s\", lists have \"%s\"\n",
                        static_cast<long long>(i + 1), lines[i].trimmed().constData(),
                        expected.trimmed().constData());
        }
    }
    std::printf("export file    %lld lines; lists %lld and %lld entries%s\n",
                static_cast<long long>(lines.size()), static_cast<long long>(position.size()),
                static_cast<long long>(pressure.size()),
                failures == 0 ? ", every line matches the lists" : "");
    return failures;
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Save writes into a home folder of the run's own, never over the user's export file.
    QTemporaryDir home;
    if (!home.isValid()) {
        std::fprintf(stderr, "no scratch home: %s\n", qPrintable(home.errorString()));
        return 1;
    }
    qputenv("HOME", QFile::encodeName(home.path()));
    // The desktop folder, where the export file is, comes from the folder settings there.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    chooseEventLoop(); // as the program does
    QApplication app(argc, argv);
    const long ticks = argc > 1 ? std::atol(argv[1]) : 200000;
    const int samplePeriod = argc > 2 ? std::atoi(argv[2]) : 1;

    QStringList unexpected;
    ModalMessageBox::interceptWith([&unexpected](const QString& text) {
        if (text != kSpeedWarning) {
            unexpected << text;
        }
    });
    Form1 window;
    window.startUp(backgroundPicturePath());
    window.show();
    QCoreApplication::processEvents();

    const MemoryReading atStart = readMemory();
    printMemory("at start", atStart);
    QElapsedTimer clock;
    clock.start();
    SoakRun run(window, ticks, samplePeriod);
    MemoryReading whenFull;
    const auto* entries = window.findChild<QListWidget*>(QStringLiteral("position"));
    run.onProgress = [&clock, entries](long done) {
        std::printf("%8ld motion ticks %7.1f s  %5d entries  resident %6.1f MiB\n", done,
                    clock.elapsed() / 1e3, entries->count(), mib(readMemory().residentKiB));
        std::fflush(stdout);
    };
    run.onFull = [&whenFull] { whenFull = readMemory(); };
    run.start();
    QApplication::exec();
    const double seconds = clock.elapsed() / 1e3;

    window.findChild<QPushButton*>(QStringLiteral("save"))->click();
    const MemoryReading atEnd = readMemory();

    std::printf("motion ticks   %ld in %.1f s (%.0f a second)\n", run.motionTicks(), seconds,
                run.motionTicks() / seconds);
    std::printf("sample ticks   %ld; lists full after %ld motion ticks\n", run.sampleTicks(),
                run.ticksWhenFull());
    printMemory("at start", atStart);
    printMemory("when full", whenFull);
    printMemory("at end", atEnd);
    std::printf("memory peak    %.1f MiB (VmHWM); growth since full %+.1f MiB\n",
                mib(atEnd.peakKiB), mib(atEnd.residentKiB - whenFull.residentKiB));

    int failures = checkExport(window, exportFilePath());
    failures += run.motionTicks() == ticks && run.ticksWhenFull() >= 0 ? 0 : 1;
    failures += window.timer1().enabled() ? 1 : 0;
    for (const QString& text : unexpected) {
        std::printf("FAIL unexpected message: %s\n", qPrintable(text));
        ++failures;
    }
    std::printf(failures == 0 ? "soak passed\n" : "soak FAILED (%d)\n", failures);
    return failures == 0 ? 0 : 1;
}
