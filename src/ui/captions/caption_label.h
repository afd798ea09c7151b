#pragma once

#include "ui/captions/caption_layout.h"

#include <QLabel>
#include <QRegion>

namespace kinri::ui {

// A label whose caption stays whole and legible: it wraps only where its caption permits (between
// phrases), its lines are spaced by the glyphs' real ink, and where the designed rectangle is too
// small it grows into free space of its window (or, for the print switch, to both sides), then
// draws smaller, down to 8 pixels a character at 96 dpi. The designed rectangle and font are kept
// as the window's design and the menu entries set them; what is drawn is `captionLayout()`.
class CaptionLabel : public QLabel {
    Q_OBJECT
public:
    explicit CaptionLabel(QWidget* parent = nullptr);

    // The caption and where it may wrap; a plain text may wrap nowhere.
    void setCaption(const CaptionText& caption);
    void setGrowth(CaptionGrowth growth) { growth_ = growth; }
    CaptionGrowth growth() const { return growth_; }

    // Where the window's design (and the last menu entry) put the label, in pixels.
    void setDesignedGeometry(const QRect& designed);
    QRect designedGeometry() const { return designed_; }

    // Lays the caption out within `room` and takes the geometry the layout needs.
    void fitInto(const CaptionRoom& room);
    // Moves the laid-out caption `dy` pixels down (up, if negative), its rectangle no taller than
    // its ink needs; what of `taken` it then covers it leaves to the controls there.
    void moveDown(int dy, const QList<QRect>& taken);

    const CaptionLayout& captionLayout() const { return layout_; }
    // The part of its window the label takes: its rectangle, less the corner a neighbour keeps
    // where the caption runs wider below the neighbour.
    QRegion area() const;
    const CaptionText& caption() const { return caption_; }
    // Whether the whole caption shows; when it does not, the tooltip carries it.
    bool captionFits() const { return layout_.fits; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    CaptionText caption_;
    CaptionGrowth growth_ = CaptionGrowth::RightAndDown;
    QRect designed_;
    // What the layout was made from, to skip the work when nothing changed.
    CaptionRoom room_;
    QFont laidOutFont_;
    bool laidOut_ = false;
    CaptionLayout layout_;
};

// A caption and the box it names, beside it.
struct CaptionBeside {
    CaptionLabel* caption;
    const QWidget* box;
};

// Fits every caption label of `window` into the room its window leaves it: right and down up to
// the other controls and the window's edge, keeping `gap` pixels to each. `reserved` are areas
// that stay free although no control is there now (the print switch's other place). Then each
// caption of `beside` moves up or down to be centred on its box, as far as the room allows, and
// two of them keep clearly more room between them than lines of one caption have: a caption's
// lines start at the top of a rectangle drawn for one line, and two-line captions of neighbouring
// boxes would otherwise read as one block.
void fitCaptions(QWidget* window, const QList<QRect>& reserved, int gap,
                 const QList<CaptionBeside>& beside = {});

} // namespace kinri::ui
