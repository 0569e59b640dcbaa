// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "panel/command_line.h"
#include "panel/event_loop.h"
#include "panel/file_locations.h"
#include "panel/form1.h"
#include "panel/message_box.h"

#include <QApplication>

int main(int argc, char** argv) {
    if (const auto status = readCommandLine(argc, argv)) {
        return *status;
    }
    chooseEventLoop();
    QApplication app(argc, argv);
    QApplication::setApplicationName(kApplicationTitle);
    useCarriedResources();
    Form1 window;
    window.startUp(backgroundPicturePath());
    showMainWindow(window);
    return QApplication::exec();
}
