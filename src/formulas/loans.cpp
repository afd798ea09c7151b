// Instalment loans: equal-principal, level-payment (annuity), add-on and graduated payments.
// Rates are per repayment interval; counts are numbers of payments.
#include "formulas/formulas.h"

namespace kinri::formulas {

// Equal principal: payment i repays P ÷ n of principal plus interest r on the n − i + 1 shares
// still owed before it.
double KAA_row(Inputs in, double i) {
    const Variant &p = in[0], &n = in[1], &r = in[2];
    const Variant share = p / n;
    return (((r * ((n - i) + 1)) + 1) * share).number();
}

// Equal principal: interest of the whole term, r × (n + 1)P ÷ 2.
double KAP(Inputs in) {
    const Variant &p = in[0], &n = in[1], &r = in[2];
    return (r * (((1 + n) * p) / 2)).number();
}

// Level payment that repays P in n payments: rP ÷ (1 − (1 + r)^−n).
double KA2C(Inputs in) {
    const Variant &p = in[0], &r = in[1], &n = in[2];
    return ((r * p) / (1 - power(1 + r, -n))).number();
}

// Number of level payments A that repay P: ln(A ÷ (A − rP)) ÷ ln(1 + r); not rounded.
double KA2N(Inputs in) {
    const Variant &a = in[0], &p = in[1], &r = in[2];
    const Variant d = naturalLog(1 + r);
    const Variant numerator = naturalLog(a / (a - (r * p)));
    return (numerator / d).number();
}

// Amount that n level payments of A repay: A(1 − (1 + r)^−n) ÷ r.
double KA2P(Inputs in) {
    const Variant &a = in[0], &r = in[1], &n = in[2];
    return ((a * (1 - power(1 + r, -n))) / r).number();
}

// Principal still owed when i level payments of A remain: the present value of those payments.
double KA2A_row(Inputs in, double i) {
    const Variant &a = in[0], &r = in[1];
    return ((a * (1 - power(1 + r, -Variant(i)))) / r).number();
}

// Add-on: the rate is charged on the whole amount for the whole term.
double KA3A(Inputs in) {
    const Variant &p = in[0], &r = in[1], &t = in[2];
    return ((p * r) * t).number();
}

// Add-on: amount plus add-on interest spread over n equal payments.
double KA3C(Inputs in) {
    const Variant &p = in[0], &r = in[1], &t = in[2], &n = in[3];
    return ((((r * t) + 1) * p) / n).number();
}

// Add-on rate per month whose payments P(1 ÷ n + rate) equal the level payments at real rate r.
double KA3R(Inputs in) {
    const Variant &r = in[0], &n = in[1];
    return ((r / (1 - power(1 + r, -n))) - (1 / n)).number();
}

namespace {
// Growth quotient of the graduated method: (1 + g) ÷ (1 + r).
Variant growthQuotient(const Variant& r, const Variant& g) {
    const Variant grown = 1 + g;
    const Variant discount = 1 + r;
    return grown / discount;
}
} // namespace

// Graduated payments: first payment of a loan P repaid by n payments growing by g each.
double KA4C(Inputs in) {
    const Variant &p = in[0], &r = in[1], &g = in[2], &n = in[3];
    const Variant numerator = (r - g) * p;
    const Variant q = growthQuotient(r, g);
    return (numerator / (1 - power(q, n))).number();
}

// Graduated payments: amount that n payments, the first C, repay.
double KA4A(Inputs in) {
    const Variant &c = in[0], &r = in[1], &g = in[2], &n = in[3];
    const Variant perUnit = c / (r - g);
    const Variant q = growthQuotient(r, g);
    return ((1 - power(q, n)) * perUnit).number();
}

// Graduated payments: number of payments, the first C, that repay P; not rounded.
double KA4N(Inputs in) {
    const Variant &p = in[0], &r = in[1], &g = in[2], &c = in[3];
    const Variant d = naturalLog(growthQuotient(r, g));
    const Variant numerator = naturalLog(1 - (((r - g) * p) / c));
    return (numerator / d).number();
}

} // namespace kinri::formulas
