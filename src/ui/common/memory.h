#pragma once

namespace kinri::ui {

// What the program has freed goes back to the system, not only to its heap, which would otherwise
// keep it for the program's life (after a long job, or a record emptied of long tables).
void returnFreedMemory();

} // namespace kinri::ui
