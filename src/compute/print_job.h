#pragma once

#include "catalogue/caption.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kinri {

struct CatalogueEntry;

// One line of a printout. A printer starts a text line at its column and leaves a blank line
// empty.
//
// A line too wide for the sheet continues below, under the same column. A labelled line says
// where it may wrap: best between its caption "...=" and its value, else inside the caption at
// one of its breaks; never inside the value, a number that must read whole.
struct PrintLine {
    int column = 0;   // print column of the text (1 = the line's start); 0 for a blank line
    std::string text; // a blank line has empty text
    // Byte offset of the value in the text (the input as typed or the result's text); kNoValue
    // for a line without one (header, table heading and rows).
    std::size_t valueStart = kNoValue;
    // Permitted breaks inside the caption part (all of the text of a line without a value), byte
    // offsets into the text in ascending order.
    std::span<const BreakPoint> breaks = {};

    static constexpr std::size_t kNoValue = std::string::npos;
};

// The print column of every line that carries text.
inline constexpr int kPrintColumn = 34;
// The printout's header is its line after this many blank ones.
inline constexpr std::size_t kHeaderLine = 8;

// The printout of one calculation: eight blank lines, the family header, a blank line, one
// "label=" + input-as-typed line per input, a blank line, then the result line (label + the
// result box's text) or the table heading and its rows. Text lines start at print column 34.
std::vector<PrintLine> printJob(const CatalogueEntry& entry, std::span<const std::string> inputs,
                                std::string_view resultText, std::vector<std::string> tableRows);

// The conditions of a calculation as its printout carries them: the family header, then one
// "label=" + input-as-typed line per input.
std::vector<PrintLine> conditionLines(const CatalogueEntry& entry, std::span<const std::string> inputs);

// A printout as plain text, for the clipboard: one line per printed line, each ending in "\n",
// without the blank lines that open the job and without the indent of the print column, so that
// what is pasted carries exactly the texts of the paper.
std::string printText(std::span<const PrintLine> job);

} // namespace kinri
