#pragma once

#include <QString>
#include <string_view>

namespace brim {

// The plain libraries keep their texts as UTF-8 (all of the program's own texts are ASCII).
inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace brim
