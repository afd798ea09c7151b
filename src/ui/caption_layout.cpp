#include "ui/caption_layout.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <optional>

namespace kinri::ui {
namespace {

// Antialiasing darkens the pixels a glyph's outline passes through: ink keeps a pixel from the edges.
constexpr double kEdge = 1.0;
constexpr int kMostLines = 12;

// What one font makes of a caption: the x of every permitted break on one unbroken line, and the
// ink of each piece between two breaks around its baseline.
struct Measured {
    QFont font;
    QList<int> positions;   // 0, each break, the end
    QList<BreakKind> kinds; // kind of each break (positions[1] .. positions[n-2])
    QList<double> x;        // x of each position
    QList<double> inkTop;   // of each piece, from the baseline (< 0)
    QList<double> inkBottom;
    QList<double> inkLeft; // of each piece, from where its pen starts
    QList<double> inkRight;
    double lineSpacing = 0;
    double minGap = 0; // between one line's ink and the next one's

    int pieces() const { return static_cast<int>(positions.size()) - 1; }

    // Where the line of pieces [a, b) reaches, from its pen's start: its advance, or its ink where
    // a glyph's ink reaches out of its advance.
    std::pair<double, double> span(int a, int b) const {
        double left = 0, right = x[b] - x[a];
        for (int p = a; p < b; ++p) {
            left = std::min(left, x[p] - x[a] + inkLeft[p]);
            right = std::max(right, x[p] - x[a] + inkRight[p]);
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
    for (int p : m.positions)
        m.x.append(line.cursorToX(p));

    const QFontMetricsF fm(font, device);
    for (int i = 0; i < m.pieces(); ++i) {
        const QRectF ink =
            fm.tightBoundingRect(caption.text.mid(m.positions[i], m.positions[i + 1] - m.positions[i]));
        m.inkTop.append(std::min(ink.top(), 0.0));
        m.inkBottom.append(std::max(ink.bottom(), 0.0));
        m.inkLeft.append(ink.left());
        m.inkRight.append(ink.right());
    }
    m.lineSpacing = fm.lineSpacing();
    const double em = font.pointSizeF() * (device != nullptr ? device->logicalDpiY() : 96) / 72.0;
    m.minGap = std::max(2.0, em / 8.0); // a clear pixel row between lines, whatever the rounding
    return m;
}

// One way of breaking a caption into lines, and how it stacks them.
struct Breaking {
    QList<int> starts; // index into Measured::positions where each line begins; then the end
    int wordBreaks = 0;
    double badness = 0;
    double widest = 0;
    QList<double> inkTop, inkBottom; // of each line
    QList<double> left, right;       // of each line, from its pen's start
    double minPitch = 0;             // the least pitch that keeps the lines' ink apart
    double pitch = 0;                // the font's own pitch, or more where the ink needs it

    int lines() const { return static_cast<int>(starts.size()) - 1; }
    // Height of a label that shows these lines at `p` from baseline to baseline.
    double heightAt(double p) const {
        return 2 * kEdge - inkTop.front() + p * (lines() - 1) + inkBottom.back();
    }
};

Breaking stack(const Measured& m, QList<int> starts, int wordBreaks, double badness) {
    Breaking b;
    b.starts = std::move(starts);
    b.wordBreaks = wordBreaks;
    b.badness = badness;
    for (int i = 0; i < b.lines(); ++i) {
        double top = 0, bottom = 0;
        for (int piece = b.starts[i]; piece < b.starts[i + 1]; ++piece) {
            top = std::min(top, m.inkTop[piece]);
            bottom = std::max(bottom, m.inkBottom[piece]);
        }
        b.inkTop.append(top);
        b.inkBottom.append(bottom);
        const auto [left, right] = m.span(b.starts[i], b.starts[i + 1]);
        b.left.append(left);
        b.right.append(right);
        b.widest = std::max(b.widest, right - left);
    }
    double reach = 0; // from one baseline down to the next line's highest ink
    for (int i = 0; i + 1 < b.lines(); ++i)
        reach = std::max(reach, b.inkBottom[i] - b.inkTop[i + 1]);
    b.minPitch = reach + m.minGap;
    b.pitch = std::max(m.lineSpacing, b.minPitch);
    return b;
}

// The best way to break the caption into lines no wider than `width` that stack into `height`:
// fewest breaks inside a compound noun, then fewest lines, then the most evenly filled lines.
std::optional<Breaking> breakLines(const Measured& m, double width, double height) {
    const int n = m.pieces();
    struct Cell {
        bool reached = false;
        int wordBreaks = 0;
        double badness = 0;
        int from = -1;
    };
    // cell[k][b]: the first b pieces laid out in k lines.
    std::vector<std::vector<Cell>> cell(kMostLines + 1, std::vector<Cell>(static_cast<std::size_t>(n + 1)));
    cell[0][0].reached = true;
    std::optional<Breaking> best;
    for (int k = 1; k <= kMostLines; ++k) {
        for (int b = 1; b <= n; ++b) {
            Cell& here = cell[k][b];
            for (int a = b - 1; a >= 0; --a) {
                if (m.x[b] - m.x[a] > width + 0.01) break; // wider still as `a` moves left
                const auto [left, right] = m.span(a, b);
                const double w = right - left;
                if (w > width + 0.01) continue;
                const Cell& before = cell[k - 1][a];
                if (!before.reached) continue;
                const int words = before.wordBreaks + (a > 0 && m.kinds[a - 1] == BreakKind::Word ? 1 : 0);
                const double slack = b == n ? 0.0 : width - w;
                const double badness = before.badness + slack * slack;
                if (!here.reached || words < here.wordBreaks ||
                    (words == here.wordBreaks && badness < here.badness))
                    here = {true, words, badness, a};
            }
        }
        const Cell& whole = cell[k][n];
        if (!whole.reached || (best && whole.wordBreaks >= best->wordBreaks)) continue;
        QList<int> starts{n};
        for (int line = k, b = n; line > 0; --line) {
            b = cell[line][b].from;
            starts.prepend(b);
        }
        Breaking candidate = stack(m, starts, whole.wordBreaks, whole.badness);
        if (candidate.heightAt(candidate.minPitch) <= height + 1e-6) best = candidate;
    }
    return best;
}

// The caption drawn in `geometry` with the chosen breaks.
CaptionLayout finish(const CaptionText& caption, const Measured& m, const Breaking& b, const QRect& geometry,
                     bool centred, QPaintDevice* device) {
    CaptionLayout out;
    out.font = m.font;
    out.geometry = geometry;
    out.centred = centred;
    out.wordBreaks = b.wordBreaks;
    out.inkTops = b.inkTop;
    out.inkBottoms = b.inkBottom;
    out.lineGap = m.minGap;
    const QFontMetricsF fm(m.font, device);
    for (int i = 0; i < b.lines(); ++i) {
        const int from = m.positions[b.starts[i]];
        const int to = m.positions[b.starts[i + 1]];
        out.lineStarts.append(from);
        out.lines.append(caption.text.mid(from, to - from));
        out.lineWidths.append(fm.horizontalAdvance(out.lines.last()));
        out.inkLefts.append(b.left[i]);
        out.inkRights.append(b.right[i]);
    }
    const double height = geometry.height();
    out.pitch = b.pitch;
    if (b.lines() > 1 && b.heightAt(out.pitch) > height)
        out.pitch = std::max(b.minPitch, out.pitch - (b.heightAt(out.pitch) - height) / (b.lines() - 1));
    const double block = b.heightAt(out.pitch) - 2 * kEdge;
    const double top = centred ? std::max(kEdge, (height - block) / 2) : kEdge;
    out.firstBaseline = top - b.inkTop.front();

    double widest = 0;
    for (int i = 0; i < b.lines(); ++i)
        widest = std::max(widest, out.lineWidths[i] - b.left[i]);
    widest = std::max(widest, b.widest);
    const double floorPx = kSmallestCaptionPoints * (device != nullptr ? device->logicalDpiY() : 96) / 72.0;
    out.fits = widest <= geometry.width() + 1e-6 &&
               out.baseline(b.lines() - 1) + b.inkBottom.back() <= height - kEdge + 1e-6 &&
               fm.horizontalAdvance(QChar(0x56FD)) >= floorPx - 0.01; // 国, a full-width character
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

double CaptionLayout::lineLeft(int line) const {
    const double reach = std::max(lineWidths.at(line), inkRights.at(line)) - inkLefts.at(line);
    return (centred ? (geometry.width() - reach) / 2 : 0.0) - inkLefts.at(line);
}

CaptionLayout layoutCaption(const CaptionText& caption, const QFont& designFont, const QRect& designed,
                            const QRect& room, CaptionGrowth growth, QPaintDevice* device) {
    const bool sideways = growth == CaptionGrowth::Sideways;
    // A label may have to draw in less than its designed rectangle where another control covers it.
    const QRect own = sideways ? designed : designed.intersected(room);
    const QRect widest = sideways ? room.united(designed) : room;

    if (caption.text.isEmpty()) {
        CaptionLayout out;
        out.font = designFont;
        out.geometry = own;
        out.centred = sideways;
        out.fits = true;
        return out;
    }

    struct Candidate {
        Breaking breaking;
        QRect geometry;
    };
    std::optional<CaptionLayout> fallback;
    for (double points = designFont.pointSizeF(); points >= kSmallestCaptionPoints - 1e-9; points -= 0.25) {
        QFont font = designFont;
        font.setPointSizeF(points);
        const Measured m = measure(caption, font, device);
        const int pad = sideways ? static_cast<int>(std::ceil(m.minGap)) : 0;
        std::optional<Candidate> chosen;
        const auto consider = [&](int width, int height, auto geometryFor) {
            const auto b = breakLines(m, width - 2 * pad, height);
            if (b && (!chosen || b->wordBreaks < chosen->breaking.wordBreaks))
                chosen = Candidate{*b, geometryFor(*b)};
        };
        {
            consider(own.width(), own.height(), [&](const Breaking&) { return own; });
            if (sideways) {
                consider(widest.width(), own.height(), [&](const Breaking& b) {
                    const int needed = static_cast<int>(std::ceil(b.widest)) + 2 * pad;
                    const QRect g =
                        centredOn(designed, std::min(widest.width(), std::max(designed.width(), needed)));
                    return g.width() > widest.width() ? widest : g;
                });
            } else {
                const auto grown = [&](int width) {
                    return [&own, width](const Breaking& b) {
                        const int needed = static_cast<int>(std::ceil(b.heightAt(b.pitch) - 1e-6));
                        return QRect(own.topLeft(), QSize(width, std::max(own.height(), needed)));
                    };
                };
                consider(own.width(), widest.height(), grown(own.width()));
                consider(widest.width(), widest.height(), [&](const Breaking& b) {
                    const int w = std::max(own.width(), static_cast<int>(std::ceil(b.widest)));
                    return grown(std::min(w, widest.width()))(b);
                });
            }
        }
        if (chosen) {
            QRect g = chosen->geometry;
            if (!sideways) g = g.intersected(widest.united(own));
            CaptionLayout out = finish(caption, m, chosen->breaking, g, sideways, device);
            if (out.fits) return out;
            if (!fallback) fallback = out;
        }
    }
    if (fallback) return *fallback;

    // Nothing fits even at the smallest size: every line at that size, as many as the width
    // needs, drawn in the whole room and cut at its edge; the label carries the caption whole in
    // its tooltip.
    QFont font = designFont;
    font.setPointSizeF(std::min(designFont.pointSizeF(), kSmallestCaptionPoints));
    const Measured m = measure(caption, font, device);
    const auto best = breakLines(m, widest.width(), 1e6);
    const Breaking b = best ? *best : stack(m, {0, m.pieces()}, 0, 0);
    CaptionLayout out = finish(caption, m, b, sideways ? designed : widest, sideways, device);
    out.fits = false;
    return out;
}

QRect roomRightAndDown(const QRect& designed, const QList<QRect>& others, const QRect& client, int gap) {
    const int left = designed.left();
    const int top = designed.top();
    const int bottom = designed.top() + designed.height();
    int right = client.left() + client.width() - gap;
    int floor = client.top() + client.height() - gap;
    // Beside the label: whatever starts right of it within its designed height.
    for (const QRect& o : others)
        if (o.left() > left && o.top() < bottom && o.top() + o.height() > top)
            right = std::min(right, o.left() - gap);
    // Below it: whatever starts lower down across the width it may take.
    for (const QRect& o : others)
        if (o.top() > top && o.left() < right && o.left() + o.width() > left)
            floor = std::min(floor, o.top() - gap);
    return QRect(left, top, std::max(0, right - left), std::max(0, floor - top));
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
