#pragma once

#include "compute/calculation.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kinri {

// What a column of a schedule holds, so that a chart or a reader finds a figure by its meaning,
// never by where the column happens to stand.
enum class ColumnMeaning : std::uint8_t {
    Period,         // 回, 期: the number of the payment or period, counting up from 1
    Payment,        // 返済額: what is paid
    Principal,      // うち元金: the part of the payment that repays the loan
    Interest,       // うち利息: the part of the payment that is interest
    Balance,        // 残高: what is still owed
    Total,          // 元利合計: principal and interest to date
    PeriodInterest, // その期の利息: the interest one period earns
    InterestToDate, // 利息累計: the interest earned so far
    Date,           // 返済日: the year and month of a payment
    Prepaid,        // 繰上げ返済: a prepayment made after the payment
    Event,          // 内容: what changed at that payment
};

struct ScheduleColumn {
    std::string_view heading;
    ColumnMeaning meaning;
};

// The whole schedule behind a loan or a growing sum, period by period: for a loan what each
// payment is made of (principal and interest) and what is still owed after it (返済予定表), for
// compound and simple interest the total and the interest of each period (明細), with the totals.
//
// Every figure is shown as the program shows its results (three or five decimals, "0" for zero),
// and the columns agree on the screen, not only in binary: a row's principal and interest add up
// to its payment as displayed, each principal is the fall of the displayed balance, and the
// principal repays the loan to the last displayed unit. A loan's rows count its payments up from
// 1, and 残高 is what is owed after the row's payment. Each balance is the exact one rounded once
// (never carried forward, which would compound the rounding), so a borrower can check any row on
// its own. Where a column is what the calculation itself shows — each row of a table, the level
// payment, the total interest — it is that very text. The rounding residue goes where a person
// expects it: into a row's interest, never making it negative where the rate is not, and in the
// last row into what makes the balance end at zero. At rate 0 (or one too small to show any
// interest) each payment is all principal, the level share as the calculation shows it, the
// balance is what those payments leave, and the last payment takes the residue.
struct Schedule {
    enum class Kind { Loan, Growth };
    Kind kind = Kind::Loan;
    std::string_view title;                  // 「返済予定表」 or 「明細」
    std::span<const ScheduleColumn> columns; // 「回」「返済額」「うち元金」「うち利息」「残高」
    std::vector<std::vector<std::string>> rows; // the cells as shown, one string per column
    std::vector<std::vector<double>> values;    // the same figures as numbers, for a chart
    std::vector<std::string> totals;            // 「合計」, then a column's total or "" for none
    std::string opening; // a loan's balance before its first payment, as shown; "" for a sum
    int decimals = 3;

    // The index of the column that holds `meaning`; -1 where the schedule has none.
    int column(ColumnMeaning meaning) const;
};

// Which calculations have a schedule, what it is called and what its columns are.
struct ScheduleShape {
    std::string_view item; // the menu entry: "KA2C"
    std::string_view title;
    Schedule::Kind kind;
    std::span<const ScheduleColumn> columns;
};

// The shape of `item`'s schedule; nullptr where it has none (KAA, KAP, KA2C, KA2P, KA2A, FA and
// SA have one).
const ScheduleShape* scheduleShape(std::string_view item);
bool hasSchedule(std::string_view item);

// The schedule behind a calculation that succeeded, from its inputs as typed and the value it
// computed. An arithmetic step that fails raises CalcError as the calculation would; more rows
// than a table may have is CalcErrorReason::RowLimit. Empty for an entry without a schedule.
Schedule makeSchedule(const Calculation& calculation);

// A figure counted in units of its last shown decimal (0.001 yen for a loan), so that sums and
// differences of shown figures are exact.
using Units = __int128;

// One payment of a loan in units: what is paid, its principal and interest, and what is owed after.
struct LoanFigures {
    Units payment = 0, principal = 0, interest = 0, balance = 0;
};

// The rows of a loan's schedule as figures, for a plan made from the calculation: the loan, its rate
// per payment as the calculation read it, and the rows exactly as its schedule shows them. Raises
// as makeSchedule does; no rows for a calculation that is not a loan.
struct LoanRows {
    Units opening = 0;
    double ratePerPayment = 0;
    int decimals = 3;
    std::vector<LoanFigures> rows;
};
LoanRows loanRows(const Calculation& calculation);

// A loan's rows from each payment and the balance after it, as every schedule settles them: the
// principal is the fall of the balance, the interest the rest of the payment, never negative where
// the rate is not; at rate 0 no interest at all; the last payment (balance 0) takes the residue.
struct LoanStep {
    Units payment = 0, balance = 0;
};
std::vector<LoanFigures> settleLoan(std::span<const LoanStep> steps, Units opening, double rate);

// `value` rounded once to units of `decimals` places, half away from zero; CalcError beyond 10^30.
Units unitsOfExact(long double value, int decimals);
// A figure in units as shown: "1234.500", "0" for zero.
std::string shownUnits(Units units, int decimals);

} // namespace kinri
