#pragma once
// The program's two fixed files, mapped to where they live on this host.

#include <QString>

// On Windows the paths stand as they are; elsewhere the operator's profile folder
// "C:\WINNT\Profiles\opuser" is the user's home folder.
QString hostPath(const QString& windowsPath);

QString backgroundPicturePath();
QString exportFilePath();
