// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "x_display.h"

// Xlib last: it defines macros such as Bool and Status that Qt's headers must not see.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {
Display* dpy(void* display) {
    return static_cast<Display*>(display);
}

QString titleOf(Display* display, Window window) {
    char* name = nullptr;
    if (XFetchName(display, window, &name) == 0 || name == nullptr) {
        return {};
    }
    const QString title = QString::fromLocal8Bit(name);
    XFree(name);
    return title;
}
} // namespace

XDisplay::XDisplay(const QByteArray& name) : display_(XOpenDisplay(name.constData())) {}

XDisplay::~XDisplay() {
    if (display_ != nullptr) {
        XCloseDisplay(dpy(display_));
    }
}

unsigned long XDisplay::findWindow(const QString& title) const {
    Display* display = dpy(display_);
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
        return 0;
    }
    Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, children[i], &attributes) != 0 &&
            attributes.map_state == IsViewable && titleOf(display, children[i]) == title) {
            found = children[i];
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

QImage XDisplay::grab(unsigned long window, QRect area) const {
    XImage* image = XGetImage(dpy(display_), window, area.x(), area.y(), area.width(),
                              area.height(), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return {};
    }
    QImage copy(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y) {
        for (int x = 0; x < area.width(); ++x) {
            copy.setPixel(x, y, static_cast<QRgb>(XGetPixel(image, x, y)) | 0xFF000000u);
        }
    }
    XDestroyImage(image);
    return copy;
}

bool XDisplay::askToClose(unsigned long window) const {
    Display* display = dpy(display_);
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const bool sent = XSendEvent(display, window, False, NoEventMask, &event) != 0;
    XFlush(display);
    return sent;
}
