// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// Qt's widgets register their standard icons (file dialogs, message box icons, tool
// buttons: some 250 pictures, a tenth of the web program's data) when the application
// starts. The panel shows none of them: its message boxes have no icon and a plain OK.
// Defining the registration here keeps Qt's own, and the pictures with it, out of the web
// program; on the desktop the icons come from Qt's shared library as ever.

// Qt calls it from QApplication's start-up, as Q_INIT_RESOURCE declares it.
// cppcheck-suppress unusedFunction
int qInitResources_qstyle() {
    return 1;
}

// cppcheck-suppress unusedFunction
int qCleanupResources_qstyle() {
    return 1;
}
