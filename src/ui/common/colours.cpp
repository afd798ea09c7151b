#include "ui/common/colours.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

#include <algorithm>
#include <cmath>

namespace kinri::ui {
namespace {

double luminance(const QColor& c) {
    auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor resultRed(const QColor& base) {
    QColor red(0xFF, 0x00, 0x00);
    if (luminance(base) >= 0.5) { // a deeper red, as on a light box pure red reads at 4.0:1 only
        for (int r = 0xFF; r >= 0x80 && contrastRatio(red, base) < kReadableContrast; r -= 4)
            red = QColor(r, 0, 0);
        return red;
    }
    for (int tint = 0; tint <= 0xC0 && contrastRatio(red, base) < kReadableContrast; tint += 8)
        red = QColor(0xFF, tint, tint);
    return red;
}

namespace {

class ContrastFrames : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        if ((element != PE_FrameLineEdit && element != PE_PanelButtonCommand) ||
            !isHighContrast(option->palette))
            return;
        painter->save();
        painter->setPen(QPen(option->palette.color(QPalette::WindowText), 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5));
        painter->restore();
    }
};

} // namespace

bool isHighContrast(const QPalette& palette) {
    return contrastRatio(palette.color(QPalette::Window), palette.color(QPalette::Base)) < 1.1 &&
           contrastRatio(palette.color(QPalette::Window), palette.color(QPalette::WindowText)) >= 15.0;
}

void installContrastFrames() {
    if (dynamic_cast<ContrastFrames*>(QApplication::style()) != nullptr) return;
    // A base of its own: the application deletes the style it replaces.
    QApplication::setStyle(new ContrastFrames(QStyleFactory::create(QApplication::style()->name())));
}

} // namespace kinri::ui
