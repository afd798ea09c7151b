#pragma once

#include "catalogue/catalogue.h"
#include "compute/app_state.h"
#include "compute/calculation.h"
#include "compute/print_job.h"
#include "number/variant.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kinri {

enum class Message { None, InputRequired, CalculationError }; // none, "入力してください", the error message

// What one click of a compute button does to its window, in this order: the list emptied
// (ZOVAN3 always), the result box written or the list lines appended, the print job sent,
// and last the message box (the error message may follow a written result or appended rows).
struct Outcome {
    Message message = Message::None;
    std::optional<std::string> resultText; // set when the result box is written
    std::vector<std::string> listLines;    // lines appended to List1, in order (after it was emptied)
    std::vector<PrintLine> printJob;       // the whole job when one is printed, else empty
    bool listEmptied = false;              // List1 is emptied before anything else
    std::optional<CalcErrorReason> error;  // why, when the message is the calculation error
    // What the click produced, when its calculation succeeded: the one value that the window
    // keeps and the record, copying, paper and the schedule take.
    std::optional<Calculation> calculation;
};

// A table has at most this many rows; the next row is still listed, then the error is raised.
inline constexpr int kMaxTableRows = 10000;

// One click of the compute button of `window`: walks the window's tests against the selection
// variables of `state`; `boxes` holds the texts of the window's input boxes, Text1 first.
// Stores the inputs and the result in `state`.
Outcome computeClick(AppState& state, WindowId window, std::span<const std::string> boxes);

// Runs one compute click for `item` (e.g. "FA") as if its menu entry had just been chosen and the
// window's input boxes held `inputs` (Text1 first); printAfterCalc is PrintAfterCalc == 1.
Outcome runCalculation(std::string_view item, const std::vector<std::string>& inputs, bool printAfterCalc);

} // namespace kinri
