#pragma once

#include <QAccessibleWidget>

class QLineEdit;

namespace kinri::ui {

// What assistive technology is told of a one-line text box (every input and result box, and the
// boxes of Qt's own dialogs): its text, caret and selection, and its text by character, word or
// line at any offset, the end included. Every answer is found in a bounded walk over the text: a
// screen reader asking for the word at the end of a box must never wait on the program (Qt's own
// answer for line edits loops for good there), and the whole text is one run of attributes, so a
// reader that reads a box by its runs hears its last character too.
class LineEditAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
public:
    explicit LineEditAccessible(QLineEdit* edit);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text t, const QString& text) override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                             int* endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                            int* endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int* startOffset,
                         int* endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    QLineEdit* edit() const;
    // The segment `step` segments away from the one at `offset` (-1 before, 0 at, 1 after).
    QString segment(int offset, QAccessible::TextBoundaryType type, int step, int* start, int* end) const;
};

// The interface for `object` where it is a QLineEdit, for an accessibility factory.
QAccessibleInterface* lineEditAccessible(const QString& className, QObject* object);

} // namespace kinri::ui
