// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "panel/panel_style.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <algorithm>
#include <array>
#include <cstdlib>

namespace {

struct Place {
    const char* name;
    int left;
    int top;
    int width;
    int height;
};

constexpr std::array kPlaces{
    Place{"mtrspd", 4200, 1920, 1695, 375},    Place{"Text3", 7080, 3600, 1695, 375},
    Place{"Text2", 7080, 1920, 1695, 375},     Place{"Picture1", 2520, 5160, 4695, 15},
    Place{"Text1", 1200, 240, 6975, 615},      Place{"save", 2040, 3840, 1215, 495},
    Place{"pressure", 7440, 5160, 1575, 2010}, Place{"position", 840, 5160, 1455, 2010},
    Place{"target", 1320, 1920, 1575, 375},    Place{"stop", 4320, 2760, 1215, 495},
    Place{"reset", 4560, 3840, 735, 855},      Place{"retract", 1800, 2760, 1575, 495},
    Place{"Label6", 7440, 4680, 1575, 615},    Place{"Label5", 840, 4680, 1455, 495},
    Place{"Label4", 4080, 1320, 1935, 495},    Place{"Image2", 3120, 5280, 3000, 2250},
    Place{"Image1", 3240, 7680, 3000, 285},    Place{"Label3", 6960, 3000, 1935, 495},
    Place{"Label2", 6960, 1320, 1935, 495},    Place{"Label1", 1200, 1320, 1815, 495},
};

QFont fontOf(const QStringList& families, double points, bool bold, bool italic) {
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace

QRect twipsToPixels(int left, int top, int width, int height) {
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
            height / kTwipsPerPixel};
}

bool placeControl(QWidget& widget) {
    for (const Place& place : kPlaces) {
        if (widget.objectName() == QLatin1String(place.name)) {
            widget.setGeometry(twipsToPixels(place.left, place.top, place.width, place.height));
            return true;
        }
    }
    return false;
}

QFont panelFont(bool bold, bool italic) {
    return fontOf({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")}, 8.25, bold, italic);
}

QFont numberFont(const QLocale& locale) {
    QFont font = panelFont();
    const QString separator = locale.decimalPoint();
    if (std::all_of(separator.begin(), separator.end(),
                    [](QChar c) { return c.unicode() < 0x80; })) {
        font.setStyleStrategy(QFont::PreferNoShaping);
    }
    return font;
}

QFont titleFont() {
    return fontOf({QStringLiteral("Garamond"), QStringLiteral("EB Garamond")}, 20.25, true, false);
}

namespace {

// A text colour shows on a background when their greys lie at least half the range apart.
bool showsOn(const QColor& text, const QColor& background) {
    return std::abs(qGray(text.rgb()) - qGray(background.rgb())) >= 128;
}

// The toolkit's colours, with the widget's own background and text colours fixed in them.
// Where no text colour is given, the toolkit's is kept as long as it shows on the
// background: a dark desktop's light text would vanish on the white input boxes, so there
// the text turns black (or white on a dark background).
void applyColours(QWidget& widget, const QColor& background, const QColor& text) {
    QPalette palette = QApplication::palette(&widget);
    palette.setResolveMask(0);
    for (const auto role : {QPalette::Base, QPalette::Window}) {
        palette.setColor(role, background);
    }
    QColor shown = text;
    if (!shown.isValid() && !showsOn(palette.color(QPalette::Text), background)) {
        shown = qGray(background.rgb()) >= 128 ? Qt::black : Qt::white;
    }
    if (shown.isValid()) {
        palette.setColor(QPalette::Text, shown);
        palette.setColor(QPalette::WindowText, shown);
    }
    widget.setPalette(palette);
}

// Chooses the text colour again when the toolkit's palette changes, as it does when the
// desktop turns dark or light while the panel is open. Qt tells only the window of a new
// application palette; each control learns of it as a change of its own palette, which
// choosing the colour again changes once more, so that change is not answered.
class TextColourKeeper final : public QObject {
public:
    static constexpr const char* kName = "textColourKeeper";

    explicit TextColourKeeper(QWidget& widget) : QObject(&widget) {
        setObjectName(QLatin1String(kName));
        widget.installEventFilter(this);
    }

    // Qt calls it for every event of the watched widget, through the virtual function table.
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool paletteChanged = event->type() == QEvent::PaletteChange ||
                                    event->type() == QEvent::ApplicationPaletteChange;
        if (paletteChanged && !choosing_) {
            choosing_ = true;
            auto& widget = *static_cast<QWidget*>(watched);
            applyColours(widget, widget.palette().color(QPalette::Base), {});
            choosing_ = false;
        }
        return false;
    }

private:
    bool choosing_ = false;
};

} // namespace

void paintColours(QWidget& widget, const QColor& background, const QColor& text) {
    applyColours(widget, background, text);
    auto* keeper = widget.findChild<QObject*>(QLatin1String(TextColourKeeper::kName),
                                              Qt::FindDirectChildrenOnly);
    if (text.isValid()) {
        delete keeper;
    } else if (!keeper) {
        new TextColourKeeper(widget);
    }
    widget.setAutoFillBackground(true);
}
