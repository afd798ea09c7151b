#include "ui/captions/caption_layout.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>

namespace kinri::ui {
namespace {

// Antialiasing darkens the pixels a glyph's outline passes through: ink keeps a pixel from the edges.
constexpr double kEdge = 1.0;
constexpr int kMostLines = 12;

double dpiOf(const QPaintDevice* device) {
    return device != nullptr ? device->logicalDpiY() : 96.0;
}

// What one font makes of a caption: the x of every permitted break on one unbroken line, the ink
// of each piece between two breaks, and how far apart lines must be.
struct Measured {
    QFont font;
    QList<int> positions;   // 0, each break, the end
    QList<BreakKind> kinds; // kind of each break (positions[1] .. positions[n-2])
    QList<double> x;        // x of each position
    QList<QRectF> ink;      // of each piece, from where its pen starts on the baseline
    double inkTop = 0;      // of the whole caption, from the baseline (< 0)
    double inkBottom = 0;
    double lineSpacing = 0;
    double minGap = 0; // between one line's ink and the next one's

    int pieces() const { return static_cast<int>(positions.size()) - 1; }
    double inkHeight() const { return inkBottom - inkTop; }
    // The font's own pitch where the ink allows it, and the least that keeps lines apart.
    double pitch() const { return std::max(lineSpacing, minPitch()); }
    double minPitch() const { return inkHeight() + minGap; }

