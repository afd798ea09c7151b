#include "ui/captions/caption_label.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace kinri::ui {

CaptionLabel::CaptionLabel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setWordWrap(true);
}

void CaptionLabel::setCaption(const CaptionText& caption) {
    if (caption_.text == caption.text && caption_.breaks.size() == caption.breaks.size() &&
        std::equal(
            caption_.breaks.begin(), caption_.breaks.end(), caption.breaks.begin(),
            [](const CaptionBreak& a, const CaptionBreak& b) { return a.at == b.at && a.kind == b.kind; }))
        return;
    caption_ = caption;
    laidOut_ = false;
    setText(caption.text);
}

void CaptionLabel::setDesignedGeometry(const QRect& designed) {
    if (designed_ != designed) laidOut_ = false;
    designed_ = designed;
    if (!laidOut_) setGeometry(designed);
}

void CaptionLabel::fitInto(const CaptionRoom& room) {
    if (laidOut_ && room.bounds == room_.bounds && room.blocked == room_.blocked && font() == laidOutFont_)
        return;
    room_ = room;
    laidOutFont_ = font();
    layout_ = layoutCaption(caption_, font(), designed_, room, growth_, this);
    laidOut_ = true;
    setGeometry(layout_.geometry);
    // A caption that runs wider below a neighbour draws nothing in the neighbour's corner of its
    // rectangle, and stays under the neighbour there. (No mask: a masked widget costs a third of a
    // millisecond more to show.)
    if (!layout_.blocked.isEmpty()) lower();
    setToolTip(layout_.fits ? QString() : caption_.text);
    update();
}

void CaptionLabel::moveDown(int dy, const QList<QRect>& taken) {
    layout_ = movedDown(layout_, dy, taken);
    setGeometry(layout_.geometry);
    if (!layout_.blocked.isEmpty()) lower();
    update();
}

QRegion CaptionLabel::area() const {
    QRegion area(geometry());
    for (const QRect& b : layout_.blocked)
        area -= b.translated(pos());
    return area;
}

void CaptionLabel::paintEvent(QPaintEvent*) {
    if (!laidOut_) return;
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    painter.setFont(layout_.font);
    painter.setClipRect(rect());
    for (int i = 0; i < layout_.lines.size(); ++i)
        painter.drawText(QPointF(layout_.lineLeft(i), layout_.firstBaseline + i * layout_.pitch),
                         layout_.lines.at(i));
}

void CaptionLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
    QLabel::mouseReleaseEvent(event);
}

namespace {

// The captions of `beside` centred on their boxes, kept `gap` pixels from `fixed` (the other
// controls and reserved places), from the labels not centred and from the window's edge.
void centreOnBoxes(const QList<CaptionBeside>& beside, const QList<CaptionLabel*>& labels,
                   const QList<QRect>& fixed, const QRect& client, int gap) {
    QList<CaptionBeside> column;
    for (const CaptionBeside& b : beside)
        if (!b.caption->isHidden() && !b.box->isHidden() && !b.caption->captionLayout().lines.isEmpty())
            column.append(b);
    std::sort(column.begin(), column.end(), [](const CaptionBeside& a, const CaptionBeside& b) {
        return a.box->geometry().center().y() < b.box->geometry().center().y();
    });
    QList<QRect> taken;
    for (const QRect& f : fixed)
        taken.append(f.adjusted(-gap, -gap, gap, gap));
    for (CaptionLabel* label : labels)
        if (std::none_of(column.begin(), column.end(),
                         [&](const CaptionBeside& b) { return b.caption == label; }))
            taken.append(label->area().boundingRect().adjusted(-gap, -gap, gap, gap));

    QList<ColumnCaption> captions;
    for (const CaptionBeside& b : column) {
        const CaptionLayout& l = b.caption->captionLayout();
        const QRectF ink = l.inkBox().translated(l.geometry.topLeft());
        const auto [up, down] = verticalRoom(l, taken, client.adjusted(gap, gap, -gap, -gap));
        const QRect box = b.box->geometry();
        // Two thirds of a line between two captions, and twice what lines of one keep at least.
        const double space = std::max(2 * l.lineSpace(), 2 * l.pitch / 3);
        captions.append({ink.top(), ink.bottom(), box.top() + box.height() / 2.0, up, down,
                         std::max(gap, static_cast<int>(std::ceil(space)))});
    }
    const QList<int> moves = centringMoves(captions);
    for (int i = 0; i < moves.size(); ++i)
        column.at(i).caption->moveDown(moves.at(i), taken);
}

} // namespace

void fitCaptions(QWidget* window, const QList<QRect>& reserved, int gap, const QList<CaptionBeside>& beside) {
    QList<CaptionLabel*> labels;
    QList<QRect> fixed;   // the other controls
    QList<QRect> buttons; // a caption keeps twice the distance from a button's raised frame
    for (QObject* child : window->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w == nullptr || w->isHidden()) continue;
        if (auto* label = qobject_cast<CaptionLabel*>(w)) {
            labels.append(label);
        } else {
            fixed.append(w->geometry());
            if (qobject_cast<QAbstractButton*>(w) != nullptr)
                buttons.append(w->geometry().adjusted(-gap, -gap, gap, gap));
        }
    }
    const QRect client = window->rect();

    // Centred labels first: they only widen between their neighbours, and then stand in the way
    // of the others at the widest they may become.
    QList<QRect> held = reserved;
    for (CaptionLabel* label : labels) {
        if (label->growth() != CaptionGrowth::Sideways) continue;
        const QRect room = roomSideways(label->designedGeometry(), fixed, client, gap);
        label->fitInto({room, {}});
        held.append(room);
    }
    fixed.append(held);
    fixed.append(buttons);

    // Each other label stands in the way of its neighbours with its designed rectangle, cut back
    // where something right of it begins, so that two designed rectangles that overlap (a column
    // head over the next one's corner) do not shut each other in.
    QList<QRect> standing;
    for (CaptionLabel* label : labels) {
        if (label->growth() == CaptionGrowth::Sideways) continue;
        QRect cut = label->designedGeometry();
        QList<QRect> others = fixed;
        for (CaptionLabel* other : labels)
            if (other != label && other->growth() != CaptionGrowth::Sideways)
                others.append(other->designedGeometry());
        for (const QRect& o : others)
            if (o.left() > cut.left() && o.top() <= cut.bottom() && o.bottom() >= cut.top())
                cut.setRight(std::min(cut.right(), o.left() - gap - 1));
        standing.append(cut);
    }
    int k = 0;
    for (CaptionLabel* label : labels) {
        if (label->growth() == CaptionGrowth::Sideways) continue;
        QList<QRect> others = fixed;
        for (int j = 0; j < standing.size(); ++j)
            if (j != k) others.append(standing.at(j));
        label->fitInto(roomRightAndDown(label->designedGeometry(), others, client, gap));
        ++k;
    }
    centreOnBoxes(beside, labels, fixed, client, gap);
}

} // namespace kinri::ui
