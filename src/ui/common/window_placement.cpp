#include "ui/common/window_placement.h"

#include "ui/common/twips.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <array>
#include <cstdint>

namespace kinri::ui {
namespace {

// The gap between two windows placed side by side.
constexpr int kWindowGapTwips = 120;

const QScreen* screenOf(const QWidget& window) {
    return window.screen() != nullptr ? window.screen() : QGuiApplication::primaryScreen();
}

std::int64_t coveredArea(const QRect& a, const QRect& b) {
    const QRect common = a.intersected(b);
    return common.isEmpty() ? 0 : std::int64_t{common.width()} * common.height();
}

// `r` moved (not resized) into `area`; a rectangle larger than the area keeps its top left inside.
QRect movedInto(QRect r, const QRect& area) {
    r.moveLeft(std::max(area.left(), std::min(r.left(), area.left() + area.width() - r.width())));
    r.moveTop(std::max(area.top(), std::min(r.top(), area.top() + area.height() - r.height())));
    return r;
}

} // namespace

void placeOnScreen(QWidget& window) {
    const QScreen* screen = screenOf(window);
    if (screen == nullptr) return;
    const double dpi = window.logicalDpiY();
    const QRect area = screen->geometry();
    const QSize outer = window.frameGeometry().size();
    const WindowPosition pos =
        placeWindow(pixelsToTwips(area.width(), dpi), pixelsToTwips(area.height(), dpi),
                    pixelsToTwips(outer.width(), dpi), pixelsToTwips(outer.height(), dpi));
    window.move(area.topLeft() + QPoint(twipsToPixels(pos.left, dpi), twipsToPixels(pos.top, dpi)));
}

bool programPlacesWindows() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

namespace {

// Where the compositor draws no decorations (Wayland), Qt draws its own, with a maximise button on
// every window whatever its flags, and its request goes out at once. A window of fixed size that
// the compositor then configures maximised cannot take the size it is given, which is a protocol
// error that ends the program. So when the request goes out the window may take any size; once the
// compositor has made it maximised it is restored at once, and when it is back it is held to its
// own size again. (The request cannot be taken back before the compositor answers it.)
class MaximiseRefusal : public QObject {
public:
    explicit MaximiseRefusal(QWidget& window) : QObject(&window), window_(window) {
        window.installEventFilter(this);
        watch();
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::WinIdChange || event->type() == QEvent::Show) watch();
        if (event->type() == QEvent::WindowStateChange && held_) {
            if (large(window_.windowState())) {
                // Asked of the compositor, which sizes it back; the widget would size itself at once.
                QTimer::singleShot(0, this, [this] {
                    if (QWindow* handle = window_.windowHandle())
                        handle->setWindowStates(handle->windowStates() & ~kLarge);
                });
            } else {
                held_ = false; // back: its own size again
                window_.setMinimumSize(minimum_);
                window_.setMaximumSize(maximum_);
                if (QLayout* layout = window_.layout()) layout->setSizeConstraint(constraint_);
            }
        }
        return false;
    }

private:
    static constexpr Qt::WindowStates kLarge = Qt::WindowMaximized | Qt::WindowFullScreen;
    static bool large(Qt::WindowStates states) { return (states & kLarge) != 0; }

    void watch() {
        QWindow* handle = window_.windowHandle();
        if (handle == nullptr || handle == watched_) return;
        watched_ = handle;
        connect(handle, &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
            if (!large(state) || held_) return;
            held_ = true;
            minimum_ = window_.minimumSize();
            maximum_ = window_.maximumSize();
            if (QLayout* layout = window_.layout()) { // a layout that holds its window to its size
                constraint_ = layout->sizeConstraint();
                layout->setSizeConstraint(QLayout::SetDefaultConstraint);
            }
            window_.setMinimumSize(0, 0);
            window_.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        });
    }

    QWidget& window_;
    QPointer<QWindow> watched_;
    bool held_ = false; // between a request to maximise and the window's return
    QSize minimum_, maximum_;
    QLayout::SizeConstraint constraint_ = QLayout::SetDefaultConstraint;
};

} // namespace

void refuseMaximise(QWidget& window) {
    if (programPlacesWindows()) return; // a window manager leaves a window without maximise as it is
    constexpr const char* kRefused = "kinriRefusesMaximise";
    if (window.property(kRefused).toBool()) return;
    window.setProperty(kRefused, true);
    new MaximiseRefusal(window); // owned by the window
}

