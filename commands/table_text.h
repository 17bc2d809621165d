#pragma once

// A table as a spreadsheet pastes it, which the windows' copy keys put on the clipboard and the
// command line writes: cells joined by tabs, every line ended by a newline. A heading set on two
// lines, and any tab or line break inside a text, reads as one blank, so that every line stays
// one line of the pasted table.

#include <span>
#include <string>
#include <string_view>

namespace brim {

// Appends one line of `cells` to `text`.
void appendTableLine(std::string& text, std::span<const std::string> cells);
void appendTableLine(std::string& text, std::span<const std::string_view> cells);

} // namespace brim
