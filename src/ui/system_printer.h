#pragma once

// The real printer, for whoever starts the program.
#include "ui/paper/system_printer.h"
