#pragma once

// Costs and counts on screen and on the printed page read easier with the locale's digit
// grouping ("1,234,567"); the copies for spreadsheets, the report and the workbook keep plain
// digits, which every program reads back. So the plain text is what the planners make, and a
// window groups it only where it draws it.

#include <string>
#include <string_view>

namespace brim {

// Numbers below this stay as they are: "1941" reads at a glance, "12345" does not.
inline constexpr std::size_t kFewestDigitsGrouped = 5;

// `text` with every whole part of kFewestDigitsGrouped or more digits split into threes by
// `separator`, counted from its right: "1234567" → "1,234,567", "12345 / 123" → "12,345 / 123",
// "-20000" → "-20,000". Digits after a decimal point are left alone ("0.000014%").
std::string groupDigits(std::string_view text, std::string_view separator);

} // namespace brim
