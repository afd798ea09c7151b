// A feature reaching the files that put the program together: the layers test must refuse it.
#include "ui/common/fonts.h"
#include "ui/main_window.h"
