#include "number/decimal.h"

#include "number/number_text.h"

#include <algorithm>
#include <cstdint>

namespace kinri {

std::optional<Decimal> Decimal::read(std::string_view text) {
    const auto literal = numberLiteral(text);
    if (!literal) return std::nullopt;
    Decimal d;
    std::string_view s = *literal;
    if (s.front() == '-') {
        d.negative_ = true;
        s.remove_prefix(1);
    }
    const std::size_t e = s.find_first_of("eE");
    long long exponent = 0;
    if (e != std::string_view::npos) {
        // The exponent is within the double range here (parseNumber read it), give or take the
        // digits written before it; saturate it anyway.
        std::string_view x = s.substr(e + 1);
        const bool down = !x.empty() && x.front() == '-';
        if (!x.empty() && (x.front() == '-' || x.front() == '+')) x.remove_prefix(1);
        for (const char c : x)
            exponent = std::min(exponent * 10 + (c - '0'), 1'000'000'000LL);
        if (down) exponent = -exponent;
        s = s.substr(0, e);
    }
    const std::size_t point = s.find('.');
    if (point != std::string_view::npos) {
        exponent -= static_cast<long long>(s.size() - point - 1);
        d.digits_ = std::string(s.substr(0, point)) + std::string(s.substr(point + 1));
    } else {
        d.digits_ = std::string(s);
    }
    d.exponent_ = exponent;
    d.normalise();
    return d;
}

void Decimal::normalise() {
    const std::size_t first = digits_.find_first_not_of('0');
    if (first == std::string::npos) {
        *this = Decimal{};
        return;
    }
    digits_.erase(0, first);
    const std::size_t last = digits_.find_last_not_of('0');
    exponent_ += static_cast<long long>(digits_.size() - last - 1);
    digits_.erase(last + 1);
}

Decimal Decimal::shifted(long long places) const {
    Decimal d = *this;
    if (!d.isZero()) d.exponent_ += places;
    return d;
}

Decimal Decimal::times(unsigned factor) const {
    Decimal d = *this;
    std::uint64_t carry = 0;
    for (auto it = d.digits_.rbegin(); it != d.digits_.rend(); ++it) {
        const std::uint64_t v = static_cast<std::uint64_t>(*it - '0') * factor + carry;
        *it = static_cast<char>('0' + v % 10);
        carry = v / 10;
    }
    for (; carry > 0; carry /= 10)
        d.digits_.insert(d.digits_.begin(), static_cast<char>('0' + carry % 10));
    d.normalise();
    return d;
}

// Long division, digit by digit, carried on past the dividend's last digit until nothing is left
// over or so many digits are written that the quotient cannot end soon: a divisor of the aids
// (at most a few hundred) gives a quotient that ends within a few digits of the dividend's, or
// repeats for ever.
Decimal::Quotient Decimal::dividedBy(unsigned divisor, int significant) const {
    Quotient q;
    if (isZero()) return q;
    const std::size_t limit = digits_.size() + 64;
    std::uint64_t rest = 0;
    std::string out;
    long long exponent = exponent_;
    for (std::size_t k = 0; k < digits_.size() || (rest != 0 && out.size() < limit); ++k) {
        if (k >= digits_.size()) --exponent; // one more digit after the dividend's last
        rest = rest * 10 + static_cast<std::uint64_t>(k < digits_.size() ? digits_[k] - '0' : 0);
        out.push_back(static_cast<char>('0' + rest / divisor));
        rest %= divisor;
    }
    q.value.negative_ = negative_;
    q.value.digits_ = std::move(out);
    q.value.exponent_ = exponent;
    q.value.normalise();
    if (rest != 0) {
        q.exact = false;
        q.value = q.value.rounded(significant);
    }
    return q;
}

Decimal Decimal::rounded(int significant) const {
    const auto keep = static_cast<std::size_t>(std::max(significant, 1));
    if (digits_.size() <= keep) return *this;
    Decimal d = *this;
    const bool up = d.digits_[keep] >= '5';
    d.exponent_ += static_cast<long long>(d.digits_.size() - keep);
    d.digits_.erase(keep);
    if (up) {
        std::size_t k = keep;
        while (k > 0 && d.digits_[k - 1] == '9')
            d.digits_[--k] = '0';
        if (k == 0) {
            d.digits_.insert(d.digits_.begin(), '1');
        } else {
            ++d.digits_[k - 1];
        }
    }
    d.normalise();
    return d;
}

std::string Decimal::text(std::size_t maxLength) const {
    if (isZero()) return "0";
    const std::string sign = negative_ ? "-" : "";
    const auto n = static_cast<long long>(digits_.size());
    const long long plainLength = exponent_ >= 0 ? n + exponent_ : std::max(n, -exponent_ + 1) + 1;
    if (plainLength <= static_cast<long long>(maxLength)) {
        if (exponent_ >= 0) return sign + digits_ + std::string(static_cast<std::size_t>(exponent_), '0');
        const long long intDigits = n + exponent_;
        if (intDigits > 0)
            return sign + digits_.substr(0, static_cast<std::size_t>(intDigits)) + '.' +
                   digits_.substr(static_cast<std::size_t>(intDigits));
        return sign + "0." + std::string(static_cast<std::size_t>(-intDigits), '0') + digits_;
    }
    const Decimal r = rounded(15);
    std::string mantissa = r.digits_.substr(0, 1);
    if (r.digits_.size() > 1) mantissa += '.' + r.digits_.substr(1);
    const long long power = r.exponent_ + static_cast<long long>(r.digits_.size()) - 1;
    return sign + mantissa + (power < 0 ? "E-" : "E+") + std::to_string(power < 0 ? -power : power);
}

} // namespace kinri
