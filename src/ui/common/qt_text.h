#pragma once

#include <QString>

#include <string_view>

namespace kinri::ui {

// A text of the catalogue or of the program's messages (UTF-8) as Qt holds it.
inline QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace kinri::ui
