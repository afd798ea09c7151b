#include "ui/plan/plan_window.h"

#include "ui/common/command_row.h"
#include "ui/common/fonts.h"
#include "ui/common/qt_text.h"
#include "ui/help/help_viewer.h"
#include "ui/help/help_window.h"
#include "ui/paper/paper_service.h"
#include "ui/plan/plan_events.h"
#include "ui/schedule/schedule_chart.h"
#include "ui/schedule/schedule_model.h"
#include "ui/schedule/table_export.h"

#include <QAction>

#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

namespace kinri::ui {
namespace {

// The 種類 column edited with a list of the kinds.
class KindDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        if (index.column() != PlanEventsModel::Kind)
            return QStyledItemDelegate::createEditor(parent, option, index);
        auto* box = new QComboBox(parent);
        box->addItems(PlanEventsModel::kinds());
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            box->setCurrentIndex(index.data(Qt::EditRole).toInt());
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        if (auto* box = qobject_cast<QComboBox*>(editor)) {
            model->setData(index, box->currentIndex(), Qt::EditRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }
};

// An amount in units of 10^−decimals yen, grouped: 「107,164円」, 「107,164.276円」.
QString yenText(plan::Yen units, int decimals = 0) {
    plan::Yen unit = 1;
    for (int i = 0; i < decimals; ++i)
        unit *= 10;
    const QString whole =
        QLocale(QLocale::Japanese, QLocale::Japan).toString(static_cast<qlonglong>(units / unit));
    const QString fraction =
        decimals > 0 ? QStringLiteral(".%1").arg(std::abs(units % unit), decimals, 10, QLatin1Char('0'))
                     : QString();
    return (units < 0 && units / unit == 0 ? QStringLiteral("-") : QString()) + whole + fraction +
           QStringLiteral("円");
}

QString whenText(const plan::Result& r) {
    if (r.rows.empty()) return {};
    return QStringLiteral("%1年%2月").arg(r.rows.back().year).arg(r.rows.back().month);
}

QString monthsText(int months) {
    if (months == 0) return QStringLiteral("なし");
    return QStringLiteral("%1年%2か月").arg(months / 12).arg(months % 12);
}

std::optional<plan::Yen> yenOf(const QLineEdit* box) {
    return plan::readYen(box->text().toStdString());
}

QSpinBox* spin(int from, int to, int value, const QString& suffix) {
    auto* box = new QSpinBox;
    box->setRange(from, to);
    box->setValue(value);
    box->setSuffix(suffix);
    return box;
}

} // namespace

PlanWindow::PlanWindow(PaperService& paper, HelpViewer& help, QWidget* parent)
    : QWidget(parent, Qt::Window), paper_(paper) {
    setObjectName(QStringLiteral("PlanWindow"));
    setWindowTitle(QStringLiteral("返済プラン"));
    setAttribute(Qt::WA_QuitOnClose, false);

    amount_ = new QLineEdit(QStringLiteral("35000000"));
    rate_ = new QLineEdit(QStringLiteral("1.5"));
    years_ = new QLineEdit(QStringLiteral("35"));
    amount_->setObjectName(QStringLiteral("PlanAmount"));
    rate_->setObjectName(QStringLiteral("PlanRate"));
    years_->setObjectName(QStringLiteral("PlanTerm"));
    years_->setToolTip(QStringLiteral("年数、または「420回」のように返済回数"));
    method_ = new QComboBox;
    method_->addItems({QStringLiteral("元利均等"), QStringLiteral("元金均等")});
    startYear_ = spin(1900, 2200, QDate::currentDate().year() + 1, QStringLiteral("年"));
    startMonth_ = spin(1, 12, 1, QStringLiteral("月"));
    bonus_ = new QLineEdit(QStringLiteral("0"));
    bonus_->setObjectName(QStringLiteral("PlanBonus"));
    bonusMonths_[0] = spin(1, 12, 6, QStringLiteral("月"));
    bonusMonths_[1] = spin(1, 12, 12, QStringLiteral("月"));
    // Boxes that share a row of the form have no caption of their own for a screen reader.
    startYear_->setAccessibleName(QStringLiteral("返済開始の年"));
    startMonth_->setAccessibleName(QStringLiteral("返済開始の月"));
    bonus_->setAccessibleName(QStringLiteral("ボーナス返済分（円）"));
    bonus_->setToolTip(QStringLiteral("円で、または「20%」のように借入額に対する割合で"));
    bonusMonths_[0]->setAccessibleName(QStringLiteral("ボーナス返済の月（1回目）"));
    bonusMonths_[1]->setAccessibleName(QStringLiteral("ボーナス返済の月（2回目）"));
    rounding_ = new QComboBox;
    rounding_->setObjectName(QStringLiteral("PlanRounding"));
    rounding_->setAccessibleName(QStringLiteral("端数の扱い"));
    rounding_->addItem(QStringLiteral("円単位（1円未満切り捨て）"));
    rounding_->addItem(QStringLiteral("小数第3位（返済予定表と同じ）"));
    rounding_->setToolTip(QStringLiteral(
        "円単位: 利息と返済額は1円未満を切り捨て、切り捨てた端数は最終回で精算します。\n"
        "小数第3位: 返済予定表と同じく0.001円まで（元金均等 KAA の計算からは0.00001円まで）計算します。"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("借入額（円）"), amount_);
    form->addRow(QStringLiteral("年利（%）"), rate_);
    form->addRow(QStringLiteral("返済期間（年）"), years_);
    form->addRow(QStringLiteral("返済方法"), method_);
    auto* start = new QHBoxLayout;
    start->addWidget(startYear_);
    start->addWidget(startMonth_);
    form->addRow(QStringLiteral("返済開始"), start);
    auto* bonus = new QHBoxLayout;
    bonus->addWidget(bonus_, 1);
    bonus->addWidget(bonusMonths_[0]);
    bonus->addWidget(bonusMonths_[1]);
    form->addRow(QStringLiteral("ボーナス返済分（円）"), bonus);
    form->addRow(QStringLiteral("端数"), rounding_);

    events_ = new PlanEventsModel(this);
    eventsView_ = new QTableView;
    eventsView_->setObjectName(QStringLiteral("PlanEvents"));
    eventsView_->setAccessibleName(QStringLiteral("イベント"));
    eventsView_->setModel(events_);
    eventsView_->setItemDelegate(new KindDelegate(eventsView_));
    eventsView_->setEditTriggers(QAbstractItemView::AllEditTriggers);
    eventsView_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    eventsView_->verticalHeader()->hide();
    auto* add = new QPushButton(QStringLiteral("イベントを追加(&A)"));
    add->setObjectName(QStringLiteral("PlanAddEvent"));
    auto* remove = new QPushButton(QStringLiteral("イベントを削除(&D)"));
    remove->setObjectName(QStringLiteral("PlanRemoveEvent"));
    connect(add, &QPushButton::clicked, this, [this] {
        events_->addEvent();
        eventsView_->setCurrentIndex(events_->index(events_->rowCount() - 1, PlanEventsModel::Kind));
        eventsView_->setFocus();
    });
    connect(remove, &QPushButton::clicked, this,
            [this] { events_->removeEvent(eventsView_->currentIndex().row()); });
    auto* eventButtons = new QHBoxLayout;
    eventButtons->addWidget(add);
    eventButtons->addWidget(remove);
    eventButtons->addStretch();

    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("PlanStatus"));
    status_->setWordWrap(true);

    compare_ = new QTableWidget(7, 3);
    compare_->setObjectName(QStringLiteral("PlanCompare"));
    compare_->setAccessibleName(QStringLiteral("比較"));
    compare_->setHorizontalHeaderLabels(
        {QStringLiteral("イベントなし"), QStringLiteral("このプラン"), QStringLiteral("差")});
    compare_->setVerticalHeaderLabels({QStringLiteral("総返済額"), QStringLiteral("利息総額"),
                                       QStringLiteral("完済時期"), QStringLiteral("毎月返済額（初回）"),
                                       QStringLiteral("毎月返済額（最終回）"), QStringLiteral("利息軽減額"),
                                       QStringLiteral("期間短縮")});
    compare_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    compare_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    compare_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    view_ = new QTableView;
    view_->setObjectName(QStringLiteral("PlanView"));
    view_->setAccessibleName(QStringLiteral("返済プラン"));
    view_->verticalHeader()->hide();
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setTabKeyNavigation(false);
    // One line a row, never measured row by row.
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);

