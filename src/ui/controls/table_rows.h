#pragma once

#include <QStyledItemDelegate>

#include <string>
#include <vector>

namespace kinri::ui {

// Paints the rows of a table as the list holds them — 「   12     140972.22222」 — with every
// value right-aligned under the others, so that the digits of all rows line up whatever a value's
// length (140972.22222 above 97569.44444); the row numbers are right-aligned by their own indent.
// What the list holds stays the text computed: copying and screen readers take it as it is.
class TableRows : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Takes the measure of a table's rows: the widest number part and the widest value, each in
    // characters of the fixed-pitch font. Returns the width a row needs in `fm`'s pixels.
    int measure(const std::vector<std::string>& rows, const QFontMetrics& fm);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    int valueRight_ = 0; // from the start of a row's text to the right end of every value
};

} // namespace kinri::ui
