#pragma once

// Answers the program's modal message boxes the way a user would, so that GUI tests can drive
// handlers that wait in one, and tells which boxes came up.

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QStringList>

#include <vector>

namespace kinri::test {

// The program's message boxes, told apart by title, text, icon and buttons all together.
enum class BoxKind { InputRequired, CalculationError, PrintQuestion, Version, NoScheduleYet, Unknown };

// "input required", "calculation error", "print question", "version" or "unknown".
QString boxName(BoxKind kind);

struct SeenBox {
    QString title;
    QString text;
    QString details; // under 「詳細」
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QWidget* parent = nullptr;
    int width = 0;         // as shown
    bool answered = false; // false: it asked a question nobody had an answer for

    BoxKind kind() const;
    // Its kind's name, or the whole box when it is none of the program's.
    QString name() const;
};

// While it lives, every modal message box is answered from inside its own event loop: a box
// with only OK is acknowledged, a box with a choice takes the next answer queued with answer().
// A key queued with pressKey() answers the next box of any kind instead, typed into the box once
// it is the active window, as a keyboard user answers. A box with a choice and no answer, or one
// that a key did not close, is closed unanswered, and any other modal window is closed and
// counted, so that a test fails instead of hanging.
class MessageBoxAnswerer : public QObject {
public:
    MessageBoxAnswerer();
    ~MessageBoxAnswerer() override;

    // The button to press in the next box that asks a question.
    void answer(QMessageBox::StandardButton button) { answers_.enqueue({button, Qt::Key_unknown}); }
    // The key to press in the next box.
    void pressKey(Qt::Key key) { answers_.enqueue({QMessageBox::NoButton, key}); }

    // The boxes seen since the last take; unused answers are dropped. take() names them (see
    // SeenBox::name, with "UNANSWERED " in front of a box left unanswered).
    std::vector<SeenBox> takeSeen();
    QStringList take();

    int strayModals = 0; // modal windows that were not message boxes

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Answer {
        QMessageBox::StandardButton button;
        Qt::Key key; // Qt::Key_unknown: press the button
    };

    void handle(QWidget* modal);

    QQueue<Answer> answers_;
    std::vector<SeenBox> seen_;
};

} // namespace kinri::test
