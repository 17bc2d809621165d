// The workbook written: indented JSON of the sheet's inputs, the kept plans and every planning
// figure, walked from the figures' keys.

#include "core/catalogue.h"
#include "core/units.h"
#include "report/json_reading.h"
#include "report/workbook.h"
#include "report/workbook_keys.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <algorithm>
#include <span>
#include <vector>

namespace brim {
namespace {

using json_reading::key;
using json_reading::qText;
using json_reading::stepOf;
using namespace workbook_keys;

std::size_t codePoints(std::string_view text) noexcept {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// What a workbook keeps of a workload field: its text while the window takes it (empty, or a
// need in range); nothing of one the window refuses, which states no need and which the reader
// would refuse.
std::string keptWorkloadText(const WorkloadField& field, const std::string& text) {
    const bool taken = field.parse(text).refusal == InputRefusal::None &&
                       codePoints(text) <= kMaxWorkloadTextCharacters;
    return taken ? text : std::string();
}

QJsonObject rowObject(const PlanRow& row, bool vaultRow) {
    QJsonObject object;
    object[key(kDiskTypeKey)] =
        qText(kDiskTypes[static_cast<std::size_t>(row.diskType)].orlenReportName);
    const RaidType* raid = Catalogue::raidType(row.raidType);
    object[key(kRaidTypeKey)] = raid ? QJsonValue(qText(raid->pickerName)) : QJsonValue();
    object[key(kDisksPerGroupKey)] = static_cast<qint64>(row.disksPerGroup);
    object[key(kGroupsKey)] = static_cast<qint64>(row.groupCount);
    if (vaultRow) {
        object[key(kVaultKey)] = row.includesVault;
    }
    return object;
}

void putSheet(QJsonObject& object, const PlanSheet& sheet) {
    object[key(kModelKey)] = qText(Catalogue::modelName(sheet.modelIndex));
    QJsonArray rows;
    for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
        rows.append(rowObject(sheet.rows[i], i < kVaultRowCount));
    }
    object[key(kRowsKey)] = rows;
}

// A figure as it was typed: a whole number where it is one, else its decimals.
QJsonValue figureValue(const FigureRule& rule, std::int64_t held) {
    if (rule.mayBeEmpty && held == kEmptyFigure) {
        return QJsonValue(QJsonValue::Null);
    }
    if (rule.form == FigureForm::Flag) {
        return held != 0;
    }
    const std::int64_t step = stepOf(rule.decimals);
    if (held % step == 0) {
        return static_cast<qint64>(held / step);
    }
    return static_cast<double>(held) / static_cast<double>(step);
}

// Every figure of a scope that `group` holds, for one disk type or model (or the program).
template <typename Figure>
void putFigures(QJsonObject& object, std::span<const FigureKey<Figure>> keys,
                std::string_view group, const PlanningAssumptions& planning, int index) {
    for (const FigureKey<Figure>& figure : keys) {
        if (figure.group == group) {
            const FigureRecord<Figure>& record = figureRule(figure.figure);
            object[key(figure.key)] = figureValue(record.rule, record.value(planning, index));
        }
    }
}

QJsonArray disksArray(const PlanningAssumptions& planning) {
    QJsonArray disks;
    for (std::size_t i = 0; i < kDiskTypes.size(); ++i) {
        QJsonObject disk;
        disk[key(kDiskTypeKey)] = qText(kDiskTypes[i].orlenReportName);
        putFigures<DiskFigure>(disk, kDiskFigureKeys, {}, planning, static_cast<int>(i));
        disks.append(disk);
    }
    return disks;
}

QJsonArray arraysArray(const PlanningAssumptions& planning) {
    QJsonArray arrays;
    for (std::size_t i = 0; i < kArrayModels.size(); ++i) {
        QJsonObject entry;
        entry[key(kModelKey)] = qText(kArrayModels[i].name);
        putFigures<ModelFigure>(entry, kModelFigureKeys, {}, planning, static_cast<int>(i));
        arrays.append(entry);
    }
    return arrays;
}

QJsonObject sizingObject(const SizingChoices& sizing) {
    QJsonObject object;
    object[key(kUnitKey)] = qText(kUnitNames[static_cast<std::size_t>(sizing.unit)]);
    const DiskType* disk = sizing.diskType ? Catalogue::diskType(*sizing.diskType) : nullptr;
    object[key(kDiskTypeKey)] = disk ? QJsonValue(qText(disk->orlenReportName)) : QJsonValue();
    object[key(kMinimumFailuresKey)] = sizing.minimumFailures;
    for (const WorkloadField& field : kWorkloadFields) {
        object[key(field.key)] = qText(keptWorkloadText(field, sizing.*field.text));
    }
    // A text, as the other fields of the sizing window; "" for no limit.
    object[key(kMaxLossKey)] =
        qText(sizing.maxLossHundredths ? formatHundredths(*sizing.maxLossHundredths) : "");
    return object;
}

QJsonObject planningObject(const WorkbookFigures& figures) {
    const PlanningAssumptions& planning = figures.planning;
    QJsonObject object;
    putFigures<ProgramFigure>(object, kProgramFigureKeys, {}, planning, 0);
    for (const std::string_view group : programGroups()) {
        QJsonObject fields;
        putFigures<ProgramFigure>(fields, kProgramFigureKeys, group, planning, 0);
        object[key(group)] = fields;
    }
    QJsonObject growth;
    putFigures<GrowthFigure>(growth, kGrowthFigureKeys, kGrowthGroup, planning, 0);
    object[key(kGrowthGroup)] = growth;
    object[key(kDisksKey)] = disksArray(planning);
    object[key(kArrayPricesKey)] = arraysArray(planning);
    object[key(kSizingKey)] = sizingObject(figures.sizing);
    return object;
}

} // namespace

std::string formatWorkbook(const Workbook& workbook) {
    QJsonObject root;
    root[key(kFormatKey)] = qText(kWorkbookFormatName);
    root[key(kVersionKey)] = kWorkbookVersion;
    QJsonObject sheet;
    putSheet(sheet, workbook.sheet);
    root[key(kSheetKey)] = sheet;
    QJsonArray plans;
    for (const NamedPlan& plan : workbook.figures.plans) {
        QJsonObject object;
        object[key(kNameKey)] = qText(plan.name);
        putSheet(object, plan.sheet);
        plans.append(object);
    }
    root[key(kPlansKey)] = plans;
    root[key(kPlanningKey)] = planningObject(workbook.figures);
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

} // namespace brim
