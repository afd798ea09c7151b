// Every single-value calculation, driven through the compute flow as the window drives it:
// the worked examples, the exact-zero rule and each family's documented failures with their
// reason.
#include "compute/flow.h"
#include "support/gtest_helpers.h"

#include <gtest/gtest.h>

#include <variant>

namespace kinri {
namespace {

using enum CalcErrorReason;

struct Case {
    const char* item;
    std::vector<std::string> inputs;
    std::variant<std::string_view, CalcErrorReason> expected; // result box text, or why it fails
};

std::string name(const ::testing::TestParamInfo<Case>& info) {
    const Case& c = info.param;
    const auto* text = std::get_if<std::string_view>(&c.expected);
    return test::caseName(info.index,
                          std::string(c.item) + "_" +
                              std::string(text ? *text : toString(std::get<CalcErrorReason>(c.expected))));
}

class SingleValue : public ::testing::TestWithParam<Case> {};

TEST_P(SingleValue, ShowsTheExpectedResultBoxText) {
    const Case& c = GetParam();
    const Outcome out = runCalculation(c.item, c.inputs, false);
    if (const auto* reason = std::get_if<CalcErrorReason>(&c.expected)) {
        EXPECT_EQ(out.message, Message::CalculationError);
        EXPECT_EQ(out.error, *reason);
        EXPECT_FALSE(out.resultText.has_value());
    } else {
        EXPECT_EQ(out.message, Message::None);
        EXPECT_FALSE(out.error.has_value());
        ASSERT_TRUE(out.resultText.has_value());
        EXPECT_EQ(*out.resultText, std::get<std::string_view>(c.expected));
    }
    EXPECT_TRUE(out.listLines.empty());
    EXPECT_TRUE(out.printJob.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Simple, SingleValue,
    ::testing::Values(
        Case{"SP", {"1000000", "0.05", "3"}, "150000.000"}, Case{"SP", {"0", "0.05", "3"}, "0"},
        Case{"SP", {"1e200", "1e200", "1e200"}, Overflow}, Case{"SR", {"1150", "1000", "3"}, "0.05000"},
        Case{"SR", {"1150", "0", "3"}, DivisionByZero}, Case{"SR", {"1150", "1000", "0"}, DivisionByZero},
        Case{"SA2", {"1000000", "0.05", "2"}, "900000.000"}, Case{"SA2", {"1000000", "0.5", "2"}, "0"},
        Case{"SR2", {"1000000", "900000", "2"}, "0.05000"}, Case{"SR2", {"0", "900000", "2"}, DivisionByZero},
        Case{"SC", {"900000", "0.05", "2"}, "1000000.000"},
        Case{"SC", {"900000", "0.5", "2"}, DivisionByZero},
        Case{"SR3", {"0.03", "0.04", "0.01", "1"}, "0.35897"},
        Case{"SR3", {"0", "0.04", "0.04", "1"}, DivisionByZero},
        Case{"SP", {"元金", "0.05", "3"}, NotANumber},
        Case{"SP", {"１，０００，０００", "０．０５", "３"}, "150000.000"}),
    name);

INSTANTIATE_TEST_SUITE_P(
    Compound, SingleValue,
    ::testing::Values(
        Case{"FR", {"1157.625", "1000", "3"}, "0.05000"}, Case{"FR", {"1000", "1000", "3"}, "0"},
        Case{"FR", {"1000", "0", "3"}, DivisionByZero}, Case{"FR", {"1000", "1000", "0"}, DivisionByZero},
        Case{"FR", {"-1000", "1000", "2"}, InvalidPower}, // negative base, 1/2 power
        Case{"FR", {"1e300", "1e-300", "0.5"}, Overflow}, Case{"FN", {"2000", "1000", "0.05"}, "14.20670"},
        Case{"FN", {"2000", "1000", "0"}, DivisionByZero},
        Case{"FN", {"2000", "1000", "-1"}, LogOfNonPositive},
        Case{"FN", {"-2000", "1000", "0.05"}, LogOfNonPositive},
        Case{"FN", {"2000", "0", "0.05"}, DivisionByZero}, Case{"FC", {"1157.625", "0.05", "3"}, "1000.000"},
        Case{"FC", {"1000", "-1", "3"}, DivisionByZero}, Case{"FC", {"1000", "-1", "-3"}, InvalidPower},
        Case{"FC", {"1000", "1", "100"}, "0.000"},    // only rounds to zero
        Case{"FC", {"1000", "1", "2000"}, Overflow}), // the power overflows
    name);

INSTANTIATE_TEST_SUITE_P(
    Savings, SingleValue,
    ::testing::Values(
        Case{"TH", {"10000", "12", "0.001"}, "780.000"}, Case{"TH", {"10000", "12", "0"}, "0"},
        Case{"TT", {"120780", "12", "0.001"}, "10000.000"},
        Case{"TT", {"120780", "0", "0.001"}, DivisionByZero},
        Case{"TR", {"120780", "10000", "12"}, "0.00100"}, Case{"TR", {"120000", "10000", "12"}, "0"},
        Case{"TR", {"120780", "0", "12"}, DivisionByZero},
        Case{"TR", {"120780", "10000", "-1"}, DivisionByZero},
        Case{"TA", {"10000", "0.01", "12"}, "126825.030"}, Case{"TA", {"10000", "0", "12"}, DivisionByZero},
        Case{"TA", {"10000", "-2", "0.5"}, InvalidPower}, Case{"TC", {"10000", "0.01", "12"}, "128093.280"},
        Case{"TC", {"10000", "0", "12"}, DivisionByZero},
        Case{"TC2", {"128093.2804332895", "0.01", "12"}, "10000.000"},
        Case{"TC2", {"128093", "0", "12"}, DivisionByZero},
        Case{"TC2", {"128093", "0.01", "0"}, DivisionByZero},
        Case{"TN", {"200000", "0.01", "10000"}, "18.157"},
        Case{"TN", {"200000", "0.01", "0"}, DivisionByZero},
        Case{"TN", {"200000", "-1", "10000"}, LogOfNonPositive},
        Case{"TN", {"200000", "0", "10000"}, DivisionByZero},
        Case{"TA2", {"10000", "0.01", "12", "0.02"}, "142830.932"},
        Case{"TA2", {"10000", "0.02", "12", "0.02"}, DivisionByZero},
        Case{"TA3", {"142830.9320748815", "0.01", "0.02", "12"}, "10000.000"}),
    name);

INSTANTIATE_TEST_SUITE_P(
    Annuity, SingleValue,
    ::testing::Values(Case{"NC", {"100000", "0.05", "10"}, "772173.493"},
                      Case{"NC", {"100000", "0.05", "0"}, "0"},
                      Case{"NC", {"100000", "0.05", "-1"}, "-100000.000"},
                      Case{"NC", {"100000", "0", "10"}, DivisionByZero},
                      Case{"NA", {"1000000", "0.05", "10"}, "129504.575"},
                      Case{"NA", {"1000000", "0.05", "0"}, DivisionByZero},
                      Case{"NA", {"1000000", "0", "10"}, DivisionByZero},
                      Case{"NN", {"100000", "500000", "0.05"}, "5.896"},
                      Case{"NN", {"25000", "500000", "0.05"}, DivisionByZero},   // A = rP
                      Case{"NN", {"20000", "500000", "0.05"}, LogOfNonPositive}, // A < rP
                      Case{"NN", {"100000", "500000", "0"}, DivisionByZero},
                      Case{"NC2", {"100000", "0.02", "0.05", "10"}, "838810.565"},
                      Case{"NC2", {"100000", "0", "0.05", "10"}, "772173.493"}, // = NC
                      Case{"NC2", {"100000", "0.05", "0.05", "10"}, DivisionByZero},
                      Case{"NN2", {"1000000", "100000", "0.02", "0.05"}, "12.304"},
                      Case{"NN2", {"500000", "100000", "0", "0.05"}, "5.896"}, // = NN
                      Case{"NN2", {"1000000", "0", "0.02", "0.05"}, DivisionByZero},
                      Case{"NN2", {"1000000", "100000", "0.05", "0.05"}, DivisionByZero},
                      Case{"NN2", {"1000000", "10000", "0.02", "0.05"}, LogOfNonPositive}),
    name);

INSTANTIATE_TEST_SUITE_P(
    Loans, SingleValue,
    ::testing::Values(Case{"KAP", {"1200000", "12", "0.005"}, "39000.000"},
                      Case{"KA2C", {"1000000", "0.01", "12"}, "88848.789"},
                      Case{"KA2C", {"1000000", "0", "12"}, DivisionByZero},
                      Case{"KA2N", {"88848.79", "1000000", "0.01"}, "12.000"},
                      Case{"KA2N", {"88848.79", "1000000", "0"}, DivisionByZero},
                      Case{"KA2N", {"10000", "1000000", "0.01"}, DivisionByZero},
                      Case{"KA2P", {"88848.79", "0.01", "12"}, "1000000.015"},
                      Case{"KA2P", {"88848.79", "0", "12"}, DivisionByZero},
                      Case{"KA3A", {"1000000", "0.01", "12"}, "120000.000"},
                      Case{"KA3C", {"1000000", "0.01", "12", "12"}, "93333.333"},
                      Case{"KA3C", {"1000000", "0.01", "12", "0"}, DivisionByZero},
                      Case{"KA3R", {"0.01", "12"}, "0.00552"}, Case{"KA3R", {"0.01", "0"}, DivisionByZero},
                      Case{"KA3R", {"0", "12"}, DivisionByZero},
                      Case{"KA4C", {"1000000", "0.01", "0.005", "12"}, "86482.973"},
                      Case{"KA4C", {"1000000", "0.01", "0.01", "12"}, DivisionByZero},
                      Case{"KA4C", {"1000000", "0.01", "0.02", "12"}, "79681.149"},
                      Case{"KA4A", {"86482.97", "0.01", "0.005", "12"}, "999999.960"},
                      Case{"KA4A", {"86482.97", "0.01", "0.01", "12"}, DivisionByZero},
                      Case{"KA4N", {"1000000", "0.01", "0.005", "86482.97"}, "12.000"},
                      Case{"KA4N", {"1000000", "0.01", "0.005", "50000"}, "21.230"},
                      Case{"KA4N", {"1000000", "0.01", "0.01", "86482.97"}, DivisionByZero},
                      Case{"KA4N", {"1000000", "0.01", "0.005", "5000"}, LogOfNonPositive}),
    name);

} // namespace
} // namespace kinri
