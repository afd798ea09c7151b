#include "ui/calculator/input_notes.h"

#include "ui/common/window_placement.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

#include <algorithm>
#include <array>

namespace kinri::ui {
namespace {

// The desktop's tooltip colours: a note that reads as a note in light and dark themes alike.
void paintAsNote(QWidget* w) {
    w->setAutoFillBackground(true);
    w->setBackgroundRole(QPalette::ToolTipBase);
    w->setForegroundRole(QPalette::ToolTipText);
}

int marginOf(const QWidget* window) {
    return std::max(4, window->fontMetrics().height() / 3);
}

} // namespace

namespace {

// The heights of the window before and after a note made room for itself below its controls.
constexpr const char* kRoomFrom = "kinriNoteRoomFrom";
constexpr const char* kRoomTo = "kinriNoteRoomTo";

// Whether `r` covers none of the window's controls but `note` itself (another note, and the ring
// round the print switch, are not controls).
bool coversNothing(const QRect& r, const QWidget* note) {
    for (const QWidget* w : note->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QString name = w->objectName();
        if (w == note || !w->isVisible() || name == QLatin1String("InputReading") ||
            name == QLatin1String("InputHint") || name == QLatin1String("FocusRing"))
            continue;
        if (w->geometry().intersects(r)) return false;
    }
    return true;
}

} // namespace

void placeBeside(QWidget* note, const QWidget* box, const QWidget* caption, bool below) {
    QWidget* window = note->parentWidget();
    giveRoomBack(note);
    const int margin = marginOf(window);
    const int width = std::min(note->sizeHint().width(), window->width() - 2 * margin);
    note->setFixedWidth(width);
    const int height = note->hasHeightForWidth() ? note->heightForWidth(width) : note->sizeHint().height();
    note->setFixedHeight(height);
    const QRect b = caption != nullptr ? box->geometry().united(caption->geometry()) : box->geometry();
    const int gap = 2;
    const int x =
        std::clamp(b.right() + 1 - width, margin, std::max(margin, window->width() - margin - width));
    // Below the box or above it, as asked first, wherever it covers no caption, box or button.
    const QRect under(x, b.bottom() + 1 + gap, width, height), over(x, b.top() - gap - height, width, height);
    for (const QRect& r : below ? std::array{under, over} : std::array{over, under}) {
        if (r.top() >= 0 && r.bottom() < window->height() && coversNothing(r, note)) {
            note->move(r.topLeft());
            note->raise();
            return;
        }
    }
    // Else below every control, in room the window makes for it (and gives back when it goes).
    const int from = window->height();
    window->setProperty(kRoomFrom, from);
    window->setProperty(kRoomTo, from + height + 2 * margin);
    window->setFixedHeight(from + height + 2 * margin);
    note->move(x, from + margin);
    note->raise();
    if (window->isWindow()) keepOnScreen(*window);
}

// Only to the height it had, and only while the window is still as the note left it (a zoom since
// has laid it out anew).
void giveRoomBack(QWidget* note) {
    QWidget* window = note->parentWidget();
    const int from = window->property(kRoomFrom).toInt(), to = window->property(kRoomTo).toInt();
    window->setProperty(kRoomFrom, 0);
    window->setProperty(kRoomTo, 0);
    if (from > 0 && window->height() == to) window->setFixedHeight(from);
}

InputReading::InputReading(QWidget* window) : QLabel(window) {
    setObjectName(QStringLiteral("InputReading"));
    paintAsNote(this);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setMargin(2);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void InputReading::showFor(QWidget* box, const QWidget* caption, const QString& text) {
    if (text.isEmpty() || box == nullptr) {
        hide();
        return;
    }
    // One line where the window is wide enough, else broken before the bracket.
    setText(text);
    setAccessibleName(text);
    const int room = parentWidget()->width() - 2 * marginOf(parentWidget());
    if (sizeHint().width() > room) setText(QString(text).replace(u'（', QStringLiteral("\n（")));
    placeBeside(this, box, caption, true);
    show();
}

InputHint::InputHint(QWidget* window) : QFrame(window) {
    setObjectName(QStringLiteral("InputHint"));
    paintAsNote(this);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    message_ = new QLabel(this);
    message_->setWordWrap(true);
    message_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    apply_ = new QPushButton(this);
    apply_->setObjectName(QStringLiteral("InputHintApply"));
    apply_->setAutoDefault(false);
    close_ = new QToolButton(this);
    close_->setObjectName(QStringLiteral("InputHintClose"));
    close_->setText(QStringLiteral("×"));
    close_->setAccessibleName(QStringLiteral("閉じる"));
    close_->setAutoRaise(true);
    QPalette onNote = close_->palette(); // drawn on the note, not on a button face
    onNote.setColor(QPalette::ButtonText, onNote.color(QPalette::ToolTipText));
    close_->setPalette(onNote);
    escape_ = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    escape_->setEnabled(false);
    connect(escape_, &QShortcut::activated, this, &QWidget::hide);
    connect(apply_, &QPushButton::clicked, this, [this] {
        hide();
        emit applied(suggestion_);
    });
    connect(close_, &QToolButton::clicked, this, &QWidget::hide);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(apply_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(message_);
    layout->addLayout(buttons);
    hide();
}

void InputHint::showFor(QWidget* box, const QWidget* caption, const QString& message,
                        const QString& suggestion) {
    suggestion_ = suggestion;
    message_->setText(message);
    setAccessibleName(message); // a screen reader hears it as a notification (see Announcer)
    setAccessibleDescription(message);
    apply_->setText(suggestion + QStringLiteral(" にする"));
    apply_->setAccessibleName(apply_->text());
    // As wide as the window allows: the message wraps rather than growing tall and narrow.
    const QWidget* window = parentWidget();
    setMinimumWidth(0);
    setMaximumWidth(QWIDGETSIZE_MAX);
    message_->setMinimumWidth(window->width() - 2 * marginOf(window) - 8);
    placeBeside(this, box, caption, false);
    show();
    // Tab goes from the box to the hint's buttons, then on as before; Escape closes it.
    QWidget::setTabOrder(box, apply_);
    QWidget::setTabOrder(apply_, close_);
    escape_->setEnabled(true);
}

void InputHint::hideEvent(QHideEvent* event) {
    escape_->setEnabled(false);
    giveRoomBack(this);
    QFrame::hideEvent(event);
}

void InputReading::hideEvent(QHideEvent* event) {
    giveRoomBack(this);
    QLabel::hideEvent(event);
}

} // namespace kinri::ui
