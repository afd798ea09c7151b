#include "ui/record/record_model.h"

#include "ui/common/memory.h"
#include "ui/common/qt_text.h"

#include <QTimer>

#include <algorithm>
#include <memory>

namespace kinri::ui {

RecordModel::RecordModel(CalculationRecord& record, QObject* parent)
    : QAbstractListModel(parent), record_(record) {}

void RecordModel::add(std::shared_ptr<const kinri::Calculation> calculation) {
    const std::size_t bytes = CalculationRecord::sizeOf(*calculation);
    if (const std::size_t gone = record_.toDropFor(bytes); gone > 0) {
        beginRemoveRows({}, 0, static_cast<int>(gone) - 1);
        // Freed once the click that brought the new one is over.
        QTimer::singleShot(
            0, this,
            [old = std::make_shared<std::vector<RecordEntry>>(record_.dropOldest(gone))] { old->clear(); });
        sizes_.erase(sizes_.begin(),
                     sizes_.begin() + static_cast<std::ptrdiff_t>(std::min(gone, sizes_.size())));
        endRemoveRows();
    }
    const int row = static_cast<int>(record_.entries().size());
    beginInsertRows({}, row, row);
    record_.append(std::move(calculation));
    endInsertRows();
    emit changed();
}

void RecordModel::clear() {
    beginResetModel();
    record_.clear();
    sizes_.clear();
    endResetModel();
    returnFreedMemory();
    emit changed();
}

std::vector<const kinri::Calculation*> RecordModel::entriesAt(QModelIndexList rows) const {
    std::vector<const kinri::Calculation*> out;
    const auto& all = record_.entries();
    if (rows.isEmpty()) {
        for (const RecordEntry& e : all)
            out.push_back(e.calculation.get());
        return out;
    }
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    for (const QModelIndex& i : rows)
        if (i.isValid() && static_cast<std::size_t>(i.row()) < all.size())
            out.push_back(all[static_cast<std::size_t>(i.row())].calculation.get());
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

PrintParts RecordModel::paperOf(const std::vector<const kinri::Calculation*>& entries) {
    PrintParts paper;
    for (const kinri::Calculation* c : entries) {
        const std::span<const kinri::PrintLine> lines = c->printout;
        if (lines.size() <= kHeaderLine) {
            paper.add(lines);
            continue;
        }
        paper.add(lines.first(kHeaderLine));
        paper.add(kinri::PrintLine{lines[kHeaderLine].column, recordHeading(*c)});
        paper.add(lines.subspan(kHeaderLine + 1));
    }
    paper.numberPages();
    return paper;
}

// The heading, then the printout's lines from its first input on (the header and the blank line
// under it give way to the heading), up to kShownLines, and how many more there are.
QString RecordModel::shownText(const kinri::Calculation& c) const {
    QString shown = qs(recordHeading(c));
    int lines = 0, more = 0;
    for (std::size_t k = kHeaderLine + 2; k < c.printout.size(); ++k) {
        const kinri::PrintLine& line = c.printout[k];
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
    const kinri::Calculation& c = *all[row].calculation;
    switch (role) {
    case Qt::DisplayRole:
        return shownText(c);
    case Qt::AccessibleTextRole: // heard as seen: the heading, the conditions, the result
        return shownText(c).split(u'\n', Qt::SkipEmptyParts).join(QStringLiteral("、"));
    case Qt::SizeHintRole:
        if (!measure_) return {};
        while (sizes_.size() < all.size())
            sizes_.push_back(measure_(shownText(*all[sizes_.size()].calculation)));
        return sizes_[row];
    default:
        return {};
    }
}

} // namespace kinri::ui
