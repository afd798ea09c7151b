#pragma once

#include "schedule/schedule.h"

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace kinri::ui {

// A schedule's lines as they leave the program, one vector of cells a line.
using ExportLines = std::vector<std::vector<std::string>>;

// The conditions (a line each) unless `rowsOnly`, the column headings, the rows (those at `rows`,
// in order, when some are given and not all) and the totals (after all the rows only, and not with
// `rowsOnly`).
ExportLines exportLines(const Schedule& schedule, const std::vector<std::string>& conditions,
                        std::vector<int> rows, bool rowsOnly);
// Tab-separated, a line each, for the clipboard.
QString tabSeparated(const ExportLines& lines);
// CSV as RFC 4180 writes it, lines ended by CR LF.
QString csv(const ExportLines& lines);

// The half-width columns `text` takes in the fixed-pitch face: a full-width character takes two.
int columnsOf(std::string_view text);
// The headings, the rows and the totals as lines for paper: each column as wide as its widest
// text, two spaces apart, figures right-aligned, 内容 left as it is, the totals' caption at the left.
std::vector<std::string> alignedLines(const Schedule& schedule);

} // namespace kinri::ui
