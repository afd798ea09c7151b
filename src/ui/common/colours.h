#pragma once

#include <QColor>
#include <QPalette>

namespace kinri::ui {

// The contrast ratio of two colours, from 1 (the same) to 21 (black on white), as legibility
// guidelines measure it from their relative luminance; text needs 4.5:1 to be read with ordinary
// eyesight.
double contrastRatio(const QColor& a, const QColor& b);
inline constexpr double kReadableContrast = 4.5;

// The red of results and tables on `base`, as near the design's pure red as reads at 4.5:1: on a
// light box a little deeper (pure red on white is 4.0:1), on a dark one lighter.
QColor resultRed(const QColor& base);

// Whether `palette` is a high-contrast scheme: boxes on the window's own colour, text at 15:1 or
// more (white on black, black on white), where only a frame shows where a box or button is.
bool isHighContrast(const QPalette& palette);

// The program's style, once: the desktop's own, with a frame in the text's colour round boxes
// and buttons in a high-contrast scheme (the usual frame, a shade of the window, vanishes there).
void installContrastFrames();

} // namespace kinri::ui