    // Where the line of pieces [a, b) reaches, from its pen's start: its advance, or its ink where
    // a glyph's ink reaches out of its advance.
    std::pair<double, double> span(int a, int b) const {
        double left = 0, right = x[b] - x[a];
        for (int p = a; p < b; ++p) {
            left = std::min(left, x[p] - x[a] + ink[p].left());
            right = std::max(right, x[p] - x[a] + ink[p].right());
        }
        return {left, right};
    }
};

Measured measure(const CaptionText& caption, const QFont& font, QPaintDevice* device) {
    Measured m;
    m.font = font;
    m.positions.append(0);
    for (const CaptionBreak& b : caption.breaks) {
        m.positions.append(b.at);
        m.kinds.append(b.kind);
    }
    m.positions.append(static_cast<int>(caption.text.size()));

    QTextLayout layout(caption.text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    // Where each piece starts and what ink it leaves, from the glyphs as shaped on the one line:
    // a piece starts where its first glyph is put, and its ink is its glyphs' outlines around that
    // start on the baseline.
    QList<QList<QGlyphRun>> runs;
    for (int i = 0; i < m.pieces(); ++i) {
        runs.append(layout.glyphRuns(m.positions[i], m.positions[i + 1] - m.positions[i]));
        double start = line.naturalTextWidth();
        for (const QGlyphRun& run : runs.last())
            for (const QPointF& at : run.positions())
                start = std::min(start, at.x());
        m.x.append(i == 0 ? 0.0 : start);
    }
    m.x.append(line.naturalTextWidth());
    for (int i = 0; i < m.pieces(); ++i) {
        QRectF ink;
        const QPointF start(m.x[i], line.y() + line.ascent());
        for (const QGlyphRun& run : runs.at(i)) {
            const QRawFont raw = run.rawFont();
            const QList<quint32> glyphs = run.glyphIndexes();
            const QList<QPointF> at = run.positions();
            for (qsizetype g = 0; g < glyphs.size(); ++g)
                ink |= raw.boundingRect(glyphs[g]).translated(at[g] - start);
        }
        m.ink.append(ink);
        m.inkTop = std::min(m.inkTop, ink.top());
        m.inkBottom = std::max(m.inkBottom, ink.bottom());
    }
    const QFontMetricsF fm(font, device);
    m.lineSpacing = fm.lineSpacing();
    const double em = font.pointSizeF() * dpiOf(device) / 72.0;
    m.minGap = std::max(2.0, em / 8.0); // a clear pixel row between lines, whatever the rounding
    return m;
}

// Lines stacked at `pitch` from the top of a label `height` high (or centred in it), the first
// baseline where the caption's highest ink keeps its edge; `width(k, y0, y1)` says how wide line
// k may be where its ink lies, from y0 to y1.
struct Stack {
    double pitch = 0;
    double firstBaseline = 0;
    int maxLines = 0;
    std::function<double(int, double, double)> width;
};

struct Breaking {
    QList<int> starts; // index into Measured::positions where each line begins; then the end
    int wordBreaks = 0;
    double badness = 0;
    double reach = 0; // of the widest line, ink included

    int lines() const { return static_cast<int>(starts.size()) - 1; }
};

// The best way to break the caption into lines that fit `stack`: fewest breaks inside a compound
// noun, then fewest lines, then the most evenly filled lines.
std::optional<Breaking> breakLines(const Measured& m, const Stack& stack) {
    const int n = m.pieces();
    struct Cell {
        bool reached = false;
        int wordBreaks = 0;
        double badness = 0;
        int from = -1;
    };
    const int most = std::min(kMostLines, stack.maxLines);
    if (most < 1) return std::nullopt;
    // cell[k][b]: the first b pieces laid out in k lines.
    std::vector<std::vector<Cell>> cell(static_cast<std::size_t>(most + 1),
                                        std::vector<Cell>(static_cast<std::size_t>(n + 1)));
    cell[0][0].reached = true;
    std::optional<Breaking> best;
    for (int k = 1; k <= most; ++k) {
        const double baseline = stack.firstBaseline + stack.pitch * (k - 1);
        const double width = stack.width(k - 1, baseline + m.inkTop, baseline + m.inkBottom);
        for (int b = 1; b <= n; ++b) {
            Cell& here = cell[k][b];
            for (int a = b - 1; a >= 0; --a) {
                if (m.x[b] - m.x[a] > width + 0.01) break; // wider still as `a` moves left
                const auto [left, right] = m.span(a, b);
                if (right - left > width + 1e-6) continue;
                const Cell& before = cell[k - 1][a];
                if (!before.reached) continue;
                const int words = before.wordBreaks + (a > 0 && m.kinds[a - 1] == BreakKind::Word ? 1 : 0);
                const double slack = b == n ? 0.0 : width - (right - left);
                const double badness = before.badness + slack * slack;
                if (!here.reached || words < here.wordBreaks ||
                    (words == here.wordBreaks && badness < here.badness))
                    here = {true, words, badness, a};
            }
        }
        const Cell& whole = cell[k][n];
        if (!whole.reached || (best && whole.wordBreaks >= best->wordBreaks)) continue;
        Breaking candidate{{n}, whole.wordBreaks, whole.badness, 0};
        for (int line = k, b = n; line > 0; --line) {
            b = cell[line][b].from;
            candidate.starts.prepend(b);
        }
        for (int i = 0; i < k; ++i) {
            const auto [left, right] = m.span(candidate.starts[i], candidate.starts[i + 1]);
            candidate.reach = std::max(candidate.reach, right - left);
        }
        best = candidate;
    }
    return best;
}

// The caption drawn in `geometry` with the chosen breaks.
CaptionLayout finish(const CaptionText& caption, const Measured& m, const Breaking& b, const Stack& stack,
                     const QRect& geometry, bool centred, QPaintDevice* device) {
    CaptionLayout out;
    out.font = m.font;
    out.geometry = geometry;
    out.centred = centred;
    out.wordBreaks = b.wordBreaks;
    out.lineGap = m.minGap;
    out.pitch = stack.pitch;
    out.firstBaseline = stack.firstBaseline;
    const QFontMetricsF fm(m.font, device);
    bool inside = true; // every line within the label and, beside a neighbour, short of it
    for (int i = 0; i < b.lines(); ++i) {
        const int from = m.positions[b.starts[i]];
        const int to = m.positions[b.starts[i + 1]];
        out.lineStarts.append(from);
        out.lines.append(caption.text.mid(from, to - from));
        out.lineWidths.append(m.x[b.starts[i + 1]] - m.x[b.starts[i]]);
        double top = 0, bottom = 0;
        for (int piece = b.starts[i]; piece < b.starts[i + 1]; ++piece) {
            top = std::min(top, m.ink[piece].top());
            bottom = std::max(bottom, m.ink[piece].bottom());
        }
        out.inkTops.append(top);
        out.inkBottoms.append(bottom);
        const auto [left, right] = m.span(b.starts[i], b.starts[i + 1]);
        out.inkLefts.append(left);
        out.inkRights.append(right);
        const QRectF box = out.lineBox(i);
        const double y = out.baseline(i);
        inside = inside && box.left() >= -1e-6 &&
                 box.right() <= geometry.width() - (centred ? 0 : kEdge) + 1e-6 &&
                 (centred || box.right() <= stack.width(i, y + m.inkTop, y + m.inkBottom) + 1e-6);
    }
    const double bottom = out.baseline(b.lines() - 1) + m.inkBottom;
    out.fits =
        inside && bottom <= geometry.height() - kEdge + 1e-6 &&
        fm.horizontalAdvance(QChar(0x56FD)) >= kSmallestCaptionPoints * dpiOf(device) / 72.0 - 0.01; // 国
    return out;
}

// A rectangle `width` wide with the same centre and top as `designed`.
QRect centredOn(const QRect& designed, int width) {
    const int centre2 = 2 * designed.left() + designed.width();
    if ((centre2 - width) % 2 != 0) ++width;
    return QRect((centre2 - width) / 2, designed.top(), width, designed.height());
}

} // namespace

CaptionText captionText(const Caption& caption) {
    CaptionText out;
    out.text = QString::fromUtf8(caption.text.data(), static_cast<qsizetype>(caption.text.size()));
    for (const BreakPoint& b : caption.breaks) {
        const auto at = static_cast<int>(QString::fromUtf8(caption.text.data(), b.offset).size());
        if (at > 0 && at < out.text.size()) out.breaks.append({at, b.kind});
    }
    return out;
}

int CaptionRoom::rightEdge(double y0, double y1) const {
    int right = bounds.left() + bounds.width();
    for (const QRect& b : blocked)
        if (b.top() < y1 && b.top() + b.height() > y0) right = std::min(right, b.left());
    return right;
}

int CaptionRoom::floor() const {
    int bottom = bounds.top() + bounds.height();
    for (const QRect& b : blocked)
        if (b.left() <= bounds.left()) bottom = std::min(bottom, b.top());
    return std::max(bottom, bounds.top());
}

double CaptionLayout::lineLeft(int line) const {
    const double reach = inkRights.at(line) - inkLefts.at(line);
    return (centred ? (geometry.width() - reach) / 2 : 0.0) - inkLefts.at(line);
}

QRectF CaptionLayout::lineBox(int line) const {
    const double pen = lineLeft(line);
    const double y = baseline(line);
    return QRectF(QPointF(pen + inkLefts.at(line), y + inkTops.at(line)),
                  QPointF(pen + inkRights.at(line), y + inkBottoms.at(line)));
}

QRectF CaptionLayout::inkBox() const {
    QRectF ink;
    for (int i = 0; i < lines.size(); ++i)
        ink |= lineBox(i);
    return ink;
}

double CaptionLayout::lineSpace() const {
    if (lines.size() == 1) return pitch - (inkBottoms.front() - inkTops.front());
    double widest = 0;
    for (int i = 0; i + 1 < lines.size(); ++i)
        widest = std::max(widest, lineBox(i + 1).top() - lineBox(i).bottom());
    return widest;
}

CaptionLayout layoutCaption(const CaptionText& caption, const QFont& designFont, const QRect& designed,
                            const CaptionRoom& room, CaptionGrowth growth, QPaintDevice* device) {
    const bool sideways = growth == CaptionGrowth::Sideways;
    const QPoint origin = designed.topLeft();
    // The part of the designed rectangle no other control covers.
    const int floorY = sideways ? designed.bottom() + 1 : room.floor();
    const int ownHeight = std::min(designed.height(), floorY - origin.y());
    const int ownWidth = sideways ? designed.width()
                                  : std::min(designed.width(),
                                             room.rightEdge(origin.y(), origin.y() + ownHeight) - origin.x());
    const QRect own(origin, QSize(std::max(0, ownWidth), std::max(0, ownHeight)));
    if (caption.text.isEmpty()) {
        CaptionLayout out;
        out.font = designFont;
        out.geometry = own;
        out.centred = sideways;
        out.fits = true;
        return out;
    }

    for (double points = designFont.pointSizeF(); points >= kSmallestCaptionPoints - 1e-9; points -= 0.25) {
        QFont font = designFont;
        font.setPointSizeF(points);
        const Measured m = measure(caption, font, device);
        const int pad = sideways ? static_cast<int>(std::ceil(m.minGap)) : 0;
        std::optional<CaptionLayout> chosen;

        // Lines in a label `height` high, at the font's own pitch or, failing that, the least.
        const auto consider = [&](int height, const std::function<double(int, double, double)>& width,
                                  const std::function<QRect(const Breaking&, const Stack&)>& geometryFor) {
            if (chosen && chosen->wordBreaks == 0) return; // nothing later can do better
            for (double pitch : {m.pitch(), m.minPitch()}) {
                Stack stack{pitch, kEdge - m.inkTop, 0, width};
                const double room = height - 2 * kEdge - m.inkHeight();
                stack.maxLines = room < 0 ? 0 : 1 + static_cast<int>(std::floor(room / pitch + 1e-6));
                const auto b = breakLines(m, stack);
                if (!b) continue;
                if (chosen && b->wordBreaks >= chosen->wordBreaks) return;
                if (sideways) // centred in the height
                    stack.firstBaseline = (height - m.inkHeight() - pitch * (b->lines() - 1)) / 2 - m.inkTop;
                CaptionLayout out = finish(caption, m, *b, stack, geometryFor(*b, stack), sideways, device);
                if (out.fits) chosen = out;
                return;
            }
        };
        const auto fixedWidth = [](double w) { return [w](int, double, double) { return w; }; };
        // Lines keep a pixel from the label's right edge as from its top and bottom.
        const auto reaching = [&](const Breaking& b) {
            return std::max(own.width(), static_cast<int>(std::ceil(b.reach + kEdge)));
        };
        const auto grownTo = [&](int width) {
            return [&, width](const Breaking& b, const Stack& stack) {
                const int needed =
                    static_cast<int>(std::ceil(2 * kEdge + m.inkHeight() + stack.pitch * (b.lines() - 1)));
                return QRect(origin, QSize(width, std::max(own.height(), needed)));
            };
        };

        if (sideways) {
            consider(own.height(), fixedWidth(own.width() - 2 * pad),
                     [&](const Breaking&, const Stack&) { return own; });
            consider(own.height(), fixedWidth(room.bounds.width() - 2 * pad),
                     [&](const Breaking& b, const Stack&) {
                         const int needed = static_cast<int>(std::ceil(b.reach)) + 2 * pad;
                         const QRect g = centredOn(
                             designed, std::min(room.bounds.width(), std::max(designed.width(), needed)));
                         return g.width() > room.bounds.width() ? room.bounds : g;
                     });
        } else {
            const int tall = floorY - origin.y();
            const int wide = room.rightEdge(origin.y(), floorY) - origin.x();
            // As designed; grown down; grown right as well; running wider below a neighbour.
            consider(own.height(), fixedWidth(own.width() - kEdge),
                     [&](const Breaking&, const Stack&) { return own; });
            consider(tall, fixedWidth(own.width() - kEdge), grownTo(own.width()));
            consider(tall, fixedWidth(std::max(own.width(), wide) - kEdge),
                     [&](const Breaking& b, const Stack& s) { return grownTo(reaching(b))(b, s); });
            consider(
                tall,
                [&](int, double y0, double y1) {
                    return room.rightEdge(origin.y() + y0, origin.y() + y1) - origin.x() - kEdge;
                },
                [&](const Breaking& b, const Stack& s) { return grownTo(reaching(b))(b, s); });
        }
        if (chosen) {
            if (!sideways) {
                for (const QRect& b : room.blocked)
                    if (b.intersects(chosen->geometry)) chosen->blocked.append(b.translated(-origin));
            }
            return *chosen;
        }
    }

    // Nothing fits even at the smallest size: every line at that size, as many as the width
    // needs, drawn in the whole room and cut at its edge; the label carries the caption whole in
    // its tooltip.
    QFont font = designFont;
    font.setPointSizeF(std::min(designFont.pointSizeF(), kSmallestCaptionPoints));
    const Measured m = measure(caption, font, device);
    const QRect all =
        sideways ? designed
                 : QRect(origin, QSize(room.rightEdge(origin.y(), floorY) - origin.x(), floorY - origin.y()));
    Stack stack{m.pitch(), kEdge - m.inkTop, kMostLines,
                [w = static_cast<double>(all.width())](int, double, double) { return w; }};
    const auto best = breakLines(m, stack);
    Breaking b = best ? *best : Breaking{{0, m.pieces()}, 0, 0, m.x.back()};
    CaptionLayout out = finish(caption, m, b, stack, all, sideways, device);
    out.fits = false;
    return out;
}

CaptionLayout movedDown(const CaptionLayout& layout, int dy, const QList<QRect>& taken) {
    if (layout.lines.isEmpty()) return layout;
    const QRectF ink = layout.inkBox();
    // Cut to the ink, the rectangle cannot reach a neighbour its ink keeps clear of.
    const int top = static_cast<int>(std::floor(ink.top() - kEdge));
    const int bottom = static_cast<int>(std::ceil(ink.bottom() + kEdge));
    CaptionLayout out = layout;
    out.geometry = QRect(layout.geometry.left(), layout.geometry.top() + top + dy, layout.geometry.width(),
                         bottom - top);
    out.firstBaseline -= top;
    out.blocked.clear();
    for (const QRect& t : taken) {
        const QRect corner = t.intersected(out.geometry);
        if (!corner.isEmpty()) out.blocked.append(corner.translated(-out.geometry.topLeft()));
    }
    return out;
}

std::pair<int, int> verticalRoom(const CaptionLayout& layout, const QList<QRect>& taken,
                                 const QRect& within) {
    double up = -within.height(), down = within.height();
    for (int i = 0; i < layout.lines.size(); ++i) {
        const QRectF ink = layout.lineBox(i).translated(layout.geometry.topLeft());
        up = std::max(up, within.top() - ink.top());
        down = std::min(down, within.top() + within.height() - ink.bottom());
        for (const QRect& t : taken) {
            if (t.left() >= ink.right() || t.left() + t.width() <= ink.left()) continue;
            if (t.top() + t.height() / 2.0 < ink.center().y()) {
                up = std::max(up, t.top() + t.height() - ink.top());
            } else {
                down = std::min(down, t.top() - ink.bottom());
            }
        }
    }
    return {static_cast<int>(std::ceil(up)), static_cast<int>(std::floor(down))};
}

QList<int> centringMoves(const QList<ColumnCaption>& column) {
    // Measured from a column of captions stacked tight (each `space` below the one above), every
    // caption keeps its space exactly when none stands higher in that measure than the one above
    // it. Each caption asks for the place that centres it; where one would then stand higher
    // than the one above, the two (and whatever group that one is in) share a place instead, the
    // mean of what they ask, within the room of all of them.
    struct Group {
        double wanted = 0; // sum over the group
        int count = 0;
        int low = 0, high = 0;
        int value() const {
            return std::max(low, std::min(high, static_cast<int>(std::lround(wanted / count))));
        }
    };
    QList<int> tops, stacked;
    std::vector<Group> groups;
    for (int i = 0; i < column.size(); ++i) {
        const ColumnCaption& c = column.at(i);
        tops.append(static_cast<int>(std::floor(c.inkTop)));
        if (i > 0) {
            const ColumnCaption& above = column.at(i - 1);
            const int height = static_cast<int>(std::ceil(above.inkBottom)) - tops.at(i - 1);
            // The larger space of the two, so that neither caption's lines read closer than it.
            stacked.append(stacked.back() + height + std::max(above.space, c.space));
        } else {
            stacked.append(0);
        }
        const int at = tops.back() - stacked.back();
        groups.push_back({at + c.boxCentre - (c.inkTop + c.inkBottom) / 2, 1, at + c.up, at + c.down});
        while (groups.size() >= 2 && groups[groups.size() - 2].value() > groups.back().value()) {
            const Group last = groups.back();
            groups.pop_back();
            Group& pooled = groups.back();
            pooled.wanted += last.wanted;
            pooled.count += last.count;
            pooled.low = std::max(pooled.low, last.low);
            pooled.high = std::min(pooled.high, last.high);
        }
    }
    QList<int> moves;
    for (const Group& g : groups) {
        if (g.low > g.high) return {};
        for (int k = 0; k < g.count; ++k) {
            const int i = static_cast<int>(moves.size());
            moves.append(g.value() + stacked.at(i) - tops.at(i));
        }
    }
    return moves;
}

CaptionRoom roomRightAndDown(const QRect& designed, const QList<QRect>& others, const QRect& client,
                             int gap) {
    CaptionRoom room;
    const QPoint far(client.left() + client.width() - gap, client.top() + client.height() - gap);
    room.bounds = QRect(designed.topLeft(),
                        QSize(std::max(0, far.x() - designed.left()), std::max(0, far.y() - designed.top())));
    for (const QRect& o : others) {
        const QRect taken = o.adjusted(-gap, -gap, gap, gap).intersected(room.bounds);
        if (!taken.isEmpty()) room.blocked.append(taken);
    }
    return room;
}

QRect roomSideways(const QRect& designed, const QList<QRect>& others, const QRect& client, int gap) {
    const int centre2 = 2 * designed.left() + designed.width();
    int left = client.left() + gap;
    int right = client.left() + client.width() - gap;
    for (const QRect& o : others) {
        if (o.top() >= designed.top() + designed.height() || o.top() + o.height() <= designed.top()) continue;
        if (2 * o.left() + o.width() < centre2) {
            left = std::max(left, o.left() + o.width() + gap);
        } else {
            right = std::min(right, o.left() - gap);
        }
    }
    const int width = std::min(centre2 - 2 * left, 2 * right - centre2);
    return centredOn(designed, std::max(designed.width(), width - ((centre2 - width) % 2 != 0 ? 1 : 0)));
}

} // namespace kinri::ui
