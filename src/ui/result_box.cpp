#include "ui/result_box.h"

#include "ui/caption_layout.h"

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

ResultBox::ResultBox(QWidget* parent) : QLineEdit(parent), designFont_(font()) {
    connect(this, &QLineEdit::textChanged, this, &ResultBox::refit);
}

void ResultBox::setDesignedGeometry(const QRect& designed, int widest) {
    designed_ = designed;
    widest_ = std::max(widest, designed.width());
    setGeometry(designed);
    refit();
}

int ResultBox::textWidth() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents =
        style()->subElementRect(QStyle::SE_LineEditContents, &option, this).marginsRemoved(textMargins());
    return contents.width() - 2 * kLineEditMargin - kCursorAndSpare;
}

// The largest font, from the box's own down to the smallest caption size, that shows the whole
// text in the designed width or, failing that, in a box grown as little as needed; at the
// smallest size a text that is still too wide is shown cut with 「…」 in the widest box.
void ResultBox::refit() {
    const QString text = this->text();
    const int chrome = width() - textWidth(); // frame and margins, whatever the width
    QFont fitted = designFont_;
    int boxWidth = widest_;
    bool whole = false;
    for (double points = designFont_.pointSizeF(); points >= kSmallestCaptionPoints - 1e-9; points -= 0.25) {
        fitted.setPointSizeF(points);
        const int needed =
            static_cast<int>(std::ceil(QFontMetricsF(fitted, this).horizontalAdvance(text))) + chrome;
        if (needed <= widest_) {
            boxWidth = std::max(designed_.width(), needed);
            whole = true;
            break;
        }
    }
    if (fitted != font()) setFont(fitted);
    if (designed_.isValid()) setGeometry(QRect(designed_.topLeft(), QSize(boxWidth, designed_.height())));
    shown_ = whole ? text : QFontMetricsF(fitted, this).elidedText(text, Qt::ElideRight, textWidth());
    setToolTip(text);
    update();
}

void ResultBox::paintEvent(QPaintEvent* event) {
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
