#pragma once

#include "catalogue/catalogue.h"
#include "compute/record.h"

#include <array>
#include <cstdint>
#include <string>

namespace kinri {

// The program's one piece of mutable state: which calculation is selected (one code per family,
// 0 = none), whether each calculation is printed, the inputs and result of the last calculation
// that passed the input check, the input aid's last choice and the record of the run.
class AppState {
public:
    // What the main window's load does: nothing selected, printing off.
    void reset();

    // A menu entry: stores the entry's code in its family's variable and leaves the others alone.
    // They are already 0, because the only way back to the menu resets them.
    void select(const CatalogueEntry& entry) { codes_.at(index(entry.family)) = entry.code; }

    // The Menu button of a calculator window: the families it hosts back to 0, printing off.
    void returnToMenu(const WindowInfo& window);

    std::int16_t code(CalcFamily family) const { return codes_.at(index(family)); }
    bool printAfterCalc() const { return printAfterCalc_ == 1; }
    void setPrintAfterCalc(bool on) { printAfterCalc_ = on ? 1 : 0; }

    // Inputs as typed and the last value computed (a table's last row), kept after the click.
    std::array<std::string, 4> inputs{};
    double result = 0.0;
    // How many calculations this run has made: clicks whose inputs passed the check.
    std::uint64_t calculations = 0;

    // The periods in a year last chosen in the input aid (12 = monthly); 0 until one is chosen.
    int aidPerYear = 0;

    // The folder last saved to while the program runs; empty until then.
    std::string saveFolder;
    // A schedule's copy and CSV hold its rows alone, without the conditions above and the totals
    // below: the save dialog's check box, kept while the program runs.
    bool exportRowsOnly = false;

    // Every calculation of this run that succeeded, as printed (printing on or off).
    CalculationRecord record;

private:
    static std::size_t index(CalcFamily f) { return static_cast<std::size_t>(f); }

    std::array<std::int16_t, kFamilyCount> codes_{};
    std::int16_t printAfterCalc_ = 0;
};

} // namespace kinri
