#include "commands/digit_grouping.h"

namespace brim {
namespace {

constexpr bool isDigit(char c) noexcept {
    return c >= '0' && c <= '9';
}

void appendGrouped(std::string& out, std::string_view digits, std::string_view separator) {
    if (digits.size() < kFewestDigitsGrouped) {
        out += digits;
        return;
    }
    const std::size_t lead = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
    out += digits.substr(0, lead);
    for (std::size_t i = lead; i < digits.size(); i += 3) {
        out += separator;
        out += digits.substr(i, 3);
    }
}

} // namespace

std::string groupDigits(std::string_view text, std::string_view separator) {
    std::string out;
    out.reserve(text.size() + text.size() / 3 * separator.size());
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isDigit(text[i])) {
            out += text[i++];
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && isDigit(text[end])) {
            ++end;
        }
        // A run that follows a decimal point is a fraction: its digits are not grouped.
        const bool fraction = i > 0 && text[i - 1] == '.';
        const std::string_view digits = text.substr(i, end - i);
        if (fraction) {
            out += digits;
        } else {
            appendGrouped(out, digits, separator);
        }
        i = end;
    }
    return out;
}

} // namespace brim
