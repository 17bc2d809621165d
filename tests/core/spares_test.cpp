#include "core/spares.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/recording_sink.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace brim {
namespace {

using namespace test::names;

struct Row {
    int disk, raid;
    std::uint32_t disks, groups;
};

struct SpareCase {
    const char* name;
    int model;
    std::uint32_t k, m;
    std::uint64_t spares450G, spares1Tb, toOrder, arrays, extraArrays;
    std::vector<Row> rows;
};

TEST(SparesTest, SheetsWorkedByHand) {
    // clang-format off
    const SpareCase cases[] = {
        // name              model     k     m  spares    order arrays extra
        // 120 disks fill a Telvar A; ceil(120 ÷ 30) = 4 spares need a second one
        {"SparesAddAnArray", kTelvarA, 30,   1, 4, 0,     124,  2,     1,
         {{k450G, kRaid10, 8, 15}}},
        // 10 and 24 disks: at least one spare of each type
        {"OnePerType",       kTelvarA, 30,   1, 1, 1,     36,   1,     0,
         {{k450G, kRaid5, 5, 2}, {k1TbAta, kRaid6, 6, 4}}},
        // max(2, ceil(10 ÷ 10)) and max(2, ceil(24 ÷ 10))
        {"PolicyChanged",    kTelvarA, 10,   2, 2, 3,     39,   1,     0,
         {{k450G, kRaid5, 5, 2}, {k1TbAta, kRaid6, 6, 4}}},
        // no minimum: a type in use still has ceil(disks ÷ k) ≥ 1
        {"NoMinimum",        kTelvarA, 1000, 0, 1, 0,     11,   1,     0,
         {{k450G, kRaid5, 5, 2}}},
        // a row with no RAID type counts; one that breaks a rule or has a disk type the family
        // does not offer does not
        {"RowsByThemselves", kZundaS,  30,   1, 1, 0,     16,   1,     0,
         {{k450G, kNoRaidType, 5, 3}, {k450G, kRaid5, 2, 4}, {k73G, kRaid5, 5, 1}}},
        // 960 disks fill a Telvar D; 32 spares
        {"LargestArray",     kTelvarD, 30,   1, 0, 32,    992,  2,     1,
         {{k1TbAta, kRaid6, 16, 60}}},
    };
    // clang-format on
    for (const SpareCase& c : cases) {
        ConfigSheet sheet;
        sheet.modelIndex = c.model;
        for (std::size_t i = 0; i < c.rows.size(); ++i) {
            const Row& r = c.rows[i];
            sheet.rows[i] = {r.disk, r.raid, r.disks, r.groups, false, {}, {}};
        }
        SparePolicy policy;
        ASSERT_TRUE(policy.setDisksPerSpare(c.k) && policy.setMinSparesPerType(c.m));
        const DisksToOrder order = sheetDisksToOrder(sheet, policy);
        EXPECT_EQ(order.spares[k450G], c.spares450G) << c.name;
        EXPECT_EQ(order.spares[k1TbAta], c.spares1Tb) << c.name;
        EXPECT_EQ(order.allToOrder, c.toOrder) << c.name;
        EXPECT_EQ(order.arrays, c.arrays) << c.name;
        EXPECT_EQ(order.extraArrays, c.extraArrays) << c.name;
    }
}

// Spares only ever add: whatever the sheet and policy, a plan Compute accepts orders at least
// Compute's disks on at least its arrays, and a type gets spares exactly when it is in use.
TEST(SparesTest, OrderingNeverFallsShortOfCompute) {
    std::mt19937 rng(17);
    const auto draw = [&](std::uint32_t n) { return static_cast<std::uint32_t>(rng() % n); };
    int computed = 0;
    for (int iteration = 0; iteration < 3000; ++iteration) {
        ConfigSheet sheet;
        sheet.modelIndex = static_cast<int>(draw(kArrayModels.size()));
        for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
            if (draw(2) == 0) {
                const std::uint32_t groups = draw(4) == 0 ? UINT32_MAX - draw(3) : draw(200);
                sheet.rows[i] = {int(draw(8)),
                                 int(draw(8)) - 1,
                                 draw(17),
                                 groups,
                                 i < kVaultRowCount && draw(4) == 0,
                                 {},
                                 {}};
            }
        }
        SparePolicy policy;
        policy.setDisksPerSpare(1 + draw(1000));
        policy.setMinSparesPerType(draw(101));
        const DisksToOrder order = sheetDisksToOrder(sheet, policy);
        for (std::size_t t = 0; t < kDiskTypes.size(); ++t) {
            EXPECT_EQ(order.spares[t] > 0, order.inGroups[t] > 0) << t;
        }
        test::RecordingSink sink;
        computeSheet(sheet, sink);
        if (!sink.shown.empty()) {
            continue;
        }
        ++computed;
        EXPECT_GE(order.allToOrder, std::stoull(sheet.totalDisksText));
        EXPECT_GE(order.arrays, std::stoull(sheet.arraysRequiredText));
        EXPECT_EQ(order.arraysWithoutSpares, std::stoull(sheet.arraysRequiredText));
    }
    EXPECT_GT(computed, 150);
}

} // namespace
} // namespace brim
