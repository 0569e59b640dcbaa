// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// A client connection to an X display, for driving a program from outside as its user
// and window manager would: find its window by title, read the window's pixels, and ask
// the window to close. Xlib stays inside the .cpp, so its macros reach no other file.

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QString>

class XDisplay {
public:
    explicit XDisplay(const QByteArray& name);
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    bool isOpen() const { return display_ != nullptr; }

    // A top-level window with this title, or 0 when there is none (yet).
    unsigned long findWindow(const QString& title) const;
    // The pixels of `area` of the window, or a null image when it cannot be read.
    QImage grab(unsigned long window, QRect area) const;
    // Sends the close request a window manager sends when the user closes the window.
    bool askToClose(unsigned long window) const;

private:
    void* display_; // Display*
};
