// What the fields of Size for Capacity read, with the planner's refusals, and every sized line:
// the fewest groups for every need, with the figures and column texts that Compute and Sheet
// Performance then show for the sheet. The sizer's arithmetic alone is tested in tests/core.

#include "commands/capacity_columns.h"
#include "commands/planner_texts.h"
#include "commands/planner_units.h"
#include "core/blanks.h"
#include "core/capacity_sizing.h"
#include "core/catalogue.h"
#include "core/performance.h"
#include "core/raid_rules.h"
#include "core/spares.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/recording_sink.h"

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
using namespace test::names;

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
        EXPECT_EQ(std::make_tuple(parsed.mib, capacityTargetRefusal(parsed.refusal)),
                  std::tie(mib, refusal))
            << text;
    }
}

// Empty states no need; "% reads" always holds one.
TEST(ParseWorkloadTest, TakesWholeNumbersInRangeAndSaysWhyNot) {
    constexpr std::string_view kIops = "Type a whole number of host IOPS, such as 5000.";
    constexpr std::string_view kManyIops = "Type at most 10,000,000 host IOPS.";
    constexpr std::string_view kMbps = "Type a whole number of MB/s, such as 400.";
    constexpr std::string_view kManyMbps = "Type at most 1,000,000 MB/s.";
    constexpr std::string_view kReads = "Type a whole percentage from 0 to 100, such as 70.";
    const std::string huge(30, '9');
    struct Case {
        char field; // I host IOPS, M MB/s, R % reads
        std::string_view text;
        std::optional<double> value;
        std::string_view refusal;
    };
    const Case cases[] = {
        {'I', "", {}, {}},
        {'I', " \t", {}, {}},
        {'I', " 5000\t", 5000, {}},
        {'I', "10000000", 1e7, {}},
        {'I', "10000001", {}, kManyIops},
        {'I', huge, {}, kManyIops},
        {'I', "0", {}, kIops},
        {'I', "-5", {}, kIops},
        {'I', "+5", {}, kIops},
        {'I', "5e3", {}, kIops},
        {'I', "5,000", {}, kIops},
        {'I', "12.5", {}, kIops},
        {'I', "5 0", {}, kIops},
        {'M', "", {}, {}},
        {'M', "1", 1, {}},
        {'M', "1000000", 1e6, {}},
        {'M', "1000001", {}, kManyMbps},
        {'M', "fast", {}, kMbps},
        {'M', "000", {}, kMbps},
        {'R', "70", 70, {}},
        {'R', " 0 ", 0, {}},
        {'R', "100", 100, {}},
        {'R', "101", {}, kReads},
        {'R', "", {}, kReads},
        {'R', "-1", {}, kReads},
        {'R', "7.5", {}, kReads},
        {'R', huge, {}, kReads},
    };
    for (const Case& c : cases) {
        std::optional<double> value;
        std::string_view refusal;
        if (c.field == 'R') {
            const ReadPercentParse reads = parseReadPercent(c.text);
            value = reads.percent ? std::optional<double>(*reads.percent) : std::nullopt;
            refusal = readPercentRefusal(reads.refusal);
        } else if (c.field == 'I') {
            const NeedParse parsed = parseHostIopsNeed(c.text);
            value = parsed.value;
            refusal = hostIopsRefusal(parsed.refusal);
        } else {
            const NeedParse parsed = parseMbpsNeed(c.text);
            value = parsed.value;
            refusal = mbpsRefusal(parsed.refusal);
        }
        EXPECT_EQ(std::tie(value, refusal), std::tie(c.value, c.refusal))
            << c.field << " " << c.text;
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

// Figures a planner may assume, drawn across their ranges (log-uniformly where they span
// decades).
PlanningAssumptions randomAssumptions(std::mt19937& rng) {
    const auto decades = [&](double most) {
        return std::round(
            std::pow(10.0, std::uniform_real_distribution(0.0, std::log10(most))(rng)));
    };
    PlanningAssumptions assumptions;
    for (int disk = 0; disk < static_cast<int>(kDiskTypes.size()); ++disk) {
        assumptions.disks.setRandomIops(disk, static_cast<std::int64_t>(decades(1e5)));
        assumptions.disks.setSequentialMbps(disk, static_cast<std::int64_t>(decades(1e4)));
        assumptions.disks.setReadErrorExponent(disk, 12 + static_cast<int>(rng() % 7));
        assumptions.disks.setRebuildMbps(disk, static_cast<std::int64_t>(decades(1e4)));
    }
    assumptions.spares.setDisksPerSpare(1 + rng() % 60);
    assumptions.spares.setMinSparesPerType(rng() % 4);
    assumptions.workload.setReadPercent(rng() % 101);
    return assumptions;
}

// A need of `most` at the most, or none; sometimes near what the sheet gives already, so that
// the sheet alone sometimes meets it.
std::optional<double> randomNeed(std::mt19937& rng, double sheetGives, double most) {
    if (rng() % 2 == 0) {
        return std::nullopt;
    }
    const double near = std::round(sheetGives * (0.5 + (rng() % 1000) / 1e3));
    if (near >= 1.0 && near <= most && rng() % 4 == 0) {
        return near;
    }
    return std::round(std::pow(10.0, std::uniform_real_distribution(0.0, std::log10(most))(rng)));
}

// What a sheet gives against each need, in SizingNeed order: its net total as Compute walks it,
// its host IOPS and MB/s as Sheet Performance totals them.
std::array<double, 3> sheetGives(const ConfigSheet& sheet, const PlanningAssumptions& a) {
    RecordingSink silent;
    const Delivery total = sheetPerformance(sheet, a.disks, a.workload.readShare()).total;
    return {walkSheet(sheet, silent).netTotalMib, total.hostIops, total.mbps};
}

// Whatever the model, disk, free row, vault, needs, assumptions and sheet, each line holds the
// fewest groups that meet every need once the line is in the free row: one group fewer misses
// the need named as sizing it, and every need before it in SizingNeed order is met there. Compute
// and Sheet Performance then show exactly the line's figures, and the disks to order are the
// line's.
TEST(SizeForCapacityTest, EveryLineIsTheFewestGroupsThatMeetEveryNeedAndTheSheetAgrees) {
    std::mt19937 rng(20240611);
    std::uniform_real_distribution<double> exponent(0.0, std::log10(kMaxTargetMib));
    int linesChecked = 0;
    std::array<int, 3> sizedBy{};
    for (int iteration = 0; iteration < 300; ++iteration) {
        const int model = static_cast<int>(rng() % kArrayModels.size());
        const int disk = static_cast<int>(rng() % kDiskTypes.size());
        const int freeRow = 1 + static_cast<int>(rng() % kRowCount);
        const bool vault = freeRow <= kVaultRowCount && rng() % 3 == 0;
        const PlanningAssumptions assumptions = randomAssumptions(rng);
        ConfigSheet sheet = randomSheet(rng, model, freeRow, vault, false);
        RecordingSink sink;
        ConfigSheet computed = sheet;
        computeSheet(computed, sink);
        std::optional<SheetBaseline> baseline = sheetBaseline(sheet, freeRow);
        const bool sheetFailed = !sink.shown.empty();
        ASSERT_EQ(baseline.has_value(), !sheetFailed);
        if (baseline) {
            EXPECT_EQ(computed.netTotalGbText, formatCapacity(gibFromMib(baseline->netTotalMib())));
        } else { // nothing to add to
            sheet = randomSheet(rng, model, freeRow, vault, true);
            baseline = SheetBaseline{};
        }
        baseline->delivery =
            sheetDelivery(sheet, freeRow, assumptions.disks, assumptions.workload.readShare());
        const std::array<double, 3> before = sheetGives(sheet, assumptions);
        // Some targets near what the sheet already gives, some the largest of all, some none.
        const double near = baseline->netTotalMib() * (0.5 + (rng() % 1000) / 1e3);
        const double target = near > 0.0 && rng() % 4 == 0 ? near
                              : rng() % 8 == 0             ? kMaxTargetMib
                                                           : std::pow(10.0, exponent(rng));
        const SizingNeeds needs{rng() % 4 != 0 ? std::optional(target) : std::nullopt,
                                randomNeed(rng, before[1], kMaxHostIopsNeed),
                                randomNeed(rng, before[2], kMaxMbpsNeed)};
        const std::array<std::optional<double>, 3> need{needs.targetMib, needs.hostIops,
                                                        needs.mbps};
        const auto misses = [&](const std::array<double, 3>& gives, std::size_t i) {
            return need[i] && gives[i] < *need[i];
        };
        const bool metAlone = !misses(before, 0) && !misses(before, 1) && !misses(before, 2);
        const SizingResult result = sizeForNeeds(model, disk, vault, needs, *baseline, assumptions);
        ASSERT_EQ(result.alreadyReached, needs.any() && metAlone);

        // A disk type is offered exactly when Compute accepts it in that row.
        ConfigSheet probe = sheet;
        probe.rows[static_cast<std::size_t>(freeRow - 1)] = {disk, kRaid5, 5, 1, vault, {}, {}};
        RecordingSink probeSink;
        computeSheet(probe, probeSink);
        const bool offered = probeSink.shown.empty() && needs.any() && !metAlone;
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
            const std::array<double, 3> fewer = sheetGives(withLine, assumptions);
            const auto need = static_cast<std::size_t>(line.sizedBy);
            EXPECT_TRUE(misses(fewer, need)) << i;
            for (std::size_t earlier = 0; earlier < need; ++earlier) {
                EXPECT_FALSE(misses(fewer, earlier)) << i;
            }
            ++sizedBy[need];
            row.groupCount = line.groupCount;
            const std::array<double, 3> gives = sheetGives(withLine, assumptions);
            EXPECT_FALSE(misses(gives, 0) || misses(gives, 1) || misses(gives, 2)) << i;

            computeSheet(withLine, sink);
            EXPECT_EQ(row.groupCapacityText, formatCapacity(gibFromMib(line.groupUsableMib)));
            EXPECT_EQ(row.totalCapacityText, formatCapacity(gibFromMib(line.rowTotalMib)));
            const auto text = [&](CapacityColumn column) { return capacityCellText(line, column); };
            EXPECT_EQ(trimBlanks(withLine.netTotalGbText), text(CapacityColumn::UsableGb));
            EXPECT_EQ(trimBlanks(withLine.netTotalTbText), text(CapacityColumn::UsableTb));
            EXPECT_EQ(withLine.totalDisksText, std::to_string(line.disks));
            EXPECT_EQ(withLine.arraysRequiredText, std::to_string(line.arraysRequired));
            const SheetPerformance shown =
                sheetPerformance(withLine, assumptions.disks, assumptions.workload.readShare());
            EXPECT_EQ(std::tie(shown.total.hostIops, shown.total.mbps),
                      std::tie(line.hostIops, line.mbps));
            EXPECT_EQ(
                std::make_pair(formatRate(shown.total.hostIops), formatRate(shown.total.mbps)),
                std::make_pair(text(CapacityColumn::HostIops), text(CapacityColumn::Mbps)));
            const auto newRow = std::find_if(shown.lines.begin(), shown.lines.end(), [&](auto& l) {
                return l.rowIndex == static_cast<std::size_t>(freeRow - 1);
            });
            ASSERT_NE(newRow, shown.lines.end());
            EXPECT_EQ(std::make_pair(rebuildHoursText(newRow->rebuild),
                                     readErrorRiskText(newRow->rebuild)),
                      std::make_pair(text(CapacityColumn::RebuildHours),
                                     text(CapacityColumn::ReadErrorRisk)));
            const DisksToOrder toOrder = sheetDisksToOrder(withLine, assumptions.spares);
            EXPECT_EQ(text(CapacityColumn::WithSpares),
                      formatDisksAndArrays(toOrder.allToOrder, toOrder.arrays));
            ++linesChecked;
        }
        ASSERT_EQ(sink.shown.size(), sheetFailed ? 1u : 0u); // no line breaks a rule
    }
    EXPECT_GT(linesChecked, 3000);
    // Each need sized some lines.
    EXPECT_GT(*std::min_element(sizedBy.begin(), sizedBy.end()), 100);
}

} // namespace
} // namespace brim
