#pragma once

// Helpers shared by the GoogleTest tests of the core.

#include "compute/print_job.h"
#include "number/variant.h"

#include <cctype>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kinri {

// Failure messages name the reason ("DivisionByZero") instead of its number.
inline void PrintTo(CalcErrorReason reason, std::ostream* os) {
    *os << toString(reason);
}

namespace test {

// A run of n spaces, for the column layout of table rows.
inline std::string sp(int n) {
    return std::string(static_cast<std::size_t>(n), ' ');
}

// A printout's texts, line by line, to compare two printouts with a readable difference.
inline std::vector<std::string> jobTexts(const std::vector<PrintLine>& job) {
    std::vector<std::string> texts;
    for (const PrintLine& line : job)
        texts.push_back(line.text);
    return texts;
}

// A name for one case of a parameterised test, as ctest lists it: the case's index, then `what`
// with every run of characters other than ASCII letters and digits turned into one '_', e.g.
// "3_SR_DivisionByZero". The index keeps names unique and `what` makes them readable.
inline std::string caseName(std::size_t index, std::string_view what) {
    std::string name = std::to_string(index) + '_';
    for (const char c : what) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80 && std::isalnum(u) != 0) {
            name.push_back(c);
        } else if (name.back() != '_') {
            name.push_back('_');
        }
    }
    while (name.back() == '_')
        name.pop_back();
    return name;
}

} // namespace test
} // namespace kinri
