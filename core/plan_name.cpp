#include "core/plan_name.h"

#include <algorithm>
#include <array>

namespace brim {
namespace {

constexpr std::array<char, 4> kBlanks{' ', '\t', '\r', '\n'};

bool isBlank(char c) noexcept {
    return std::find(kBlanks.begin(), kBlanks.end(), c) != kBlanks.end();
}

std::size_t codePoints(std::string_view text) noexcept {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

} // namespace

bool isPlanName(std::string_view name) noexcept {
    const std::size_t length = codePoints(name);
    if (length == 0 || length > kMaxPlanNameCharacters || isBlank(name.front()) ||
        isBlank(name.back())) {
        return false;
    }
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

} // namespace brim
