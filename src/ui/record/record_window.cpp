#include "ui/record/record_window.h"

#include "ui/common/command_row.h"
#include "ui/common/fonts.h"
#include "ui/common/qt_text.h"
#include "ui/paper/paper_service.h"
#include "ui/record/record_model.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QVBoxLayout>

namespace kinri::ui {
namespace {

// The selected printouts, or all, as one document, its blank lines parting each from the one
// before. Asked for when the pages are made, from the record as it is then.
PaperService::Lines selectedPrintouts(const RecordModel& model, const QListView& view) {
    return [&model, &view] {
        return RecordModel::paperOf(model.entriesAt(view.selectionModel()->selectedRows()));
    };
}

const QString kTitle = QStringLiteral("金利計算 – 計算記録");

} // namespace

RecordWindow::RecordWindow(RecordModel& model, PaperService& paper)
    : QWidget(nullptr), model_(model), paper_(paper) {
    setObjectName(QStringLiteral("RecordWindow"));
    setWindowTitle(QStringLiteral("計算記録"));
    setAttribute(Qt::WA_QuitOnClose, false); // a tool of the program; closing it only hides it

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("RecordStatus"));
    status_->setWordWrap(true);
    view_ = new QListView(this);
    view_->setObjectName(QStringLiteral("RecordView"));
    view_->setAccessibleName(QStringLiteral("計算記録"));
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setAlternatingRowColors(true);
    view_->setTextElideMode(Qt::ElideNone);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    view_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    fitFont();
    // Measured as the view's delegate draws them, once per entry.
    measure_ = [this](const QString& text) { return rowSize(text); };
    model.setMeasure(measure_);
    view_->setSpacing(2);
    // Given its rows once it knows how to measure them: before, every change of the view's setup
    // laid out 1000 entries' texts to learn their sizes.
    view_->setModel(&model);

    buttons_ = new QHBoxLayout;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(status_);
    layout->addWidget(view_, 1);
    layout->addLayout(buttons_);

    addCommand(QStringLiteral("コピー"), QKeySequence::Copy, &RecordWindow::copy, "actionRecordCopy");
    addCommand(QStringLiteral("テキストとして保存…"), QKeySequence(), &RecordWindow::saveText,
               "actionRecordSaveText");
    addCommand(QStringLiteral("PDFとして保存…"), QKeySequence::Save, &RecordWindow::savePdf,
               "actionRecordSavePdf");
    addCommand(QStringLiteral("印刷プレビュー"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
               &RecordWindow::preview, "actionRecordPreview");
    addCommand(QStringLiteral("印刷…"), QKeySequence::Print, &RecordWindow::print, "actionRecordPrint");
    addCommand(QStringLiteral("消去…"), QKeySequence(), &RecordWindow::askToClear, "actionRecordClear");
    view_->setContextMenuPolicy(Qt::ActionsContextMenu); // a right click offers the same
    view_->addActions(actions());
    addCloseButton(*this, *buttons_);

    const QFontMetrics fm(view_->font());
    resize(std::max(sizeHint().width(), fm.horizontalAdvance(QLatin1Char('0')) * 90), fm.lineSpacing() * 32);

    connect(&model, &RecordModel::changed, this, &RecordWindow::updateStatus);
    // The view follows the newest entry while the user is at the bottom, as a log does: the rows
    // are laid out a batch at a time (a long record opens at once), and each batch or new
    // calculation that lengthens the list scrolls it on.
    view_->setLayoutMode(QListView::Batched);
    QScrollBar* bar = view_->verticalScrollBar();
    connect(bar, &QScrollBar::valueChanged, this,
            [this, bar](int value) { following_ = value >= bar->maximum(); });
    connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
        if (following_) bar->setValue(maximum);
    });
    updateStatus();
}

void RecordWindow::addCommand(const QString& text, const QKeySequence& keys, void (RecordWindow::*slot)(),
                              const char* name) {
    connect(kinri::ui::addCommand(*this, *buttons_, text, keys, name), &QAction::triggered, this, slot);
}

void RecordWindow::present() {
    show();
    raise();
    activateWindow();
    following_ = true;
    view_->scrollToBottom();
    view_->setFocus();
}

