// A plan in the program's rounding: 0.001 yen, as the program's schedules show a loan. Each part
// of the plan between two events is a loan of its own, and each of its balances is that loan's
// closed form rounded once, so that no rounding is carried from row to row and any row can be
// checked on its own.

#include "catalogue/catalogue.h"
#include "number/variant.h"
#include "schedule/plan_parts.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kinri::plan::parts {
namespace {

using Real = long double;

Real perPayment(Rate rate, int perYear) {
    return static_cast<Real>(rate.perBillion) / (1e9L * perYear);
}

Units whole(Real value) {
    return unitsOfExact(value, 0);
}

// 1 − (1 + r)^−j, the share of a level loan's value that j payments repay, without the
// cancellation of 1 − x for x near 1; `growth` is ln(1 + r), worked out once for a part.
Real repaidShare(Real growth, Real j) {
    return -std::expm1(-j * growth);
}

// 元利均等: `owed` repaid in `count` level payments. The payment is the annuity rounded once; after
// j payments what is owed is the value of the count − j payments still to come at the exact
// annuity, so the payment's rounding goes into the interest and the last payment.
std::vector<LoanFigures> level(Units owed, Real r, int count, Units& payment) {
    const Real b = static_cast<Real>(owed), growth = std::log1p(r);
    const Real all = r == 0 ? 0 : repaidShare(growth, count);
    payment = whole(r == 0 ? b / count : b * r / all);
    std::vector<LoanStep> steps;
    steps.reserve(static_cast<std::size_t>(count));
    for (int j = 1; j <= count; ++j) {
        const Real still = r == 0 ? b * (count - j) / count : b * repaidShare(growth, count - j) / all;
        steps.push_back({payment, j == count ? 0 : whole(still)});
    }
    return settleLoan(steps, owed, static_cast<double>(r));
}

// 元利均等 at a payment kept as it was (期間短縮型): after j payments `owed` has grown to
// owed·(1 + r)^j and the payments have repaid payment·((1 + r)^j − 1)/r of it. The last payment,
// when what is owed falls below a payment or the most payments are made, is what is owed with its
// interest. A payment that no longer covers the interest keeps the term instead.
std::vector<LoanFigures> atPayment(Units owed, Real r, Units payment, int most) {
    const Real b = static_cast<Real>(owed), a = static_cast<Real>(payment), growth = std::log1p(r);
    if (a <= b * r) return level(owed, r, most, payment);
    const auto after = [&](int j) {
        if (r == 0) return b - j * a;
        return b + std::expm1(j * growth) * (b - a / r);
    };
    std::vector<LoanStep> steps;
    for (int j = 1; j <= most; ++j) {
        const Units balance = whole(after(j));
        if (j == most || balance <= 0) {
            steps.push_back({whole(after(j - 1) * (1 + r)), 0});
            break;
        }
        steps.push_back({payment, balance});
    }
    return settleLoan(steps, owed, static_cast<double>(r));
}

// 元金均等: `share` of principal each payment with the interest on what is owed before it, at most
// `most` payments, the last one what is left.
std::vector<LoanFigures> equalPrincipal(Units owed, Real r, Real share, int most) {
    const Real b = static_cast<Real>(owed);
    if (!(share > 0)) share = b / most; // nothing to keep: over the payments left
    const int count =
        static_cast<int>(std::clamp(std::ceil(b / share - 1e-9L), 1.0L, static_cast<Real>(most)));
    std::vector<LoanStep> steps;
    steps.reserve(static_cast<std::size_t>(count));
    for (int j = 1; j <= count; ++j) {
        const Real before = b - (j - 1) * share;
        const bool last = j == count;
        steps.push_back({whole((last ? before : share) + before * r), last ? 0 : whole(b - j * share)});
    }
    return settleLoan(steps, owed, static_cast<double>(r));
}

Yen yen(Units units) {
    if (units > std::numeric_limits<Yen>::max() || units < std::numeric_limits<Yen>::min())
        throw CalcError(CalcErrorReason::Overflow);
    return static_cast<Yen>(units);
}

bool fromEqualPrincipal(const Calculation& c) {
    return c.entry != nullptr && (c.entry->item == "KAA" || c.entry->item == "KAP");
}

} // namespace

