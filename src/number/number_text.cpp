#include "number/number_text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace kinri {
namespace {

// Maps one code point of the input to the ASCII character it stands for, or 0 when the code
// point has no place in a number.
char asciiFor(char32_t cp) {
    if (cp < 0x80) return static_cast<char>(cp);
    if (cp >= U'０' && cp <= U'９') return static_cast<char>('0' + (cp - U'０'));
    switch (cp) {
    case U'．':
        return '.';
    case U'，':
        return ',';
    case U'－':
        return '-';
    case U'−':
        return '-'; // MINUS SIGN, as pasted from documents
    case U'＋':
        return '+';
    case U'ｅ':
        return 'e';
    case U'Ｅ':
        return 'E';
    case U'\u3000':
        return ' ';
    default:
        return 0;
    }
}

// Decodes UTF-8 and narrows every code point with asciiFor. Fails on malformed UTF-8 and on any
// character that cannot be part of a number.
std::optional<std::string> narrow(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        char32_t cp = 0;
        std::size_t len = 0;
        if (lead < 0x80) {
            cp = lead;
            len = 1;
        } else if ((lead & 0xE0) == 0xC0) {
            cp = lead & 0x1F;
            len = 2;
        } else if ((lead & 0xF0) == 0xE0) {
            cp = lead & 0x0F;
            len = 3;
        } else if ((lead & 0xF8) == 0xF0) {
            cp = lead & 0x07;
            len = 4;
        } else {
            return std::nullopt;
        }
        if (i + len > text.size()) return std::nullopt;
        for (std::size_t k = 1; k < len; ++k) {
            const auto cont = static_cast<unsigned char>(text[i + k]);
            if ((cont & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (cont & 0x3F);
        }
        const char c = asciiFor(cp);
        if (c == 0) return std::nullopt;
        out.push_back(c);
        i += len;
    }
    return out;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The syntax of a typed number, rebuilt as a clean literal for from_chars: digits, one point,
// exponent; no sign, no commas, no spaces.
struct Literal {
    bool negative = false;
    std::string clean;
    long long exponent = 0; // the exponent written, saturated
};

std::optional<Literal> readLiteral(std::string_view text) {
    const auto narrowed = narrow(text);
    if (!narrowed) return std::nullopt;
    std::string_view s = *narrowed;
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);

    // Rebuild a clean literal for from_chars: digits, one point, exponent; no sign, no commas.
    std::string clean;
    clean.reserve(s.size());
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';

    // Integer part, with optional thousands separators: 1-3 digits not starting with 0, then groups
    // of exactly 3. A comma anywhere else is no grouping: 「0,050」 is a rate typed with a decimal
    // comma, and reading it as 50 would turn 5 % into 5000 %.
    std::size_t intDigits = 0, groupLen = 0;
    bool grouped = false;
    while (i < s.size() && (isDigit(s[i]) || s[i] == ',')) {
        if (s[i] == ',') {
            if (intDigits == 0 || (grouped ? groupLen != 3 : groupLen > 3 || clean.front() == '0'))
                return std::nullopt;
            grouped = true;
            groupLen = 0;
        } else {
            clean.push_back(s[i]);
            ++intDigits;
            ++groupLen;
        }
        ++i;
    }
    if (grouped && groupLen != 3) return std::nullopt;

    std::size_t fracDigits = 0;
    if (i < s.size() && s[i] == '.') {
        clean.push_back('.');
        ++i;
        while (i < s.size() && isDigit(s[i])) {
            clean.push_back(s[i++]);
            ++fracDigits;
        }
    }
    if (intDigits + fracDigits == 0) return std::nullopt;

    // Exponent: the decimal order of magnitude is kept (saturated) to tell an overflow from an
    // underflow when from_chars reports a value out of range.
    long long exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        clean.push_back('e');
        ++i;
        bool expNegative = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            expNegative = s[i] == '-';
            if (expNegative) clean.push_back('-');
            ++i;
        }
        std::size_t expDigits = 0;
        while (i < s.size() && isDigit(s[i])) {
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (s[i] - '0');
            clean.push_back(s[i++]);
            ++expDigits;
        }
        if (expDigits == 0) return std::nullopt;
        if (expNegative) exponent = -exponent;
    }
    if (i != s.size()) return std::nullopt;
    return Literal{negative, std::move(clean), exponent};
}

} // namespace

