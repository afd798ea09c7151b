#include "ui/paper_actions.h"

#include "ui/calculator_keys.h"
#include "ui/paper.h"
#include "ui/qt_text.h"
#include "ui/system_printer.h"

#include <QAction>
#include <QWidget>

namespace kinri::ui {

PaperActions::PaperActions(QWidget& window, CalculatorKeys& keys)
    : QObject(&window), window_(window), keys_(keys) {
    QAction* record =
        add(QStringLiteral("計算記録を表示"), QKeySequence(Qt::CTRL | Qt::Key_H), "actionShowRecord");
    connect(record, &QAction::triggered, this, &PaperActions::recordRequested);

    QAction* preview = add(QStringLiteral("印刷プレビュー"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
                           "actionPrintPreview");
    QAction* pdf = add(QStringLiteral("PDFとして保存…"), QKeySequence::Save, "actionSavePdf");
    QAction* print = add(QStringLiteral("印刷…"), QKeySequence::Print, "actionPrintDialog");
    // Only once a calculation has succeeded, as copying it.
    for (QAction* a : {preview, pdf, print}) {
        a->setEnabled(keys.copyConditions()->isEnabled());
        connect(keys.copyConditions(), &QAction::enabledChanged, a, &QAction::setEnabled);
    }
    const auto job = [this] { return keys_.conditionsJob(); };
    const auto title = [this] { return printJobTitle(keys_.conditionsJob()); };
    connect(preview, &QAction::triggered, this,
            [this, job, title] { showPrintPreview(&window_, job(), title()); });
    connect(print, &QAction::triggered, this,
            [this, job, title] { printWithDialog(&window_, job(), title()); });
    connect(pdf, &QAction::triggered, this, [this, job, title] {
        const QString stem = keys_.dressed() != nullptr
                                 ? QStringLiteral("金利計算_") + qs(keys_.dressed()->item)
                                 : QStringLiteral("金利計算");
        savePdfAs(&window_, job(), title(), stem);
    });
}

QAction* PaperActions::add(const QString& text, const QKeySequence& keys, const char* name) {
    auto* action = new QAction(text, &window_);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WindowShortcut);
    window_.addAction(action);
    keys_.addToMenus(action);
    return action;
}

} // namespace kinri::ui
