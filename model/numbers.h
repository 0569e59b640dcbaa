// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#pragma once
// Conversions between numbers and the texts the panel shows and reads.

#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>

// Nearest integer, halves to the even neighbour (62.5 -> 62, 269.5 -> 270).
double roundHalfEven(double value);

// Rounds half to even into the 16-bit range; values beyond it are clamped, NaN gives 0.
std::int16_t toInt16(double value);

// The number in a text typed by the operator, read in the given locale. Surrounding
// blanks are ignored; group separators, non-numbers and non-finite values give nothing.
// Every text numberText writes reads back in its locale, whatever that locale's own
// exponent symbol and minus sign are.
std::optional<double> parseNumber(const QString& text, const QLocale& locale);

// The text form of a value in readouts and log lists: at most 15 significant digits,
// no trailing zeros, the locale's decimal separator ("5857.984", "0.001", "5860").
// Values below 1e-4 in magnitude take an exponent ("-2.15105711021124E-16").
QString numberText(double value, const QLocale& locale);

// A decimal literal such as "4.8" written with the locale's decimal separator.
QString localizedDecimal(const QString& literal, const QLocale& locale);
