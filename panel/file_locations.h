// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// The program's two fixed files, mapped to where they live on this host.

#include <QString>

// On Windows the paths stand as they are. Elsewhere the operator's desktop folder
// "C:\WINNT\Profiles\opuser\Desktop" is the user's desktop folder, as the desktop names it
// (~/Desktop unless the user's folder settings name another), and the rest of the profile
// folder "C:\WINNT\Profiles\opuser" is the user's home folder.
QString hostPath(const QString& windowsPath);

QString backgroundPicturePath();
QString exportFilePath();