void withoutMaximise(QWidget& window) {
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint);
    refuseMaximise(window);
}

// Qt's own title bar centres the title over the whole window, frame included (3 pixels each side),
// as laid out in the application's font, but draws it 14 pixels high, and cuts it 77 pixels short
// of the right edge, where its three buttons are: the window must be 154 pixels wider than the
// title drawn, plus what drawing it larger than laid out moves its end to the right.
int titleBarWidth(const QWidget& window) {
    if (programPlacesWindows()) return 0;
    constexpr int kButtons = 77, kFrame = 3, kTitlePixels = 14;
    const QString title = window.windowTitle();
    QFont drawn = QGuiApplication::font();
    drawn.setPixelSize(kTitlePixels);
    const int laidOut = QFontMetrics(QGuiApplication::font()).horizontalAdvance(title);
    const int shown = QFontMetrics(drawn).horizontalAdvance(title);
    return 2 * kButtons + 2 * shown - laidOut - 2 * kFrame + 2;
}

void keepOnScreen(QWidget& window) {
    const QScreen* screen = screenOf(window);
    if (screen == nullptr || !window.isVisible() || !window.isWindow()) return;
    const QRect outer = window.frameGeometry();
    const QRect inside = movedInto(outer, screen->availableGeometry());
    if (inside.topLeft() != outer.topLeft()) window.move(inside.topLeft());
}

QRect placeBeside(QSize size, const QRect& beside, const QRect& area, int gap, QSize minimum) {
    size = size.boundedTo(area.size());
    const QSize least = (minimum.isValid() ? minimum : size / 2).boundedTo(size);
    // Free room on each side of `beside`, and the places tried there in this order of preference:
    // right, left, below, above. Each may narrow (or shorten) the window to that room, down to
    // its least size.
    const int right = area.left() + area.width() - (beside.left() + beside.width() + gap);
    const int left = beside.left() - gap - area.left();
    const int below = area.top() + area.height() - (beside.top() + beside.height() + gap);
    const int above = beside.top() - gap - area.top();
    const auto narrowed = [&](int room) { return std::min(size.width(), std::max(least.width(), room)); };
    const auto shortened = [&](int room) { return std::min(size.height(), std::max(least.height(), room)); };
    const int wr = narrowed(right), wl = narrowed(left), hb = shortened(below), ha = shortened(above);
    const std::array<QRect, 4> tries{
        QRect(beside.left() + beside.width() + gap, beside.top(), wr, size.height()),
        QRect(beside.left() - gap - wl, beside.top(), wl, size.height()),
        QRect(beside.left(), beside.top() + beside.height() + gap, size.width(), hb),
        QRect(beside.left(), beside.top() - gap - ha, size.width(), ha),
    };
    // The largest place that leaves `beside` uncovered; when every one covers part of it, the one
    // that covers least.
    QRect best;
    std::int64_t bestCovered = 0, bestArea = 0;
    for (const QRect& t : tries) {
        const QRect r = movedInto(t, area);
        const std::int64_t covered = coveredArea(r, beside);
        const std::int64_t own = std::int64_t{r.width()} * r.height();
        if (best.isNull() || covered < bestCovered || (covered == bestCovered && own > bestArea)) {
            best = r;
            bestCovered = covered;
            bestArea = own;
        }
    }
    return best;
}

void placeBeside(QWidget& window, const QWidget& beside, QSize preferred) {
    const QScreen* screen = screenOf(beside);
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    // A window not yet shown has no frame of its own yet; it will get one like its neighbour's.
    const QRect inner = beside.geometry();
    const QRect outer = beside.frameGeometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    const QSize size = preferred.isValid() ? preferred : window.sizeHint();
    const QSize least =
        window.minimumSizeHint().expandedTo(window.minimumSize()).expandedTo(size / 2).boundedTo(size);
    const QRect place =
        placeBeside(size.grownBy(frame), outer, area, twipsToPixels(kWindowGapTwips, beside.logicalDpiY()),
                    least.grownBy(frame));
    // No narrower than the window can be; moved back inside the screen if that makes it stick out.
    QRect inside = place.marginsRemoved(frame);
    inside.setSize(inside.size().expandedTo(window.minimumSizeHint()).expandedTo(window.minimumSize()));
    // Position and size of the inside in one step; the window manager puts the frame round it.
    window.setGeometry(movedInto(inside.marginsAdded(frame), area).marginsRemoved(frame));
}

} // namespace kinri::ui
