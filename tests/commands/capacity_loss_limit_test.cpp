// Size for Capacity's limit on the chance of loss a year, and the Loss/yr that stands out: both
// judge the figure as its cell reads it.

#include "commands/capacity_columns.h"
#include "commands/capacity_planner.h"
#include "commands/capacity_texts.h"
#include "core/units.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/fake_sheet_view.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace brim::test {
namespace {

using namespace names;

constexpr std::array<std::string_view, 8> kDisks{"d0", "d1", "d2", "d3", "d4", "d5", "d6", "d7"};
constexpr RowDiskNames kNames{kDisks, kDisks, kDisks, kDisks, kDisks,
                              kDisks, kDisks, kDisks, kDisks, kDisks};

// 200 TB of 1 TB ATA on an empty Telvar A, every layout that survives a failed disk, priced: the
// cheapest line is RAID5 of 16 at 56 % a year.
struct LossLimitFixture : CommandsFixture {
    LossLimitFixture() {
        planning.prices.setDiskHundredths(k1TbAta, 30000);
        planning.prices.setArrayHundredths(kTelvarA, 4500000);
    }
    CapacityAnswer answer(std::string_view target, std::string_view limit) {
        return CapacityPlanner(sheet, commands, kNames, planning)
            .answer({target, CapacityUnit::Tb, k1TbAta, 1, false, "", "", limit});
    }
    PlanningAssumptions planning;
};

double cellPercent(const SizedLayout& line) {
    return std::stod(capacityCellText(line, CapacityColumn::LossPerYear));
}

// For any limit, the lines shown are those of no limit whose Loss/yr reads at most the limit, in
// the same order, so the best of them leads; the others are counted as hidden.
TEST(CapacityLossLimitTest, HidesExactlyTheLinesThatReadAboveTheLimit) {
    LossLimitFixture f;
    const CapacityAnswer all = f.answer("200", "");
    ASSERT_EQ(capacityCellText(all.lines.front(), CapacityColumn::LossPerYear), "56%");
    std::vector<std::string> limits{"100", " 56 ", "55.99", "1", "1.00", "0.02", "0"};
    std::mt19937 rng(27);
    for (int i = 0; i < 40; ++i) {
        limits.push_back(formatHundredths(static_cast<std::int64_t>(rng() % 10'001)));
    }
    const auto layouts = [](const std::vector<SizedLayout>& lines, double most) {
        std::vector<std::pair<int, std::uint32_t>> found;
        for (const SizedLayout& line : lines) {
            if (cellPercent(line) <= most) {
                found.emplace_back(line.raidType, line.disksPerGroup);
            }
        }
        return found;
    };
    for (const std::string& limit : limits) {
        const CapacityAnswer shown = f.answer("200", limit);
        const auto expected = layouts(all.lines, std::stod(limit));
        EXPECT_EQ(layouts(shown.lines, 100.0), expected) << limit;
        EXPECT_EQ(shown.hiddenLines, all.lines.size() - expected.size()) << limit;
    }
    // The note says when the limit hides every line, and nothing when it hides none.
    EXPECT_EQ(lossLimitNoteText(f.answer("200", "0.00")),
              "The limit hides every layout: they all lose data more often than 0% a year.");
    EXPECT_EQ(lossLimitNoteText(f.answer("200", "100")), "");
}

// A text that is no percentage from 0 to 100 with up to two decimals empties the table, as a
// refused workload field does, and says why whatever the other fields hold.
TEST(CapacityLossLimitTest, RefusesWhatIsNoPercentageOfTwoDecimals) {
    LossLimitFixture f;
    for (const char* limit : {"abc", "-1", "100.01", "1.234", "1,5", "1e1", ".", "1 %"}) {
        for (const char* target : {"200", "x"}) {
            const CapacityAnswer answer = f.answer(target, limit);
            EXPECT_EQ(answer.notice,
                      *target == 'x' ? PlanNotice::BadTarget : PlanNotice::BadLossLimit);
            EXPECT_TRUE(answer.lines.empty()) << limit;
            EXPECT_EQ(lossLimitNoteText(answer),
                      "Type a percentage from 0 to 100 with up to two decimals, such as 1.")
                << limit;
        }
    }
}

// Loss/yr stands out from 1 % on, as the cell reads it, and no other cell does.
TEST(CapacityLossLimitTest, ALossOfOnePercentOrMoreAsItReadsStandsOut) {
    const std::tuple<double, const char*, bool> cases[] = {
        {1e-7, "<0.0001%", false},  {0.001, "0.10%", false}, {0.0099, "0.99%", false},
        {0.009949, "0.99%", false}, {0.00996, "1.0%", true}, {0.01, "1.0%", true},
        {0.0104, "1.0%", true},     {0.56, "56%", true},     {1.0, "100%", true},
    };
    for (const auto& [chance, shown, warns] : cases) {
        SizedLayout line{};
        line.lossChance = chance;
        EXPECT_EQ(capacityCellText(line, CapacityColumn::LossPerYear), shown) << chance;
        for (const CapacityColumnInfo& column : kCapacityColumns) {
            EXPECT_EQ(capacityCellWarns(line, column.column),
                      warns && column.column == CapacityColumn::LossPerYear)
                << chance;
        }
    }
}

} // namespace
} // namespace brim::test
