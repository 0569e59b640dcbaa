#include "panel/qt_controls.h"

QString ListBox::at(int index) const {
    const QListWidgetItem* item = list_.item(index);
    return item != nullptr ? item->text() : QString();
}

PanelTimer::PanelTimer(QObject* parent, const QString& name, int periodMs)
    : timer_(new QTimer(parent)), periodMs_(periodMs) {
    timer_->setObjectName(name);
    // A coarse timer may fire up to 5 % early, which would make every move too quick.
    timer_->setTimerType(Qt::PreciseTimer);
}

void PanelTimer::setPeriod(int milliseconds) {
    if (milliseconds == periodMs_) {
        return; // the same period keeps the running count, as a re-press at one speed should
    }
    periodMs_ = milliseconds;
    apply();
}

void PanelTimer::setEnabled(bool enabled) {
    if (enabled == enabled_) {
        return;
    }
    enabled_ = enabled;
    apply();
}

void PanelTimer::onTick(const std::function<void()>& handler) {
    QObject::connect(timer_, &QTimer::timeout, timer_, handler);
}

// Starting the QTimer restarts its count, so the next tick comes one full period later.
void PanelTimer::apply() {
    if (enabled_ && periodMs_ > 0) {
        timer_->start(periodMs_);
    } else {
        timer_->stop();
    }
}
