// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// The program's two fixed files, mapped to where they live on this host.

#include <QString>
#include <QWidget>

// On Windows the paths stand as they are. Elsewhere the operator's desktop folder
// "C:\WINNT\Profiles\opuser\Desktop" is the user's desktop folder, as the desktop names it
// (~/Desktop unless the user's folder settings name another), and the rest of the profile
// folder "C:\WINNT\Profiles\opuser" is the user's home folder.
QString hostPath(const QString& windowsPath);

QString backgroundPicturePath();
QString exportFilePath();

// In a web page, where the program's files live only in the page's memory, a saved export
// file is offered to the user as a download and then removed; elsewhere this does nothing.
void deliverExportFile();

// A web page has no system fonts and no icon theme: this adds the faces carried in the
// program, makes the default font the one the desktop gives, and gives the message boxes'
// title bars the program's icon. Elsewhere the system's fonts and icons are used.
void useCarriedResources();

// Shows the program's window. In a web page the page frames it at the window's own size,
// so it fills that frame with no title bar of its own; elsewhere it is a desktop window.
void showMainWindow(QWidget& window);
