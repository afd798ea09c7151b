#pragma once

#include <QLineEdit>

namespace kinri::ui {

// The red result box: an ordinary editable box whose text is always the exact result (the
// printout and the clipboard take it from here), shown whole wherever it can be. A result wider
// than the box first widens the box to the right, into free space of its window, then is drawn
// smaller, down to 8 pixels a full-width character at 96 dpi; one that is wider still shows its
// leading characters and 「…」 while the box is not being edited, never a cut number, and the
// tooltip carries it whole.
class ResultBox : public QLineEdit {
    Q_OBJECT
public:
    explicit ResultBox(QWidget* parent = nullptr);

    // Where the window's design puts the box, and how wide it may become.
    void setDesignedGeometry(const QRect& designed, int widest);

    // What the box shows while it is not being edited: the text, or its leading part and 「…」.
    QString shownText() const { return shown_; }
    bool elided() const { return shown_ != text(); }
    // The width the text may take inside the frame and margins, at the box's present width.
    int textWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void refit();

    QFont designFont_;
    QRect designed_;
    int widest_ = 0;
    QString shown_;
};

} // namespace kinri::ui
