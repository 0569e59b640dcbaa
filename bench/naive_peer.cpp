// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "naive_peer.h"

#include "fakes/fake_controls.h"
#include "panel/panel_style.h"

ReadoutTexts readoutTextsOfMove(const QString& speed, const QString& target) {
    FakePanel panel;
    // In the locale the window shows its numbers in.
    Actuator actuator({panel.target, panel.mtrspd, panel.Text2, panel.Text3, panel.Timer1,
                       panel.Timer2, panel.messages, panel.view},
                      QLocale());
    panel.mtrspd.value = speed;
    panel.target.value = target;
    actuator.startMove();
    ReadoutTexts texts;
    while (panel.Timer1.wouldTick()) {
        const int drawn = static_cast<int>(panel.view.drawnAt.size());
        actuator.motionTick();
        if (static_cast<int>(panel.view.drawnAt.size()) == drawn) {
            texts.emplace_back();
        } else {
            texts.emplace_back(std::pair{panel.Text2.value, panel.Text3.value});
        }
    }
    return texts;
}

NaiveReadouts::NaiveReadouts() {
    setWindowTitle(QStringLiteral("Naive readouts"));
    setGeometry(660, 0, 250, 45);
    paintColours(*this, kBackColour);
    position_.setGeometry(8, 10, 113, 25);
    pressure_.setGeometry(129, 10, 113, 25);
    for (QLineEdit* edit : {&position_, &pressure_}) {
        edit->setFont(panelFont());
        paintColours(*edit, QColor(224, 224, 224));
        edit->setReadOnly(true);
        edit->setStyle(&style_);
    }
}

void NaiveReadouts::show(const std::pair<QString, QString>& texts) {
    position_.setText(texts.first);
    pressure_.setText(texts.second);
}

PeerTimer::PeerTimer() {
    setTimerType(Qt::PreciseTimer);
    setInterval(30);
}
