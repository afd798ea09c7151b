#include "ui/common/twips.h"
#include "ui/common/window_placement.h"

#include <gtest/gtest.h>

#include <ostream>

// Rectangles in failure messages as a reader writes them.
void PrintTo(const QRect& r, std::ostream* os) {
    *os << '(' << r.x() << ',' << r.y() << ' ' << r.width() << 'x' << r.height() << ')';
}

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

// A help window (722 × 621 outside) opened from a calculator window or from the menu bar; never
// larger than the area it goes in.
struct BesideCase {
    const char* name;
    QRect beside, area;
    QRect expected;
    QSize minimum = {}; // half the size when not given
};

class PlaceBeside : public ::testing::TestWithParam<BesideCase> {};

TEST_P(PlaceBeside, LeavesTheWindowItWasOpenedFromInView) {
    const BesideCase& c = GetParam();
    EXPECT_EQ(placeBeside(QSize(722, 621), c.beside, c.area, 8, c.minimum), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Placement, PlaceBeside,
    ::testing::Values(
        BesideCase{
            "right_when_there_is_room", {848, 280, 225, 262}, {0, 0, 1920, 1080}, {1081, 280, 722, 621}},
        BesideCase{
            "left_when_the_right_is_short", {1600, 100, 225, 262}, {0, 0, 1920, 1080}, {870, 100, 722, 621}},
        // Narrowed to the wider side's room and moved up so that its bottom stays on the screen.
        BesideCase{"narrowed_beside", {528, 160, 225, 262}, {0, 0, 1280, 720}, {0, 99, 520, 621}},
        // Beside a wide, low menu bar the larger place is below it, shortened to the room there.
        BesideCase{"below_a_menu_bar", {370, 234, 542, 33}, {0, 0, 1280, 720}, {370, 275, 722, 445}},
        BesideCase{
            "least_covered_on_a_small_screen", {288, 150, 225, 300}, {0, 0, 800, 600}, {0, 0, 361, 600}},
        BesideCase{"inside_an_area_not_at_the_origin",
                   {2000, 40, 225, 262},
                   {1920, 30, 1366, 738},
                   {2233, 40, 722, 621}},
        // No side has room for its least width: below the calculator, shortened to the room there.
        BesideCase{"below_when_no_side_holds_its_least_width",
                   {571, 176, 225, 262},
                   {0, 0, 1366, 768},
                   {571, 446, 722, 322},
                   {674, 300}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace kinri::ui
