// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// The web build's copy of the panel in the page. It is made once from the window's widgets,
// in their tab order with the title first, and follows them through their signals: the
// boxes' texts, the lists' entries, the drawing's words and the message box. Nothing in it
// is spoken on its own but the message box, an alert dialog that takes the focus; a
// readout that changes on every tick is read when the operator asks for it.
#include "panel/drawing_area.h"
#include "panel/page_readings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTimer>
#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <string>

using emscripten::val;

namespace {

// In page_readings.js: one listener for the whole copy, which sends each press or edit to
// pageReadingsAct.
extern "C" void listen_to_readings();

std::string utf8(const QString& text) {
    return text.toStdString();
}

val newElement(const char* tag, const val& parent) {
    val element = val::global("document").call<val>("createElement", std::string(tag));
    parent.call<void>("appendChild", element);
    return element;
}

void setAttribute(const val& element, const char* name, const QString& value) {
    element.call<void>("setAttribute", std::string(name), utf8(value));
}

void setText(val& element, const QString& text) {
    element.set("textContent", utf8(text));
}

QString elementId(const QWidget& widget) {
    return QStringLiteral("reading-") + widget.objectName();
}

// The element that has the keyboard focus, inside the shadow trees Qt draws in.
val focusedElement() {
    val focused = val::global("document")["activeElement"];
    while (!focused.isNull() && !focused["shadowRoot"].isNull() &&
           !focused["shadowRoot"]["activeElement"].isNull()) {
        focused = focused["shadowRoot"]["activeElement"];
    }
    return focused;
}

// Qt's own elements for screen readers would stand beside the copy with no word of the
// panel: a button in each window that turns Qt's bridge on, and the text box its input
// method types into. They are hidden from screen readers; the focused canvas, where the
// keys go, stays as it is.
void hideQtsOwnElements() {
    const val document = val::global("document");
    const val host = document.call<val>("getElementById", std::string("qt-shadow-container"));
    if (!host.isNull() && !host["shadowRoot"].isNull()) {
        const val buttons = host["shadowRoot"].call<val>(
            "querySelectorAll", std::string(".qt-window-a11y-container > button"));
        for (int i = 0; i < buttons["length"].as<int>(); ++i) {
            buttons[i].set("hidden", true);
        }
    }
    const val inputs =
        document["body"].call<val>("querySelectorAll", std::string(":scope > input"));
    for (int i = 0; i < inputs["length"].as<int>(); ++i) {
        setAttribute(inputs[i], "aria-hidden", QStringLiteral("true"));
    }
}

class PageReadings : public QObject {
public:
    explicit PageReadings(QWidget& window);
    void act(const QString& control, const QString& value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addControl(const QWidget& control);
    void addTitle(const QLineEdit& title);
    void addButton(const QAbstractButton& button);
    void addBox(const QLineEdit& box, const QString& caption);
    void addList(const QListWidget& list, const QString& caption);
    void addDrawing(const DrawingArea& drawing);
    void addMessageDialog();
    void refreshDrawing();
    void openMessage(const QMessageBox& box);
    void closeMessage();

    QWidget& window_;
    QHash<const QWidget*, QString> captions_; // each caption by the control it names
    val root_;
    const DrawingArea* drawing_ = nullptr;
    val drawingImage_ = val::null();
    QString drawingText_;
    val dialog_ = val::null();
    val dialogTitle_ = val::null();
    val dialogText_ = val::null();
    val dialogOk_ = val::null();
    val focusBefore_ = val::null();
};

PageReadings* readings = nullptr;

void act(const std::string& control, const std::string& value) {
    if (readings != nullptr) {
        readings->act(QString::fromStdString(control), QString::fromStdString(value));
    }
}

PageReadings::PageReadings(QWidget& window)
    : QObject(&window), window_(window),
      root_(val::global("document").call<val>("createElement", std::string("section"))) {
    root_.set("id", std::string("readings"));
    root_.set("className", std::string("readings"));
    setAttribute(root_, "aria-label", window.windowTitle());
    val::global("document")["body"].call<void>("appendChild", root_);

    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->buddy() != nullptr) {
            captions_.insert(label->buddy(), label->text());
        }
    }
    // Round the focus chain from the control that has the focus at start, the first of the
    // tab order.
    QWidget* const first = window.focusWidget() != nullptr ? window.focusWidget() : &window;
    QWidget* control = first;
    do {
        addControl(*control);
        control = control->nextInFocusChain();
    } while (control != first);
    addMessageDialog();
    qApp->installEventFilter(this);
    listen_to_readings();
    hideQtsOwnElements();
}

