#include "number/variant.h"
#include "support/gtest_helpers.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace kinri {
namespace {

using enum CalcErrorReason;

Variant text(const char* t) {
    return Variant::fromText(t);
}

// Why `op` raised CalcError, or nothing when it did not.
std::optional<CalcErrorReason> failure(const std::function<Variant()>& op) {
    try {
        (void)op();
    } catch (const CalcError& e) {
        return e.reason();
    }
    return std::nullopt;
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
    EXPECT_EQ(failure([&] { return bad + 1; }), NotANumber);
    EXPECT_EQ(failure([&] { return bad + 1; }), NotANumber); // again: the failure is remembered
}

struct FailureCase {
    const char* what;
    std::function<Variant()> op;
    CalcErrorReason reason;
};

class VariantFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(VariantFailures, RaiseCalcErrorInsteadOfInfOrNan) {
    EXPECT_EQ(failure(GetParam().op), GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(
    CheckedArithmetic, VariantFailures,
    ::testing::Values(
        FailureCase{"division by zero", [] { return Variant(1.0) / 0.0; }, DivisionByZero},
        FailureCase{"zero by zero", [] { return Variant(0.0) / 0.0; }, DivisionByZero},
        FailureCase{"division by negative zero", [] { return Variant(1.0) / -0.0; }, DivisionByZero},
        FailureCase{"negative base, fractional exponent", [] { return power(-8.0, 1.0 / 3.0); },
                    InvalidPower},
        FailureCase{"zero to a negative power", [] { return power(0.0, -1.0); }, InvalidPower},
        FailureCase{"power overflow", [] { return power(10.0, 400.0); }, Overflow},
        FailureCase{"product overflow", [] { return Variant(1e300) * 1e300; }, Overflow},
        FailureCase{"sum overflow", [] { return Variant(1.7e308) + 1.7e308; }, Overflow},
        FailureCase{"quotient overflow", [] { return Variant(1e300) / 1e-300; }, Overflow},
        FailureCase{"log of zero", [] { return naturalLog(0.0); }, LogOfNonPositive},
        FailureCase{"log of a negative number", [] { return naturalLog(-1.0); }, LogOfNonPositive},
        FailureCase{"text not a number", [] { return Variant::fromText("12円") * 2; }, NotANumber},
        FailureCase{"infinite text", [] { return Variant::fromText("1e999") * 1; }, NotANumber}),
    [](const auto& info) { return test::caseName(info.index, info.param.what); });

} // namespace
} // namespace kinri
