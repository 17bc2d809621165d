#include "capacity_sizing.h"

#include "blanks.h"
#include "catalogue.h"
#include "performance.h"
#include "raid_rules.h"
#include "units.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>
#include <utility>

namespace brim {
namespace {

constexpr std::string_view kNotAboveZero = "Type a usable capacity above 0, such as 200 or 12.5.";
constexpr std::string_view kTooLarge = "Type at most 1,000,000 TB.";
constexpr std::string_view kNotIops = "Type a whole number of host IOPS, such as 5000.";
constexpr std::string_view kTooManyIops = "Type at most 10,000,000 host IOPS.";
constexpr std::string_view kNotMbps = "Type a whole number of MB/s, such as 400.";
constexpr std::string_view kTooManyMbps = "Type at most 1,000,000 MB/s.";
constexpr std::string_view kNotReadPercent = "Type a whole percentage from 0 to 100, such as 70.";

// Sizing asks the same rules as Compute, but a layout that a rule refuses is simply not
// offered: nothing is shown.
class SilentSink final : public MessageSink {
public:
    void show(std::string_view) override {}
};

// Digits with at most one point among them, and at least one digit: no sign, no exponent, no
// thousands separator, no "inf".
bool isPlainDecimal(std::string_view text) noexcept {
    bool seenDigit = false;
    bool seenPoint = false;
    for (const char c : text) {
        if (isDigit(c)) {
            seenDigit = true;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            return false;
        }
    }
    return seenDigit;
}

// A number too large for a double has a digit other than 0 before its point; one too small
// has none.
bool wholePartIsZero(std::string_view digits) noexcept {
    const std::string_view whole = digits.substr(0, digits.find('.'));
    return whole.find_first_not_of('0') == std::string_view::npos;
}

double mibPer(CapacityUnit unit) noexcept {
    return unit == CapacityUnit::Gb ? kMibPerGib : kMibPerTib;
}

TargetParse refused(std::string_view why) {
    return {std::nullopt, why};
}

// Digits only: no sign, no point, no separator. The value, or nothing when it does not fit.
struct WholeNumber {
    bool digits = false;
    std::optional<std::uint64_t> value;
};

WholeNumber wholeNumber(std::string_view text) noexcept {
    if (text.empty() || !std::all_of(text.begin(), text.end(), isDigit)) {
        return {};
    }
    std::uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size()) {
        return {true, std::nullopt}; // too many digits for 64 bits
    }
    return {true, value};
}

NeedParse parseNeed(std::string_view text, double most, std::string_view notANumber,
                    std::string_view tooMany) {
    const std::string_view digits = trimBlanks(text);
    if (digits.empty()) {
        return {};
    }
    const WholeNumber number = wholeNumber(digits);
    if (!number.digits || number.value == std::uint64_t{0}) {
        return {std::nullopt, notANumber};
    }
    if (!number.value || static_cast<double>(*number.value) > most) {
        return {std::nullopt, tooMany};
    }
    return {static_cast<double>(*number.value), {}};
}

// The smallest count from `lowest` that `reaches`, from an estimate. A quotient is only an
// estimate: the products and the sums are rounded, so the true count may lie one either side
// of it. No count beyond kMostGroupsNeeded is ever needed (see the header's bounds).
template <typename Reaches>
std::uint32_t smallestCount(double estimate, std::uint32_t lowest, const Reaches& reaches) {
    constexpr auto kMost = static_cast<std::uint32_t>(kMostGroupsNeeded);
    auto groups = static_cast<std::uint32_t>(
        std::clamp(estimate, static_cast<double>(lowest), kMostGroupsNeeded));
    while (groups < kMost && !reaches(groups)) {
        ++groups;
    }
    while (groups > lowest && reaches(groups - 1)) {
        --groups;
    }
    return groups;
}

// The smallest group count whose net total reaches `targetMib` when Compute multiplies it out
// and adds it up; 0 when the baseline reaches it alone. The net total is at least the new
// row's total, which bounds the count.
std::uint32_t groupsNeeded(std::uint32_t diskKib, std::uint32_t disksPerGroup,
                           std::int32_t raidType, double groupUsableMib, double targetMib,
                           const SheetBaseline& baseline, MessageSink& silent) {
    if (baseline.netTotalMib >= targetMib) {
        return 0;
    }
    const auto reaches = [&](std::uint32_t groups) {
        const double rowMib =
            computeGroup(diskKib, disksPerGroup, groups, raidType, silent).totalUsableMib;
        return baseline.netTotalWith(rowMib) >= targetMib;
    };
    return smallestCount(std::ceil((targetMib - baseline.netTotalMib) / groupUsableMib), 1,
                         reaches);
}

// The smallest group count whose figure, with the sheet's rows around it, carries `need`;
// 0 when the sheet carries it alone.
std::uint32_t groupsToCarry(double perGroup, const RowOrderSum& sheet, double need) {
    const auto carries = [&](std::uint32_t groups) {
        return sheet.with(rowFigure(groups, perGroup)) >= need;
    };
    if (carries(0)) {
        return 0;
    }
    return smallestCount(std::ceil((need - sheet.withoutRow()) / perGroup), 1, carries);
}

bool inRange(const std::optional<double>& need, double most) noexcept {
    return !need || (*need > 0.0 && *need <= most); // false for NaN too
}

// A need that is not stated takes no groups.
struct NeedCounts {
    std::array<std::uint32_t, 3> groups{}; // in SizingNeed order

