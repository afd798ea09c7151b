// A shared piece reaching up into a feature: the layers test must refuse it.
#include "ui/calculator/calculator_form.h"
