// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "panel/log_list_widget.h"

#include <QEvent>
#include <QScrollBar>
#include <algorithm>

void LogListWidget::doItemsLayout() {
    const bool onlyAppended = onlyAppendedSinceLayout();
    const int first = firstAppended_;
    firstAppended_ = -1;
    repaintWhole_ = false;
    if (!onlyAppended) {
        QListWidget::doItemsLayout();
        laidOut_ = view();
        return;
    }
    // The layout ends by asking for a repaint of the whole view; with entries that only
    // came at the end, the ones above them stay where they were and look as they did.
    const View before = view();
    viewport()->setAttribute(Qt::WA_UpdatesDisabled, true);
    QListWidget::doItemsLayout();
    viewport()->setAttribute(Qt::WA_UpdatesDisabled, false);
    laidOut_ = view();
    if (laidOut_->viewport != before.viewport || laidOut_->scrolled != before.scrolled) {
        viewport()->update(); // a scroll bar came or went
    } else {
        repaintRowsFrom(first);
    }
}

void LogListWidget::reset() {
    repaintWhole_ = true;
    QListWidget::reset();
}

void LogListWidget::rowsInserted(const QModelIndex& parent, int start, int end) {
    if (end == count() - 1 && !parent.isValid()) {
        firstAppended_ = firstAppended_ < 0 ? start : std::min(firstAppended_, start);
    } else {
        repaintWhole_ = true;
    }
    QListWidget::rowsInserted(parent, start, end);
}

void LogListWidget::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
    repaintWhole_ = true;
    QListWidget::rowsAboutToBeRemoved(parent, start, end);
}

// Until the layout has run, the view has forgotten where its entries go; a paint in
// between shows none of them, so the next layout must repaint everything.
bool LogListWidget::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Paint && firstAppended_ >= 0) {
        repaintWhole_ = true;
    }
    return QListWidget::viewportEvent(event);
}

LogListWidget::View LogListWidget::view() const {
    return {viewport()->size(),
            QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()), count()};
}

bool LogListWidget::onlyAppendedSinceLayout() const {
    if (repaintWhole_ || firstAppended_ < 0 || !laidOut_) {
        return false;
    }
    const View now = view();
    return laidOut_->rows == firstAppended_ && laidOut_->viewport == now.viewport &&
           laidOut_->scrolled == now.scrolled;
}

void LogListWidget::repaintRowsFrom(int first) {
    const QRect shown = viewport()->rect();
    for (int row = first; row < count(); ++row) {
        const QRect place = visualItemRect(item(row));
        if (!place.intersects(shown)) {
            break; // this entry and all after it lie below the view
        }
        viewport()->update(place);
    }
}
