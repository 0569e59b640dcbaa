// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// In a web browser, the panel is drawn on a canvas, which a screen reader cannot read. The
// web build keeps a copy of the panel in the page, out of sight, made of the page's own
// buttons, text boxes, lists, an image and an alert dialog: every text in it is the
// widget's own, kept up to date, and a press or an edit there goes to the widget. A
// desktop screen reader reads the widgets themselves, so the desktop build has no copy.

class QWidget;

void keepReadingsInPage(QWidget& window);