void PageReadings::addControl(const QWidget& control) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) {
        addButton(*button);
    } else if (const auto* box = qobject_cast<const QLineEdit*>(&control)) {
        // The one box without a caption is the panel's title.
        captions_.contains(box) ? addBox(*box, captions_.value(box)) : addTitle(*box);
    } else if (const auto* list = qobject_cast<const QListWidget*>(&control)) {
        addList(*list, captions_.value(list));
    } else if (const auto* drawing = qobject_cast<const DrawingArea*>(&control)) {
        addDrawing(*drawing);
    }
}

void PageReadings::addTitle(const QLineEdit& title) {
    val heading = val::global("document").call<val>("createElement", std::string("h1"));
    setText(heading, title.text());
    root_.call<void>("prepend", heading);
}

void PageReadings::addButton(const QAbstractButton& button) {
    val element = newElement("button", root_);
    element.set("type", std::string("button"));
    setAttribute(element, "data-control", button.objectName());
    setText(element, button.text());
}

void PageReadings::addBox(const QLineEdit& box, const QString& caption) {
    val label = newElement("label", root_);
    label.set("htmlFor", utf8(elementId(box)));
    setText(label, caption);
    val input = newElement("input", root_);
    input.set("id", utf8(elementId(box)));
    input.set("type", std::string("text"));
    input.set("readOnly", box.isReadOnly());
    input.set("value", utf8(box.text()));
    setAttribute(input, "data-control", box.objectName());
    connect(&box, &QLineEdit::textChanged, this, [this, input](const QString& text) mutable {
        if (QString::fromStdString(input["value"].as<std::string>()) != text) {
            input.set("value", utf8(text));
        }
        refreshDrawing();
    });
}

void PageReadings::addList(const QListWidget& list, const QString& caption) {
    val heading = newElement("h2", root_);
    heading.set("id", utf8(elementId(list) + QStringLiteral("-caption")));
    setText(heading, caption);
    val entries = newElement("ul", root_);
    entries.set("id", utf8(elementId(list)));
    setAttribute(entries, "aria-labelledby", elementId(list) + QStringLiteral("-caption"));
    const QAbstractItemModel* model = list.model();
    const auto insert = [model, entries](const QModelIndex&, int first, int last) {
        for (int row = first; row <= last; ++row) {
            val entry = val::global("document").call<val>("createElement", std::string("li"));
            setText(entry, model->index(row, 0).data().toString());
            entries.call<void>("insertBefore", entry, entries["children"].call<val>("item", row));
        }
    };
    connect(model, &QAbstractItemModel::rowsInserted, this, insert);
    connect(model, &QAbstractItemModel::rowsRemoved, this,
            [entries](const QModelIndex&, int first, int last) {
                for (int row = last; row >= first; --row) {
                    entries["children"].call<val>("item", row).call<void>("remove");
                }
            });
    connect(model, &QAbstractItemModel::modelReset, this, [model, entries, insert] {
        entries.call<void>("replaceChildren");
        insert({}, 0, model->rowCount() - 1);
    });
    insert({}, 0, model->rowCount() - 1);
}

