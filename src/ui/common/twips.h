#pragma once

#include <cstdint>

namespace kinri::ui {

// Window geometry is designed in twips: 1/1440 inch, so 15 twips make one pixel at 96 dpi.
inline constexpr double kTwipsPerInch = 1440.0;

int twipsToPixels(double twips, double dpi);
double pixelsToTwips(double pixels, double dpi);

struct WindowPosition {
    std::int32_t left;
    std::int32_t top;
};

// Where a window goes on the screen: centred horizontally, with one third of the free height
// above it and two thirds below. All sizes in twips; each is read in single precision and
// rounded to a whole number (halves to even) before the free space is worked out, and the
// position is rounded down, so a window larger than the screen starts partly off screen.
WindowPosition placeWindow(double screenWidth, double screenHeight, double windowWidth, double windowHeight);

} // namespace kinri::ui
