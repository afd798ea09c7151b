#pragma once

#include "catalogue/catalogue.h"
#include "compute/flow.h"
#include "ui/platform.h"

#include <QList>
#include <QObject>
#include <QString>

#include <string>
#include <vector>

class QAction;
class QMenu;
class QPoint;
class QWidget;

namespace kinri::ui {

class CalculatorForm;

// The keyboard and copying of one calculator window: F1 for the calculation's help page, Enter
// presses the focused button, 「計算条件と結果をコピー」 (Ctrl+Shift+C, and every context menu of
// the window), Ctrl+C on the result box, Ctrl+C and Ctrl+A in the table, and the context menus.
class CalculatorKeys : public QObject {
    Q_OBJECT
public:
    CalculatorKeys(QWidget& window, CalculatorForm& form, HelpViewer& help);

    // A menu entry has dressed the window: nothing calculated yet.
    void setDressed(const CatalogueEntry& entry);
    // What 計算 computed from which inputs; copying offers it once it succeeded.
    void setComputed(const kinri::Outcome& out, const std::vector<std::string>& inputs);
    // クリヤ: nothing left to copy.
    void forgetCalculation();

    // The context menu of the window's background, captions and buttons, at `globalPos`.
    void showWindowMenu(const QPoint& globalPos);

    // The conditions and result of the last calculation that succeeded in this dressing, as the
    // printout carries them; empty when there is none.
    QString conditionsText() const;
    // The same as its printout, blank lines and all, as 計算後印刷 sends it; empty when none.
    std::vector<kinri::PrintLine> conditionsJob() const;
    const CatalogueEntry* dressed() const { return dressed_; }
    // The inputs of that calculation, as typed; empty when there is none.
    const std::vector<std::string>& calculatedInputs() const { return calculated_; }
    // 「計算条件と結果をコピー」: enabled while there is a calculation to copy.
    QAction* copyConditions() const { return copyConditions_; }
    // `action` in every context menu of the window, after the copy entry.
    void addToMenus(QAction* action) { menuExtras_.append(action); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addTableKeys();
    void copyListRows(bool all);
    void popUp(QMenu* menu, const QPoint& globalPos) const;

    QWidget& window_;
    CalculatorForm& form_;
    HelpViewer& help_;
    const CatalogueEntry* dressed_ = nullptr;
    std::vector<std::string> calculated_; // inputs of the last calculation that succeeded; empty: none
    QAction* copyConditions_ = nullptr;
    QList<QAction*> menuExtras_;
};

} // namespace kinri::ui
