#include "ui/common/icons.h"

#include <QPixmap>

namespace kinri::ui {

// Each size read as the PNG it is: a file given to QIcon by name alone is offered to every image
// format plugin installed before the built-in reader, which loads them all at start-up. Up to 64
// px: a title bar at twice the scale. An X11 window hands every size to the window manager as it
// is mapped, and 128 and 256 px were nine tenths of those pixels; taskbars and switchers take the
// large icon from the installed theme.
QIcon artworkIcon(const QString& name) {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap;
        if (pixmap.load(QStringLiteral(":/icons/png/%1-%2.png").arg(name).arg(size), "PNG"))
            icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace kinri::ui
