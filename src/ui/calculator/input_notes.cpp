#include "ui/calculator/input_notes.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>

#include <algorithm>

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

void placeBeside(QWidget* note, const QWidget* box, const QWidget* caption, bool below) {
    const QWidget* window = note->parentWidget();
    const int margin = marginOf(window);
    const int width = std::min(note->sizeHint().width(), window->width() - 2 * margin);
    note->setFixedWidth(width);
    const int height = note->hasHeightForWidth() ? note->heightForWidth(width) : note->sizeHint().height();
    note->setFixedHeight(height);
    const QRect b = caption != nullptr ? box->geometry().united(caption->geometry()) : box->geometry();
    const int gap = 2;
    const bool roomBelow = b.bottom() + gap + height <= window->height() - margin;
    const bool roomAbove = b.top() - gap - height >= margin;
    const bool goBelow = below ? roomBelow || !roomAbove : !roomAbove && roomBelow;
    int y = goBelow ? b.bottom() + 1 + gap : b.top() - gap - height;
    y = std::clamp(y, 0, std::max(0, window->height() - height));
    const int x =
        std::clamp(b.right() + 1 - width, margin, std::max(margin, window->width() - margin - width));
    note->move(x, y);
    note->raise();
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
    QFrame::hideEvent(event);
}

} // namespace kinri::ui
