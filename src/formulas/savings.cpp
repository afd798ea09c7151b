// Savings plans: instalment time deposits (simple interest per instalment) and periodic
// savings compounded once per period, level or growing by a fixed rate.
#include "formulas/formulas.h"

namespace kinri::formulas {

// Monthly instalment time deposit: instalment k stays m − k + 1 months, so the months of all
// instalments add up to m(m + 1) ÷ 2, each earning the monthly rate i on A.

// Benefit paid on top of the instalments: A(m + 1)m ÷ 2 × i.
double TH(Inputs in) {
    const Variant &a = in[0], &m = in[1], &i = in[2];
    return ((((a * (m + 1)) * m) / 2) * i).number();
}

// Instalment for a maturity amount M: M ÷ ((m + 1)m × i ÷ 2 + m).
double TT(Inputs in) {
    const Variant &total = in[0], &m = in[1], &i = in[2];
    return (total / (((((m + 1) * m) * i) / 2) + m)).number();
}

// Monthly rate implied by maturity amount M and instalment A, in closed form.
double TR(Inputs in) {
    const Variant &total = in[0], &a = in[1], &m = in[2];
    return (((((total - (a * m)) / a) / (m + 1)) / m) * 2).number();
}

// Ordinary annuity: n deposits of A at the end of each period, valued at the last one.
double TA(Inputs in) {
    const Variant &a = in[0], &r = in[1], &n = in[2];
    return ((a * (power(1 + r, n) - 1)) / r).number();
}

// Annuity due: deposits at the start of each period, valued one period after the last one.
double TC(Inputs in) {
    const Variant &a = in[0], &r = in[1], &n = in[2];
    return (a * (((power(1 + r, n + 1) - 1) / r) - 1)).number();
}

// Deposit per period (at the start of each) that reaches the target F after n periods.
double TC2(Inputs in) {
    const Variant &f = in[0], &r = in[1], &n = in[2];
    const Variant numerator = f * r;
    const Variant grown = power(1 + r, n + 1);
    return (numerator / (grown - (1 + r))).number();
}

// Periods of deposits A (at the start of each) needed to reach F; not rounded to whole periods.
double TN(Inputs in) {
    const Variant &f = in[0], &r = in[1], &a = in[2];
    const Variant d = naturalLog(1 + r);
    const Variant ratio = ((f * r) / a) / (1 + r);
    return (naturalLog(1 + ratio) / d).number();
}

// Savings that grow by g each time, first S, compounded at r, valued one period after the last:
// S((1 + r)^(1 + n) − (1 + g)^n (1 + r)) ÷ (r − g).
double TA2(Inputs in) {
    const Variant &s = in[0], &r = in[1], &n = in[2], &g = in[3];
    const Variant first = power(1 + r, 1 + n);
    const Variant second = power(1 + g, n) * (1 + r);
    const Variant difference = first - second;
    return ((s * difference) / (r - g)).number();
}

// First saving needed to reach F with savings growing by g: the inverse of TA2.
// Note the box order: growth rate before the count.
double TA3(Inputs in) {
    const Variant &f = in[0], &r = in[1], &g = in[2], &n = in[3];
    const Variant numerator = f * (r - g);
    const Variant first = power(1 + r, 1 + n);
    const Variant second = power(1 + g, n) * (1 + r);
    return (numerator / (first - second)).number();
}

} // namespace kinri::formulas
