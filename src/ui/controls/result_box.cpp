#include "ui/controls/result_box.h"

#include "ui/captions/caption_layout.h"

#include <QEvent>
#include <QFontMetricsF>

#include <cmath>

namespace kinri::ui {

ResultBox::ResultBox(QWidget* parent) : TextBox(parent), designFont_(font()) {}

void ResultBox::setDesignedGeometry(const QRect& designed, int widest) {
    designed_ = designed;
    widest_ = std::max(widest, designed.width());
    setGeometry(designed);
    refit();
}

// The largest font, from the box's own down to the smallest caption size, that shows the whole
// text in the designed width or, failing that, in a box grown as little as needed; at the
// smallest size a text that is still too wide is shown cut with 「…」 in the widest box.
void ResultBox::refit() {
    const QString text = this->text();
    const int chrome = width() - textWidth(); // frame and margins, whatever the width
    QFont fitted = designFont_;
    int boxWidth = widest_;
    for (double points = designFont_.pointSizeF(); points >= kSmallestCaptionPoints - 1e-9; points -= 0.25) {
        fitted.setPointSizeF(points);
        const int needed =
            static_cast<int>(std::ceil(QFontMetricsF(fitted, this).horizontalAdvance(text))) + chrome;
        if (needed <= widest_) {
            boxWidth = std::max(designed_.width(), needed);
            break;
        }
    }
    if (fitted != font()) {
        fitting_ = true;
        setFont(fitted);
        fitting_ = false;
    }
    if (designed_.isValid()) setGeometry(QRect(designed_.topLeft(), QSize(boxWidth, designed_.height())));
    updateShown();
}

// A font given from outside (the design's size at a new zoom) is the one to fit from.
void ResultBox::changeEvent(QEvent* event) {
    TextBox::changeEvent(event);
    if (event->type() != QEvent::FontChange || fitting_) return;
    designFont_ = font();
    refit();
}

} // namespace kinri::ui
