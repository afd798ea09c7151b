#include "ui/caption_label.h"

#include <QEvent>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

#include <cmath>

namespace kinri::ui {
namespace {

// Lines of `text` wrapped to `width` (anywhere, as Japanese text allows).
int lineCount(const QString& text, const QFont& font, double width) {
    if (text.isEmpty()) return 0;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++lines;
    }
    layout.endLayout();
    return lines;
}

} // namespace

CaptionLabel::CaptionLabel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
}

CaptionLabel::Fit CaptionLabel::computeFit() const {
    Fit fit;
    const QFontMetricsF fm(font());
    const double em = std::max(1, QFontInfo(font()).pixelSize());
    const QRectF area = contentsRect();
    const int lines = lineCount(text(), font(), area.width());
    fit.lineHeight = fm.height();
    if (lines <= 1) {
        const double natural = fm.horizontalAdvance(text());
        if (natural > area.width() && natural > 0) fit.squeeze = std::max(0.55, area.width() / natural);
        fit.fits = natural * fit.squeeze <= area.width() + 0.5;
        return fit;
    }
    // The font's own line pitch first (~1.45 em for the CJK fonts), then tighter ones.
    for (double pitch : {fm.height(), em * 1.3, em * 1.2, em * 1.1, em * 1.0}) {
        if (pitch > fm.height()) continue;
        fit.lineHeight = pitch;
        if (lines * fit.lineHeight <= area.height() + 0.5) return fit;
    }
    // Too long even at the tightest pitch: a label meant for one line squeezes its text.
    const double natural = fm.horizontalAdvance(text());
    if (area.height() < 2 * em && natural > 0) {
        fit.lineHeight = fm.height();
        fit.squeeze = std::max(0.55, area.width() / natural);
        fit.fits = natural * fit.squeeze <= area.width() + 0.5;
        return fit;
    }
    fit.fits = false;
    return fit;
}

bool CaptionLabel::captionFits() const {
    return computeFit().fits;
}

void CaptionLabel::refreshFit() {
    setToolTip(captionFits() ? QString() : text());
}

void CaptionLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.setFont(font());
    painter.setClipRect(contentsRect());
    const Fit fit = computeFit();
    const QRectF area = contentsRect();
    const QFontMetricsF fm(font());

    QTextLayout layout(text(), font());
    QTextOption option;
    option.setWrapMode(fit.squeeze < 1.0 ? QTextOption::NoWrap : QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    double y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(fit.squeeze < 1.0 ? 1e6 : area.width());
        line.setPosition(QPointF(0, y));
        y += fit.lineHeight;
    }
    layout.endLayout();

    const double textHeight = y - fit.lineHeight + fm.height();
    double top = area.top();
    if (alignment() & Qt::AlignVCenter) top += std::max(0.0, (area.height() - textHeight) / 2);
    double left = area.left();
    const double width =
        layout.lineCount() == 1 ? layout.lineAt(0).naturalTextWidth() * fit.squeeze : area.width();
    if (alignment() & Qt::AlignHCenter) left += std::max(0.0, (area.width() - width) / 2);

    painter.translate(left, top);
    painter.scale(fit.squeeze, 1.0);
    // Lines are drawn at the chosen pitch: QTextLayout's own positions hold the y offsets.
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        line.draw(&painter, QPointF(0, 0));
    }
}

void CaptionLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void CaptionLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    refreshFit();
}

void CaptionLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) refreshFit();
}

} // namespace kinri::ui
