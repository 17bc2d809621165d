#include "core/capacity_sizing.h"

#include "core/catalogue.h"
#include "core/message_sink.h"
#include "core/performance.h"
#include "core/raid_rules.h"
#include "core/spares.h"
#include "core/units.h"

#include <algorithm>
#include <cmath>

namespace brim {
namespace {

// The smallest count from `lowest` that `reaches`, from an estimate. A quotient is only an
// estimate: the products and the sums are rounded, so the true count may lie one either side
// of it. No count beyond kMostGroupsNeeded is ever needed (see the header's bounds).
constexpr auto kMostGroups = static_cast<std::uint32_t>(kMostGroupsNeeded);

template <typename Reaches>
std::optional<std::uint32_t> smallestCount(double estimate, std::uint32_t lowest,
                                           const Reaches& reaches) {
    auto groups = static_cast<std::uint32_t>(
        std::clamp(estimate, static_cast<double>(lowest), kMostGroupsNeeded));
    while (groups < kMostGroups && !reaches(groups)) {
        ++groups;
    }
    if (!reaches(groups)) {
        return std::nullopt;
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
    const double sheetMib = baseline.netTotalMib();
    if (sheetMib >= targetMib) {
        return 0;
    }
    const auto reaches = [&](std::uint32_t groups) {
        const double rowMib =
            computeGroup(diskKib, disksPerGroup, groups, raidType, silent).totalUsableMib;
        return baseline.netMib.with(rowMib) >= targetMib;
    };
    // Within the target's range the count is always found (see kMostGroupsNeeded).
    return smallestCount(std::ceil((targetMib - sheetMib) / groupUsableMib), 1, reaches)
        .value_or(kMostGroups);
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
    return (!needs.targetMib || baseline.netTotalMib() >= *needs.targetMib) &&
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
            // Within their ranges the workload's needs take no more groups than the capacity's.
            if (needs.hostIops) {
                counts.groups[1] =
                    groupsToCarry(groupIops, baseline.delivery.hostIops, *needs.hostIops)
                        .value_or(kMostGroups);
            }
            if (needs.mbps) {
                counts.groups[2] = groupsToCarry(groupStream, baseline.delivery.mbps, *needs.mbps)
                                       .value_or(kMostGroups);
            }
            // Some need is unmet by the baseline alone, so the most is at least one group.
            line.groupCount = counts.most();
            line.sizedBy = counts.sizedBy();
            line.rowTotalMib =
                computeGroup(diskKib, n, line.groupCount, raid, silent).totalUsableMib;
            line.netTotalMib = baseline.netMib.with(line.rowTotalMib);
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
        result.layouts[i] = sized[order[i]];
    }
    result.count = count;
    return result;
}

std::optional<std::uint32_t> groupsToCarry(double perGroup, const RowOrderSum& sheet, double need) {
    const auto carries = [&](std::uint32_t groups) {
        return sheet.with(rowFigure(groups, perGroup)) >= need;
    };
    if (carries(0)) {
        return 0;
    }
    if (!(perGroup > 0.0)) {
        return std::nullopt;
    }
    return smallestCount(std::ceil((need - sheet.withoutRow()) / perGroup), 1, carries);
}

} // namespace brim