    std::uint32_t most() const noexcept { return *std::max_element(groups.begin(), groups.end()); }
    SizingNeed sizedBy() const noexcept {
        const auto first = std::find(groups.begin(), groups.end(), most());
        return static_cast<SizingNeed>(first - groups.begin());
    }
};

bool meetsAlone(const SizingNeeds& needs, const SheetBaseline& baseline) noexcept {
    return (!needs.targetMib || baseline.netTotalMib >= *needs.targetMib) &&
           (!needs.hostIops || baseline.delivery.hostIops.withoutRow() >= *needs.hostIops) &&
           (!needs.mbps || baseline.delivery.mbps.withoutRow() >= *needs.mbps);
}

void addWithSpares(SizedLayout& line, const SheetBaseline& baseline, int modelIndex,
                   const SparePolicy& spares) {
    DisksPerType disks = baseline.disksPerType;
    disks[static_cast<std::size_t>(line.diskType)] +=
        static_cast<std::uint64_t>(line.groupCount) * line.disksPerGroup;
    const DisksToOrder order = disksToOrder(disks, modelIndex, spares);
    line.disksWithSpares = order.allToOrder;
    line.arraysWithSpares = order.arrays;
}

void writeTexts(SizedLayout& line) {
    line.netTotalGbText = formatCapacity(gibFromMib(line.netTotalMib));
    line.netTotalTbText = formatCapacity(tibFromMib(line.netTotalMib));
    line.hostIopsText = formatRate(line.hostIops);
    line.mbpsText = formatRate(line.mbps);
    line.withSparesText = formatDisksAndArrays(line.disksWithSpares, line.arraysWithSpares);
    line.rebuildHoursText = rebuildHoursText(line.rebuild);
    line.readErrorRiskText = readErrorRiskText(line.rebuild);
}

// Fewest disks first, then the sturdier layout, then the one that wastes less. The walk order
// decides the rest, so the order never depends on the sort's own.
bool comesBefore(const SizedLayout& a, std::size_t aIndex, const SizedLayout& b,
                 std::size_t bIndex) {
    if (a.disks != b.disks) {
        return a.disks < b.disks;
    }
    if (a.failuresSurvived != b.failuresSurvived) {
        return a.failuresSurvived > b.failuresSurvived;
    }
    if (a.efficiency != b.efficiency) {
        return a.efficiency > b.efficiency;
    }
    return aIndex < bIndex;
}

} // namespace

TargetParse parseCapacityTarget(std::string_view text, CapacityUnit unit) {
    const std::string_view digits = trimBlanks(text);
    if (!isPlainDecimal(digits)) {
        return refused(kNotAboveZero);
    }
    // std::from_chars reads the point as the decimal mark whatever the locale.
    double value = 0.0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                           std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        return refused(wholePartIsZero(digits) ? kNotAboveZero : kTooLarge);
    }
    if (ec != std::errc{} || end != digits.data() + digits.size() || !(value > 0.0)) {
        return refused(kNotAboveZero);
    }
    const double mib = value * mibPer(unit);
    if (mib > kMaxTargetMib) {
        return refused(kTooLarge);
    }
    return {mib, {}};
}

NeedParse parseHostIopsNeed(std::string_view text) {
    return parseNeed(text, kMaxHostIopsNeed, kNotIops, kTooManyIops);
}

