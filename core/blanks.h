#pragma once

#include <string_view>

namespace brim {

constexpr bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

// Blanks around a number, a name or a figure: spaces and tabs, as a user types them into a field
// or an editor leaves them at a line's end.
constexpr bool isBlank(char c) noexcept {
    return c == ' ' || c == '\t';
}

constexpr std::string_view trimBlanksStart(std::string_view text) noexcept {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    return text;
}

constexpr std::string_view trimBlanksEnd(std::string_view text) noexcept {
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

constexpr std::string_view trimBlanks(std::string_view text) noexcept {
    return trimBlanksEnd(trimBlanksStart(text));
}

} // namespace brim
