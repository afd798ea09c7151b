#include "ui/paper/print_wait.h"

#include "ui/paper/print_service.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>

namespace kinri::ui {
namespace {

// Input that would start something: dropped while a click waits.
bool startsSomething(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

// What was typed: held, and handed on after the click.
bool typed(QEvent::Type type) {
    return type == QEvent::KeyPress || type == QEvent::KeyRelease || type == QEvent::InputMethod;
}

} // namespace

WaitEnd PrintWait::until(const PrintTicket& ticket, std::chrono::steady_clock::time_point deadline) {
    if (ticket.done()) return WaitEnd::Done;
    QEventLoop loop;
    WaitEnd end = WaitEnd::TimedOut;
    bool ended = false;
    auto finish = [&](WaitEnd how) {
        if (ended) return;
        ended = true;
        end = how;
        loop.quit();
    };
    connect(&service_, &PrintService::jobDone, &loop, [&] {
        if (ticket.done()) finish(WaitEnd::Done);
    });
    connect(this, &PrintWait::programEnds, &loop, [&] { finish(WaitEnd::ProgramEnds); });
    QTimer bound;
    bound.setSingleShot(true);
    connect(&bound, &QTimer::timeout, &loop,
            [&] { finish(ticket.done() ? WaitEnd::Done : WaitEnd::TimedOut); });
    using std::chrono::milliseconds;
    const auto left = std::chrono::duration_cast<milliseconds>(deadline - std::chrono::steady_clock::now());
    bound.start(std::max(left, milliseconds(0)));
    QTimer busy;
    busy.setSingleShot(true);
    bool busyShown = false;
    connect(&busy, &QTimer::timeout, &loop, [&busyShown] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        busyShown = true;
    });
    busy.start(kBusyCursorDelay);

    qApp->installEventFilter(this);
    waiting_ = true;
    // The job may have ended between the first look and the connection.
    if (ticket.done()) finish(WaitEnd::Done);
    if (!ended) loop.exec();
    waiting_ = false;
    qApp->removeEventFilter(this);
    if (busyShown) QApplication::restoreOverrideCursor();
    // The loop also ends when the application is told to quit: the program ends.
    if (!ended) end = ticket.done() ? WaitEnd::Done : WaitEnd::ProgramEnds;
    if (end == WaitEnd::ProgramEnds) held_.clear(); // nothing is to start once the program ends
    return end;
}

PrintWait::~PrintWait() {
    if (held_.empty()) return;
    // Handed on from the event loop, after the click has returned, in the order typed. A key sent
    // to a window goes to whatever has the keyboard there by then, as if typed now.
    auto held = std::make_shared<decltype(held_)>(std::move(held_));
    QTimer::singleShot(0, qApp, [held] {
        for (auto& [receiver, event] : *held)
            if (receiver != nullptr) QCoreApplication::sendEvent(receiver, event.get());
    });
}

bool PrintWait::eventFilter(QObject* watched, QEvent* event) {
    if (!waiting_) return false;
    const QEvent::Type type = event->type();
    if (type == QEvent::ShortcutOverride) {
        // Not a shortcut now: the key comes as a plain key press, which is held.
        event->accept();
        return true;
    }
    if (typed(type)) {
        held_.emplace_back(watched, std::unique_ptr<QEvent>(event->clone()));
        return true;
    }
    return startsSomething(type);
}

} // namespace kinri::ui
