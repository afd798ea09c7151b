#pragma once

#include "catalogue/caption.h"
#include "formulas/formula.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kinri {

enum class CalcFamily : std::uint8_t { Simple, Compound, Savings, Annuity, Installment };
inline constexpr std::size_t kFamilyCount = 5;

// The four calculator windows, by their object names ZOVAN2 to ZOVAN5.
enum class WindowId : std::uint8_t { Zovan2, Zovan3, Zovan4, Zovan5 };

struct FamilyInfo {
    CalcFamily family;
    std::string_view menuName;          // object name of the family's menu title: "S"
    std::string_view menuCaption;       // "単利の利息計算"
    std::string_view windowCaption;     // "  単利の利息計算" (two half-width spaces first)
    std::string_view printHeader;       // "☆☆単利の利息計算☆☆"
    std::string_view selectionVariable; // "SimpleCode"
};

// Layout a menu entry sets on a label: a value of 0 (or a negative Top/Height) is "not set",
// so the label keeps what the window last showed.
struct LabelLayout {
    int top = -1;
    int height = -1;
    double fontSize = 0.0;
};

// The controls of one calculator window, as far as the catalogue and the compute flow need them.
struct WindowInfo {
    WindowId id;
    std::string_view name;                  // "ZOVAN2"
    int inputCount;                         // Text1 .. TextN are inputs
    std::string_view resultBox;             // "Text6"; empty for ZOVAN3, whose result is List1
    std::string_view resultLabel;           // "Label6"; "Label5" (right column head) for ZOVAN3
    std::string_view printOption;           // the label that switches printing: "Label4" or "Label6"
    std::span<const CalcFamily> menuResets; // families whose selection the Menu button clears
    LabelLayout label1;                     // what every entry of the window sets on Label1 ...
    LabelLayout result;                     // ... and on the result label, unless it says otherwise
};

// What an input of a calculation is, by the meaning its formula gives it. Rates and counts are
// per period, whatever the period is (a month, a year, a repayment interval): the input aids
// convert to them from an annual rate in % and a number of years.
enum class InputKind : std::uint8_t {
    Amount,     // money, in yen
    Rate,       // interest, dividend or discount rate per period, as a decimal (0.05 = 5 %)
    GrowthRate, // growth of a saving, a payment or prices from one period to the next, decimal
    Periods,    // a count of periods (the unit of the rates)
    Payments,   // a count of payments, deposits or savings, one each period
};
constexpr bool isRate(InputKind k) {
    return k == InputKind::Rate || k == InputKind::GrowthRate;
}
constexpr bool isCount(InputKind k) {
    return k == InputKind::Periods || k == InputKind::Payments;
}

// A text of the paper and where a line may break inside it.
struct PaperText {
    std::string text;
    std::span<const BreakPoint> breaks;
};

// One entry of the menu: the calculation, the window it opens and how it dresses that window.
// The rows of the catalogue name their fields; a field a row leaves out takes the default here or,
// for the label layouts, its window's.
struct CatalogueEntry {
    std::string_view item; // menu entry name: "SP"
    CalcFamily family;
    std::int16_t code; // stored in the family's selection variable
    WindowId window;
    std::string_view submenu = {}; // "KA" .. "KA4" for instalment entries, empty otherwise
    std::string_view menuCaption;
    std::array<Caption, 4> labels;  // captions of Label1 .. LabelN
    std::array<InputKind, 4> kinds; // what Text1 .. TextN are
    Caption columnHead = {};        // left column head (Label4) in ZOVAN3
    Caption resultCaption;          // result label; right column head in ZOVAN3
    Formula calc;

    // Layout set besides the window's default. In ZOVAN3 the result label is the right column
    // head, Label5, and the left one, Label4, takes its font.
    std::optional<LabelLayout> label1 = {}; // Label1
    std::optional<LabelLayout> result = {}; // the result label
    double otherLabelsFont = 0.0;           // Label2 .. LabelN

    // Periods in a year where the calculation fixes them: 12 for the monthly ones (月掛, 返済月数);
    // 0 where the period is whatever the user's rate and count refer to.
    int periodsPerYear = 0;

    // Paper texts, only where they differ from what the window shows (empty: as shown), with
    // where they may wrap on a narrow sheet.
    std::array<Caption, 4> printLabels = {};
    Caption printResult = {};

    // Input k (0 for Text1) on paper: its label's caption followed by "=", unless printLabels says
    // otherwise.
    std::string printLabel(std::size_t k) const;
    // The result label on paper, "caption=", or a table's heading: the two column heads apart.
    std::string printHeading() const;
    // The same, with the places the text may wrap at (byte offsets into it, ascending).
    PaperText paperLabel(std::size_t k) const;
    PaperText paperHeading() const;
};

const std::array<FamilyInfo, kFamilyCount>& families();
const FamilyInfo& familyInfo(CalcFamily family);
const WindowInfo& windowInfo(WindowId window);
std::span<const WindowInfo> windows();

// All 37 calculations, family by family, each family in menu order.
std::span<const CatalogueEntry> catalogue();
const CatalogueEntry* findEntry(std::string_view item);

// The order in which a window's compute button tests the selection variables.
std::span<const std::string_view> testOrder(WindowId window);
// The same, as catalogue entries.
std::span<const CatalogueEntry* const> testedEntries(WindowId window);

// What a control of a calculator window is for. Input captions and input boxes are numbered from 1
// (the caption Label1 names the box Text1); a window has at most one control of each other role.
enum class ControlRole : std::uint8_t {
    InputCaption,
    Input,
    ResultCaption, // the result box's caption; in the table window the right column head
    ColumnHead,    // the table window's left column head
    ResultBox,
    ResultList, // the table of the table window
    Compute,
    Clear,
    Menu,
    PrintSwitch,
};
struct ControlRef {
    ControlRole role;
    int number = 0; // 1 .. 4 for an input caption or an input box; 0 otherwise
    friend constexpr bool operator==(ControlRef, ControlRef) = default;
};

// One property a menu entry sets on its window, in the order the entry sets them.
enum class DressProperty : std::uint8_t { FontSize, Top, Height, Visible, Caption, ClearText, ClearList };
struct DressStep {
    std::string_view control; // object name: "Label1", "Text3", "List1"
    ControlRef target;        // the same control by what it is for
    DressProperty property;
    double number = 0.0; // FontSize (points), Top/Height (twips), Visible (1/0)
    Caption text = {};   // Caption, with its permitted line breaks
};

// What choosing `entry` from the menu sets on its window after the window is shown, captioned
// and Text1 focused: input labels, cleared input boxes, the result label and a cleared result.
std::vector<DressStep> dressSteps(const CatalogueEntry& entry);

// The menu of the main window, built from the catalogue.
enum class MenuKind : std::uint8_t { Title, Calculation, Help, Version, Separator };
struct MenuNode {
    std::string_view name; // object name: "S", "KA2", "FA", "HE01", "SKIP"
    std::string_view caption;
    MenuKind kind;
    std::vector<MenuNode> children;
};
const std::vector<MenuNode>& menuTree();

} // namespace kinri
