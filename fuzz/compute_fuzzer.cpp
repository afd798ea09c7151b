// Fuzzes one click of a compute button: any of the 37 calculations with arbitrary box texts, with
// printing on and then off, the schedule behind it, and the input aids on the same texts. A crash is not the
// only failure: every outcome is checked against what a window and the printer rely on, so a result box
// showing "inf", a table whose paper copy disagrees with its list, or an input echoed differently on paper
// than it was typed all stop the run.
//
// Input layout: byte 0 picks the calculation (index into catalogue(), modulo its size); the rest
// holds the box texts, Text1 first, separated by '\n'. The last box of the window takes whatever
// is left, further '\n' included, so that texts with line breaks are tried too; boxes the data
// does not reach stay empty.
#include "aid/input_aid.h"
#include "catalogue/catalogue.h"
#include "compute/flow.h"
#include "number/number_text.h"
#include "schedule/plan.h"
#include "schedule/schedule.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

using namespace kinri;

constexpr char kDelimiter = '\n';

// The calculation under test, kept for the failure report.
const CatalogueEntry* gEntry = nullptr;
const std::vector<std::string>* gInputs = nullptr;

std::string escaped(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (const char c : s) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '\\' || b == '"') {
            out.push_back('\\');
            out.push_back(c);
        } else if (b >= 0x20 && b < 0x7F) {
            out.push_back(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", b);
            out += buf;
        }
    }
    return out;
}

[[noreturn]] void fail(const char* what, std::string_view detail = {}) {
    std::fprintf(stderr, "\n*** kinri_compute_fuzzer: invariant broken: %s\n", what);
    if (!detail.empty()) std::fprintf(stderr, "    at: \"%s\"\n", escaped(detail).c_str());
    if (gEntry != nullptr) {
        std::fprintf(stderr, "    calculation: %.*s\n", static_cast<int>(gEntry->item.size()),
                     gEntry->item.data());
    }
    if (gInputs != nullptr) {
        for (std::size_t k = 0; k < gInputs->size(); ++k)
            std::fprintf(stderr, "    Text%zu: \"%s\"\n", k + 1, escaped((*gInputs)[k]).c_str());
    }
    std::fflush(stderr);
    std::abort();
}

void expect(bool ok, const char* what, std::string_view detail = {}) {
    if (!ok) fail(what, detail);
}

bool allDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// What a result box or a table row may show: "0" for an exact zero, otherwise the "0.000" or
// "0.00000" picture: optional minus, the whole part without padding zeros, the point and exactly
// `decimals` digits. Only digits are allowed, so "inf", "nan", an exponent or grouping all fail.
bool isNumberText(std::string_view s, int decimals) {
    if (s == "0") return true;
    if (!s.empty() && s.front() == '-') s.remove_prefix(1);
    const std::size_t point = s.find('.');
    if (point == std::string_view::npos || point == 0) return false;
    const std::string_view whole = s.substr(0, point);
    const std::string_view fraction = s.substr(point + 1);
    if (whole.size() > 1 && whole.front() == '0') return false;
    return allDigits(whole) && allDigits(fraction) && fraction.size() == static_cast<std::size_t>(decimals);
}

// One table line, list or paper: indent, row counter, gap, value text.
struct Row {
    std::string_view indent;
    std::string_view counter;
    std::string_view gap;
    std::string_view value;
};

std::optional<Row> splitRow(std::string_view line) {
    const std::size_t counterStart = line.find_first_not_of(' ');
    if (counterStart == std::string_view::npos) return std::nullopt;
    const std::size_t counterEnd = line.find(' ', counterStart);
    if (counterEnd == std::string_view::npos) return std::nullopt;
    const std::size_t valueStart = line.find_first_not_of(' ', counterEnd);
    if (valueStart == std::string_view::npos) return std::nullopt;
    const std::string_view value = line.substr(valueStart);
    if (value.find(' ') != std::string_view::npos) return std::nullopt;
    return Row{line.substr(0, counterStart), line.substr(counterStart, counterEnd - counterStart),
               line.substr(counterEnd, valueStart - counterEnd), value};
}

