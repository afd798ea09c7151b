#pragma once

#include "catalogue/catalogue.h"
#include "compute/app_state.h"

#include <QObject>

#include <vector>

class QAction;
class QWidget;

namespace kinri::ui {

class CalculatorForm;
class InputHint;
class InputReading;
class TextBox;

// The help a calculator window gives with rates and counts, on top of its boxes and never in
// place of them: the aid (F4 in a rate or count box, or its context menu) converts 年利 % and
// years; the focused box's reading says how its text will be read, on the screen and to a screen
// reader; after 計算, a hint points at a rate typed as a percentage. What a calculation reads is
// always the box's text as typed.
class InputAssist : public QObject {
    Q_OBJECT
public:
    InputAssist(QWidget& window, CalculatorForm& form, AppState& state);

    // A menu entry has dressed the window: its inputs' kinds, no notes.
    void setDressed(const CatalogueEntry& entry);
    // 計算 is over (its message closed): the hint, where a rate box calls for one.
    void afterCompute();
    // No notes: クリヤ, Menu.
    void hideNotes();
    // The focused box's reading shown anew, at the window's present scale.
    void refresh();
    // The aid for input `k` (0 for Text1), if it is a rate or a count.
    void openAid(std::size_t k);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    InputKind kind(std::size_t k) const;
    int perYear() const;
    void showReading(std::size_t k);
    std::size_t indexOf(const QObject* box) const;
    const QWidget* captionOf(std::size_t k) const;

    QWidget& window_;
    CalculatorForm& form_;
    AppState& state_;
    const CatalogueEntry* entry_ = nullptr;
    std::vector<QAction*> aidActions_; // one per box, F4 while it has the focus
    InputReading* reading_ = nullptr;
    InputHint* hint_ = nullptr;
    std::size_t hintBox_ = 0; // the box the hint is about, while it shows
};

} // namespace kinri::ui
