// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "panel/form1.h"

#include "model/numbers.h"
#include "panel/cached_frame_style.h"
#include "panel/drawing_area.h"
#include "panel/log_list_widget.h"
#include "panel/panel_style.h"
#include "panel/wrapping_button.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {
const QColor kInputColour(255, 255, 255);
const QColor kReadoutColour(224, 224, 224);
const QColor kHeadingColour(128, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QSize kClientArea = twipsToPixels(0, 0, 9630, 8370).size();

// Every control the window creates has a place; a name without one is a mistake in the
// program, and a window with a control out of place must not start.
void place(QWidget& control) {
    if (!placeControl(control)) {
        qFatal("No place for the control %s", qPrintable(control.objectName()));
    }
}
} // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    setFixedSize(kClientArea);
    createControls();
    wireEvents();
    orderFocus();
}

Form1::~Form1() = default;

void Form1::createControls() {
    const QLocale locale;
    createPictureHolders();
    mtrspd = addTextBox("mtrspd", localizedDecimal(QStringLiteral("4.8"), locale), kInputColour);
    Text3 = addTextBox("Text3", localizedDecimal(QStringLiteral("0.00"), locale), kReadoutColour);
    Text2 = addTextBox("Text2", localizedDecimal(QStringLiteral("0.00"), locale), kReadoutColour);
    Picture1 = new DrawingArea(this, QRect(2520, 5160, 4695, 15), *Image2, *Image1);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->readPlaceFrom(Text2);
    Text1 = addTextBox("Text1", QStringLiteral("Interactive Position Control Panel"), kBlack);
    save = addButton("save", QStringLiteral("Save"));
    Timer2 = std::make_unique<PanelTimer>(this, QStringLiteral("Timer2"), 1080);
    Timer1 = std::make_unique<PanelTimer>(this, QStringLiteral("Timer1"), 480);
    pressure = addList("pressure");
    position = addList("position");
    target = addTextBox("target", localizedDecimal(QStringLiteral("0.00"), locale), kInputColour);
    stop = addButton("stop", QStringLiteral("STOP"));
    reset = new WrappingButton(QStringLiteral("Reset List Data"), this);
    reset->setObjectName(QStringLiteral("reset"));
    reset->setFont(panelFont());
    place(*reset);
    retract = addButton("retract", QStringLiteral("Retract/Extend"));
    createLabels();

    Text1->setFont(titleFont());
    // The title has no heading to name it, so a screen reader names it by its text.
    Text1->setAccessibleName(Text1->text());
    paintColours(*Text1, kBlack, kWhite);
    target->setFont(QFont());
    for (QLineEdit* readout : {Text1, Text2, Text3}) {
        readout->setReadOnly(true);
        keepProgramText(*readout);
    }
    // The position and pressure readouts and the lists only ever show number texts.
    for (QWidget* numbers : std::initializer_list<QWidget*>{Text2, Text3, position, pressure}) {
        numbers->setFont(numberFont(locale));
    }
    // The position and pressure readouts change on every motion tick. Made after them, the
    // style is also deleted after them.
    auto* readoutStyle = new CachedFrameStyle;
    readoutStyle->setParent(this);
    Text2->setStyle(readoutStyle);
    Text3->setStyle(readoutStyle);
}

void Form1::createPictureHolders() {
    // The holders only keep the two pictures for the drawing area; they are not shown.
    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(QPixmap(QStringLiteral(":/pictures/fixed.bmp")));
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/moving.bmp")));
    for (QLabel* holder : {Image2, Image1}) {
        place(*holder);
        holder->hide();
    }
}

// The headings are painted on the window itself, beneath every other control.
void Form1::createLabels() {
    const struct {
        const char* name;
        const char* caption;
        bool italicHeading;
        QWidget* names;
    } labels[] = {
        {"Label6", "Pressure Data Log", false, pressure},
        {"Label5", "Position Data Log", false, position},
        {"Label4", "Lead Screw Speed (RPM)", true, mtrspd},
        {"Label3", "Current Pressure (psi)", true, Text3},
        {"Label2", "current position (in.)", true, Text2},
        {"Label1", "Target Position (in)", true, target},
    };
    for (const auto& label : labels) {
        QLabel* heading =
            addLabel(label.name, QString::fromLatin1(label.caption), label.italicHeading);
        heading->setBuddy(label.names);
        label.names->setAccessibleName(heading->text());
    }
}

QLineEdit* Form1::addTextBox(const char* name, const QString& text, const QColor& background) {
    auto* box = new QLineEdit(text, this);
    box->setObjectName(QString::fromLatin1(name));
    box->setFont(panelFont());
    paintColours(*box, background);
    place(*box);
    return box;
}

QPushButton* Form1::addButton(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(panelFont());
    place(*button);
    return button;
}

QListWidget* Form1::addList(const char* name) {
    auto* list = new LogListWidget(this);
    list->setObjectName(QString::fromLatin1(name));
    list->setFont(panelFont());
    list->setSortingEnabled(false);
    // Every entry is one line in one font. Saying so lets the list place a new entry
    // without measuring all the others: with thousands of entries, measuring them all
    // after each sample stalled the window, and with it the motion timer.
    list->setUniformItemSizes(true);
    paintColours(*list, kInputColour);
    place(*list);
    return list;
}

QLabel* Form1::addLabel(const char* name, const QString& caption, bool italicHeading) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(panelFont(true, italicHeading));
    if (italicHeading) {
        paintColours(*label, kHeadingColour, kBackColour);
    } else {
        paintColours(*label, kBlack, kWhite);
    }
    place(*label);
    label->lower();
    return label;
}