std::optional<double> parseNumber(std::string_view text) {
    const auto literal = readLiteral(text);
    if (!literal) return std::nullopt;
    const std::string& clean = literal->clean;
    const long long exponent = literal->exponent;
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(clean.data(), clean.data() + clean.size(), value);
    if (ptr != clean.data() + clean.size()) return std::nullopt;
    if (ec == std::errc::result_out_of_range) {
        // Order of the first significant digit decides: large overflows (an error, as any
        // overflow is), tiny underflows to zero.
        long long order = exponent;
        const std::size_t point = clean.find('.');
        const std::string_view mantissa(clean.data(), std::min(clean.find('e'), clean.size()));
        const std::size_t firstNonZero = mantissa.find_first_of("123456789");
        const std::size_t intEnd = point == std::string::npos ? mantissa.size() : point;
        if (firstNonZero < intEnd) {
            order += static_cast<long long>(intEnd - firstNonZero);
        } else {
            order -= static_cast<long long>(firstNonZero - intEnd - 1);
        }
        if (order > 0) return std::nullopt;
        value = 0.0;
    } else if (ec != std::errc()) {
        return std::nullopt;
    }
    if (!std::isfinite(value)) return std::nullopt;
    return literal->negative ? -value : value;
}

std::optional<std::string> numberLiteral(std::string_view text) {
    if (!parseNumber(text)) return std::nullopt;
    auto literal = readLiteral(text);
    return literal->negative ? '-' + literal->clean : literal->clean;
}

namespace {

// The 15 significant digits of |value| and the decimal exponent of the first one:
// |value| ~ 0.d1d2...d15 x 10^(exp10 + 1).
struct Decimal15 {
    char digits[15];
    int exp10;
};

constexpr std::array<std::uint64_t, 20> kPow10 = [] {
    std::array<std::uint64_t, 20> p{};
    p[0] = 1;
    for (std::size_t k = 1; k < p.size(); ++k)
        p[k] = p[k - 1] * 10;
    return p;
}();

// Exact 15-digit rounding for the everyday range 1e-5 <= x < 1e15, in integer arithmetic: with
// x = m * 2^q (m < 2^53) the scaled value m * 10^s * 2^q fits in 128 bits, so the rounding
// (to nearest, ties to even, as the general path does) is decided on the exact binary value.
bool exactDecimal15(double magnitude, Decimal15& d) {
    if (!(magnitude >= 1e-5 && magnitude < 1e15)) return false;
    // magnitude = mantissa * 2^-shift, read straight from the bits (normal numbers only here).
    const auto bits = std::bit_cast<std::uint64_t>(magnitude);
    const int biased = static_cast<int>(bits >> 52);
    const std::uint64_t mantissa = (bits & ((std::uint64_t{1} << 52) - 1)) | (std::uint64_t{1} << 52);
    const int shift = 1075 - biased; // 3 .. 69 in this range
    // Decimal exponent estimate from the binary one; corrected below when one decade off.
    int exp10 = ((biased - 1023) * 78913) >> 18; // floor((e2) * log10(2)) for |e2| < 1000
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int s = 14 - exp10;
        if (s < 0 || s > 19) return false;
        const unsigned __int128 scaled =
            static_cast<unsigned __int128>(mantissa) * kPow10[static_cast<std::size_t>(s)];
        const unsigned __int128 whole = scaled >> shift;
        if (whole < kPow10[14]) {
            --exp10;
            continue;
        }
        if (whole >= kPow10[15]) {
            ++exp10;
            continue;
        }
        const unsigned __int128 rest = scaled - (whole << shift);
        const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
        auto n = static_cast<std::uint64_t>(whole);
        if (rest > half || (rest == half && (n & 1U) != 0)) ++n;
        if (n == kPow10[15]) {
            n = kPow10[14];
            ++exp10;
        }
        std::to_chars(d.digits, d.digits + 15, n); // n has exactly 15 digits
        d.exp10 = exp10;
        return true;
    }
    return false;
}

