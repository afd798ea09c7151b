#include "schedule/schedule.h"

#include "catalogue/catalogue.h"
#include "formulas/formulas.h"
#include "number/number_text.h"
#include "number/variant.h"

#include <array>
#include <cmath>

namespace kinri {
namespace {

namespace f = formulas;

// Beyond this a figure has no units to count in (10^30 yen and more): no schedule for it.
constexpr double kLargest = 1e30;

Units unitsOf(double value, int decimals) {
    if (!(std::fabs(value) < kLargest)) throw CalcError(CalcErrorReason::Overflow);
    Units u = 0;
    bool negative = false;
    for (const char c : formatFixed(value, decimals)) {
        if (c == '-') negative = true;
        if (c >= '0' && c <= '9') u = u * 10 + (c - '0');
    }
    return negative ? -u : u;
}

} // namespace

// A figure the schedule works out itself, rounded once to its last shown decimal, half away from
// zero: not through the 15 significant digits the program shows a double with, whose rounding
// before the rounding can move a figure of twelve digits and more by a unit.
Units unitsOfExact(long double value, int decimals) {
    if (!(std::fabs(value) < kLargest)) throw CalcError(CalcErrorReason::Overflow);
    return static_cast<Units>(std::round(value * std::pow(10.0L, decimals)));
}

std::string shownUnits(Units u, int decimals) {
    if (u == 0) return "0";
    const bool negative = u < 0;
    if (negative) u = -u;
    std::string digits;
    for (; u > 0; u /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(u % 10)));
    if (decimals > 0) {
        if (digits.size() <= static_cast<std::size_t>(decimals))
            digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, '.');
    }
    return negative ? '-' + digits : digits;
}

