// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// The event loop the panel runs on; chosen once, before the QApplication is made.

void chooseEventLoop();
