// The printed plan's Assumptions: every planning figure in force, each shown as its own words say,
// walked from the figures' tables so that a figure added there is printed too.

#include "commands/figure_words.h"
#include "commands/plan_document_parts.h"
#include "commands/plan_document_texts.h"
#include "core/catalogue.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace brim {
namespace {

using plan_document_parts::Column;
using plan_document_parts::DigitGrouping;
using plan_document_parts::diskName;
using plan_document_parts::lineOf;
using plan_document_parts::str;
using plan_document_parts::tableWith;

// A figure as printed: its unit after it, and a 0 that means "not given yet" in words.
template <typename Words>
std::string printedFigure(const Words& words, const FigureRule& rule, std::int64_t held) {
    if ((held == 0 || held == kEmptyFigure) && !words.unsetText.empty()) {
        return str(words.unsetText);
    }
    if constexpr (requires { words.unit; }) {
        return figureText(rule, held) + str(words.unit);
    }
    return figureText(rule, held);
}

// "a, b and c".
std::string listed(const std::vector<std::string_view>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        text += (i == 0 ? "" : i + 1 == items.size() ? " and " : ", ") + str(items[i]);
    }
    return text;
}

// The disk types the model's family offers, then any other that a kept plan uses.
std::vector<std::pair<int, std::string>> disksToList(const PlanDocumentInputs& inputs) {
    std::vector<std::pair<int, std::string>> disks;
    const auto listedAlready = [&disks](int disk) {
        return std::any_of(disks.begin(), disks.end(),
                           [disk](const auto& entry) { return entry.first == disk; });
    };
    const int model = inputs.sheet.modelIndex;
    for (int disk = 0; disk < static_cast<int>(kDiskTypes.size()); ++disk) {
        if (usableDiskKib(model, disk, false) != 0) {
            disks.emplace_back(disk, str(diskName(inputs.names, kRowCount - 1, disk, model)));
        }
    }
    for (const KeptPlan& kept : inputs.keptPlans) {
        for (const GroupDefinition& row : kept.sheet.rows) {
            if (row.groupCount != 0 && Catalogue::diskType(row.diskType) &&
                !listedAlready(row.diskType)) {
                disks.emplace_back(row.diskType, str(Catalogue::diskReportName(
                                                     row.diskType, kept.sheet.modelIndex)));
            }
        }
    }
    return disks;
}

std::string disksSentence() {
    std::vector<std::string_view> described;
    for (const DiskFigureWords& words : kDiskFigureWords) {
        described.push_back(words.described);
    }
    return diskFiguresSentence(listed(described));
}

// The per-disk figures are printed as typed, without digit grouping.
DocumentTable diskFiguresTable(const PlanDocumentInputs& inputs) {
    std::vector<Column> columns{{PlanDocumentWords::kDiskTypeHeading, false, false}};
    for (const DiskFigureWords& words : kDiskFigureWords) {
        columns.push_back({words.printedHeading, true, false});
    }
    DocumentTable table = tableWith(columns);
    const DigitGrouping grouping({});
    for (const auto& [disk, name] : disksToList(inputs)) {
        std::vector<std::string> cells{name};
        for (const DiskFigure figure : allFigures<DiskFigure>()) {
            const auto& record = figureRule(figure);
            cells.push_back(printedFigure(figureWords(figure), record.rule,
                                          record.value(inputs.assumptions, disk)));
        }
        table.lines.push_back(lineOf(cells, columns, grouping));
    }
    return table;
}

// "Price per array: Telvar A 25,000; Morvik B not priced.": the sheet's model and every kept
// plan's. The arrays' figures are grouped as the costs of the pages above.
std::string modelFigureSentence(const PlanDocumentInputs& inputs, ModelFigure figure) {
    const DigitGrouping grouping(inputs.digitSeparator);
    std::vector<int> models{inputs.sheet.modelIndex};
    for (const KeptPlan& kept : inputs.keptPlans) {
        if (std::find(models.begin(), models.end(), kept.sheet.modelIndex) == models.end()) {
            models.push_back(kept.sheet.modelIndex);
        }
    }
    const ModelFigureWords& words = figureWords(figure);
    const auto& record = figureRule(figure);
    std::string text = str(words.printedLabel) + ':';
    for (std::size_t i = 0; i < models.size(); ++i) {
        const std::string value =
            printedFigure(words, record.rule, record.value(inputs.assumptions, models[i]));
        text += (i == 0 ? " " : "; ") + str(Catalogue::modelName(models[i])) + ' ' +
                grouping(value, true);
    }
    return text + '.';
}

std::string programFigureSentence(const PlanningAssumptions& assumptions, ProgramFigure figure) {
    const auto& record = figureRule(figure);
    return filledIn(figureWords(figure).printed,
                    figureText(record.rule, record.value(assumptions, 0)));
}

// "Capacity growth a year: 20.0 %."
std::string growthFigureSentence(const PlanningAssumptions& assumptions, GrowthFigure figure) {
    const auto& record = figureRule(figure);
    const GrowthFigureWords& words = figureWords(figure);
    return filledIn(words.printed, printedFigure(words, record.rule, record.value(assumptions, 0)));
}

} // namespace

DocumentSection plan_document_parts::assumptionsSection(const PlanDocumentInputs& inputs) {
    DocumentSection section{str(PlanDocumentWords::kAssumptions), {}};
    section.blocks.emplace_back(DocumentParagraph{disksSentence()});
    section.blocks.emplace_back(diskFiguresTable(inputs));
    for (const ModelFigure figure : allFigures<ModelFigure>()) {
        section.blocks.emplace_back(DocumentParagraph{modelFigureSentence(inputs, figure)});
    }
    for (const ProgramFigure figure : allFigures<ProgramFigure>()) {
        section.blocks.emplace_back(
            DocumentParagraph{programFigureSentence(inputs.assumptions, figure)});
    }
    for (const GrowthFigure figure : allFigures<GrowthFigure>()) {
        section.blocks.emplace_back(
            DocumentParagraph{growthFigureSentence(inputs.assumptions, figure)});
    }
    section.blocks.emplace_back(DocumentParagraph{str(PlanDocumentWords::kUnits)});
    return section;
}

} // namespace brim
