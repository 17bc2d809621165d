#include "capacity_sizing.h"

#include "blanks.h"
#include "catalogue.h"
#include "raid_rules.h"
#include "units.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace brim {
namespace {

constexpr std::string_view kNotAboveZero = "Type a usable capacity above 0, such as 200 or 12.5.";
constexpr std::string_view kTooLarge = "Type at most 1,000,000 TB.";

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

// The smallest group count whose net total reaches `targetMib` when Compute multiplies it out
// and adds it up. The quotient is only an estimate: the product and the sums are rounded, so
// the true count may lie one either side of it. It never exceeds kMostGroupsNeeded, as the
// net total is at least the new row's total.
std::uint32_t groupsNeeded(std::uint32_t diskKib, std::uint32_t disksPerGroup,
                           std::int32_t raidType, double groupUsableMib, double targetMib,
                           const SheetBaseline& baseline, MessageSink& silent) {
    const auto reaches = [&](std::uint32_t groups) {
        const double rowMib =
            computeGroup(diskKib, disksPerGroup, groups, raidType, silent).totalUsableMib;
        return baseline.netTotalWith(rowMib) >= targetMib;
    };
    const double estimate = std::ceil((targetMib - baseline.netTotalMib) / groupUsableMib);
    auto groups = static_cast<std::uint32_t>(std::clamp(estimate, 1.0, kMostGroupsNeeded));
    while (!reaches(groups)) {
        ++groups;
    }
    while (groups > 1 && reaches(groups - 1)) {
        --groups;
    }
    return groups;
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

SizingResult sizeForCapacity(int modelIndex, int diskType, bool includesVault, double targetMib,
                             const SheetBaseline& baseline) {
    SizingResult result;
    if (!(targetMib > 0.0 && targetMib <= kMaxTargetMib)) { // false for NaN too
        return result;
    }
    if (!(targetMib > baseline.netTotalMib)) {
        result.alreadyReached = true;
        return result;
    }
    const std::uint32_t diskKib = usableDiskKib(modelIndex, diskType, includesVault);
    if (diskKib == 0 || breaksAtaVaultRule(modelIndex, diskType, includesVault)) {
        return result;
    }

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
            line.groupCount =
                groupsNeeded(diskKib, n, raid, line.groupUsableMib, targetMib, baseline, silent);
            line.rowTotalMib =
                computeGroup(diskKib, n, line.groupCount, raid, silent).totalUsableMib;
            line.netTotalMib = baseline.netTotalWith(line.rowTotalMib);
            line.disks = static_cast<std::uint64_t>(line.groupCount) * n + baseline.totalDisks;
            line.arraysRequired = arraysRequired(line.disks, modelIndex);
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
        line = sized[order[i]];
        line.netTotalGbText = formatCapacity(gibFromMib(line.netTotalMib));
        line.netTotalTbText = formatCapacity(tibFromMib(line.netTotalMib));
    }
    result.count = count;
    return result;
}

} // namespace brim
