#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kinri {

// A number held as its decimal digits, for arithmetic a person checks by hand: 1.5 % a year is
// 0.00125 a month, never the 0.0012500000000000002 of binary floating point. Only what the input
// aids need: reading a typed number exactly, shifting the point, multiplying and dividing by a
// small whole number.
class Decimal {
public:
    Decimal() = default; // zero

    // A text as the input boxes read it (grouping, full-width forms, exponent), exactly as typed;
    // nothing where the boxes would not read a number.
    static std::optional<Decimal> read(std::string_view text);

    bool isZero() const { return digits_.empty(); }
    bool negative() const { return negative_; }

    // The value times 10^places: the point moved, nothing rounded.
    Decimal shifted(long long places) const;
    // The value times `factor` (> 0), exactly.
    Decimal times(unsigned factor) const;
    // The value divided by `divisor` (> 0): exact when the quotient ends, otherwise rounded to
    // `significant` digits, half away from zero, and `exact` false.
    struct Quotient;
    Quotient dividedBy(unsigned divisor, int significant = 15) const;

    // Ordinary decimal notation with no exponent and no grouping: "0.00125", "360", "-2.5". A
    // number whose plain form would be longer than `maxLength` characters is written with an
    // exponent instead, its digits rounded to 15 ("1.5E+300"), which the boxes read as well.
    std::string text(std::size_t maxLength = 40) const;

    friend bool operator==(const Decimal&, const Decimal&) = default;

private:
    Decimal rounded(int significant) const;
    void normalise();

    bool negative_ = false;
    std::string digits_;     // significant digits, no leading or trailing zeros; empty for zero
    long long exponent_ = 0; // value = digits_ as a whole number × 10^exponent_
};

struct Decimal::Quotient {
    Decimal value;
    bool exact = true;
};

} // namespace kinri
