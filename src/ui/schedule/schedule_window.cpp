#include "ui/schedule/schedule_window.h"

#include "catalogue/catalogue.h"
#include "ui/common/command_row.h"
#include "ui/common/fonts.h"
#include "ui/common/qt_text.h"
#include "ui/paper/paper_service.h"
#include "ui/schedule/schedule_chart.h"
#include "ui/schedule/schedule_model.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace kinri::ui {
namespace {

// The half-width columns `text` takes in the fixed-pitch face.
int columnsOf(std::string_view text) {
    int n = 0;
    for (const QChar c : qs(text))
        n += kinri::ui::columnsOf(c);
    return n;
}

QTableView* tableView(QAbstractItemModel* model, QWidget* parent) {
    auto* view = new QTableView(parent);
    view->setModel(model);
    view->verticalHeader()->hide();
    view->setWordWrap(false);
    view->setTextElideMode(Qt::ElideNone);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return view;
}

} // namespace

ScheduleWindow::ScheduleWindow(Schedule schedule, const kinri::Calculation& calculation, PaperService& paper,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), schedule_(std::move(schedule)) {
    setObjectName(QStringLiteral("ScheduleWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(qs(schedule_.title) + QStringLiteral(" – ") + qs(calculation.entry->menuCaption));
    for (const kinri::PrintLine& line : calculation.conditions)
        conditions_.push_back(line.text);

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
    view_->setFont(fixed);
    // 10000 rows measured by their widest texts, not one by one.
    view_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
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
    connect(chart_, &ScheduleChart::currentRowChanged, this, [this](int row) {
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
    command(QStringLiteral("CSVとして保存…"), QKeySequence(), "actionScheduleCsv",
            [this, &paper, stem] { paper.saveCsv(this, csv(), stem); });
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
    view_->setContextMenuPolicy(Qt::ActionsContextMenu); // a right click offers the same
    view_->addActions(actions());
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

QString ScheduleWindow::tabSeparated(bool selectedOnly) const {
    QStringList lines;
    QStringList header;
    for (const ScheduleColumn& c : schedule_.columns)
        header << qs(c.heading);
    lines << header.join(u'\t');
    QModelIndexList rows = view_->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    const auto add = [&](const std::vector<std::string>& row) {
        QStringList cells;
        for (const std::string& cell : row)
            cells << qs(cell);
        lines << cells.join(u'\t');
    };
    if (selectedOnly && !rows.isEmpty()) {
        for (const QModelIndex& index : rows)
            add(schedule_.rows[static_cast<std::size_t>(index.row())]);
    } else {
        for (const auto& row : schedule_.rows)
            add(row);
    }
    return lines.join(u'\n') + u'\n';
}

// Cells hold digits, a sign, a point and Japanese words: none needs quoting, but a cell that ever
// did would be quoted as RFC 4180 says.
QString ScheduleWindow::csv() const {
    const auto cell = [](std::string_view text) {
        QString s = qs(text);
        if (s.contains(u',') || s.contains(u'"') || s.contains(u'\n'))
            s = u'"' + s.replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
        return s;
    };
    QString out;
    const auto add = [&](const auto& row) {
        QStringList cells;
        for (const auto& c : row)
            cells << cell(c);
        out += cells.join(u',') + QStringLiteral("\r\n");
    };
    std::vector<std::string_view> headings;
    for (const ScheduleColumn& c : schedule_.columns)
        headings.push_back(c.heading);
    add(headings);
    for (const auto& row : schedule_.rows)
        add(row);
    return out;
}

void ScheduleWindow::copy() {
    QGuiApplication::clipboard()->setText(tabSeparated(true));
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
    std::vector<int> widths(schedule_.columns.size());
    std::vector<std::string> headings;
    for (std::size_t c = 0; c < widths.size(); ++c) {
        headings.emplace_back(schedule_.columns[c].heading);
        widths[c] = columnsOf(headings[c]);
        for (const auto& row : schedule_.rows)
            widths[c] = std::max(widths[c], columnsOf(row[c]));
        if (!schedule_.totals.empty()) widths[c] = std::max(widths[c], columnsOf(schedule_.totals[c]));
    }
    const auto line = [&](const std::vector<std::string>& cells, bool left) {
        std::string out;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const int pad = widths[c] - columnsOf(cells[c]) + (c == 0 ? 0 : 2);
            if (left && c == 0) {
                out += cells[c] + std::string(static_cast<std::size_t>(std::max(0, pad)), ' ');
            } else {
                out += std::string(static_cast<std::size_t>(std::max(0, pad)), ' ') + cells[c];
            }
        }
        text(out);
    };
    line(headings, false);
    for (const auto& row : schedule_.rows)
        line(row, false);
    if (!schedule_.totals.empty()) line(schedule_.totals, true);
    return lines;
}

} // namespace kinri::ui
