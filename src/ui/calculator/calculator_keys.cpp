#include "ui/calculator/calculator_keys.h"

#include "ui/controls/table_list.h"

#include "ui/calculator/calculator_form.h"
#include "ui/calculator/click_controller.h"
#include "ui/common/qt_text.h"
#include "ui/controls/result_box.h"
#include "ui/help/help_window.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>

namespace kinri::ui {

CalculatorKeys::CalculatorKeys(QWidget& window, CalculatorForm& form, HelpViewer& help,
                               const ClickController& clicks)
    : QObject(&window), window_(window), form_(form), help_(help), clicks_(clicks) {
    auto* f1 = new QShortcut(QKeySequence::HelpContents, &window);
    connect(f1, &QShortcut::activated, this, [this] {
        if (const CatalogueEntry* entry = form_.dressed())
            help_.showTopic(QLatin1String(kHelpFileName), qs(entry->item));
    });
    for (QPushButton* button : {form.compute, form.clear, form.menu})
        button->installEventFilter(this); // Enter presses it

    copyConditions_ = new QAction(QStringLiteral("計算条件と結果をコピー"), &window);
    copyConditions_->setObjectName(QStringLiteral("CopyConditions"));
    copyConditions_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copyConditions_->setShortcutContext(Qt::WindowShortcut);
    clicks.enableWithLast(*copyConditions_);
    // The conditions and the result as the printout carries them.
    connect(copyConditions_, &QAction::triggered, this, [this] {
        if (const Calculation* last = clicks_.last())
            QGuiApplication::clipboard()->setText(QString::fromStdString(printText(last->printout)));
    });
    window.addAction(copyConditions_);

    if (ResultBox* box = form.resultBox) {
        box->installEventFilter(this); // Ctrl+C with nothing selected copies the whole result
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(box, &QWidget::customContextMenuRequested, this, [this, box](const QPoint& pos) {
            QMenu* menu = box->createStandardContextMenu();
            menu->addSeparator();
            menu->addAction(copyConditions_);
            popUp(menu, box->mapToGlobal(pos));
        });
    }
    if (form.list != nullptr) addTableKeys();
}

void CalculatorKeys::addTableKeys() {
    TableList* list = form_.list;
    auto addListKey = [this, list](QKeySequence::StandardKey key, auto slot) {
        auto* action = new QAction(list);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, slot);
        list->addAction(action);
    };
    addListKey(QKeySequence::Copy, [this] { copyListRows(false); });
    // The list stays single-selection for clicks and arrows; Ctrl+A marks every row for copying.
    addListKey(QKeySequence::SelectAll, [list] {
        if (list->count() == 0) return;
        list->selectionModel()->select(
            QItemSelection(list->model()->index(0, 0), list->model()->index(list->count() - 1, 0)),
            QItemSelectionModel::Select);
    });
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint& pos) {
        auto* menu = new QMenu(list);
        const QString copyKey = QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText);
        menu->addAction(QStringLiteral("コピー\t") + copyKey, this, [this] { copyListRows(false); })
            ->setEnabled(list->selectionModel()->hasSelection());
        menu->addAction(QStringLiteral("すべてコピー"), this, [this] { copyListRows(true); })
            ->setEnabled(list->count() > 0);
        menu->addSeparator();
        menu->addAction(copyConditions_);
        popUp(menu, list->viewport()->mapToGlobal(pos));
    });
}

void CalculatorKeys::popUp(QMenu* menu, const QPoint& globalPos) const {
    if (!menuExtras_.isEmpty()) {
        menu->addSeparator();
        menu->addActions(menuExtras_);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

void CalculatorKeys::showWindowMenu(const QPoint& globalPos) {
    auto* menu = new QMenu(&window_);
    menu->addAction(copyConditions_);
    popUp(menu, globalPos);
}

bool CalculatorKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (auto* button = qobject_cast<QPushButton*>(watched)) {
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
            if (!key->isAutoRepeat()) button->click();
            return true;
        }
    } else if (watched == form_.resultBox && key->matches(QKeySequence::Copy) &&
               !form_.resultBox->hasSelectedText()) {
        if (!form_.resultBox->text().isEmpty())
            QGuiApplication::clipboard()->setText(form_.resultBox->text());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// Rows as the list shows them, one line each, in list order.
void CalculatorKeys::copyListRows(bool all) {
    QString text;
    for (int row = 0; row < form_.list->count(); ++row)
        if (all || form_.list->isSelected(row)) text += form_.list->text(row) + u'\n';
    if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

} // namespace kinri::ui
