#pragma once

#include <QWidget>

namespace kinri::ui {

// What a screen reader hears of the program beyond each control's name and caption.
//
// An Announcer is a voice for news that does not move the keyboard focus: a result written into
// a box the user is not on, a table filled. It is a notification no one sees (one pixel, never
// painted, never focused); each announcement shows it afresh with the words as its name, which
// assistive technology presents as it presents a desktop notification.
class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* window);
    void say(const QString& words);
};

// The program's own face to assistive technology, installed once: the application answers to
// 金利計算, and calculator windows are frames named by their caption.
void installAccessibility();

} // namespace kinri::ui
