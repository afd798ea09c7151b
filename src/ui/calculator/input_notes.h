#pragma once

#include <QFrame>
#include <QLabel>

class QPushButton;
class QShortcut;
class QToolButton;

namespace kinri::ui {

// The two notes an input box may carry, both drawn inside the window beside the box, in the
// colours of the desktop's tooltips, and neither ever blocking: the reading of a rate or count box
// while it has the focus, and the hint at the usual mistake in a rate box after 計算.

// 「1期あたり 0.125 %（毎月なら年 1.5 %）」 under the focused box. The mouse goes through it to
// whatever it covers.
class InputReading : public QLabel {
    Q_OBJECT
public:
    explicit InputReading(QWidget* window);
    // Shows `text` beside `box` and clear of its caption, or hides the note for an empty text.
    void showFor(QWidget* box, const QWidget* caption, const QString& text);

protected:
    void hideEvent(QHideEvent* event) override;
};

// 「5 は 1期 500 % として計算します。5 % のつもりなら 0.05」 with a button that puts the likely
// meaning into the box, and one that closes the note.
class InputHint : public QFrame {
    Q_OBJECT
public:
    explicit InputHint(QWidget* window);
    void showFor(QWidget* box, const QWidget* caption, const QString& message, const QString& suggestion);

signals:
    void applied(const QString& suggestion);

protected:
    void hideEvent(QHideEvent* event) override;

private:
    QLabel* message_ = nullptr;
    QPushButton* apply_ = nullptr;
    QToolButton* close_ = nullptr;
    QShortcut* escape_ = nullptr; // closes the hint while it shows
    QString suggestion_;
};

// Puts `note` (at most as wide as its window allows) beside `box`: right-aligned with it, below
// it when `below`, otherwise above, wherever that covers none of the window's captions, boxes and
// buttons; where neither does, below all of them, the window growing to hold it (and shrinking
// back when the note goes, giveRoomBack).
void placeBeside(QWidget* note, const QWidget* box, const QWidget* caption, bool below);
void giveRoomBack(QWidget* note);

} // namespace kinri::ui
