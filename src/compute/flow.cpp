#include "compute/flow.h"

#include "compute/print_job.h"
#include "number/number_text.h"
#include "number/variant.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace kinri {
namespace {

// Spaces that right-align the row number: 4 below 10, 3 below 100, 2 below 1000. From 1000 on
// the indent of the previous row stays, which only happens once the rows are that many.
void updateIndent(std::string& indent, double i) {
    if (i < 10) {
        indent.assign(4, ' ');
    } else if (i < 100) {
        indent.assign(3, ' ');
    } else if (i < 1000) {
        indent.assign(2, ' ');
    }
}

void runTable(const CatalogueEntry& entry, AppState& state, Inputs in, Outcome& out,
              std::vector<std::string>& printRows) {
    const TableShape& shape = entry.calc.table;
    const double bound = in[static_cast<std::size_t>(shape.boundInput)].number(); // converted once, up front
    const double step = shape.descending ? -1.0 : 1.0;
    // Either direction yields floor(bound) rows, and never more than the limit plus the one
    // row that trips it.
    if (bound >= 1.0) {
        const auto rows = static_cast<std::size_t>(std::min(std::floor(bound), double{kMaxTableRows + 1}));
        out.listLines.reserve(rows);
        printRows.reserve(rows);
    }
    std::string indent;
    const std::string listGap(static_cast<std::size_t>(shape.listGap), ' ');
    const std::string printGap(static_cast<std::size_t>(shape.printGap), ' ');
    for (double i = shape.descending ? bound : 1.0; shape.descending ? i >= 1.0 : i <= bound; i += step) {
        const double value = shape.row(in, i);
        state.result = value;
        const std::string valueText = formatResult(value, entry.calc.decimals);
        updateIndent(indent, i);
        const std::string number = plainNumber(i);

        std::string line;
        line.reserve(indent.size() + number.size() + listGap.size() + valueText.size());
        line.append(indent).append(number).append(listGap).append(valueText);
        out.listLines.push_back(std::move(line));

        // A row is kept for printing under its counter rounded to a whole number (halves to
        // even); the store holds rows 0 to 10000, and a row beyond it is an error, raised after
        // the row was listed. Rows are kept in the order computed, so a fractional counter
        // (2.5, 1.5 both round to 2) can neither repeat one row on paper nor lose another.
        const double slot = std::nearbyint(i);
        if (slot < 0 || slot > kMaxTableRows) throw CalcError(CalcErrorReason::RowLimit);
        std::string row;
        row.reserve(indent.size() + number.size() + printGap.size() + valueText.size() + 1);
        if (i < 10) row.push_back(' ');
        row.append(indent).append(number).append(printGap).append(valueText);
        printRows.push_back(std::move(row));
    }
}

// One calculation block: input check, storing the inputs, the formula, the shown result and the
// printout, which goes to the printer when printing is on. Returns false when the click must end
// here (a message was raised).
bool runBlock(const CatalogueEntry& entry, AppState& state, std::span<const std::string> boxes,
              Outcome& out) {
    const auto count = static_cast<std::size_t>(windowInfo(entry.window).inputCount);
    std::array<Variant, 4> in{0.0, 0.0, 0.0, 0.0};
    for (std::size_t k = 0; k < count; ++k) {
        if (k >= boxes.size() || boxes[k].empty()) {
            out.message = Message::InputRequired;
            return false;
        }
    }
    for (std::size_t k = 0; k < count; ++k) {
        state.inputs.at(k) = boxes[k];
        in.at(k) = Variant::fromText(boxes[k]);
    }
    ++state.calculations;
    const Inputs inputs(in.data(), count);
    const std::span<const std::string> typed = boxes.first(count);
    Calculation calc;
    try {
        if (entry.calc.isTable()) {
            std::vector<std::string> printRows;
            runTable(entry, state, inputs, out, printRows);
            calc.printout = printJob(entry, typed, {}, std::move(printRows));
        } else {
            const double value = entry.calc.single(inputs);
            state.result = value;
            out.resultText = formatResult(value, entry.calc.decimals);
            calc.resultText = out.resultText;
            calc.printout = printJob(entry, typed, *out.resultText, {});
        }
    } catch (const CalcError& e) {
        out.message = Message::CalculationError;
        out.error = e.reason();
        return false;
    }
    if (state.printAfterCalc()) out.printJob = calc.printout;
    calc.entry = &entry;
    calc.inputs.assign(typed.begin(), typed.end());
    calc.result = state.result;
    calc.conditions = conditionLines(entry, typed);
    calc.title = printoutTitle(entry);
    calc.time = std::chrono::system_clock::now();
    calc.number = state.calculations;
    out.calculation = std::move(calc);
    return true;
}

} // namespace

Outcome computeClick(AppState& state, WindowId window, std::span<const std::string> boxes) {
    Outcome out;
    out.listEmptied = window == WindowId::Zovan3;
    // The tests are independent, not an else-chain; at most one selection variable is non-zero,
    // so at most one block runs.
    for (const CatalogueEntry* entry : testedEntries(window)) {
        if (state.code(entry->family) != entry->code) continue;
        if (!runBlock(*entry, state, boxes, out)) break;
    }
    return out;
}

Outcome runCalculation(std::string_view item, const std::vector<std::string>& inputs, bool printAfterCalc) {
    const CatalogueEntry* entry = findEntry(item);
    if (entry == nullptr) return {};
    AppState state;
    state.reset();
    state.setPrintAfterCalc(printAfterCalc);
    state.select(*entry);
    return computeClick(state, entry->window, inputs);
}

} // namespace kinri