Decimal15 decimal15(double magnitude) {
    Decimal15 d{};
    if (exactDecimal15(magnitude, d)) return d;
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
    // buf holds "d.dddddddddddddde[+-]xx"
    d.digits[0] = buf[0];
    for (int k = 1; k < 15; ++k)
        d.digits[k] = buf[k + 1];
    int exp = 0;
    const char* p = buf + 17; // the exponent's sign, after "d.dddddddddddddde"
    const bool neg = *p == '-';
    ++p;
    for (; p < res.ptr; ++p)
        exp = exp * 10 + (*p - '0');
    d.exp10 = neg ? -exp : exp;
    return d;
}

// |value| times 10^decimals, its 15-digit form rounded half away from zero, as decimal digits
// without sign or point and with at least decimals + 1 of them: 0.05 with three decimals is
// "050", 9.9995 is "10000". The digits are written into a string of their final size, with one
// spare digit in front for the carry, rather than assembled piece by piece.
std::string scaledDigits(double value, int decimals) {
    const auto places = static_cast<std::size_t>(decimals);
    if (value == 0.0 || !std::isfinite(value)) return std::string(places + 1, '0');
    const Decimal15 d = decimal15(std::fabs(value));
    // Digits kept: those whose weight is at least 10^-decimals.
    const int keep = d.exp10 + decimals + 1;
    const auto kept = static_cast<std::size_t>(std::max(keep, 0));
    std::string digits(std::max(kept + 1, places + 1), '0');
    const auto last = digits.size() - 1; // where the last kept digit goes
    std::copy_n(d.digits, std::min<std::size_t>(kept, 15),
                digits.begin() + static_cast<std::ptrdiff_t>(last + 1 - kept));
    if (keep >= 0 && keep < 15 && d.digits[keep] >= '5') {
        std::size_t k = last;
        while (digits[k] == '9')
            digits[k--] = '0';
        ++digits[k]; // the spare digit in front is a '0', so the carry stops there at the latest
    }
    std::size_t first = 0;
    while (first + places + 1 < digits.size() && digits[first] == '0')
        ++first;
    return digits.substr(first);
}

} // namespace

std::string formatFixed(double value, int decimals) {
    const auto places = static_cast<std::size_t>(decimals);
    const std::string digits = scaledDigits(value, decimals);
    const std::size_t whole = digits.size() - places;
    const bool negative = value < 0 && std::isfinite(value);
    // Sized once and filled in place: sign, whole part, point, decimals.
    std::string out((negative ? 1 : 0) + whole + 1 + places, '.');
    auto at = out.begin();
    if (negative) *at++ = '-';
    at = std::copy_n(digits.begin(), whole, at);
    std::copy(digits.begin() + static_cast<std::ptrdiff_t>(whole), digits.end(), at + 1);
    return out;
}

std::string formatResult(double value, int decimals) {
    if (value == 0.0) return "0";
    return formatFixed(value, decimals);
}

std::string plainNumber(double value) {
    if (value == 0.0 || !std::isfinite(value)) return "0";
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        char buf[24];
        const auto res = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(value));
        return std::string(buf, res.ptr);
    }
    const Decimal15 d = decimal15(std::fabs(value));
    int len = 15;
    while (len > 1 && d.digits[len - 1] == '0')
        --len;
    std::string out;
    if (value < 0) out.push_back('-');
    if (d.exp10 < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-d.exp10 - 1), '0');
        out.append(d.digits, static_cast<std::size_t>(len));
    } else if (d.exp10 + 1 >= len) {
        out.append(d.digits, static_cast<std::size_t>(len));
        out.append(static_cast<std::size_t>(d.exp10 + 1 - len), '0');
    } else {
        out.append(d.digits, static_cast<std::size_t>(d.exp10 + 1));
        out.push_back('.');
        out.append(d.digits + d.exp10 + 1, static_cast<std::size_t>(len - d.exp10 - 1));
    }
    return out;
}

} // namespace kinri