NeedParse parseMbpsNeed(std::string_view text) {
    return parseNeed(text, kMaxMbpsNeed, kNotMbps, kTooManyMbps);
}

ReadPercentParse parseReadPercent(std::string_view text) {
    const WholeNumber number = wholeNumber(trimBlanks(text));
    // Digits only, so never below the lowest, 0.
    if (!number.value || *number.value > static_cast<std::uint64_t>(kReadPercentRange.highest)) {
        return {std::nullopt, kNotReadPercent};
    }
    return {static_cast<int>(*number.value), {}};
}

std::string_view sizedByText(SizingNeed need) noexcept {
    switch (need) {
    case SizingNeed::Capacity:
        return "capacity";
    case SizingNeed::HostIops:
        return "IOPS";
    case SizingNeed::Mbps:
        return "MB/s";
    }
    return {};
}

double RowOrderSum::with(double rowFigure) const noexcept {
    double sum = beforeRow + rowFigure;
    for (std::size_t i = 0; i < rowsAfter; ++i) {
        sum += afterRow[i];
    }
    return sum;
}

SheetDelivery sheetDelivery(const ConfigSheet& sheet, int newRow, const DiskAssumptions& disks,
                            double readShare) {
    const std::size_t newIndex =
        newRow >= 1 && newRow <= kRowCount ? static_cast<std::size_t>(newRow - 1) : kRowCount;
    const SheetPerformance rows = sheetPerformance(sheet, disks, readShare);
    SheetDelivery delivery;
    // Sheet Performance's total starts from 0 and adds every line in row order; the new row
    // has no groups yet, so no line.
    for (std::size_t i = 0; i < rows.count; ++i) {
        const PerformanceLine& line = rows.lines[i];
        if (line.rowIndex < newIndex) {
            delivery.hostIops.beforeRow += line.delivery.hostIops;
            delivery.mbps.beforeRow += line.delivery.mbps;
        } else {
            delivery.hostIops.afterRow[delivery.hostIops.rowsAfter++] = line.delivery.hostIops;
            delivery.mbps.afterRow[delivery.mbps.rowsAfter++] = line.delivery.mbps;
        }
    }
    return delivery;
}

double capacityInUnit(double mib, CapacityUnit unit) noexcept {
    return unit == CapacityUnit::Gb ? gibFromMib(mib) : tibFromMib(mib);
}

double SheetBaseline::netTotalWith(double rowMib) const noexcept {
    double net = mibBeforeRow + rowMib;
    for (std::size_t i = 0; i < rowsAfter; ++i) {
        net += rowMibAfter[i];
    }
    return net;
}

std::optional<SheetBaseline> sheetBaseline(const ConfigSheet& sheet, int newRow) {
    SilentSink silent;
    const SheetWalk walk = walkSheet(sheet, silent);
    if (walk.failed) {
        return std::nullopt;
    }
    const std::size_t newIndex =
        newRow >= 1 && newRow <= kRowCount ? static_cast<std::size_t>(newRow - 1) : kRowCount;
    SheetBaseline baseline;
    baseline.netTotalMib = walk.netTotalMib;
    baseline.totalDisks = walk.totalDisks;
    // The same running sum as Compute's, up to the new row; the new row's own 0 MiB is left out,
    // which changes no sum.
    for (std::size_t i = 0; i < newIndex; ++i) {
        baseline.mibBeforeRow += walk.rows[i].totalUsableMib;
    }
    for (std::size_t i = newIndex + 1; i < walk.rowsComputed; ++i) {
        baseline.rowMibAfter[baseline.rowsAfter++] = walk.rows[i].totalUsableMib;
    }
    baseline.disksPerType = sheetDisksPerType(sheet);
    return baseline;
}

int firstRowBreakingRule(const ConfigSheet& sheet) {
    SilentSink silent;
    const SheetWalk walk = walkSheet(sheet, silent);
    if (!walk.failed) {
        return 0;
    }
    // A broken RAID rule stops the walk after its row is computed, the vault and disk checks
    // before.
    const std::size_t computed = walk.rowsComputed;
    const bool raidRuleBroke = computed > 0 && walk.rows[computed - 1].error;
    return static_cast<int>(raidRuleBroke ? computed : computed + 1);
}

