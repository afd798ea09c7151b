#include "ui/record_model.h"

#include "ui/qt_text.h"

#include <algorithm>

namespace kinri::ui {

RecordModel::RecordModel(CalculationRecord& record, QObject* parent)
    : QAbstractListModel(parent), record_(record) {}

void RecordModel::add(const std::string& item, std::vector<kinri::PrintLine> job) {
    const std::size_t bytes = CalculationRecord::sizeOf(job);
    if (const std::size_t gone = record_.toDropFor(bytes); gone > 0) {
        beginRemoveRows({}, 0, static_cast<int>(gone) - 1);
        record_.dropOldest(gone);
        endRemoveRows();
    }
    const int row = static_cast<int>(record_.entries().size());
    beginInsertRows({}, row, row);
    record_.append(item, std::move(job));
    endInsertRows();
    emit changed();
}

void RecordModel::clear() {
    beginResetModel();
    record_.clear();
    endResetModel();
    emit changed();
}

std::vector<const RecordEntry*> RecordModel::entriesAt(QModelIndexList rows) const {
    std::vector<const RecordEntry*> out;
    const auto& all = record_.entries();
    if (rows.isEmpty()) {
        for (const RecordEntry& e : all)
            out.push_back(&e);
        return out;
    }
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& i : rows)
        if (i.isValid() && static_cast<std::size_t>(i.row()) < all.size())
            out.push_back(&all[static_cast<std::size_t>(i.row())]);
    return out;
}

int RecordModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(record_.entries().size());
}

QVariant RecordModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= record_.entries().size()) return {};
    const RecordEntry& e = record_.entries()[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        // The heading, then the printout's lines up to kShownLines and how many more there are.
        QString shown = qs(recordHeading(e));
        int lines = 0, more = 0;
        bool started = false;
        for (const kinri::PrintLine& line : e.job) {
            started = started || !line.text.empty();
            if (!started) continue;
            if (lines < kShownLines) {
                shown += u'\n' + qs(line.text);
                ++lines;
            } else {
                ++more;
            }
        }
        if (more > 0) shown += QStringLiteral("\n…（ほか %1 行）").arg(more);
        return shown;
    }
    if (role == Qt::AccessibleTextRole) return qs(recordHeading(e));
    return {};
}

} // namespace kinri::ui
