#include "ui/calculator_window.h"

#include "compute/flow.h"
#include "ui/caption_label.h"
#include "ui/fonts.h"
#include "ui/help_window.h"
#include "ui/icons.h"
#include "ui/message_box.h"
#include "ui/print_switch.h"
#include "ui/result_box.h"
#include "ui/twips.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>

#include <algorithm>
#include <array>
#include <map>

namespace kinri::ui {
namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Button face colour for the print switch's "off" look, the design's light green for "on".
void paintBackground(QWidget* w, const QColor& colour) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

// Room between a caption and the next control, and between a caption and the window's edge.
constexpr int kCaptionGapTwips = 30;

// The list takes the size of every row from its last one, which keeps a table of 10000 rows
// quick to lay out. The rows are fixed-pitch, so the longest is the widest: the last row is
// given that width (and its own height), and the scroll range then reaches the end of every row.
void sizeRowsToTheWidest(QListWidget* list, const std::vector<std::string>& lines) {
    if (list->count() == 0) return;
    std::size_t widest = 0;
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (lines[i].size() > lines[widest].size()) widest = i;
    const int margin = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    const int width =
        QFontMetrics(list->font()).horizontalAdvance(QString::fromStdString(lines[widest])) + margin;
    QListWidgetItem* last = list->item(list->count() - 1);
    last->setSizeHint(QSize(width, list->sizeHintForRow(list->count() - 1)));
}

void paintTextRed(QWidget* w) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Text, QColor(0xFF, 0x00, 0x00));
    w->setPalette(pal);
}

} // namespace

CalculatorWindow::CalculatorWindow(const WindowLayout& layout, AppState& state, LinePrinter& printer,
                                   HelpViewer& help, QWidget* menuWindow)
    : QWidget(nullptr), layout_(layout), info_(windowInfo(layout.id)), state_(state), printer_(printer),
      help_(help), menuWindow_(menuWindow) {
    setObjectName(qs(info_.name));
    setWindowTitle(QStringLiteral("  割賦返済の計算"));
    setWindowIcon(artworkIcon(qs(layout.icon)));
    setAttribute(Qt::WA_QuitOnClose, false); // closing is handled below: it ends the program
    setFixedSize(px(layout.clientWidth), px(layout.clientHeight));

    std::map<int, QWidget*> tabOrder;
    inputs_.resize(static_cast<std::size_t>(info_.inputCount), nullptr);
    for (const ControlDesign& c : layout.controls) {
        QWidget* w = nullptr;
        switch (c.kind) {
        case ControlKind::Label:
        case ControlKind::PrintOption: {
            auto* label = c.kind == ControlKind::PrintOption ? new PrintSwitch(this) : new CaptionLabel(this);
            labels_.push_back(label);
            w = label;
            if (c.kind == ControlKind::PrintOption) {
                printOption_ = label;
                label->setGrowth(CaptionGrowth::Sideways);
                tabOrder[c.tab] = w;
                label->setAlignment(Qt::AlignCenter);
                label->setCaption({qs(c.caption), {}});
                label->setCursor(Qt::PointingHandCursor);
                connect(label, &CaptionLabel::clicked, this, &CalculatorWindow::askPrintOption);
            } else if (info_.id == WindowId::Zovan3 && (c.name == "Label4" || c.name == "Label5")) {
                label->setVisible(false); // column heads appear once a table calculation is chosen
            }
            break;
        }
        case ControlKind::TextBox:
        case ControlKind::ResultBox: {
            QLineEdit* edit = nullptr;
            if (c.kind == ControlKind::ResultBox) {
                resultBox_ = new ResultBox(this);
                edit = resultBox_;
                paintTextRed(edit);
            } else {
                edit = new QLineEdit(this);
                const int k = c.name.back() - '1';
                inputs_.at(static_cast<std::size_t>(k)) = edit;
            }
            edit->setTextMargins(0, 0, 0, 0);
            w = edit;
            tabOrder[c.tab] = w;
            break;
        }
        case ControlKind::List: {
            list_ = new QListWidget(this);
            list_->setUniformItemSizes(true);
            list_->setSelectionMode(QAbstractItemView::SingleSelection);
            list_->setFont(QFont(fixedFontFamily(), 9));
            list_->setTextElideMode(Qt::ElideNone); // a row is shown whole, scrolled if need be
            paintTextRed(list_);
            w = list_;
            tabOrder[c.tab] = w;
            break;
        }
        case ControlKind::Button: {
            auto* button = new QPushButton(qs(c.caption), this);
            button->setAccessibleName(qs(c.caption));
            button->setAutoDefault(false);
            button->setDefault(false);
            button->installEventFilter(this); // Enter presses it
            w = button;
            tabOrder[c.tab] = w;
            if (c.name == "Command1")
                connect(button, &QPushButton::clicked, this, &CalculatorWindow::compute);
            if (c.name == "Command2") connect(button, &QPushButton::clicked, this, &CalculatorWindow::clear);
            if (c.name == "Command3")
                connect(button, &QPushButton::clicked, this, &CalculatorWindow::backToMenu);
            break;
        }
        }
        w->setObjectName(qs(c.name));
        if (auto* label = qobject_cast<CaptionLabel*>(w)) {
            label->setDesignedGeometry(pixels(c.left, c.top, c.width, c.height));
        } else {
            w->setGeometry(pixels(c.left, c.top, c.width, c.height));
        }
        if (c.fontSize > 0) w->setFont(uiFont(c.fontSize, qs(c.fontFamily)));
    }
    if (resultBox_ != nullptr) {
        // The result box may widen to the right up to the window's edge for a long result.
        QList<QRect> others;
        for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w != resultBox_) others.append(w->geometry());
        const QRect designed = resultBox_->geometry();
        const CaptionRoom room = roomRightAndDown(designed, others, rect(), px(kCaptionGapTwips));
        resultBox_->setDesignedGeometry(designed, room.rightEdge(designed.top(), designed.bottom() + 1) -
                                                      designed.left());
    }
    QWidget* previous = nullptr;
    for (const auto& [tab, w] : tabOrder) {
        if (previous != nullptr) QWidget::setTabOrder(previous, w);
        previous = w;
    }
    applyPrintLook(false); // where the design put it, until first switched
    addKeyboardAndCopy();
}

