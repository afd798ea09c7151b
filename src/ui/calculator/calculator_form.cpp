#include "ui/calculator/calculator_form.h"

#include "ui/captions/caption_label.h"
#include "ui/common/announcer.h"
#include "ui/common/colours.h"
#include "ui/common/fonts.h"
#include "ui/common/qt_text.h"
#include "ui/common/twips.h"
#include "ui/common/view_scale.h"
#include "ui/common/window_placement.h"
#include "ui/controls/print_switch.h"
#include "ui/controls/result_box.h"
#include "ui/controls/table_list.h"
#include "ui/controls/table_rows.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

#include <map>

namespace kinri::ui {
namespace {

// Room between a caption and the next control, and between a caption and the window's edge.
constexpr int kCaptionGapTwips = 30;

void paintBackground(QWidget* w, const QColor& colour, const QColor& text) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, colour);
    pal.setColor(QPalette::WindowText, text);
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

// Results are red, as light a red as the box's background needs (see resultRed).
void paintTextRed(QWidget* w) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::Text, resultRed(pal.color(QPalette::Base)));
    w->setPalette(pal);
}

} // namespace

CalculatorForm::CalculatorForm(QWidget& window, const WindowLayout& layout, const ViewScale& scale)
    : window_(window), layout_(layout), scale_(scale) {
    const auto inputCount = static_cast<std::size_t>(windowInfo(layout.id).inputCount);
    inputs.resize(inputCount, nullptr);
    inputCaptions.resize(inputCount, nullptr);
    std::map<int, QWidget*> tabOrder;
    for (const ControlDesign& c : layout.controls) {
        QWidget* w = nullptr;
        const auto k = static_cast<std::size_t>(c.role.number - 1);
        switch (c.role.role) {
        case ControlRole::InputCaption:
        case ControlRole::ResultCaption:
        case ControlRole::ColumnHead: {
            auto* label = new CaptionLabel(&window);
            if (c.role.role == ControlRole::InputCaption) inputCaptions.at(k) = label;
            if (c.role.role == ControlRole::ResultCaption) resultCaption = label;
            if (c.role.role == ControlRole::ColumnHead) columnHead = label;
            w = label;
            break;
        }
        case ControlRole::PrintSwitch:
            printSwitch = new PrintSwitch(&window);
            printSwitch->setGrowth(CaptionGrowth::Sideways);
            printSwitch->setAlignment(Qt::AlignCenter);
            printSwitch->setCaption({qs(c.caption), {}});
            printSwitch->setCursor(Qt::PointingHandCursor);
            w = printSwitch;
            break;
        case ControlRole::Input:
            inputs.at(k) = new TextBox(&window);
            w = inputs.at(k);
            break;
        case ControlRole::ResultBox:
            resultBox = new ResultBox(&window);
            paintTextRed(resultBox);
            w = resultBox;
            break;
        case ControlRole::ResultList:
            list = new TableList(&window);
            list->setSelectionMode(QAbstractItemView::SingleSelection);
            list->setTextElideMode(Qt::ElideNone); // a row is shown whole
            rows_ = new TableRows(list);
            list->setItemDelegate(rows_);
            paintTextRed(list);
            w = list;
            break;
        case ControlRole::Compute:
        case ControlRole::Clear:
        case ControlRole::Menu: {
            auto* button = new QPushButton(qs(c.caption), &window);
            button->setAccessibleName(qs(c.caption));
            button->setAutoDefault(false);
            button->setDefault(false);
            (c.role.role == ControlRole::Compute ? compute
             : c.role.role == ControlRole::Clear ? clear
                                                 : menu) = button;
            w = button;
            break;
        }
        }
        if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->setTextMargins(0, 0, 0, 0);
        if (c.kind() != ControlKind::Label) tabOrder[c.tab] = w;
        w->setObjectName(qs(c.name));
    }
    // The column heads appear once a table calculation is chosen.
    if (columnHead != nullptr) {
        columnHead->setVisible(false);
        resultCaption->setVisible(false);
    }
    announcer = new Announcer(&window);
    layOut();
    QWidget* previous = nullptr;
    for (const auto& [tab, w] : tabOrder) {
        if (previous != nullptr) QWidget::setTabOrder(previous, w);
        previous = w;
    }
    paintPrintLook(false); // where the design put it, until first switched
}

