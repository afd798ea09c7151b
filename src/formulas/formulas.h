#pragma once

#include "formulas/formula.h"

// One function per calculation, named after its menu entry. Each evaluates its formula in a
// fixed order of operations on the Variant arithmetic, so that a text input is converted where
// it is first used and every step is checked.
namespace kinri::formulas {

// Simple interest
double SP(Inputs in);
double SA_row(Inputs in, double i);
double SR(Inputs in);
double SA2(Inputs in);
double SR2(Inputs in);
double SC(Inputs in);
double SR3(Inputs in);

// Compound interest
double FA_row(Inputs in, double k);
double FR(Inputs in);
double FN(Inputs in);
double FC(Inputs in);

// Savings plans
double TH(Inputs in);
double TT(Inputs in);
double TR(Inputs in);
double TA(Inputs in);
double TC(Inputs in);
double TC2(Inputs in);
double TN(Inputs in);
double TA2(Inputs in);
double TA3(Inputs in);

// Annuities
double NC(Inputs in);
double NA(Inputs in);
double NN(Inputs in);
double NC2(Inputs in);
double NN2(Inputs in);

// Instalment loans
double KAA_row(Inputs in, double i);
double KAP(Inputs in);
double KA2C(Inputs in);
double KA2N(Inputs in);
double KA2P(Inputs in);
double KA2A_row(Inputs in, double i);
double KA3A(Inputs in);
double KA3C(Inputs in);
double KA3R(Inputs in);
double KA4C(Inputs in);
double KA4A(Inputs in);
double KA4N(Inputs in);

} // namespace kinri::formulas
