#include "capacity_columns.h"

#include "catalogue.h"
#include "planner_texts.h"
#include "sheet_exchange.h"
#include "units.h"

#include <limits>

namespace brim {
namespace {

// The largest figures a line can show, for columns that never cut one: the other nine rows of
// the sheet may hold the most groups of the largest groups (with no RAID type they add disks
// but no capacity), and the new groups overshoot the target by less than one largest group.
constexpr std::uint64_t kMostDisksShown =
    (kRowCount - 1) * std::uint64_t{std::numeric_limits<std::uint32_t>::max()} * kMaxDisksPerGroup +
    static_cast<std::uint64_t>(kMostGroupsNeeded) * kMaxDisksPerGroup;
constexpr std::uint64_t kMostArraysShown = kMostDisksShown / fewestDisksOfAModel() + 1;
constexpr double kMostUsableMibShown =
    kMaxTargetMib + largestUsableDiskKib() / kKibPerMib * kMaxDisksPerGroup;
// No disk gives the host more than its own IOPS (r + w × P is at least 1) or streams more than
// its own MB/s.
constexpr double kMostHostIopsShown =
    static_cast<double>(kMostDisksShown) * kRandomIopsRange.highest;
constexpr double kMostMbpsShown =
    static_cast<double>(kMostDisksShown) * kSequentialMbpsRange.highest;
// A type's spares are at most one per disk, or the fewest kept per type.
constexpr std::uint64_t kMostDisksOrderedShown =
    2 * kMostDisksShown + kDiskTypes.size() * std::uint64_t{kMinSparesPerTypeRange.highest};
constexpr std::uint64_t kMostArraysOrderedShown =
    kMostDisksOrderedShown / fewestDisksOfAModel() + 1;
constexpr int kMostFailuresSurvived = 2;

// Two significant digits far below 1 %: "0.00014%".
constexpr double kWidestLossChance = 0.0000014;
// A large order at list prices: a hundred million in the currency of the quote.
constexpr double kLargestRealisticCost = 99'999'999.0;

std::string trimmed(std::string text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string{} : text.substr(first);
}

std::string count(std::uint64_t value) {
    return std::to_string(value);
}

// A layout that cannot rebuild sorts after every one that can: its first failure loses data.
double rebuildKey(const SizedLayout& line, double figure) {
    return line.rebuild.kind == RebuildCase::Rebuilds ? figure
                                                      : std::numeric_limits<double>::infinity();
}

// The longest rebuild: the largest disk at the slowest rate. The widest risk: a certain error
// after two failures.
std::string longestRebuildText() {
    RebuildRisk risk;
    risk.kind = RebuildCase::Rebuilds;
    risk.hours = rebuildHours(largestUsableDiskKib() * kBytesPerKib, kRebuildMbpsRange.lowest);
    return rebuildHoursText(risk);
}

std::string widestRiskText() {
    RebuildRisk risk;
    risk.kind = RebuildCase::Rebuilds;
    risk.chance = 1.0;
    risk.failedDisks = kMostFailuresSurvived;
    return readErrorRiskText(risk);
}

} // namespace

// clang-format off
const std::array<CapacityColumnInfo, kCapacityColumnCount> kCapacityColumns{{
    {CapacityColumn::RaidType, "RAID\ntype", false, false,
     [](const SizedLayout& l) { return std::string(Catalogue::raidPickerName(l.raidType)); },
     [](const SizedLayout& l) { return static_cast<double>(l.raidType); },
     [] { return std::string("IndivDisk"); }, false},
    {CapacityColumn::DisksPerGroup, "Disks per\ngroup", true, false,
     [](const SizedLayout& l) { return count(l.disksPerGroup); },
     [](const SizedLayout& l) { return static_cast<double>(l.disksPerGroup); },
     [] { return count(kMaxDisksPerGroup); }, false},
    {CapacityColumn::GroupsNeeded, "Groups\nneeded", true, false,
     [](const SizedLayout& l) { return count(l.groupCount); },
     [](const SizedLayout& l) { return static_cast<double>(l.groupCount); },
     [] { return count(static_cast<std::uint64_t>(kMostGroupsNeeded)); }, false},
    {CapacityColumn::SizedBy, "Sized by", false, false,
     [](const SizedLayout& l) { return std::string(sizedByText(l.sizedBy)); },
     [](const SizedLayout& l) { return static_cast<double>(l.sizedBy); },
     [] { return std::string(sizedByText(SizingNeed::Capacity)); }, false},
    {CapacityColumn::Disks, "Disks", true, false,
     [](const SizedLayout& l) { return count(l.disks); },
     [](const SizedLayout& l) { return static_cast<double>(l.disks); },
     [] { return count(kMostDisksShown); }, false},
    {CapacityColumn::ArraysNeeded, "Arrays\nneeded", true, false,
     [](const SizedLayout& l) { return count(l.arraysRequired); },
     [](const SizedLayout& l) { return static_cast<double>(l.arraysRequired); },
     [] { return count(kMostArraysShown); }, false},
    {CapacityColumn::WithSpares, "With spares:\ndisks / arrays", false, false,
     [](const SizedLayout& l) { return formatDisksAndArrays(l.disksWithSpares, l.arraysWithSpares); },
     [](const SizedLayout& l) { return static_cast<double>(l.disksWithSpares); },
     [] { return formatDisksAndArrays(kMostDisksOrderedShown, kMostArraysOrderedShown); }, false},
    {CapacityColumn::UsableGb, "Usable\nGB", true, false,
     [](const SizedLayout& l) { return trimmed(formatCapacity(gibFromMib(l.netTotalMib))); },
     [](const SizedLayout& l) { return l.netTotalMib; },
     [] { return trimmed(formatCapacity(gibFromMib(kMostUsableMibShown))); }, true},
    {CapacityColumn::UsableTb, "Usable\nTB", true, false,
     [](const SizedLayout& l) { return trimmed(formatCapacity(tibFromMib(l.netTotalMib))); },
     [](const SizedLayout& l) { return l.netTotalMib; },
     [] { return trimmed(formatCapacity(tibFromMib(kMostUsableMibShown))); }, false},
    {CapacityColumn::HostIops, "Host IOPS", true, true,
     [](const SizedLayout& l) { return formatRate(l.hostIops); },
     [](const SizedLayout& l) { return l.hostIops; },
     [] { return formatRate(kMostHostIopsShown); }, false},
    {CapacityColumn::Mbps, "MB/s", true, true,
     [](const SizedLayout& l) { return formatRate(l.mbps); },
     [](const SizedLayout& l) { return l.mbps; },
     [] { return formatRate(kMostMbpsShown); }, false},
    {CapacityColumn::Efficiency, "Efficiency", false, true,
     [](const SizedLayout& l) { return formatShare(l.efficiency); },
     [](const SizedLayout& l) { return l.efficiency; },
     [] { return formatShare(1.0); }, true},
    {CapacityColumn::FailuresSurvived, "Failures\nsurvived", true, true,
     [](const SizedLayout& l) { return std::to_string(l.failuresSurvived); },
     [](const SizedLayout& l) { return static_cast<double>(l.failuresSurvived); },
     [] { return std::to_string(kMostFailuresSurvived); }, true},
    {CapacityColumn::RebuildHours, "Rebuild h", true, false,
     [](const SizedLayout& l) { return rebuildHoursText(l.rebuild); },
     [](const SizedLayout& l) { return rebuildKey(l, l.rebuild.hours); },
     longestRebuildText, false},
    {CapacityColumn::ReadErrorRisk, "Read-error risk", true, false,
     [](const SizedLayout& l) { return readErrorRiskText(l.rebuild); },
     [](const SizedLayout& l) { return rebuildKey(l, l.rebuild.chance); },
     widestRiskText, false},
    {CapacityColumn::LossPerYear, "Loss/yr", true, false,
     [](const SizedLayout& l) { return formatLossChance(l.lossChance); },
     [](const SizedLayout& l) { return l.lossRate; },
     [] { return formatLossChance(kWidestLossChance); }, false},
    {CapacityColumn::Cost, "Cost", true, false,
     [](const SizedLayout& l) { return l.priced ? formatCost(l.cost) : std::string(kNoFigureText); },
     capacityCostKey,
     [] { return formatCost(kLargestRealisticCost); }, false},
}};
// clang-format on

const CapacityColumnInfo& capacityColumn(CapacityColumn column) noexcept {
    return kCapacityColumns[static_cast<std::size_t>(column)];
}

std::array<bool, kCapacityColumnCount> columnsHiddenAtStart() {
    std::array<bool, kCapacityColumnCount> hidden{};
    for (std::size_t i = 0; i < kCapacityColumns.size(); ++i) {
        hidden[i] = kCapacityColumns[i].startsHidden;
    }
    return hidden;
}

double capacityCostKey(const SizedLayout& line) noexcept {
    return line.priced ? line.cost : std::numeric_limits<double>::infinity();
}

std::string capacityCellText(const SizedLayout& line, CapacityColumn column) {
    return capacityColumn(column).text(line);
}

} // namespace brim