int CalculatorWindow::px(double twips) const {
    return twipsToPixels(twips, logicalDpiY());
}

QRect CalculatorWindow::pixels(int left, int top, int width, int height) const {
    return QRect(px(left), px(top), px(width), px(height));
}

void CalculatorWindow::dress(const CatalogueEntry& entry) {
    dressed_ = &entry;
    setCalculated({});
    setWindowTitle(qs(familyInfo(entry.family).windowCaption));
    activateWindow();
    inputs_.front()->setFocus();
    for (const DressStep& step : dressSteps(entry))
        applyStep(step);
    fitCaptions();
    nameControls();
}

// A screen reader names each box after the caption the user sees beside it (元金, not Text1).
void CalculatorWindow::nameControls() {
    auto caption = [this](std::string_view name) {
        const auto* label = findChild<QLabel*>(qs(name), Qt::FindDirectChildrenOnly);
        return label != nullptr ? label->text() : QString();
    };
    static constexpr std::array<std::string_view, 4> kLabels{"Label1", "Label2", "Label3", "Label4"};
    for (std::size_t k = 0; k < inputs_.size(); ++k)
        inputs_[k]->setAccessibleName(caption(kLabels.at(k)));
    if (resultBox_ != nullptr) resultBox_->setAccessibleName(caption(info_.resultLabel));
    if (list_ != nullptr) {
        list_->setAccessibleName(caption("Label5"));
        list_->setAccessibleDescription(caption("Label4") + QStringLiteral("ごとの") + caption("Label5"));
    }
}

void CalculatorWindow::applyStep(const DressStep& step) {
    QWidget* w = findChild<QWidget*>(qs(step.control), Qt::FindDirectChildrenOnly);
    if (w == nullptr) return;
    switch (step.property) {
    case DressProperty::FontSize: {
        QFont font = w->font();
        font.setPointSizeF(step.number);
        w->setFont(font);
        break;
    }
    case DressProperty::Top:
        if (auto* label = qobject_cast<CaptionLabel*>(w)) {
            label->setDesignedGeometry(
                label->designedGeometry().translated(0, px(step.number) - label->designedGeometry().y()));
        } else {
            w->move(w->x(), px(step.number));
        }
        break;
    case DressProperty::Height:
        if (auto* label = qobject_cast<CaptionLabel*>(w)) {
            QRect designed = label->designedGeometry();
            designed.setHeight(px(step.number));
            label->setDesignedGeometry(designed);
        } else {
            w->resize(w->width(), px(step.number));
        }
        break;
    case DressProperty::Visible:
        w->setVisible(step.number != 0.0);
        break;
    case DressProperty::Caption:
        if (auto* label = qobject_cast<CaptionLabel*>(w)) label->setCaption(captionText(step.text));
        break;
    case DressProperty::ClearText:
        if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->clear();
        break;
    case DressProperty::ClearList:
        if (auto* list = qobject_cast<QListWidget*>(w)) list->clear();
        break;
    }
}

