#pragma once

#include "catalogue/caption.h"

#include <QFont>
#include <QList>
#include <QRect>
#include <QString>

#include <utility>

class QPaintDevice;

namespace kinri::ui {

// A caption in Qt's terms: its text and where it may wrap, as indices into the text.
struct CaptionBreak {
    int at; // the line that follows begins with text[at]
    BreakKind kind;
};
struct CaptionText {
    QString text;
    QList<CaptionBreak> breaks; // ascending, each strictly inside the text
};
CaptionText captionText(const Caption& caption);

// How a label may outgrow its designed rectangle when its caption needs more room: a caption
// grows right and down into free space of its window; the print switch widens to both sides
// alike, keeping its centre and its top.
enum class CaptionGrowth { RightAndDown, Sideways };

// The smallest caption drawn: 8 pixels a full-width character at 96 dpi, that is 6 points.
inline constexpr double kSmallestCaptionPoints = 6.0;

// The free space a label may draw in: `bounds`, less the `blocked` parts that other controls
// take (each with its distance kept). A line may reach right up to the first blocked part beside
// it, so a caption may run narrow beside a box and wider below it.
struct CaptionRoom {
    QRect bounds;
    QList<QRect> blocked;

    // How far right (exclusive) a line may reach between the heights y0 and y1.
    int rightEdge(double y0, double y1) const;
    // The lowest height (exclusive) down to which the label's left column stays free.
    int floor() const;
};

// How a caption is drawn: the font (the label's own, or smaller where it must be), the label's
// rectangle in its window, the lines and their baselines. The pitch is worked out from the
// glyphs' real ink, so one line's strokes never reach the next line's, and the lowest line's ink
// ends inside the label.
struct CaptionLayout {
    QFont font;
    QRect geometry;           // where the label goes, in its window's coordinates
    QList<QRect> blocked;     // parts of `geometry` it leaves to other controls, in its own coordinates
    QList<int> lineStarts;    // where each line begins in the text
    QStringList lines;        // the text of each line
    QList<double> lineWidths; // advance width of each line
    QList<double> inkTops;    // highest ink of each line's glyphs, from its baseline (< 0)
    QList<double> inkBottoms; // lowest ink of each line's glyphs, from its baseline
    QList<double> inkLefts;   // leftmost ink of each line (or 0), from where its pen starts
    QList<double> inkRights;  // rightmost ink of each line (or its advance, if further)
    double firstBaseline = 0; // from the label's top
    double pitch = 0;         // from one baseline to the next
    double lineGap = 0;       // the least room between one line's ink and the next one's
    int wordBreaks = 0;       // lines that begin inside a compound noun
    bool centred = false;     // lines centred across the label (the print switch)
    bool fits = false;        // every line whole inside the label, at or above the smallest size

    double baseline(int line) const { return firstBaseline + pitch * line; }
    double lineLeft(int line) const; // where the line's pen starts
    // The box of a line's ink and advance, in the label's coordinates.
    QRectF lineBox(int line) const;
    // The box of every line's ink and advance, in the label's coordinates.
    QRectF inkBox() const;
    // The widest room between one line's ink and the next one's; of a single line, the room a
    // second line would leave.
    double lineSpace() const;
};

// Lays `caption` out for a label designed at `designed` with `designFont`, free to take any part
// of `room` the way `growth` allows. In order of preference: the designed font in the designed
// rectangle; the designed font in a rectangle grown down, then right, as little as needed; the
// designed font running wider below a neighbour; then the same with smaller fonts in steps of a
// quarter point down to the smallest caption size. Among the layouts that fit one font, breaks
// between phrases are preferred to breaks inside a compound noun, then fewer lines, then evenly
// filled ones. `device` gives the resolution of the metrics.
CaptionLayout layoutCaption(const CaptionText& caption, const QFont& designFont, const QRect& designed,
                            const CaptionRoom& room, CaptionGrowth growth, QPaintDevice* device);

// The layout `dy` pixels lower (higher, if negative) in its window, its rectangle cut down to its
// lines' ink and the edge kept around it. It leaves to other controls what of `taken` (their
// rectangles with their distance kept) it covers, as a caption running wider below a box does.
CaptionLayout movedDown(const CaptionLayout& layout, int dy, const QList<QRect>& taken);

// How far a laid-out caption may move up (the first, <= 0 where it stands clear now) and down
// before a line's ink comes into `taken` or out of `within`. Only what lies over or under a line
// stops it: a line that runs wider below a box is stopped by the box, a shorter one is not.
std::pair<int, int> verticalRoom(const CaptionLayout& layout, const QList<QRect>& taken, const QRect& within);

// A caption of a column of captions, each naming the box beside it.
struct ColumnCaption {
    double inkTop = 0, inkBottom = 0; // of all its lines, in the window
    double boxCentre = 0;             // the height of its box's middle
    int up = 0, down = 0;             // how far it may move, from verticalRoom
    int space = 0;                    // the least room it keeps between its ink and a neighbour's
};

// How far each caption of a column (top to bottom) moves down, or up if negative, so that its
// ink is centred on its box. A caption that its room stops short of that comes as close as the
// room allows; neighbours that centred would come closer than their space move apart, off their
// boxes' middles by as little as they can between them. Empty when the column cannot keep its
// captions apart at all: then they stay where they are.
QList<int> centringMoves(const QList<ColumnCaption>& column);

// The room of a label designed at `designed`: right and down up to the edge of `client`, less
// the rectangles of `others` with `gap` around each. A control that covers part of the designed
// rectangle takes that part (the label never draws under another control).
CaptionRoom roomRightAndDown(const QRect& designed, const QList<QRect>& others, const QRect& client, int gap);

// The room of a centred control: as wide as it may become to both sides alike between the
// controls left and right of it (keeping `gap` to each), never narrower than designed.
QRect roomSideways(const QRect& designed, const QList<QRect>& others, const QRect& client, int gap);

} // namespace kinri::ui
