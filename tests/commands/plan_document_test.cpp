// What the printed plan says, before any page: which sections a plan gets, the broken rule's line
// across its table, the cost lines only when priced, and the kept plans' chart in the figure
// asked for.

#include "commands/digit_grouping.h"
#include "commands/plan_comparison.h"
#include "commands/plan_document.h"
#include "commands/row_commands.h"
#include "core/data_loss.h"
#include "core/plan_cost.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/growth_example.h"
#include "tests/support/recording_sink.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace brim::test {
namespace {

using namespace names;

ConfigSheet sheetWith(int model, std::vector<GroupLayout> rows) {
    ConfigSheet sheet;
    sheet.modelIndex = model;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        GroupDefinition& row = sheet.rows[i];
        row.diskType = rows[i].diskType;
        row.raidType = rows[i].raidType;
        row.disksPerGroup = rows[i].disksPerGroup;
        row.groupCount = rows[i].groupCount;
    }
    return sheet;
}

std::vector<std::string> headings(const PlanDocument& document) {
    std::vector<std::string> names;
    for (const DocumentSection& section : document.sections) {
        names.push_back(section.heading);
    }
    return names;
}

const DocumentSection& section(const PlanDocument& document, std::string_view heading) {
    return *std::find_if(document.sections.begin(), document.sections.end(),
                         [heading](const DocumentSection& s) { return s.heading == heading; });
}

bool says(const DocumentSection& section, std::string_view text) {
    return std::any_of(section.blocks.begin(), section.blocks.end(), [text](const auto& block) {
        const auto* paragraph = std::get_if<DocumentParagraph>(&block);
        return paragraph && paragraph->text.find(text) != std::string::npos;
    });
}

template <typename Block> const Block* first(const DocumentSection& section) {
    for (const DocumentBlock& block : section.blocks) {
        if (const auto* found = std::get_if<Block>(&block)) {
            return found;
        }
    }
    return nullptr;
}

const RowDiskNames kNoNames{};

