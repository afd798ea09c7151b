#pragma once

class QWidget;

namespace kinri::ui {

// Every window is placed on its screen when it loads: centred horizontally, one third of the
// free height above it (placeWindow, worked out in twips from the window's outer size).
void placeOnScreen(QWidget& window);

} // namespace kinri::ui
