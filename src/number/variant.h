#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kinri {

// Why a calculation cannot go on. Every arithmetic step that cannot give a finite number raises
// CalcError with one of these.
enum class CalcErrorReason : std::uint8_t {
    NotANumber,       // an input text that is not a number
    DivisionByZero,   // a division by zero, 0 / 0 included
    Overflow,         // a result beyond the range of a double
    InvalidPower,     // a power without a real value: a negative base with a fractional exponent,
                      // or zero to a negative power
    LogOfNonPositive, // the logarithm of zero or of a negative number
    RowLimit,         // a table row beyond the most a table may have
};

// The reason's name as written above, e.g. "DivisionByZero".
std::string_view toString(CalcErrorReason reason);

class CalcError : public std::runtime_error {
public:
    explicit CalcError(CalcErrorReason reason)
        : std::runtime_error(std::string(toString(reason))), reason_(reason) {}
    CalcErrorReason reason() const { return reason_; }

private:
    CalcErrorReason reason_;
};

// A value of the calculator's arithmetic: either the text of an input box or a number.
// A text stays a text until an arithmetic operation first needs its value; only then is it
// converted (and a text that is not a number raises CalcError at that operation). So a table
// whose loop produces no row never converts the inputs its rows would have used.
class Variant {
public:
    Variant(double number) : number_(number), state_(State::Number) {} // NOLINT: constants mix in freely
    static Variant fromText(std::string text);

    bool isText() const { return state_ != State::Number; }
    const std::string& text() const { return text_; }

    // The value as a double; converts a text the first time and remembers the outcome.
    double number() const {
        if (state_ == State::Number || state_ == State::Converted) return number_;
        return convert();
    }

private:
    enum class State { Number, Text, Converted, NotANumber };
    Variant() = default;
    double convert() const;

    std::string text_;
    mutable double number_ = 0.0;
    mutable State state_ = State::Text;
};

// Checked arithmetic: every step that does not yield a finite number raises CalcError, so no
// "inf" or "nan" can ever reach a result box.
Variant operator+(const Variant& a, const Variant& b);
Variant operator-(const Variant& a, const Variant& b);
Variant operator*(const Variant& a, const Variant& b);
Variant operator/(const Variant& a, const Variant& b);
Variant operator-(const Variant& a);
Variant power(const Variant& base, const Variant& exponent);
Variant naturalLog(const Variant& a);

} // namespace kinri
