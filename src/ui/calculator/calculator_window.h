#pragma once

#include "catalogue/catalogue.h"
#include "compute/app_state.h"
#include "compute/calculation.h"
#include "ui/calculator/window_layouts.h"
#include "ui/help/help_viewer.h"

#include <QWidget>

#include <memory>

namespace kinri::ui {

class CalculatorForm;
class CalculatorKeys;
class ClickController;
class InputAssist;
class PaperActions;
class PaperService;
class ViewScale;

// One calculator window (ZOVAN2 .. ZOVAN5): its form (the controls, laid out from the window's
// design), the controller of its buttons and print switch, which keeps its last calculation, its
// keyboard and copying, its paper and its input aids.
class CalculatorWindow : public QWidget {
    Q_OBJECT
public:
    CalculatorWindow(const WindowLayout& layout, AppState& state, const ViewScale& scale, PaperService& paper,
                     HelpViewer& help, QWidget& menuWindow);
    ~CalculatorWindow() override;

    WindowId id() const { return layout_.id; }
    // The controls, by what they are for.
    const CalculatorForm& form() const { return *form_; }

    // What a menu entry does once the window is shown: caption, focus to Text1, labels, layout,
    // empty boxes.
    void dress(const CatalogueEntry& entry);
    // Lays the window out again at the program's new scale, keeping what it shows.
    void rescale();

signals:
    void programEndRequested();
    // A calculation succeeded, for the record.
    void calculated(std::shared_ptr<const kinri::Calculation> calculation);
    // 「計算記録を表示」.
    void recordRequested();
    // A plan made from this window's calculation asks to be recorded.
    void planRecorded(std::shared_ptr<const kinri::Calculation> plan);

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    const WindowLayout& layout_;
    std::unique_ptr<CalculatorForm> form_;
    ClickController* clicks_ = nullptr; // owned by the window, as a child
    CalculatorKeys* keys_ = nullptr;    // the same
    InputAssist* assist_ = nullptr;     // the same
    PaperActions* paper_ = nullptr;     // the same
};

} // namespace kinri::ui
