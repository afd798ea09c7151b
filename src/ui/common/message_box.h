#pragma once

#include "ui/common/messages.h"

#include <QMessageBox>

#include <functional>

namespace kinri::ui {

// Shows one of the program's message boxes, modal, and returns the button pressed. With `onHelp`,
// F1 in the box presses its OK button and then, once the box is gone, calls `onHelp`. `details`,
// when given, is offered under the box's 「詳細」 button; the box is otherwise the same.
QMessageBox::StandardButton showMessage(QWidget* parent, const MessageBoxText& box,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                        const std::function<void()>& onHelp = {},
                                        const QString& details = {});

} // namespace kinri::ui
