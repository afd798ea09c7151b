#pragma once

#include <QColor>

namespace kinri::ui {

// The contrast ratio of two colours, from 1 (the same) to 21 (black on white), as legibility
// guidelines measure it from their relative luminance; text needs 4.5:1 to be read with ordinary
// eyesight.
double contrastRatio(const QColor& a, const QColor& b);
inline constexpr double kReadableContrast = 4.5;

// The red of results and tables on `base`: the design's pure red on a light box, as the windows
// were drawn; on the dark box of a dark theme a lighter red, as light as it must be to read.
QColor resultRed(const QColor& base);

} // namespace kinri::ui
