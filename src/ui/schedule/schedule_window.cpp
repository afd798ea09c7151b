#include "ui/schedule/schedule_window.h"

#include "catalogue/catalogue.h"
#include "ui/common/command_row.h"
#include "ui/common/fonts.h"
#include "ui/common/qt_text.h"
#include "ui/paper/paper_service.h"
#include "ui/schedule/schedule_chart.h"
#include "ui/schedule/schedule_model.h"
#include "ui/schedule/table_export.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

namespace kinri::ui {
namespace {

QTableView* tableView(QAbstractItemModel* model, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setModel(model);
    view->verticalHeader()->hide();
    view->setWordWrap(false);
    view->setTextElideMode(Qt::ElideNone);
    // Widths are set from the widest texts: sized to its contents, a header measures 1000 rows
    // a column at every change of font, most of the time it takes to open a window of 10000.
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return view;
}

} // namespace

ScheduleWindow::ScheduleWindow(Schedule schedule, const kinri::Calculation& calculation, PaperService& paper,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), schedule_(std::move(schedule)), paper_(paper) {
    setObjectName(QStringLiteral("ScheduleWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(qs(schedule_.title) + QStringLiteral(" – ") + qs(calculation.entry->menuCaption));
    for (const kinri::PrintLine& line : calculation.conditions)
        if (!line.text.empty()) conditions_.push_back(line.text);
    if (!schedule_.opening.empty()) conditions_.push_back("返済前の残高=" + schedule_.opening);

    QStringList shownConditions;
    for (const std::string& line : conditions_)
        shownConditions << qs(line);
    auto* conditionsLabel = new QLabel(shownConditions.join(QStringLiteral("　")), this);
    conditionsLabel->setObjectName(QStringLiteral("ScheduleConditions"));
    conditionsLabel->setWordWrap(true);
    conditionsLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    QFont fixed(fixedFontFamily());
    fixed.setPointSizeF(font().pointSizeF());
    model_ = new ScheduleModel(schedule_, ScheduleModel::Rows::Periods, this);
    view_ = tableView(model_, this);
    view_->setObjectName(QStringLiteral("ScheduleView"));
    view_->setAccessibleName(qs(schedule_.title));
    view_->setTabKeyNavigation(false); // Tab leaves the table for the chart; arrows move in it
    view_->setFont(fixed);
    // 10000 rows measured by their widest texts, not one by one.
    const QFontMetrics fm(fixed);
    const int half = fm.horizontalAdvance(u'0');
    for (std::size_t c = 0; c < schedule_.columns.size(); ++c) {
        int widest = columnsOf(schedule_.columns[c].heading);
        for (const auto& row : schedule_.rows)
            widest = std::max(widest, static_cast<int>(row[c].size()));
        if (!schedule_.totals.empty()) widest = std::max(widest, columnsOf(schedule_.totals[c]));
        view_->setColumnWidth(static_cast<int>(c), (widest + 3) * half);
    }
    view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view_->verticalHeader()->setDefaultSectionSize(fm.height() + 4);

    // The totals under the rows, in the same columns, still while the rows scroll.
    auto* totalsModel = new ScheduleModel(schedule_, ScheduleModel::Rows::Totals, this);
    totals_ = tableView(totalsModel, this);
    totals_->setObjectName(QStringLiteral("ScheduleTotals"));
    totals_->setAccessibleName(QStringLiteral("合計"));
    totals_->setFont(fixed);
    totals_->horizontalHeader()->hide();
    totals_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed); // the rows' widths, not its own
    totals_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    totals_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    totals_->setFocusPolicy(Qt::NoFocus);
    totals_->verticalHeader()->setDefaultSectionSize(fm.height() + 4);
    totals_->setFixedHeight(totals_->verticalHeader()->defaultSectionSize() + 2 * totals_->frameWidth());
    totals_->setVisible(!schedule_.totals.empty());
    QFont bold = fixed;
    bold.setBold(true);
    totals_->setFont(bold);
    for (int c = 0; c < model_->columnCount(); ++c)
        totals_->setColumnWidth(c, view_->columnWidth(c));
    connect(view_->horizontalHeader(), &QHeaderView::sectionResized, totals_,
            [this](int c, int, int width) { totals_->setColumnWidth(c, width); });
    connect(view_->horizontalScrollBar(), &QScrollBar::valueChanged, totals_->horizontalScrollBar(),
            &QScrollBar::setValue);

    chart_ = new ScheduleChart(schedule_, this);
    // A row chosen in the chart (a click, the keys) is the table's too; the pointer passing over the
    // chart only shows a row's figures and leaves the user's selection alone.
    connect(chart_, &ScheduleChart::rowChosen, this, [this](int row) {
        if (row < 0) return;
        const QModelIndex index = model_->index(row, 0);
        view_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                            QItemSelectionModel::Rows);
        view_->scrollTo(index);
    });
    connect(view_->selectionModel(), &QItemSelectionModel::currentRowChanged, chart_,
            [this](const QModelIndex& index) { chart_->setCurrentRow(index.row()); });

    auto* table = new QWidget(this);
    auto* tableLayout = new QVBoxLayout(table);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    tableLayout->setSpacing(0);
    tableLayout->addWidget(view_);
    tableLayout->addWidget(totals_);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(table);
    split->addWidget(chart_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    split->setChildrenCollapsible(false);

    auto* buttons = new QHBoxLayout;
    const auto command = [this, buttons](const QString& text, const QKeySequence& keys, const char* name,
                                         auto slot) {
        connect(addCommand(*this, *buttons, text, keys, name), &QAction::triggered, this, slot);
    };
    const QString title = QStringLiteral("金利計算 – ") + windowTitle();
    const QString stem = QStringLiteral("金利計算_") + qs(schedule_.title);
    const PagePainter chartPage = [this](QPainter& painter, const QRectF& area) {
        QFont font = painter.font();
        font.setPointSizeF(9.0);
        painter.setFont(font);
        QPalette onPaper = palette();
        onPaper.setColor(QPalette::Base, Qt::white);
        onPaper.setColor(QPalette::Text, Qt::black);
        onPaper.setColor(QPalette::Highlight, Qt::black);
        chart_->paintChart(painter, area.adjusted(0, 0, 0, -area.height() / 2), onPaper, false);
    };
    command(QStringLiteral("コピー"), QKeySequence::Copy, "actionScheduleCopy", &ScheduleWindow::copy);
    command(QStringLiteral("CSVとして保存…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
            "actionScheduleCsv", [this, &paper, stem] {
                paper.saveCsv(
                    this, [this](bool rowsOnly) { return csv(rowsOnly); }, stem);
            });
    command(QStringLiteral("印刷プレビュー"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
            "actionSchedulePreview", [this, &paper, title, chartPage] {
                paper.preview(this, PaperService::linesOf(paperLines()), title, chartPage);
            });
    command(QStringLiteral("PDFとして保存…"), QKeySequence::Save, "actionSchedulePdf",
            [this, &paper, title, stem, chartPage] {
                paper.savePdf(this, PaperService::linesOf(paperLines()), title, stem, chartPage);
            });
    command(QStringLiteral("印刷…"), QKeySequence::Print, "actionSchedulePrint",
            [this, &paper, title, chartPage] {
                paper.print(this, PaperService::linesOf(paperLines()), title, chartPage);
            });
    if (schedule_.kind == Schedule::Kind::Loan)
        command(QStringLiteral("返済プラン…"), QKeySequence(Qt::CTRL | Qt::Key_L), "actionPlan",
                &ScheduleWindow::planRequested);
    for (QWidget* w : std::initializer_list<QWidget*>{view_, chart_}) {
        w->setContextMenuPolicy(Qt::ActionsContextMenu); // a right click offers the same
        w->addActions(actions());
        w->installEventFilter(this); // and Shift+F10 and the menu key, where the cursor is
    }
    addCloseButton(*this, *buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(conditionsLabel);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);
    int width = view_->verticalScrollBar()->sizeHint().width() + 2 * view_->frameWidth() + 24;
    for (int c = 0; c < model_->columnCount(); ++c)
        width += view_->columnWidth(c);
    QSize size(std::max(width, chart_->sizeHint().width()), fm.height() * 40);
    if (const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10); // on the screen, at any zoom
    resize(size);
}

ScheduleWindow::~ScheduleWindow() = default;

std::vector<std::vector<std::string>> ScheduleWindow::exported(bool selectedOnly, bool rowsOnly) const {
    std::vector<int> rows;
    if (selectedOnly)
        for (const QModelIndex& index : view_->selectionModel()->selectedRows())
            rows.push_back(index.row());
    return exportLines(schedule_, conditions_, std::move(rows), rowsOnly);
}

QString ScheduleWindow::tabSeparated(bool selectedOnly, bool rowsOnly) const {
    return ui::tabSeparated(exported(selectedOnly, rowsOnly));
}

QString ScheduleWindow::csv(bool rowsOnly) const {
    return ui::csv(exported(false, rowsOnly));
}

void ScheduleWindow::copy() {
    QGuiApplication::clipboard()->setText(tabSeparated(true, paper_.rowsOnly()));
}

// Shift+F10 and the menu key open the commands' menu where the keyboard is: at the table's
// current row, or at the chart's cursor. A keyboard's context menu event from the window system
// (the menu key on X11, Shift+F10 on Windows) lands there too, not under the mouse pointer.
bool ScheduleWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    bool byKey = false;
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        byKey = key->key() == Qt::Key_Menu ||
                (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
    } else if (event->type() == QEvent::ContextMenu) {
        byKey = static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard;
    }
    if (widget == nullptr || !byKey) return QWidget::eventFilter(watched, event);
    QPoint at(widget->width() / 4, widget->height() / 2);
    if (widget == view_) {
        const QRect cell = view_->visualRect(view_->currentIndex());
        at = view_->viewport()->mapTo(view_, cell.isValid() ? cell.center() : QPoint(8, 8));
    } else if (chart_->currentRow() >= 0) {
        at.setX(chart_->cursorX());
    }
    showMenu(widget, at);
    return true;
}

void ScheduleWindow::showMenu(QWidget* over, QPoint at) {
    QMenu::exec(over->actions(), over->mapToGlobal(at), nullptr, this);
}

// The schedule on paper: the calculation's conditions, then the table in fixed columns with its
// header and totals, from the sheet's first column; the chart on a page of its own after it.
std::vector<kinri::PrintLine> ScheduleWindow::paperLines() const {
    std::vector<kinri::PrintLine> lines;
    const auto text = [&](std::string t) { lines.push_back({t.empty() ? 0 : 1, std::move(t)}); };
    for (const std::string& c : conditions_)
        text(c);
    text("");
    text(std::string(schedule_.title));
    for (std::string& line : alignedLines(schedule_))
        text(std::move(line));
    return lines;
}

} // namespace kinri::ui