std::optional<double> readCounter(std::string_view text) {
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

// The indent that right-aligns a row counter: it depends on the counter below 1000 only, so a
// table that starts at 1000 or more (counting down) starts without one.
std::size_t indentFor(double i, std::size_t previous) {
    if (i < 10) return 4;
    if (i < 100) return 3;
    if (i < 1000) return 2;
    return previous;
}

// Checks the list lines of a table (and, after a success with printing on, its rows on paper).
// `printRows` points at the first row after the heading, or is null when there is no print job.
void checkTable(const CatalogueEntry& entry, const std::vector<std::string>& inputs, const Outcome& out,
                bool succeeded, const PrintLine* printRows) {
    const TableShape& shape = entry.calc.table;
    const std::vector<std::string>& lines = out.listLines;
    expect(lines.size() <= static_cast<std::size_t>(kMaxTableRows) + 1,
           "a table lists at most the row limit plus the row that trips it");

    // The counter runs over floor(bound) rows in either direction; rows that do not fit the
    // limit end the table with the error, so a finished table has at most kMaxTableRows.
    const std::optional<double> bound = parseNumber(inputs.at(static_cast<std::size_t>(shape.boundInput)));
    const double wanted = bound && *bound >= 1.0 ? std::floor(*bound) : 0.0;
    if (succeeded) {
        expect(bound.has_value(), "a table finished although its row count is not a number");
        expect(static_cast<double>(lines.size()) == wanted, "a finished table has floor(count) rows");
        expect(lines.size() <= static_cast<std::size_t>(kMaxTableRows),
               "a finished table exceeds the row limit");
    } else {
        expect(static_cast<double>(lines.size()) <= std::min(wanted, double{kMaxTableRows + 1}),
               "a failed table listed more rows than its count allows");
    }

    std::size_t indent = 0;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const std::string& line = lines[k];
        const std::optional<Row> row = splitRow(line);
        expect(row.has_value(), "a list line is not indent, counter, gap, value", line);
        expect(isNumberText(row->value, entry.calc.decimals), "a list value breaks the number format", line);
        expect(row->gap.size() == static_cast<std::size_t>(shape.listGap), "a list line has the wrong gap",
               line);

        const double i = shape.descending ? *bound - static_cast<double>(k) : static_cast<double>(k + 1);
        if (shape.descending) {
            const std::optional<double> counter = readCounter(row->counter);
            expect(counter.has_value(), "a row counter is not a plain number", line);
            expect(std::fabs(*counter - i) <= 1e-12 * std::max(1.0, std::fabs(i)),
                   "a descending table skipped or repeated a counter", line);
        } else {
            expect(row->counter == std::to_string(k + 1), "an ascending table's counters are not 1, 2, 3 ...",
                   line);
        }
        indent = indentFor(i, indent);
        expect(row->indent.size() == indent, "a list line's indent does not right-align its counter", line);

        if (printRows == nullptr) continue;
        const std::string& paper = printRows[k].text;
        const std::optional<Row> printed = splitRow(paper);
        expect(printed.has_value(), "a printed row is not indent, counter, gap, value", paper);
        expect(printed->value == row->value, "a printed row's value differs from its list line", paper);
        expect(printed->counter == row->counter, "a printed row's counter differs from its list line", paper);
        expect(printed->gap.size() == static_cast<std::size_t>(shape.printGap),
               "a printed row has the wrong gap", paper);
        // On paper a row below 10 carries one leading space more than its list line.
        expect(printed->indent.size() == row->indent.size() + (i < 10 ? 1 : 0),
               "a printed row's indent does not follow its list line", paper);
    }
}

// The print job of a successful calculation: its fixed frame, the inputs exactly as typed and the
// result (or the table, whose rows checkTable compares with the list).
const PrintLine* checkPrintJob(const CatalogueEntry& entry, const std::vector<std::string>& inputs,
                               const Outcome& out) {
    const std::vector<PrintLine>& job = out.printJob;
    const std::size_t n = inputs.size();
    const std::size_t frame = 8 + 1 + 1 + n + 1 + 1;
    const std::size_t rows = entry.calc.isTable() ? out.listLines.size() : 0;
    expect(job.size() == frame + rows, "the print job has the wrong number of lines");

    for (const PrintLine& line : job) {
        if (line.text.empty()) {
            expect(line.column == 0, "a blank printed line carries a column");
        } else {
            expect(line.column == kPrintColumn, "a printed line does not start at the print column",
                   line.text);
        }
    }
    for (std::size_t k = 0; k < 8; ++k)
        expect(job[k].text.empty(), "the print job does not start with eight blank lines", job[k].text);
    expect(job[8].text == familyInfo(entry.family).printHeader, "the print job's header is wrong",
           job[8].text);
    expect(job[9].text.empty(), "no blank line after the header", job[9].text);
    for (std::size_t k = 0; k < n; ++k) {
        const std::string& line = job[10 + k].text;
        expect(line == entry.printLabel(k) + inputs[k],
               "an input is not printed as its label followed by the text exactly as typed", line);
    }
    expect(job[10 + n].text.empty(), "no blank line after the inputs", job[10 + n].text);
    const std::string& last = job[11 + n].text;
    if (entry.calc.isTable()) {
        expect(last == entry.printHeading(), "the table heading is wrong", last);
        return job.data() + 12 + n;
    }
    expect(last == entry.printHeading() + *out.resultText,
           "the result line is not its label followed by the result box's text", last);
    return nullptr;
}

