#include "ui/schedule/schedule_model.h"

#include "ui/common/qt_text.h"

namespace kinri::ui {

ScheduleModel::ScheduleModel(const Schedule& schedule, Rows rows, QObject* parent)
    : QAbstractTableModel(parent), schedule_(schedule), rows_(rows) {}

int ScheduleModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    if (rows_ == Rows::Totals) return schedule_.totals.empty() ? 0 : 1;
    return static_cast<int>(schedule_.rows.size());
}

int ScheduleModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(schedule_.columns.size());
}

const std::vector<std::string>& ScheduleModel::row(int r) const {
    return rows_ == Rows::Totals ? schedule_.totals : schedule_.rows[static_cast<std::size_t>(r)];
}

QVariant ScheduleModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    switch (role) {
    case Qt::DisplayRole:
        return qs(row(index.row())[static_cast<std::size_t>(index.column())]);
    case Qt::TextAlignmentRole:
        // Digits line up on the right; the totals row's label on the left.
        return rows_ == Rows::Totals && index.column() == 0 ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                                            : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant ScheduleModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || section < 0) return {};
    if (orientation == Qt::Horizontal && section < columnCount())
        return qs(schedule_.columns[static_cast<std::size_t>(section)].heading);
    return {};
}

} // namespace kinri::ui
