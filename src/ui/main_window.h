#pragma once

#include "catalogue/catalogue.h"
#include "compute/app_state.h"
#include "ui/common/view_scale.h"
#include "ui/platform.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <string_view>

class QMenu;

namespace kinri::ui {

class CalculatorWindow;
class PaperService;
class PrintService;
class RecordModel;
class RecordWindow;
class WindowHost;

// The start window ZOVAN1: a caption and the menu of every calculation, help and version.
// Constructing it runs its load: placed on the screen, nothing selected, printing off.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(LinePrinter& printer, HelpViewer& help, QWidget* parent = nullptr);
    ~MainWindow() override;

    const AppState& state() const { return state_; }
    // The size every window of the program is drawn at: the desktop's text size and the zoom.
    ViewScale& viewScale() { return scale_; }

    // The calculator window, or nullptr while no menu entry has needed it yet.
    CalculatorWindow* calculatorWindow(WindowId id) const;

    // The hidden holder the help entry creates once; nullptr before the first help request.
    QWidget* helpHolder() const { return helpHolder_.get(); }

    // 計算記録: shown, raised and active.
    void showRecord();
    // The record's rows, for the program's life.
    RecordModel& record() { return *record_; }
    // Its window; nullptr until it is first shown.
    RecordWindow* recordWindow() const { return recordWindow_.get(); }

signals:
    // Closing any window of the program ends it; main() connects this to the application's quit.
    void programEndRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    void addRecordMenu();
    void fitToMenuBar();
    bool fitsScreen(double factor) const;
    void rescale();
    void addMenuNode(QMenu* parent, const MenuNode& node);
    void choose(const CatalogueEntry& entry);
    void addKeys();
    void openHelp();
    void showVersion();

    HelpViewer& help_;
    AppState state_;
    ViewScale scale_;
    // Before the windows, so that it outlives them: at the end it stops once they are gone.
    std::unique_ptr<PrintService> printing_;
    std::unique_ptr<PaperService> paper_; // paper and files, for every window
    RecordModel* record_ = nullptr;       // the record's rows, for the program's life; a child
    std::unique_ptr<RecordWindow> recordWindow_;
    std::array<std::unique_ptr<CalculatorWindow>, 4> windows_;
    std::unique_ptr<QWidget> helpHolder_;
    std::unique_ptr<WindowHost> host_; // where the compositor places windows
};

} // namespace kinri::ui
