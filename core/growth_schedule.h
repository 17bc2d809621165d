#pragma once

#include "core/catalogue.h"
#include "core/config_sheet.h"
#include "core/growth_figures.h"
#include "core/planning_assumptions.h"
#include "core/spares.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

namespace brim {

// What to buy each year as the data and the workload grow, and what the plan costs to own.
// Year 1 is the coming year; year y holds y years of growth. What a year needs is bought at its
// start and must meet that year's end. One definition of the sheet grows, in whole groups, and
// every other row stays as it stands:
//   need(y) = N0 × (1 + capacity growth)^y, in the sheet's TB (TiB), and the stated workload
//   I0 × (1 + workload growth)^y;
//   G(0) = the growth row's groups on the sheet; G(y) = max(G(y − 1), the fewest groups with
//   which the whole sheet meets every need of year y), compared unrounded;
//   D_t(y), A(y) = the disks to order of each type (spares included) and the arrays of the plan
//   with the growth row at G(y); before year 1 none, or the sheet's own when it is installed;
//   bought = D_t(y) − D_t(y − 1) and A(y) − A(y − 1), at today's price × (1 + change)^(y − 1);
//   Power(y) W = Σ_t D_t(y) × watts_t + A(y) × the array's watts;
//   Energy(y) = Power(y) × PUE × 8766 ÷ 1000 × energy price;
//   Support(y) = support share × (the installed sheet's value at today's prices + every
//   purchase of years 1 … y); Cost(y) = Purchase + Energy + Support.

// No count of groups beyond this fits a # of Groups field.
inline constexpr std::uint32_t kMostGrowthGroups = std::numeric_limits<std::uint32_t>::max();
inline constexpr std::size_t kMostGrowthYears = static_cast<std::size_t>(kGrowthYearsRange.highest);

// The workload Size for Capacity states today; nothing where its field is empty.
struct StatedWorkload {
    std::optional<double> hostIops; // at the program's read share
    std::optional<double> mbps;
};

struct GrowthInputs {
    const ConfigSheet& sheet; // the inputs as the window shows them; no Compute needed
    const PlanningAssumptions& assumptions; // the growth and power figures among them
    StatedWorkload workload;
};

enum class NoSchedule : std::uint8_t {
    None,             // there is a schedule
    RowBreaksRule,    // the sheet does not compute: `brokenRow` breaks a rule
    NothingCanGrow,   // no definition has groups, a RAID type and disks per group
    FigureOutOfRange, // a growth figure or a stated workload outside its range
};

// What set a year's count of groups; on a tie the first of capacity, IOPS, MB/s.
enum class SizedBy : std::uint8_t { Unchanged, Capacity, HostIops, Mbps };

struct GrowthYear {
    int year = 0; // 1 to Years
    double needTib = 0.0;
    std::optional<double> neededHostIops; // where a workload is stated
    std::optional<double> neededMbps;
    std::uint32_t groups = 0; // of the growth row: G(y)
    SizedBy sizedBy = SizedBy::Unchanged;
    // The year's plan, the sheet with the growth row at G(y), as Compute and Sheet Performance
    // give it.
    double usableTib = 0.0;
    double hostIops = 0.0;
    double mbps = 0.0;
    DisksToOrder order; // D_t(y) in toOrder, A(y) in arrays
    DisksPerType disksBought{};
    std::uint64_t allDisksBought = 0;
    std::uint64_t arraysBought = 0;
    double purchase = 0.0;
    bool purchaseLeavesOut = false; // a type or the arrays bought this year have no price
    double powerWatts = 0.0;
    double energy = 0.0;
    double support = 0.0;
    double cost = 0.0;
    double cumulative = 0.0;
    double lossChance = 0.0; // p_y, of the year's plan in a year
};

struct GrowthTotals {
    DisksPerType disksBought{};
    std::uint64_t allDisksBought = 0;
    std::uint64_t arraysBought = 0;
    double purchase = 0.0;
    double energy = 0.0;
    double support = 0.0;
    double cost = 0.0; // the sum of the years' costs: the last cumulative
    // Of the last year's plan; nothing when it holds no TB or delivers no host IOPS.
    std::optional<double> costPerUsableTib;
    std::optional<double> costPerThousandHostIops;
    double lossChanceOverYears = 0.0; // 1 − Π(1 − p_y)
};

enum class RunOutCase : std::uint8_t {
    NoNeedTyped,       // nothing to say: the sheet's own total grows
    AlreadyShort,      // today's need exceeds the sheet's net TB
    InMonth,           // the need first exceeds the sheet in `month`
    NotWithinTheYears, // the sheet lasts every month of the years
};

struct RunOut {
    RunOutCase kind = RunOutCase::NoNeedTyped;
    int month = 0; // 1 to 12 × Years, for InMonth
};

// Which prices and power figures the schedule uses are missing. Until some price it uses (a disk
// type it orders, the arrays, the energy) is set there is no cost to show; after that a cost is
// a partial sum and these say what it leaves out.
struct GrowthPricing {
    bool priced = false;
    std::array<bool, kDiskTypes.size()> unpricedDiskTypes{}; // ordered in some year, price 0
    bool arrayUnpriced = false;                              // arrays ordered, the model's price 0
    bool arrayPowerNotCounted = false;                       // arrays ordered, their power 0
    bool energyNotCounted = false;                           // no energy price

    bool leavesSomethingOut() const noexcept;
};

struct GrowthSchedule {
    NoSchedule missing = NoSchedule::None;
    int brokenRow = 0; // 1 to 10, for RowBreaksRule

    int growthRow = 0;              // 1 to 10: the definition that grows
    bool fellBackToLargest = false; // the picked row cannot grow
    std::uint32_t sheetGroups = 0;  // G(0)

    double sheetTib = 0.0; // the sheet's net total as it stands, unrounded
    double todayNeedTib = 0.0;
    bool needTyped = false;
    StatedWorkload todayWorkload; // I0

    std::array<GrowthYear, kMostGrowthYears> years{};
    std::size_t yearCount = 0; // lines in use, years 1 to yearCount
    // The first year whose need no count up to kMostGrowthGroups meets; the schedule ends
    // before it. `unmetNeed` names the first need of that year left unmet.
    std::optional<int> endedAtYear;
    SizedBy unmetNeed = SizedBy::Unchanged;

    GrowthTotals totals;
    RunOut runOut;
    GrowthPricing pricing;
};

GrowthSchedule growthSchedule(const GrowthInputs& inputs);

} // namespace brim
