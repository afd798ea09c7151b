#pragma once

#include "schedule/schedule.h"

#include <QString>

#include <string>
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

} // namespace kinri::ui
