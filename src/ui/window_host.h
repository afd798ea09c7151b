#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QMainWindow;
class QScrollArea;

namespace kinri::ui {
class Announcer;
}
class QShortcut;

namespace kinri::ui {

// Where the compositor places windows and the program may not (Wayland), a window hidden and shown
// again lands wherever the compositor likes, and a new one wherever it likes: swapping the main
// window for a calculator window would move the program about the screen at every Menu. There the
// main window stays on the screen and hosts each calculator window in turn, in place of its menu
// bar and client, with its caption, icon and size; the swap is a change of what the one window
// shows, and the compositor keeps it where the user put it. A screen reader, which hears no new
// window come, is told the caption of what appears.
//
// The client knows the output's size but not where on it the compositor put the window, and
// cannot move it. A calculator taller or wider than the output (a long table on a small screen at
// a large scale) would run off it for good: the window then takes no more than the output and
// scrolls the calculator, the control with the focus always in view.
class WindowHost : public QObject {
    Q_OBJECT
public:
    // `menuKeys` belong to the menu and rest while a calculator is shown; `fitMenu` sizes the main
    // window for its menu again.
    WindowHost(QMainWindow& main, QList<QShortcut*> menuKeys, std::function<void()> fitMenu);
    ~WindowHost() override;

    // Shows `calculator` in the main window. It hands the main window back when it is hidden.
    void host(QWidget& calculator);
    QWidget* hosted() const { return hosted_; }
    // The main window as large as the calculator it shows, within the output.
    void fit();
    // Tells a screen reader the caption of the calculator now shown.
    void announce();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void giveBack();

    QMainWindow& main_;
    QList<QShortcut*> menuKeys_;
    std::function<void()> fitMenu_;
    QString menuTitle_;
    std::unique_ptr<QWidget> menuClient_; // the menu's client while a calculator is shown
    QScrollArea* view_ = nullptr;         // the client while a calculator is shown
    QPointer<QWidget> hosted_;
    Announcer* voice_; // says which window the one window has become; a child of it
};

} // namespace kinri::ui