namespace {

double number(Units u, int decimals) {
    return static_cast<double>(u) / std::pow(10.0, decimals);
}

// The counters of a table: 1, 2 ... while i <= bound, or bound, bound - 1 ... while i >= 1.
std::vector<double> counters(double bound, bool descending) {
    std::vector<double> out;
    for (double i = descending ? bound : 1.0; descending ? i >= 1.0 : i <= bound;
         i += descending ? -1.0 : 1.0) {
        if (out.size() >= static_cast<std::size_t>(10000)) throw CalcError(CalcErrorReason::RowLimit);
        out.push_back(i);
    }
    return out;
}

// One row of a schedule as figures, each under its meaning; a shape shows those it has columns
// for.
struct Figures {
    double counter = 0;
    Units payment = 0, principal = 0, interest = 0, balance = 0, total = 0, periodInterest = 0, toDate = 0;
};

// A loan: each row's payment, and the balance after it (the last one of a whole count is zero);
// the principal is the fall of the shown balance and the interest the rest of the shown payment.
// Where the interest is what is fixed (KAP), the payment is made of the two.
struct LoanRow {
    double counter;
    Units payment;
    Units balance;
};

// Interest is never negative where the rate is not: a shown balance may fall by a unit more than
// the payment's principal, and then the payment is all principal and the balance falls by the
// payment alone (the next row's closed form brings it back). At rate 0 there is no interest at all:
// each payment is all principal, and what the rounding of the level share leaves goes into the last
// payment, which is then a unit or so more or less than the others.
std::vector<Figures> loan(const std::vector<LoanRow>& rows, Units opening, double rate) {
    std::vector<Figures> out;
    out.reserve(rows.size());
    Units before = opening;
    for (const LoanRow& r : rows) {
        Figures f{.counter = r.counter, .payment = r.payment, .principal = before - r.balance};
        f.balance = r.balance;
        f.interest = r.payment - f.principal;
        const bool interestFree = rate == 0.0 && f.interest != 0;
        if (rate >= 0.0 && (f.interest < 0 || interestFree)) {
            if (r.balance == 0) {
                f.payment = f.principal; // the last payment takes the residue
            } else {
                f.principal = r.payment;
                f.balance = before - r.payment;
            }
            f.interest = 0;
        }
        out.push_back(f);
        before = f.balance;
    }
    return out;
}

std::array<Variant, 4> variants(const std::vector<std::string>& inputs) {
    std::array<Variant, 4> in{0.0, 0.0, 0.0, 0.0};
    for (std::size_t k = 0; k < inputs.size() && k < in.size(); ++k)
        in.at(k) = Variant::fromText(inputs[k]);
    return in;
}

bool isLast(double counter, double count) {
    return counter == count;
}

// A finite step of a closed form, or the error the calculation would raise.
long double finite(long double value) {
    if (!std::isfinite(value)) throw CalcError(CalcErrorReason::Overflow);
    return value;
}

// 1 − (1 + r)^−j, the share of a level-payment loan's present value that j payments repay, in
// extended precision and without the cancellation of 1 − x for x near 1 (small rates, few
// payments): −expm1(−j · ln(1 + r)). A base that is not positive (r ≤ −1) has no logarithm; the
// power is then taken as the calculation takes it.
long double repaidShare(long double r, long double j) {
    const long double base = 1.0L + r;
    if (base > 0) return finite(-std::expm1(-j * std::log1p(r)));
    return finite(1.0L - std::pow(base, -j));
}

// Equal principal: P ÷ n repaid each time, interest on what is owed before the payment. KAA shows
// each payment (the very rows of its table). KAP fixes the interest: after i payments the interest
// to date is r · P/n · (i(n + 1) − i(i + 1)/2), and each row's interest is the rise of that sum
// rounded, so that no row is a unit off, none is negative, and a whole count's rows add up to the
// calculation's total, its last row ending on that very text. (Rounding each row on its own and
// putting the sum's residue in the last row would bias it by up to half a unit per row.) With a
// count that is not whole the rows stop at its whole part: the rest of the loan is still owed
// after them, and KAP's total, (1 + n) ÷ 2 periods of interest on the loan, is more than these
// rows' interest (its help says so).
std::vector<Figures> equalPrincipal(const Calculation& calc, int d, bool interestFixed) {
    const std::array<Variant, 4> in = variants(calc.inputs);
    const Inputs all(in.data(), in.size());
    const long double loanAmount = in[0].number(), count = in[1].number(), rate = in[2].number();
    const std::vector<double> is = counters(in[1].number(), false);
    std::vector<LoanRow> rows;
    Units toDateBefore = 0, before = unitsOf(in[0].number(), d);
    const Units opening = before;
    for (const double i : is) {
        const bool last = isLast(i, in[1].number());
        // What is owed after i payments: (n − i) shares of the loan, in one rounding.
        const Units balance = last ? 0 : unitsOfExact(finite(loanAmount * (count - i) / count), d);
        Units payment = 0;
        if (!interestFixed) {
            payment = unitsOf(f::KAA_row(all, i), d);
        } else {
            const long double k = i;
            const Units toDate =
                last ? unitsOf(calc.result, d)
                     : unitsOfExact(finite(rate * loanAmount / count * (k * (count + 1) - k * (k + 1) / 2)),
                                    d);
            payment = (before - balance) + (toDate - toDateBefore);
            toDateBefore = toDate;
        }
        rows.push_back({i, payment, balance});
        before = balance;
    }
    return loan(rows, opening, in[2].number());
}

std::vector<Figures> equalPrincipalPayments(const Calculation& calc, int d) {
    return equalPrincipal(calc, d, false);
}

std::vector<Figures> equalPrincipalInterest(const Calculation& calc, int d) {
    return equalPrincipal(calc, d, true);
}

// Level payment. What is owed after k of n payments is the present value of the n − k payments
// still to come, A · (1 − (1 + r)^−(n−k)) ÷ r, each row from its own closed form: carried forward
// as balance · (1 + r) − A instead, the payment's rounding error would grow by (1 + r) each period
// until, over long terms, it swamped the balance. KA2C computes the payment from the loan P, so
// the balance is P times the share of the loan's value still to come, which does not depend on
// the computed payment at all; KA2P computes the loan from the payment, and the balance is the
// value of the payments still to come. So every balance is within half a unit of the exact one.
// The payment (KA2C) and the loan (KA2P) are the calculation's own texts: rounded, and at small
// rates, where 1 − (1 + r)^−n cancels in double precision, further off (KA2P 77636652.499 /
// 0.0001 / 535 shows a loan 4.6 units of 0.001 below the exact one). The interest, the rest of
// the payment after the principal, carries the payment's rounding too (up to 1.5 units), and the
// first row of KA2P the loan's error.
std::vector<Figures> levelPayment(const Calculation& calc, int d, bool paymentComputed) {
    const std::array<Variant, 4> in = variants(calc.inputs);
    const long double r = in[1].number();
    const double count = in[2].number();
    const long double given = in[0].number(); // the loan (KA2C) or the payment (KA2P)
    const long double whole = repaidShare(r, count);
    const Units opening = unitsOf(paymentComputed ? given : calc.result, d);
    const Units shownPayment = unitsOf(paymentComputed ? calc.result : given, d);
    std::vector<LoanRow> rows;
    for (const double i : counters(count, false)) {
        const long double still = repaidShare(r, count - i);
        const long double owed = paymentComputed ? given * still / whole : given * still / r;
        rows.push_back({i, shownPayment, isLast(i, count) ? 0 : unitsOfExact(finite(owed), d)});
    }
    return loan(rows, opening, static_cast<double>(r));
}

std::vector<Figures> levelPaymentOfLoan(const Calculation& calc, int d) {
    return levelPayment(calc, d, true);
}

std::vector<Figures> loanOfLevelPayment(const Calculation& calc, int d) {
    return levelPayment(calc, d, false);
}

// KA2A lists what is owed while i payments remain, i = m, m − 1 … 1. The schedule counts the
// same payments up from 1: before payment j, m − j + 1 remain, so the table's row for i is the
// balance before that payment, and the balance after it is the table's next row (0 after the last
// payment of a whole count; with a count that is not whole, what the last fraction of a payment
// still owes). The loan itself is the table's first row. These are the calculation's own texts, as
// near the exact value as its double precision brings them.
std::vector<Figures> byRemainingPayments(const Calculation& calc, int d) {
    const std::array<Variant, 4> in = variants(calc.inputs);
    const Inputs all(in.data(), in.size());
    const Units shownPayment = unitsOf(in[0].number(), d);
    std::vector<LoanRow> rows;
    const std::vector<double> is = counters(in[2].number(), true);
    const Units opening = is.empty() ? 0 : unitsOf(f::KA2A_row(all, is.front()), d);
    double j = 0;
    for (const double i : is) {
        const double after = i - 1.0;
        rows.push_back({++j, shownPayment, after > 0 ? unitsOf(f::KA2A_row(all, after), d) : 0});
    }
    return loan(rows, opening, in[1].number());
}

// A growing sum: each period's total is the very row of the calculation's table.
std::vector<Figures> growth(const Calculation& calc, int d) {
    const std::array<Variant, 4> in = variants(calc.inputs);
    const Inputs all(in.data(), in.size());
    const RowFormula row = calc.entry->calc.table.row;
    const Units principal = unitsOf(in[0].number(), d);
    Units before = principal;
    std::vector<Figures> out;
    for (const double k : counters(in[2].number(), false)) {
        const Units total = unitsOf(row(all, k), d);
        out.push_back(
            {.counter = k, .total = total, .periodInterest = total - before, .toDate = total - principal});
        before = total;
    }
    return out;
}

using Rows = std::vector<Figures> (*)(const Calculation&, int decimals);

struct Shape {
    ScheduleShape shape;
    Rows rows;
};

constexpr ScheduleColumn kLoanColumns[] = {{"回", ColumnMeaning::Period},
                                           {"返済額", ColumnMeaning::Payment},
                                           {"うち元金", ColumnMeaning::Principal},
                                           {"うち利息", ColumnMeaning::Interest},
                                           {"残高", ColumnMeaning::Balance}};
constexpr ScheduleColumn kCompoundColumns[] = {{"期", ColumnMeaning::Period},
                                               {"元利合計", ColumnMeaning::Total},
                                               {"その期の利息", ColumnMeaning::PeriodInterest},
                                               {"利息累計", ColumnMeaning::InterestToDate}};
constexpr ScheduleColumn kSimpleColumns[] = {{"期", ColumnMeaning::Period},
                                             {"元利合計", ColumnMeaning::Total},
                                             {"利息累計", ColumnMeaning::InterestToDate}};

constexpr std::string_view kLoanTitle = "返済予定表";
constexpr std::string_view kGrowthTitle = "明細";
constexpr auto kLoan = Schedule::Kind::Loan;
constexpr auto kGrowth = Schedule::Kind::Growth;

// Every calculation with a schedule, once.
constexpr Shape kShapes[] = {
    {{"KAA", kLoanTitle, kLoan, kLoanColumns}, equalPrincipalPayments},
    {{"KAP", kLoanTitle, kLoan, kLoanColumns}, equalPrincipalInterest},
    {{"KA2C", kLoanTitle, kLoan, kLoanColumns}, levelPaymentOfLoan},
    {{"KA2P", kLoanTitle, kLoan, kLoanColumns}, loanOfLevelPayment},
    {{"KA2A", kLoanTitle, kLoan, kLoanColumns}, byRemainingPayments},
    {{"FA", kGrowthTitle, kGrowth, kCompoundColumns}, growth},
    {{"SA", kGrowthTitle, kGrowth, kSimpleColumns}, growth},
};

const Shape* findShape(std::string_view item) {
    for (const Shape& s : kShapes)
        if (s.shape.item == item) return &s;
    return nullptr;
}

// A figure's cell and value under its column's meaning.
Units unitsFor(const Figures& f, ColumnMeaning meaning) {
    switch (meaning) {
    case ColumnMeaning::Period:
        break;
    case ColumnMeaning::Payment:
        return f.payment;
    case ColumnMeaning::Principal:
        return f.principal;
    case ColumnMeaning::Interest:
        return f.interest;
    case ColumnMeaning::Balance:
        return f.balance;
    case ColumnMeaning::Total:
        return f.total;
    case ColumnMeaning::PeriodInterest:
        return f.periodInterest;
    case ColumnMeaning::InterestToDate:
        return f.toDate;
    case ColumnMeaning::Date: // a plan's only
    case ColumnMeaning::Prepaid:
    case ColumnMeaning::Event:
        break;
    }
    return 0;
}

bool isCounter(ColumnMeaning meaning) {
    return meaning == ColumnMeaning::Period;
}

// What adds up over the rows: what is paid, and interest period by period. Balances, totals to
// date and counters do not.
bool addsUp(ColumnMeaning meaning) {
    return meaning == ColumnMeaning::Payment || meaning == ColumnMeaning::Principal ||
           meaning == ColumnMeaning::Interest || meaning == ColumnMeaning::PeriodInterest;
}

} // namespace

