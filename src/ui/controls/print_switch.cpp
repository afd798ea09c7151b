#include "ui/controls/print_switch.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace kinri::ui {
namespace {

// A button for a screen reader: named by the caption the user sees, pressed like a click.
class PrintSwitchAccessible : public QAccessibleWidget {
public:
    explicit PrintSwitchAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        const QString own = QAccessibleWidget::text(t);
        if (t == QAccessible::Name && own.isEmpty()) return static_cast<const QLabel*>(widget())->text();
        return own;
    }

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            QMetaObject::invokeMethod(widget(), "clicked", Qt::QueuedConnection);
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("kinri::ui::PrintSwitch") && object != nullptr && object->isWidgetType())
        return new PrintSwitchAccessible(static_cast<QWidget*>(object)); // owned by Qt's registry
    return nullptr;
}

// A frame round a widget, outside it: a sibling a little larger than the widget, painted in the
// selection colour in its rim only and transparent to the mouse. It follows the widget's moves.
class FocusRing : public QWidget {
public:
    explicit FocusRing(QWidget* target) : QWidget(target->parentWidget()), target_(target) {
        setObjectName(QStringLiteral("FocusRing"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        target->installEventFilter(this);
        follow();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == target_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
            follow();
        return QWidget::eventFilter(watched, event);
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), target_->palette().color(QPalette::Highlight));
    }

private:
    void follow() {
        const int t = std::max(2, qRound(logicalDpiY() / 48.0)); // 2 pixels at 96 dpi, 3 at 144
        setGeometry(target_->geometry().adjusted(-t, -t, t, t));
        setMask(QRegion(rect()) - QRegion(rect().adjusted(t, t, -t, -t)));
    }

    QWidget* target_;
};

bool isEnter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

PrintSwitch::PrintSwitch(QWidget* parent) : CaptionLabel(parent) {
    [[maybe_unused]] static const bool registered = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    setFocusPolicy(Qt::TabFocus); // a click asks, as it always did, without taking the focus
}

// Enter acts on the press, as it does on a focused button; Space on the release, as a button does.
void PrintSwitch::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (isEnter(event) || event->key() == Qt::Key_Space)) {
        event->accept();
        if (event->isAutoRepeat()) return;
        if (isEnter(event))
            emit clicked();
        else
            spaceDown_ = true;
        return;
    }
    CaptionLabel::keyPressEvent(event);
}

void PrintSwitch::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() && spaceDown_) {
        spaceDown_ = false;
        event->accept();
        emit clicked();
        return;
    }
    CaptionLabel::keyReleaseEvent(event);
}

// The caption fills the switch, so the focus frame goes round it, outside; it follows the switch
// when switching moves it.
void PrintSwitch::focusInEvent(QFocusEvent* event) {
    CaptionLabel::focusInEvent(event);
    if (ring_ == nullptr) ring_ = new FocusRing(this); // a child of the window, like the switch
    ring_->show();
    ring_->raise();
}

void PrintSwitch::focusOutEvent(QFocusEvent* event) {
    spaceDown_ = false;
    if (ring_ != nullptr) ring_->hide();
    CaptionLabel::focusOutEvent(event);
}

} // namespace kinri::ui
