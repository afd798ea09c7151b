#pragma once

// What the program is given by whoever starts it (main(), or a test): the printer that
// 計算後印刷 prints on, and the viewer that shows the help.
#include "ui/help/help_viewer.h"
#include "ui/paper/line_printer.h"