int Schedule::column(ColumnMeaning meaning) const {
    for (std::size_t c = 0; c < columns.size(); ++c)
        if (columns[c].meaning == meaning) return static_cast<int>(c);
    return -1;
}

const ScheduleShape* scheduleShape(std::string_view item) {
    const Shape* s = findShape(item);
    return s != nullptr ? &s->shape : nullptr;
}

bool hasSchedule(std::string_view item) {
    return findShape(item) != nullptr;
}

Schedule makeSchedule(const Calculation& calculation) {
    const Shape* shape = calculation.entry != nullptr ? findShape(calculation.entry->item) : nullptr;
    if (shape == nullptr) return {};
    Schedule s;
    s.kind = shape->shape.kind;
    s.title = shape->shape.title;
    s.columns = shape->shape.columns;
    s.decimals = calculation.entry->calc.decimals;
    const int d = s.decimals;
    std::vector<Units> sums(s.columns.size(), 0);
    const std::vector<Figures> figures = shape->rows(calculation, d);
    if (s.kind == Schedule::Kind::Loan && !figures.empty())
        s.opening = shownUnits(figures.front().principal + figures.front().balance, d);
    for (const Figures& f : figures) {
        std::vector<std::string> cells;
        std::vector<double> values;
        for (std::size_t c = 0; c < s.columns.size(); ++c) {
            const ColumnMeaning meaning = s.columns[c].meaning;
            if (isCounter(meaning)) {
                cells.push_back(plainNumber(f.counter));
                values.push_back(f.counter);
            } else {
                const Units u = unitsFor(f, meaning);
                cells.push_back(shownUnits(u, d));
                values.push_back(number(u, d));
                sums[c] += u;
            }
        }
        s.rows.push_back(std::move(cells));
        s.values.push_back(std::move(values));
    }
    // A totals row where a column adds up, under each such column.
    bool anyTotal = false;
    for (const ScheduleColumn& c : s.columns)
        anyTotal = anyTotal || addsUp(c.meaning);
    if (anyTotal) {
        s.totals.push_back("合計");
        for (std::size_t c = 1; c < s.columns.size(); ++c)
            s.totals.push_back(addsUp(s.columns[c].meaning) ? shownUnits(sums[c], d) : "");
    }
    return s;
}

