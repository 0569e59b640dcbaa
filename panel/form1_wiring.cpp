// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// Form1's event wiring, focus order and start-up.
#include "panel/drawing_area.h"
#include "panel/file_locations.h"
#include "panel/form1.h"
#include "panel/panel_style.h"

#include <QImageReader>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTextStream>

void Form1::wireEvents() {
    targetBox_ = std::make_unique<LineEditBox>(*target);
    speedBox_ = std::make_unique<LineEditBox>(*mtrspd);
    positionReadout_ = std::make_unique<LineEditBox>(*Text2);
    pressureReadout_ = std::make_unique<LineEditBox>(*Text3);
    positionLog_ = std::make_unique<ListBox>(*position);
    pressureLog_ = std::make_unique<ListBox>(*pressure);
    messages_ = std::make_unique<ModalMessageBox>(this);
    actuator_ = std::make_unique<Actuator>(
        ActuatorControls{*targetBox_, *speedBox_, *positionReadout_, *pressureReadout_, *Timer1,
                         *Timer2, *messages_, *Picture1});
    dataLog_ = std::make_unique<DataLog>(
        DataLogControls{*positionLog_, *pressureLog_, *Timer1, *messages_}, *actuator_,
        exportFilePath());

    Actuator& drive = *actuator_;
    DataLog& dataLog = *dataLog_;
    connect(retract, &QPushButton::clicked, this, [&drive] { drive.startMove(); });
    connect(stop, &QPushButton::clicked, this, [&drive] { drive.stopMove(); });
    connect(target, &QLineEdit::textChanged, this, [&drive] { drive.targetEdited(); });
    connect(mtrspd, &QLineEdit::textChanged, this, [&drive] { drive.speedEdited(); });
    Timer1->onTick([&drive] { drive.motionTick(); });
    Timer2->onTick([&dataLog] { dataLog.sampleTick(); });
    connect(reset, &QPushButton::clicked, this, [&dataLog] { dataLog.reset(); });
    connect(save, &QPushButton::clicked, this, [&dataLog] {
        dataLog.save();
        deliverExportFile();
    });
}

// Focus walks the controls in the panel's tab order; the labels hold places in it but
// take no focus.
void Form1::orderFocus() {
    // The drawing area takes the focus like any control, by Tab or a click, though it has
    // no keys of its own: with the focus on it, a screen reader announces it.
    Picture1->setFocusPolicy(Qt::StrongFocus);
    QWidget* const chain[] = {retract, reset, stop,     target, position, pressure,
                              save,    Text1, Picture1, Text2,  Text3,    mtrspd};
    for (std::size_t i = 1; i < std::size(chain); ++i) {
        setTabOrder(chain[i - 1], chain[i]);
    }
    retract->setFocus();
}

void Form1::startUp(const QString& backgroundPath) {
    Timer2->setPeriod(2000);
    QImageReader reader(backgroundPath);
    background_ = reader.read();
    if (background_.isNull()) {
        QTextStream(stderr) << "Background picture " << backgroundPath
                            << " not shown: " << reader.errorString() << Qt::endl;
    }
    update();
}

void Form1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), kBackColour);
    if (!background_.isNull()) {
        // Drawn at its own size from the top-left corner, one picture pixel per pixel.
        painter.drawImage(QPoint(0, 0), background_, rect());
    }
}
