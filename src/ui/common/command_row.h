#pragma once

#include <QKeySequence>
#include <QString>

class QAction;
class QBoxLayout;
class QWidget;

namespace kinri::ui {

// The commands of a tool window (the record, a schedule): each an action of the window with its
// keys and a button in `row`, the key shown in the button's tooltip.
QAction* addCommand(QWidget& window, QBoxLayout& row, const QString& text, const QKeySequence& keys,
                    const char* name);
// Then 閉じる at the row's right end; Escape closes the window too.
void addCloseButton(QWidget& window, QBoxLayout& row);

} // namespace kinri::ui
