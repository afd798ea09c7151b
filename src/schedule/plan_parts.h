#pragma once

// What the two roundings of a plan share: the events' texts, when a prepayment falls, the dates.

#include "schedule/plan.h"

#include <string>

namespace kinri::plan::parts {

// 1,000,000
std::string grouped(Yen yen);
std::string percentText(Rate rate);
// `text` after the row's other events, 「、」 between.
void addEvent(std::string& event, const std::string& text);
// 「繰上げ返済（期間短縮型）1,000,000円」, the amount in units of 10^−decimals yen.
std::string prepaymentText(Prepay type, Yen amount, int decimals = 0);
// 「金利変更 年1.5%」
std::string rateChangeText(Rate rate);

// Whether `p` prepays after payment `k`.
bool prepaysAt(const Prepayment& p, int k);
// The month `year`/`month` counted from year 0.
int monthIndex(int year, int month);
// Payment `k`'s year and month, the first paid in `startMonth` of `startYear`.
void dateRow(Row& row, int k, int startYear, int startMonth, int perYear);
// The totals and the first and last payments, once the rows are in.
void addTotals(Result& result);

// The plan in the program's rounding.
Result runProgram(const Plan& plan);

} // namespace kinri::plan::parts
