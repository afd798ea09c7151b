#include "ui/window_placement.h"

#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace kinri::ui {

void placeOnScreen(QWidget& window) {
    const QScreen* screen = window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const double dpi = window.logicalDpiY();
    const QRect area = screen->geometry();
    const QSize outer = window.frameGeometry().size();
    const WindowPosition pos =
        placeWindow(pixelsToTwips(area.width(), dpi), pixelsToTwips(area.height(), dpi),
                    pixelsToTwips(outer.width(), dpi), pixelsToTwips(outer.height(), dpi));
    window.move(area.topLeft() + QPoint(twipsToPixels(pos.left, dpi), twipsToPixels(pos.top, dpi)));
}

} // namespace kinri::ui
