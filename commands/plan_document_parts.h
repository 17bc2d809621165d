#pragma once

// What the sections of the printed plan share: their columns as records, the digit grouping of
// costs and counts, and the sections that files of their own write: the kept plans
// (plan_document_kept.cpp) and the assumptions (plan_document_assumptions.cpp).

#include "commands/plan_document.h"

#include <span>
#include <string>
#include <string_view>

namespace brim::plan_document_parts {

struct Column {
    std::string_view heading;
    bool numeric; // right-aligned, so that the digits line up
    bool grouped; // costs and counts, which take the locale's digit grouping
};

inline std::string str(std::string_view text) {
    return std::string(text);
}

// The page's digit grouping: costs and counts grouped with the locale's separator, every other
// figure as the windows write it.
class DigitGrouping {
public:
    explicit DigitGrouping(std::string_view separator) : separator_(separator) {}

    std::string operator()(std::string_view text, bool grouped) const {
        return grouped && !separator_.empty() ? groupDigits(text, separator_) : str(text);
    }

private:
    std::string_view separator_;
};

// An empty table with the columns' headings and alignment.
DocumentTable tableWith(std::span<const Column> columns);

// One line of cells under `columns`, each grouped as its column says.
template <typename Cells>
DocumentLine lineOf(const Cells& cells, std::span<const Column> columns,
                    const DigitGrouping& grouping) {
    DocumentLine line;
    std::size_t c = 0;
    for (const auto& cell : cells) {
        line.cells.push_back(grouping(cell, c < columns.size() && columns[c].grouped));
        ++c;
    }
    return line;
}

// The name a row's own Disk Type list gives its disk, as the windows show it.
std::string_view diskName(const RowDiskNames& names, std::size_t rowIndex, int diskType,
                          int modelIndex);

// Every planning figure in force, walked from the figures' tables (plan_document_assumptions.cpp).
DocumentSection assumptionsSection(const PlanDocumentInputs& inputs);

// The schedule of the years ahead, its chart and its sentences (plan_document_years.cpp).
DocumentSection yearsAheadSection(const PlanDocumentInputs& inputs);

// One line per kept plan and a bar chart of the figure asked for.
DocumentSection keptPlansSection(const PlanDocumentInputs& inputs);

} // namespace brim::plan_document_parts