TEST(PlanDocumentTest, SectionsFollowTheKeptPlansAndThePrices) {
    const ConfigSheet sheet = sheetWith(kTelvarA, {{k450G, kRaid5, 5, 2}});
    PlanningAssumptions priced;
    priced.prices.setDiskHundredths(k450G, 45'000);
    const std::vector<KeptPlan> kept{{"A", sheet}};
    struct Case {
        const PlanningAssumptions assumptions;
        std::span<const KeptPlan> kept;
        std::vector<std::string> headings;
        std::string_view costSentence;
    };
    const std::vector<std::string> withoutKept{"The sheet",       "What the sheet delivers",
                                               "Disks to order",  "Risk and cost",
                                               "The years ahead", "Assumptions"};
    std::vector<std::string> withKept = withoutKept;
    withKept.insert(withKept.end() - 1, "Kept plans");
    const std::vector<Case> cases{
        {PlanningAssumptions{}, {}, withoutKept, "No price is set"},
        {priced, kept, withKept, "Cost of the disks to order"},
    };
    for (const Case& c : cases) {
        const PlanDocument document =
            planDocument({sheet, c.assumptions, kNoNames, c.kept, std::nullopt, {2026, 1, 2}});
        EXPECT_EQ(headings(document), c.headings);
        EXPECT_TRUE(says(section(document, "Risk and cost"), c.costSentence));
        EXPECT_EQ(document.title, "Brimcount plan for a Telvar A, 2 January 2026");
    }
}

// A row that breaks a rule reads its message across the figures of both tables that list rows.
TEST(PlanDocumentTest, ARowThatBreaksARuleReadsAcrossItsLine) {
    const ConfigSheet sheet =
        sheetWith(kTelvarA, {{k450G, kRaid5, 5, 2}, {k450G, kRaid5, 2, 1}}); // RAID5 of 2 disks
    const PlanDocument document =
        planDocument({sheet, PlanningAssumptions{}, kNoNames, {}, std::nullopt, {2026, 1, 2}});
    for (const std::string_view heading : {"What the sheet delivers", "Risk and cost"}) {
        const DocumentTable* table = first<DocumentTable>(section(document, heading));
        ASSERT_NE(table, nullptr) << heading;
        ASSERT_GE(table->lines.size(), 2U) << heading;
        EXPECT_FALSE(table->lines[0].acrossRest) << heading;
        EXPECT_TRUE(table->lines[1].acrossRest) << heading;
        EXPECT_EQ(table->lines[1].cells[0], "2") << heading;
        EXPECT_FALSE(table->lines[1].cells[1].empty()) << heading;
    }
}

// Every figure printed sits under a heading: a cell per heading on each line, and a table of
// more than two columns names every one (the totals name only their first).
TEST(PlanDocumentTest, EveryColumnOfEveryTableIsNamed) {
    const ConfigSheet sheet = sheetWith(kTelvarA, {{k450G, kRaid5, 5, 2}, {k1TbAta, kRaid6, 6, 1}});
    const std::vector<KeptPlan> kept{{"A", sheet}};
    for (const DocumentSection& s :
         planDocument({sheet, {}, kNoNames, kept, std::nullopt, {2026, 1, 2}}).sections) {
        for (const DocumentBlock& block : s.blocks) {
            const auto* table = std::get_if<DocumentTable>(&block);
            if (table == nullptr) {
                continue;
            }
            for (const DocumentLine& line : table->lines) {
                EXPECT_EQ(line.cells.size(), table->headings.size()) << s.heading;
            }
            EXPECT_TRUE(table->headings.size() <= 2 ||
                        std::ranges::none_of(table->headings, &std::string::empty))
                << s.heading;
        }
    }
}

// One bar per kept plan, in their order, of the figure asked for (usable TB when none was), as
// the core computes it.
TEST(PlanDocumentTest, TheChartShowsTheFigureAskedForOfEveryKeptPlan) {
    PlanningAssumptions assumptions;
    assumptions.prices.setDiskHundredths(k1TbAta, 30'000);
    const std::vector<KeptPlan> kept{
        {"small", sheetWith(kTelvarA, {{k1TbAta, kRaid6, 6, 2}})},
        {"large", sheetWith(kMorvikB, {{k1TbAta, kRaid5, 5, 9}, {k450G, kRaid10, 8, 3}})},
        {"empty", sheetWith(kTelvarA, {})},
    };
    const ConfigSheet sheet = kept[0].sheet;
    struct Case {
        std::optional<PlanFigure> asked;
        std::string caption;
        double (*figure)(const ConfigSheet&, const PlanningAssumptions&);
    };
    const std::vector<Case> cases{
        {std::nullopt, "Usable TB of each kept plan",
         [](const ConfigSheet& s, const PlanningAssumptions&) { return sheetUsableTib(s); }},
        {PlanFigure::LossChance, "Loss/yr of each kept plan",
         [](const ConfigSheet& s, const PlanningAssumptions& a) {
             return sheetLoss(s, a).planChance;
         }},
        {PlanFigure::Cost, "Cost of each kept plan",
         [](const ConfigSheet& s, const PlanningAssumptions& a) { return sheetCost(s, a).cost; }},
        {PlanFigure::CostPerUsableTb, "Cost per usable TB of each kept plan",
         [](const ConfigSheet& s, const PlanningAssumptions& a) {
             return sheetCost(s, a).perUsableTib.value_or(0.0); // 0 unpriced
         }},
    };
    for (const Case& c : cases) {
        const PlanDocument document =
            planDocument({sheet, assumptions, kNoNames, kept, c.asked, {2026, 1, 2}});
        const DocumentChart* chart = first<DocumentChart>(section(document, "Kept plans"));
        ASSERT_NE(chart, nullptr);
        EXPECT_EQ(chart->caption, c.caption);
        ASSERT_EQ(chart->bars.size(), kept.size());
        for (std::size_t i = 0; i < kept.size(); ++i) {
            EXPECT_EQ(chart->bars[i].label, kept[i].name);
            EXPECT_DOUBLE_EQ(chart->bars[i].value, c.figure(kept[i].sheet, assumptions))
                << c.caption << ", " << kept[i].name;
        }
    }
}

// The kept plans' figures read as Compare Plans shows them, the new columns after Cost, and a
// figure the printed table has is charted as itself.
TEST(PlanDocumentTest, KeptPlansReadAsComparePlansShowsThem) {
    PlanningAssumptions assumptions;
    assumptions.prices.setDiskHundredths(k1TbAta, 30'000);
    assumptions.prices.setArrayHundredths(kMorvikB, 1'500'000);
    const std::vector<KeptPlan> kept{
        {"priced", sheetWith(kMorvikB, {{k1TbAta, kRaid5, 5, 9}})},
        {"partly", sheetWith(kMorvikB, {{k1TbAta, kRaid6, 6, 2}, {k450G, kRaid10, 8, 3}})},
        {"unpriced", sheetWith(kTelvarA, {{k450G, kRaid5, 5, 2}})}};
    const PlanDocument document =
        planDocument({kept[0].sheet, assumptions, kNoNames, kept, std::nullopt, {2026, 1, 2}});
    const DocumentTable& table = *first<DocumentTable>(section(document, "Kept plans"));
    const std::vector<std::string> headings{
        "Plan", "Model",   "Usable TB", "Disks / arrays to order", "Host IOPS",
        "MB/s", "Loss/yr", "Cost",      "Cost per usable TB",      "Cost per 1000 host IOPS"};
    ASSERT_EQ(table.headings, headings);
    EXPECT_EQ(table.numeric,
              std::vector<bool>({false, false, true, true, true, true, true, true, true, true}));
    const std::vector<std::pair<std::size_t, PlanFigure>> figures{
        {2, PlanFigure::UsableTb},
        {4, PlanFigure::HostIops},
        {5, PlanFigure::Mbps},
        {6, PlanFigure::LossChance},
        {7, PlanFigure::Cost},
        {8, PlanFigure::CostPerUsableTb},
        {9, PlanFigure::CostPerThousandIops}};
    for (std::size_t p = 0; p < kept.size(); ++p) {
        const ComparedColumn compared = compareColumn(kept[p].name, kept[p].sheet, assumptions, {});
        for (const auto& [c, figure] : figures) {
            EXPECT_EQ(table.lines[p].cells[c], compared[figure].text) << p << ", " << headings[c];
        }
    }
    for (const PlanFigureInfo& info : kPlanFigures) {
        if (std::ranges::count(headings, info.heading) != 0) {
            EXPECT_EQ(planFigureName(printedFigureOf(info.figure)), info.heading);
        }
    }
}

// Costs and counts group their digits with the separator given; capacities, percentages, hours
// and the per-disk assumptions read as without one. A plan large enough that all have 5 digits
// or more, and so would show a wrong grouping.
TEST(PlanDocumentTest, CostsAndCountsAloneGroupTheirDigits) {
    ConfigSheet sheet = sheetWith(kTelvarA, {{k450G, kRaid5, 5, 8'000}, {k1TbAta, kRaid6, 6, 40}});
    RecordingSink messages;
    computeSheet(sheet, messages);
    PlanningAssumptions assumptions;
    assumptions.prices.setDiskHundredths(k450G, 12'345'600);
    assumptions.prices.setArrayHundredths(kTelvarA, 2'500'000);
    assumptions.disks.setRandomIops(k450G, 12'345);
    const std::vector<KeptPlan> kept{{"A", sheet}};
    const std::string_view separator = "\u202f"; // a narrow no-break space, as some locales use
    const auto documentWith = [&](std::string_view digits) {
        return planDocument(
            {sheet, assumptions, kNoNames, kept, PlanFigure::Cost, {2026, 1, 2}, digits});
    };
    // The section and column (a total by its label, the chart by its figure) of what groups.
    const std::set<std::string> groupedColumns{"The sheet|Groups",
                                               "The sheet|Disks/Group",
                                               "The sheet|Total Disks",
                                               "The sheet|Arrays Needed",
                                               "What the sheet delivers|Disks/ Group",
                                               "What the sheet delivers|Groups",
                                               "What the sheet delivers|Host IOPS",
                                               "What the sheet delivers|MB/s",
                                               "What the sheet delivers|Read-only MB/s",
                                               "What the sheet delivers|Write-only MB/s",
                                               "Disks to order|In groups",
                                               "Disks to order|Spares",
                                               "Disks to order|To order",
                                               "Disks to order|Cost",
                                               "Risk and cost|Groups",
                                               "The years ahead|Groups",
                                               "The years ahead|Host IOPS",
                                               "The years ahead|Disks to order",
                                               "The years ahead|Arrays",
                                               "The years ahead|Buy disks",
                                               "The years ahead|Buy arrays",
                                               "The years ahead|Purchase",
                                               "The years ahead|Energy",
                                               "The years ahead|Support",
                                               "The years ahead|Cost",
                                               "The years ahead|Cumulative",
                                               "Kept plans|Disks / arrays to order",
                                               "Kept plans|Host IOPS",
                                               "Kept plans|MB/s",
                                               "Kept plans|Cost",
                                               "Kept plans|Cost per usable TB",
                                               "Kept plans|Cost per 1000 host IOPS"};
    const PlanDocument plain = documentWith("");
    const PlanDocument grouped = documentWith(separator);
    std::set<std::string> met;
    int changed = 0;
    const auto expect = [&](const std::string& where, const std::string& before,
                            const std::string& after) {
        const bool groups = groupedColumns.contains(where);
        met.insert(groups ? where : "");
        EXPECT_EQ(after, groups ? groupDigits(before, separator) : before) << where;
        changed += after != before ? 1 : 0;
    };
    for (std::size_t s = 0; s < plain.sections.size(); ++s) {
        const std::string& heading = plain.sections[s].heading;
        for (std::size_t b = 0; b < plain.sections[s].blocks.size(); ++b) {
            const DocumentBlock& before = plain.sections[s].blocks[b];
            const DocumentBlock& after = grouped.sections[s].blocks[b];
            if (const auto* table = std::get_if<DocumentTable>(&before)) {
                for (std::size_t l = 0; l < table->lines.size(); ++l) {
                    const std::vector<std::string>& cells = table->lines[l].cells;
                    for (std::size_t c = 0; c < cells.size(); ++c) {
                        const bool totals = table->headings[0] == "Totals";
                        expect(heading + '|' + (totals ? cells[0] : table->headings[c]), cells[c],
                               std::get<DocumentTable>(after).lines[l].cells[c]);
                    }
                }
            } else if (const auto* chart = std::get_if<DocumentChart>(&before)) {
                for (std::size_t i = 0; i < chart->bars.size(); ++i) {
                    // The kept plans chart their costs; the years ahead their usable TB.
                    const std::string figure = heading == "Kept plans" ? "|Cost" : "|Usable TB";
                    expect(heading + figure, chart->bars[i].valueText,
                           std::get<DocumentChart>(after).bars[i].valueText);
                }
            } else { // a sentence groups its costs and counts; no other figure has 5 digits
                const std::string& text = std::get<DocumentParagraph>(before).text;
                EXPECT_EQ(std::get<DocumentParagraph>(after).text, groupDigits(text, separator));
            }
        }
    }
    EXPECT_EQ(met.size(), groupedColumns.size() + 1); // every grouped column met, and others
    EXPECT_GT(changed, 15);
}

// The years ahead print the Growth Plan's schedule: a table of what each year holds and one of
// what it buys, each with its total line, the chart with the need marked, and its sentences;
// without a definition that can grow, only the note why.
TEST(PlanDocumentTest, TheYearsAheadPrintTheScheduleOrSayWhyNot) {
    const PlanningAssumptions a = growthExampleAssumptions();
    const ConfigSheet sheet = growthExampleSheet();
    const PlanDocument document =
        planDocument({sheet, a, kNoNames, {}, std::nullopt, {2026, 1, 2}});
    const DocumentSection& years = section(document, "The years ahead");
    EXPECT_TRUE(says(years, "Over 5 years the plan costs 88685: 1179 per usable TB in year 5."));
    std::vector<const DocumentTable*> tables;
    for (const DocumentBlock& block : years.blocks) {
        if (const auto* table = std::get_if<DocumentTable>(&block)) {
            tables.push_back(table);
        }
    }
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0]->headings[1], "Need TB");
    EXPECT_EQ(tables[0]->lines[4].cells[3], "14");    // year 5's groups
    EXPECT_EQ(tables[1]->lines[0].cells[3], "62600"); // year 1's purchase
    EXPECT_EQ(tables[1]->lines.size(), 6u);
    const DocumentChart* chart = first<DocumentChart>(years);
    ASSERT_NE(chart, nullptr);
    ASSERT_EQ(chart->bars.size(), 5u);
    ASSERT_TRUE(chart->bars[4].mark.has_value());
    EXPECT_NEAR(*chart->bars[4].mark, 20.0 * 1.3 * 1.3 * 1.3 * 1.3 * 1.3, 1e-9);
    EXPECT_EQ(chart->bars[0].valueText, "26.87 TB, need 26.00");

    const PlanDocument empty =
        planDocument({ConfigSheet{}, a, kNoNames, {}, std::nullopt, {2026, 1, 2}});
    const DocumentSection& none = section(empty, "The years ahead");
    EXPECT_EQ(first<DocumentTable>(none), nullptr);
    EXPECT_TRUE(says(none, "Fill a definition with groups, a RAID type and disks per group"));
}

} // namespace
} // namespace brim::test
