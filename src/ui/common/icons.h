#pragma once

#include <QIcon>
#include <QString>

namespace kinri::ui {

// A window icon from the artwork's fixed-size renders (16 to 64 px: sharp on HiDPI title bars),
// e.g. artworkIcon("kinri"). Fixed sizes keep the SVG engine out of start-up.
QIcon artworkIcon(const QString& name);

} // namespace kinri::ui
