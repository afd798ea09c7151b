#include "ui/common/line_edit_accessible.h"

#include <QLineEdit>
#include <QTextBoundaryFinder>

#include <algorithm>

namespace kinri::ui {
namespace {

// Where the pieces of `text` begin under a boundary type, and its length last: characters (as
// the eye sees them, a surrogate pair one), words (each from its start to the next word's), and
// for lines, sentences and paragraphs of a one-line box the whole text. Each walk takes at most
// one step a character and stops at the end, whatever the finder answers there.
QList<int> pieceStarts(const QString& text, QAccessible::TextBoundaryType type) {
    const auto n = static_cast<int>(text.size());
    QList<int> starts{0};
    if (n == 0) return starts;
    if (type == QAccessible::CharBoundary || type == QAccessible::WordBoundary) {
        const bool chars = type == QAccessible::CharBoundary;
        QTextBoundaryFinder finder(chars ? QTextBoundaryFinder::Grapheme : QTextBoundaryFinder::Word, text);
        int last = 0;
        for (int k = 0; k < n; ++k) {
            const auto p = static_cast<int>(finder.toNextBoundary());
            if (p <= last || p >= n) break;
            last = p;
            if (chars || finder.boundaryReasons().testFlag(QTextBoundaryFinder::StartOfItem))
                starts.push_back(p);
        }
    }
    starts.push_back(n);
    return starts;
}

} // namespace

LineEditAccessible::LineEditAccessible(QLineEdit* edit)
    : QAccessibleWidget(edit, QAccessible::EditableText) {}

QLineEdit* LineEditAccessible::edit() const {
    return static_cast<QLineEdit*>(widget());
}

void* LineEditAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State LineEditAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = edit()->isReadOnly();
    s.editable = !s.readOnly;
    s.selectableText = true;
    s.passwordEdit = edit()->echoMode() != QLineEdit::Normal;
    return s;
}

QString LineEditAccessible::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) return edit()->echoMode() == QLineEdit::Normal ? edit()->text() : QString();
    QString own = QAccessibleWidget::text(t);
    if (t == QAccessible::Name && own.isEmpty()) own = edit()->placeholderText();
    return own;
}

void LineEditAccessible::setText(QAccessible::Text t, const QString& text) {
    if (t != QAccessible::Value || edit()->isReadOnly()) return QAccessibleWidget::setText(t, text);
    edit()->setText(text);
}

void LineEditAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || !edit()->hasSelectedText()) return;
    *startOffset = static_cast<int>(edit()->selectionStart());
    *endOffset = *startOffset + static_cast<int>(edit()->selectionLength());
}

int LineEditAccessible::selectionCount() const {
    return edit()->hasSelectedText() ? 1 : 0;
}

void LineEditAccessible::addSelection(int startOffset, int endOffset) {
    setSelection(0, startOffset, endOffset);
}

void LineEditAccessible::removeSelection(int selectionIndex) {
    if (selectionIndex == 0) edit()->deselect();
}

void LineEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
    if (selectionIndex == 0) edit()->setSelection(startOffset, endOffset - startOffset);
}

int LineEditAccessible::cursorPosition() const {
    return edit()->cursorPosition();
}

void LineEditAccessible::setCursorPosition(int position) {
    edit()->setCursorPosition(position);
}

QString LineEditAccessible::text(int startOffset, int endOffset) const {
    if (startOffset > endOffset) return {};
    return text(QAccessible::Value).mid(startOffset, endOffset - startOffset);
}

QString LineEditAccessible::segment(int offset, QAccessible::TextBoundaryType type, int step, int* start,
                                    int* end) const {
    const QString t = text(QAccessible::Value);
    const auto n = static_cast<int>(t.size());
    offset = std::clamp(offset, 0, n);
    const QList<int> starts = pieceStarts(t, type);
    const auto pieces = static_cast<int>(starts.size()) - 1;
    // The piece at the offset; at the end there is no character, but the last word or line.
    int at = static_cast<int>(std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin()) - 1;
    if (offset == n) at = type == QAccessible::CharBoundary ? pieces : pieces - 1;
    const int j = at + step;
    if (j < 0 || j >= pieces) {
        *start = *end = j < 0 ? 0 : n;
        return {};
    }
    *start = starts[j];
    *end = starts[j + 1];
    return t.mid(*start, *end - *start);
}

QString LineEditAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int* startOffset, int* endOffset) const {
    return segment(offset, boundaryType, -1, startOffset, endOffset);
}

QString LineEditAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int* startOffset, int* endOffset) const {
    return segment(offset, boundaryType, 1, startOffset, endOffset);
}

QString LineEditAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                         int* startOffset, int* endOffset) const {
    return segment(offset, boundaryType, 0, startOffset, endOffset);
}

int LineEditAccessible::characterCount() const {
    return static_cast<int>(text(QAccessible::Value).size());
}

// Where a character is drawn, on the screen: along the box's text from its left edge.
QRect LineEditAccessible::characterRect(int offset) const {
    const QString t = text(QAccessible::Value);
    offset = std::clamp(offset, 0, static_cast<int>(t.size()));
    const QFontMetrics fm(edit()->font());
    const QRect inside = edit()->contentsRect().marginsRemoved(edit()->textMargins());
    const QRect r(inside.left() + fm.horizontalAdvance(t.left(offset)), inside.center().y() - fm.height() / 2,
                  fm.horizontalAdvance(t.mid(offset, 1)), fm.height());
    return {edit()->mapToGlobal(r.topLeft()), r.size()};
}

int LineEditAccessible::offsetAtPoint(const QPoint& point) const {
    return edit()->cursorPositionAt(edit()->mapFromGlobal(point));
}

void LineEditAccessible::scrollToSubstring(int startIndex, int) {
    edit()->setCursorPosition(startIndex);
}

// One look for the whole text, so a reader that reads a box run by run reads it to its end.
QString LineEditAccessible::attributes(int, int* startOffset, int* endOffset) const {
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void LineEditAccessible::deleteText(int startOffset, int endOffset) {
    replaceText(startOffset, endOffset, QString());
}

void LineEditAccessible::insertText(int offset, const QString& text) {
    replaceText(offset, offset, text);
}

void LineEditAccessible::replaceText(int startOffset, int endOffset, const QString& text) {
    if (edit()->isReadOnly() || startOffset < 0 || startOffset > endOffset) return;
    edit()->setText(edit()->text().replace(startOffset, endOffset - startOffset, text));
    edit()->setCursorPosition(startOffset + static_cast<int>(text.size()));
}

QAccessibleInterface* lineEditAccessible(const QString& className, QObject* object) {
    auto* edit = qobject_cast<QLineEdit*>(object);
    if (edit == nullptr || className != QLatin1String("QLineEdit")) return nullptr;
    return new LineEditAccessible(edit); // owned by Qt's registry
}

} // namespace kinri::ui
