// Compound interest: each period's interest is added to the principal and earns interest itself.
#include "formulas/formulas.h"

namespace kinri::formulas {

// Total after period k: P × (1 + r)^k. A negative 1 + r is fine here, k is whole.
double FA_row(Inputs in, double k) {
    return (in[0] * power(1 + in[1], k)).number();
}

// Rate per period that turns P into T in n periods: (T ÷ P)^(1 ÷ n) − 1.
double FR(Inputs in) {
    const Variant q = in[0] / in[1];
    const Variant e = 1 / in[2];
    return (power(q, e) - 1).number();
}

// Periods needed to grow P into T at rate r: ln(T ÷ P) ÷ ln(1 + r). Not rounded to whole
// periods: 14.2 periods says the target is reached during the fifteenth.
double FN(Inputs in) {
    const Variant d = naturalLog(1 + in[2]);
    return (naturalLog(in[0] / in[1]) / d).number();
}

// Principal needed now to reach T after n periods: T ÷ (1 + r)^n.
double FC(Inputs in) {
    const Variant a = 1 + in[1];
    const Variant b = power(a, in[2]);
    return (in[0] / b).number();
}

} // namespace kinri::formulas
