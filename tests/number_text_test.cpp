#include "number/number_text.h"
#include "support/gtest_helpers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>

namespace kinri {
namespace {

struct ParseCase {
    const char* text;
    double expected;
};

class ParseAccepts : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseAccepts, ReadsTheNumber) {
    const auto got = parseNumber(GetParam().text);
    ASSERT_TRUE(got.has_value()) << GetParam().text;
    EXPECT_DOUBLE_EQ(*got, GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Conversion, ParseAccepts,
    ::testing::Values(ParseCase{"1000", 1000}, ParseCase{"0.05", 0.05}, ParseCase{"-3", -3},
                      ParseCase{"+3", 3}, ParseCase{".5", 0.5}, ParseCase{"5.", 5}, ParseCase{"1e3", 1000},
                      ParseCase{"2.5E-2", 0.025}, ParseCase{"1E+2", 100}, ParseCase{"  42  ", 42},
                      ParseCase{"\t7", 7}, ParseCase{"1,000", 1000}, ParseCase{"1,234,567.25", 1234567.25},
                      ParseCase{"-12,345", -12345}, ParseCase{"35,000,000", 35e6},
                      ParseCase{"３５，０００，０００．５", 35000000.5},
                      // what the input method types in full-width mode
                      ParseCase{"１，０００．５", 1000.5}, ParseCase{"１２３", 123}, ParseCase{"－５", -5},
                      ParseCase{"＋５", 5}, ParseCase{"\u3000９\u3000", 9}, ParseCase{"１,０００", 1000},
                      ParseCase{"1，000", 1000}, ParseCase{"１ｅ３", 1000}, ParseCase{"−2", -2},
                      ParseCase{"0", 0}, ParseCase{"-0", 0}, ParseCase{"000123", 123}, ParseCase{"1e-400", 0},
                      ParseCase{"0e999999999999", 0},
                      ParseCase{"1.7976931348623157e308", std::numeric_limits<double>::max()}),
    [](const auto& info) { return test::caseName(info.index, info.param.text); });

class ParseRejects : public ::testing::TestWithParam<const char*> {};

TEST_P(ParseRejects, RefusesText) {
    EXPECT_FALSE(parseNumber(GetParam()).has_value()) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Conversion, ParseRejects,
                         ::testing::Values("", " ", "\u3000", "abc", "1a", "a1", "inf", "-inf", "nan",
                                           "infinity", "0x1A", "1.2.3", "+", "-", "+-1", "--1", "1e", "1e+",
                                           "e5", ".", "-.", "1 000", "- 1", "12,34", ",100", "1,,000",
                                           "1000,", "1.000,5", "1,0000", "1e400", "-1e400",
                                           "1e99999999999999999999", "１．２．３", "５円", "ー５", "\xff",
                                           "\xe3\x80", "0,050", "0,000", "00,500", "-0,5", "０，０５０",
                                           "1,00", "１，００"),
                         [](const auto& info) { return test::caseName(info.index, info.param); });

struct FormatCase {
    double value;
    int decimals;
    const char* expected;
};

class FormatFixed : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatFixed, RoundsHalfAwayFromZeroOnFifteenDigits) {
    EXPECT_EQ(formatFixed(GetParam().value, GetParam().decimals), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Formatting, FormatFixed,
    ::testing::Values(FormatCase{150000, 3, "150000.000"}, FormatCase{0.05, 5, "0.05000"},
                      FormatCase{2.6745, 3, "2.675"},                   // binary lies just below the half
                      FormatCase{1000000.0148753675, 3, "1000000.015"}, // 15-digit form ends ...0148754
                      FormatCase{-2.6745, 3, "-2.675"}, FormatCase{0.0005, 3, "0.001"},
                      FormatCase{0.0004999, 3, "0.000"}, FormatCase{-0.0001, 3, "-0.000"},
                      FormatCase{9.9995, 3, "10.000"}, FormatCase{999.9995, 3, "1000.000"},
                      FormatCase{0.000005, 5, "0.00001"}, FormatCase{1.5, 3, "1.500"},
                      FormatCase{0.5, 3, "0.500"}, FormatCase{1e-300, 5, "0.00000"},
                      FormatCase{1e20, 3, "100000000000000000000.000"},
                      FormatCase{123456789012345678.0, 3, "123456789012346000.000"},
                      FormatCase{0.0, 3, "0.000"}, FormatCase{14.206699082890461, 5, "14.20670"}),
    [](const auto& info) { return test::caseName(info.index, info.param.expected); });

TEST(Formatting, HugeValuesPrintEveryDigit) {
    const std::string text = formatFixed(std::numeric_limits<double>::max(), 3);
    EXPECT_EQ(text.size(), 309u + 4u);
    EXPECT_EQ(text.substr(0, 15), "179769313486232");
    EXPECT_EQ(text.find('e'), std::string::npos);
}

TEST(Formatting, ResultZeroRuleAppliesOnlyToExactZero) {
    EXPECT_EQ(formatResult(0.0, 3), "0");
    EXPECT_EQ(formatResult(-0.0, 5), "0");
    EXPECT_EQ(formatResult(1e-9, 3), "0.000");
    EXPECT_EQ(formatResult(1234.5, 3), "1234.500");
}

struct PlainCase {
    double value;
    const char* expected;
};

class PlainNumber : public ::testing::TestWithParam<PlainCase> {};

TEST_P(PlainNumber, ShowsCountersWithoutExponent) {
    EXPECT_EQ(plainNumber(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Formatting, PlainNumber,
                         ::testing::Values(PlainCase{1, "1"}, PlainCase{12, "12"}, PlainCase{10001, "10001"},
                                           PlainCase{2.5, "2.5"}, PlainCase{1.1000000000000001, "1.1"},
                                           PlainCase{1e20, "100000000000000000000"}, PlainCase{0.25, "0.25"},
                                           PlainCase{0.001, "0.001"}, PlainCase{-3.5, "-3.5"},
                                           PlainCase{0, "0"}),
                         [](const auto& info) { return test::caseName(info.index, info.param.expected); });

} // namespace
} // namespace kinri

namespace kinri {
namespace {

// An independent reading of the rule: the C library's correctly rounded 15-significant-digit
// form, then half away from zero at the wanted decimal, done on the decimal string.
std::string referenceFixed(double value, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    std::string digits;
    digits += buf[0];
    digits.append(buf + 2, 14);
    const int exp10 = std::atoi(buf + 17);
    // digits d0..d14 with d0 at 10^exp10; scaled integer = digits with weight >= 10^-decimals
    const int keep = exp10 + decimals + 1;
    std::string scaled;
    if (keep <= 0) {
        scaled = (keep == 0 && digits[0] >= '5') ? "1" : "0";
    } else {
        scaled = keep >= 15 ? digits + std::string(static_cast<std::size_t>(keep - 15), '0')
                            : digits.substr(0, static_cast<std::size_t>(keep));
        if (keep < 15 && digits[static_cast<std::size_t>(keep)] >= '5') {
            int k = static_cast<int>(scaled.size()) - 1;
            for (; k >= 0 && scaled[static_cast<std::size_t>(k)] == '9'; --k)
                scaled[static_cast<std::size_t>(k)] = '0';
            if (k < 0) {
                scaled.insert(scaled.begin(), '1');
            } else {
                ++scaled[static_cast<std::size_t>(k)];
            }
        }
    }
    while (scaled.size() <= static_cast<std::size_t>(decimals))
        scaled.insert(scaled.begin(), '0');
    const std::size_t point = scaled.size() - static_cast<std::size_t>(decimals);
    return (value < 0 ? "-" : "") + scaled.substr(0, point) + "." + scaled.substr(point);
}

TEST(Formatting, AgreesWithTheCLibraryFifteenDigitFormAcrossMagnitudes) {
    std::mt19937_64 rng(20261208);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-8, 17);
    for (int n = 0; n < 200000; ++n) {
        double v = mantissa(rng) * std::pow(10.0, exponent(rng));
        if (n % 3 == 0) v = std::nearbyint(v * 1000.0) / 1000.0 + 0.0005; // near the half of the 3rd decimal
        if (n % 2 == 0) v = -v;
        for (int decimals : {3, 5}) {
            ASSERT_EQ(formatFixed(v, decimals), referenceFixed(v, decimals)) << std::hexfloat << v;
        }
    }
}

} // namespace
} // namespace kinri
