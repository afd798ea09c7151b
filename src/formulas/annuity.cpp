// Annuities drawn from a deposited sum; the first payment falls at the end of the first period.
#include "formulas/formulas.h"

namespace kinri::formulas {

// Deposit needed for n payments of A: A(1 − (1 + r)^−n) ÷ r.
double NC(Inputs in) {
    const Variant &a = in[0], &r = in[1], &n = in[2];
    const Variant t1 = r + 1;
    const Variant t2 = -n;
    const Variant t3 = power(t1, t2);
    const Variant t4 = 1 - t3;
    const Variant t5 = t4 * a;
    return (t5 / r).number();
}

// Payment per period that a deposit P yields over n periods: rP ÷ (1 − (1 + r)^−n).
double NA(Inputs in) {
    const Variant &p = in[0], &r = in[1], &n = in[2];
    const Variant t1 = r * p;
    const Variant t2 = r + 1;
    const Variant t3 = power(t2, -n);
    const Variant t4 = 1 - t3;
    return (t1 / t4).number();
}

// Number of payments of A that a deposit P lasts: ln(A ÷ (A − rP)) ÷ ln(1 + r). A payment that
// does not exceed the return rP never uses the deposit up: the logarithm fails.
double NN(Inputs in) {
    const Variant &a = in[0], &p = in[1], &r = in[2];
    const Variant d = naturalLog(r + 1);
    const Variant t1 = r * p;
    const Variant t2 = a - t1;
    const Variant t3 = a / t2;
    const Variant t4 = naturalLog(t3);
    return (t4 / d).number();
}

// Deposit needed for n payments starting at A and growing by g per period:
// A(1 − ((1 + g) ÷ (1 + r))^n) ÷ (r − g).
double NC2(Inputs in) {
    const Variant &a = in[0], &g = in[1], &r = in[2], &n = in[3];
    const Variant t1 = g + 1;
    const Variant t2 = r + 1;
    const Variant q = t1 / t2;
    const Variant t3 = power(q, n);
    const Variant t4 = 1 - t3;
    const Variant t5 = t4 * a;
    const Variant t6 = r - g;
    return (t5 / t6).number();
}

// Number of growing payments that a deposit P lasts: ln(1 − P(r − g) ÷ A) ÷ ln((1 + g) ÷ (1 + r)).
double NN2(Inputs in) {
    const Variant &p = in[0], &a = in[1], &g = in[2], &r = in[3];
    const Variant d = naturalLog((g + 1) / (r + 1));
    const Variant t1 = r - g;
    const Variant t2 = t1 * p;
    const Variant t3 = t2 / a;
    const Variant t4 = 1 - t3;
    const Variant t5 = naturalLog(t4);
    return (t5 / d).number();
}

} // namespace kinri::formulas
