#include "number/variant.h"

#include "number/number_text.h"

#include <cmath>

namespace kinri {
namespace {

// With finite operands, only an overflow leaves + - * / (by a non-zero divisor) without a
// finite result.
Variant checked(double value) {
    if (!std::isfinite(value)) throw CalcError(CalcErrorReason::Overflow);
    return Variant(value);
}

} // namespace

std::string_view toString(CalcErrorReason reason) {
    switch (reason) {
    case CalcErrorReason::NotANumber:
        return "NotANumber";
    case CalcErrorReason::DivisionByZero:
        return "DivisionByZero";
    case CalcErrorReason::Overflow:
        return "Overflow";
    case CalcErrorReason::InvalidPower:
        return "InvalidPower";
    case CalcErrorReason::LogOfNonPositive:
        return "LogOfNonPositive";
    case CalcErrorReason::RowLimit:
        return "RowLimit";
    }
    return "?";
}

Variant Variant::fromText(std::string text) {
    Variant v;
    v.text_ = std::move(text);
    v.state_ = State::Text;
    return v;
}

double Variant::convert() const {
    if (state_ == State::Text) {
        const auto parsed = parseNumber(text_);
        if (parsed) {
            number_ = *parsed;
            state_ = State::Converted;
            return number_;
        }
        state_ = State::NotANumber;
    }
    throw CalcError(CalcErrorReason::NotANumber);
}

// Adding a text to a number converts the text; the formulas never add two texts, and doing it
// numerically as well keeps "1" + "2" from ever becoming "12".
Variant operator+(const Variant& a, const Variant& b) {
    return checked(a.number() + b.number());
}
Variant operator-(const Variant& a, const Variant& b) {
    return checked(a.number() - b.number());
}
Variant operator*(const Variant& a, const Variant& b) {
    return checked(a.number() * b.number());
}

Variant operator/(const Variant& a, const Variant& b) {
    const double dividend = a.number();
    const double divisor = b.number();
    if (divisor == 0.0) throw CalcError(CalcErrorReason::DivisionByZero);
    return checked(dividend / divisor);
}

Variant operator-(const Variant& a) {
    return Variant(-a.number());
}

// pow() yields NaN for a negative base with a non-whole exponent and infinity for zero to a
// negative power (a pole) or an overflow; all of them are errors here.
Variant power(const Variant& base, const Variant& exponent) {
    const double b = base.number();
    const double value = std::pow(b, exponent.number());
    if (std::isnan(value) || (std::isinf(value) && b == 0.0)) throw CalcError(CalcErrorReason::InvalidPower);
    return checked(value);
}

Variant naturalLog(const Variant& a) {
    const double x = a.number();
    if (!(x > 0.0)) throw CalcError(CalcErrorReason::LogOfNonPositive);
    return checked(std::log(x));
}

} // namespace kinri
