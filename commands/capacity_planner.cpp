#include "commands/capacity_planner.h"

#include "commands/capacity_texts.h"
#include "commands/planner_texts.h"
#include "core/blanks.h"
#include "core/catalogue.h"
#include "core/data_loss.h"
#include "core/plan_cost.h"
#include "core/sheet_exchange.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace brim {

namespace {

// With no need stated at all, the capacity field says what it wants, as when it stood alone.
bool statesWorkload(const CapacityRequest& request) noexcept {
    return !trimBlanks(request.hostIopsText).empty() || !trimBlanks(request.mbpsText).empty();
}

} // namespace

StatedWorkload statedWorkload(const CapacityChoices& choices) {
    return {parseHostIopsNeed(choices.hostIopsText).value, parseMbpsNeed(choices.mbpsText).value};
}

CapacityPlanner::CapacityPlanner(const ConfigSheet& sheet, RowCommands& commands,
                                 const RowDiskNames& names, PlanningAssumptions& planning)
    : sheet_(sheet), commands_(commands), planning_(planning), freeRow_(commands.firstFreeRow()),
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
    return baseline_->netTotalMib();
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
    diskChoices_ = offeredDiskTypes(
        sheet_.modelIndex,
        names[static_cast<std::size_t>((freeRow_ != 0 ? freeRow_ : kRowCount) - 1)]);
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

std::string CapacityPlanner::readPercentText() const {
    return numberText(static_cast<std::uint32_t>(planning_.workload.readPercent()));
}

std::string_view CapacityPlanner::typeReadPercent(std::string_view text) {
    const ReadPercentParse parsed = parseReadPercent(text);
    if (parsed.percent) {
        planning_.workload.setReadPercent(*parsed.percent);
    }
    readPercentRefusal_ = brim::readPercentRefusal(parsed.refusal);
    return readPercentRefusal_;
}

std::string CapacityPlanner::assumptionText(int diskType) const {
    const DiskFigures* figures = planning_.disks.figures(diskType);
    if (!figures) {
        return {};
    }
    std::string_view name = Catalogue::diskReportName(diskType, sheet_.modelIndex);
    for (const DiskChoice& choice : diskChoices_) {
        if (choice.diskType == diskType) {
            name = choice.name;
        }
    }
    return assumptionsText(*figures, name);
}

// In Tab order: Host IOPS, % reads, MB/s.
std::string_view CapacityPlanner::workloadRefusal(const CapacityRequest& request) const {
    const std::string_view iops = hostIopsRefusal(parseHostIopsNeed(request.hostIopsText).refusal);
    if (!iops.empty()) {
        return iops;
    }
    if (!readPercentRefusal_.empty()) {
        return readPercentRefusal_;
    }
    return mbpsRefusal(parseMbpsNeed(request.mbpsText).refusal);
}

CapacityAnswer CapacityPlanner::answer(const CapacityRequest& request) const {
    CapacityAnswer answer;
    const bool added = request.addToSheet && baseline_;
    if (added) {
        answer.sheetMib = baseline_->netTotalMib();
    }
    const bool capacityEmpty = trimBlanks(request.targetText).empty();
    const TargetParse target = parseCapacityTarget(request.targetText, request.unit);
    answer.workloadRefusal = workloadRefusal(request);
    const LossLimitParse limit = parseLossLimit(request.maxLossText);
    answer.lossLimitRefusal = lossLimitRefusal(limit.refusal);
    answer.lossLimitHundredths = limit.hundredths;
    if (!target.mib && (!capacityEmpty || !statesWorkload(request))) {
        answer.notice = PlanNotice::BadTarget;
        answer.refusal = capacityTargetRefusal(target.refusal);
        return answer;
    }
    if (!answer.workloadRefusal.empty()) {
        answer.notice = PlanNotice::BadWorkload;
        return answer;
    }
    if (!answer.lossLimitRefusal.empty()) {
        answer.notice = PlanNotice::BadLossLimit;
        return answer;
    }
    answer.needs = {target.mib, parseHostIopsNeed(request.hostIopsText).value,
                    parseMbpsNeed(request.mbpsText).value};
    SheetBaseline baseline;
    if (added) {
        baseline = *baseline_;
        baseline.delivery = sheetDelivery();
        if (answer.needs.hostIops) {
            answer.sheetHostIops = baseline.delivery.hostIops.withoutRow();
        }
        if (answer.needs.mbps) {
            answer.sheetMbps = baseline.delivery.mbps.withoutRow();
        }
        if (target.mib && *target.mib > baseline.netTotalMib()) {
            answer.missingMib = *target.mib - baseline.netTotalMib();
        }
    }
    const SizingResult sizing =
        sizeForNeeds(sheet_.modelIndex, request.diskType, freeRowHoldsVault(), answer.needs,
                     baseline, planning_);
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
    priceAndRisk(answer.lines, added);
    applyLossLimit(answer);
    return answer;
}