// The window and its controls where the design puts them, in the design's fonts, at the program's
// scale.
void CalculatorForm::layOut() {
    window_.setFixedSize(widthFor(px(layout_.clientWidth)), px(layout_.clientHeight));
    for (const ControlDesign& c : layout_.controls) {
        QWidget* w = control(c.role);
        // A font of its own, or the window's; a menu entry sizes some again (see rescale). The font
        // first: a control that fits its text to its font does so in its new place.
        w->setFont(c.fontSize > 0 ? uiFont(scale_.points(c.fontSize), qs(c.fontFamily)) : QFont());
        if (auto* label = qobject_cast<CaptionLabel*>(w)) {
            label->setDesignedGeometry(pixels(c.left, c.top, c.width, c.height));
        } else {
            w->setGeometry(pixels(c.left, c.top, c.width, c.height));
        }
    }
    if (list != nullptr) {
        QFont rows(fixedFontFamily());
        rows.setPointSizeF(scale_.points(9));
        list->setFont(rows);
    }
    if (resultBox != nullptr) {
        // The result box may widen to the right up to the window's edge for a long result.
        QList<QRect> others;
        for (QWidget* w : window_.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w != resultBox) others.append(w->geometry());
        const QRect designed = resultBox->geometry();
        const CaptionRoom room = roomRightAndDown(designed, others, window_.rect(), px(kCaptionGapTwips));
        resultBox->setDesignedGeometry(designed, room.rightEdge(designed.top(), designed.bottom() + 1) -
                                                     designed.left());
    }
}

void CalculatorForm::rescale() {
    layOut();
    if (dressed_ != nullptr) {
        for (const DressStep& step : dressSteps(*dressed_))
            if (step.property == DressProperty::FontSize || step.property == DressProperty::Top ||
                step.property == DressProperty::Height)
                apply(step);
    }
    if (printLook_) {
        setPrintLook(*printLook_);
    } else {
        fitCaptions();
    }
    if (list != nullptr && list->count() > 0) {
        fitTable();
    } else if (list != nullptr) {
        widenTable(0);
    }
}

// As wide as designed, or as its title needs where the program draws the title bar itself.
int CalculatorForm::widthFor(int designed) const {
    return std::max(designed, titleBarWidth(window_));
}

int CalculatorForm::px(double twips) const {
    return scale_.px(twips, window_);
}

QRect CalculatorForm::pixels(int left, int top, int width, int height) const {
    return QRect(px(left), px(top), px(width), px(height));
}

QWidget* CalculatorForm::control(ControlRef ref) const {
    const auto k = static_cast<std::size_t>(ref.number - 1);
    switch (ref.role) {
    case ControlRole::InputCaption:
        return k < inputCaptions.size() ? inputCaptions[k] : nullptr;
    case ControlRole::Input:
        return k < inputs.size() ? inputs[k] : nullptr;
    case ControlRole::ResultCaption:
        return resultCaption;
    case ControlRole::ColumnHead:
        return columnHead;
    case ControlRole::ResultBox:
        return resultBox;
    case ControlRole::ResultList:
        return list;
    case ControlRole::Compute:
        return compute;
    case ControlRole::Clear:
        return clear;
    case ControlRole::Menu:
        return menu;
    case ControlRole::PrintSwitch:
        return printSwitch;
    }
    return nullptr;
}

void CalculatorForm::dress(const CatalogueEntry& entry) {
    dressed_ = &entry;
    if (list != nullptr) widenTable(0);
    if (list == nullptr) window_.setFixedWidth(widthFor(px(layout_.clientWidth))); // for the entry's title
    inputs.front()->setFocus();
    for (const DressStep& step : dressSteps(entry))
        apply(step);
    fitCaptions();
    nameControls();
}

