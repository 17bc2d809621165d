#include "capacity_planner.h"

#include "blanks.h"
#include "catalogue.h"

#include <cstddef>

namespace brim {

CapacityPlanner::CapacityPlanner(const ConfigSheet& sheet, RowCommands& commands,
                                 const RowDiskNames& names)
    : sheet_(sheet), commands_(commands), freeRow_(commands.firstFreeRow()),
      baseline_(sheetBaseline(sheet, freeRow_)) {
    judgeOtherRows();
    listDiskChoices(names);
}

bool CapacityPlanner::freeRowHoldsVault() const noexcept {
    return freeRow_ != 0 && rowHoldsVault(sheet_, static_cast<std::size_t>(freeRow_ - 1));
}

std::optional<double> CapacityPlanner::sheetMib() const noexcept {
    if (!baseline_) {
        return std::nullopt;
    }
    return baseline_->netTotalMib;
}

// The free row is judged by the layout it will get, which the sizer has checked; the rows
// around it as they stand. So the free row is taken out of the walk: no groups, no disks, no
// RAID type and no vault can break no rule.
void CapacityPlanner::judgeOtherRows() {
    if (freeRow_ == 0) {
        putNotice_ = PlanNotice::NoFreeRow;
        return;
    }
    ConfigSheet others = sheet_;
    others.rows[static_cast<std::size_t>(freeRow_ - 1)] = GroupDefinition{};
    ruleBreakingRow_ = firstRowBreakingRule(others);
    if (ruleBreakingRow_ != 0) {
        putNotice_ = PlanNotice::SheetBreaksRule;
    }
}

// Under the names of the row the layout goes into; with no row free, those of the last row.
void CapacityPlanner::listDiskChoices(const RowDiskNames& names) {
    const std::span<const std::string_view> entries =
        names[static_cast<std::size_t>((freeRow_ != 0 ? freeRow_ : kRowCount) - 1)];
    for (int disk = 0; disk < static_cast<int>(kDiskTypes.size()); ++disk) {
        if (!offers(disk)) {
            continue;
        }
        const auto entry = static_cast<std::size_t>(disk);
        diskChoices_.push_back({disk, entry < entries.size()
                                          ? trimBlanks(entries[entry])
                                          : Catalogue::diskReportName(disk, sheet_.modelIndex)});
    }
}

bool CapacityPlanner::offers(int diskType) const noexcept {
    return usableDiskKib(sheet_.modelIndex, diskType, false) != 0;
}

int CapacityPlanner::openingDiskType(const CapacityChoices& kept) const noexcept {
    if (kept.diskType && offers(*kept.diskType)) {
        return *kept.diskType;
    }
    if (freeRow_ != 0) {
        const int rowDisk = sheet_.rows[static_cast<std::size_t>(freeRow_ - 1)].diskType;
        if (offers(rowDisk)) {
            return rowDisk;
        }
    }
    return diskChoices_.empty() ? 0 : diskChoices_.front().diskType;
}

CapacityAnswer CapacityPlanner::answer(const CapacityRequest& request) const {
    CapacityAnswer answer;
    const bool added = request.addToSheet && baseline_;
    if (added) {
        answer.sheetMib = baseline_->netTotalMib;
    }
    const TargetParse target = parseCapacityTarget(request.targetText, request.unit);
    if (!target.mib) {
        answer.notice = PlanNotice::BadTarget;
        answer.refusal = target.refusal;
        return answer;
    }
    const SheetBaseline baseline = added ? *baseline_ : SheetBaseline{};
    if (added && *target.mib > baseline.netTotalMib) {
        answer.missingMib = *target.mib - baseline.netTotalMib;
    }
    const SizingResult sizing = sizeForCapacity(sheet_.modelIndex, request.diskType,
                                                freeRowHoldsVault(), *target.mib, baseline);
    if (sizing.alreadyReached) {
        answer.notice = PlanNotice::AlreadyReached;
    } else if (breaksAtaVaultRule(sheet_.modelIndex, request.diskType, freeRowHoldsVault())) {
        answer.notice = PlanNotice::AtaMayNotHoldVault;
    }
    for (std::size_t i = 0; i < sizing.count; ++i) {
        if (sizing.layouts[i].failuresSurvived >= request.minimumFailures) {
            answer.lines.push_back(sizing.layouts[i]);
        }
    }
    return answer;
}

bool CapacityPlanner::fitsFreeRow(const SizedLayout& line) const noexcept {
    return offers(line.diskType) &&
           !breaksAtaVaultRule(sheet_.modelIndex, line.diskType, freeRowHoldsVault());
}

bool CapacityPlanner::put(const SizedLayout& line) {
    if (!canPut() || !fitsFreeRow(line)) {
        return false;
    }
    return commands_.putInFirstFreeRow(
        {line.diskType, line.raidType, line.disksPerGroup, line.groupCount});
}

} // namespace brim
