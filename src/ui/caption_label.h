#pragma once

#include <QLabel>

namespace kinri::ui {

// A label whose caption must stay readable inside its designed size. Japanese captions wrap
// between any two characters; the line pitch tightens (down to the font's size) before the
// text is given up on, a one-line label squeezes its text sideways rather than cut it, and a
// caption that still does not fit is clipped but carried whole in the tooltip.
class CaptionLabel : public QLabel {
    Q_OBJECT
public:
    explicit CaptionLabel(QWidget* parent = nullptr);

    // Whether the whole caption shows in the current size and font.
    bool captionFits() const;

    // Sets the tooltip to the caption when it does not fit; call after caption, font or size change.
    void refreshFit();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Fit {
        double lineHeight = 0;
        double squeeze = 1.0; // horizontal scale of a one-line caption
        bool fits = true;
    };
    Fit computeFit() const;
};

} // namespace kinri::ui