void PageReadings::addDrawing(const DrawingArea& drawing) {
    drawing_ = &drawing;
    drawingImage_ = newElement("div", root_);
    setAttribute(drawingImage_, "role", QStringLiteral("img"));
    refreshDrawing();
}

void PageReadings::addMessageDialog() {
    dialog_ = newElement("div", root_);
    setAttribute(dialog_, "role", QStringLiteral("alertdialog"));
    setAttribute(dialog_, "aria-modal", QStringLiteral("true"));
    setAttribute(dialog_, "aria-labelledby", QStringLiteral("reading-message-title"));
    setAttribute(dialog_, "aria-describedby", QStringLiteral("reading-message-text"));
    dialog_.set("hidden", true);
    dialogTitle_ = newElement("h2", dialog_);
    dialogTitle_.set("id", std::string("reading-message-title"));
    dialogText_ = newElement("p", dialog_);
    dialogText_.set("id", std::string("reading-message-text"));
    dialogOk_ = newElement("button", dialog_);
    dialogOk_.set("type", std::string("button"));
    setAttribute(dialogOk_, "data-control", QStringLiteral("OK"));
}

void PageReadings::refreshDrawing() {
    if (drawing_ == nullptr) {
        return;
    }
    const QString text = drawing_->spokenText();
    if (text != drawingText_) {
        drawingText_ = text;
        setAttribute(drawingImage_, "aria-label", text);
    }
}

void PageReadings::openMessage(const QMessageBox& box) {
    setText(dialogTitle_, box.windowTitle());
    setText(dialogText_, box.text());
    const QAbstractButton* ok = box.button(QMessageBox::Ok);
    setText(dialogOk_, ok != nullptr ? ok->text().remove(QLatin1Char('&')) : QStringLiteral("OK"));
    dialog_.set("hidden", false);
    focusBefore_ = focusedElement();
    dialogOk_.call<void>("focus");
}

void PageReadings::closeMessage() {
    dialog_.set("hidden", true);
    if (!focusBefore_.isNull() && !focusBefore_.isUndefined()) {
        focusBefore_.call<void>("focus");
    }
    focusBefore_ = val::null();
}

// Qt calls it, through the object's virtual function table.
// cppcheck-suppress unusedFunction
bool PageReadings::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Show && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->isWindow()) {
        // Qt makes a window's elements in the page as it shows it.
        QTimer::singleShot(0, this, hideQtsOwnElements);
    }
    if (type == QEvent::Show || type == QEvent::Hide) {
        if (const auto* box = qobject_cast<QMessageBox*>(watched)) {
            type == QEvent::Show ? openMessage(*box) : closeMessage();
        }
    } else if (type == QEvent::Resize && watched == drawing_) {
        refreshDrawing(); // the drawing area opens in steps of its height
    }
    return false;
}

// A press or an edit from the page acts as the operator's own on the widget; while a
// message box is open only its OK acts, as in the window.
void PageReadings::act(const QString& control, const QString& value) {
    QWidget* const modal = QApplication::activeModalWidget();
    if (control == QLatin1String("OK")) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            box->button(QMessageBox::Ok)->click();
        }
        return;
    }
    QWidget* const widget = window_.findChild<QWidget*>(control);
    auto* const button = qobject_cast<QAbstractButton*>(widget);
    auto* const box = qobject_cast<QLineEdit*>(widget);
    if (modal == nullptr && button != nullptr) {
        button->click();
    } else if (modal == nullptr && box != nullptr && !box->isReadOnly()) {
        box->setText(value);
    } else if (box != nullptr) {
        // Refused: the page's box shows the widget's text again.
        val::global("document")
            .call<val>("getElementById", utf8(elementId(*box)))
            .set("value", utf8(box->text()));
    }
}

} // namespace

void keepReadingsInPage(QWidget& window) {
    // Known to the page as Module.pageReadingsAct before the first listener may call it.
    emscripten::function("pageReadingsAct", &act);
    readings = new PageReadings(window);
}
