// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// Fuzz target for the number texts: any bytes are read as an operator's text and as raw
// doubles. Nothing may crash, and every text that numberText prints for a finite value
// must read back, with parseNumber, as a value that prints as the same text: the panel
// reads its own readouts and defaults back as input.
#include "model/actuator.h"
#include "model/numbers.h"

#include <QLocale>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void require(bool holds, const char* what, const QString& detail) {
    if (!holds) {
        std::fprintf(stderr, "invariant broken: %s [%s]\n", what, qPrintable(detail));
        std::abort();
    }
}

// Locales whose separators and signs differ from C's: a decimal comma, a group separator
// that is a no-break space, a minus that is not ASCII, and digits that are not ASCII.
// The digit '0' picks the first, so that seeds can be written as plain text.
const QLocale& pickLocale(std::uint8_t selector) {
    static const std::array<QLocale, 7> locales = {
        QLocale::c(),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::Swedish, QLocale::Sweden),
        QLocale(QLocale::Arabic, QLocale::Egypt),
        QLocale(QLocale::Persian, QLocale::Iran),
    };
    return locales[static_cast<std::uint8_t>(selector - '0') % locales.size()];
}

void checkRoundTrip(double value, const QLocale& locale) {
    if (!std::isfinite(value)) {
        return;
    }
    const QString text = numberText(value, locale);
    const auto readBack = parseNumber(text, locale);
    require(readBack.has_value(), "numberText prints a text parseNumber refuses", text);
    require(numberText(*readBack, locale) == text, "a number text does not read back as itself",
            text + QStringLiteral(" -> ") + numberText(*readBack, locale));
}

// The period of a speed text is a whole, non-negative number of milliseconds that a timer
// can hold, and comes from the speed exactly as the text reads.
void checkPeriod(const QString& text, const QLocale& locale) {
    const auto period = Actuator::motionPeriod(text, locale);
    if (!period) {
        return;
    }
    const auto speed = parseNumber(text, locale);
    require(speed && *speed > 0.0, "a period for a speed that cannot drive a move", text);
    require(*period >= 0, "a negative period", text);
    require(*period == roundHalfEven(60.0 / (*speed * 0.2)), "a period off its speed", text);
}

void checkText(const QString& text, const QLocale& locale) {
    checkPeriod(text, locale);
    const auto value = parseNumber(text, locale);
    if (!value) {
        return;
    }
    require(std::isfinite(*value), "parseNumber gives a value that is not finite", text);
    checkRoundTrip(*value, locale);
    toInt16(*value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const QLocale& locale = pickLocale(data[0]);
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const auto length = static_cast<qsizetype>(size - 1);

    checkText(QString::fromUtf8(bytes, length), locale);
    checkText(QString::fromLatin1(bytes, length), locale);
    for (std::size_t at = 1; at + sizeof(double) <= size; at += sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data + at, sizeof value);
        checkRoundTrip(value, locale);
        toInt16(value);
    }
    return 0;
}
