#include "compute/app_state.h"

namespace kinri {

void AppState::reset() {
    codes_.fill(0);
    printAfterCalc_ = 0;
}

void AppState::returnToMenu(const WindowInfo& window) {
    for (CalcFamily f : window.menuResets)
        codes_.at(index(f)) = 0;
    printAfterCalc_ = 0;
}

} // namespace kinri
