#include "panel/file_locations.h"

#include <QDir>

namespace {
const QString kProfileFolder = QStringLiteral("C:\\WINNT\\Profiles\\opuser");
} // namespace

QString hostPath(const QString& windowsPath) {
#ifdef Q_OS_WIN
    return windowsPath;
#else
    QString path = windowsPath;
    if (path.startsWith(kProfileFolder, Qt::CaseInsensitive)) {
        path.replace(0, kProfileFolder.size(), QDir::homePath());
    }
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
}

QString backgroundPicturePath() {
    return hostPath(kProfileFolder + QStringLiteral("\\Desktop\\somethingblue.jpg"));
}

QString exportFilePath() {
    return hostPath(kProfileFolder + QStringLiteral("\\Desktop\\My Documents\\TESTFILE.txt"));
}
