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

constexpr std::uint32_t kMaxGroups = std::numeric_limits<std::uint32_t>::max();

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

// The smallest group count whose total reaches `missingMib` when Compute multiplies it out,
// or nothing when even the largest 32-bit count falls short. The quotient is only an
// estimate: the product is rounded, so the true count may lie one either side of it.
std::optional<std::uint32_t> groupsNeeded(std::uint32_t diskKib, std::uint32_t disksPerGroup,
                                          std::int32_t raidType, double groupUsableMib,
                                          double missingMib, MessageSink& silent) {
    const auto reaches = [&](std::uint32_t groups) {
        return computeGroup(diskKib, disksPerGroup, groups, raidType, silent).totalUsableMib >=
               missingMib;
    };
    const double estimate = std::ceil(missingMib / groupUsableMib);
    std::uint32_t groups = kMaxGroups;
    if (estimate < static_cast<double>(kMaxGroups)) { // false for NaN and infinity too
        groups = std::max<std::uint32_t>(1, static_cast<std::uint32_t>(estimate));
    }
    while (!reaches(groups)) {
        if (groups == kMaxGroups) {
            return std::nullopt;
        }
        ++groups;
    }
    while (groups > 1 && reaches(groups - 1)) {
        --groups;
    }
    return groups;
}

// One accepted layout before its texts are made.
struct Candidate {
    std::int32_t raidType = kNoRaidType;
    std::uint32_t disksPerGroup = 0;
    std::optional<std::uint32_t> groupCount;
    std::uint64_t disks = 0;
    double groupUsableMib = 0.0;
    double totalUsableMib = 0.0;
    double efficiency = 0.0;
    int failuresSurvived = 0;
};

// Fewest disks first, then the sturdier layout, then the one that wastes less; "too many"
// after every sized layout. The walk order decides the rest, so the order never depends on
// the sort's own.
bool comesBefore(const Candidate& a, std::size_t aIndex, const Candidate& b, std::size_t bIndex) {
    if (a.groupCount.has_value() != b.groupCount.has_value()) {
        return a.groupCount.has_value();
    }
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

SizedLayout toLayout(const Candidate& candidate, int modelIndex) {
    SizedLayout layout;
    layout.raidType = candidate.raidType;
    layout.disksPerGroup = candidate.disksPerGroup;
    layout.groupCount = candidate.groupCount;
    layout.efficiency = candidate.efficiency;
    layout.failuresSurvived = candidate.failuresSurvived;
    if (!candidate.groupCount) {
        return layout;
    }
    layout.disks = candidate.disks;
    layout.arraysRequired = arraysRequired(candidate.disks, modelIndex);
    layout.usableMib = candidate.totalUsableMib;
    layout.groupCapacityText = formatCapacity(gibFromMib(candidate.groupUsableMib));
    layout.totalCapacityText = formatCapacity(gibFromMib(candidate.totalUsableMib));
    layout.totalTbText = formatCapacity(tibFromMib(candidate.totalUsableMib));
    return layout;
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

std::optional<SheetBaseline> sheetBaseline(const ConfigSheet& sheet) {
    SilentSink silent;
    const SheetWalk walk = walkSheet(sheet, silent);
    if (walk.failed) {
        return std::nullopt;
    }
    return SheetBaseline{walk.netTotalMib, walk.totalDisks};
}

SizingResult sizeForCapacity(int modelIndex, int diskType, bool includesVault, double targetMib,
                             const SheetBaseline& baseline) {
    SizingResult result;
    if (!std::isfinite(targetMib)) {
        return result;
    }
    const double missingMib = targetMib - baseline.netTotalMib;
    if (!(missingMib > 0.0)) {
        result.alreadyReached = true;
        return result;
    }
    const std::uint32_t diskKib = usableDiskKib(modelIndex, diskType, includesVault);
    if (diskKib == 0 || breaksAtaVaultRule(modelIndex, diskType, includesVault)) {
        return result;
    }

    SilentSink silent;
    std::array<Candidate, kMaxLayouts> candidates{};
    std::size_t count = 0;
    // Every size that the RAID rules accept, asked of the rules themselves.
    for (std::int32_t raid = 0; raid < static_cast<std::int32_t>(kRaidTypes.size()); ++raid) {
        for (std::uint32_t n = 1; n <= kMaxDisksPerGroup && count < kMaxLayouts; ++n) {
            const RaidEfficiency rule = raidEfficiency(raid, n, silent);
            if (rule.error) {
                continue;
            }
            Candidate& c = candidates[count++];
            c.raidType = raid;
            c.disksPerGroup = n;
            c.efficiency = rule.fraction;
            c.failuresSurvived = Catalogue::failuresSurvived(raid);
            c.groupUsableMib = computeGroup(diskKib, n, 1, raid, silent).groupUsableMib;
            c.groupCount = groupsNeeded(diskKib, n, raid, c.groupUsableMib, missingMib, silent);
            if (c.groupCount) {
                c.totalUsableMib =
                    computeGroup(diskKib, n, *c.groupCount, raid, silent).totalUsableMib;
                c.disks = static_cast<std::uint64_t>(*c.groupCount) * n + baseline.totalDisks;
            }
        }
    }

    std::array<std::size_t, kMaxLayouts> order{};
    for (std::size_t i = 0; i < count; ++i) {
        order[i] = i;
    }
    std::sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(count),
              [&](std::size_t a, std::size_t b) {
                  return comesBefore(candidates[a], a, candidates[b], b);
              });
    for (std::size_t i = 0; i < count; ++i) {
        result.layouts[i] = toLayout(candidates[order[i]], modelIndex);
    }
    result.count = count;
    return result;
}

} // namespace brim
