#include "schedule/schedule.h"

#include "catalogue/catalogue.h"
#include "formulas/formulas.h"
#include "number/number_text.h"

#include <array>
#include <cmath>

namespace kinri {
namespace {

namespace f = formulas;

// A figure counted in units of its last shown decimal (0.001 or 0.00001 yen), so that sums and
// differences of shown figures are exact.
using Units = __int128;

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

std::string shown(Units u, int decimals) {
    if (u == 0) return "0";
    const bool negative = u < 0;
    if (negative) u = -u;
    std::string digits;
    for (; u > 0; u /= 10)
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(u % 10)));
    if (digits.size() <= static_cast<std::size_t>(decimals))
        digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
    digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, '.');
    return negative ? '-' + digits : digits;
}

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

struct Builder {
    Schedule s;
    void row(std::vector<std::string> cells, std::vector<double> values) {
        s.rows.push_back(std::move(cells));
        s.values.push_back(std::move(values));
    }
};

// A loan: each row's payment, and the balance after it (the last one of a whole count is zero);
// the principal is the fall of the shown balance and the interest the rest of the shown payment.
// Where the interest is what is fixed (KAP), the payment is made of the two.
struct LoanRow {
    double counter;
    Units payment;
    Units balance;
};

Schedule loan(const std::vector<LoanRow>& rows, Units opening, int decimals, std::string firstColumn,
              bool balanceBefore) {
    Builder b;
    b.s.kind = Schedule::Kind::Loan;
    b.s.title = "返済予定表";
    b.s.decimals = decimals;
    b.s.columns = {std::move(firstColumn), "返済額", "うち元金", "うち利息", "残高"};
    Units before = opening, paid = 0, principalSum = 0, interestSum = 0;
    for (const LoanRow& r : rows) {
        const Units principal = before - r.balance;
        const Units interest = r.payment - principal;
        paid += r.payment;
        principalSum += principal;
        interestSum += interest;
        // A balance shown before its payment (by remaining payments) is the one the row starts from.
        const Units shownBalance = balanceBefore ? before : r.balance;
        b.row({plainNumber(r.counter), shown(r.payment, decimals), shown(principal, decimals),
               shown(interest, decimals), shown(shownBalance, decimals)},
              {r.counter, number(r.payment, decimals), number(principal, decimals),
               number(interest, decimals), number(shownBalance, decimals)});
        before = r.balance;
    }
    b.s.totals = {"合計", shown(paid, decimals), shown(principalSum, decimals), shown(interestSum, decimals),
                  ""};
    return std::move(b.s);
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

} // namespace

bool hasSchedule(std::string_view item) {
    for (const std::string_view s : {"KAA", "KAP", "KA2C", "KA2P", "KA2A", "FA", "SA"})
        if (item == s) return true;
    return false;
}

Schedule makeSchedule(std::string_view item, const std::vector<std::string>& inputs) {
    const std::array<Variant, 4> in = variants(inputs);
    const Inputs all(in.data(), in.size());
    const CatalogueEntry* entry = findEntry(item);
    const int d = entry != nullptr ? entry->calc.decimals : 3;

    if (item == "KAA" || item == "KAP") {
        // Equal principal: P ÷ n repaid each time, interest on what is owed before the payment.
        const Variant &p = in[0], &n = in[1], &r = in[2];
        const double count = n.number();
        const std::vector<double> is = counters(count, false);
        const Variant share = is.empty() ? Variant(0.0) : p / n;
        std::vector<LoanRow> rows;
        Units interestSoFar = 0, before = unitsOf(p.number(), d);
        const Units opening = before;
        const Units totalInterest = item == "KAP" ? unitsOf(f::KAP(all), d) : 0;
        for (const double i : is) {
            const Units balance = isLast(i, count) ? 0 : unitsOf((p - (share * i)).number(), d);
            Units payment = 0;
            if (item == "KAA") {
                payment = unitsOf(f::KAA_row(all, i), d); // the very row of the table
            } else {
                // KAP fixes the interest: each row's rounded, the last one what makes the total.
                Units interest = unitsOf((r * (((n - i) + 1) * share)).number(), d);
                if (isLast(i, count)) interest = totalInterest - interestSoFar;
                interestSoFar += interest;
                payment = (before - balance) + interest;
            }
            rows.push_back({i, payment, balance});
            before = balance;
        }
        return loan(rows, opening, d, "回", false);
    }
    if (item == "KA2C" || item == "KA2P") {
        // Level payment: the balance grows by its interest and falls by the payment.
        const Variant& r = in[1];
        const Variant& n = in[2];
        const double count = n.number();
        const Variant payment = item == "KA2C" ? Variant(f::KA2C(all)) : in[0];
        Variant balance = item == "KA2C" ? in[0] : Variant(f::KA2P(all));
        const Units opening = unitsOf(balance.number(), d);
        const Units shownPayment = unitsOf(payment.number(), d);
        std::vector<LoanRow> rows;
        for (const double i : counters(count, false)) {
            balance = (balance * (1 + r)) - payment;
            rows.push_back({i, shownPayment, isLast(i, count) ? 0 : unitsOf(balance.number(), d)});
        }
        return loan(rows, opening, d, "回", false);
    }
    if (item == "KA2A") {
        // By remaining payments: the balance owed while i payments remain is the table's row.
        const Units shownPayment = unitsOf(in[0].number(), d);
        std::vector<LoanRow> rows;
        const std::vector<double> is = counters(in[2].number(), true);
        const Units opening = is.empty() ? 0 : unitsOf(f::KA2A_row(all, is.front()), d);
        for (const double i : is) {
            const double after = i - 1.0;
            rows.push_back({i, shownPayment, after > 0 ? unitsOf(f::KA2A_row(all, after), d) : 0});
        }
        return loan(rows, opening, d, "残り回数", true);
    }
    if (item == "FA" || item == "SA") {
        Builder b;
        b.s.kind = Schedule::Kind::Growth;
        b.s.title = "明細";
        b.s.decimals = d;
        const bool compound = item == "FA";
        b.s.columns = compound ? std::vector<std::string>{"期", "元利合計", "その期の利息", "利息累計"}
                               : std::vector<std::string>{"期", "元利合計", "利息累計"};
        const Units principal = unitsOf(in[0].number(), d);
        Units before = principal;
        for (const double k : counters(in[2].number(), false)) {
            const Units total = unitsOf(compound ? f::FA_row(all, k) : f::SA_row(all, k), d);
            const Units interest = total - before, toDate = total - principal;
            if (compound) {
                b.row({plainNumber(k), shown(total, d), shown(interest, d), shown(toDate, d)},
                      {k, number(total, d), number(interest, d), number(toDate, d)});
            } else {
                b.row({plainNumber(k), shown(total, d), shown(toDate, d)},
                      {k, number(total, d), number(toDate, d)});
            }
            before = total;
        }
        if (compound) b.s.totals = {"合計", "", shown(before - principal, d), ""};
        return std::move(b.s);
    }
    return {};
}

} // namespace kinri
