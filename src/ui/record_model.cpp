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
        sizes_.erase(sizes_.begin(),
                     sizes_.begin() + static_cast<std::ptrdiff_t>(std::min(gone, sizes_.size())));
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
    sizes_.clear();
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

void RecordModel::setMeasure(std::function<QSize(const QString&)> measure) {
    measure_ = std::move(measure);
    sizes_.clear();
    if (!record_.entries().empty()) emit dataChanged(index(0), index(rowCount() - 1), {Qt::SizeHintRole});
}

// The heading, then the printout's lines after its header, up to kShownLines, and how many more
// there are.
QString RecordModel::shownText(const RecordEntry& e) const {
    QString shown = qs(recordHeading(e));
    int lines = 0, more = 0, texts = 0;
    for (const kinri::PrintLine& line : e.job) {
        texts += line.text.empty() ? 0 : 1;
        if (texts < 2) continue;
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

QVariant RecordModel::data(const QModelIndex& index, int role) const {
    const auto& all = record_.entries();
    if (!index.isValid() || static_cast<std::size_t>(index.row()) >= all.size()) return {};
    const auto row = static_cast<std::size_t>(index.row());
    const RecordEntry& e = all[row];
    switch (role) {
    case Qt::DisplayRole:
        return shownText(e);
    case Qt::AccessibleTextRole:
        return qs(recordHeading(e));
    case Qt::SizeHintRole:
        if (!measure_) return {};
        while (sizes_.size() < all.size())
            sizes_.push_back(measure_(shownText(all[sizes_.size()])));
        return sizes_[row];
    default:
        return {};
    }
}

} // namespace kinri::ui
