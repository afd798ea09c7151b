#include "ui/controls/text_box.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <cmath>

namespace kinri::ui {
namespace {

// QLineEdit keeps this many pixels free on each side of its text, and shows a text from its
// start only while the text and a cursor of one pixel fit beside that with one pixel to spare.
constexpr int kLineEditMargin = 2;
constexpr int kCursorAndSpare = 2;

} // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, [this] { refit(); });
}

int TextBox::textWidth() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents =
        style()->subElementRect(QStyle::SE_LineEditContents, &option, this).marginsRemoved(textMargins());
    return contents.width() - 2 * kLineEditMargin - kCursorAndSpare;
}

void TextBox::updateShown() {
    const QString text = this->text();
    const QFontMetricsF fm(font(), this);
    shown_ = std::ceil(fm.horizontalAdvance(text)) <= textWidth()
                 ? text
                 : fm.elidedText(text, Qt::ElideRight, textWidth());
    setToolTip(text);
    update();
}

void TextBox::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    updateShown();
}

void TextBox::changeEvent(QEvent* event) {
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) updateShown();
}

void TextBox::paintEvent(QPaintEvent* event) {
    // While it is being edited the box scrolls to the cursor like any other.
    if (!elided() || hasFocus()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame option;
    initStyleOption(&option);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
    const QRect contents =
        style()->subElementRect(QStyle::SE_LineEditContents, &option, this).marginsRemoved(textMargins());
    painter.setPen(palette().color(QPalette::Text));
    painter.setFont(font());
    painter.drawText(contents.adjusted(kLineEditMargin, 0, -kLineEditMargin, 0),
                     Qt::AlignLeft | Qt::AlignVCenter, shown_);
}

} // namespace kinri::ui
