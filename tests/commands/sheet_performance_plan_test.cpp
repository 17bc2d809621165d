#include "commands/sheet_performance_plan.h"
#include "tests/support/catalogue_names.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace brim::test {
namespace {

// The main window's lists: entry 0 reads differently in row 1, rows 2-3 and rows 4-10.
constexpr std::string_view kListRow1[] = {"73G FC/EFD", "146 G FC",  "300 G FC",  "400 G FC",
                                          "450 G FC",   "500 G ATA", "750 G ATA", "  1 TB ATA"};
constexpr std::string_view kListRows2To3[] = {"73 G FC/EFD", "146 G FC",  "300 G FC",
                                              "400 G FC",    "450 G FC",  "500 G ATA",
                                              "750 G ATA",   "  1 TB ATA"};
constexpr std::string_view kListRows4To10[] = {"  73 G FC", "146 G FC",  "300 G FC",  "400 G FC",
                                               "450 G FC",  "500 G ATA", "750 G ATA", "  1 TB ATA"};
const RowDiskNames kNames{kListRow1,      kListRows2To3,  kListRows2To3,  kListRows4To10,
                          kListRows4To10, kListRows4To10, kListRows4To10, kListRows4To10,
                          kListRows4To10, kListRows4To10};

using namespace names;

struct GivenRow {
    int row; // 1-10
    int disk;
    int raid;
    std::uint32_t disksPerGroup;
    std::uint32_t groups;
};

ConfigSheet sheetOf(int model, const std::vector<GivenRow>& rows) {
    ConfigSheet sheet;
    sheet.modelIndex = model;
    for (const GivenRow& given : rows) {
        GroupDefinition& row = sheet.rows[static_cast<std::size_t>(given.row - 1)];
        row.diskType = given.disk;
        row.raidType = given.raid;
        row.disksPerGroup = given.disksPerGroup;
        row.groupCount = given.groups;
    }
    return sheet;
}

using Cells = std::vector<std::string>;

Cells cellsOf(const PerformanceTextLine& line) {
    return {line.cells.begin(), line.cells.end()};
}

// Figures worked by hand: 5 × 180 IOPS in RAID5 at 70 % reads gives 900 ÷ 1.9 = 473.68, and
// 90 MB/s over 4 data disks 360 MB/s; the 450 G FC disk rebuilds in 2.29 h and reading 4 of them
// at 10^16 meets an error with 0.14 %; RAID6 of 6 × 1 TB ATA at 50 % gives 480 ÷ 3.5 = 137.14
// per group, a rebuild of 5.2 h and 3.10 % after two failures.
TEST(SheetPerformancePlanTest, ShowsEachRowByItselfUnderItsListsNameAndTotals) {
    struct Case {
        int model;
        std::vector<GivenRow> rows;
        std::string readPercent;
        std::size_t line;
        Cells cells;
        bool broken;
    };
    const Case cases[] = {
        {kTelvarA,
         {{1, k450G, kRaid5, 5, 1}},
         "70",
         0,
         {"1", "450 G FC", "RAID5", "5", "1", "474", "360", "360", "360", "2.3", "0.14%", "0.014%"},
         false},
        {kTelvarA,
         {{1, k450G, kRaid5, 5, 1}},
         "100",
         0,
         {"1", "450 G FC", "RAID5", "5", "1", "900", "360", "360", "360", "2.3", "0.14%", "0.014%"},
         false},
        {kTelvarA,
         {{4, k1TbAta, kRaid6, 6, 2}},
         "50",
         0,
         {"4", "1 TB ATA", "RAID6", "6", "2", "274", "480", "480", "480", "5.2",
          "3.10% after 2 failures", "0.00010%"},
         false},
        {kTelvarA,
         {{2, k73G, kRaid1, 2, 1}},
         "70",
         0,
         {"2", "73 G FC/EFD", "RAID1", "2", "1", "277", "138", "180", "90", "0.4", "<0.01%",
          "0.00023%"},
         false},
        {kTelvarA,
         {{1, k73G, kNoRaidType, 0, 3}},
         "70",
         0,
         {"1", "73G FC/EFD", "", "0", "3", "—", "—", "—", "—", "—", "—", "—"},
         false},
        {kTelvarA,
         {{3, k450G, kRaid5, 2, 1}, {5, k450G, kRaid5, 5, 1}},
         "70",
         0,
         {"3", "Error: RAID5 requires 3 to 16 disks per group", "", "", "", "", "", "", "", "", "",
          ""},
         true},
        {kZundaS,
         {{6, k73G, kRaid5, 5, 1}},
         "70",
         0,
         {"6", "Disk type not allowed with selected chassis", "", "", "", "", "", "", "", "", "",
          ""},
         true},
        // A broken row adds nothing to the total.
        {kTelvarA,
         {{1, k450G, kRaid5, 5, 1}, {2, k450G, kRaid5, 17, 1}, {4, k1TbAta, kRaid6, 6, 2}},
         "70",
         3,
         {"Total", "", "", "", "", "858", "840", "840", "840", "", "", "0.014%"},
         false},
    };
    for (const Case& c : cases) {
        const ConfigSheet sheet = sheetOf(c.model, c.rows);
        PlanningAssumptions assumptions;
        SheetPerformancePlan plan(sheet, assumptions, kNames);
        EXPECT_EQ(plan.typeField(ProgramFigure::ReadPercent, c.readPercent), "");
        const auto& lines = plan.performanceLines();
        ASSERT_EQ(lines.size(), c.rows.size() + 1) << c.cells[0];
        EXPECT_EQ(cellsOf(lines[c.line]), c.cells);
        EXPECT_EQ(lines[c.line].brokenRule, c.broken) << c.cells[1];
    }
}

// A refused text keeps the value in use and empties only the table that rests on it.
TEST(SheetPerformancePlanTest, TakesFieldsInTheirRangesAndEmptiesTheirTableOtherwise) {
    struct Case {
        PlanField field;
        std::string text;
        bool taken;
        std::string kept;
    };
    const Case cases[] = {
        {ProgramFigure::ReadPercent, " 0 ", true, "0"},
        {ProgramFigure::ReadPercent, "100", true, "100"},
        {ProgramFigure::ReadPercent, "101", false, "70"},
        {ProgramFigure::ReadPercent, "", false, "70"},
        {ProgramFigure::ReadPercent, "-5", false, "70"},
        {ProgramFigure::ReadPercent, "7a", false, "70"},
        {ProgramFigure::DisksPerSpare, "0", false, "30"},
        {ProgramFigure::DisksPerSpare, "1000", true, "1000"},
        {ProgramFigure::DisksPerSpare, "1001", false, "30"},
        {ProgramFigure::MinSparesPerType, "0", true, "0"},
        {ProgramFigure::MinSparesPerType, "101", false, "1"},
        // Neither empties a table: the figures keep the price and the hours in use.
        {ModelFigure::ArrayPrice, " 45000.50 ", true, "45000.5"},
        {ModelFigure::ArrayPrice, "1000000000.01", false, "0"},
        {ModelFigure::ArrayPrice, "1.234", false, "0"},
        {ProgramFigure::HoursBeforeRebuild, "720", true, "720"},
        {ProgramFigure::HoursBeforeRebuild, "1.5", false, "0"},
    };
    const ConfigSheet sheet = sheetOf(kTelvarA, {{1, k450G, kRaid5, 5, 1}});
    for (const Case& c : cases) {
        PlanningAssumptions assumptions;
        SheetPerformancePlan plan(sheet, assumptions, kNames);
        const std::string_view note = plan.typeField(c.field, c.text);
        EXPECT_EQ(note.empty(), c.taken) << c.text;
        EXPECT_EQ(plan.fieldText(c.field), c.kept) << c.text;
        const bool reads = c.field == PlanField{ProgramFigure::ReadPercent};
        const bool spares = c.field == PlanField{ProgramFigure::DisksPerSpare} ||
                            c.field == PlanField{ProgramFigure::MinSparesPerType};
        EXPECT_EQ(plan.performanceLines().empty(), reads && !c.taken) << c.text;
        EXPECT_EQ(plan.orderLines().empty(), spares && !c.taken) << c.text;
        EXPECT_EQ(plan.typeField(c.field, c.kept), "") << "a good text brings the table back";
        EXPECT_FALSE(plan.performanceLines().empty() || plan.orderLines().empty());
    }
}

TEST(SheetPerformancePlanTest, TakesFiguresInTheirRangesAndKeepsTheOldOneOtherwise) {
    struct Case {
        DiskFigure column;
        std::string text;
        std::string shown;
        PerformanceColumn effect;
        std::string effectText; // of the row's line afterwards
        std::string note;
    };
    const Case cases[] = {
        {DiskFigure::RandomIops, "250", "250", PerformanceColumn::HostIops, "658", ""},
        {DiskFigure::RandomIops, "0", "180", PerformanceColumn::HostIops, "474",
         "Kept 180 as the 450 G FC's IOPS: type a whole number from 1 to 100000."},
        {DiskFigure::RandomIops, "100001", "180", PerformanceColumn::HostIops, "474", "Kept"},
        {DiskFigure::SequentialMbps, "10000", "10000", PerformanceColumn::Mbps, "40000", ""},
        {DiskFigure::ReadErrorExponent, "10^17", "10^17", PerformanceColumn::ReadErrorRisk, "0.01%",
         ""},
        {DiskFigure::ReadErrorExponent, "19", "10^16", PerformanceColumn::ReadErrorRisk, "0.14%",
         "Kept 10^16 as the 450 G FC's read-error rate: type a power of ten from 12 to 18."},
        {DiskFigure::RebuildMbps, "100", "100", PerformanceColumn::RebuildHours, "1.1", ""},
        {DiskFigure::RebuildMbps, "x", "50", PerformanceColumn::RebuildHours, "2.3", "Kept"},
        {DiskFigure::AnnualFailure, "4", "4", PerformanceColumn::LossPerYear, "0.029%", ""},
        {DiskFigure::AnnualFailure, "0.001", "2", PerformanceColumn::LossPerYear, "0.014%",
         "Kept 2 as the 450 G FC's AFR %: type a number from 0.01 to 50 with up to two decimals."},
        {DiskFigure::AnnualFailure, "50.01", "2", PerformanceColumn::LossPerYear, "0.014%", "Kept"},
        {DiskFigure::Price, "1520.50", "1520.5", PerformanceColumn::LossPerYear, "0.014%", ""},
        {DiskFigure::Price, "-1", "0", PerformanceColumn::LossPerYear, "0.014%", "Kept 0 as"},
        {DiskFigure::Watts, "8.5", "8.5", PerformanceColumn::LossPerYear, "0.014%", ""},
        {DiskFigure::Watts, "100.1", "12", PerformanceColumn::LossPerYear, "0.014%",
         "Kept 12 as the 450 G FC's watts: type a number from 0 to 100 with up to one decimal."},
    };
    const ConfigSheet sheet = sheetOf(kTelvarA, {{1, k450G, kRaid5, 5, 1}});
    for (const Case& c : cases) {
        PlanningAssumptions assumptions;
        SheetPerformancePlan plan(sheet, assumptions, kNames);
        EXPECT_EQ(plan.typeField(ModelFigure::ArrayWatts, "600"), "");
        EXPECT_EQ(plan.setFigure(k450G, c.column, c.text), c.note.empty()) << c.text;
        EXPECT_EQ(plan.figureText(k450G, c.column), c.shown) << c.text;
        EXPECT_EQ(plan.performanceLines()[0][c.effect], c.effectText) << c.text;
        EXPECT_EQ(plan.figureNote().substr(0, c.note.size()), c.note) << c.text;
        EXPECT_EQ(plan.figureNote().empty(), c.note.empty()) << c.text;
        plan.restoreDefaults();
        EXPECT_EQ(*assumptions.disks.figures(k450G), kFcSasDefaults);
        EXPECT_EQ(plan.figureNote(), "");
        // A price and the arrays' power are the planner's own: the defaults come back around.
        EXPECT_EQ(plan.figureText(k450G, DiskFigure::Price),
                  c.column == DiskFigure::Price ? c.shown : "0");
        EXPECT_EQ(plan.fieldText(ModelFigure::ArrayWatts), "600");
    }
}

TEST(SheetPerformancePlanTest, OffersTheFamilysDiskTypesUnderTheLastRowsNames) {
    const std::pair<int, std::vector<std::string_view>> cases[] = {
        {kZundaS, {"146 G FC", "300 G FC", "400 G FC", "450 G FC", "750 G ATA", "1 TB ATA"}},
        {kTelvarA,
         {"73 G FC", "146 G FC", "300 G FC", "400 G FC", "450 G FC", "500 G ATA", "750 G ATA",
          "1 TB ATA"}},
    };
    for (const auto& [model, names] : cases) {
        PlanningAssumptions assumptions;
        const ConfigSheet sheet = sheetOf(model, {});
        SheetPerformancePlan plan(sheet, assumptions, kNames);
        std::vector<std::string_view> offered;
        for (const DiskChoice& choice : plan.diskTypes()) {
            offered.push_back(choice.name);
            EXPECT_EQ(plan.diskTypeName(choice.diskType), choice.name);
        }
        EXPECT_EQ(offered, names) << model;
    }
}

TEST(SheetPerformancePlanTest, OrdersEveryDiskTypeInUseWithItsSparesAndTheArraysTheyNeed) {
    struct Case {
        std::vector<GivenRow> rows;
        std::string disksPerSpare;
        std::string minSpares;
        std::vector<OrderTextLine> lines;
        std::string arrays;
    };
    const Case cases[] = {
        // 120 disks fill one Telvar A; their 4 spares need a second.
        {{{1, k450G, kRaid5, 15, 8}},
         "30",
         "1",
         {{"450 G FC", "120", "4", "124", "—"}, {"Total", "120", "4", "124", "—"}},
         "The disks to order need 2 arrays of the Telvar A: the spares need 1 more array than "
         "the 1 D/SPEs Required."},
        // A broken row orders nothing.
        {{{1, k450G, kRaid5, 5, 1}, {2, k146G, kRaid5, 2, 9}, {4, k1TbAta, kRaid6, 6, 2}},
         "30",
         "1",
         {{"450 G FC", "5", "1", "6", "—"},
          {"1 TB ATA", "12", "1", "13", "—"},
          {"Total", "17", "2", "19", "—"}},
         "The disks to order need 1 array of the Telvar A."},
        {{{1, k450G, kRaid5, 5, 1}, {4, k1TbAta, kRaid6, 6, 2}},
         "2",
         "3",
         {{"450 G FC", "5", "3", "8", "—"},
          {"1 TB ATA", "12", "6", "18", "—"},
          {"Total", "17", "9", "26", "—"}},
         "The disks to order need 1 array of the Telvar A."},
        {{}, "30", "1", {{"Total", "0", "0", "0", "—"}}, ""},
    };
    for (const Case& c : cases) {
        PlanningAssumptions assumptions;
        const ConfigSheet sheet = sheetOf(kTelvarA, c.rows);
        SheetPerformancePlan plan(sheet, assumptions, kNames);
        plan.typeField(ProgramFigure::DisksPerSpare, c.disksPerSpare);
        plan.typeField(ProgramFigure::MinSparesPerType, c.minSpares);
        EXPECT_EQ(plan.orderLines(), c.lines) << c.arrays;
        EXPECT_EQ(plan.arraysLine(), c.arrays);
    }
}

// By hand: 124 × 450 G FC at 1000 and 2 arrays at 50000 make 224000; 120 disks deliver
// 21600 ÷ 1.9 = 11368 host IOPS, 19704 per 1000. They draw 124 × 12 W = 1488 W, 5077 BTU/h;
// 6 × 12 + 13 × 10 + 600 W = 802 W, 2736 BTU/h; 34 × 10 + 600 W = 940 W, 3207 BTU/h.
TEST(SheetPerformancePlanTest, CostsTheOrderAndNamesThePricesItLeavesOut) {
    struct Case {
        std::vector<GivenRow> rows;
        std::string diskPrice; // of the 450 G FC
        std::string arrayPrice;
        std::string arrayWatts;
        std::vector<OrderTextLine> lines;
        std::string costLine;
        std::string powerLine;
    };
    const std::string notCounted = " Not counted: the power of the Telvar A array.";
    const Case cases[] = {
        {{{1, k450G, kRaid5, 15, 8}},
         "1000",
         "50000",
         "0",
         {{"450 G FC", "120", "4", "124", "124000"},
          {"Arrays", "", "", "2", "100000"},
          {"Total", "120", "4", "124", "224000"}},
         "The plan costs 224000: 5087 per usable TB, 19704 per 1000 host IOPS.",
         "The plan draws 1.5 kW, 5077 BTU/h of heat." + notCounted},
        {{{1, k450G, kRaid5, 5, 1}, {4, k1TbAta, kRaid6, 6, 2}},
         "0",
         "45000",
         "600",
         {{"450 G FC", "5", "1", "6", "—"},
          {"1 TB ATA", "12", "1", "13", "—"},
          {"Arrays", "", "", "1", "45000"},
          {"Total", "17", "2", "19", "45000"}},
         "The plan costs 45000: 5150 per usable TB, 52467 per 1000 host IOPS. Not priced: 450 G "
         "FC, 1 TB ATA.",
         "The plan draws 0.8 kW, 2736 BTU/h of heat."},
        {{{1, k450G, kRaid5, 5, 1}, {4, k1TbAta, kRaid6, 6, 2}},
         "1000",
         "0",
         "0",
         {{"450 G FC", "5", "1", "6", "6000"},
          {"1 TB ATA", "12", "1", "13", "—"},
          {"Arrays", "", "", "1", "—"},
          {"Total", "17", "2", "19", "6000"}},
         "The plan costs 6000: 687 per usable TB, 6996 per 1000 host IOPS. Not priced: 1 TB ATA, "
         "the Telvar A array.",
         "The plan draws 0.2 kW, 689 BTU/h of heat." + notCounted},
        {{{1, k1TbAta, kRaid6, 8, 4}},
         "0",
         "0",
         "600",
         {{"1 TB ATA", "32", "2", "34", "—"}, {"Total", "32", "2", "34", "—"}},
         "",
         "The plan draws 0.9 kW, 3207 BTU/h of heat."},
        {{}, "0", "0", "600", {{"Total", "0", "0", "0", "—"}}, "", ""},
    };
    for (const Case& c : cases) {
        PlanningAssumptions assumptions;
        const ConfigSheet sheet = sheetOf(kTelvarA, c.rows);
        SheetPerformancePlan plan(sheet, assumptions, kNames);
        EXPECT_TRUE(plan.setFigure(k450G, DiskFigure::Price, c.diskPrice));
        EXPECT_EQ(plan.typeField(ModelFigure::ArrayPrice, c.arrayPrice), "");
        EXPECT_EQ(plan.typeField(ModelFigure::ArrayWatts, c.arrayWatts), "");
        EXPECT_EQ(plan.orderLines(), c.lines) << c.costLine;
        EXPECT_EQ(plan.costLine(), c.costLine);
        EXPECT_EQ(plan.powerLine(), c.powerLine);
    }
}

} // namespace
} // namespace brim::test