    auto* left = new QWidget;
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addLayout(form);
    leftLayout->addWidget(new QLabel(QStringLiteral("イベント（繰上げ返済・金利変更）")));
    leftLayout->addWidget(eventsView_, 1);
    eventsView_->setMinimumHeight(eventsView_->horizontalHeader()->sizeHint().height() * 4);
    leftLayout->addLayout(eventButtons);
    leftLayout->addWidget(status_);

    auto* chartHolder = new QWidget;
    chartSlot_ = new QVBoxLayout(chartHolder);
    chartSlot_->setContentsMargins(0, 0, 0, 0);
    // The chart and the comparison share the lower half, a tab each, so that the window fits a
    // small screen at a large text size.
    auto* lower = new QTabWidget;
    lower->setAccessibleName(QStringLiteral("グラフと比較"));
    lower->addTab(chartHolder, QStringLiteral("グラフ(&G)"));
    auto* comparePage = new QWidget;
    auto* compareLayout = new QVBoxLayout(comparePage);
    // Any two plans: this one kept as the base, then changed.
    keepBase_ = new QPushButton(QStringLiteral("このプランを比較の基準にする(&K)"));
    keepBase_->setObjectName(QStringLiteral("PlanKeepBase"));
    keepBase_->setCheckable(true);
    keepBase_->setToolTip(
        QStringLiteral("押すと、いまのプランを「基準のプラン」として残し、"
                       "これから変えるプランと比べます。もう一度押すとイベントなしと比べます。"));
    connect(keepBase_, &QPushButton::toggled, this, [this](bool keep) {
        base_ = keep ? plan() : std::nullopt;
        if (keep && !base_) keepBase_->setChecked(false); // nothing readable to keep
        recompute();
    });
    compareLayout->addWidget(keepBase_, 0, Qt::AlignLeft);
    compareLayout->addWidget(compare_);
    compareLayout->addStretch();
    lower->addTab(comparePage, QStringLiteral("比較(&C)"));
    auto* right = new QSplitter(Qt::Vertical);
    right->addWidget(view_);
    right->addWidget(lower);
    auto* split = new QSplitter(Qt::Horizontal);
    split->addWidget(left);
    split->addWidget(right);
    split->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    const QString title = QStringLiteral("金利計算 – 返済プラン");
    connect(addCommand(*this, *buttons, QStringLiteral("コピー"), QKeySequence::Copy, "actionPlanCopy"),
            &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(tabSeparated(view_->hasFocus())); });
    QAction* csvAction = addCommand(*this, *buttons, QStringLiteral("CSVとして保存…"),
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), "actionPlanCsv");
    connect(csvAction, &QAction::triggered, this, [this] {
        paper_.saveCsv(
            this, [this](bool rowsOnly) { return csv(rowsOnly); }, QStringLiteral("返済プラン"));
    });
    connect(addCommand(*this, *buttons, QStringLiteral("印刷プレビュー"),
                       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), "actionPlanPreview"),
            &QAction::triggered, this,
            [this, title] { paper_.preview(this, PaperService::linesOf(printout()), title); });
    connect(
        addCommand(*this, *buttons, QStringLiteral("PDFとして保存…"), QKeySequence::Save, "actionPlanPdf"),
        &QAction::triggered, this, [this, title] {
            paper_.savePdf(this, PaperService::linesOf(printout()), title, QStringLiteral("返済プラン"));
        });
    connect(addCommand(*this, *buttons, QStringLiteral("印刷…"), QKeySequence::Print, "actionPlanPrint"),
            &QAction::triggered, this,
            [this, title] { paper_.print(this, PaperService::linesOf(printout()), title); });
    connect(addCommand(*this, *buttons, QStringLiteral("記録に残す"), QKeySequence(Qt::CTRL | Qt::Key_R),
                       "actionPlanRecord"),
            &QAction::triggered, this, [this] {
                if (result_.rows.empty()) return;
                emit recorded(recordEntry());
                status_->setText(QStringLiteral("計算記録に残しました（%1）")
                                     .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss"))));
            });
    addCloseButton(*this, *buttons);
    // F1: the page that works a plan by hand.
    connect(new QShortcut(QKeySequence::HelpContents, this), &QShortcut::activated, this,
            [&help] { help.showTopic(QLatin1String(kHelpFileName), QStringLiteral("plan")); });

    // One recomputation for a burst of edits, once the events are processed.
    auto* later = new QTimer(this);
    later->setSingleShot(true);
    later->setInterval(0);
    connect(later, &QTimer::timeout, this, &PlanWindow::recompute);
    const auto edited = [later] { later->start(); };
    for (QLineEdit* box : {amount_, rate_, years_, bonus_})
        connect(box, &QLineEdit::textChanged, this, edited);
    for (QSpinBox* box : {startYear_, startMonth_, bonusMonths_[0], bonusMonths_[1]})
        connect(box, &QSpinBox::valueChanged, this, edited);
    connect(method_, &QComboBox::currentIndexChanged, this, edited);
    connect(rounding_, &QComboBox::currentIndexChanged, this, edited);
    connect(events_, &PlanEventsModel::eventsChanged, this, edited);
    recompute();
}

