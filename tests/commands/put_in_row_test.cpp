#include "tests/support/catalogue_names.h"
#include "tests/support/fake_sheet_view.h"
#include "tests/support/row_control_names.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

namespace brim::test {
namespace {

using namespace controls;
using namespace names;

// Rows above `freeRow` have groups, the others none; every row starts locked by IndivDisk, so
// a layout that does not lock must unlock its row.
void lockAllWithGroupsAbove(CommandsFixture& f, int freeRow) {
    for (int r = 1; r <= kRowCount; ++r) {
        row(f.view.screen, r).groupCount = r < freeRow ? 2 : 0;
        row(f.view.screen, r).includesVault = r <= kVaultRowCount && r % 2 == 1;
        f.pickRaid(r, kIndivDisk);
    }
    fillStaleTexts(f.sheet);
    f.syncScreen();
}

TEST(PutInFirstFreeRowTest, FillsTheFirstRowWithoutGroupsLocksAndComputes) {
    const std::tuple<int, GroupLayout, bool> cases[] = {{1, {k1TbAta, kRaid1, 2, 12}, true},
                                                        {10, {k73G, kIndivDisk, 1, 40}, true},
                                                        {5, {k750GAta, kRaid6, 8, 1}, false}};
    for (const auto& [freeRow, layout, locks] : cases) {
        CommandsFixture f;
        lockAllWithGroupsAbove(f, freeRow);
        ConfigSheet expected = f.sheet;
        GroupDefinition& filled = row(expected, freeRow);
        std::tie(filled.diskType, filled.raidType, filled.disksPerGroup, filled.groupCount) =
            std::tie(layout.diskType, layout.raidType, layout.disksPerGroup, layout.groupCount);
        computeSheet(expected, f.view);

        EXPECT_TRUE(f.commands.putInFirstFreeRow(layout));
        EXPECT_EQ(f.view.calls, (std::vector<ViewCall>{enable(disksFieldOf(freeRow), !locks),
                                                       refresh(), capture(), refresh()}));
        EXPECT_TRUE(sameSheet(f.sheet, expected)) << freeRow;
        EXPECT_EQ(f.commands.disksFieldLocked(freeRow), locks);
    }
}

TEST(PutInFirstFreeRowTest, WithEveryRowInUseShowsTheMessageAndChangesNothing) {
    CommandsFixture f;
    lockAllWithGroupsAbove(f, kRowCount + 1);
    const ConfigSheet before = f.sheet;
    EXPECT_FALSE(f.commands.putInFirstFreeRow({k450G, kRaid5, 5, 1}));
    EXPECT_EQ(f.view.calls, (std::vector<ViewCall>{message(std::string(kEveryRowInUseMessage))}));
    EXPECT_TRUE(sameSheet(f.sheet, before));
}

} // namespace
} // namespace brim::test
