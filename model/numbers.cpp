// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "model/numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

double roundHalfEven(double value) {
    // The default floating-point environment rounds to nearest, ties to even.
    return std::nearbyint(value);
}

std::int16_t toInt16(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double lowest = std::numeric_limits<std::int16_t>::min();
    constexpr double highest = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(std::clamp(roundHalfEven(value), lowest, highest));
}

namespace {

std::optional<double> readWith(const QLocale& locale, const QString& text) {
    QLocale reader = locale;
    reader.setNumberOptions(reader.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = reader.toDouble(text, &ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

// The form numberText writes: ASCII digits and signs, an E exponent and the locale's
// decimal separator. Locales whose own exponent is not E ("×10^" in Swedish since Qt 6.8)
// or whose minus sign is not ASCII would otherwise refuse the panel's own texts.
std::optional<double> readPanelForm(const QString& text, const QLocale& locale) {
    const QString separator = locale.decimalPoint();
    if (separator != QLatin1String(".") && text.contains(QLatin1Char('.'))) {
        return std::nullopt; // a point is a group separator there, never a decimal one
    }
    return readWith(QLocale::c(), QString(text).replace(separator, QLatin1String(".")));
}

} // namespace

std::optional<double> parseNumber(const QString& text, const QLocale& locale) {
    const QString trimmed = text.trimmed();
    if (const auto value = readWith(locale, trimmed)) {
        return value;
    }
    return readPanelForm(trimmed, locale);
}

QString numberText(double value, const QLocale& locale) {
    if (value == 0.0) {
        return QStringLiteral("0"); // also for -0.0
    }
    // Near the largest double, 15 digits round up past it ("1.79769313486232E+308") to a
    // text that reads as an overflow; those few values show as the largest text that reads.
    constexpr double kLargestReadable = 1.79769313486231e308;
    const double shown =
        std::isfinite(value) ? std::clamp(value, -kLargestReadable, kLargestReadable) : value;
    // std::to_chars ignores the C library's locale, which Qt sets from the environment.
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), shown,
                                      std::chars_format::general, 15);
    QString text = QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
    text.replace(QLatin1Char('e'), QLatin1Char('E'));
    return localizedDecimal(text, locale);
}

QString localizedDecimal(const QString& literal, const QLocale& locale) {
    QString text = literal;
    return text.replace(QLatin1Char('.'), locale.decimalPoint());
}
