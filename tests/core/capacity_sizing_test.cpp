// The sizer by itself: the fewest groups that carry a need, and the new row added in Compute's
// order. What the Size for Capacity planner says of its lines is tested in tests/commands.

#include "core/capacity_sizing.h"
#include "core/config_sheet.h"
#include "core/performance.h"
#include "core/sheet_baseline.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/recording_sink.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <utility>

namespace brim {
namespace {

using test::RecordingSink;
using namespace test::names;

// For any figure per group and any need: the count meets the need as the row's figure is
// multiplied out, and one group fewer does not. Needs on and next to exact multiples are where
// a rounded quotient lands one off.
TEST(SizeForCapacityTest, GroupsToCarryIsTheFewestThatMeetTheNeed) {
    std::mt19937_64 rng(15);
    std::uniform_real_distribution<double> decades(-1.0, 7.0);
    for (int i = 0; i < 20000; ++i) {
        const double perGroup = std::pow(10.0, decades(rng));
        double need = std::pow(10.0, decades(rng) + 3.0);
        if (i % 2 == 0) {
            need = rowFigure(static_cast<std::uint32_t>(rng() % 1'000'000) + 1, perGroup);
            need = i % 3 == 0 ? need : std::nextafter(need, i % 4 == 0 ? 0.0 : INFINITY);
        }
        const std::optional<std::uint32_t> groups = groupsToCarry(perGroup, RowOrderSum{}, need);
        if (!groups) {
            EXPECT_LT(rowFigure(static_cast<std::uint32_t>(kMostGroupsNeeded), perGroup), need);
            continue;
        }
        EXPECT_GE(rowFigure(*groups, perGroup), need) << perGroup << " " << need;
        EXPECT_LT(rowFigure(*groups - 1, perGroup), need) << perGroup << " " << need;
    }
    EXPECT_EQ(groupsToCarry(0.0, RowOrderSum{}, 5.0), std::nullopt);
    EXPECT_EQ(groupsToCarry(1.0, RowOrderSum{}, 1e300), std::nullopt);
}

// Rows 1 and 3 around the free row 2, where adding the new row last would lose a last digit:
// what Compute reaches with 2 groups of five 1 TB ATA disks in RAID5 takes 2 groups, not 3.
TEST(SizeForCapacityTest, AddsTheNewRowInComputesOrder) {
    ConfigSheet sheet;
    sheet.rows[0] = {k450G, kRaid5, 3, 11, false, {}, {}};
    sheet.rows[2] = {k300G, kRaid5, 3, 1, false, {}, {}};
    ConfigSheet withRow = sheet;
    withRow.rows[1] = {k1TbAta, kRaid5, 5, 2, false, {}, {}};
    RecordingSink sink;
    const double target = walkSheet(withRow, sink).netTotalMib;
    const SizingResult result = sizeForNeeds(kTelvarA, k1TbAta, false, {target, {}, {}},
                                             *sheetBaseline(sheet, 2), PlanningAssumptions{});
    const auto raid5Of5 = std::find_if(result.layouts.begin(), result.layouts.end(), [](auto& l) {
        return l.raidType == kRaid5 && l.disksPerGroup == 5;
    });
    ASSERT_NE(raid5Of5, result.layouts.end());
    EXPECT_EQ(std::make_pair(raid5Of5->groupCount, raid5Of5->netTotalMib),
              std::make_pair(2u, target));
}

} // namespace
} // namespace brim
