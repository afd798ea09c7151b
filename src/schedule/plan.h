#pragma once

#include "schedule/schedule.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kinri::plan {

// 返済プラン: a loan repaid month by month with what a borrower may change on the way: 繰上げ返済,
// 金利変更 and ボーナス併用, in one of two roundings.
//
// 円単位, as a bank computes it: every figure is a whole number of yen and every step exact: a
// period's interest is the balance times the annual rate divided by the payments a year, 1 yen
// fractions dropped (切り捨て); the level payment is the annuity of the balance over the payments
// left, fractions dropped too; what the dropped fractions leave is paid with the last payment, so
// that the principal repays the loan to the yen.
//
// The program's rounding, as its schedules show a loan: figures to their places (0.001 yen, KAA's
// 0.00001), each balance the closed form of what is still owed rounded once, never carried from row to row. A
// plan made from a calculation is that calculation's very schedule until its first event. From an event on,
// the rest of the loan is a new loan of the balance: over the payments left (a rate change, 返済額軽減型 and
// every 元金均等 change), or at the same payment until it is repaid (期間短縮型, 元利均等). So every part of
// the plan can be checked with the calculators.

// An amount of money: whole yen, or in the program's rounding a count of its unit (Result::decimals).
using Yen = std::int64_t;

// An annual rate exactly as typed, in billionths: 1.5 % a year is 15,000,000.
struct Rate {
    std::int64_t perBillion = 0;

    // "1.5" (per cent) as typed in a plan's boxes; nothing for a text that is not a rate from 0
    // to 100 % with at most 7 decimals of a per cent.
    static std::optional<Rate> percent(std::string_view text);
    // The per cent as typed back: "1.5".
    std::string percentText() const;
    friend bool operator==(Rate, Rate) = default;
};

// An amount of yen as typed in a plan's boxes: whole, not negative, grouped or not, with or
// without 円 ("1,000,000円"); nothing otherwise.
std::optional<Yen> readYen(std::string_view text);
// The same, or a share of `whole` in per cent ("20%", at most 100 %), fractions of a yen dropped.
std::optional<Yen> readYenOrShare(std::string_view text, Yen whole);

enum class Method : std::uint8_t {
    Level,          // 元利均等: every payment the same
    EqualPrincipal, // 元金均等: every payment repays the same principal, with the interest on top
};

struct Loan {
    Yen amount = 0; // 借入額, the bonus part included
    Rate rate;      // 年利 from the first payment
    int years = 0;  // 返済期間
    int perYear = 12;
    Method method = Method::Level;
    int startYear = 2027; // the first payment's year and month
    int startMonth = 1;
    int payments = 0; // the number of payments where it is not years × perYear (a calculation's loan)
};

enum class Prepay : std::uint8_t {
    ShortenTerm,  // 期間短縮型: the payment stays, the last payments go
    LowerPayment, // 返済額軽減型: the term stays, the payment falls
};

// 繰上げ返済 of `amount` after payment `at` (never more than is owed), once, or again every
// `every` payments while anything is owed.
struct Prepayment {
    int at = 0;
    Yen amount = 0;
    Prepay type = Prepay::ShortenTerm;
    int every = 0;
};

// 金利変更: `rate` for the interest of payment `from` on. The payment is worked out again from
// the balance and the payments left, at once; or, where `fiveYearRule` (元利均等 only), only every
// five years from the first payment and never more than 125 % of the one before, the interest
// the payment does not cover carried as 未払利息 (without interest of its own), paid before any
// principal, and whatever is left at the end paid with the last payment.
struct RateChange {
    int from = 0;
    Rate rate;
    bool fiveYearRule = false;
};

// ボーナス併用: `amount` of the loan repaid by level payments twice a year, in months `months[0]`
// and `months[1]`, at half the annual rate a half-year, the same number of years; the rest by the
// monthly payments. Rate changes reach both parts; a prepayment goes to the monthly part.
struct Bonus {
    Yen amount = 0;
    int months[2] = {6, 12};
};

