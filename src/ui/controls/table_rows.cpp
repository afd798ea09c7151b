#include "ui/controls/table_rows.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include <algorithm>

namespace kinri::ui {
namespace {

// A row is its number part (indent, number, the run of spaces) and its value, which has none.
qsizetype valueStart(const QString& row) {
    return row.lastIndexOf(u' ') + 1;
}

} // namespace

int TableRows::measure(const std::vector<std::string>& rows, const QFontMetrics& fm) {
    std::size_t numbers = 0;
    std::size_t values = 0;
    for (const std::string& row : rows) {
        const std::size_t cut = row.find_last_of(' ') + 1; // npos + 1 is 0: a row of a value alone
        numbers = std::max(numbers, cut);
        values = std::max(values, row.size() - cut);
    }
    // The rows hold digits, signs, points and spaces only: in the fixed-pitch font all as wide.
    valueRight_ = fm.horizontalAdvance(QString(static_cast<qsizetype>(numbers + values), u'0'));
    return valueRight_;
}

void TableRows::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    const QString text = row.text;
    row.text.clear(); // the style paints background, selection and focus; the text is painted here
    const QWidget* view = option.widget;
    QStyle* style = view != nullptr ? view->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &row, painter, view);

    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &row, view);
    const bool selected = (row.state & QStyle::State_Selected) != 0;
    painter->save();
    painter->setFont(row.font);
    painter->setPen(row.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    if (valueRight_ <= 0) {
        painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, text); // not measured: as it is
    } else {
        const qsizetype cut = valueStart(text);
        painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, text.left(cut));
        painter->drawText(QRect(area.left(), area.top(), valueRight_, area.height()),
                          Qt::AlignRight | Qt::AlignVCenter, text.mid(cut));
    }
    painter->restore();
}

} // namespace kinri::ui
