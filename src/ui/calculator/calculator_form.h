#pragma once

#include "catalogue/catalogue.h"
#include "compute/flow.h"
#include "ui/calculator/window_layouts.h"

#include <QRect>

#include <optional>
#include <string>
#include <vector>

class QLineEdit;
class QPushButton;
class QWidget;

namespace kinri::ui {

class Announcer;
class CaptionLabel;
class PrintSwitch;
class ResultBox;
class TableList;
class TableRows;
class TextBox;
class ViewScale;

// The controls of one calculator window, built on `window` from its design and held by what they
// are for (the design's names stay their object names, for tests and assistive technology). The
// form lays them out, dresses them for a menu entry, shows what a click computed and gives the
// print switch its two looks; it decides nothing about what a click does.
class CalculatorForm {
public:
    CalculatorForm(QWidget& window, const WindowLayout& layout, const ViewScale& scale);

    WindowId id() const { return layout_.id; }
    // The menu entry the window is dressed for; nullptr before the first.
    const CatalogueEntry* dressed() const { return dressed_; }

    std::vector<TextBox*> inputs;             // Text1, Text2 ...
    std::vector<CaptionLabel*> inputCaptions; // Label1, Label2 ..., each beside its box
    CaptionLabel* resultCaption = nullptr;    // in the table window, the right column head
    CaptionLabel* columnHead = nullptr;       // the table window's left column head
    ResultBox* resultBox = nullptr;           // every window but the table window
    TableList* list = nullptr;                // the table window's table
    QPushButton* compute = nullptr;           // 計算
    QPushButton* clear = nullptr;             // クリヤ
    QPushButton* menu = nullptr;              // Menu
    PrintSwitch* printSwitch = nullptr;
    Announcer* announcer = nullptr; // tells a screen reader what a click computed

    // What a menu entry sets: captions, their layout, empty boxes; the focus to Text1.
    void dress(const CatalogueEntry& entry);
    // The input boxes' texts, Text1 first.
    std::vector<std::string> inputTexts() const;
    // A click's outcome on the screen: the table emptied, then the result or the rows.
    void show(Outcome& out);
    // What a screen reader says of the result shown: its caption and value, or for a table its
    // caption, its number of rows and its first row.
    QString spokenResult() const;
    // The clear button: inputs, result and table emptied, the focus back to Text1.
    void clearAll();
    // The print switch where and as it is with printing on or off.
    void setPrintLook(bool on);
    // Everything laid out again at the program's scale, as the last menu entry dressed it, with
    // what the boxes and the table hold.
    void rescale();
    // The control that is for `ref`; nullptr where the window has none.
    QWidget* control(ControlRef ref) const;

private:
    void layOut();
    void apply(const DressStep& step);
    void fitTable();
    void paintPrintLook(bool on);
    void widenTable(int rowWidth);
    void fitCaptions();
    void nameControls();
    int px(double twips) const;
    int widthFor(int designed) const;
    QRect pixels(int left, int top, int width, int height) const;

    QWidget& window_;
    const WindowLayout& layout_;
    const ViewScale& scale_;
    const CatalogueEntry* dressed_ = nullptr; // the last menu entry
    std::optional<bool> printLook_;           // none until first switched
    TableRows* rows_ = nullptr;               // how the table's rows are painted; owned by the list
};

} // namespace kinri::ui
