#include "capacity_sizing.h"
#include "catalogue.h"
#include "raid_rules.h"
#include "recording_sink.h"

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

// Row 1 free for a new layout, rows 2 to 10 random, some breaking a rule.
ConfigSheet randomSheet(std::mt19937& rng, int model, bool vaultInRow1, bool empty = false) {
    ConfigSheet sheet;
    sheet.modelIndex = model;
    sheet.rows[0].includesVault = vaultInRow1;
    const auto draw = [&](std::uint32_t n) { return static_cast<std::uint32_t>(rng() % n); };
    for (std::size_t i = 1; i < sheet.rows.size() && !empty; ++i) {
        if (draw(2) == 0) {
            const bool vault = i < kVaultRowCount && draw(4) == 0;
            sheet.rows[i] = {int(draw(8)), int(draw(8)) - 1, draw(17), draw(40), vault, {}, {}};
        }
    }
    return sheet;
}

// Whatever the model, disk, vault row, target and sheet, each line holds the fewest groups that
// reach what is missing in Compute's own arithmetic, and Compute shows exactly its figures.
TEST(SizeForCapacityTest, EveryLineIsTheFewestGroupsThatReachAndComputeAgrees) {
    std::mt19937 rng(20240611);
    std::uniform_real_distribution<double> exponent(0.0, std::log10(kMaxTargetMib) + 4.0);
    int linesChecked = 0;
    for (int iteration = 0; iteration < 300; ++iteration) {
        const int model = static_cast<int>(rng() % kArrayModels.size());
        const int disk = static_cast<int>(rng() % kDiskTypes.size());
        const bool vault = rng() % 3 == 0;
        ConfigSheet sheet = randomSheet(rng, model, vault);
        RecordingSink sink;
        ConfigSheet computed = sheet;
        computeSheet(computed, sink);
        const std::optional<SheetBaseline> baseline = sheetBaseline(sheet);
        ASSERT_EQ(baseline.has_value(), sink.shown.empty());
        if (baseline) { // its disks are checked with every line's below
            EXPECT_EQ(computed.netTotalGbText, formatCapacity(baseline->netTotalMib / 1024.0));
        } else {
            sheet = randomSheet(rng, model, vault, true); // nothing to add to
        }
        const SheetBaseline base = baseline.value_or(SheetBaseline{});
        // Some targets near what the sheet already gives, so that it sometimes reaches them.
        const double target = rng() % 4 == 0 ? base.netTotalMib * (0.5 + (rng() % 1000) / 1e3)
                                             : std::pow(10.0, exponent(rng));
        const double missing = target - base.netTotalMib;
        const SizingResult result = sizeForCapacity(model, disk, vault, target, base);
        ASSERT_EQ(result.alreadyReached, missing <= 0.0);

        // A disk type is offered exactly when Compute accepts it in that row.
        ConfigSheet probe = sheet;
        probe.rows[0] = {disk, 4, 5, 1, vault, {}, {}};
        RecordingSink probeSink;
        computeSheet(probe, probeSink);
        ASSERT_EQ(result.count, probeSink.shown.empty() && missing > 0.0 ? kMaxLayouts : 0u);

        std::set<std::pair<int, std::uint32_t>> distinct;
        const auto order = [](const SizedLayout& l) {
            return std::make_tuple(!l.groupCount, l.disks, -l.failuresSurvived, -l.efficiency);
        };
        for (std::size_t i = 0; i < result.count; ++i) {
            const SizedLayout& line = result.layouts[i];
            EXPECT_FALSE(raidEfficiency(line.raidType, line.disksPerGroup, sink).error);
            EXPECT_TRUE(distinct.emplace(line.raidType, line.disksPerGroup).second);
            EXPECT_TRUE(i == 0 || order(result.layouts[i - 1]) <= order(line)) << i;
            const auto reaches = [&](std::uint32_t groups) {
                return computeGroup(usableDiskKib(model, disk, vault), line.disksPerGroup, groups,
                                    line.raidType, sink)
                           .totalUsableMib >= missing;
            };
            if (!line.groupCount) {
                EXPECT_FALSE(reaches(UINT32_MAX));
                continue;
            }
            EXPECT_TRUE(reaches(*line.groupCount));
            EXPECT_FALSE(reaches(*line.groupCount - 1));

            ConfigSheet withLine = sheet;
            GroupDefinition& row = withLine.rows[0];
            row = {disk, line.raidType, line.disksPerGroup, *line.groupCount, vault, {}, {}};
            computeSheet(withLine, sink);
            EXPECT_EQ(row.groupCapacityText, line.groupCapacityText);
            EXPECT_EQ(row.totalCapacityText, line.totalCapacityText);
            EXPECT_EQ(withLine.totalDisksText, std::to_string(line.disks));
            EXPECT_EQ(withLine.arraysRequiredText, std::to_string(line.arraysRequired));
            ++linesChecked;
        }
        ASSERT_EQ(sink.shown.size(), baseline ? 0u : 1u);
    }
    EXPECT_GT(linesChecked, 3000);
}

} // namespace
} // namespace brim
