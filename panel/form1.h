// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// The operator panel: the one window. It creates the controls at their places, wires
// each control event to its one handler, and runs start-up. The behaviour lives in the
// actuator and the data log.

#include "log/data_log.h"
#include "model/actuator.h"
#include "panel/message_box.h"
#include "panel/qt_controls.h"

#include <QImage>
#include <QWidget>
#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class DrawingArea;

class Form1 : public QWidget {
    Q_OBJECT
public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // Runs once before the window is first shown: the sample period and the background.
    void startUp(const QString& backgroundPath);

    const Actuator& actuator() const { return *actuator_; }
    const PanelTimer& timer1() const { return *Timer1; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void createControls();
    void createLabels();
    void createPictureHolders();
    void wireEvents();
    void orderFocus();
    QLineEdit* addTextBox(const char* name, const QString& text, const QColor& background);
    QPushButton* addButton(const char* name, const QString& caption);
    QListWidget* addList(const char* name);
    QLabel* addLabel(const char* name, const QString& caption, bool italicHeading);

    QImage background_;

    QLineEdit* mtrspd = nullptr;
    QLineEdit* Text3 = nullptr;
    QLineEdit* Text2 = nullptr;
    DrawingArea* Picture1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* save = nullptr;
    QListWidget* pressure = nullptr;
    QListWidget* position = nullptr;
    QLineEdit* target = nullptr;
    QPushButton* stop = nullptr;
    QPushButton* reset = nullptr;
    QPushButton* retract = nullptr;
    QLabel* Image2 = nullptr;
    QLabel* Image1 = nullptr;

    std::unique_ptr<PanelTimer> Timer2;
    std::unique_ptr<PanelTimer> Timer1;
    std::unique_ptr<LineEditBox> targetBox_;
    std::unique_ptr<LineEditBox> speedBox_;
    std::unique_ptr<LineEditBox> positionReadout_;
    std::unique_ptr<LineEditBox> pressureReadout_;
    std::unique_ptr<ListBox> positionLog_;
    std::unique_ptr<ListBox> pressureLog_;
    std::unique_ptr<ModalMessageBox> messages_;
    std::unique_ptr<Actuator> actuator_;
    std::unique_ptr<DataLog> dataLog_;
};
