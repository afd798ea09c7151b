#include "ui/message_box.h"

namespace kinri::ui {

QMessageBox::StandardButton showMessage(QWidget* parent, const MessageBoxText& box,
                                        QMessageBox::StandardButtons buttons) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (box.icon) {
    case MessageIcon::None:
        icon = QMessageBox::NoIcon;
        break;
    case MessageIcon::Information:
        icon = QMessageBox::Information;
        break;
    case MessageIcon::Exclamation:
        icon = QMessageBox::Warning;
        break;
    }
    QMessageBox message(icon, QString::fromUtf8(box.title.data(), static_cast<qsizetype>(box.title.size())),
                        QString::fromUtf8(box.text.data(), static_cast<qsizetype>(box.text.size())), buttons,
                        parent);
    message.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(message.exec());
}

} // namespace kinri::ui
