#include "ui/window_host.h"

#include "ui/common/announcer.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStyle>
#include <QWindow>

namespace kinri::ui {

WindowHost::WindowHost(QMainWindow& main, QList<QShortcut*> menuKeys, std::function<void()> fitMenu)
    : main_(main), menuKeys_(std::move(menuKeys)), fitMenu_(std::move(fitMenu)),
      voice_(new Announcer(&main)) {
    // Moving the focus (Tab, a mnemonic, a note's fix) scrolls its control into view.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (view_ != nullptr && now != nullptr && hosted_ && hosted_->isAncestorOf(now))
            view_->ensureWidgetVisible(now);
    });
}

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
    view_ = new QScrollArea;
    view_->setObjectName(QStringLiteral("HostedView"));
    view_->setFrameShape(QFrame::NoFrame);
    view_->setFocusPolicy(Qt::NoFocus);
    view_->setWidget(&calculator);
    main_.setCentralWidget(view_); // the main window owns it now
    view_->show();                 // at once, not when the layout gets round to it
    calculator.installEventFilter(this);
    calculator.show();
    main_.setWindowTitle(calculator.windowTitle());
    fit();
}

void WindowHost::announce() {
    if (hosted_) voice_->say(hosted_->windowTitle().trimmed());
}

void WindowHost::fit() {
    if (!hosted_) return;
    const QSize want = hosted_->minimumSize();
    const QScreen* screen = main_.screen();
    if (screen == nullptr) {
        main_.setFixedSize(want);
        return;
    }
    const QSize room = screen->availableGeometry().size() - (main_.frameGeometry().size() - main_.size());
    QSize size = want.boundedTo(room);
    // The scroll bar one way takes room the other.
    const int bar = view_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view_);
    if (size.height() < want.height()) size.setWidth(std::min(want.width() + bar, room.width()));
    if (size.width() < want.width()) size.setHeight(std::min(want.height() + bar, room.height()));
    // Each bar exactly when wanted: left to itself, a view whose bars came at a smaller size keeps
    // both, each needed for the room the other takes.
    const auto bars = [](bool on) { return on ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff; };
    view_->setVerticalScrollBarPolicy(bars(size.height() < want.height()));
    view_->setHorizontalScrollBarPolicy(bars(size.width() < want.width()));
    main_.setFixedSize(size);
}

void WindowHost::giveBack() {
    QWidget* calculator = hosted_;
    hosted_ = nullptr;
    calculator->removeEventFilter(this);
    view_->takeWidget(); // the calculator window is a window of its own again, hidden
    delete main_.takeCentralWidget();
    view_ = nullptr;
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
