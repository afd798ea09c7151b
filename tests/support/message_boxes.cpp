#include "support/message_boxes.h"

#include "ui/common/messages.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <QtTest>

#include <utility>

namespace kinri::test {
namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// Whether `box` shows `text` the way the program's message box code shows it.
bool shows(const SeenBox& box, const ui::MessageBoxText& text, QMessageBox::StandardButtons buttons) {
    const QMessageBox::Icon icon = text.icon == ui::MessageIcon::Information   ? QMessageBox::Information
                                   : text.icon == ui::MessageIcon::Exclamation ? QMessageBox::Warning
                                                                               : QMessageBox::NoIcon;
    return box.title == qs(text.title) && box.text == qs(text.text) && box.icon == icon &&
           box.buttons == buttons;
}

} // namespace

BoxKind SeenBox::kind() const {
    if (shows(*this, ui::kInputRequiredBox, QMessageBox::Ok)) return BoxKind::InputRequired;
    if (shows(*this, ui::kCalculationErrorBox, QMessageBox::Ok)) return BoxKind::CalculationError;
    if (shows(*this, ui::kPrintQuestionBox, QMessageBox::Yes | QMessageBox::No))
        return BoxKind::PrintQuestion;
    if (shows(*this, ui::kVersionBox, QMessageBox::Ok)) return BoxKind::Version;
    if (shows(*this, ui::kNoScheduleYetBox, QMessageBox::Ok)) return BoxKind::NoScheduleYet;
    return BoxKind::Unknown;
}

QString boxName(BoxKind kind) {
    switch (kind) {
    case BoxKind::InputRequired:
        return QStringLiteral("input required");
    case BoxKind::CalculationError:
        return QStringLiteral("calculation error");
    case BoxKind::PrintQuestion:
        return QStringLiteral("print question");
    case BoxKind::Version:
        return QStringLiteral("version");
    case BoxKind::NoScheduleYet:
        return QStringLiteral("no schedule yet");
    case BoxKind::Unknown:
        break;
    }
    return QStringLiteral("unknown");
}

QString SeenBox::name() const {
    if (kind() != BoxKind::Unknown) return boxName(kind());
    return QStringLiteral("unknown box [%1] [%2] icon %3 buttons 0x%4")
        .arg(title, QString(text).replace(u'\n', QStringLiteral("\\n")))
        .arg(static_cast<int>(icon))
        .arg(static_cast<unsigned>(buttons.toInt()), 0, 16);
}

MessageBoxAnswerer::MessageBoxAnswerer() {
    qApp->installEventFilter(this);
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    qApp->removeEventFilter(this);
}

// A modal box is shown right before it starts its own event loop; the answer is posted to that
// loop.
bool MessageBoxAnswerer::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && widget->isModal())
            QTimer::singleShot(0, this, [this, modal = QPointer<QWidget>(widget)] {
                if (modal != nullptr && modal->isVisible()) handle(modal);
            });
    }
    return false;
}

void MessageBoxAnswerer::handle(QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    // Dialogs the tests drive themselves: the input aid, saving, preview, the print dialog and the
    // progress of long work.
    static const QStringList driven{"InputAid", "SaveDialog", "PrintPreview", "PrintDialog", "PaperProgress"};
    if (driven.contains(modal->objectName())) return;
    if (box == nullptr) {
        ++strayModals;
        modal->close();
        return;
    }
    SeenBox seen{box->windowTitle(),     box->text(),         box->detailedText(), box->icon(),
                 box->standardButtons(), box->parentWidget(), box->width()};
    if (!answers_.isEmpty() && answers_.head().key != Qt::Key_unknown) {
        const Qt::Key key = answers_.dequeue().key;
        box->activateWindow();
        if (QTest::qWaitFor([box] { return box->isActiveWindow(); })) QTest::keyClick(box, key);
        seen.answered = !box->isVisible();
        seen_.push_back(seen);
        if (box->isVisible()) box->done(QMessageBox::Cancel);
        return;
    }
    QAbstractButton* button = nullptr;
    if (seen.buttons == QMessageBox::Ok) {
        button = box->button(QMessageBox::Ok);
    } else if (!answers_.isEmpty()) {
        button = box->button(answers_.dequeue().button);
    }
    seen.answered = button != nullptr;
    seen_.push_back(seen);
    if (button != nullptr) {
        button->click();
    } else {
        box->done(QMessageBox::Cancel);
    }
}

std::vector<SeenBox> MessageBoxAnswerer::takeSeen() {
    answers_.clear();
    return std::exchange(seen_, {});
}

QStringList MessageBoxAnswerer::take() {
    QStringList names;
    for (const SeenBox& box : takeSeen())
        names.append(box.answered ? box.name() : QStringLiteral("UNANSWERED ") + box.name());
    return names;
}

} // namespace kinri::test
