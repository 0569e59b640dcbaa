// SPDX-FileCopyrightText: 2026 Actuator Panel contributors
// SPDX-License-Identifier: MIT

#include "model/numbers.h"

#include <gtest/gtest.h>
#include <limits>
#include <utility>

namespace {

struct TextCase {
    double value;
    const char* text;
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << c.text;
}

class NumberTextC : public testing::TestWithParam<TextCase> {};

TEST_P(NumberTextC, FormatsValue) {
    EXPECT_EQ(numberText(GetParam().value, QLocale::c()).toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Values, NumberTextC,
                         testing::Values(TextCase{5860, "5860"}, TextCase{5857.984, "5857.984"},
                                         TextCase{0.001, "0.001"}, TextCase{-0.5, "-0.5"},
                                         TextCase{3844, "3844"}, TextCase{1.0000000000000007, "1"},
                                         TextCase{0.0, "0"}, TextCase{-0.0, "0"},
                                         TextCase{2.9999999999997806, "2.99999999999978"},
                                         TextCase{3.0009999999997805, "3.00099999999978"},
                                         TextCase{0.4990000000000002, "0.499"},
                                         TextCase{-2.1510571102112408e-16, "-2.15105711021124E-16"},
                                         TextCase{1e-5, "1E-05"}, TextCase{0.0001, "0.0001"},
                                         TextCase{123456789012345.0, "123456789012345"},
                                         TextCase{1e15, "1E+15"},
                                         TextCase{5857.9840000000004, "5857.984"}));

TEST(NumberText, FollowsDecimalCommaLocale) {
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(numberText(5857.984, german), QStringLiteral("5857,984"));
    EXPECT_EQ(numberText(123456.5, german), QStringLiteral("123456,5")); // no grouping
    EXPECT_EQ(numberText(-2.1510571102112408e-16, german), QStringLiteral("-2,15105711021124E-16"));
    EXPECT_EQ(localizedDecimal(QStringLiteral("4.8"), german), QStringLiteral("4,8"));
}

struct ParseCase {
    const char* text;
    std::optional<double> value;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << "'" << c.text << "'";
}

class ParseNumberC : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseNumberC, ReadsOrRefuses) {
    EXPECT_EQ(parseNumber(QString::fromUtf8(GetParam().text), QLocale::c()), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseNumberC,
    testing::Values(ParseCase{"4.8", 4.8}, ParseCase{"0.00", 0.0}, ParseCase{" 1.5 ", 1.5},
                    ParseCase{"-0.001", -0.001}, ParseCase{"3.4", 3.4}, ParseCase{"1e2", 100.0},
                    ParseCase{"", std::nullopt}, ParseCase{"   ", std::nullopt},
                    ParseCase{"abc", std::nullopt}, ParseCase{"1.2.3", std::nullopt},
                    ParseCase{"nan", std::nullopt}, ParseCase{"inf", std::nullopt},
                    ParseCase{"-inf", std::nullopt}, ParseCase{"1e999", std::nullopt},
                    ParseCase{"1,000", std::nullopt}, ParseCase{"0x10", std::nullopt}));

TEST(ParseNumber, FollowsDecimalCommaLocale) {
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(parseNumber(QStringLiteral("4,8"), german), 4.8);
    EXPECT_EQ(parseNumber(QStringLiteral("0.5"), german), std::nullopt);
}

struct RoundCase {
    double value;
    double rounded;
};

void PrintTo(const RoundCase& c, std::ostream* os) {
    *os << c.value;
}

class RoundHalfEvenC : public testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfEvenC, RoundsTiesToEven) {
    EXPECT_EQ(roundHalfEven(GetParam().value), GetParam().rounded);
}

INSTANTIATE_TEST_SUITE_P(Values, RoundHalfEvenC,
                         testing::Values(RoundCase{62.5, 62}, RoundCase{268.5, 268},
                                         RoundCase{269.5, 270}, RoundCase{0.5, 0},
                                         RoundCase{1.5, 2}, RoundCase{-0.5, -0.0},
                                         RoundCase{-1.5, -2}, RoundCase{268.79, 269},
                                         RoundCase{62.4999, 62}));

TEST(ToInt16, ClampsAndRounds) {
    for (const auto& [value, place] :
         {std::pair{268.5, 268}, std::pair{40000.0, 32767}, std::pair{-40000.0, -32768},
          std::pair{std::numeric_limits<double>::quiet_NaN(), 0},
          std::pair{std::numeric_limits<double>::infinity(), 32767},
          // Both sides of each end: 32766.5 and 32767.5 round to even, -32768.5 too.
          std::pair{32766.5, 32766}, std::pair{32767.0, 32767}, std::pair{32767.5, 32767},
          std::pair{-32767.5, -32768}, std::pair{-32768.0, -32768}, std::pair{-32768.5, -32768},
          std::pair{-32767.49, -32767}}) {
        EXPECT_EQ(toInt16(value), place) << value;
    }
}

} // namespace
