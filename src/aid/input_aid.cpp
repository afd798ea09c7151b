#include "aid/input_aid.h"

#include "number/decimal.h"
#include "number/number_text.h"

#include <algorithm>

namespace kinri::aid {
namespace {

std::string_view trimmed(std::string_view s) {
    auto blank = [](std::string_view t, bool front) {
        const std::string_view space = " ", tab = "\t", ideographic = "\u3000";
        for (const std::string_view b : {space, tab, ideographic}) {
            if (front ? t.starts_with(b) : t.ends_with(b)) return b.size();
        }
        return std::size_t{0};
    };
    while (const std::size_t n = blank(s, true))
        s.remove_prefix(n);
    while (const std::size_t n = blank(s, false))
        s.remove_suffix(n);
    return s;
}

// A text ending in a per-cent sign, half- or full-width: the number before it, as typed.
std::optional<std::string_view> beforePercent(std::string_view s) {
    s = trimmed(s);
    for (const std::string_view sign : {std::string_view("%"), std::string_view("％")}) {
        if (s.ends_with(sign)) return trimmed(s.substr(0, s.size() - sign.size()));
    }
    return std::nullopt;
}

std::string equalsSign(bool exact) {
    return exact ? " = " : " ≈ ";
}

// 「（毎月なら年 1.5 %）」 and the like; empty without a chosen number of periods.
std::string perYearPart(std::string_view figure, bool exact, std::string_view unit, int perYear) {
    const std::string_view name = perYearName(perYear);
    if (name.empty()) return {};
    // 「（毎月なら年 1.5 %）」, 「（毎月なら 30 年）」
    const std::string before = unit == "%" ? "年 " : " ";
    return "（" + std::string(name) + "なら" + before + (exact ? "" : "≈ ") + std::string(figure) + " " +
           std::string(unit) + "）";
}

} // namespace

std::string_view perYearName(int perYear) {
    switch (perYear) {
    case 1:
        return "年1回";
    case 2:
        return "半年ごと";
    case 4:
        return "四半期ごと";
    case 12:
        return "毎月";
    default:
        return {};
    }
}

std::optional<Conversion> convert(InputKind kind, std::string_view annualText, int perYear) {
    const auto annual = Decimal::read(annualText);
    if (!annual || perYear <= 0) return std::nullopt;
    const auto periods = static_cast<unsigned>(perYear);
    Conversion c;
    if (isRate(kind)) {
        // An annual rate in % to a decimal rate per period: ÷ 100 moves the point, ÷ periods is a
        // true division, the one step that may not end.
        const Decimal::Quotient q = annual->shifted(-2).dividedBy(periods);
        c.value = q.value.text();
        c.exact = q.exact;
        c.arithmetic = annual->text() + " % ÷ 100" + (perYear == 1 ? "" : " ÷ " + std::to_string(perYear)) +
                       equalsSign(q.exact) + c.value;
    } else if (isCount(kind)) {
        c.value = annual->times(periods).text();
        c.arithmetic = annual->text() + " 年 × " + std::to_string(perYear) + " = " + c.value;
    } else {
        return std::nullopt;
    }
    return c;
}

std::string annualFigure(InputKind kind, std::string_view boxText, int perYear) {
    const auto value = Decimal::read(boxText);
    if (!value || perYear <= 0) return {};
    const auto periods = static_cast<unsigned>(perYear);
    std::string figure;
    if (isRate(kind)) {
        figure = value->shifted(2).times(periods).text();
    } else if (isCount(kind)) {
        const Decimal::Quotient years = value->dividedBy(periods);
        if (years.exact) figure = years.value.text();
    }
    // A figure beyond what a box can read (a rate near the largest number, times 100 and the
    // periods) is none to start the aid from.
    return parseNumber(figure) ? figure : std::string();
}

std::string reading(InputKind kind, std::string_view boxText, int perYear) {
    if (!isRate(kind) && !isCount(kind)) return {};
    if (trimmed(boxText).empty()) return {};
    const auto value = Decimal::read(boxText);
    if (!value) {
        if (isRate(kind) && beforePercent(boxText)) return "% は付けずに小数で入力します（5 % なら 0.05）";
        return "数値として読めません";
    }
    if (isRate(kind)) {
        const std::string percent = value->shifted(2).text();
        const std::string annual =
            value->shifted(2).times(static_cast<unsigned>(std::max(perYear, 1))).text();
        return "1期あたり " + percent + " %" + (kind == InputKind::GrowthRate ? " の増加" : "") +
               perYearPart(annual, true, "%", perYear);
    }
    const std::string unit = kind == InputKind::Periods ? " 期" : " 回";
    // Years that do not end are a rough guide here, not a figure to type: six digits will do.
    const Decimal::Quotient years = value->dividedBy(static_cast<unsigned>(std::max(perYear, 1)), 6);
    return value->text() + unit + perYearPart(years.value.text(), years.exact, "年", perYear);
}

std::optional<Hint> hint(InputKind kind, std::string_view boxText, int perYear) {
    if (!isRate(kind)) return std::nullopt;
    const std::string typed(trimmed(boxText));
    std::optional<Decimal> meant;
    std::string message;
    if (const auto number = beforePercent(boxText)) {
        meant = Decimal::read(*number);
        if (!meant) return std::nullopt;
        message = typed + " は % 付きのため数値として読めません。";
    } else {
        const auto value = parseNumber(boxText);
        if (!value || *value < 1.0) return std::nullopt;
        meant = Decimal::read(boxText);
        message = typed + " は 1期 " + meant->shifted(2).text() + " % として計算します。";
    }
    Hint h;
    const std::string_view rhythm = perYearName(perYear);
    if (const auto perPeriod = convert(kind, meant->text(), perYear); perPeriod && !rhythm.empty()) {
        h.suggestion = perPeriod->value;
        h.message = message + "年 " + meant->text() + " % なら " + (perPeriod->exact ? "" : "≈ ") +
                    h.suggestion + "（" + std::string(rhythm) + "）。F4 で年利から入力できます";
        return h;
    }
    h.suggestion = meant->shifted(-2).text();
    h.message = message + meant->text() + " % のつもりなら " + h.suggestion;
    return h;
}

std::string unreadable(std::string_view caption, std::string_view boxText) {
    if (parseNumber(boxText)) return {};
    std::string text(trimmed(boxText));
    const std::string shown = text.empty() ? "（空白）" : text;
    for (const std::string_view drop : {"円", "¥", "￥", " ", "\u3000"})
        for (std::size_t at; (at = text.find(drop)) != std::string::npos;)
            text.erase(at, drop.size());
    long long places = 0; // 万 and 億 as the amounts they stand for
    for (const auto& [unit, shift] :
         {std::pair{std::string_view("万"), 4}, std::pair{std::string_view("億"), 8}})
        if (text.ends_with(unit)) {
            text.resize(text.size() - unit.size());
            places = shift;
        }
    const std::optional<Decimal> meant = Decimal::read(text);
    const std::string example = meant ? meant->shifted(places).text() : "1000000";
    return std::string(caption) + "：" + shown + " は数値として読めません（例：" + example + "）";
}

} // namespace kinri::aid
