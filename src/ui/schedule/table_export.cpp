#include "ui/schedule/table_export.h"

#include "ui/common/fonts.h"
#include "ui/common/qt_text.h"

#include <QStringList>

#include <algorithm>

namespace kinri::ui {

int columnsOf(std::string_view text) {
    int n = 0;
    for (const QChar c : qs(text))
        n += columnsOf(c);
    return n;
}

std::vector<std::string> alignedLines(const Schedule& schedule) {
    const ExportLines table = exportLines(schedule, {}, {}, true);
    std::vector<int> widths(schedule.columns.size(), 0);
    for (std::size_t c = 0; c < widths.size(); ++c) {
        for (const auto& cells : table)
            widths[c] = std::max(widths[c], columnsOf(cells[c]));
        if (!schedule.totals.empty()) widths[c] = std::max(widths[c], columnsOf(schedule.totals[c]));
    }
    std::vector<std::string> lines;
    const auto line = [&](const std::vector<std::string>& cells, bool totals) {
        std::string out;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            if (c > 0) out += "  ";
            const std::string pad(static_cast<std::size_t>(std::max(0, widths[c] - columnsOf(cells[c]))),
                                  ' ');
            if (schedule.columns[c].meaning == ColumnMeaning::Event)
                out += cells[c];
            else if (totals && c == 0)
                out += cells[c] + pad;
            else
                out += pad + cells[c];
        }
        lines.push_back(std::move(out));
    };
    for (const auto& cells : table)
        line(cells, false);
    if (!schedule.totals.empty()) line(schedule.totals, true);
    return lines;
}

ExportLines exportLines(const Schedule& schedule, const std::vector<std::string>& conditions,
                        std::vector<int> rows, bool rowsOnly) {
    ExportLines lines;
    if (!rowsOnly)
        for (const std::string& c : conditions)
            lines.push_back({c});
    std::vector<std::string> header;
    for (const ScheduleColumn& c : schedule.columns)
        header.emplace_back(c.heading);
    lines.push_back(std::move(header));
    std::sort(rows.begin(), rows.end());
    const bool some = !rows.empty() && rows.size() < schedule.rows.size(); // all: with totals
    if (some) {
        for (const int row : rows)
            lines.push_back(schedule.rows.at(static_cast<std::size_t>(row)));
    } else {
        lines.insert(lines.end(), schedule.rows.begin(), schedule.rows.end());
    }
    if (!rowsOnly && !some && !schedule.totals.empty()) lines.push_back(schedule.totals);
    return lines;
}

QString tabSeparated(const ExportLines& lines) {
    QStringList out;
    for (const auto& cells : lines) {
        QStringList line;
        for (const std::string& cell : cells)
            line << qs(cell);
        out << line.join(u'\t');
    }
    return out.join(u'\n') + u'\n';
}

// Figures are plain numbers ("-1234.500", "0") that a spreadsheet reads as numbers; a condition
// begins with its label, never with a sign a spreadsheet would take for a formula. A cell that
// needs quoting is quoted as RFC 4180 says.
QString csv(const ExportLines& lines) {
    QString out;
    for (const auto& cells : lines) {
        QStringList line;
        for (const std::string& cell : cells) {
            QString s = qs(cell);
            if (s.contains(u',') || s.contains(u'"') || s.contains(u'\n'))
                s = u'"' + s.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
            line << s;
        }
        out += line.join(u',') + QStringLiteral("\r\n");
    }
    return out;
}

} // namespace kinri::ui
