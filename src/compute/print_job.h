#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kinri {

struct CatalogueEntry;

// One line of a printout. A printer starts a text line at its column and leaves a blank line
// empty.
struct PrintLine {
    int column = 0;   // print column of the text (1 = the line's start); 0 for a blank line
    std::string text; // a blank line has empty text
};

// The print column of every line that carries text.
inline constexpr int kPrintColumn = 34;

// The printout of one calculation: eight blank lines, the family header, a blank line, one
// "label=" + input-as-typed line per input, a blank line, then the result line (label + the
// result box's text) or the table heading and its rows. Text lines start at print column 34.
std::vector<PrintLine> printJob(const CatalogueEntry& entry, std::span<const std::string> inputs,
                                std::string_view resultText, std::vector<std::string> tableRows);

// A printout as plain text, for the clipboard: one line per printed line, each ending in "\n",
// without the blank lines that open the job and without the indent of the print column, so that
// what is pasted carries exactly the texts of the paper.
std::string printText(std::span<const PrintLine> job);

} // namespace kinri