LoanRows loanRows(const Calculation& calculation) {
    const Shape* shape = calculation.entry != nullptr ? findShape(calculation.entry->item) : nullptr;
    LoanRows out;
    if (shape == nullptr || shape->shape.kind != Schedule::Kind::Loan) return out;
    out.decimals = calculation.entry->calc.decimals;
    const auto& kinds = calculation.entry->kinds;
    for (std::size_t k = 0; k < kinds.size() && k < calculation.inputs.size(); ++k)
        if (kinds[k] == InputKind::Rate)
            out.ratePerPayment = Variant::fromText(calculation.inputs[k]).number();
    for (const Figures& f : shape->rows(calculation, out.decimals))
        out.rows.push_back({f.payment, f.principal, f.interest, f.balance});
    if (!out.rows.empty()) out.opening = out.rows.front().principal + out.rows.front().balance;
    return out;
}

std::vector<LoanFigures> settleLoan(std::span<const LoanStep> steps, Units opening, double rate) {
    std::vector<LoanRow> rows;
    rows.reserve(steps.size());
    for (const LoanStep& s : steps)
        rows.push_back({0.0, s.payment, s.balance});
    std::vector<LoanFigures> out;
    out.reserve(steps.size());
    for (const Figures& f : loan(rows, opening, rate))
        out.push_back({f.payment, f.principal, f.interest, f.balance});
    return out;
}

} // namespace kinri