SizingResult sizeForNeeds(int modelIndex, int diskType, bool includesVault,
                          const SizingNeeds& needs, const SheetBaseline& baseline,
                          const PlanningAssumptions& assumptions) {
    SizingResult result;
    if (!needs.any() || !inRange(needs.targetMib, kMaxTargetMib) ||
        !inRange(needs.hostIops, kMaxHostIopsNeed) || !inRange(needs.mbps, kMaxMbpsNeed)) {
        return result;
    }
    if (meetsAlone(needs, baseline)) {
        result.alreadyReached = true;
        return result;
    }
    const std::uint32_t diskKib = usableDiskKib(modelIndex, diskType, includesVault);
    const DiskFigures* figures = assumptions.disks.figures(diskType);
    if (diskKib == 0 || !figures || breaksAtaVaultRule(modelIndex, diskType, includesVault)) {
        return result;
    }
    const double readShare = assumptions.workload.readShare();
    const double diskIops = static_cast<double>(figures->randomIops);
    const double diskMbps = static_cast<double>(figures->sequentialMbps);

    SilentSink silent;
    std::array<SizedLayout, kMaxLayouts> sized{};
    std::size_t count = 0;
    // Every size that the RAID rules accept, asked of the rules themselves.
    for (std::int32_t raid = 0; raid < static_cast<std::int32_t>(kRaidTypes.size()); ++raid) {
        for (std::uint32_t n = 1; n <= kMaxDisksPerGroup && count < kMaxLayouts; ++n) {
            const RaidEfficiency rule = raidEfficiency(raid, n, silent);
            if (rule.error) {
                continue;
            }
            SizedLayout& line = sized[count++];
            line.diskType = diskType;
            line.raidType = raid;
            line.disksPerGroup = n;
            line.efficiency = rule.fraction;
            line.failuresSurvived = Catalogue::failuresSurvived(raid);
            line.groupUsableMib = computeGroup(diskKib, n, 1, raid, silent).groupUsableMib;
            // The same per-group figures, multiplied out the same way, as Sheet Performance's.
            const double groupIops = groupHostIops(raid, n, diskIops, readShare);
            const double groupStream = groupMbps(raid, n, diskMbps, readShare);
            NeedCounts counts;
            if (needs.targetMib) {
                counts.groups[0] = groupsNeeded(diskKib, n, raid, line.groupUsableMib,
                                                *needs.targetMib, baseline, silent);
            }
            if (needs.hostIops) {
                counts.groups[1] =
                    groupsToCarry(groupIops, baseline.delivery.hostIops, *needs.hostIops);
            }
            if (needs.mbps) {
                counts.groups[2] = groupsToCarry(groupStream, baseline.delivery.mbps, *needs.mbps);
            }
            // Some need is unmet by the baseline alone, so the most is at least one group.
            line.groupCount = counts.most();
            line.sizedBy = counts.sizedBy();
            line.rowTotalMib =
                computeGroup(diskKib, n, line.groupCount, raid, silent).totalUsableMib;
            line.netTotalMib = baseline.netTotalWith(line.rowTotalMib);
            line.disks = static_cast<std::uint64_t>(line.groupCount) * n + baseline.totalDisks;
            line.arraysRequired = arraysRequired(line.disks, modelIndex);
            line.hostIops = baseline.delivery.hostIops.with(rowFigure(line.groupCount, groupIops));
            line.mbps = baseline.delivery.mbps.with(rowFigure(line.groupCount, groupStream));
            addWithSpares(line, baseline, modelIndex, assumptions.spares);
            line.rebuild = rebuildRisk(raid, n, diskKib, *figures);
        }
    }

    std::array<std::size_t, kMaxLayouts> order{};
    for (std::size_t i = 0; i < count; ++i) {
        order[i] = i;
    }
    std::sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(count),
              [&](std::size_t a, std::size_t b) { return comesBefore(sized[a], a, sized[b], b); });
    for (std::size_t i = 0; i < count; ++i) {
        SizedLayout& line = result.layouts[i];
        line = std::move(sized[order[i]]);
        writeTexts(line);
    }
    result.count = count;
    return result;
}

SizingResult sizeForCapacity(int modelIndex, int diskType, bool includesVault, double targetMib,
                             const SheetBaseline& baseline) {
    return sizeForNeeds(modelIndex, diskType, includesVault, {targetMib, {}, {}}, baseline,
                        PlanningAssumptions{});
}

} // namespace brim
