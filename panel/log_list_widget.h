// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// The list widget of a data log. Its entries are one line each, come only at the end, one
// per sample, and go only all at once. A plain list widget repaints every entry it shows
// whenever one is added; this one lays itself out as usual but repaints only the entries
// that were added, as long as nothing else about the view changed since it was last laid
// out. Anything else (a reset, a removal, a resize, a scroll) repaints it whole.

#include <QListWidget>
#include <QPoint>
#include <QSize>
#include <optional>

class LogListWidget : public QListWidget {
public:
    explicit LogListWidget(QWidget* parent) : QListWidget(parent) {}

    void doItemsLayout() override;
    void reset() override;

protected:
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;
    bool viewportEvent(QEvent* event) override;

private:
    struct View {
        QSize viewport;
        QPoint scrolled;
        int rows = 0;
        bool operator==(const View&) const = default;
    };
    View view() const;
    bool onlyAppendedSinceLayout() const;
    void repaintRowsFrom(int first);

    std::optional<View> laidOut_; // as the last layout left the view
    int firstAppended_ = -1;      // the first row added since then, or -1
    bool repaintWhole_ = true;
};
