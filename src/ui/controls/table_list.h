#pragma once

#include <QListView>

#include <string>
#include <vector>

namespace kinri::ui {

// A table's list (List1): its rows held as the calculation made them and turned into text for
// the screen only as they come into view, so that 10000 rows are listed in the time their first
// screenful takes rather than in that of 10000 list items. Every row takes the size of the last,
// which the window gives it once it has measured the table.
class TableList : public QListView {
    Q_OBJECT
public:
    explicit TableList(QWidget* parent);

    int count() const;
    QString text(int row) const;
    bool isSelected(int row) const;
    const std::vector<std::string>& rows() const;

    // Rows appended after those already listed; a list that was empty takes them as they are.
    void append(std::vector<std::string> rows);
    void clear();
    // The size of every row: the last row's, as measured by the window.
    void setRowSize(QSize size);

private:
    class Rows;
    Rows* rows_;
};

} // namespace kinri::ui