enum class Rounding : std::uint8_t {
    Yen,     // 円単位: whole yen, interest and the level payment floored, the residue paid last
    Program, // as the program's schedules: to their places, balances from their closed forms
};

struct Plan {
    Loan loan;
    std::vector<Prepayment> prepayments;
    std::vector<RateChange> rateChanges;
    std::optional<Bonus> bonus;
    Rounding rounding = Rounding::Yen;
    // The calculation the loan was taken from. In the program's rounding the plan starts as its
    // schedule, with its loan, rate per payment and number of payments (the loan's own fields are
    // then for the 円単位 plan and the paper only).
    std::shared_ptr<const Calculation> origin;
};

// How many payments the loan is repaid in.
int paymentsOf(const Loan& loan);
// The places of yen the program's rounding keeps: its calculation's (KAA's schedule shows 0.00001
// yen), three otherwise.
int programDecimals(const Plan& plan);

// The loan of a loan calculation (KAA, KAP, KA2C, KA2P, KA2A) as a plan takes it, at twelve
// payments a year: the loan its schedule starts from, to the yen; its rate per payment as a year's
// (to 0.0000001 %); its payments, in whole years where they make them. Nothing for a calculation
// without a loan's schedule. Raises as its schedule does.
std::optional<Loan> loanOf(const Calculation& calculation);

// One month of the plan. A month with a bonus payment adds it to the monthly one.
struct Row {
    int number = 0; // 回: the monthly payment's number, from 1
    int year = 0, month = 0;
    Yen payment = 0;   // 返済額 (a prepayment apart)
    Yen principal = 0; // うち元金
    Yen interest = 0;  // うち利息 (paid; 未払利息 paid later counts when it is paid)
    Yen balance = 0;   // 残高 after the payment and any prepayment
    Yen prepaid = 0;   // 繰上げ返済 made after the payment
    Yen unpaid = 0;    // 未払利息 carried after the payment
    std::string event; // 「繰上げ返済（期間短縮型）1,000,000円」 and the like; "" for none
};

struct Result {
    int decimals = 0;    // the figures' unit: 10^−decimals yen
    Yen opening = 0;     // the loan before the first payment
    std::string problem; // why a plan has no rows, where it is not its inputs
    std::vector<Row> rows;
    Yen totalPaid = 0;     // 総返済額: payments and prepayments
    Yen totalInterest = 0; // 利息総額
    Yen firstPayment = 0;  // 毎月返済額, first and last, a bonus apart
    Yen lastPayment = 0;
};

// The plan's rows and totals. Nothing is ever negative; a plan that cannot be computed (no
// amount, no years, a bonus part not less than the loan; in the program's rounding, a bonus part
// or the five-year rule, which are the lenders' own rules in whole yen) has no rows.
Result run(const Plan& plan);

// Two plans side by side: `after` against `before`.
struct Comparison {
    Yen interestSaved = 0; // 利息軽減額: before's interest less after's
    int monthsSooner = 0;  // 期間短縮: how many months sooner after is repaid
};
Comparison compare(const Result& before, const Result& after);
// `result` in units of 10^−decimals yen, where it has no more places than that: its figures times
// the power of ten between, exactly (a plan to 0.001 yen beside one to 0.00001 yen).
Result inUnitsOf(Result result, int decimals);

// The plan's conditions as its paper and exports carry them, one line each: 「借入額=35,000,000円」,
// 「年利=1.5%」 …, then one line per event.
std::vector<std::string> conditionLines(const Plan& plan);

// The rows as a schedule for the table, the chart and the exports: 回, 返済日, 返済額, うち元金,
// うち利息, 残高, 繰上げ返済, 内容, in the result's units, with the totals; a bonus payment alone has
// no 回.
Schedule asSchedule(const Result& result);

} // namespace kinri::plan