void checkOutcome(const CatalogueEntry& entry, const std::vector<std::string>& inputs, const Outcome& out) {
    const bool table = entry.calc.isTable();
    expect(out.listEmptied == (entry.window == WindowId::Zovan3),
           "the list is emptied other than exactly for the table window");

    const bool anyEmpty =
        std::any_of(inputs.begin(), inputs.end(), [](const std::string& s) { return s.empty(); });
    expect(out.error.has_value() == (out.message == Message::CalculationError),
           "the error message without its reason, or a reason without the message");
    if (out.error == CalcErrorReason::RowLimit)
        expect(table && !out.listLines.empty(), "the row limit reported without a listed row");
    switch (out.message) {
    case Message::InputRequired:
        expect(anyEmpty, "the input message for boxes that all hold something");
        expect(!out.resultText, "the input message with a result");
        expect(out.listLines.empty(), "the input message with list lines");
        expect(out.printJob.empty(), "the input message with a print job");
        return;
    case Message::CalculationError:
        expect(!anyEmpty, "the error message although a box is empty");
        expect(out.printJob.empty(), "a print job although the calculation failed");
        expect(!out.resultText, "a result text although the calculation failed");
        if (table) {
            checkTable(entry, inputs, out, false, nullptr);
        } else {
            expect(out.listLines.empty(), "a single-value calculation listed lines");
        }
        return;
    case Message::None:
        expect(!anyEmpty, "a box is empty, yet no input message");
        expect(!out.printJob.empty(), "a successful calculation printed nothing with printing on");
        if (table) {
            expect(!out.resultText, "a table calculation wrote a result box");
            const PrintLine* rows = checkPrintJob(entry, inputs, out);
            checkTable(entry, inputs, out, true, rows);
        } else {
            expect(out.resultText.has_value(), "a single-value calculation succeeded without a result");
            expect(isNumberText(*out.resultText, entry.calc.decimals),
                   "the result text breaks the number format", *out.resultText);
            expect(out.listLines.empty(), "a single-value calculation listed lines");
            checkPrintJob(entry, inputs, out);
        }
        return;
    }
    fail("the outcome carries an unknown message");
}

// The input aids on the same texts: what they read, and what the aid would put into a box, must
// be what the boxes read as the same number.
void checkAids(const CatalogueEntry& entry, const std::vector<std::string>& inputs) {
    for (std::size_t k = 0; k < inputs.size(); ++k) {
        const InputKind kind = entry.kinds.at(k);
        (void)aid::reading(kind, inputs[k], 12);
        if (const auto h = aid::hint(kind, inputs[k]))
            expect(parseNumber(h->suggestion).has_value(), "a hint suggests no number", h->suggestion);
        const auto typed = parseNumber(inputs[k]);
        for (const int perYear : aid::kPerYearChoices) {
            const auto c = aid::convert(kind, inputs[k], perYear);
            expect(c.has_value() == (typed.has_value() && (isRate(kind) || isCount(kind))),
                   "the aid and the boxes disagree on what is a number", inputs[k]);
            if (!c || std::fabs(*typed) > 1e300) continue;
            const auto value = parseNumber(c->value);
            expect(value.has_value(), "the aid's figure is no number", c->value);
            const double want = isRate(kind) ? *typed / 100.0 / perYear : *typed * perYear;
            expect(*value == want || std::fabs(*value - want) <= 1e-12 * std::fabs(want) + 1e-300,
                   "the aid's figure is another number", c->value);
            // And back: the annual figure the box now stands for is the one typed, where the
            // conversion did not have to round.
            const std::string back = aid::annualFigure(kind, c->value, perYear);
            const auto annual = parseNumber(back);
            if (c->exact && annual)
                expect(*annual == *typed || std::fabs(*annual - *typed) <= 1e-12 * std::fabs(*typed),
                       "the aid's figure stands for another annual figure", back);
        }
        for (const int perYear : aid::kPerYearChoices) {
            const std::string annual = aid::annualFigure(kind, inputs[k], perYear);
            expect(annual.empty() || parseNumber(annual).has_value(), "an annual figure that is no number",
                   annual);
        }
    }
}