// The table's model and the chart read the schedule this window holds: they go before it does,
// not with the window's other children after its members are gone.
PlanWindow::~PlanWindow() {
    view_->setModel(nullptr);
    delete model_;
    delete chart_;
}

void PlanWindow::setCalculation(std::shared_ptr<const Calculation> calculation) {
    if (!calculation) return;
    std::optional<plan::Loan> loan;
    try {
        loan = plan::loanOf(*calculation);
    } catch (const std::exception&) {
        // not a loan a plan can take: the defaults stay
    }
    if (!loan) return;
    setLoan(*loan);
    origin_ = std::move(calculation);
    originTexts_ = loanTexts();
}

void PlanWindow::setLoan(const plan::Loan& loan) {
    amount_->setText(QString::number(loan.amount));
    rate_->setText(qs(loan.rate.percentText()));
    years_->setText(loan.payments > 0 && loan.payments != loan.years * loan.perYear
                        ? QStringLiteral("%1回").arg(loan.payments)
                        : QString::number(loan.years));
    method_->setCurrentIndex(loan.method == plan::Method::Level ? 0 : 1);
}

QStringList PlanWindow::loanTexts() const {
    return {amount_->text(), rate_->text(), years_->text(), QString::number(method_->currentIndex())};
}

std::optional<plan::Plan> PlanWindow::plan() const {
    const std::optional<plan::Yen> amount = yenOf(amount_);
    std::optional<plan::Yen> bonus;
    if (amount) bonus = plan::readYenOrShare(bonus_->text().trimmed().toStdString(), *amount);
    const std::optional<plan::Rate> rate = plan::Rate::percent(rate_->text().trimmed().toStdString());
    // The term in years, or in payments: 「420回」.
    QString term = years_->text().trimmed();
    const bool inPayments = term.endsWith(u'回');
    if (inPayments) term.chop(1);
    bool termRead = false;
    const int count = term.trimmed().toInt(&termRead);
    const int most = inPayments ? 50 * 12 : 50;
    if (!amount || !bonus || !rate || !termRead || count <= 0 || count > most) return std::nullopt;
    plan::Plan p;
    p.loan = plan::Loan{*amount,
                        *rate,
                        inPayments ? std::max(1, (count + 6) / 12) : count,
                        12,
                        method_->currentIndex() == 0 ? plan::Method::Level : plan::Method::EqualPrincipal,
                        startYear_->value(),
                        startMonth_->value(),
                        inPayments ? count : 0};
    p.rounding = rounding_->currentIndex() == 0 ? plan::Rounding::Yen : plan::Rounding::Program;
    if (origin_ && loanTexts() == originTexts_) p.origin = origin_;
    if (*bonus > 0) p.bonus = plan::Bonus{*bonus, {bonusMonths_[0]->value(), bonusMonths_[1]->value()}};
    events_->fill(p);
    return p;
}

