#pragma once

#include "compute/print_job.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kinri {

struct CatalogueEntry;

// What one successful click of 計算 produced, as one value. The window shows it, the record keeps
// it, copying, paper and the schedule take it: none of them computes it again or reads it back
// out of its printout's text.
struct Calculation {
    const CatalogueEntry* entry = nullptr; // the menu entry computed; none for a recorded plan
    std::vector<std::string> inputs;       // the input boxes as typed, Text1 first
    double result = 0.0;                   // the value computed; a table's last row
    std::optional<std::string> resultText; // the result box's text; none for a table; a table's
                                           // rows are in its printout, after the table heading
    // The conditions as the printout carries them: the family's header, then "label=input" per
    // input.
    std::vector<PrintLine> conditions;
    std::vector<PrintLine> printout; // the whole printout as 計算後印刷 sends it, blank lines included
    std::string title;               // its name in a print queue, a preview or a PDF
    std::chrono::system_clock::time_point time;
    std::uint64_t number = 0; // which calculation of the run it is, from 1

    // What it takes in memory, texts and all.
    std::size_t bytes() const;
};

// The name of a calculation's printout wherever it goes: 「金利計算 – 複利の利息計算」.
std::string printoutTitle(const CatalogueEntry& entry);

} // namespace kinri
