#include "ui/common/twips.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kinri::ui {
namespace {

std::int64_t wholeTwips(double value) {
    const auto single = static_cast<float>(value);
    return static_cast<std::int64_t>(std::nearbyint(single)); // default rounding: halves to even
}

std::int32_t clampToInt32(double value) {
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(value, lo, hi));
}

} // namespace

int twipsToPixels(double twips, double dpi) {
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

double pixelsToTwips(double pixels, double dpi) {
    return pixels * kTwipsPerInch / dpi;
}

WindowPosition placeWindow(double screenWidth, double screenHeight, double windowWidth, double windowHeight) {
    const std::int64_t dx = wholeTwips(screenWidth) - wholeTwips(windowWidth);
    const std::int64_t dy = wholeTwips(screenHeight) - wholeTwips(windowHeight);
    return {clampToInt32(std::floor(static_cast<double>(dx) / 2.0)),
            clampToInt32(std::floor(static_cast<double>(dy) / 3.0))};
}

} // namespace kinri::ui
