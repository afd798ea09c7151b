#include "compute/flow.h"
#include "number/number_text.h"
#include "schedule/schedule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>

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
            // The table's rows are a column of the schedule: 返済額 (KAA), 元利合計, or for KA2A
            // (what is owed while i payments remain) the balance before each payment: the loan,
            // then the previous row's 残高.
            const bool ka2a = c.item == std::string("KA2A");
            const int column = s.column(c.item == std::string("KAA") ? ColumnMeaning::Payment
                                        : ka2a                       ? ColumnMeaning::Balance
                                                                     : ColumnMeaning::Total);
            ASSERT_GT(column, 0);
            ASSERT_EQ(s.rows.size(), out.listLines.size());
            for (std::size_t k = 0; k < s.rows.size(); ++k) {
                const std::string& shownBefore = !ka2a    ? s.rows[k][static_cast<std::size_t>(column)]
                                                 : k == 0 ? s.opening
                                                          : s.rows[k - 1][4];
                EXPECT_EQ(shownBefore, lastWord(out.listLines[k]));
                EXPECT_EQ(s.rows[k][0], std::to_string(k + 1)); // payments count up from 1
            }
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
        if (c.whole) {
            EXPECT_EQ(s.rows.back()[4], "0");
            EXPECT_EQ(principal, units(s.opening));
            if (c.item != std::string("KA2A")) {
                const std::string loan = c.item == std::string("KA2P") ? *out.resultText : c.inputs[0];
                EXPECT_EQ(s.opening, formatFixed(*parseNumber(loan), s.decimals));
            }
        }
    }
}

// The exact schedule of a loan, row by row, from the textbook's closed forms in long double (power
// of the discount factor, not the program's logarithms): the balance owed before and after each
// payment, the interest on the one before, the payment.
struct ExactRow {
    long double payment, principal, interest, balance;
};

std::vector<ExactRow> exactSchedule(const std::string& item, long double x, long double y, long double z) {
    std::vector<ExactRow> rows;
    const auto add = [&rows](long double before, long double after, long double interest) {
        rows.push_back({before - after + interest, before - after, interest, after});
    };
    if (item == "KAA" || item == "KAP") { // P, n, r
        const long double share = x / y;
        for (long double i = 1; i <= y; ++i)
            add(x - (i - 1) * share, x - i * share, z * (x - (i - 1) * share));
        return rows;
    }
    const long double r = y;
    const long double v = 1 / (1 + r);
    const long double payment = item == "KA2C" ? r * x / (1 - std::pow(v, z)) : x;
    const auto owed = [&](long double remaining) { return payment * (1 - std::pow(v, remaining)) / r; };
    for (long double i = 1; i <= z; ++i) // KA2A: z payments remain before the first
        add(owed(z - i + 1), owed(z - i), r * owed(z - i + 1));
    return rows;
}

// Every figure of a loan's schedule against the exact one, in units of its last shown decimal,
// over long terms and high rates, a zero rate, and counts that are not whole. A balance is the
// exact one rounded; a principal is the fall of two such balances, and the interest the rest of
// the shown payment, which is itself rounded: so 1.5 units at most. No principal or interest is
// negative, and at rate 0 there is no interest and the last payment takes the residue.
TEST(Schedule, EveryRowWithinItsRoundingOfTheExactValue) {
    for (const char* line :
         {"KA2C 35000000 0.01 10000", "KA2C 1000000 0.05 1000", "KA2C 29056811.75 0.0475649 397",
          "KA2C 10000000 0.0475 600", "KA2C 1000000 0.000001 12.5", "KA2P 10936538 0.0399573 552",
          "KA2P 88848.79 0.01 12", "KA2A 350000 0.01 10000", "KA2A 88848.79 0.0475 600",
          "KA2A 88848.79 0.01 2.5", "KAA 500000 7 0", "KAA 35000000 10000 0.01", "KAA 1000000 3 1e-12",
          "KAP 35000000 600 0.0475", "KAP 1000000 7.5 0.01", "KAP 23795 576 0.00023",
          "KAP 10805 356 0.000313"}) {
        std::istringstream words(line);
        std::string item;
        Case c{nullptr, {"", "", ""}, false};
        words >> item >> c.inputs[0] >> c.inputs[1] >> c.inputs[2];
        c.item = item.c_str();
        const double count = std::stod(c.inputs[item[2] == '2' ? 2 : 1]);
        c.whole = count == std::floor(count);
        SCOPED_TRACE(line);
        const Schedule s = scheduleOf(c.item, c.inputs);
        const std::vector<ExactRow> exact =
            exactSchedule(c.item, std::stold(c.inputs[0]), std::stold(c.inputs[1]), std::stold(c.inputs[2]));
        ASSERT_EQ(s.rows.size(), exact.size());
        const long double scale = std::pow(10.0L, s.decimals);
        const bool rateZero = std::stod(c.inputs[c.item[2] == '2' ? 1 : 2]) < 1e-9; // no interest shows
        for (std::size_t k = 0; k < s.rows.size(); ++k) {
            SCOPED_TRACE("row " + std::to_string(k + 1));
            const auto& row = s.rows[k];
            const auto off = [&](std::size_t column, long double value) {
                return std::fabs(static_cast<long double>(units(row[column])) - value * scale);
            };
            EXPECT_GE(units(row[2]), 0);
            EXPECT_GE(units(row[3]), 0);
            if (rateZero) { // all principal; the level share but in the last payment
                EXPECT_EQ(row[3], "0");
                EXPECT_EQ(row[1], k + 1 < s.rows.size() ? s.rows[0][1] : row[2]);
                continue;
            }
            EXPECT_LE(off(4, exact[k].balance), 0.5L + 1e-6L);
            EXPECT_LT(off(2, exact[k].principal), 1.0L);
            if (c.item == std::string("KAP")) { // the interest to date rounded; the payment the sum
                EXPECT_LT(off(3, exact[k].interest), 1.0L);
                EXPECT_LT(off(1, exact[k].payment), 2.0L);
            } else { // the calculation's payment, rounded; the interest the rest
                EXPECT_LT(off(1, exact[k].payment), 0.5L + 1e-3L);
                EXPECT_LT(off(3, exact[k].interest), 1.5L);
            }
        }
        if (rateZero) {
            EXPECT_EQ(s.totals[1], c.inputs[0] + ".00000"); // the loan, to the last unit
        }
        if (c.whole && c.item == std::string("KAP")) {
            EXPECT_EQ(s.totals[3], *runCalculation(c.item, c.inputs, false).resultText);
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
        EXPECT_EQ(s.column(ColumnMeaning::Period), 0);
        EXPECT_TRUE(s.column(ColumnMeaning::Balance) > 0 || s.column(ColumnMeaning::Total) > 0) << e.item;
        for (const ScheduleColumn& c : s.columns)
            EXPECT_EQ(s.columns[static_cast<std::size_t>(s.column(c.meaning))].heading, c.heading) << e.item;
    }
    EXPECT_EQ(shapes, 7);
    EXPECT_TRUE(makeSchedule(*runCalculation("SP", {"1", "0.01", "3"}, false).calculation).rows.empty());
}

} // namespace
} // namespace kinri
