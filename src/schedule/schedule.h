#pragma once

#include "number/variant.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kinri {

// The whole schedule behind a loan or a growing sum, period by period: for a loan what each
// payment is made of (principal and interest) and what is still owed after it (返済予定表), for
// compound and simple interest the total and the interest of each period (明細), with the totals.
//
// Every figure is shown as the program shows its results (three or five decimals, "0" for zero),
// and the columns agree on the screen, not only in binary: a row's principal and interest add up
// to its payment as displayed, each principal is the fall of the displayed balance, and the
// principal repays the loan to the last displayed unit. Where a column is what the calculation
// itself shows — each row of a table, the level payment, the total interest — it is that very
// text. The rounding residue goes where a person expects it: into a row's interest, and in the
// last row into what makes the balance end at zero.
struct Schedule {
    enum class Kind { Loan, Growth };
    Kind kind = Kind::Loan;
    std::string title;                // 「返済予定表」 or 「明細」
    std::vector<std::string> columns; // 「回」「返済額」「うち元金」「うち利息」「残高」
    std::vector<std::vector<std::string>> rows; // the cells as shown, one string per column
    std::vector<std::vector<double>> values;    // the same figures as numbers, for a chart
    std::vector<std::string> totals;            // 「合計」, then a column's total or "" for none
    int decimals = 3;
};

// Whether `item` has a schedule: KAA, KAP, KA2C, KA2P, KA2A, FA and SA.
bool hasSchedule(std::string_view item);

// The schedule of `item` from its inputs as typed (Text1 first). A calculation that fails raises
// the same CalcError as the calculation itself; more than the most rows a table may have is
// CalcErrorReason::RowLimit.
Schedule makeSchedule(std::string_view item, const std::vector<std::string>& inputs);

} // namespace kinri
