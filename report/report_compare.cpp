#include "report/report_compare.h"

#include "core/blanks.h"
#include "report/report_lines.h"

#include <array>
#include <cstddef>
#include <utility>

namespace brim {
namespace {

// A row's two capacities and the totals, under the report's column headings and labels.
struct RowFigure {
    std::string_view heading;
    std::string GroupDefinition::*text;
};
constexpr std::array<RowFigure, 2> kRowFigures{{
    {"Per Group", &GroupDefinition::groupCapacityText},
    {"Subtotal", &GroupDefinition::totalCapacityText},
}};

struct TotalFigure {
    std::string_view label;
    std::string ConfigSheet::*text;
};

// "Total Net (GB)" of the line's "Total Net (GB): ".
constexpr std::string_view labelName(std::string_view label) {
    return label.substr(0, label.rfind(':'));
}

constexpr std::array<TotalFigure, 4> kTotalFigures{{
    {labelName(report_lines::kNetGbLabel), &ConfigSheet::netTotalGbText},
    {labelName(report_lines::kNetTbLabel), &ConfigSheet::netTotalTbText},
    {labelName(report_lines::kTotalDisksLabel), &ConfigSheet::totalDisksText},
    {labelName(report_lines::kArraysLabel), &ConfigSheet::arraysRequiredText},
}};
static_assert(kTotalFigures[3].label == "Min. # of arrays needed");

// At most this much of each text goes into the message: a hand-made report's line can fill the
// file, while Compute's own figures are never this long.
constexpr std::size_t kReportTextLimit = 20;

std::string reportTextShown(std::string_view text) {
    text = trimBlanks(text);
    return text.size() > kReportTextLimit ? std::string(text.substr(0, kReportTextLimit)) + "..."
                                          : std::string(text);
}

std::optional<DifferingFigure> differingFigure(std::string name, std::string_view printed,
                                               std::string_view computed) {
    if (trimBlanks(printed) == trimBlanks(computed)) {
        return std::nullopt;
    }
    return DifferingFigure{std::move(name), std::string(trimBlanks(printed)),
                           std::string(trimBlanks(computed))};
}

// A figure that was printed or computed empty says so, rather than leave a gap in the message.
std::string figureShown(std::string_view figure) {
    return figure.empty() ? std::string("empty") : reportTextShown(figure);
}

} // namespace

// A row names where a difference comes from, and the totals then differ as well.
std::optional<DifferingFigure> firstDifferingFigure(const ConfigSheet& printed,
                                                    const ConfigSheet& computed) {
    for (std::size_t i = 0; i < printed.rows.size(); ++i) {
        if (printed.rows[i].groupCount == 0) {
            continue;
        }
        for (const RowFigure& figure : kRowFigures) {
            const std::string name =
                "row " + std::to_string(i + 1) + " " + std::string(figure.heading);
            if (auto differs = differingFigure(name, printed.rows[i].*figure.text,
                                               computed.rows[i].*figure.text)) {
                return differs;
            }
        }
    }
    for (const TotalFigure& figure : kTotalFigures) {
        if (auto differs = differingFigure(std::string(figure.label), printed.*figure.text,
                                           computed.*figure.text)) {
            return differs;
        }
    }
    return std::nullopt;
}

std::string differingFiguresMessage(std::string_view reportVersion, const DifferingFigure& first) {
    return "The report's figures differ from those computed now (report version " +
           reportTextShown(reportVersion) + "): " + first.name + " was " +
           figureShown(first.printed) + ", now " + figureShown(first.computed) +
           "; the window shows the computed ones.";
}

} // namespace brim