// After the sort: the lines left keep their order, so the best of them comes first.
void CapacityPlanner::applyLossLimit(CapacityAnswer& answer) {
    if (!answer.lossLimitHundredths) {
        return;
    }
    const double limit = static_cast<double>(*answer.lossLimitHundredths) / 100.0;
    const std::size_t before = answer.lines.size();
    std::erase_if(answer.lines,
                  [limit](const SizedLayout& line) { return shownLossPercent(line) > limit; });
    answer.hiddenLines = before - answer.lines.size();
}

// Each line's new groups as a row of the free row's kind (the vault's disks are smaller), and
// with the sheet added its rows too, counted as Sheet Performance counts them: the rows that pass
// their rules by themselves. Once any line is priced they all are (they order the same types on
// the same model), and the cheapest comes first.
void CapacityPlanner::priceAndRisk(std::vector<SizedLayout>& lines, bool added) const {
    if (lines.empty()) {
        return;
    }
    const double sheetRate = added ? sheetLossRate() : 0.0;
    const DisksPerType sheetDisks = added ? baseline_->disksPerType : DisksPerType{};
    // Every line orders the same disk type on the same model: one group's figures serve all, and
    // with no price the lines use, no line needs its order priced.
    const int diskType = lines.front().diskType;
    const DiskFigures* figures = planning_.disks.figures(diskType);
    const std::optional<LossFigures> loss =
        figures ? std::optional(
                      lossFigures(usableDiskKib(sheet_.modelIndex, diskType, freeRowHoldsVault()),
                                  *figures, planning_.rebuildWait.hoursBeforeRebuild()))
                : std::nullopt;
    bool anyPrice = planning_.prices.diskHundredths(diskType) > 0 ||
                    planning_.prices.arrayHundredths(sheet_.modelIndex) > 0;
    for (std::size_t type = 0; type < sheetDisks.size(); ++type) {
        anyPrice = anyPrice || (sheetDisks[type] > 0 &&
                                planning_.prices.diskHundredths(static_cast<int>(type)) > 0);
    }
    for (SizedLayout& line : lines) {
        const std::optional<double> groupRate =
            loss ? groupLossRate(line.raidType, line.disksPerGroup, *loss) : std::nullopt;
        line.lossRate = sheetRate + rowLossRate(line.groupCount, groupRate.value_or(0.0));
        line.lossChance = lossChanceInYear(line.lossRate);
        if (!anyPrice) {
            continue;
        }
        DisksPerType inGroups = sheetDisks;
        inGroups[static_cast<std::size_t>(line.diskType)] +=
            std::uint64_t{line.disksPerGroup} * line.groupCount;
        const PlanCost cost =
            planCost(disksToOrder(inGroups, sheet_.modelIndex, planning_.spares), sheet_.modelIndex,
                     planning_.prices, tibFromMib(line.netTotalMib), line.hostIops);
        line.priced = cost.priced;
        line.cost = cost.cost;
    }
    if (std::any_of(lines.begin(), lines.end(), [](const SizedLayout& l) { return l.priced; })) {
        std::stable_sort(lines.begin(), lines.end(),
                         [](const SizedLayout& a, const SizedLayout& b) {
                             return capacityCostKey(a) < capacityCostKey(b);
                         });
    }
}

const SheetDelivery& CapacityPlanner::sheetDelivery() const {
    const int readPercent = planning_.workload.readPercent();
    if (!delivery_ || delivery_->readPercent != readPercent ||
        !(delivery_->disks == planning_.disks)) {
        delivery_ = DeliveryFound{
            readPercent, planning_.disks,
            brim::sheetDelivery(sheet_, freeRow_, planning_.disks, planning_.workload.readShare())};
    }
    return delivery_->delivery;
}

double CapacityPlanner::sheetLossRate() const {
    const int hours = planning_.rebuildWait.hoursBeforeRebuild();
    if (!lossRate_ || lossRate_->hoursBeforeRebuild != hours ||
        !(lossRate_->disks == planning_.disks)) {
        lossRate_ = LossRateFound{planning_.disks, hours, sheetLoss(sheet_, planning_).planRate};
    }
    return lossRate_->rate;
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
