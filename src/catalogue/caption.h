#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace kinri {

// Where a caption may wrap onto a new line. Japanese allows a break between almost any two
// characters, but a reader takes in a caption phrase by phrase (文節: 定期預金の / 約定利率), so a
// label breaks only between phrases, and inside a long compound noun (預金担保 / 借入利率) only
// where a phrase alone is wider than the label. Never inside a word: 利率, 借入金.
enum class BreakKind : std::uint8_t {
    Phrase, // between two phrases
    Word,   // between two words of one compound noun: used only where needed
};

struct BreakPoint {
    std::uint16_t offset; // byte offset into the caption's UTF-8 text
    BreakKind kind;
};

// A caption as shown, and its permitted line breaks in ascending order. Converts to its text, so
// that it reads, prints and compares as the plain caption does.
struct Caption {
    std::string_view text;
    std::span<const BreakPoint> breaks = {};

    constexpr Caption() = default;
    constexpr Caption(std::string_view shown, std::span<const BreakPoint> at = {})
        : text(shown), breaks(at) {}
    constexpr operator std::string_view() const { return text; }
    constexpr bool empty() const { return text.empty(); }
};

namespace caption_marks {

// In a caption literal, "|" marks a break between phrases and "/" one between the words of a
// compound noun; neither is part of the text. No caption shows either character.
inline constexpr char kPhrase = '|';
inline constexpr char kWord = '/';

template <std::size_t N>
struct Literal {
    char chars[N]{};
    consteval Literal(const char (&s)[N]) { std::copy_n(s, N, chars); }
    static constexpr std::size_t size = N - 1; // without the terminating NUL
};

template <Literal L>
struct Marked {
    static constexpr std::size_t kMarks = static_cast<std::size_t>(
        std::count_if(L.chars, L.chars + L.size, [](char c) { return c == kPhrase || c == kWord; }));

    static constexpr auto text = [] {
        std::array<char, L.size - kMarks> out{};
        std::size_t n = 0;
        for (std::size_t i = 0; i < L.size; ++i)
            if (L.chars[i] != kPhrase && L.chars[i] != kWord) out[n++] = L.chars[i];
        return out;
    }();

    static constexpr auto breaks = [] {
        std::array<BreakPoint, kMarks> out{};
        std::size_t n = 0;
        std::size_t offset = 0;
        for (std::size_t i = 0; i < L.size; ++i) {
            if (L.chars[i] == kPhrase || L.chars[i] == kWord) {
                out[n++] = {static_cast<std::uint16_t>(offset),
                            L.chars[i] == kPhrase ? BreakKind::Phrase : BreakKind::Word};
            } else {
                ++offset;
            }
        }
        return out;
    }();
};

} // namespace caption_marks

namespace caption_literals {

// "定期預金の|約定利率"_caption: the caption 定期預金の約定利率, which may wrap after の.
template <caption_marks::Literal L>
consteval Caption operator""_caption() {
    using M = caption_marks::Marked<L>;
    return Caption(std::string_view(M::text.data(), M::text.size()), M::breaks);
}

} // namespace caption_literals

} // namespace kinri
