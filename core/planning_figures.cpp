#include "core/planning_figures.h"

#include "core/blanks.h"
#include "core/planner_inputs.h"

namespace brim {
namespace {

// A typed error rate may keep the base it is shown with: "10^17" as well as "17".
constexpr std::string_view kPowerOfTen = "10^";

} // namespace

std::optional<std::int64_t> typedFigure(const FigureRule& rule, std::string_view text) noexcept {
    if (rule.mayBeEmpty && trimBlanks(text).empty()) {
        return kEmptyFigure;
    }
    if (rule.form == FigureForm::Decimal) {
        const HundredthsParse parsed = parseDecimal(text, rule.decimals, rule.range);
        return parsed.taken() ? std::optional(parsed.hundredths) : std::nullopt;
    }
    const std::string_view trimmed = trimBlanks(text);
    const bool base = rule.form == FigureForm::PowerOfTen && trimmed.starts_with(kPowerOfTen);
    const WholeNumberParse parsed =
        parseWholeNumber(base ? trimmed.substr(kPowerOfTen.size()) : text, rule.range);
    return parsed.taken() ? std::optional(parsed.value) : std::nullopt;
}

} // namespace brim
