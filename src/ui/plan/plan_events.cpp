#include "ui/plan/plan_events.h"

#include <QBrush>
#include <QColor>

#include <optional>

namespace kinri::ui {
namespace {

enum KindIndex { Shorten, Lower, RateNow, RateFiveYear };

std::optional<int> count(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok && n > 0 ? std::optional(n) : std::nullopt;
}

// A prepayment's amount: more than nothing.
std::optional<plan::Yen> yen(const QString& text) {
    const std::optional<plan::Yen> amount = plan::readYen(text.toStdString());
    return amount && *amount > 0 ? amount : std::nullopt;
}

bool isRate(int kind) {
    return kind == RateNow || kind == RateFiveYear;
}

} // namespace

const QStringList& PlanEventsModel::kinds() {
    static const QStringList all{QStringLiteral("繰上げ返済（期間短縮型）"),
                                 QStringLiteral("繰上げ返済（返済額軽減型）"), QStringLiteral("金利変更"),
                                 QStringLiteral("金利変更（5年・125%ルール）")};
    return all;
}

PlanEventsModel::PlanEventsModel(QObject* parent) : QAbstractTableModel(parent) {}

int PlanEventsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(entries_.size());
}

int PlanEventsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

QVariant PlanEventsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case Kind:
        return QStringLiteral("種類");
    case At:
        return QStringLiteral("回");
    case Amount:
        return QStringLiteral("金額（円）・年利（%）");
    case Every:
        return QStringLiteral("間隔（回）");
    default:
        return {};
    }
}

QVariant PlanEventsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const Entry& e = entries_[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        switch (index.column()) {
        case Kind:
            return role == Qt::EditRole ? QVariant(e.kind) : QVariant(kinds().at(e.kind));
        case At:
            return e.at;
        case Amount:
            return e.amount;
        case Every:
            return e.every;
        default:
            return {};
        }
    }
    if (role == Qt::ToolTipRole && !readable(e))
        return QStringLiteral(
            "回は 1 以上の整数、金額は円、年利は % で入力してください。この行は計算に入りません。");
    if (role == Qt::ForegroundRole && !readable(e)) return QBrush(QColor(0xEB, 0, 0));
    return {};
}

bool PlanEventsModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || index.row() >= rowCount()) return false;
    Entry& e = entries_[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case Kind: {
        const int kind = value.toInt();
        if (kind < 0 || kind >= kinds().size()) return false;
        if (isRate(kind) != isRate(e.kind))
            e.amount = isRate(kind) ? QStringLiteral("1.5") : QStringLiteral("1000000");
        e.kind = kind;
        break;
    }
    case At:
        e.at = value.toString();
        break;
    case Amount:
        e.amount = value.toString();
        break;
    case Every:
        e.every = value.toString();
        break;
    default:
        return false;
    }
    emit dataChanged(this->index(index.row(), 0), this->index(index.row(), Columns - 1));
    emit eventsChanged();
    return true;
}

Qt::ItemFlags PlanEventsModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    if (index.column() == Every && isRate(entries_[static_cast<std::size_t>(index.row())].kind))
        f &= ~Qt::ItemIsEditable; // a rate change happens once
    return f;
}

void PlanEventsModel::addEvent() {
    const int row = rowCount();
    beginInsertRows({}, row, row);
    entries_.push_back({});
    endInsertRows();
    emit eventsChanged();
}

void PlanEventsModel::removeEvent(int row) {
    if (row < 0 || row >= rowCount()) return;
    beginRemoveRows({}, row, row);
    entries_.erase(entries_.begin() + row);
    endRemoveRows();
    emit eventsChanged();
}

bool PlanEventsModel::readable(const Entry& e) const {
    if (!count(e.at)) return false;
    if (isRate(e.kind)) return plan::Rate::percent(e.amount.trimmed().toStdString()).has_value();
    return yen(e.amount) && (e.every.trimmed().isEmpty() || count(e.every));
}

void PlanEventsModel::fill(plan::Plan& plan) const {
    for (const Entry& e : entries_) {
        if (!readable(e)) continue;
        const int at = *count(e.at);
        if (isRate(e.kind)) {
            plan.rateChanges.push_back(
                {at, *plan::Rate::percent(e.amount.trimmed().toStdString()), e.kind == RateFiveYear});
        } else {
            plan.prepayments.push_back(
                {at, *yen(e.amount),
                 e.kind == Shorten ? plan::Prepay::ShortenTerm : plan::Prepay::LowerPayment,
                 count(e.every).value_or(0)});
        }
    }
}

} // namespace kinri::ui
