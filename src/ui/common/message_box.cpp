#include "ui/common/message_box.h"

#include "ui/common/window_placement.h"

#include <QAbstractButton>
#include <QFontDatabase>
#include <QGridLayout>
#include <QShortcut>

#include <algorithm>

namespace kinri::ui {
namespace {

// The width a box needs for its whole title. Window managers draw the title in a bold font of
// their own, beside an icon and three buttons, and cut one that does not fit; the padded titles
// of these boxes are wider than a narrow box's text. The estimate takes the larger of the title
// font the desktop names and the box's font a quarter larger, both bold, or what Qt's own title
// bar needs where it draws one.
int titleRoom(const QMessageBox& box) {
    QFont title = QFontDatabase::systemFont(QFontDatabase::TitleFont);
    QFont larger = box.font();
    larger.setPointSizeF(larger.pointSizeF() * 1.25);
    int width = 0;
    for (QFont font : {title, larger}) {
        font.setBold(true);
        const QFontMetrics fm(font, &box);
        width = std::max(width, fm.horizontalAdvance(box.windowTitle()) + 8 * fm.height());
    }
    return std::max(width, titleBarWidth(box));
}

} // namespace

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
    if (auto* grid = qobject_cast<QGridLayout*>(message.layout())) {
        const QMargins margins = grid->contentsMargins();
        grid->addItem(new QSpacerItem(titleRoom(message) - margins.left() - margins.right(), 0),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
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
