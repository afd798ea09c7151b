#pragma once

#include "number/variant.h"

#include <span>

namespace kinri {

// The inputs of one calculation, Text1 first, each still the text as typed.
using Inputs = std::span<const Variant>;

// A calculation that yields one number for the result box.
using SingleFormula = double (*)(Inputs in);

// The value of one row of a table calculation; `i` is the row counter.
using RowFormula = double (*)(Inputs in, double i);

// How a table calculation walks its rows and lays them out.
struct TableShape {
    bool descending =
        false;          // false: i = 1, 2 ... while i <= bound; true: i = bound, bound-1 ... while i >= 1
    int boundInput = 0; // index of the input that bounds the counter
    RowFormula row = nullptr;
    int listGap = 0;  // spaces between the row number and the value in the list
    int printGap = 5; // the same on paper
};

// What a calculation evaluates: one value, or a table of rows, and the decimals it is shown with.
struct Formula {
    int decimals = 3; // 3 for "0.000", 5 for "0.00000"
    SingleFormula single = nullptr;
    TableShape table{};
    bool isTable() const { return single == nullptr; }
};

} // namespace kinri
