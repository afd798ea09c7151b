#include "number/variant.h"

#include <gtest/gtest.h>

#include <functional>

namespace kinri {
namespace {

Variant text(const char* t) {
    return Variant::fromText(t);
}

TEST(VariantArithmetic, TextMeetsNumbersAsTheDoubleItSpells) {
    EXPECT_DOUBLE_EQ((text("1000") * text("0.05")).number(), 50.0);
    EXPECT_DOUBLE_EQ((1 + text("0.05")).number(), 1.05);
    EXPECT_DOUBLE_EQ((text("１，０００") - 1).number(), 999.0);
    EXPECT_DOUBLE_EQ((-text("3")).number(), -3.0);
    EXPECT_DOUBLE_EQ(power(text("2"), text("10")).number(), 1024.0);
    EXPECT_DOUBLE_EQ(power(-2.0, 3.0).number(), -8.0); // a negative base with a whole exponent is fine
    EXPECT_DOUBLE_EQ(power(0.0, 0.0).number(), 1.0);
    // two texts add as numbers, never as concatenated text
    EXPECT_DOUBLE_EQ((text("1") + text("2")).number(), 3.0);
}

TEST(VariantArithmetic, TextIsConvertedOnlyWhenUsed) {
    const Variant bad = text("abc");
    EXPECT_TRUE(bad.isText());
    EXPECT_EQ(bad.text(), "abc");
    EXPECT_THROW((void)(bad + 1), CalcError);
    EXPECT_THROW((void)(bad + 1), CalcError); // and again: the failure is remembered, not forgotten
}

struct FailureCase {
    const char* what;
    std::function<Variant()> op;
};

class VariantFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(VariantFailures, RaiseCalcErrorInsteadOfInfOrNan) {
    EXPECT_THROW((void)GetParam().op(), CalcError);
}

INSTANTIATE_TEST_SUITE_P(
    CheckedArithmetic, VariantFailures,
    ::testing::Values(FailureCase{"division by zero", [] { return Variant(1.0) / 0.0; }},
                      FailureCase{"zero by zero", [] { return Variant(0.0) / 0.0; }},
                      FailureCase{"division by negative zero", [] { return Variant(1.0) / -0.0; }},
                      FailureCase{"negative base, fractional exponent",
                                  [] { return power(-8.0, 1.0 / 3.0); }},
                      FailureCase{"zero to a negative power", [] { return power(0.0, -1.0); }},
                      FailureCase{"power overflow", [] { return power(10.0, 400.0); }},
                      FailureCase{"product overflow", [] { return Variant(1e300) * 1e300; }},
                      FailureCase{"sum overflow", [] { return Variant(1.7e308) + 1.7e308; }},
                      FailureCase{"quotient overflow", [] { return Variant(1e300) / 1e-300; }},
                      FailureCase{"log of zero", [] { return naturalLog(0.0); }},
                      FailureCase{"log of a negative number", [] { return naturalLog(-1.0); }},
                      FailureCase{"text not a number", [] { return Variant::fromText("12円") * 2; }},
                      FailureCase{"infinite text", [] { return Variant::fromText("1e999") * 1; }}),
    [](const auto& info) {
        std::string name;
        for (char c : std::string(info.param.what))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

} // namespace
} // namespace kinri
