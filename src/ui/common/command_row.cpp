#include "ui/common/command_row.h"

#include <QAction>
#include <QBoxLayout>
#include <QPushButton>
#include <QWidget>

namespace kinri::ui {

QAction* addCommand(QWidget& window, QBoxLayout& row, const QString& text, const QKeySequence& keys,
                    const char* name) {
    auto* action = new QAction(text, &window);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window.addAction(action);
    auto* button = new QPushButton(text, &window);
    button->setAutoDefault(false);
    button->setToolTip(keys.toString(QKeySequence::NativeText));
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
    row.addWidget(button);
    return action;
}

void addCloseButton(QWidget& window, QBoxLayout& row) {
    row.addStretch();
    auto* close = new QPushButton(QStringLiteral("閉じる"), &window);
    close->setAutoDefault(false);
    QObject::connect(close, &QPushButton::clicked, &window, &QWidget::close);
    row.addWidget(close);
    auto* escape = new QAction(&window);
    escape->setShortcut(Qt::Key_Escape);
    QObject::connect(escape, &QAction::triggered, &window, &QWidget::close);
    window.addAction(escape);
}

} // namespace kinri::ui
