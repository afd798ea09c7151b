#pragma once

#include "ui/controls/text_box.h"

namespace kinri::ui {

// The red result box: an ordinary editable box whose text is always the exact result (the
// printout and the clipboard take it from here), shown whole wherever it can be. A result wider
// than the box first widens the box to the right, into free space of its window, then is drawn
// smaller (from the design's font at the present zoom), down to 8 pixels a full-width character at 96 dpi;
// one that is wider still shows its leading characters and 「…」 as any TextBox does.
class ResultBox : public TextBox {
    Q_OBJECT
public:
    explicit ResultBox(QWidget* parent = nullptr);

    // Where the window's design puts the box, and how wide it may become.
    void setDesignedGeometry(const QRect& designed, int widest);

protected:
    void refit() override;
    void changeEvent(QEvent* event) override;

private:
    QFont designFont_; // the design's font at the present zoom, before any fitting
    bool fitting_ = false;
    QRect designed_;
    int widest_ = 0;
};

} // namespace kinri::ui
