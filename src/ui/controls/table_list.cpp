#include "ui/controls/table_list.h"

#include <QAbstractListModel>
#include <QTimer>

#include <memory>

namespace kinri::ui {

class TableList::Rows : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount()) return {};
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
            return QString::fromStdString(rows_[static_cast<std::size_t>(index.row())]);
        if (role == Qt::SizeHintRole && index.row() == rowCount() - 1 && rowSize_.isValid()) return rowSize_;
        return {};
    }

    void append(std::vector<std::string> rows) {
        if (rows.empty()) return;
        const int first = rowCount();
        beginInsertRows({}, first, first + static_cast<int>(rows.size()) - 1);
        if (rows_.empty()) {
            rows_ = std::move(rows);
        } else {
            rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()),
                         std::make_move_iterator(rows.end()));
        }
        endInsertRows();
    }

    void clear() {
        if (rows_.empty()) return;
        beginResetModel();
        letGo(std::exchange(rows_, {}));
        rowSize_ = {};
        endResetModel();
    }

    void setRowSize(QSize size) {
        rowSize_ = size;
        if (!rows_.empty())
            emit dataChanged(index(rowCount() - 1), index(rowCount() - 1), {Qt::SizeHintRole});
    }

    const std::string& at(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    const std::vector<std::string>& all() const { return rows_; }

private:
    // The rows a new table replaces are freed once the click that brought it has been painted:
    // 10000 blocks, cold by now, take longer to free than the new table took to compute.
    void letGo(std::vector<std::string> old) {
        if (old.empty()) return;
        QTimer::singleShot(
            0, this, [old = std::make_shared<std::vector<std::string>>(std::move(old))] { old->clear(); });
    }

    std::vector<std::string> rows_;
    QSize rowSize_;
};

TableList::TableList(QWidget* parent) : QListView(parent), rows_(new Rows(this)) {
    setModel(rows_);
    setUniformItemSizes(true);
}

int TableList::count() const {
    return rows_->rowCount();
}

QString TableList::text(int row) const {
    return QString::fromStdString(rows_->at(row));
}

bool TableList::isSelected(int row) const {
    return selectionModel()->isRowSelected(row, {});
}

const std::vector<std::string>& TableList::rows() const {
    return rows_->all();
}

void TableList::append(std::vector<std::string> rows) {
    rows_->append(std::move(rows));
}

void TableList::clear() {
    rows_->clear();
}

void TableList::setRowSize(QSize size) {
    rows_->setRowSize(size);
}

} // namespace kinri::ui
