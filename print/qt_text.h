#pragma once

#include <QString>
#include <string_view>

namespace brim {

// The plain libraries keep their texts as UTF-8, not all of them ASCII: the dash that stands for
// no figure, the "×" between a group count and a disk type, a plan's name as it was typed.
inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace brim
