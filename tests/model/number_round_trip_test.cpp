// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

// Every text the panel prints for a number must read back as a number that prints the
// same, in any locale: readouts, log entries and the default texts are read as input.
#include "model/numbers.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

using Limits = std::numeric_limits<double>;

struct RoundTripCase {
    const char* name;
    double value;
};

void PrintTo(const RoundTripCase& c, std::ostream* os) {
    *os << c.name;
}

const QLocale kLocales[] = {
    QLocale::c(),
    QLocale(QLocale::German, QLocale::Germany),
    QLocale(QLocale::Swedish, QLocale::Sweden),
    QLocale(QLocale::Arabic, QLocale::Egypt),
    QLocale(QLocale::Persian, QLocale::Iran),
};

class NumberRoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(NumberRoundTrip, TextReadsBackAsItself) {
    for (const QLocale& locale : kLocales) {
        for (const double value : {GetParam().value, -GetParam().value}) {
            const QString text = numberText(value, locale);
            const auto readBack = parseNumber(text, locale);
            EXPECT_TRUE(readBack.has_value())
                << text.toStdString() << " in " << locale.name().toStdString();
            if (!readBack) {
                continue; // the other locales still report
            }
            EXPECT_EQ(numberText(*readBack, locale), text) << locale.name().toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberRoundTrip,
    testing::Values(RoundTripCase{"largest", Limits::max()},
                    RoundTripCase{"below_largest", std::nextafter(Limits::max(), 0.0)},
                    RoundTripCase{"rounds_up_to_largest_text", 1.797693134862315e308},
                    RoundTripCase{"largest_readable_text", 1.79769313486231e308},
                    RoundTripCase{"smallest_normal", Limits::min()},
                    RoundTripCase{"smallest_subnormal", Limits::denorm_min()},
                    RoundTripCase{"residue", 2.1510571102112408e-16},
                    RoundTripCase{"pressure", 5857.984}, RoundTripCase{"position", 0.001}));

TEST(NumberTextNearLargest, ShowsLargestReadableText) {
    EXPECT_EQ(numberText(Limits::max(), QLocale::c()), QStringLiteral("1.79769313486231E+308"));
    EXPECT_EQ(numberText(-Limits::max(), QLocale::c()), QStringLiteral("-1.79769313486231E+308"));
    EXPECT_EQ(numberText(1.7976931348623e308, QLocale::c()),
              QStringLiteral("1.7976931348623E+308"));
}

} // namespace
