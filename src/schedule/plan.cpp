#include "schedule/plan.h"

#include "catalogue/catalogue.h"
#include "number/decimal.h"
#include "schedule/plan_parts.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kinri::plan {
namespace {

using namespace parts;

constexpr std::int64_t kBillion = 1'000'000'000;

// A period's interest: the balance times the annual rate over the payments a year, fractions of a
// yen dropped. Exact: the product is held in 128 bits.
Yen interestOn(Yen balance, Rate rate, int perYear) {
    const auto product = static_cast<__int128>(balance) * rate.perBillion;
    return static_cast<Yen>(product / (static_cast<__int128>(kBillion) * perYear));
}

// The level payment that repays `balance` in `count` payments, fractions dropped: the annuity
// B·r / (1 − (1 + r)^−n), with 1 − (1 + r)^−n as −expm1(−n·log1p r) so that a small rate loses
// nothing to cancellation.
Yen levelPayment(Yen balance, Rate rate, int perYear, int count) {
    if (count <= 1) return balance;
    if (rate.perBillion == 0) return balance / count;
    const long double r =
        static_cast<long double>(rate.perBillion) / (static_cast<long double>(kBillion) * perYear);
    const long double share = -std::expm1(-static_cast<long double>(count) * std::log1p(r));
    return static_cast<Yen>(std::floor(static_cast<long double>(balance) * r / share));
}

// How many payments of `payment` repay `balance`, by the same arithmetic as the rows; the
// largest int where the payment never covers the interest.
int paymentsNeeded(Yen balance, Rate rate, int perYear, Yen payment) {
    int count = 0;
    while (balance > 0) {
        const Yen interest = interestOn(balance, rate, perYear);
        if (payment <= interest) return std::numeric_limits<int>::max();
        ++count;
        balance -= std::min(balance, payment - interest);
    }
    return count;
}

// One part of a loan repaid by `count` payments, `perYear` a year, the first in `startMonth` of
// `startYear` and the next `12 / perYear` months later, with the events at their payments.
struct Part {
    Yen amount = 0;
    Rate rate;
    int perYear = 12;
    int count = 0;
    Method method = Method::Level;
    int startYear = 0, startMonth = 1;
    std::vector<Prepayment> prepayments;
    std::vector<RateChange> rateChanges; // `from` counted in this part's payments
};

std::vector<Row> repay(const Part& part) {
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(part.count));
    Yen balance = part.amount, unpaid = 0;
    Rate rate = part.rate;
    int left = part.count; // payments still to make, this one included
    Yen payment = part.method == Method::Level ? levelPayment(balance, rate, part.perYear, left) : 0;
    Yen share = part.method == Method::EqualPrincipal ? balance / std::max(left, 1) : 0;
    bool fiveYearRule = false;
    const int review = 5 * part.perYear; // the payment changes every five years at most
    for (int k = 1; balance > 0 && left > 0; ++k, --left) {
        Row row;
        dateRow(row, k, part.startYear, part.startMonth, part.perYear);

        for (const RateChange& change : part.rateChanges) {
            if (change.from != k) continue;
            rate = change.rate;
            fiveYearRule = change.fiveYearRule && part.method == Method::Level;
            if (!fiveYearRule && part.method == Method::Level)
                payment = levelPayment(balance, rate, part.perYear, left);
            addEvent(row.event, rateChangeText(rate));
        }
        if (fiveYearRule && k > 1 && (k - 1) % review == 0) {
            const Yen most = payment + payment / 4; // 125 %
            payment = std::min(levelPayment(balance, rate, part.perYear, left), most);
            addEvent(row.event, "返済額見直し");
        }

        const Yen interest = interestOn(balance, rate, part.perYear);
        if (left == 1) { // the last payment takes whatever is owed
            row.principal = balance;
            row.interest = interest + unpaid;
            unpaid = 0;
        } else if (part.method == Method::EqualPrincipal) {
            row.principal = std::min(share, balance);
            row.interest = interest;
        } else {
            const Yen due = interest + unpaid;
            row.interest = std::min(payment, due);
            unpaid = due - row.interest;
            row.principal = std::min(payment - row.interest, balance);
        }
        row.payment = row.principal + row.interest;
        balance -= row.principal;

        for (const Prepayment& p : part.prepayments) {
            if (!prepaysAt(p, k) || balance == 0 || left <= 1) continue;
            const Yen amount = std::min(p.amount, balance);
            balance -= amount;
            row.prepaid += amount;
            const bool shorten = p.type == Prepay::ShortenTerm;
            addEvent(row.event, prepaymentText(p.type, amount));
            if (balance == 0) break;
            if (part.method == Method::Level) {
                if (shorten) {
                    // Never longer than planned: a payment that no longer covers the interest
                    // (under the five-year rule) keeps the term it had.
                    if (const int needed = paymentsNeeded(balance, rate, part.perYear, payment);
                        needed < left)
                        left = 1 + needed;
                } else {
                    payment = levelPayment(balance, rate, part.perYear, left - 1);
                }
            } else if (shorten) {
                left = 1 + static_cast<int>((balance + share - 1) / std::max<Yen>(share, 1));
            } else {
                share = balance / std::max(left - 1, 1);
            }
        }
        row.balance = balance;
        row.unpaid = unpaid;
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace

namespace parts {

std::string grouped(Yen yen) {
    std::string digits = std::to_string(yen);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > (yen < 0 ? 1 : 0); at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    return digits;
}

std::string percentText(Rate rate) {
    Decimal d = *Decimal::read(std::to_string(rate.perBillion));
    return d.shifted(-7).text();
}

void addEvent(std::string& event, const std::string& text) {
    if (!event.empty()) event += "、";
    event += text;
}

std::string prepaymentText(Prepay type, Yen amount, int decimals) {
    Yen unit = 1;
    for (int i = 0; i < decimals; ++i)
        unit *= 10;
    const std::string fraction =
        amount % unit == 0 ? "" : shownUnits(amount % unit + unit, decimals).substr(1);
    return std::string(type == Prepay::ShortenTerm ? "繰上げ返済（期間短縮型）"
                                                   : "繰上げ返済（返済額軽減型）") +
           grouped(amount / unit) + fraction + "円";
}

std::string rateChangeText(Rate rate) {
    return "金利変更 年" + percentText(rate) + "%";
}

bool prepaysAt(const Prepayment& p, int k) {
    if (p.at <= 0 || k < p.at) return false;
    return k == p.at || (p.every > 0 && (k - p.at) % p.every == 0);
}

int monthIndex(int year, int month) {
    return year * 12 + (month - 1);
}

void dateRow(Row& row, int k, int startYear, int startMonth, int perYear) {
    row.number = k;
    const int monthsOn = (startMonth - 1) + (k - 1) * (12 / perYear);
    row.year = startYear + monthsOn / 12;
    row.month = monthsOn % 12 + 1;
}

void addTotals(Result& result) {
    for (const Row& row : result.rows) {
        result.totalPaid += row.payment + row.prepaid;
        result.totalInterest += row.interest;
    }
}

} // namespace parts

int paymentsOf(const Loan& loan) {
    return loan.payments > 0 ? loan.payments : loan.years * loan.perYear;
}

int programDecimals(const Plan& plan) {
    return plan.origin && plan.origin->entry != nullptr ? plan.origin->entry->calc.decimals : 3;
}

std::optional<Loan> loanOf(const Calculation& calculation) {
    const LoanRows rows = loanRows(calculation);
    if (rows.rows.empty() || rows.ratePerPayment < 0) return std::nullopt;
    Units unit = 1;
    for (int i = 0; i < rows.decimals; ++i)
        unit *= 10;
    Loan loan;
    loan.amount = static_cast<Yen>((rows.opening + unit / 2) / unit);
    const long double annual = static_cast<long double>(rows.ratePerPayment) * 12 * kBillion;
    if (loan.amount <= 0 || loan.amount >= 1'000'000'000'000'000 || annual > kBillion) return std::nullopt;
    loan.rate = Rate{std::llround(annual)};
    loan.payments = static_cast<int>(rows.rows.size());
    loan.years = std::max(1, (loan.payments + 6) / 12);
    const std::string_view item = calculation.entry->item;
    loan.method = item == "KAA" || item == "KAP" ? Method::EqualPrincipal : Method::Level;
    return loan;
}

std::optional<Yen> readYen(std::string_view text) {
    std::string digits;
    for (const char c : text) {
        if (c != ',' && c != ' ') digits.push_back(c);
    }
    if (digits.ends_with("円")) digits.resize(digits.size() - std::string_view("円").size());
    if (digits.empty() || digits.size() > 15 || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoll(digits);
}

std::optional<Yen> readYenOrShare(std::string_view text, Yen whole) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    for (const std::string_view sign : {std::string_view("%"), std::string_view("％")}) {
        if (!text.ends_with(sign)) continue;
        const std::optional<Rate> share = Rate::percent(text.substr(0, text.size() - sign.size()));
        if (!share) return std::nullopt;
        return static_cast<Yen>(static_cast<__int128>(whole) * share->perBillion / kBillion);
    }
    return readYen(text);
}

std::string Rate::percentText() const {
    return kinri::plan::percentText(*this);
}

std::optional<Rate> Rate::percent(std::string_view text) {
    const std::optional<Decimal> read = Decimal::read(text);
    if (!read || read->negative()) return std::nullopt;
    const std::string billionths = read->shifted(7).text();
    if (billionths.find_first_not_of("0123456789") != std::string::npos || billionths.size() > 10)
        return std::nullopt;
    const std::int64_t value = std::stoll(billionths);
    if (value > kBillion) return std::nullopt;
    return Rate{value};
}

Result run(const Plan& plan) {
    const Loan& loan = plan.loan;
    Result result;
    const Yen bonusAmount = plan.bonus ? plan.bonus->amount : 0;
    if (loan.amount <= 0 || paymentsOf(loan) <= 0 || loan.perYear <= 0 || 12 % loan.perYear != 0 ||
        bonusAmount < 0 || bonusAmount >= loan.amount || loan.startMonth < 1 || loan.startMonth > 12)
        return result;
    if (plan.rounding == Rounding::Program) return runProgram(plan);

    result.opening = loan.amount;
    Part monthly{loan.amount - bonusAmount, loan.rate,        loan.perYear,
                 paymentsOf(loan),          loan.method,      loan.startYear,
                 loan.startMonth,           plan.prepayments, plan.rateChanges};
    result.rows = repay(monthly);
    if (!result.rows.empty()) {
        result.firstPayment = result.rows.front().payment;
        result.lastPayment = result.rows.back().payment;
    }

    if (bonusAmount > 0) {
        // The bonus months from the first on or after the first monthly payment, alternating.
        int first[2];
        for (int i = 0; i < 2; ++i) {
            const int m = std::clamp(plan.bonus->months[i], 1, 12);
            first[i] = monthIndex(loan.startYear, m) + (m < loan.startMonth ? 12 : 0);
        }
        const int start = std::min(first[0], first[1]);
        const int gap = std::max(first[0], first[1]) - start; // months to the other bonus month
        Part bonus{
            bonusAmount,    loan.rate, 2, paymentsOf(loan) * 2 / loan.perYear, Method::Level, start / 12,
            start % 12 + 1, {},        {}};
        const auto bonusMonth = [&](int j) {
            return start + (j - 1) / 2 * 12 + ((j - 1) % 2 == 1 ? gap : 0);
        };
        for (const RateChange& change : plan.rateChanges) {
            const int when =
                monthIndex(loan.startYear, loan.startMonth) + (change.from - 1) * (12 / loan.perYear);
            int j = 1;
            while (bonusMonth(j) < when)
                ++j;
            bonus.rateChanges.push_back({j, change.rate, change.fiveYearRule});
        }
        std::vector<Row> bonusRows = repay(bonus);
        for (std::size_t j = 0; j < bonusRows.size(); ++j) {
            Row& b = bonusRows[j];
            const int when = bonusMonth(static_cast<int>(j) + 1);
            b.year = when / 12;
            b.month = when % 12 + 1;
            auto row = std::find_if(result.rows.begin(), result.rows.end(),
                                    [&](const Row& r) { return monthIndex(r.year, r.month) == when; });
            const std::string event = "ボーナス返済 " + grouped(b.payment) + "円";
            if (row == result.rows.end()) { // the monthly payments are over: the bonus payment alone
                b.number = 0;
                b.event = event;
                result.rows.push_back(std::move(b));
                continue;
            }
            row->payment += b.payment;
            row->principal += b.principal;
            row->interest += b.interest;
            row->unpaid += b.unpaid;
            addEvent(row->event, event);
        }
        // Every balance is both parts' owed after that month.
        Yen bonusOwed = bonusAmount;
        std::size_t next = 0;
        for (Row& row : result.rows) {
            while (next < bonusRows.size() &&
                   monthIndex(bonusRows[next].year, bonusRows[next].month) <= monthIndex(row.year, row.month))
                bonusOwed = bonusRows[next++].balance;
            if (row.number != 0)
                row.balance += bonusOwed;
            else
                row.balance = bonusOwed;
        }
    }

    addTotals(result);
    return result;
}

namespace {

constexpr ScheduleColumn kPlanColumns[] = {
    {"回", ColumnMeaning::Period},          {"返済日", ColumnMeaning::Date},
    {"返済額", ColumnMeaning::Payment},     {"うち元金", ColumnMeaning::Principal},
    {"うち利息", ColumnMeaning::Interest},  {"残高", ColumnMeaning::Balance},
    {"繰上げ返済", ColumnMeaning::Prepaid}, {"内容", ColumnMeaning::Event}};

std::string yenText(Yen yen) {
    return grouped(yen) + "円";
}

} // namespace

std::vector<std::string> conditionLines(const Plan& plan) {
    const Loan& loan = plan.loan;
    std::vector<std::string> lines = {
        "借入額=" + yenText(loan.amount),
        "年利=" + percentText(loan.rate) + "%",
        "返済期間=" +
            (loan.payments > 0 && loan.payments != loan.years * loan.perYear
                 ? std::to_string(loan.payments) + "回"
                 : std::to_string(loan.years) + "年") +
            "（年" + std::to_string(loan.perYear) + "回）",
        std::string("返済方法=") + (loan.method == Method::Level ? "元利均等" : "元金均等"),
        "返済開始=" + std::to_string(loan.startYear) + "年" + std::to_string(loan.startMonth) + "月",
        std::string("端数=") +
            (plan.rounding == Rounding::Yen
                 ? "円単位（1円未満切り捨て、最終回で精算）"
                 : "小数第" + std::to_string(programDecimals(plan)) + "位（返済予定表と同じ）"),
    };
    if (plan.bonus)
        lines.push_back("ボーナス返済分=" + yenText(plan.bonus->amount) + "（" +
                        std::to_string(plan.bonus->months[0]) + "月・" +
                        std::to_string(plan.bonus->months[1]) + "月）");
    for (const Prepayment& p : plan.prepayments)
        lines.push_back("繰上げ返済=" + std::to_string(p.at) + "回目のあと " + yenText(p.amount) +
                        (p.type == Prepay::ShortenTerm ? "（期間短縮型）" : "（返済額軽減型）") +
                        (p.every > 0 ? "、以後 " + std::to_string(p.every) + " 回ごと" : ""));
    for (const RateChange& c : plan.rateChanges)
        lines.push_back("金利変更=" + std::to_string(c.from) + "回目から 年" + percentText(c.rate) + "%" +
                        (c.fiveYearRule ? "（5年ルール・125%ルール）" : ""));
    return lines;
}

Schedule asSchedule(const Result& result) {
    Schedule s;
    s.title = "返済プラン";
    s.columns = kPlanColumns;
    const int d = result.decimals;
    s.decimals = d;
    s.opening = shownUnits(result.opening, d);
    s.rows.reserve(result.rows.size());
    s.values.reserve(result.rows.size());
    const auto text = [d](Yen v) { return shownUnits(v, d); };
    const double unit = std::pow(10.0, -d);
    const auto value = [unit](Yen v) { return static_cast<double>(v) * unit; };
    Yen prepaid = 0, principal = 0, payment = 0;
    for (const Row& r : result.rows) {
        const auto n = static_cast<double>(r.number);
        s.rows.push_back({r.number != 0 ? std::to_string(r.number) : "",
                          std::to_string(r.year) + "年" + std::to_string(r.month) + "月", text(r.payment),
                          text(r.principal), text(r.interest), text(r.balance),
                          r.prepaid != 0 ? text(r.prepaid) : "", r.event});
        s.values.push_back({n, 0, value(r.payment), value(r.principal), value(r.interest), value(r.balance),
                            value(r.prepaid), 0});
        prepaid += r.prepaid;
        principal += r.principal;
        payment += r.payment;
    }
    s.totals = {"合計",        "", text(payment), text(principal), text(result.totalInterest), "",
                text(prepaid), ""};
    return s;
}

Result inUnitsOf(Result result, int decimals) {
    Yen factor = 1;
    for (int d = result.decimals; d < decimals; ++d)
        factor *= 10;
    if (factor == 1) return result;
    const Yen most = std::numeric_limits<Yen>::max() / factor;
    if (result.totalPaid > most || result.opening > most) {
        Result refused;
        refused.decimals = decimals;
        refused.problem = "金額が大きすぎて計算できません。";
        return refused;
    }
    for (Row& row : result.rows)
        for (Yen* figure :
             {&row.payment, &row.principal, &row.interest, &row.balance, &row.prepaid, &row.unpaid})
            *figure *= factor;
    for (Yen* figure : {&result.opening, &result.totalPaid, &result.totalInterest, &result.firstPayment,
                        &result.lastPayment})
        *figure *= factor;
    result.decimals = decimals;
    return result;
}

Comparison compare(const Result& before, const Result& after) {
    Comparison c;
    c.interestSaved = before.totalInterest - after.totalInterest;
    if (!before.rows.empty() && !after.rows.empty())
        c.monthsSooner = monthIndex(before.rows.back().year, before.rows.back().month) -
                         monthIndex(after.rows.back().year, after.rows.back().month);
    return c;
}

} // namespace kinri::plan
