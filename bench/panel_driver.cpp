// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "panel_driver.h"

#include "measures.h"
#include "model/numbers.h"
#include "panel/file_locations.h"
#include "panel/message_box.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <cstdlib>
#include <stdexcept>

std::int64_t nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

ScratchHome::ScratchHome() {
    if (!folder_.isValid()) {
        throw std::runtime_error("no temporary folder for the scratch home");
    }
    qputenv("HOME", folder_.path().toLocal8Bit());
    // The desktop folder, where both files are, comes from the folder settings beneath it.
    qputenv("XDG_CONFIG_HOME", (folder_.path() + QStringLiteral("/.config")).toLocal8Bit());
    writeBackgroundPicture(backgroundPicturePath());
}

// A window-sized picture with a gradient and fine texture, so that decoding and drawing
// it cost what a real photograph would.
void writeBackgroundPicture(const QString& path) {
    QImage picture(642, 558, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const int grain = (x * 7 + y * 13) % 17;
            picture.setPixel(x, y, qRgb(20 + grain, 40 + y / 6 + grain, 120 + x / 6));
        }
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    if (!picture.save(path, "JPG", 90)) {
        throw std::runtime_error("cannot write the background picture");
    }
}

PanelDriver::PanelDriver() {
    // The infeasible-speed warning of a 1 ms move would otherwise wait for a click.
    ModalMessageBox::interceptWith([](const QString&) {});
    window_.startUp(backgroundPicturePath());
    window_.show();
    if (!QTest::qWaitForWindowExposed(&window_)) {
        throw std::runtime_error("the window was never shown");
    }
    motionTimer_ = window_.findChild<QTimer*>(QStringLiteral("Timer1"));
    if (motionTimer_ == nullptr) {
        throw std::runtime_error("the window has no Timer1");
    }
}

PanelDriver::~PanelDriver() {
    ModalMessageBox::interceptWith({});
}

QString PanelDriver::platform() const {
    const QString name = QGuiApplication::platformName();
    return name == QLatin1String("xcb") ? QStringLiteral("Xvfb") : name;
}

void PanelDriver::type(const char* box, const QString& text) {
    window_.findChild<QLineEdit*>(QString::fromLatin1(box))->setText(text);
}

void PanelDriver::press(const char* button) {
    window_.findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

void PanelDriver::openDrawingArea() {
    move(QStringLiteral("599"), 1);
}

MoveRecord PanelDriver::move(const QString& speed, int steps) {
    const double pos = window_.actuator().position();
    const double towards = pos < 1.7 ? 1.0 : -1.0;
    const double target = pos + towards * steps * 0.001;
    MoveRecord record;
    record.tickNs.reserve(static_cast<std::size_t>(steps) + 64);
    QEventLoop loop;
    // Connected after the window's own handler, so each time is taken just after the
    // tick's work; the timer is inactive after the tick that ends the move.
    const auto connection = QObject::connect(motionTimer_, &QTimer::timeout, &loop, [&] {
        record.tickNs.push_back(nowNs());
        if (record.tickNs.size() == 1) {
            record.cpuAtFirstUs = processCpuMicros();
        }
        if (!motionTimer_->isActive()) {
            record.cpuAtLastUs = processCpuMicros();
            loop.quit();
        }
    });
    type("mtrspd", speed);
    type("target", numberText(target, QLocale()));
    press("retract");
    loop.exec();
    QObject::disconnect(connection);
    return record;
}
