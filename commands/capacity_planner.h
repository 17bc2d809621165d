#pragma once

// What the Size for Capacity window decides, without the window: which row Put in Row fills and
// whether that row holds the vault, what the sheet gives, the disk types on offer under the
// names the row shows, the layouts for what the planner asks and why there are none, and the
// put itself.
//
// The sheet's figure is what computeSheet gives for the sheet's current inputs, found without a
// message, and what Sheet Performance gives for them at the workload's mix. "Add to the current
// sheet" is possible exactly when those inputs compute without a rule failing: the texts of an
// earlier Compute are never read, as inputs may have changed since.

#include "commands/capacity_columns.h"
#include "commands/disk_choices.h"
#include "commands/row_commands.h"
#include "core/capacity_sizing.h"
#include "core/config_sheet.h"
#include "core/growth_schedule.h"
#include "core/planning_assumptions.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brim {

// The choices of the sizing window that last while the program runs (not between runs): the
// main window keeps one and hands it to each sizing window it opens.
struct CapacityChoices {
    CapacityUnit unit = CapacityUnit::Tb; // planners think of arrays in TB
    std::optional<int> diskType;          // nothing until the planner picks one
    // Layouts that lose data with the first failed disk come only when asked for.
    int minimumFailures = 1;
    // The workload fields as last typed. "% reads" is not among them: it is the program's one
    // mix, kept in PlanningAssumptions for Sheet Performance too.
    std::string hostIopsText;
    std::string mbpsText;
    // "Loss a year at most, %:" as last typed; empty: no limit.
    std::string maxLossText = {};
    // The columns of the table the planner has hidden with a right click on its heading.
    std::array<bool, kCapacityColumnCount> hiddenColumns = columnsHiddenAtStart();
};

// The workload the kept fields state, for the years ahead to grow: nothing for a field that is
// empty or refused.
StatedWorkload statedWorkload(const CapacityChoices& choices);

// Why the window cannot do all that the planner asks.
enum class PlanNotice : std::uint8_t {
    None,
    BadTarget,          // the capacity field holds no target; the answer's refusal says why
    BadWorkload,        // a workload field is refused; the answer's workloadRefusal says why
    BadLossLimit,       // the limit on the chance of loss is refused; lossLimitRefusal says why
    AlreadyReached,     // the sheet alone gives the target
    AtaMayNotHoldVault, // the row to fill holds the vault, and the model keeps ATA disks out
    SheetBreaksRule,    // another row breaks a rule: Put in Row's Compute would only show it
    NoFreeRow,          // every row has groups
};

// What the window's inputs ask for.
struct CapacityRequest {
    std::string_view targetText;
    CapacityUnit unit = CapacityUnit::Tb;
    int diskType = 0;
    int minimumFailures = 0;           // failed disks per group that a layout must survive
    bool addToSheet = false;           // ignored when the sheet cannot be added to
    std::string_view hostIopsText;     // empty: no IOPS need
    std::string_view mbpsText;         // empty: no bandwidth need
    std::string_view maxLossText = {}; // in percent a year; empty: no limit
};

struct CapacityAnswer {
    // The layouts that survive enough failures, in the sizer's order, or cheapest first once a
    // price they use is set (the sizer's order among equal costs). With the sheet added,
    // their figures are the whole sheet's once the layout is put in: the net total Compute
    // gives, and the host IOPS and MB/s Sheet Performance gives.
    std::vector<SizedLayout> lines;
    // BadTarget, BadWorkload, BadLossLimit in that order; else None, AlreadyReached or
    // AtaMayNotHoldVault.
    PlanNotice notice = PlanNotice::None;
    std::string_view refusal;          // with BadTarget
    std::string_view workloadRefusal;  // the first refused workload field's, in Tab order
    std::string_view lossLimitRefusal; // the loss limit's, whatever the other fields hold
    // The limit in hundredths of a percent, and the lines it hid: those whose Loss/yr, as the
    // cell reads it, is above it. `lines` holds the others, in their order.
    std::optional<std::int64_t> lossLimitHundredths;
    std::size_t hiddenLines = 0;
    SizingNeeds needs;                   // what the fields state, as sized
    std::optional<double> sheetMib;      // with the sheet added
    std::optional<double> missingMib;    // with the sheet added and a target it lacks: the gap
    std::optional<double> sheetHostIops; // with the sheet added and an IOPS need
    std::optional<double> sheetMbps;     // with the sheet added and a MB/s need
};

