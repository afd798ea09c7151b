#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>

#include <chrono>
#include <memory>
#include <utility>
#include <vector>

namespace kinri::ui {

class PrintService;
class PrintTicket;

// How a click's wait for its print job ended.
enum class WaitEnd { Done, TimedOut, ProgramEnds };

// A compute click waiting on the user-interface thread for its print job. Meanwhile the windows
// repaint and the window system is served, so a close request still ends the program at once;
// but nothing the user does starts anything: mouse clicks and wheel turns are dropped, and keys
// (and input-method text) are held, to reach their windows in the order typed once the click is
// over (when this object goes). After kBusyCursorDelay the cursor shows that the program is busy.
class PrintWait : public QObject {
    Q_OBJECT
public:
    // `endSignal`: the window's signal that the program is to end, e.g. programEndRequested.
    template <class Window, class Signal>
    PrintWait(PrintService& service, Window* window, Signal endSignal) : service_(service) {
        connect(window, endSignal, this, &PrintWait::programEnds);
    }
    ~PrintWait() override;

    WaitEnd until(const PrintTicket& ticket, std::chrono::steady_clock::time_point deadline);

    static constexpr std::chrono::milliseconds kBusyCursorDelay{300};

signals:
    void programEnds();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PrintService& service_;
    bool waiting_ = false;
    std::vector<std::pair<QPointer<QObject>, std::unique_ptr<QEvent>>> held_;
};

} // namespace kinri::ui