void PlanWindow::recompute() {
    const std::optional<plan::Plan> p = plan();
    // The program's rounding keeps the places its schedule shows: KAA's five, three otherwise.
    if (p)
        rounding_->setItemText(
            1, QStringLiteral("小数第%1位（返済予定表と同じ）").arg(plan::programDecimals(*p)));
    result_ = p ? plan::run(*p) : plan::Result{};
    if (!result_.problem.empty()) {
        status_->setText(qs(result_.problem));
    } else if (result_.rows.empty()) {
        status_->setText(QStringLiteral(
            "借入額（円）、年利（0〜100 %）、返済期間（1〜50 年、または 600 回まで）を入力してください。"
            "ボーナス返済分は借入額より少なくします。"));
    } else {
        status_->clear();
    }
    auto next = std::make_unique<Schedule>(p ? plan::asSchedule(result_) : Schedule{});
    auto* model = new ScheduleModel(*next, ScheduleModel::Rows::Periods, this);
    view_->setModel(model);
    delete model_;
    model_ = model;
    auto* chart = new ScheduleChart(*next, this);
    chart->setObjectName(QStringLiteral("PlanChart"));
    chart->setAccessibleName(QStringLiteral("返済プランのグラフ"));
    if (chart_ != nullptr)
        delete chartSlot_->replaceWidget(chart_, chart); // the old one's layout item, ours to free
    else
        chartSlot_->addWidget(chart);
    delete chart_;
    chart_ = chart;
    schedule_ = std::move(next);
    view_->resizeColumnsToContents();

    // The base: the comparison's first column and the chart's dashed line, in this plan's rounding
    // so that the two are in the same units.
    plan::Result before;
    if (p) {
        plan::Plan base = *p;
        if (base_) {
            // In this plan's rounding, and with the calculation's loan only where this plan has
            // it too, so that the base never has more places than the plan it is set against.
            base = *base_;
            base.rounding = p->rounding;
            if (base.origin != p->origin) base.origin = nullptr;
        } else {
            base.prepayments.clear();
            base.rateChanges.clear();
        }
        before = plan::inUnitsOf(plan::run(base), result_.decimals);
        if (base_ || !p->prepayments.empty() || !p->rateChanges.empty()) {
            std::vector<double> balances;
            balances.reserve(before.rows.size());
            const double unit = std::pow(10.0, -before.decimals);
            for (const plan::Row& row : before.rows)
                balances.push_back(static_cast<double>(row.balance) * unit);
            chart_->setComparison(std::move(balances), base_ ? QStringLiteral("基準のプランの残高（左）")
                                                             : QStringLiteral("イベントなしの残高（左）"));
        }
    }
    compare_->horizontalHeaderItem(0)->setText(base_ ? QStringLiteral("基準のプラン")
                                                     : QStringLiteral("イベントなし"));
    showComparison(before);
    // The comparison read whole: every row in view, never behind a scroll bar.
    compare_->setFixedHeight(compare_->horizontalHeader()->sizeHint().height() +
                             compare_->verticalHeader()->length() + 2 * compare_->frameWidth());
}

