#include "commands/performance_table_text.h"

#include "commands/figure_words.h"
#include "commands/performance_texts.h"
#include "commands/table_text.h"
#include "core/planning_figures.h"

#include <cmath>
#include <span>
#include <vector>

namespace brim {
namespace {

// The disk type's name, then a column a figure.
std::optional<DiskFigure> figureOfColumn(std::size_t column) {
    return column == 0 ? std::nullopt : std::optional(static_cast<DiskFigure>(column - 1));
}

int diskTypeOfLine(const SheetPerformancePlan& plan, std::size_t line) {
    return plan.diskTypes()[line].diskType;
}

template <std::size_t Count>
void appendHeadings(std::string& text, const std::array<TextColumn, Count>& columns) {
    std::array<std::string_view, Count> headings{};
    for (std::size_t i = 0; i < Count; ++i) {
        headings[i] = columns[i].heading;
    }
    appendTableLine(text, headings);
}

} // namespace

std::string_view figureColumnHeading(std::size_t column) {
    const std::optional<DiskFigure> figure = figureOfColumn(column);
    return figure ? figureWords(*figure).heading : PerformanceWords::kDiskTypeHeading;
}

std::string figureCellText(const SheetPerformancePlan& plan, std::size_t line, std::size_t column) {
    const int diskType = diskTypeOfLine(plan, line);
    const std::optional<DiskFigure> figure = figureOfColumn(column);
    return figure ? plan.figureText(diskType, *figure) : std::string(plan.diskTypeName(diskType));
}

CellFigure figureCellFigure(const SheetPerformancePlan& plan, std::size_t line,
                            std::size_t column) {
    const int diskType = diskTypeOfLine(plan, line);
    const std::optional<DiskFigure> figure = figureOfColumn(column);
    if (!figure) {
        return plan.diskTypeName(diskType);
    }
    const std::optional<std::int64_t> held = plan.heldFigure(diskType, *figure);
    if (!held) {
        return {};
    }
    const FigureRule& rule = figureRule(*figure).rule;
    const auto value = static_cast<double>(*held);
    switch (rule.form) {
    case FigureForm::PowerOfTen:
        return std::pow(10.0, value);
    case FigureForm::Decimal:
        return value / std::pow(10.0, rule.decimals);
    default:
        return value;
    }
}

std::string performanceTableText(const SheetPerformancePlan& plan, PerformanceTable table) {
    std::string text;
    switch (table) {
    case PerformanceTable::Lines:
        appendHeadings(text, kSheetLineColumns);
        for (const PerformanceTextLine& line : plan.performanceLines()) {
            appendTableLine(text, std::span<const std::string>(line.cells));
        }
        break;
    case PerformanceTable::Order:
        appendHeadings(text, kOrderLineColumns);
        for (const OrderTextLine& line : plan.orderLines()) {
            appendTableLine(text, std::span<const std::string>(line));
        }
        break;
    case PerformanceTable::Figures: {
        std::array<std::string_view, kFigureColumnCount> headings{};
        std::array<std::string, kFigureColumnCount> cells{};
        for (std::size_t column = 0; column < kFigureColumnCount; ++column) {
            headings[column] = figureColumnHeading(column);
        }
        appendTableLine(text, headings);
        for (std::size_t line = 0; line < plan.diskTypes().size(); ++line) {
            for (std::size_t column = 0; column < kFigureColumnCount; ++column) {
                cells[column] = figureCellText(plan, line, column);
            }
            appendTableLine(text, std::span<const std::string>(cells));
        }
        break;
    }
    }
    return text;
}

} // namespace brim
