#pragma once

// The forms in which the planner windows, the printed plan and the command line show their
// figures: whole rates, percents, hours, chances of loss, costs, and the dash where there is no
// figure. The sheet's own texts (capacities as "%8.2f") and the figures a file holds are core's
// (core/units.h).

#include <cstdint>
#include <string>
#include <string_view>

namespace brim {

// What a figure reads where there is nothing to show: a row that delivers nothing, a layout
// without a rebuild.
inline constexpr std::string_view kNoFigureText = "\u2014"; // an em dash

// Host IOPS or MB/s as a whole number ("474" for 473.68), no thousands separator; 0 (a row
// that delivers nothing) reads as the dash.
std::string formatRate(double value);

// A figure as a whole number, 0 as "0": what a sheet delivers in a sentence.
std::string formatWholeNumber(double value);

// A chance from 0 to 1 as "%.2f%%" of it ("3.10%"), whatever the locale. A chance under 0.01 %
// reads "<0.01%": two decimals would show it as 0.00 % (no risk at all) or round it up.
std::string formatPercent(double chance);

// A share from 0 to 1 (an efficiency) as a percent with one decimal: "80.0%".
std::string formatShare(double fraction);

// Hours with one decimal: "5.2". Under 0.05 h reads "<0.1": "0.0" would say the rebuild takes
// no time at all.
std::string formatHours(double hours);

// A chance of losing data, 0 to 1, as a percent with two significant digits and never in
// exponent form: "56%", "9.6%", "0.47%", "0.00014%"; a value that rounds up to the next power of
// ten keeps two digits ("0.10%" for 0.0999 %). Under 0.0001 % it reads "<0.0001%".
inline constexpr double kSmallestLossPercentShown = 0.0001;
std::string formatLossChance(double chance);

// A cost in the currency of the quote, whole and without a symbol or separators: "45620"; a
// half rounds up, as money does.
std::string formatCost(double cost);

// A cost per usable TB or per 1000 host IOPS: whole from 100 up ("1520"), one decimal below
// ("99.5", "0.3").
std::string formatCostPer(double cost);

// Usable TB with two decimals, unpadded: "26.87".
std::string formatTb(double tib);

// Power in kW with one decimal, as "%.1f" prints the double whatever the locale: "0.9".
std::string formatKilowatts(double kilowatts);

// Disks to order and the arrays they need, as a narrow column reads them under the heading
// "disks / arrays": "46 / 1".
std::string formatDisksAndArrays(std::uint64_t disks, std::uint64_t arrays);

} // namespace brim
