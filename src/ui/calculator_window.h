#pragma once

#include "catalogue/catalogue.h"
#include "compute/app_state.h"
#include "ui/platform.h"
#include "ui/window_layouts.h"

#include <QWidget>

#include <vector>

class QAction;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;

namespace kinri::ui {

class CaptionLabel;
class ResultBox;

// One calculator window (ZOVAN2 .. ZOVAN5), built from its layout description: labelled input
// boxes, a red result box or table, compute, clear, Menu and the print switch.
class CalculatorWindow : public QWidget {
    Q_OBJECT
public:
    CalculatorWindow(const WindowLayout& layout, AppState& state, LinePrinter& printer, HelpViewer& help,
                     QWidget* menuWindow);

    WindowId id() const { return layout_.id; }

    // What a menu entry does once the window is shown: caption, focus to Text1, labels, layout,
    // empty boxes.
    void dress(const CatalogueEntry& entry);

signals:
    void programEndRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void compute();
    void clear();
    void backToMenu();
    void askPrintOption();
    void setPrintLook(bool on);
    void applyPrintLook(bool on);
    void applyStep(const DressStep& step);
    void nameControls();
    void fitCaptions();
    void addKeyboardAndCopy();
    void setCalculated(std::vector<std::string> inputs);
    // The conditions and result of the last calculation that succeeded in this dressing, as the
    // printout would carry them; empty when there is none.
    QString conditionsText() const;
    void copyConditions();
    void copyListRows(bool all);
    void showMenuWith(QMenu* menu, const QPoint& globalPos);
    QRect pixels(int left, int top, int width, int height) const;
    int px(double twips) const;

    const WindowLayout& layout_;
    const WindowInfo& info_;
    AppState& state_;
    LinePrinter& printer_;
    HelpViewer& help_;
    QWidget* menuWindow_;
    const CatalogueEntry* dressed_ = nullptr;
    std::vector<std::string> calculated_; // inputs of the last calculation that succeeded; empty: none
    QAction* copyConditions_ = nullptr;
    std::vector<QLineEdit*> inputs_;
    ResultBox* resultBox_ = nullptr;
    QListWidget* list_ = nullptr;
    CaptionLabel* printOption_ = nullptr;
    std::vector<CaptionLabel*> labels_;
};

} // namespace kinri::ui
