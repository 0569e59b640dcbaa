// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// Places, fonts and colours of the panel's controls. Places are given in twips,
// 1/1440 inch; the panel maps 15 twips to one device-independent pixel.

#include <QColor>
#include <QFont>
#include <QLocale>
#include <QRect>
#include <QWidget>

constexpr int kTwipsPerPixel = 15;

// The window's back colour, dark navy; also the text colour of the boxed headings.
inline const QColor kBackColour(0, 0, 64);

// A rectangle in twips as device-independent pixels.
QRect twipsToPixels(int left, int top, int width, int height);

// Puts `widget` at its place in twips, found by its object name; false for an unknown name.
[[nodiscard]] bool placeControl(QWidget& widget);

// Verdana 8.25 pt, falling back to DejaVu Sans where Verdana is not installed.
QFont panelFont(bool bold = false, bool italic = false);
// The panel font for the readouts and the log lists, which only ever show number texts.
// Where the locale writes those in plain ASCII (digits, sign, E and its decimal separator)
// they are drawn without text shaping, which looks the same and costs far less. A decimal
// separator outside ASCII, such as the Arabic one, may need shaping and keeps it.
QFont numberFont(const QLocale& locale);
// Garamond 20.25 pt bold, falling back to EB Garamond.
QFont titleFont();

// Gives a widget its own background colour and, when valid, its own text colour. Without
// one the text keeps the toolkit's colour, unless that would not show on the background
// (light text of a dark desktop on a white box); then it is black, or white on dark.
void paintColours(QWidget& widget, const QColor& background, const QColor& text = {});
