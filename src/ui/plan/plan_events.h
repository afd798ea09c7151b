#pragma once

#include "schedule/plan.h"

#include <QAbstractTableModel>

#include <vector>

namespace kinri::ui {

// A plan's events as an editable table: 種類, 回, 金額・年利, 間隔. Each row is one event as typed;
// a row whose figures cannot be read is kept as typed and left out of the plan, marked so.
class PlanEventsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Kind, At, Amount, Every, Columns };
    // The kinds as the 種類 column offers them, in this order.
    static const QStringList& kinds();

    explicit PlanEventsModel(QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // A new event at the end: a prepayment after five years of payments, by default.
    void addEvent();
    void removeEvent(int row);

    // The events that can be read, into `plan`.
    void fill(plan::Plan& plan) const;

signals:
    void eventsChanged();

private:
    struct Entry {
        int kind = 0;
        QString at = QStringLiteral("60");
        QString amount = QStringLiteral("1000000");
        QString every;
    };
    bool readable(const Entry& e) const;

    std::vector<Entry> entries_;
};

} // namespace kinri::ui
