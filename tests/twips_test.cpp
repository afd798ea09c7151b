#include "ui/twips.h"

#include <gtest/gtest.h>

namespace kinri::ui {
namespace {

struct PlaceCase {
    const char* name;
    double sw, sh, ww, wh;
    int left, top;
};

class PlaceWindow : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceWindow, CentresAndLeavesATHirdAbove) {
    const PlaceCase& c = GetParam();
    const WindowPosition pos = placeWindow(c.sw, c.sh, c.ww, c.wh);
    EXPECT_EQ(pos.left, c.left);
    EXPECT_EQ(pos.top, c.top);
}

INSTANTIATE_TEST_SUITE_P(
    Twips, PlaceWindow,
    ::testing::Values(PlaceCase{"typical", 15360, 11520, 4000, 3000, 5680, 2840},
                      PlaceCase{"odd_free_width_rounds_down", 4005, 3000, 4000, 3000, 2, 0},
                      PlaceCase{"free_height_not_divisible_by_three", 1000, 1000, 1000, 992, 0, 2},
                      PlaceCase{"larger_than_screen_goes_negative_rounding_down", 4000, 3000, 4001, 3001, -1,
                                -1},
                      PlaceCase{"much_larger", 4000, 3000, 4010, 3010, -5, -4},
                      // sizes are read in single precision, then rounded half to even
                      PlaceCase{"half_rounds_to_even_down", 10000.5, 10000, 0, 0, 5000, 3333},
                      PlaceCase{"half_rounds_to_even_up", 10001.5, 10000, 0, 0, 5001, 3333},
                      PlaceCase{"single_precision_read", 16777217.0, 0, 0, 0, 8388608, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Twips, FifteenTwipsMakeAPixelAt96Dpi) {
    EXPECT_EQ(twipsToPixels(15, 96), 1);
    EXPECT_EQ(twipsToPixels(3345, 96), 223);
    EXPECT_EQ(twipsToPixels(1440, 192), 192);
    EXPECT_DOUBLE_EQ(pixelsToTwips(223, 96), 3345);
    EXPECT_DOUBLE_EQ(pixelsToTwips(1, 120), 12);
}

} // namespace
} // namespace kinri::ui