void CalculatorForm::apply(const DressStep& step) {
    QWidget* w = control(step.target);
    if (w == nullptr) return;
    auto* label = qobject_cast<CaptionLabel*>(w);
    switch (step.property) {
    case DressProperty::FontSize: {
        QFont font = w->font();
        font.setPointSizeF(scale_.points(step.number));
        w->setFont(font);
        break;
    }
    case DressProperty::Top:
        if (label != nullptr) {
            label->setDesignedGeometry(
                label->designedGeometry().translated(0, px(step.number) - label->designedGeometry().y()));
        } else {
            w->move(w->x(), px(step.number));
        }
        break;
    case DressProperty::Height:
        if (label != nullptr) {
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
        if (label != nullptr) label->setCaption(captionText(step.text));
        break;
    case DressProperty::ClearText:
        if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->clear();
        break;
    case DressProperty::ClearList:
        if (list != nullptr) list->clear();
        break;
    }
}

// A screen reader names each box after the caption the user sees beside it (元金, not Text1).
void CalculatorForm::nameControls() {
    for (std::size_t k = 0; k < inputs.size(); ++k)
        inputs[k]->setAccessibleName(inputCaptions[k]->text());
    if (resultBox != nullptr) resultBox->setAccessibleName(resultCaption->text());
    if (list != nullptr) {
        list->setAccessibleName(resultCaption->text());
        list->setAccessibleDescription(columnHead->text() + QStringLiteral("ごとの") + resultCaption->text());
    }
}

std::vector<std::string> CalculatorForm::inputTexts() const {
    std::vector<std::string> boxes;
    boxes.reserve(inputs.size());
    for (const TextBox* edit : inputs)
        boxes.push_back(edit->text().toStdString());
    return boxes;
}

// The table's rows go to the list as they are, not copied: the click has no other use for them.
void CalculatorForm::show(Outcome& out) {
    if (out.listEmptied && list != nullptr) list->clear();
    if (out.resultText && resultBox != nullptr) {
        resultBox->setText(QString::fromStdString(*out.resultText));
        resultBox->setCursorPosition(0); // show a result from its first digit
    }
    if (!out.listLines.empty() && list != nullptr) {
        list->append(std::move(out.listLines));
        fitTable();
    }
}

// The list takes the size of every row from its last one, which keeps a table of 10000 rows quick
// to lay out: the last row gets the width every row needs (and its own height), and the list then
// widens to it.
void CalculatorForm::fitTable() {
    const int margin = 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    const int width = rows_->measure(list->rows(), QFontMetrics(list->font())) + margin;
    list->setRowSize({});
    list->setRowSize(QSize(width, list->sizeHintForRow(list->count() - 1)));
    widenTable(width);
}

// A table is read whole, never through a scroll bar: a row wider than the list widens the list,
// and the window with it to the right, keeping the design's margin; the other controls keep their
// places. 0 puts both back as designed.
void CalculatorForm::widenTable(int rowWidth) {
    QRect designed;
    for (const ControlDesign& c : layout_.controls)
        if (c.role.role == ControlRole::ResultList) designed = pixels(c.left, c.top, c.width, c.height);
    const int chrome = 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width();
    const int width = std::max(designed.width(), rowWidth + chrome);
    list->setGeometry(QRect(designed.topLeft(), QSize(width, designed.height())));
    const int designedWidth = px(layout_.clientWidth);
    window_.setFixedWidth(
        widthFor(std::max(designedWidth, designed.left() + width + designedWidth - designed.right() - 1)));
}

QString CalculatorForm::spokenResult() const {
    if (resultBox != nullptr) return resultCaption->text() + QStringLiteral("：") + resultBox->text();
    if (list->count() == 0) return resultCaption->text();
    return QStringLiteral("%1、%2行。1行目：%3")
        .arg(resultCaption->text())
        .arg(list->count())
        .arg(list->text(0).simplified());
}

void CalculatorForm::clearAll() {
    for (TextBox* edit : inputs)
        edit->clear();
    if (resultBox != nullptr) resultBox->clear();
    if (list != nullptr) {
        list->clear();
        widenTable(0);
    }
    inputs.front()->setFocus(); // ready for the next case
}

void CalculatorForm::setPrintLook(bool on) {
    printLook_ = on;
    const TwipsPoint pos = on ? layout_.printOn : layout_.printOff;
    printSwitch->setDesignedGeometry(pixels(pos.left, pos.top, kPrintSwitchWidth, kPrintSwitchHeight));
    paintPrintLook(on);
}

// The switch's colour and caption: button face and 印刷なし, or light green and 計算後印刷. The
// text is the button face's own text colour, and black on the light green whatever the theme.
void CalculatorForm::paintPrintLook(bool on) {
    const QPalette theme = window_.palette();
    if (on) {
        paintBackground(printSwitch, QColor(0xC0, 0xFF, 0xC0), Qt::black);
    } else {
        paintBackground(printSwitch, theme.color(QPalette::Button), theme.color(QPalette::ButtonText));
    }
    printSwitch->setCaption({on ? QStringLiteral("計算後印刷") : QStringLiteral("印刷なし"), {}});
    printSwitch->setAccessibleName(printSwitch->text());
    printSwitch->setAccessibleDescription(
        QStringLiteral("クリックすると、計算後に印刷するかどうかを選べます"));
    fitCaptions();
}

// Captions take the room they need, right and down into free space; the print switch may widen
// to both sides between 計算 and クリヤ. Wherever the switch may stand (as designed, off, on)
// stays free of the other captions.
void CalculatorForm::fitCaptions() {
    const int gap = px(kCaptionGapTwips);
    const QList<QRect> buttons{compute->geometry(), clear->geometry(), menu->geometry()};
    QList<QRect> places;
    for (const TwipsPoint pos : {layout_.printOff, layout_.printOn})
        places.append(pixels(pos.left, pos.top, kPrintSwitchWidth, kPrintSwitchHeight));
    for (const ControlDesign& c : layout_.controls)
        if (c.role.role == ControlRole::PrintSwitch) places.append(pixels(c.left, c.top, c.width, c.height));
    QList<QRect> switchPlaces;
    for (const QRect& place : places)
        if (place != printSwitch->designedGeometry())
            switchPlaces.append(roomSideways(place, buttons, window_.rect(), gap));
    QList<CaptionBeside> beside;
    for (std::size_t k = 0; k < inputs.size(); ++k)
        beside.append({inputCaptions[k], inputs[k]});
    if (resultBox != nullptr) beside.append({resultCaption, resultBox});
    kinri::ui::fitCaptions(&window_, switchPlaces, gap, beside);
}

} // namespace kinri::ui
