#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kinri {

// Reads a number the way a Japanese user types it into an input box: ordinary decimal
// notation (optional sign, decimal point, exponent, surrounding spaces) and what the input
// method produces in full-width mode (１２３，４５６．７８, －, ＋, the ideographic space).
// Thousands separators are accepted only where they really separate thousands, so that a
// decimal comma ("12,34") is refused instead of silently read as 1234.
// Returns nothing for anything that is not a finite number (letters, "inf", "nan", hex,
// "1.2.3", a lone sign, an empty exponent, a value beyond the double range).
std::optional<double> parseNumber(std::string_view text);

// The same text as a plain ASCII literal, exactly as typed: sign, digits, point and exponent, no
// grouping, no spaces, no full-width forms ("-1000.50", "1.5e3"). Nothing where parseNumber
// refuses the text.
std::optional<std::string> numberLiteral(std::string_view text);

// Fixed-point text with exactly `decimals` decimals, at least one digit before the point, no
// grouping and never an exponent. The value is first read as its 15-significant-digit decimal
// form, the way a person reads it, and that form is rounded half away from zero: 2.6745 with
// three decimals shows 2.675 although the binary double lies a hair below it.
std::string formatFixed(double value, int decimals);

// The text a result box shows: "0" for a result that is exactly zero (also -0.0), otherwise
// formatFixed. A result that merely rounds to zero keeps its decimals ("0.000").
std::string formatResult(double value, int decimals);

// A counter or other plain number in ordinary decimal form with up to 15 significant digits
// and no exponent: 12, 2.5, 1.1 (not 1.1000000000000001), 100000000000000000000.
std::string plainNumber(double value);

} // namespace kinri
