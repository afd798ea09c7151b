#pragma once

#include "ui/messages.h"

#include <QMessageBox>

namespace kinri::ui {

// Shows one of the program's message boxes, modal, and returns the button pressed.
QMessageBox::StandardButton showMessage(QWidget* parent, const MessageBoxText& box,
                                        QMessageBox::StandardButtons buttons = QMessageBox::Ok);

} // namespace kinri::ui