Result runProgram(const Plan& plan) {
    const Loan& loan = plan.loan;
    Result result;
    const bool fiveYearRule = std::any_of(plan.rateChanges.begin(), plan.rateChanges.end(),
                                          [](const RateChange& c) { return c.fiveYearRule; });
    if (plan.bonus || fiveYearRule) {
        result.problem = "ボーナス返済と5年ルール・125%ルールは、金融機関の計算として円単位で計算します。"
                         "端数を円単位にしてください。";
        return result;
    }
    try {
        Real r = 0;
        Units owed = 0, payment = 0;
        Real share = 0;
        std::vector<LoanFigures> part; // the rows of the part of the plan under way
        bool levelLoan = loan.method == Method::Level;
        if (plan.origin) {
            LoanRows base = loanRows(*plan.origin);
            r = base.ratePerPayment;
            result.decimals = base.decimals;
            owed = base.opening;
            part = std::move(base.rows);
            levelLoan = !fromEqualPrincipal(*plan.origin);
            if (part.empty()) return result;
            payment = part.front().payment;
            share = static_cast<Real>(part.front().principal);
        } else {
            result.decimals = programDecimals(plan);
            r = perPayment(loan.rate, loan.perYear);
            owed = static_cast<Units>(loan.amount) * 1000;
            const int count = paymentsOf(loan);
            share = static_cast<Real>(owed) / count;
            part = levelLoan ? level(owed, r, count, payment) : equalPrincipal(owed, r, share, count);
        }
        Units unit = 1;
        for (int i = 0; i < result.decimals; ++i)
            unit *= 10;
        result.opening = yen(owed);

        int first = 1; // the number of the part's first payment
        for (int k = 1; k - first < static_cast<int>(part.size()); ++k) {
            Row row;
            dateRow(row, k, loan.startYear, loan.startMonth, loan.perYear);
            const int left = first + static_cast<int>(part.size()) - k; // this payment included
            for (const RateChange& change : plan.rateChanges) {
                if (change.from != k) continue;
                r = perPayment(change.rate, loan.perYear);
                share = static_cast<Real>(owed) / left;
                part = levelLoan ? level(owed, r, left, payment) : equalPrincipal(owed, r, share, left);
                first = k;
                addEvent(row.event, rateChangeText(change.rate));
            }
            const LoanFigures& f = part[static_cast<std::size_t>(k - first)];
            row.payment = yen(f.payment);
            row.principal = yen(f.principal);
            row.interest = yen(f.interest);
            owed = f.balance;
            for (const Prepayment& p : plan.prepayments) {
                if (!prepaysAt(p, k) || owed == 0 || left <= 1) continue;
                const Units amount = std::min(static_cast<Units>(p.amount) * unit, owed);
                owed -= amount;
                row.prepaid += yen(amount);
                addEvent(row.event, prepaymentText(p.type, yen(amount), result.decimals));
                if (owed == 0) break;
                const bool shorten = p.type == Prepay::ShortenTerm;
                if (!shorten) share = static_cast<Real>(owed) / (left - 1);
                part = levelLoan ? (shorten ? atPayment(owed, r, payment, left - 1)
                                            : level(owed, r, left - 1, payment))
                                 : equalPrincipal(owed, r, share, left - 1);
                first = k + 1;
            }
            row.balance = yen(owed);
            const bool repaidEarly = owed == 0 && row.prepaid > 0;
            result.rows.push_back(std::move(row));
            if (repaidEarly) break; // else the part's rows go on, as its schedule shows them
        }
        Units paid = 0, interest = 0;
        for (const Row& row : result.rows) {
            paid += row.payment + static_cast<Units>(row.prepaid);
            interest += row.interest;
        }
        yen(paid);
        yen(interest);
    } catch (const CalcError&) {
        result.rows.clear();
        result.problem = "金額が大きすぎて計算できません。";
        return result;
    }
    if (!result.rows.empty()) {
        result.firstPayment = result.rows.front().payment;
        result.lastPayment = result.rows.back().payment;
    }
    addTotals(result);
    return result;
}

} // namespace kinri::plan::parts
