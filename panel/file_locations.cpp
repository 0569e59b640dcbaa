// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "panel/file_locations.h"

#include <QDir>
#include <QStandardPaths>

#ifdef Q_OS_WASM
#include "panel/page_readings.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QIcon>
#endif

namespace {
const QString kProfileFolder = QStringLiteral("C:\\WINNT\\Profiles\\opuser");

#ifndef Q_OS_WIN
const QString kDesktopFolder = kProfileFolder + QStringLiteral("\\Desktop");

// True when `path` is `folder` itself or lies beneath it.
bool isWithin(const QString& path, const QString& folder) {
    return path.startsWith(folder, Qt::CaseInsensitive) &&
           (path.size() == folder.size() || path.at(folder.size()) == QLatin1Char('\\'));
}

// The desktop folder of the user's desktop settings; QStandardPaths falls back to
// ~/Desktop when they name none.
QString desktopFolder() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return folder.isEmpty() ? QDir::homePath() + QStringLiteral("/Desktop") : folder;
}
#endif
} // namespace

QString hostPath(const QString& windowsPath) {
#ifdef Q_OS_WIN
    return windowsPath;
#else
    QString host;
    QString rest = windowsPath;
    if (isWithin(windowsPath, kDesktopFolder)) {
        host = desktopFolder();
        rest = windowsPath.mid(kDesktopFolder.size());
    } else if (isWithin(windowsPath, kProfileFolder)) {
        host = QDir::homePath();
        rest = windowsPath.mid(kProfileFolder.size());
    }
    // Only the Windows part turns its separators round: a host folder may hold a backslash
    // in a name.
    return host + rest.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
}

QString backgroundPicturePath() {
    return hostPath(kProfileFolder + QStringLiteral("\\Desktop\\somethingblue.jpg"));
}

QString exportFilePath() {
    return hostPath(kProfileFolder + QStringLiteral("\\Desktop\\My Documents\\TESTFILE.txt"));
}

#ifdef Q_OS_WASM
void deliverExportFile() {
    QFile file(exportFilePath());
    // No file: the save was refused or failed, and a message box has said so.
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const QByteArray content = file.readAll();
    file.close();
    file.remove();
    QFileDialog::saveFileContent(content, QFileInfo(file).fileName());
}

void useCarriedResources() {
    for (const char* name : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "EBGaramond12-Bold.otf"}) {
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/") + QLatin1String(name));
    }
    // What Qt gives a program on a Debian desktop with no desktop settings of its own,
    // hinted as Debian's fontconfig hints it (slight: heights only), so that texts take
    // the widths they take there. Every font the panel makes inherits the hinting.
    QFont font(QStringLiteral("DejaVu Sans"), 9);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    QApplication::setFont(font);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/actuator-panel.ico")));
}

void showMainWindow(QWidget& window) {
    window.showFullScreen();
    keepReadingsInPage(window);
}
#else
void deliverExportFile() {}
void useCarriedResources() {}

void showMainWindow(QWidget& window) {
    window.show();
}
#endif
