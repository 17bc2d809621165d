#include "commands/figure_words.h"

#include "core/catalogue.h"
#include "core/units.h"

namespace brim {
namespace {

constexpr std::string_view kPowerOfTen = "10^";
constexpr std::string_view kPlaceholder = "{}";
constexpr std::array<std::string_view, 4> kUpToDecimals{
    "", " with up to one decimal", " with up to two decimals", " with up to three decimals"};

} // namespace

std::string definitionText(int row) {
    return row == kGrowLargestDefinition ? std::string(kLargestDefinition)
                                         : "Row " + std::to_string(row);
}

std::string figureText(const FigureRule& rule, std::int64_t held) {
    if (rule.mayBeEmpty && held == kEmptyFigure) {
        return {};
    }
    switch (rule.form) {
    case FigureForm::Flag:
        return held != 0 ? "yes" : "no";
    case FigureForm::Definition:
        return definitionText(static_cast<int>(held));
    case FigureForm::PowerOfTen:
        return std::string(kPowerOfTen) + std::to_string(held);
    case FigureForm::Decimal:
        return formatDecimal(held, rule.decimals);
    case FigureForm::Whole:
        break;
    }
    return std::to_string(held);
}

std::string figureEditText(const FigureRule& rule, std::int64_t held) {
    if (rule.mayBeEmpty && held == kEmptyFigure) {
        return {};
    }
    return rule.form == FigureForm::Decimal ? formatDecimal(held, rule.decimals)
                                            : std::to_string(held);
}

std::string allowedText(const FigureRule& rule) {
    const std::int64_t lowest = rule.range.lowest;
    const std::int64_t highest = rule.range.highest;
    switch (rule.form) {
    case FigureForm::PowerOfTen:
        return "a power of ten from " + std::to_string(lowest) + " to " + std::to_string(highest);
    case FigureForm::Decimal:
        return "a number from " + formatDecimal(lowest, rule.decimals) + " to " +
               formatDecimal(highest, rule.decimals) +
               std::string(kUpToDecimals[static_cast<std::size_t>(rule.decimals)]);
    case FigureForm::Flag:
        return "yes or no";
    case FigureForm::Definition:
        return std::string(kLargestDefinition) + " or a row from 1 to " + std::to_string(highest);
    case FigureForm::Whole:
        break;
    }
    return "a whole number from " + std::to_string(lowest) + " to " + std::to_string(highest);
}

std::string filledIn(std::string_view pattern, std::string_view value) {
    std::string text(pattern);
    const std::size_t at = text.find(kPlaceholder);
    if (at != std::string::npos) {
        text.replace(at, kPlaceholder.size(), value);
    }
    return text;
}

std::string modelFigureLabel(ModelFigure figure, int modelIndex) {
    return filledIn(figureWords(figure).label, Catalogue::modelName(modelIndex));
}

} // namespace brim