// A shown figure in units of its last decimal ("1234.560" is 1234560), exactly, or nothing when
// the cell is no figure.
std::optional<__int128> units(std::string_view cell) {
    __int128 u = 0;
    bool digit = false;
    for (const char c : cell.substr(cell.starts_with('-') ? 1 : 0)) {
        if (c == '.') continue;
        if (c < '0' || c > '9') return std::nullopt;
        u = u * 10 + (c - '0');
        digit = true;
    }
    if (!digit) return std::nullopt;
    return cell.starts_with('-') ? -u : u;
}

// The schedule behind a calculation that succeeded: it fails only as a calculation may, and every
// row holds a figure under each column, its principal and interest adding up to its payment as
// shown.
// A plan of the loan. In the program's rounding without events it is the calculation's very
// schedule. With a prepayment and a rate change taken from the loan's own figures, in both
// roundings: nothing negative, every payment its principal and interest, the loan repaid.
void checkPlan(const Calculation& calculation, const Schedule& schedule) {
    std::optional<plan::Loan> loan;
    try {
        loan = plan::loanOf(calculation);
    } catch (const CalcError&) {
        return;
    }
    if (!loan) return;
    plan::Plan p;
    p.loan = *loan;
    p.rounding = plan::Rounding::Program;
    p.origin = std::make_shared<const Calculation>(calculation);
    const plan::Result plain = plan::run(p);
    // Its figures are 64-bit counts of the schedule's units: a loan, or payments adding up, beyond
    // that is refused with a message, and only such a loan.
    const int paid = schedule.column(ColumnMeaning::Payment);
    const std::optional<__int128> total =
        schedule.totals.empty() ? std::nullopt : units(schedule.totals[static_cast<std::size_t>(paid)]);
    const std::optional<__int128> opening = units(schedule.opening);
    const auto most = static_cast<__int128>(std::numeric_limits<std::int64_t>::max());
    const bool fits = total && opening && *total <= most && *opening <= most;
    expect(plain.problem.empty() == fits, "a plan refused a loan that fits, or took one that does not",
           plain.problem);
    if (!fits) return;
    const Schedule none = plan::asSchedule(plain);
    expect(none.rows.size() == schedule.rows.size(),
           "a plan without events is not its calculation's schedule");
    for (std::size_t r = 0; r < none.rows.size(); ++r)
        for (const ColumnMeaning m :
             {ColumnMeaning::Payment, ColumnMeaning::Interest, ColumnMeaning::Balance})
            expect(none.rows[r][static_cast<std::size_t>(none.column(m))] ==
                       schedule.rows[r][static_cast<std::size_t>(schedule.column(m))],
                   "a plan without events is not its calculation's schedule", none.rows[r][0]);

    const int n = plan::paymentsOf(*loan);
    p.prepayments = {{std::max(1, n / 3), loan->amount / 4 + 1,
                      n % 2 == 0 ? plan::Prepay::ShortenTerm : plan::Prepay::LowerPayment, n % 5}};
    p.rateChanges = {
        {std::max(1, n / 2), plan::Rate{(loan->rate.perBillion * 3 + 7'000'000) % 1'000'000'001}, false}};
    for (const plan::Rounding rounding : {plan::Rounding::Yen, plan::Rounding::Program}) {
        p.rounding = rounding;
        const plan::Result r = plan::run(p);
        if (r.rows.empty()) continue; // too large for the program's units: said, not shown
        plan::Yen principal = 0;
        for (const plan::Row& row : r.rows) {
            expect(row.payment >= 0 && row.principal >= 0 && row.interest >= 0 && row.balance >= 0 &&
                       row.prepaid >= 0,
                   "a plan has a negative figure", row.event);
            expect(row.payment == row.principal + row.interest,
                   "a plan's payment is not its principal and interest");
            principal += row.principal + row.prepaid;
        }
        expect(r.rows.back().balance != 0 || principal == r.opening,
               "a repaid plan's principal is not its loan");
    }
}

void checkSchedule(const Calculation& calculation) {
    if (!hasSchedule(calculation.entry->item)) return;
    Schedule s;
    try {
        s = makeSchedule(calculation);
    } catch (const CalcError&) {
        return;
    }
    expect(s.rows.size() == s.values.size() && s.rows.size() <= static_cast<std::size_t>(kMaxTableRows),
           "a schedule's rows and figures differ in number");
    const int payment = s.column(ColumnMeaning::Payment), principal = s.column(ColumnMeaning::Principal),
              interest = s.column(ColumnMeaning::Interest);
    for (std::size_t r = 0; r < s.rows.size(); ++r) {
        const auto& row = s.rows[r];
        expect(row.size() == s.columns.size() && s.values[r].size() == s.columns.size(),
               "a schedule row without a cell for each column");
        for (std::size_t c = 0; c < row.size(); ++c) {
            expect(units(row[c]).has_value() || parseNumber(row[c]).has_value(),
                   "a schedule cell is no figure", row[c]);
            expect(std::isfinite(s.values[r][c]), "a schedule figure is not finite", row[c]);
        }
        if (payment >= 0 && principal >= 0 && interest >= 0)
            expect(units(row[static_cast<std::size_t>(payment)]) ==
                       *units(row[static_cast<std::size_t>(principal)]) +
                           *units(row[static_cast<std::size_t>(interest)]),
                   "principal and interest do not add up to the payment",
                   row[static_cast<std::size_t>(payment)]);
    }
    if (s.kind == Schedule::Kind::Loan) checkPlan(calculation, s);
}

} // namespace

// The harness relies on the catalogue's shape; a catalogue that changed under it would make the
// checks above report nonsense, so it is verified once before fuzzing starts.
extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    const auto all = catalogue();
    expect(all.size() == 37, "the catalogue does not hold 37 calculations");
    for (const CatalogueEntry& entry : all) {
        gEntry = &entry;
        const int count = windowInfo(entry.window).inputCount;
        expect(count >= 2 && count <= 4, "a window has an unexpected number of input boxes");
        expect(entry.calc.isTable() == (entry.window == WindowId::Zovan3),
               "table calculations and the table window do not coincide");
        expect(entry.calc.decimals == 3 || entry.calc.decimals == 5, "a calculation has an unknown format");
        if (entry.calc.isTable()) {
            expect(entry.calc.table.row != nullptr, "a table calculation has no row formula");
            expect(entry.calc.table.boundInput >= 0 && entry.calc.table.boundInput < count,
                   "a table's row count is not one of its boxes");
        }
        for (int k = 0; k < count; ++k) {
            const std::string label = entry.printLabel(static_cast<std::size_t>(k));
            expect(!label.empty() && label.back() == '=', "a printed input label does not end in '='", label);
        }
    }
    gEntry = nullptr;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const auto all = catalogue();
    const CatalogueEntry& entry = all[data[0] % all.size()];
    const auto count = static_cast<std::size_t>(windowInfo(entry.window).inputCount);

    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::vector<std::string> inputs;
    inputs.reserve(count);
    bool more = true;
    for (std::size_t k = 0; k < count; ++k) {
        if (!more) {
            inputs.emplace_back();
        } else if (k + 1 == count) {
            inputs.emplace_back(rest);
        } else if (const std::size_t end = rest.find(kDelimiter); end == std::string_view::npos) {
            inputs.emplace_back(rest);
            more = false;
        } else {
            inputs.emplace_back(rest.substr(0, end));
            rest.remove_prefix(end + 1);
        }
    }
    gEntry = &entry;
    gInputs = &inputs;

    const Outcome printed = runCalculation(entry.item, inputs, true);
    checkOutcome(entry, inputs, printed);

    // The print switch only decides whether paper comes out; it must not change what the window
    // shows, and with it off nothing is printed.
    const Outcome quiet = runCalculation(entry.item, inputs, false);
    expect(quiet.printJob.empty(), "a print job with printing off");
    expect(quiet.message == printed.message, "the print switch changed the message");
    expect(quiet.resultText == printed.resultText, "the print switch changed the result",
           quiet.resultText.value_or(""));
    expect(quiet.listLines == printed.listLines, "the print switch changed the list");
    expect(quiet.listEmptied == printed.listEmptied, "the print switch changed whether the list is emptied");

    checkAids(entry, inputs);
    if (quiet.calculation) checkSchedule(*quiet.calculation);
    gEntry = nullptr;
    gInputs = nullptr;
    return 0;
}