std::vector<std::string> PlanWindow::conditions() const {
    const std::optional<plan::Plan> p = plan();
    return p ? plan::conditionLines(*p) : std::vector<std::string>{};
}

QString PlanWindow::tabSeparated(bool selectedOnly) const {
    std::vector<int> rows;
    if (selectedOnly)
        for (const QModelIndex& index : view_->selectionModel()->selectedRows())
            rows.push_back(index.row());
    return ui::tabSeparated(exportLines(*schedule_, conditions(), std::move(rows), false));
}

QString PlanWindow::csv(bool rowsOnly) const {
    return ui::csv(exportLines(*schedule_, conditions(), {}, rowsOnly));
}

std::shared_ptr<const Calculation> PlanWindow::recordEntry() const {
    auto entry = std::make_shared<Calculation>();
    entry->printout.resize(kHeaderLine); // the blank lines a printout opens with
    for (PrintLine& line : printout())
        entry->printout.push_back(std::move(line));
    for (std::string& c : conditions()) {
        entry->conditions.push_back(PrintLine{1, c});
        entry->inputs.push_back(std::move(c));
    }
    entry->result = static_cast<double>(result_.totalInterest) * std::pow(10.0, -result_.decimals);
    entry->title = "金利計算 – 返済プラン";
    entry->time = std::chrono::system_clock::now();
    return entry;
}

