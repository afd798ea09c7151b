#pragma once

#include "catalogue/catalogue.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

// Help with what every calculation asks for: a rate per period as a decimal and a count in
// periods. People think of 年利 in % and of years; these functions convert between the two in
// exact decimal arithmetic and say in words how a box will be read. They never change what a
// calculation reads: the calculator still takes the box's text exactly as typed.
namespace kinri::aid {

// The periods in a year a user may choose: once a year, half-yearly, quarterly, monthly.
inline constexpr std::array<int, 4> kPerYearChoices{1, 2, 4, 12};
// 「年1回」, 「半年ごと」, 「四半期ごと」, 「毎月」; empty for any other count.
std::string_view perYearName(int perYear);

// An annual figure turned into what a box takes.
struct Conversion {
    std::string arithmetic; // 「1.5 % ÷ 100 ÷ 12 = 0.00125」, 「30 年 × 12 = 360」; ≈ when rounded
    std::string value;      // what the box gets: 「0.00125」
    bool exact = true;      // false: the quotient does not end and is rounded to 15 digits
};
// From an annual rate in % (a rate box) or a number of years (a count box) and the periods in a
// year; nothing when the text is no number or the box is neither a rate nor a count.
std::optional<Conversion> convert(InputKind kind, std::string_view annualText, int perYear);

// The annual figure a box's text stands for, where it is exact: 「1.5」 for a rate of 0.00125 and
// 12 periods a year, 「30」 for a count of 360. Empty otherwise.
std::string annualFigure(InputKind kind, std::string_view boxText, int perYear);

// How a rate or count box will be read, in words: 「1期あたり 0.125 %（毎月なら年 1.5 %）」,
// 「360 期（毎月なら 30 年）」, with the part in brackets only when `perYear` is one of the
// choices. Empty for an empty box and for an amount.
std::string reading(InputKind kind, std::string_view boxText, int perYear);

// The usual mistake in a rate box, when 計算 is pressed: 5 meaning 5 %, or 「5%」. Where the
// periods in a year are known (`perYear`: the entry's own, or the user's choice in the aid), the
// figure typed is most likely an annual rate, and what is offered is its rate per period:
// 「1.5 は 1期 150 % として計算します。年 1.5 % なら 0.00125（毎月）。F4 で年利から入力できます」.
struct Hint {
    std::string message;    // 「5 は 1期 500 % として計算します。5 % のつもりなら 0.05」
    std::string suggestion; // 「0.05」: the box's text for what was likely meant
};
std::optional<Hint> hint(InputKind kind, std::string_view boxText, int perYear = 0);

// Why a box's text is no number, for the details of the calculation's error message, with what
// the number may have been meant as: 「当初借入額：35,000,000円 は数値として読めません（例：35000000）」.
// The example drops what a number cannot hold (円, ¥, spaces) and reads 万 and 億 as the amounts
// they are (「３５００万」 is 35000000); failing that it is a plain amount. Empty for a number.
std::string unreadable(std::string_view caption, std::string_view boxText);

} // namespace kinri::aid