void CalculatorWindow::compute() {
    std::vector<std::string> boxes;
    boxes.reserve(inputs_.size());
    for (const QLineEdit* edit : inputs_)
        boxes.push_back(edit->text().toStdString());

    const Outcome out = computeClick(state_, info_.id, boxes);
    if (out.listEmptied && list_ != nullptr) list_->clear();
    // A printer failure still leaves a calculated result, which may then be copied instead.
    const bool calculated = out.message == Message::None && dressed_ != nullptr &&
                            (out.resultText.has_value() || dressed_->calc.isTable());
    setCalculated(calculated ? boxes : std::vector<std::string>{});
    if (out.message == Message::InputRequired) {
        showMessage(this, kInputRequiredBox);
        return;
    }
    if (out.resultText && resultBox_ != nullptr) {
        resultBox_->setText(QString::fromStdString(*out.resultText));
        resultBox_->setCursorPosition(0); // show a result from its first digit
    }
    if (!out.listLines.empty() && list_ != nullptr) {
        QStringList lines;
        lines.reserve(static_cast<qsizetype>(out.listLines.size()));
        for (const std::string& line : out.listLines)
            lines.append(QString::fromStdString(line));
        list_->addItems(lines); // one insertion for the whole table
        sizeRowsToTheWidest(list_, out.listLines);
    }
    bool failed = out.message == Message::CalculationError;
    if (!failed && !out.printJob.empty()) {
        // A printer that cannot print, or fails part-way, is a failure of this click: the result
        // stays shown and the user is told.
        bool printed = false;
        try {
            printed = printer_.printJob(out.printJob);
        } catch (...) {
            printed = false;
        }
        failed = !printed;
    }
    if (failed) showMessage(this, kCalculationErrorBox);
}

void CalculatorWindow::clear() {
    for (QLineEdit* edit : inputs_)
        edit->clear();
    if (resultBox_ != nullptr) resultBox_->clear();
    if (list_ != nullptr) list_->clear();
    setCalculated({});
    inputs_.front()->setFocus(); // ready for the next case
}

void CalculatorWindow::backToMenu() {
    state_.returnToMenu(info_);
    setPrintLook(false);
    hide();
    menuWindow_->show();
}

void CalculatorWindow::askPrintOption() {
    const auto answer = showMessage(this, kPrintQuestionBox, QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::No) {
        state_.setPrintAfterCalc(false);
        setPrintLook(false);
    } else if (answer == QMessageBox::Yes) {
        state_.setPrintAfterCalc(true);
        setPrintLook(true);
    }
}

void CalculatorWindow::setPrintLook(bool on) {
    const TwipsPoint pos = on ? layout_.printOn : layout_.printOff;
    printOption_->setDesignedGeometry(pixels(pos.left, pos.top, kPrintSwitchWidth, kPrintSwitchHeight));
    applyPrintLook(on);
}

// The switch's colour and caption: button face and 印刷なし, or light green and 計算後印刷.
void CalculatorWindow::applyPrintLook(bool on) {
    paintBackground(printOption_, on ? QColor(0xC0, 0xFF, 0xC0) : palette().color(QPalette::Button));
    printOption_->setCaption({on ? QStringLiteral("計算後印刷") : QStringLiteral("印刷なし"), {}});
    printOption_->setAccessibleName(printOption_->text());
    printOption_->setAccessibleDescription(
        QStringLiteral("クリックすると、計算後に印刷するかどうかを選べます"));
    fitCaptions();
}

// Captions take the room they need, right and down into free space; the print switch may widen
// to both sides between 計算 and クリヤ. Wherever the switch may stand (as designed, off, on)
// stays free of the other captions.
void CalculatorWindow::fitCaptions() {
    const int gap = px(kCaptionGapTwips);
    QList<QRect> buttons;
    for (QPushButton* b : findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
        buttons.append(b->geometry());
    QList<QRect> places;
    for (const TwipsPoint pos : {layout_.printOff, layout_.printOn})
        places.append(pixels(pos.left, pos.top, kPrintSwitchWidth, kPrintSwitchHeight));
    for (const ControlDesign& c : layout_.controls)
        if (c.kind == ControlKind::PrintOption) places.append(pixels(c.left, c.top, c.width, c.height));
    QList<QRect> switchPlaces;
    for (const QRect& place : places)
        if (place != printOption_->designedGeometry())
            switchPlaces.append(roomSideways(place, buttons, rect(), gap));
    kinri::ui::fitCaptions(this, switchPlaces, gap);
}

void CalculatorWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit programEndRequested();
}

