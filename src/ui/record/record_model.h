#pragma once

#include "compute/record.h"
#include "ui/paper/print_layout.h"

#include <QAbstractListModel>
#include <QSize>

#include <deque>
#include <functional>
#include <vector>

namespace kinri::ui {

// 計算記録 as rows for a view, one row a calculation, oldest first: its heading (family and time)
// and its printout, as copied. Every change to the record goes through here, so that the views
// stay in step: a new calculation is a row added at the end, the oldest let go rows removed at
// the top.
class RecordModel : public QAbstractListModel {
    Q_OBJECT
public:
    RecordModel(CalculationRecord& record, QObject* parent);

    // A calculation that succeeded.
    void add(std::shared_ptr<const kinri::Calculation> calculation);
    void add(const kinri::Calculation& calculation) {
        add(std::make_shared<const kinri::Calculation>(calculation));
    }
    void clear();

    const CalculationRecord& record() const { return record_; }
    // The calculations at `rows` (of this model), oldest first; all of them for none.
    std::vector<const kinri::Calculation*> entriesAt(QModelIndexList rows) const;

    // `entries` on paper, each as it prints alone but with its heading (family and time) in place
    // of its header, the pages numbered.
    static PrintParts paperOf(const std::vector<const kinri::Calculation*>& entries);

    // How a view measures a row's text; each entry is measured once, as a view asks for all of
    // them whenever rows come or go.
    void setMeasure(std::function<QSize(const QString&)> measure);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // How many lines of a long printout (a table) a row shows; copying and paper take them all.
    static constexpr int kShownLines = 24;

signals:
    // The record changed in any way (an entry added or let go, or cleared).
    void changed();

private:
    QString shownText(const kinri::Calculation& calculation) const;

    CalculationRecord& record_;
    std::function<QSize(const QString&)> measure_;
    mutable std::deque<QSize> sizes_; // of the entries measured so far, oldest first
};

} // namespace kinri::ui
