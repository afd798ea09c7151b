#pragma once

#include <QRect>

class QWidget;

namespace kinri::ui {

// Every window is placed on its screen when it loads: centred horizontally, one third of the
// free height above it (placeWindow, worked out in twips from the window's outer size).
void placeOnScreen(QWidget& window);

// Whether the window system lets the program place its windows (X11, Windows); on Wayland the
// compositor alone does.
bool programPlacesWindows();

// A window of fixed size offers no maximise: its frame keeps its title, system menu, minimise and
// close, on every platform; where Qt draws the decorations itself and offers maximise anyway
// (Wayland), maximising is refused at once (refuseMaximise, for a dialog as well).
void withoutMaximise(QWidget& window);
void refuseMaximise(QWidget& window);

// The narrowest a window may be for its title to show whole where Qt draws the title bar itself
// (on Wayland, unless the compositor decorates); 0 where the window system draws it.
int titleBarWidth(const QWidget& window);

// Moves `window`, grown larger, back inside its screen's free area where it now reaches out of it.
void keepOnScreen(QWidget& window);

// Where a window of outer size `size` goes so that it covers as little as it can of the window
// whose outer rectangle is `beside`, `gap` pixels away: right of it, else left, else below, else
// above; when each of those would cover part of it, the one that covers least. Inside `area`
// (the screen's free area), no larger than it.
// A window narrowed or shortened to a side's room stays at least `minimum` (half its size when
// not given), so a place it cannot take is not chosen for it.
QRect placeBeside(QSize size, const QRect& beside, const QRect& area, int gap, QSize minimum = {});

// Gives `window` its preferred size (`preferred`, else its size hint), or less on a small screen,
// and places it beside the window `beside` on that window's screen: a window opened from the one
// the user is working in (help, a schedule, the record) should leave that window readable.
void placeBeside(QWidget& window, const QWidget& beside, QSize preferred = {});

} // namespace kinri::ui
