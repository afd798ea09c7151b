// 返済プラン in whole yen: each event against a closed form computed here in floating point (not
// the plan's own integer steps), a worked bank schedule, and the rules every plan keeps. In the
// program's rounding: the calculators' own schedules, before an event and after it.
#include "schedule/plan.h"

#include "compute/flow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

namespace kinri::plan {
namespace {

Rate percent(const char* text) {
    return *Rate::percent(text);
}

Plan loan(Yen amount, const char* rate, int years, Method method = Method::Level, int perYear = 12) {
    Plan plan;
    plan.loan = Loan{amount, percent(rate), years, perYear, method, 2027, 1};
    return plan;
}

// The level payment of `balance` over `count` at `annual` (a fraction), fractions dropped.
Yen closedPayment(double balance, double annual, int count) {
    const double r = annual / 12;
    return static_cast<Yen>(std::floor(balance * r / (1 - std::pow(1 + r, -count))));
}

// What every plan keeps: nothing negative, a row's principal and interest its payment, the
// principal (with the prepayments) the loan to the yen, nothing owed at the end.
void expectSound(const Plan& plan, const Result& result) {
    ASSERT_FALSE(result.rows.empty());
    Yen repaid = 0, interest = 0, paid = 0;
    for (const Row& row : result.rows) {
        EXPECT_GE(std::min({row.payment, row.principal, row.interest, row.balance, row.prepaid, row.unpaid}),
                  0)
            << row.number;
        EXPECT_EQ(row.principal + row.interest, row.payment) << row.number;
        repaid += row.principal + row.prepaid;
        interest += row.interest;
        paid += row.payment + row.prepaid;
    }
    EXPECT_EQ(repaid, plan.loan.amount);
    EXPECT_EQ(result.rows.back().balance, 0);
    EXPECT_EQ(result.rows.back().unpaid, 0);
    EXPECT_EQ(result.totalInterest, interest);
    EXPECT_EQ(result.totalPaid, paid);
}

TEST(Plan, AmountsAndRatesAreReadExactly) {
    const struct {
        const char* text;
        std::optional<Yen> yen;
    } amounts[] = {
        {"35000000", 35'000'000}, {"1,000,000円", 1'000'000}, {" 0 ", 0}, {"-1", {}}, {"1.5", {}}, {"円", {}},
        {"１００", {}},           {"9999999999999999", {}}};
    for (const auto& c : amounts)
        EXPECT_EQ(readYen(c.text), c.yen) << c.text;
    const struct {
        const char* text;
        std::optional<Yen> yen;
    } shares[] = {{"20%", 7'000'000}, {"12.5％", 4'375'000}, {"0.001%", 350}, {"100%", 35'000'000},
                  {"100.5%", {}},     {"-1%", {}},           {"%", {}},       {"5,000,000", 5'000'000}};
    for (const auto& c : shares)
        EXPECT_EQ(readYenOrShare(c.text, 35'000'000), c.yen) << c.text;

    const struct {
        const char* text;
        std::optional<std::int64_t> billionths;
    } cases[] = {{"1.5", 15'000'000}, {"0", 0},   {"100", 1'000'000'000}, {"0.0000001", 1},
                 {"100.1", {}},       {"-1", {}}, {"0.00000001", {}},     {"abc", {}}};
    for (const auto& c : cases) {
        const std::optional<Rate> rate = Rate::percent(c.text);
        EXPECT_EQ(rate ? std::optional(rate->perBillion) : std::nullopt, c.billionths) << c.text;
    }
}

// 100,000 yen at 12 % a year, four quarterly payments, worked by hand: the payment 26,902.70
// dropped to 26,902; each interest the balance × 3 % dropped to the yen; the last payment the rest.
TEST(Plan, WholeYenAsABankWorksIt) {
    const Plan plan = loan(100'000, "12", 1, Method::Level, 4);
    const Result result = run(plan);
    const Yen want[4][4] = {{26902, 23902, 3000, 76098},
                            {26902, 24620, 2282, 51478},
                            {26902, 25358, 1544, 26120},
                            {26903, 26120, 783, 0}};
    ASSERT_EQ(result.rows.size(), 4u);
    for (int k = 0; k < 4; ++k) {
        const Row& row = result.rows[static_cast<std::size_t>(k)];
        EXPECT_EQ((std::array{row.payment, row.principal, row.interest, row.balance}),
                  (std::array{want[k][0], want[k][1], want[k][2], want[k][3]}))
            << k + 1;
        EXPECT_EQ(row.month, 1 + 3 * k);
    }
    EXPECT_EQ(result.totalInterest, 7609);
    EXPECT_EQ(result.totalPaid, 107'609);
    expectSound(plan, result);

    // 元金均等: 25,000 of principal a quarter, the interest on what is still owed.
    const Plan equal = loan(100'000, "12", 1, Method::EqualPrincipal, 4);
    const Result shares = run(equal);
    EXPECT_EQ(shares.rows[0].principal, 25'000);
    EXPECT_EQ(shares.rows[1].interest, 2250); // 75,000 × 3 %
    expectSound(equal, shares);
}

// 35,000,000 yen, 1.5 %, 35 years, 1,000,000 prepaid after five years.
TEST(Plan, PrepaymentShortensTheTermOrLowersThePayment) {
    const Result none = run(loan(35'000'000, "1.5", 35));
    EXPECT_EQ(none.rows.size(), 420u);
    EXPECT_EQ(none.firstPayment, closedPayment(35e6, 0.015, 420)); // 107,164
    for (const Prepay type : {Prepay::ShortenTerm, Prepay::LowerPayment}) {
        Plan plan = loan(35'000'000, "1.5", 35);
        plan.prepayments = {{60, 1'000'000, type, 0}};
        const Result r = run(plan);
        expectSound(plan, r);
        const Row& at = r.rows[59];
        EXPECT_EQ(at.prepaid, 1'000'000);
        EXPECT_EQ(at.balance, none.rows[59].balance - 1'000'000);
        const Comparison c = compare(none, r);
        EXPECT_GT(c.interestSaved, 0);
        if (type == Prepay::ShortenTerm) {
            // The payment stays; the payments left are those of the closed form n = −ln(1 − Br/A) / ln(1 +
            // r).
            EXPECT_EQ(r.rows[60].payment, none.firstPayment);
            const double r12 = 0.015 / 12, b = static_cast<double>(at.balance);
            const double n =
                -std::log(1 - b * r12 / static_cast<double>(none.firstPayment)) / std::log1p(r12);
            EXPECT_EQ(static_cast<double>(r.rows.size() - 60), std::ceil(n));
            EXPECT_EQ(c.monthsSooner, static_cast<int>(420 - r.rows.size()));
        } else {
            EXPECT_EQ(r.rows.size(), 420u);
            EXPECT_EQ(r.rows[60].payment, closedPayment(static_cast<double>(at.balance), 0.015, 360));
            EXPECT_EQ(c.monthsSooner, 0);
        }
    }
    // Every twelve payments, until nothing is owed; the prepayment never exceeds the balance.
    Plan yearly = loan(3'000'000, "2", 10);
    yearly.prepayments = {{12, 500'000, Prepay::ShortenTerm, 12}};
    const Result r = run(yearly);
    expectSound(yearly, r);
    EXPECT_LT(r.rows.size(), 72u);
    EXPECT_LE(r.rows.back().prepaid, 500'000);
}

TEST(Plan, RateChangeRecomputesThePaymentFromTheBalanceAndTermLeft) {
    Plan plan = loan(35'000'000, "0.5", 35);
    plan.rateChanges = {{61, percent("1.5"), false}};
    const Result r = run(plan);
    expectSound(plan, r);
    EXPECT_EQ(r.rows[60].payment, closedPayment(static_cast<double>(r.rows[59].balance), 0.015, 360));
    EXPECT_EQ(r.rows[60].interest, r.rows[59].balance * 15 / 12'000); // 1.5 % / 12 of the balance
    EXPECT_EQ(r.rows.size(), 420u);

    // 元金均等: the principal share stays, the interest follows the rate.
    Plan equal = loan(12'000'000, "1", 10, Method::EqualPrincipal);
    equal.rateChanges = {{13, percent("3"), false}};
    const Result e = run(equal);
    expectSound(equal, e);
    EXPECT_EQ(e.rows[12].principal, e.rows[11].principal);
    EXPECT_EQ(e.rows[12].interest, e.rows[11].balance * 3 / 1200);
}

// 1,000,000 yen at 1 % for ten years; the rate jumps to 15 % from the second payment with the
// five-year and 125 % rules: the payment (8,760) stays for five years although the interest is
// larger, the difference carried as 未払利息; at payment 61 it rises to 125 % at most; the last
// payment clears what is left of the loan and of the unpaid interest.
TEST(Plan, FiveYearAndOneTwentyFivePercentRulesCarryUnpaidInterest) {
    Plan plan = loan(1'000'000, "1", 10);
    plan.rateChanges = {{2, percent("15"), true}};
    const Result r = run(plan);
    expectSound(plan, r);
    const Yen first = r.rows[0].payment;
    EXPECT_EQ(first, closedPayment(1e6, 0.01, 120));
    Yen unpaid = 0;
    for (std::size_t k = 1; k < 60; ++k) {
        const Row& row = r.rows[k];
        EXPECT_EQ(row.payment, first) << k + 1;
        EXPECT_EQ(row.principal, 0) << k + 1;
        unpaid += row.balance * 15 / 1200 - first; // the interest due beyond the payment
        EXPECT_EQ(row.unpaid, unpaid) << k + 1;
    }
    EXPECT_EQ(r.rows[60].payment, first + first / 4);
    EXPECT_GT(r.rows.back().payment, r.rows[60].payment); // the lump at the end
    EXPECT_EQ(r.rows.size(), 120u);
}

// ボーナス併用: the loan splits into a monthly part and a half-yearly part, and the two add up to the
// plan month by month.
TEST(Plan, BonusPaymentsAreASecondScheduleAddedInTheirMonths) {
    Plan plan = loan(35'000'000, "1.5", 35);
    plan.bonus = Bonus{10'000'000, {6, 12}};
    const Result r = run(plan);
    expectSound(plan, r);
    const Result monthly = run(loan(25'000'000, "1.5", 35));
    Plan half = loan(10'000'000, "1.5", 35, Method::Level, 2);
    half.loan.startMonth = 6;
    const Result bonus = run(half);
    EXPECT_EQ(r.totalInterest, monthly.totalInterest + bonus.totalInterest);
    EXPECT_EQ(r.rows.size(), monthly.rows.size());
    int bonusMonths = 0;
    for (const Row& row : r.rows) {
        const bool inBonusMonth = row.month == 6 || row.month == 12;
        bonusMonths += inBonusMonth;
        EXPECT_EQ(row.event.find("ボーナス返済") != std::string::npos, inBonusMonth) << row.number;
    }
    EXPECT_EQ(bonusMonths, 70);
    EXPECT_EQ(r.rows[5].payment, monthly.rows[5].payment + bonus.rows[0].payment);
    EXPECT_EQ(r.firstPayment, monthly.firstPayment);
}

// Every kind of event at once, by either method: the rules still hold to the yen.
TEST(Plan, EventsTogetherKeepEveryRule) {
    for (const Method method : {Method::Level, Method::EqualPrincipal}) {
        Plan plan = loan(35'000'000, "0.5", 35, method);
        plan.loan.startMonth = 4;
        plan.bonus = Bonus{5'000'000, {7, 12}};
        for (int k = 1; k <= 6; ++k)
            plan.prepayments.push_back(
                {k * 24, 300'000, k % 2 ? Prepay::LowerPayment : Prepay::ShortenTerm, 0});
        plan.rateChanges = {
            {61, percent("1"), false}, {181, percent("2.5"), true}, {241, percent("2"), false}};
        const Result r = run(plan);
        expectSound(plan, r);
        EXPECT_EQ(r.rows.front().month, 4);
        EXPECT_LT(compare(run(loan(35'000'000, "0.5", 35, method)), r).interestSaved, 0); // rates rose
    }
}

// What the table, the chart and the exports take: the conditions line by line, the rows in whole
// yen under their meanings, the totals (the prepayments apart from the payments).
TEST(Plan, ConditionsAndRowsAsTheExportsTakeThem) {
    Plan plan = loan(35'000'000, "1.5", 35);
    plan.bonus = Bonus{5'000'000, {7, 12}};
    plan.prepayments = {{60, 1'000'000, Prepay::ShortenTerm, 12}};
    plan.rateChanges = {{121, percent("2.25"), true}};
    EXPECT_EQ(conditionLines(plan),
              (std::vector<std::string>{"借入額=35,000,000円", "年利=1.5%", "返済期間=35年（年12回）",
                                        "返済方法=元利均等", "返済開始=2027年1月",
                                        "端数=円単位（1円未満切り捨て、最終回で精算）",
                                        "ボーナス返済分=5,000,000円（7月・12月）",
                                        "繰上げ返済=60回目のあと 1,000,000円（期間短縮型）、以後 12 回ごと",
                                        "金利変更=121回目から 年2.25%（5年ルール・125%ルール）"}));
    const Result r = run(plan);
    const Schedule s = asSchedule(r);
    ASSERT_EQ(s.rows.size(), r.rows.size());
    const std::size_t at = 59;
    EXPECT_EQ(s.rows[at][0], "60");
    EXPECT_EQ(s.rows[at][1], "2031年12月");
    EXPECT_EQ(s.rows[at][s.column(ColumnMeaning::Balance)], std::to_string(r.rows[at].balance));
    EXPECT_EQ(s.rows[at][s.column(ColumnMeaning::Prepaid)], "1000000");
    EXPECT_NE(s.rows[at][s.column(ColumnMeaning::Event)].find("ボーナス返済"), std::string::npos);
    Yen prepaid = 0;
    for (const Row& row : r.rows)
        prepaid += row.prepaid;
    EXPECT_EQ(s.totals[s.column(ColumnMeaning::Principal)], std::to_string(plan.loan.amount - prepaid));
    EXPECT_EQ(s.totals[s.column(ColumnMeaning::Interest)], std::to_string(r.totalInterest));
}

TEST(Plan, NothingToRepayHasNoRows) {
    Plan allBonus = loan(1'000, "1", 1);
    allBonus.bonus = Bonus{1'000};
    for (const Plan& plan : {loan(0, "1", 10), loan(1'000'000, "1", 0), allBonus})
        EXPECT_TRUE(run(plan).rows.empty());
}

// A plan in the program's rounding of the loan `item` computed from `inputs`.
Plan fromCalculation(const char* item, const std::vector<std::string>& inputs) {
    const Outcome out = runCalculation(item, inputs, false);
    EXPECT_TRUE(out.calculation.has_value()) << item;
    Plan plan = loan(1, "0", 1); // the origin's loan is the plan's
    plan.rounding = Rounding::Program;
    plan.origin = std::make_shared<const Calculation>(*out.calculation);
    return plan;
}

// Rows `from`.. of a plan against a calculation's schedule, figure by figure as shown.
void expectRowsAre(const Schedule& plan, std::size_t from, const char* item,
                   const std::vector<std::string>& inputs) {
    SCOPED_TRACE(std::string(item) + " " + inputs[0] + " " + inputs[1] + " " + inputs[2]);
    const Schedule s = makeSchedule(*runCalculation(item, inputs, false).calculation);
    ASSERT_EQ(plan.rows.size() - from, s.rows.size());
    for (std::size_t i = 0; i < s.rows.size(); ++i)
        for (const ColumnMeaning m : {ColumnMeaning::Payment, ColumnMeaning::Principal,
                                      ColumnMeaning::Interest, ColumnMeaning::Balance})
            ASSERT_EQ(plan.rows[from + i][plan.column(m)], s.rows[i][s.column(m)]) << "row " << i + 1;
}

TEST(PlanInTheProgramsRounding, WithoutEventsIsTheCalculationsOwnSchedule) {
    const struct {
        const char* item;
        std::vector<std::string> inputs;
    } cases[] = {
        {"KAA", {"1200000", "12", "0.005"}},
        {"KAA", {"500000", "7", "0"}},
        {"KAP", {"35000000", "360", "0.00125"}},
        {"KAP", {"1200000", "2.5", "0.005"}},
        {"KA2C", {"35000000", "0.00125", "420"}},
        {"KA2C", {"1000000", "0.01", "12.5"}},
        {"KA2P", {"88848.79", "0.01", "12"}},
        {"KA2A", {"88848.79", "0.01", "12"}},
        {"KAA", {"1", "1001", "0"}}, // the level share repays it a payment early: a last row of 0
    };
    for (const auto& c : cases) {
        const Result r = run(fromCalculation(c.item, c.inputs));
        const Schedule s = asSchedule(r);
        expectRowsAre(s, 0, c.item, c.inputs);
        EXPECT_EQ(s.opening, makeSchedule(*runCalculation(c.item, c.inputs, false).calculation).opening);
    }
}

// From an event on, the rest of the plan is a loan of the balance, and the calculators compute it
// row for row: 返済額軽減型 and a rate change are KA2C (元金均等: KAA) of the balance over the
// payments left. 期間短縮型 keeps the payment until the balance is repaid, in as many payments as
// the closed form says.
TEST(PlanInTheProgramsRounding, EachPartAfterAnEventIsACalculationOfWhatIsLeft) {
    const auto shown = [](Yen units) { return shownUnits(units, 3); };
    Plan level = fromCalculation("KA2C", {"35000000", "0.00125", "420"});
    level.prepayments = {{60, 1'000'000, Prepay::LowerPayment, 0}};
    level.rateChanges = {{121, percent("2.25"), false}};
    Result r = run(level);
    Schedule s = asSchedule(r);
    ASSERT_EQ(r.rows.size(), 420U);
    EXPECT_EQ(r.rows[59].prepaid, 1'000'000'000);
    const Schedule untilChange = makeSchedule(
        *runCalculation("KA2C", {shown(r.rows[59].balance), "0.00125", "360"}, false).calculation);
    for (std::size_t i = 0; i < 60; ++i)
        EXPECT_EQ(s.rows[60 + i][s.column(ColumnMeaning::Balance)], untilChange.rows[i][4]) << i;
    expectRowsAre(s, 120, "KA2C", {shown(r.rows[119].balance), "0.001875", "300"});

    level.rateChanges.clear(); // without the rate change: the rest is one KA2C to the end
    r = run(level);
    expectRowsAre(asSchedule(r), 60, "KA2C", {shown(r.rows[59].balance), "0.00125", "360"});

    Plan principal = fromCalculation("KAA", {"1200000", "12", "0.005"});
    principal.prepayments = {{3, 100'000, Prepay::LowerPayment, 0}};
    s = asSchedule(run(principal));
    expectRowsAre(s, 3, "KAA", {"800000", "9", "0.005"});

    level.rateChanges.clear();
    level.prepayments = {{60, 1'000'000, Prepay::ShortenTerm, 0}};
    r = run(level);
    const double rate = 0.00125, owed = static_cast<double>(r.rows[59].balance) / 1000,
                 payment = static_cast<double>(r.rows[0].payment) / 1000;
    const auto left =
        static_cast<std::size_t>(std::ceil(-std::log(1 - owed * rate / payment) / std::log1p(rate)));
    ASSERT_EQ(r.rows.size(), 60 + left);
    for (std::size_t k = 60; k + 1 < r.rows.size(); ++k)
        ASSERT_EQ(r.rows[k].payment, r.rows[0].payment) << k;
    const double lastOwed = owed * std::pow(1 + rate, static_cast<double>(left - 1)) -
                            payment * (std::pow(1 + rate, static_cast<double>(left - 1)) - 1) / rate;
    EXPECT_NEAR(static_cast<double>(r.rows.back().payment) / 1000, lastOwed * (1 + rate), 0.002);
    EXPECT_EQ(r.rows.back().balance, 0);
}

// A loan beyond what its units can count (KAA shows 0.00001 yen: 92 trillion yen and more) is
// refused with a message, never shown wrapped; in whole yen it is computed.
TEST(PlanInTheProgramsRounding, ALoanBeyondItsUnitsIsRefused) {
    Plan huge = fromCalculation("KAA", {"120222222222222", "12", "0"});
    EXPECT_EQ(programDecimals(huge), 5);
    const Result r = run(huge);
    EXPECT_TRUE(r.rows.empty());
    EXPECT_EQ(r.problem, "金額が大きすぎて計算できません。");
    // Set beside a plan to 0.00001 yen, one to 0.001 yen is counted in its units, exactly.
    Plan thousandths = loan(35'000'000, "1.5", 35);
    thousandths.rounding = Rounding::Program;
    const Result three = run(thousandths), five = inUnitsOf(three, 5);
    EXPECT_EQ(five.decimals, 5);
    EXPECT_EQ(five.totalInterest, three.totalInterest * 100);
    EXPECT_EQ(five.rows.back().payment, three.rows.back().payment * 100);
    EXPECT_TRUE(inUnitsOf(run(loan(9'000'000'000'000'000, "1", 1)), 5).rows.empty()); // beyond 64 bits
    huge.loan = *loanOf(*huge.origin);
    huge.rounding = Rounding::Yen;
    EXPECT_EQ(run(huge).totalPaid, 120'222'222'222'222);
}

// A bonus part and the five-year rule are lenders' rules in whole yen: the program's rounding
// says so rather than compute something no lender does.
TEST(PlanInTheProgramsRounding, BonusAndFiveYearRuleAreInWholeYenOnly) {
    Plan bonus = loan(35'000'000, "1.5", 35), fiveYears = bonus;
    bonus.bonus = Bonus{5'000'000};
    fiveYears.rateChanges = {{61, percent("2"), true}};
    for (Plan plan : {bonus, fiveYears}) {
        ASSERT_FALSE(run(plan).rows.empty());
        plan.rounding = Rounding::Program;
        const Result r = run(plan);
        EXPECT_TRUE(r.rows.empty());
        EXPECT_NE(r.problem.find("円単位"), std::string::npos);
    }
}

} // namespace
} // namespace kinri::plan
