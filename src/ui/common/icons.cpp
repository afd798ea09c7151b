#include "ui/common/icons.h"

namespace kinri::ui {

QIcon artworkIcon(const QString& name) {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/png/%1-%2.png").arg(name).arg(size), QSize(size, size));
    return icon;
}

} // namespace kinri::ui
