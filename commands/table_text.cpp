#include "commands/table_text.h"

namespace brim {
namespace {

void appendOneLine(std::string& text, std::string_view cell) {
    for (const char c : cell) {
        text += (c == '\t' || c == '\n' || c == '\r') ? ' ' : c;
    }
}

template <typename Cell> void appendCells(std::string& text, std::span<const Cell> cells) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i != 0) {
            text += '\t';
        }
        appendOneLine(text, cells[i]);
    }
    text += '\n';
}

} // namespace

void appendTableLine(std::string& text, std::span<const std::string> cells) {
    appendCells(text, cells);
}

void appendTableLine(std::string& text, std::span<const std::string_view> cells) {
    appendCells(text, cells);
}

} // namespace brim
