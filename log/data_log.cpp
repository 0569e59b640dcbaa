// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "log/data_log.h"

#include "model/numbers.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {
constexpr int kMostEntries = 32767;
const QString kStopBeforeSaving = QStringLiteral("Stop program before saving!");

QByteArray exportLines(const LogList& position, const LogList& pressure, int count) {
    QByteArray content;
    for (int i = 0; i < count; ++i) {
        content += position.at(i).toUtf8() + '\t' + pressure.at(i).toUtf8() + "\r\n";
    }
    return content;
}

// Writes until all is written or the file system refuses. A write that stops short sets
// no error, so the rest is offered again to learn why (such as a disk that filled up).
bool writeAll(QSaveFile& file, const QByteArray& content) {
    qint64 done = 0;
    while (done < content.size()) {
        const qint64 written = file.write(content.constData() + done, content.size() - done);
        if (written <= 0) {
            return false;
        }
        done += written;
    }
    return true;
}

// Writes the whole content or nothing: on any failure the earlier file stays as it was.
QString writeAtomically(const QString& path, const QByteArray& content,
                        const DataLog::BeforeCommit& beforeCommit) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return QStringLiteral("the folder %1 cannot be created")
            .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
    }
    QSaveFile file(path);
    // Unbuffered, so that a full disk shows up in write() rather than slipping past commit().
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return file.errorString();
    }
    if (!writeAll(file, content)) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (beforeCommit) {
        beforeCommit();
    }
    return file.commit() ? QString() : file.errorString();
}
} // namespace

DataLog::DataLog(const DataLogControls& controls, const Actuator& actuator, QString exportPath,
                 BeforeCommit beforeCommit)
    : controls_(controls), actuator_(actuator), exportPath_(std::move(exportPath)),
      beforeCommit_(std::move(beforeCommit)) {}

void DataLog::sampleTick() {
    // A full list takes no more samples, so the two lists stay paired.
    if (controls_.position.count() >= kMostEntries || controls_.pressure.count() >= kMostEntries) {
        return;
    }
    controls_.position.append(numberText(actuator_.position(), actuator_.locale()));
    controls_.pressure.append(numberText(actuator_.pressure(), actuator_.locale()));
}

void DataLog::reset() {
    controls_.position.clear();
    controls_.pressure.clear();
}

void DataLog::save() {
    const int count = controls_.position.count();
    if (controls_.Timer1.enabled()) {
        controls_.messages.show(kStopBeforeSaving);
        return;
    }
    const QString failure = writeAtomically(
        exportPath_, exportLines(controls_.position, controls_.pressure, count), beforeCommit_);
    if (!failure.isEmpty()) {
        controls_.messages.show(QStringLiteral("Could not save %1: %2")
                                    .arg(QDir::toNativeSeparators(exportPath_), failure));
    }
}
