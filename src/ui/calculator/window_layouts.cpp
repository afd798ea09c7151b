#include "ui/calculator/window_layouts.h"

#include <array>

namespace kinri::ui {
namespace {

using R = ControlRole;
constexpr double kMenuFontSize = 11.25;
constexpr double kPrintFontSize = 8.25;

constexpr std::array<ControlDesign, 12> kZovan2{{
    {"Label1", {R::InputCaption, 1}, 405, 420, 1530, 375, 0},
    {"Label2", {R::InputCaption, 2}, 405, 930, 1515, 375, 1},
    {"Label3", {R::InputCaption, 3}, 405, 1410, 1485, 375, 2},
    {"Label6", {R::ResultCaption}, 390, 2625, 1470, 960, 3},
    {"Text1", {R::Input, 1}, 1905, 360, 972, 264, 4},
    {"Text2", {R::Input, 2}, 1905, 855, 972, 264, 5},
    {"Text3", {R::Input, 3}, 1905, 1350, 972, 264, 6},
    {"Text6", {R::ResultBox}, 1920, 2595, 972, 264, 7},
    {"Command1", {R::Compute}, 270, 1950, 972, 372, 8, "計算"},
    {"Command2", {R::Clear}, 2100, 1935, 972, 372, 9, "クリヤ"},
    {"Command3", {R::Menu}, 2385, 3090, 765, 372, 10, "Menu", kMenuFontSize, kMenuButtonFont},
    {"Label4", {R::PrintSwitch}, 1365, 2055, 630, 300, 11, "印刷なし", kPrintFontSize, kMenuButtonFont},
}};

constexpr std::array<ControlDesign, 13> kZovan3{{
    {"Label1", {R::InputCaption, 1}, 570, 315, 975, 375, 0},
    {"Label2", {R::InputCaption, 2}, 570, 795, 975, 375, 1},
    {"List1", {R::ResultList}, 585, 2880, 2235, 3300, 2},
    {"Label3", {R::InputCaption, 3}, 570, 1245, 975, 375, 3},
    {"Label4", {R::ColumnHead}, 660, 2505, 855, 255, 4},
    {"Label5", {R::ResultCaption}, 1320, 2295, 1530, 570, 5},
    {"Text1", {R::Input, 1}, 1785, 240, 972, 264, 6},
    {"Text2", {R::Input, 2}, 1770, 720, 972, 264, 7},
    {"Text3", {R::Input, 3}, 1770, 1170, 972, 264, 8},
    {"Command1", {R::Compute}, 330, 1740, 852, 372, 9, "計算"},
    {"Command2", {R::Clear}, 2205, 1740, 852, 372, 10, "クリヤ"},
    {"Command3", {R::Menu}, 2445, 6315, 810, 372, 11, "Menu", kMenuFontSize, kMenuButtonFont},
    {"Label6", {R::PrintSwitch}, 1395, 1845, 630, 300, 12, "印刷なし", kPrintFontSize, kMenuButtonFont},
}};

constexpr std::array<ControlDesign, 10> kZovan4{{
    {"Label1", {R::InputCaption, 1}, 465, 420, 1215, 585, 0},
    {"Label2", {R::InputCaption, 2}, 465, 1020, 1215, 495, 1},
    {"Label3", {R::ResultCaption}, 465, 2295, 1215, 870, 2},
    {"Text1", {R::Input, 1}, 1710, 345, 972, 264, 3},
    {"Text2", {R::Input, 2}, 1710, 960, 972, 264, 4},
    {"Text3", {R::ResultBox}, 1710, 2280, 972, 264, 5},
    {"Command1", {R::Compute}, 225, 1545, 972, 372, 6, "計算"},
    {"Command2", {R::Clear}, 2025, 1545, 972, 372, 7, "クリヤ"},
    {"Command3", {R::Menu}, 2250, 2775, 780, 372, 8, "Menu", kMenuFontSize, kMenuButtonFont},
    {"Label6", {R::PrintSwitch}, 1320, 1635, 630, 300, 9, "印刷なし", kPrintFontSize, kMenuButtonFont},
}};

constexpr std::array<ControlDesign, 14> kZovan5{{
    {"Label1", {R::InputCaption, 1}, 465, 390, 1215, 375, 0},
    {"Label2", {R::InputCaption, 2}, 465, 900, 1215, 375, 1},
    {"Label3", {R::InputCaption, 3}, 450, 1410, 1215, 375, 2},
    {"Label4", {R::InputCaption, 4}, 465, 1890, 1215, 495, 3},
    {"Label5", {R::ResultCaption}, 450, 3135, 1230, 945, 4},
    {"Text1", {R::Input, 1}, 1710, 330, 972, 264, 5},
    {"Text2", {R::Input, 2}, 1710, 840, 972, 264, 6},
    {"Text3", {R::Input, 3}, 1710, 1350, 972, 264, 7},
    {"Text4", {R::Input, 4}, 1710, 1845, 972, 264, 8},
    {"Text5", {R::ResultBox}, 1710, 3135, 972, 264, 9},
    {"Command1", {R::Compute}, 180, 2475, 972, 372, 10, "計算"},
    {"Command2", {R::Clear}, 2040, 2460, 972, 372, 11, "クリヤ"},
    {"Command3", {R::Menu}, 2265, 3615, 750, 372, 12, "Menu", kMenuFontSize, kMenuButtonFont},
    {"Label6", {R::PrintSwitch}, 1290, 2580, 630, 300, 13, "印刷なし", kPrintFontSize, kMenuButtonFont},
}};

const std::array<WindowLayout, 4> kLayouts{{
    {WindowId::Zovan2, 3345, 3615, kZovan2, "Label4", {1365, 2055}, {1365, 2000}, "calc-single"},
    {WindowId::Zovan3, 3390, 6795, kZovan3, "Label6", {1390, 1845}, {1380, 1790}, "calc-table"},
    {WindowId::Zovan4, 3210, 3210, kZovan4, "Label6", {1320, 1650}, {1320, 1620}, "calc-four"},
    {WindowId::Zovan5, 3180, 4125, kZovan5, "Label6", {1290, 2580}, {1290, 2500}, "calc-four"},
}};

} // namespace

const WindowLayout& windowLayout(WindowId id) {
    return kLayouts.at(static_cast<std::size_t>(id));
}

} // namespace kinri::ui