std::vector<PrintLine> PlanWindow::printout() const {
    std::vector<PrintLine> lines;
    const auto line = [&lines](std::string text) { lines.push_back(PrintLine{1, std::move(text)}); };
    line("☆☆返済プラン☆☆");
    lines.emplace_back();
    for (std::string& c : conditions())
        line(std::move(c));
    lines.emplace_back();
    for (std::string& text : alignedLines(*schedule_))
        line(std::move(text));
    return lines;
}

void PlanWindow::showComparison(const plan::Result& before) {
    const plan::Result& after = result_;
    const auto put = [this](int row, int column, const QString& text) {
        auto* item = new QTableWidgetItem(text);
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        compare_->setItem(row, column, item);
    };
    const plan::Result* both[2] = {&before, &after};
    for (int c = 0; c < 2; ++c) {
        const plan::Result& r = *both[c];
        const bool any = !r.rows.empty();
        put(0, c, any ? yenText(r.totalPaid, r.decimals) : QString());
        put(1, c, any ? yenText(r.totalInterest, r.decimals) : QString());
        put(2, c, whenText(r));
        put(3, c, any ? yenText(r.firstPayment, r.decimals) : QString());
        put(4, c, any ? yenText(r.lastPayment, r.decimals) : QString());
    }
    const bool both_ = !before.rows.empty() && !after.rows.empty();
    const plan::Comparison c = plan::compare(before, after);
    const int d = after.decimals;
    // A difference carries its sign: 「+3,012,279円」 is more than without the events.
    const auto difference = [d](plan::Yen v) {
        return (v > 0 ? QStringLiteral("+") : QString()) + yenText(v, d);
    };
    put(0, 2, both_ ? difference(after.totalPaid - before.totalPaid) : QString());
    put(1, 2, both_ ? difference(after.totalInterest - before.totalInterest) : QString());
    put(2, 2,
        !both_                ? QString()
        : c.monthsSooner == 0 ? QStringLiteral("同じ")
                              : monthsText(std::abs(c.monthsSooner)) +
                                    (c.monthsSooner > 0 ? QStringLiteral("早い") : QStringLiteral("遅い")));
    put(5, 1, both_ ? yenText(c.interestSaved, d) : QString());
    put(6, 1, both_ ? monthsText(c.monthsSooner) : QString());
}

} // namespace kinri::ui
