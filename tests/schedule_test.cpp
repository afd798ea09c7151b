#include "compute/flow.h"
#include "number/number_text.h"
#include "schedule/schedule.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kinri {
namespace {

// A shown figure in units of its last decimal: "1234.560" is 1234560; "0" is 0.
long long units(const std::string& text) {
    long long u = 0;
    for (const char c : text)
        if (c >= '0' && c <= '9') u = u * 10 + (c - '0');
    return text.starts_with('-') ? -u : u;
}

std::string lastWord(const std::string& line) {
    return line.substr(line.find_last_of(' ') + 1);
}

// The schedule behind `item` computed from `inputs`, made as the window makes it: from the
// calculation that succeeded. A calculation that fails has none, and raises its own error here.
Schedule scheduleOf(const char* item, const std::vector<std::string>& inputs) {
    const Outcome out = runCalculation(item, inputs, false);
    if (!out.calculation) throw CalcError(out.error.value_or(CalcErrorReason::NotANumber));
    return makeSchedule(*out.calculation);
}

struct Case {
    const char* item;
    std::vector<std::string> inputs;
    bool whole; // a whole count: the loan ends repaid
};

// The identities of every schedule, over the worked examples, a 30-year mortgage, counts that are
// not whole and a zero rate: columns that the calculation shows are its very texts; principal and
// interest add up to the payment in every row; the principal repays the loan to the last unit.
TEST(Schedule, AgreesWithTheCalculationAndWithItself) {
    const Case cases[] = {
        {"KA2C", {"35000000", "0.00125", "360"}, true}, {"KA2C", {"1000000", "0.01", "12"}, true},
        {"KA2C", {"1000000", "0.01", "12.5"}, false},   {"KA2P", {"88848.79", "0.01", "12"}, true},
        {"KAA", {"1200000", "12", "0.005"}, true},      {"KAA", {"1200000", "2.5", "0.005"}, false},
        {"KAA", {"1200000", "12", "0"}, true},          {"KAP", {"1200000", "12", "0.005"}, true},
        {"KAP", {"35000000", "360", "0.00125"}, true},  {"KA2A", {"88848.79", "0.01", "12"}, true},
        {"KA2A", {"88848.79", "0.01", "2.5"}, false},   {"FA", {"1000", "0.05", "3"}, true},
        {"FA", {"1000", "0.05", "3.7"}, true},          {"SA", {"1000", "0.1", "12"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.item) + " " + c.inputs[0] + " " + c.inputs[1] + " " + c.inputs[2]);
        const Schedule s = scheduleOf(c.item, c.inputs);
        const Outcome out = runCalculation(c.item, c.inputs, false);
        ASSERT_EQ(out.message, Message::None);
        if (!out.listLines.empty() || s.kind == Schedule::Kind::Growth) {
            // The table's rows are a column of the schedule: 返済額 (KAA), 残高 (KA2A), 元利合計.
            const int column = s.column(c.item == std::string("KAA")    ? ColumnMeaning::Payment
                                        : c.item == std::string("KA2A") ? ColumnMeaning::Balance
                                                                        : ColumnMeaning::Total);
            ASSERT_GT(column, 0);
            ASSERT_EQ(s.rows.size(), out.listLines.size());
            for (std::size_t k = 0; k < s.rows.size(); ++k)
                EXPECT_EQ(s.rows[k][static_cast<std::size_t>(column)], lastWord(out.listLines[k]));
        }
        if (s.kind == Schedule::Kind::Growth) continue;
        long long principal = 0, interest = 0;
        for (const auto& row : s.rows) {
            EXPECT_EQ(units(row[2]) + units(row[3]), units(row[1]));
            if (c.item == std::string("KA2C")) {
                EXPECT_EQ(row[1], *out.resultText); // the level payment, every time
            }
            principal += units(row[2]);
            interest += units(row[3]);
        }
        EXPECT_EQ(units(s.totals[2]), principal);
        EXPECT_EQ(units(s.totals[3]), interest);
        if (c.item == std::string("KAP")) {
            EXPECT_EQ(s.totals[3], *out.resultText); // the whole term's interest
        }
        if (c.whole && c.item != std::string("KA2A")) {
            EXPECT_EQ(s.rows.back()[4], "0");
            const std::string loan = c.item == std::string("KA2P") ? *out.resultText : c.inputs[0];
            EXPECT_EQ(principal, units(formatFixed(*parseNumber(loan), s.decimals)));
        }
    }
}

// A calculation that fails yields no calculation to make a schedule of; one that succeeds may still
// have a schedule longer than a table may be.
TEST(Schedule, FailsAsTheCalculationFails) {
    const Case cases[] = {{"KA2C", {"1000000", "0", "12"}, true},
                          {"KA2A", {"88848.79", "0", "12"}, true},
                          {"KAA", {"x", "12", "0.005"}, true},
                          {"FA", {"1", "1e300", "3"}, true}};
    for (const Case& c : cases)
        EXPECT_FALSE(runCalculation(c.item, c.inputs, false).calculation.has_value()) << c.item;
    const Outcome longLoan = runCalculation("KA2C", {"1", "0.01", "10001"}, false);
    ASSERT_TRUE(longLoan.calculation.has_value());
    try {
        makeSchedule(*longLoan.calculation);
        ADD_FAILURE() << "a schedule of 10001 rows";
    } catch (const CalcError& e) {
        EXPECT_EQ(e.reason(), CalcErrorReason::RowLimit);
    }
}

// The seven calculations with a schedule each have what its chart and readers look for: a counter
// first, a line to draw (what is owed, or the sum), and each meaning once; the others have none.
TEST(Schedule, ShapesAreFoundByMeaning) {
    int shapes = 0;
    for (const CatalogueEntry& e : catalogue()) {
        if (!hasSchedule(e.item)) continue;
        ++shapes;
        const Schedule s = scheduleOf(std::string(e.item).c_str(), {"1000", "0.01", "3"});
        EXPECT_EQ(s.columns.size(), scheduleShape(e.item)->columns.size());
        EXPECT_TRUE(s.column(ColumnMeaning::Period) == 0 || s.column(ColumnMeaning::RemainingPayments) == 0);
        EXPECT_TRUE(s.column(ColumnMeaning::Balance) > 0 || s.column(ColumnMeaning::Total) > 0) << e.item;
        for (const ScheduleColumn& c : s.columns)
            EXPECT_EQ(s.columns[static_cast<std::size_t>(s.column(c.meaning))].heading, c.heading) << e.item;
    }
    EXPECT_EQ(shapes, 7);
    EXPECT_TRUE(makeSchedule(*runCalculation("SP", {"1", "0.01", "3"}, false).calculation).rows.empty());
}

} // namespace
} // namespace kinri