// F1 for the calculation's help page; copying the conditions and result (Ctrl+Shift+C, or the
// context menu of the window and of its result box or table); Ctrl+C and Ctrl+A in the table.
void CalculatorWindow::addKeyboardAndCopy() {
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] {
        if (dressed_ != nullptr) help_.showTopic(QLatin1String(kHelpFileName), qs(dressed_->item));
    });

    copyConditions_ = new QAction(QStringLiteral("計算条件と結果をコピー"), this);
    copyConditions_->setObjectName(QStringLiteral("CopyConditions"));
    copyConditions_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copyConditions_->setShortcutContext(Qt::WindowShortcut);
    copyConditions_->setEnabled(false);
    connect(copyConditions_, &QAction::triggered, this, &CalculatorWindow::copyConditions);
    addAction(copyConditions_);

    if (resultBox_ != nullptr) {
        resultBox_->installEventFilter(this); // Ctrl+C with nothing selected copies the whole result
        resultBox_->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(resultBox_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
            QMenu* menu = resultBox_->createStandardContextMenu();
            menu->addSeparator();
            menu->addAction(copyConditions_);
            showMenuWith(menu, resultBox_->mapToGlobal(pos));
        });
    }
    if (list_ != nullptr) {
        auto addListKey = [this](QKeySequence::StandardKey key, auto slot) {
            auto* action = new QAction(list_);
            action->setShortcut(key);
            action->setShortcutContext(Qt::WidgetShortcut);
            connect(action, &QAction::triggered, this, slot);
            list_->addAction(action);
        };
        addListKey(QKeySequence::Copy, [this] { copyListRows(false); });
        // The list stays single-selection for clicks and arrows; Ctrl+A marks every row for copying.
        addListKey(QKeySequence::SelectAll, [this] {
            if (list_->count() == 0) return;
            list_->selectionModel()->select(
                QItemSelection(list_->model()->index(0, 0), list_->model()->index(list_->count() - 1, 0)),
                QItemSelectionModel::Select);
        });
        list_->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list_, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
            auto* menu = new QMenu(list_);
            const QString copyKey = QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText);
            menu->addAction(QStringLiteral("コピー\t") + copyKey, this, [this] { copyListRows(false); })
                ->setEnabled(!list_->selectedItems().isEmpty());
            menu->addAction(QStringLiteral("すべてコピー"), this, [this] { copyListRows(true); })
                ->setEnabled(list_->count() > 0);
            menu->addSeparator();
            menu->addAction(copyConditions_);
            showMenuWith(menu, list_->viewport()->mapToGlobal(pos));
        });
    }
}

void CalculatorWindow::showMenuWith(QMenu* menu, const QPoint& globalPos) {
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

// Right click on the window's background, its captions or its buttons.
void CalculatorWindow::contextMenuEvent(QContextMenuEvent* event) {
    auto* menu = new QMenu(this);
    menu->addAction(copyConditions_);
    showMenuWith(menu, event->globalPos());
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (auto* button = qobject_cast<QPushButton*>(watched)) {
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            if (!key->isAutoRepeat()) button->click();
            return true;
        }
    } else if (watched == resultBox_ && key->matches(QKeySequence::Copy) && !resultBox_->hasSelectedText()) {
        if (!resultBox_->text().isEmpty()) QGuiApplication::clipboard()->setText(resultBox_->text());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CalculatorWindow::setCalculated(std::vector<std::string> inputs) {
    calculated_ = std::move(inputs);
    if (copyConditions_ != nullptr) copyConditions_->setEnabled(!calculated_.empty());
}

// Built by running the calculation once more with printing on: the text is the print job's, line
// for line, so it cannot differ from what the paper carries.
QString CalculatorWindow::conditionsText() const {
    if (calculated_.empty() || dressed_ == nullptr) return {};
    const Outcome out = runCalculation(dressed_->item, calculated_, true);
    return QString::fromStdString(printText(out.printJob));
}

void CalculatorWindow::copyConditions() {
    const QString text = conditionsText();
    if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

// Rows as the list shows them, one line each, in list order.
void CalculatorWindow::copyListRows(bool all) {
    QString text;
    for (int row = 0; row < list_->count(); ++row) {
        const QListWidgetItem* item = list_->item(row);
        if (all || item->isSelected()) text += item->text() + u'\n';
    }
    if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

} // namespace kinri::ui
