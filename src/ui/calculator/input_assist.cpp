#include "ui/calculator/input_assist.h"

#include "aid/input_aid.h"
#include "ui/calculator/calculator_form.h"
#include "ui/calculator/input_aid_dialog.h"
#include "ui/calculator/input_notes.h"
#include "ui/common/qt_text.h"
#include "ui/controls/text_box.h"

#include <QAction>
#include <QFocusEvent>
#include <QMenu>
#include <QPointer>

namespace kinri::ui {
namespace {

// The box's whole text replaced as one edit, which one Ctrl+Z undoes (setText would forget the
// box's undo history).
void putInto(TextBox* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    box->insert(text);
}

} // namespace

InputAssist::InputAssist(QWidget& window, CalculatorForm& form, AppState& state)
    : QObject(&window), window_(window), form_(form), state_(state) {
    reading_ = new InputReading(&window);
    hint_ = new InputHint(&window);
    connect(hint_, &InputHint::applied, this,
            [this](const QString& suggestion) { putInto(form_.inputs.at(hintBox_), suggestion); });
    for (std::size_t k = 0; k < form.inputs.size(); ++k) {
        TextBox* box = form.inputs[k];
        auto* action = new QAction(box);
        action->setShortcut(Qt::Key_F4);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, [this, k] { openAid(k); });
        box->addAction(action);
        aidActions_.push_back(action);

        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, [this, k] {
            if (hintBox_ == k) hint_->hide();
            if (form_.inputs[k]->hasFocus()) showReading(k);
        });
        box->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(box, &QWidget::customContextMenuRequested, this, [this, box, k](const QPoint& pos) {
            QMenu* menu = box->createStandardContextMenu();
            if (aidActions_[k]->isVisible()) {
                menu->addSeparator();
                menu->addAction(aidActions_[k]);
            }
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->popup(box->mapToGlobal(pos));
        });
    }
}

void InputAssist::setDressed(const CatalogueEntry& entry) {
    entry_ = &entry;
    hideNotes();
    for (std::size_t k = 0; k < aidActions_.size(); ++k) {
        const InputKind what = kind(k);
        aidActions_[k]->setVisible(isRate(what) || isCount(what));
        aidActions_[k]->setText(what == InputKind::GrowthRate ? QStringLiteral("年率 % から入力…")
                                : isRate(what)                ? QStringLiteral("年利 % から入力…")
                                                              : QStringLiteral("年数から入力…"));
        form_.inputs[k]->setAccessibleDescription(QString());
    }
    refresh();
}

void InputAssist::refresh() {
    for (std::size_t k = 0; k < form_.inputs.size(); ++k)
        if (form_.inputs[k]->hasFocus()) showReading(k);
}

InputKind InputAssist::kind(std::size_t k) const {
    return entry_ != nullptr && k < static_cast<std::size_t>(windowInfo(entry_->window).inputCount)
               ? entry_->kinds.at(k)
               : InputKind::Amount;
}

// The entry's own periods in a year, or the user's last choice in the aid (none yet: 0).
int InputAssist::perYear() const {
    return entry_ != nullptr && entry_->periodsPerYear != 0 ? entry_->periodsPerYear : state_.aidPerYear;
}

void InputAssist::hideNotes() {
    reading_->hide();
    hint_->hide();
}

void InputAssist::showReading(std::size_t k) {
    TextBox* box = form_.inputs.at(k);
    const InputKind what = kind(k);
    QString text = qs(aid::reading(what, box->text().toStdString(), perYear()));
    if (text.isEmpty() && (isRate(what) || isCount(what)))
        text = aidActions_[k]->text().chopped(1) + QStringLiteral("：F4"); // how to reach the aid
    box->setAccessibleDescription(text);
    // The hint already says how the box is read; one note at a time.
    reading_->showFor(hint_->isVisible() && hintBox_ == k ? nullptr : box, captionOf(k), text);
}

void InputAssist::openAid(std::size_t k) {
    const InputKind what = kind(k);
    if (entry_ == nullptr || !(isRate(what) || isCount(what))) return;
    QPointer<TextBox> box = form_.inputs.at(k);
    const int fixed = entry_->periodsPerYear;
    const QString start =
        qs(aid::annualFigure(what, box->text().toStdString(), perYear() != 0 ? perYear() : 12));
    auto* dialog = new InputAidDialog(&window_, what, fixed, perYear(), start);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QDialog::accepted, this, [this, dialog, box, fixed] {
        if (fixed == 0) state_.aidPerYear = dialog->perYear(); // remembered while the program runs
        if (box != nullptr && !dialog->value().isEmpty()) putInto(box, dialog->value());
    });
    dialog->open();
}

void InputAssist::afterCompute() {
    hint_->hide();
    for (std::size_t k = 0; k < form_.inputs.size(); ++k) {
        const auto h = aid::hint(kind(k), form_.inputs[k]->text().toStdString(), perYear());
        if (!h) continue;
        hintBox_ = k;
        reading_->hide();
        hint_->showFor(form_.inputs[k], captionOf(k), qs(h->message), qs(h->suggestion));
        return;
    }
}

const QWidget* InputAssist::captionOf(std::size_t k) const {
    return form_.control({ControlRole::InputCaption, static_cast<int>(k) + 1});
}

std::size_t InputAssist::indexOf(const QObject* box) const {
    for (std::size_t k = 0; k < form_.inputs.size(); ++k)
        if (form_.inputs[k] == box) return k;
    return form_.inputs.size();
}

bool InputAssist::eventFilter(QObject* watched, QEvent* event) {
    const std::size_t k = indexOf(watched);
    if (k < form_.inputs.size()) {
        if (event->type() == QEvent::FocusIn) showReading(k);
        // The box's own context menu keeps its note; anything else that takes the focus ends it.
        if (event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            reading_->hide();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kinri::ui
