// Simple interest: interest accrues on the principal only, proportionally to time.
// Rates are fractions per period (0.05 = 5 % per period); nothing converts years or percent.
#include "formulas/formulas.h"

namespace kinri::formulas {

// Interest on P at rate r for n periods: (P × r) × n.
double SP(Inputs in) {
    return ((in[0] * in[1]) * in[2]).number();
}

// Principal plus interest after period i: (r × i + 1) × P.
double SA_row(Inputs in, double i) {
    return (((in[1] * i) + 1) * in[0]).number();
}

// Rate that turns P into A in n periods: ((A − P) ÷ P) ÷ n.
double SR(Inputs in) {
    return (((in[0] - in[1]) / in[1]) / in[2]).number();
}

// Proceeds of discounting face value P at rate d for n periods: P × (1 − d × n).
double SA2(Inputs in) {
    return (in[0] * (1 - (in[1] * in[2]))).number();
}

// Discount rate from face value P and proceeds D: ((P − D) ÷ P) ÷ n.
double SR2(Inputs in) {
    return (((in[0] - in[1]) / in[0]) / in[2]).number();
}

// Face value to write when the interest is taken in advance from the proceeds D: D ÷ (1 − r × n).
double SC(Inputs in) {
    return (in[0] / (1 - (in[1] * in[2]))).number();
}

// Break-even between cancelling a time deposit early (earning rc) and borrowing against it
// (paying rl) while it runs to term at rd: the fraction of the term, counted from the deposit
// date, at which both cost the same. g is what one unit deposited is worth at maturity.
double SR3(Inputs in) {
    const Variant& rd = in[0];
    const Variant& rl = in[1];
    const Variant& rc = in[2];
    const Variant& t = in[3];
    const Variant g = 1 + (rd * t);
    const Variant numerator = (g * rl) - rd;
    const Variant denominator = (g * rl) - rc;
    return (numerator / denominator).number();
}

} // namespace kinri::formulas