RecordWindow::~RecordWindow() {
    model_.setMeasure({}); // the model outlives the window, and must not measure with it
}

// A row's size as the view's delegate draws it, without laying its text out: the face is
// fixed-pitch, a full-width character two columns wide, so the widest line's columns and the number
// of lines tell it. The style's margins come from one laid-out sample.
QSize RecordWindow::rowSize(const QString& text) const {
    const auto styled = [this](const QString& sample) {
        QStyleOptionViewItem option;
        option.initFrom(view_);
        option.font = view_->font();
        option.fontMetrics = QFontMetrics(option.font);
        option.text = sample;
        option.features = QStyleOptionViewItem::HasDisplay;
        return view_->style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), view_);
    };
    if (rowPad_.isEmpty()) {
        const QSize one = styled(QStringLiteral("0")),
                    two = styled(QStringLiteral("0") + QChar::LineSeparator + u'0');
        lineHeight_ = two.height() - one.height();
        column_ = QFontMetrics(view_->font()).horizontalAdvance(u'0');
        rowPad_ = QSize(one.width() - column_, one.height() - lineHeight_);
    }
    int lines = 1, columns = 0, widest = 0;
    for (const QChar c : text) {
        if (c == u'\n') {
            ++lines;
            widest = std::max(widest, columns);
            columns = 0;
        } else {
            columns += columnsOf(c);
        }
    }
    widest = std::max(widest, columns);
    return QSize(widest * column_, lines * lineHeight_) + rowPad_;
}

// The program's text size (it follows the desktop and the zoom), in a face whose columns line up.
void RecordWindow::fitFont() {
    QFont fixed(fixedFontFamily());
    fixed.setPointSizeF(font().pointSizeF());
    view_->setFont(fixed);
}

void RecordWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::FontChange || view_ == nullptr ||
        view_->font().pointSizeF() == font().pointSizeF())
        return;
    fitFont();
    rowPad_ = {};
    model_.setMeasure(measure_); // every entry measured anew in the new size
}

void RecordWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    hide();
}

void RecordWindow::updateStatus() {
    const auto& record = model_.record();
    const std::size_t count = record.entries().size();
    QString text =
        count == 0
            ? QStringLiteral("まだ記録はありません。計算が成功するたびに、ここに記録されます。")
            : QStringLiteral("%1 件の計算（選んだ記録、選んでいなければすべてをコピー・保存・印刷します）")
                  .arg(count);
    if (record.dropped() > 0)
        text +=
            QStringLiteral("\n記録の上限を超えたため、古い記録 %1 件を削除しました。").arg(record.dropped());
    status_->setText(text);
    for (QAction* action : actions())
        if (action->objectName().startsWith(QLatin1String("actionRecord"))) action->setEnabled(count > 0);
}

void RecordWindow::copy() {
    const auto entries = model_.entriesAt(view_->selectionModel()->selectedRows());
    if (!entries.empty()) QGuiApplication::clipboard()->setText(qs(recordText(entries)));
}

void RecordWindow::saveText() {
    paper_.saveText(this, qs(recordText(model_.entriesAt(view_->selectionModel()->selectedRows()))),
                    QStringLiteral("計算記録"));
}

void RecordWindow::savePdf() {
    paper_.savePdf(this, selectedPrintouts(model_, *view_), kTitle, QStringLiteral("計算記録"));
}

void RecordWindow::preview() {
    paper_.preview(this, selectedPrintouts(model_, *view_), kTitle);
}

void RecordWindow::print() {
    paper_.print(this, selectedPrintouts(model_, *view_), kTitle);
}

void RecordWindow::askToClear() {
    auto* box = new QMessageBox(QMessageBox::Question, QStringLiteral("メッセージ"),
                                QStringLiteral("計算記録をすべて消去しますか？"),
                                QMessageBox::Yes | QMessageBox::No, this);
    box->setObjectName(QStringLiteral("RecordClearQuestion"));
    box->setDefaultButton(QMessageBox::No);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [this](int answer) {
        if (answer == QMessageBox::Yes) model_.clear();
    });
    box->open();
}

} // namespace kinri::ui
