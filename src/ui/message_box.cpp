#include "ui/message_box.h"

#include <QAbstractButton>
#include <QShortcut>

namespace kinri::ui {

QMessageBox::StandardButton showMessage(QWidget* parent, const MessageBoxText& box,
                                        QMessageBox::StandardButtons buttons,
                                        const std::function<void()>& onHelp, const QString& details) {
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
    if (!details.isEmpty()) message.setDetailedText(details);
    bool helpAsked = false;
    QAbstractButton* ok = message.button(QMessageBox::Ok);
    if (onHelp && ok != nullptr) {
        auto* f1 = new QShortcut(QKeySequence::HelpContents, &message);
        QObject::connect(f1, &QShortcut::activated, &message, [&helpAsked, ok] {
            helpAsked = true;
            ok->click();
        });
    }
    const auto answer = static_cast<QMessageBox::StandardButton>(message.exec());
    if (helpAsked) onHelp();
    return answer;
}

} // namespace kinri::ui
