#pragma once

#include "ui/help/help_viewer.h"

#include <QList>
#include <QObject>

class QAction;
class QMenu;
class QPoint;
class QWidget;

namespace kinri::ui {

class CalculatorForm;
class ClickController;

// The keyboard and copying of one calculator window: F1 for the calculation's help page, Enter
// presses the focused button, 「計算条件と結果をコピー」 (Ctrl+Shift+C, and every context menu of
// the window) for the controller's last calculation, Ctrl+C on the result box, Ctrl+C and Ctrl+A
// in the table, and the context menus.
class CalculatorKeys : public QObject {
    Q_OBJECT
public:
    CalculatorKeys(QWidget& window, CalculatorForm& form, HelpViewer& help, const ClickController& clicks);

    // The context menu of the window's background, captions and buttons, at `globalPos`.
    void showWindowMenu(const QPoint& globalPos);

    // 「計算条件と結果をコピー」: enabled while there is a calculation to copy.
    QAction* copyConditions() const { return copyConditions_; }
    // `action` in every context menu of the window, after the copy entry.
    void addToMenus(QAction* action) { menuExtras_.append(action); }
    // The help the window's F1 opens, for the windows it opens.
    HelpViewer& help() const { return help_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addTableKeys();
    void copyListRows(bool all);
    void popUp(QMenu* menu, const QPoint& globalPos) const;

    QWidget& window_;
    CalculatorForm& form_;
    HelpViewer& help_;
    const ClickController& clicks_;
    QAction* copyConditions_ = nullptr;
    QList<QAction*> menuExtras_;
};

} // namespace kinri::ui
