#include "aid/input_aid.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kinri::aid {
namespace {

using K = InputKind;

// The aid's arithmetic is done on the decimal text: what it shows and what a box gets.
TEST(InputAid, ConvertsAnnualFiguresExactly) {
    struct Case {
        K kind;
        const char* annual;
        int perYear;
        const char* arithmetic; // empty: no conversion
    };
    const Case cases[] = {
        {K::Rate, "1.5", 12, "1.5 % ÷ 100 ÷ 12 = 0.00125"},
        {K::Rate, "3", 4, "3 % ÷ 100 ÷ 4 = 0.0075"},
        {K::Rate, "1", 12, "1 % ÷ 100 ÷ 12 ≈ 0.000833333333333333"},
        {K::GrowthRate, "２", 1, "2 % ÷ 100 = 0.02"},
        {K::Rate, "-0.6", 2, "-0.6 % ÷ 100 ÷ 2 = -0.003"},
        {K::Rate, "2/3", 12, ""},
        {K::Rate, "1e300", 12, "1E+300 % ÷ 100 ÷ 12 ≈ 8.33333333333333E+296"},
        {K::Periods, "30", 12, "30 年 × 12 = 360"},
        {K::Payments, "2.5", 4, "2.5 年 × 4 = 10"},
        {K::Amount, "30", 12, ""},
    };
    for (const Case& c : cases) {
        const auto got = convert(c.kind, c.annual, c.perYear);
        EXPECT_EQ(got ? got->arithmetic : "", c.arithmetic) << c.annual;
        if (got) {
            EXPECT_TRUE(got->arithmetic.ends_with(" " + got->value)) << c.annual;
        }
    }
    // 0.1 % a year in daily periods: 15 significant digits, rounded half away from zero.
    EXPECT_EQ(convert(K::Rate, "0.1", 365)->value, "0.00000273972602739726");
    EXPECT_EQ(annualFigure(K::Rate, "0.00125", 12), "1.5");
    EXPECT_EQ(annualFigure(K::Periods, "100", 12), "");    // 8.333... years: no starting value
    EXPECT_EQ(annualFigure(K::Rate, "0.１Ｅ３09", 1), ""); // 1E+310 %: no number a box can read
}

TEST(InputAid, ReadsBoxesAndHintsAtTheUsualMistake) {
    struct Case {
        K kind;
        const char* box;
        int perYear;
        const char* reading;
        const char* hint; // empty: none
    };
    const Case cases[] = {
        {K::Rate, "0.00125", 12, "1期あたり 0.125 %（毎月なら年 1.5 %）", ""},
        {K::Rate, "0.05", 0, "1期あたり 5 %", ""},
        {K::GrowthRate, "0.002", 4, "1期あたり 0.2 % の増加（四半期ごとなら年 0.8 %）", ""},
        {K::Periods, "360", 12, "360 期（毎月なら 30 年）", ""},
        {K::Payments, "100", 12, "100 回（毎月なら ≈ 8.33333 年）", ""},
        {K::Rate, "5", 12, "1期あたり 500 %（毎月なら年 6000 %）",
         "5 は 1期 500 % として計算します。5 % のつもりなら 0.05"},
        {K::Rate, "1", 0, "1期あたり 100 %", "1 は 1期 100 % として計算します。1 % のつもりなら 0.01"},
        {K::Rate, " 5% ", 0, "% は付けずに小数で入力します（5 % なら 0.05）",
         "5% は % 付きのため数値として読めません。5 % のつもりなら 0.05"},
        {K::Rate, "1.5％", 0, "% は付けずに小数で入力します（5 % なら 0.05）",
         "1.5％ は % 付きのため数値として読めません。1.5 % のつもりなら 0.015"},
        {K::Rate, "abc", 0, "数値として読めません", ""},
        {K::Rate, "0.99", 0, "1期あたり 99 %", ""},
        {K::Periods, "5", 0, "5 期", ""},
        {K::Rate, "  ", 12, "", ""},
        {K::Amount, "5", 12, "", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(reading(c.kind, c.box, c.perYear), c.reading) << c.box;
        const auto h = hint(c.kind, c.box);
        EXPECT_EQ(h ? h->message : "", c.hint) << c.box;
        if (h) {
            EXPECT_TRUE(h->message.ends_with(h->suggestion)) << c.box;
        }
    }
    // Where the periods in a year are known, the annual rate's figure per period is offered.
    const std::tuple<const char*, int, const char*, const char*> rhythms[] = {
        {"1.5", 12,
         "1.5 は 1期 150 % として計算します。年 1.5 % なら 0.00125（毎月）。F4 で年利から入力できます",
         "0.00125"},
        {"5%", 4,
         "5% は % 付きのため数値として読めません。年 5 % なら 0.0125（四半期ごと）。F4 "
         "で年利から入力できます",
         "0.0125"},
        {"5", 12,
         "5 は 1期 500 % として計算します。年 5 % なら ≈ 0.00416666666666667（毎月）。F4 "
         "で年利から入力できます",
         "0.00416666666666667"},
        {"5", 7, "5 は 1期 500 % として計算します。5 % のつもりなら 0.05", "0.05"}, // no rhythm of its own
    };
    for (const auto& [box, perYear, message, suggestion] : rhythms) {
        const auto h = hint(K::Rate, box, perYear);
        ASSERT_TRUE(h.has_value()) << box;
        EXPECT_EQ(h->message, message);
        EXPECT_EQ(h->suggestion, suggestion);
    }
}

// Which box and why, with what was likely meant.
TEST(InputAid, SaysWhyATextIsNoNumber) {
    const std::pair<const char*, const char*> cases[] = {
        {"35,000,000円", "当初借入額：35,000,000円 は数値として読めません（例：35000000）"},
        {"３５００万", "当初借入額：３５００万 は数値として読めません（例：35000000）"},
        {"1.5億", "当初借入額：1.5億 は数値として読めません（例：150000000）"},
        {" \u3000 ", "当初借入額：（空白） は数値として読めません（例：1000000）"},
        {"abc", "当初借入額：abc は数値として読めません（例：1000000）"},
        {"35000000", ""},
    };
    for (const auto& [box, why] : cases)
        EXPECT_EQ(unreadable("当初借入額", box), why) << box;
}

} // namespace
} // namespace kinri::aid
