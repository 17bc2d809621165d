#include "commands/capacity_texts.h"

#include "commands/planner_units.h"
#include "core/catalogue.h"
#include "core/units.h"

#include <vector>

namespace brim {
namespace {

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string{} : text.substr(first);
}

// "32.10 TB": a capacity as the window's other figures show it, in the unit picked.
std::string figure(double mib, CapacityUnit unit) {
    return trimmed(formatCapacity(capacityInUnit(mib, unit))) + ' ' +
           std::string(kCapacityUnitTexts[static_cast<std::size_t>(unit)]);
}

std::string rate(double value, std::string_view unit) {
    return formatWholeNumber(value) + ' ' + std::string(unit);
}

// "15.73 TB, 2843 host IOPS and 1200 MB/s": the sheet's figures for the needs stated, the
// capacity always when it is stated or nothing else is.
std::string sheetFigures(const CapacityAnswer& answer, CapacityUnit unit) {
    std::vector<std::string> parts;
    if (answer.needs.targetMib || (!answer.sheetHostIops && !answer.sheetMbps)) {
        parts.push_back(figure(answer.sheetMib.value_or(0.0), unit));
    }
    if (answer.sheetHostIops) {
        parts.push_back(rate(*answer.sheetHostIops, "host IOPS"));
    }
    if (answer.sheetMbps) {
        parts.push_back(rate(*answer.sheetMbps, "MB/s"));
    }
    std::string text = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i) {
        text += (i + 1 == parts.size() ? " and " : ", ") + parts[i];
    }
    return text;
}

} // namespace

std::string noticeText(const CapacityAnswer& answer, CapacityUnit unit, int modelIndex) {
    switch (answer.notice) {
    case PlanNotice::BadTarget:
        return std::string(answer.refusal);
    case PlanNotice::AlreadyReached:
        return "The sheet already gives " + sheetFigures(answer, unit) + '.';
    case PlanNotice::AtaMayNotHoldVault:
        return "ATA disks may not hold the vault on the " +
               std::string(Catalogue::modelName(modelIndex)) + ": pick another disk type.";
    default:
        return {};
    }
}

std::string sheetFigureText(const CapacityAnswer& answer, CapacityUnit unit) {
    if (!answer.sheetMib) {
        return {};
    }
    std::string text = "The sheet gives " + sheetFigures(answer, unit);
    if (answer.missingMib) {
        text += "; the layouts add at least " + figure(*answer.missingMib, unit);
    }
    return text + '.';
}

std::string lossLimitNoteText(const CapacityAnswer& answer) {
    if (!answer.lossLimitRefusal.empty()) {
        return std::string(answer.lossLimitRefusal);
    }
    if (answer.hiddenLines == 0 || !answer.lossLimitHundredths) {
        return {};
    }
    const std::string above =
        "lose data more often than " + formatHundredths(*answer.lossLimitHundredths) + "% a year.";
    if (answer.lines.empty()) {
        return "The limit hides every layout: they all " + above;
    }
    return "The limit hides " + std::to_string(answer.hiddenLines) + " of " +
           std::to_string(answer.hiddenLines + answer.lines.size()) + " layouts, which " + above;
}

std::string rowNoteText(const CapacityPlanner& planner) {
    const std::string row = std::to_string(planner.freeRow());
    switch (planner.putNotice()) {
    case PlanNotice::NoFreeRow:
        return "Every row has groups: clear one in the main window to put a layout in.";
    case PlanNotice::SheetBreaksRule:
        return "Row " + std::to_string(planner.ruleBreakingRow()) +
               " breaks a rule: press Compute in the main window to see it.";
    default:
        break;
    }
    if (planner.freeRowHoldsVault()) {
        return "Put in Row fills row " + row +
               ", which holds the vault disks: the figures allow for the vault reservation.";
    }
    return "Put in Row fills row " + row + '.';
}

std::string assumptionsText(const DiskFigures& figures, std::string_view diskName) {
    return "Assumes " + std::to_string(figures.randomIops) + " IOPS, " +
           std::to_string(figures.sequentialMbps) + " MB/s and an AFR of " +
           formatHundredths(figures.annualFailureHundredths) + "% per " + std::string(diskName) +
           " disk; change in Sheet Performance.";
}

} // namespace brim
