#pragma once

#include "catalogue/catalogue.h"
#include "compute/flow.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kinri {

// The printout of one calculation: eight blank lines, the family header, a blank line, one
// "label=" + input-as-typed line per input, a blank line, then the result line (label + the
// result box's text) or the table heading and its rows. Text lines start at print column 34.
std::vector<PrintLine> printJob(const CatalogueEntry& entry, std::span<const std::string> inputs,
                                std::string_view resultText, std::vector<std::string> tableRows);

} // namespace kinri
