#include "capacity_sizing.h"
#include "catalogue.h"
#include "raid_rules.h"
#include "recording_sink.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <string>
#include <tuple>

namespace brim {
namespace {

using test::RecordingSink;

constexpr std::string_view kNotAboveZero = "Type a usable capacity above 0, such as 200 or 12.5.";
constexpr std::string_view kTooLarge = "Type at most 1,000,000 TB.";

TEST(ParseCapacityTargetTest, AcceptsPlainDecimalsOnlyAndGivesBinaryMib) {
    constexpr auto GB = CapacityUnit::Gb, TB = CapacityUnit::Tb;
    const std::string huge(400, '9');
    const std::tuple<std::string_view, CapacityUnit, std::optional<double>, std::string_view>
        cases[] = {
            {"200", TB, 200.0 * 1024 * 1024, {}},  {" 12.5\t", GB, 12800.0, {}},
            {"1024000000", GB, kMaxTargetMib, {}}, {"", TB, {}, kNotAboveZero},
            {" ", GB, {}, kNotAboveZero},          {".", GB, {}, kNotAboveZero},
            {"0.000", GB, {}, kNotAboveZero},      {"-5", TB, {}, kNotAboveZero},
            {"+5", TB, {}, kNotAboveZero},         {"1e3", GB, {}, kNotAboveZero},
            {"12,5", GB, {}, kNotAboveZero},       {"1.2.3", GB, {}, kNotAboveZero},
            {"1 2", GB, {}, kNotAboveZero},        {"inf", TB, {}, kNotAboveZero},
            {"1000000.01", TB, {}, kTooLarge},     {huge, GB, {}, kTooLarge},
        };
    for (const auto& [text, unit, mib, refusal] : cases) {
        const TargetParse parsed = parseCapacityTarget(text, unit);
        EXPECT_EQ(std::tie(parsed.mib, parsed.refusal), std::tie(mib, refusal)) << text;
    }
}

// Row `freeRow` free for a new layout, the others random, most keeping the RAID rules and some
// breaking a rule.
ConfigSheet randomSheet(std::mt19937& rng, int model, int freeRow, bool vault, bool empty) {
    ConfigSheet sheet;
    sheet.modelIndex = model;
    const auto draw = [&](std::uint32_t n) { return static_cast<std::uint32_t>(rng() % n); };
    RecordingSink ignored;
    for (std::size_t i = 0; i < sheet.rows.size() && !empty; ++i) {
        if (draw(2) == 0) {
            GroupDefinition& row = sheet.rows[i];
            do {
                row.raidType = int(draw(8)) - 1;
                row.disksPerGroup = draw(17);
            } while (draw(8) != 0 &&
                     raidEfficiency(row.raidType, row.disksPerGroup, ignored).error);
            row.diskType = int(draw(8));
            row.groupCount = draw(40);
            row.includesVault = i < kVaultRowCount && draw(4) == 0;
        }
    }
    sheet.rows[static_cast<std::size_t>(freeRow - 1)] = {};
    sheet.rows[static_cast<std::size_t>(freeRow - 1)].includesVault = vault;
    return sheet;
}

// Whatever the model, disk, free row, vault, target and sheet, each line holds the fewest groups
// whose net total reaches the target once Compute has the line in the free row, and Compute
// then shows exactly the line's figures. No group holds less than the smallest group.
TEST(SizeForCapacityTest, EveryLineIsTheFewestGroupsThatReachAndComputeAgrees) {
    std::mt19937 rng(20240611);
    std::uniform_real_distribution<double> exponent(0.0, std::log10(kMaxTargetMib));
    int linesChecked = 0;
    for (int iteration = 0; iteration < 300; ++iteration) {
        const int model = static_cast<int>(rng() % kArrayModels.size());
        const int disk = static_cast<int>(rng() % kDiskTypes.size());
        const int freeRow = 1 + static_cast<int>(rng() % kRowCount);
        const bool vault = freeRow <= kVaultRowCount && rng() % 3 == 0;
        ConfigSheet sheet = randomSheet(rng, model, freeRow, vault, false);
        RecordingSink sink;
        ConfigSheet computed = sheet;
        computeSheet(computed, sink);
        std::optional<SheetBaseline> baseline = sheetBaseline(sheet, freeRow);
        const bool sheetFailed = !sink.shown.empty();
        ASSERT_EQ(baseline.has_value(), !sheetFailed);
        if (baseline) {
            EXPECT_EQ(computed.netTotalGbText, formatCapacity(gibFromMib(baseline->netTotalMib)));
        } else { // nothing to add to
            sheet = randomSheet(rng, model, freeRow, vault, true);
            baseline = SheetBaseline{};
        }
        // Some targets near what the sheet already gives, so that it sometimes reaches them,
        // and some the largest of all.
        const double near = baseline->netTotalMib * (0.5 + (rng() % 1000) / 1e3);
        const double target = near > 0.0 && rng() % 4 == 0 ? near
                              : rng() % 8 == 0             ? kMaxTargetMib
                                                           : std::pow(10.0, exponent(rng));
        const SizingResult result = sizeForCapacity(model, disk, vault, target, *baseline);
        ASSERT_EQ(result.alreadyReached, target <= baseline->netTotalMib);

        // A disk type is offered exactly when Compute accepts it in that row.
        ConfigSheet probe = sheet;
        probe.rows[static_cast<std::size_t>(freeRow - 1)] = {disk, 4, 5, 1, vault, {}, {}};
        RecordingSink probeSink;
        computeSheet(probe, probeSink);
        const bool offered = probeSink.shown.empty() && !result.alreadyReached;
        ASSERT_EQ(result.count, offered ? kMaxLayouts : 0u);

        std::set<std::pair<int, std::uint32_t>> distinct;
        const auto order = [](const SizedLayout& l) {
            return std::make_tuple(l.disks, -l.failuresSurvived, -l.efficiency);
        };
        for (std::size_t i = 0; i < result.count; ++i) {
            const SizedLayout& line = result.layouts[i];
            EXPECT_FALSE(raidEfficiency(line.raidType, line.disksPerGroup, sink).error);
            EXPECT_TRUE(distinct.emplace(line.raidType, line.disksPerGroup).second);
            EXPECT_TRUE(i == 0 || order(result.layouts[i - 1]) <= order(line)) << i;
            // What bounds the group count of the largest target.
            EXPECT_GE(line.groupUsableMib,
                      kSmallestGroupInDisks * usableDiskKib(model, disk, vault) / kKibPerMib);
            ConfigSheet withLine = sheet;
            GroupDefinition& row = withLine.rows[static_cast<std::size_t>(freeRow - 1)];
            row = {disk, line.raidType, line.disksPerGroup, line.groupCount - 1, vault, {}, {}};
            EXPECT_LT(walkSheet(withLine, sink).netTotalMib, target);
            row.groupCount = line.groupCount;
            EXPECT_GE(walkSheet(withLine, sink).netTotalMib, target);

            computeSheet(withLine, sink);
            EXPECT_EQ(row.groupCapacityText, formatCapacity(gibFromMib(line.groupUsableMib)));
            EXPECT_EQ(row.totalCapacityText, formatCapacity(gibFromMib(line.rowTotalMib)));
            EXPECT_EQ(withLine.netTotalGbText, line.netTotalGbText);
            EXPECT_EQ(withLine.netTotalTbText, line.netTotalTbText);
            EXPECT_EQ(withLine.totalDisksText, std::to_string(line.disks));
            EXPECT_EQ(withLine.arraysRequiredText, std::to_string(line.arraysRequired));
            ++linesChecked;
        }
        ASSERT_EQ(sink.shown.size(), sheetFailed ? 1u : 0u); // no line breaks a rule
    }
    EXPECT_GT(linesChecked, 3000);
}

// Rows 1 and 3 around the free row 2, where adding the new row last would lose a last digit:
// what Compute reaches with 2 groups of five 1 TB ATA disks in RAID5 takes 2 groups, not 3.
TEST(SizeForCapacityTest, AddsTheNewRowInComputesOrder) {
    ConfigSheet sheet;
    sheet.rows[0] = {4, 4, 3, 11, false, {}, {}};
    sheet.rows[2] = {2, 4, 3, 1, false, {}, {}};
    ConfigSheet withRow = sheet;
    withRow.rows[1] = {7, 4, 5, 2, false, {}, {}};
    RecordingSink sink;
    const double target = walkSheet(withRow, sink).netTotalMib;
    const SizingResult result = sizeForCapacity(5, 7, false, target, *sheetBaseline(sheet, 2));
    const auto raid5Of5 = std::find_if(result.layouts.begin(), result.layouts.end(), [](auto& l) {
        return l.raidType == 4 && l.disksPerGroup == 5;
    });
    ASSERT_NE(raid5Of5, result.layouts.end());
    EXPECT_EQ(std::make_pair(raid5Of5->groupCount, raid5Of5->netTotalMib),
              std::make_pair(2u, target));
}

} // namespace
} // namespace brim