class CapacityPlanner {
public:
    // `sheet` is the main window's, just captured; `commands` puts a layout into it;
    // `planning` is the main window's assumptions, whose mix "% reads" sets. All must outlive
    // the planner, which judges the sheet once, as it stands now.
    CapacityPlanner(const ConfigSheet& sheet, RowCommands& commands, const RowDiskNames& names,
                    PlanningAssumptions& planning);

    int modelIndex() const noexcept { return sheet_.modelIndex; }
    // The row Put in Row fills (1-10), or 0 when every row has groups.
    int freeRow() const noexcept { return freeRow_; }
    bool freeRowHoldsVault() const noexcept;
    std::optional<double> sheetMib() const noexcept;
    bool canAddToSheet() const noexcept { return baseline_.has_value(); }

    // None, NoFreeRow or SheetBreaksRule; with SheetBreaksRule, the first such row (1-10).
    PlanNotice putNotice() const noexcept { return putNotice_; }
    int ruleBreakingRow() const noexcept { return ruleBreakingRow_; }
    bool canPut() const noexcept { return putNotice_ == PlanNotice::None; }

    // The disk types the model's family offers, in catalogue order.
    const std::vector<DiskChoice>& diskChoices() const noexcept { return diskChoices_; }
    // The kept disk type when the model offers it, else the free row's, else the first offered.
    int openingDiskType(const CapacityChoices& kept) const noexcept;

    // "% reads" as the field opens: the mix in use.
    std::string readPercentText() const;
    // Takes "% reads" as typed: a good one becomes the program's mix, a refused one leaves the
    // mix as it was and empties the answers until the field holds a good one. Returns the
    // refusal, empty when taken.
    std::string_view typeReadPercent(std::string_view text);

    // "Assumes 180 IOPS, 90 MB/s and an AFR of 2% per 450 G FC disk; change in Sheet
    // Performance.", the disk under the name the list gives it.
    std::string assumptionText(int diskType) const;

    CapacityAnswer answer(const CapacityRequest& request) const;

    // Writes the line into the free row and computes (RowCommands::putInFirstFreeRow). False,
    // with nothing changed, when Put in Row is not possible or the line does not fit the row.
    bool put(const SizedLayout& line);

private:
    bool offers(int diskType) const noexcept;
    std::string_view workloadRefusal(const CapacityRequest& request) const;
    bool fitsFreeRow(const SizedLayout& line) const noexcept;
    void priceAndRisk(std::vector<SizedLayout>& lines, bool added) const;
    static void applyLossLimit(CapacityAnswer& answer);
    void judgeOtherRows();
    void listDiskChoices(const RowDiskNames& names);
    const SheetDelivery& sheetDelivery() const;
    double sheetLossRate() const;

    const ConfigSheet& sheet_;
    RowCommands& commands_;
    PlanningAssumptions& planning_;
    std::string_view readPercentRefusal_;
    int freeRow_ = 0;
    std::optional<SheetBaseline> baseline_;
    PlanNotice putNotice_ = PlanNotice::None;
    int ruleBreakingRow_ = 0;
    std::vector<DiskChoice> diskChoices_;
    // What the sheet's rows deliver, found again only when the mix or a disk figure changed
    // since: the sheet itself holds still while the planner lives, and a keystroke elsewhere
    // changes neither.
    struct DeliveryFound {
        int readPercent = 0;
        DiskAssumptions disks;
        SheetDelivery delivery;
    };
    mutable std::optional<DeliveryFound> delivery_;
    // The sheet's own rate of losing data, likewise found again only when a disk figure or the
    // hours before a rebuild changed.
    struct LossRateFound {
        DiskAssumptions disks;
        int hoursBeforeRebuild = 0;
        double rate = 0.0;
    };
    mutable std::optional<LossRateFound> lossRate_;
};

} // namespace brim
