#pragma once

#include <QLineEdit>

namespace kinri::ui {

// A text box that a reader takes in from its first character. While it is not being edited, a
// text wider than the box shows its leading characters and 「…」 — never its tail, which would
// read as another number (「142830.9320748815」 as 「320748815」) — and the tooltip carries it
// whole. Being edited, it scrolls to the cursor like any box.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    // What the box shows while it is not being edited: the text, or its leading part and 「…」.
    QString shownText() const { return shown_; }
    bool elided() const { return shown_ != text(); }
    // The width the text may take inside the frame and margins, at the box's present width.
    int textWidth() const;

protected:
    // Fits the text anew after it changed; a box that takes another size or font for its text
    // does so here, then calls updateShown().
    virtual void refit() { updateShown(); }
    void updateShown();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QString shown_;
};

} // namespace kinri::ui
