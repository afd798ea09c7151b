#include "ui/window_host.h"

#include "ui/common/announcer.h"

#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QShortcut>

namespace kinri::ui {

WindowHost::WindowHost(QMainWindow& main, QList<QShortcut*> menuKeys, std::function<void()> fitMenu)
    : main_(main), menuKeys_(std::move(menuKeys)), fitMenu_(std::move(fitMenu)),
      voice_(new Announcer(&main)) {}

// At the end the calculator windows go by themselves; nothing is handed back.
WindowHost::~WindowHost() {
    if (hosted_) hosted_->removeEventFilter(this);
}

void WindowHost::host(QWidget& calculator) {
    if (hosted_ == &calculator) return;
    if (hosted_) giveBack();
    menuTitle_ = main_.windowTitle();
    menuClient_.reset(main_.takeCentralWidget());
    main_.menuBar()->hide();
    for (QShortcut* key : menuKeys_)
        key->setEnabled(false); // F1 and F10 are the calculator's now
    hosted_ = &calculator;
    main_.setCentralWidget(&calculator);
    calculator.installEventFilter(this);
    calculator.show();
    main_.setWindowTitle(calculator.windowTitle());
    fit();
}

void WindowHost::announce() {
    if (hosted_) voice_->say(hosted_->windowTitle().trimmed());
}

void WindowHost::fit() {
    if (hosted_) main_.setFixedSize(hosted_->minimumSize());
}

void WindowHost::giveBack() {
    QWidget* calculator = hosted_;
    hosted_ = nullptr;
    calculator->removeEventFilter(this);
    main_.takeCentralWidget(); // the calculator window is a window of its own again, hidden
    QWidget* client = menuClient_.release();
    main_.setCentralWidget(client);
    client->show(); // hidden while it was out; the menu's size counts it only once shown
    main_.menuBar()->show();
    for (QShortcut* key : menuKeys_)
        key->setEnabled(true);
    main_.setWindowTitle(menuTitle_);
    fitMenu_();
    voice_->say(menuTitle_.trimmed());
}

// The calculator's Menu hides it: the main window shows its menu again. Its caption and size
// (a menu entry's, a table's width, a zoom) become the main window's.
bool WindowHost::eventFilter(QObject* watched, QEvent* event) {
    if (watched == hosted_) {
        if (event->type() == QEvent::Hide && hosted_->isHidden()) {
            giveBack();
        } else if (event->type() == QEvent::Resize) {
            fit();
        } else if (event->type() == QEvent::WindowTitleChange) {
            main_.setWindowTitle(hosted_->windowTitle());
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace kinri::ui
