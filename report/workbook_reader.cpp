// The workbook read: the whole text checked against the workbook's schema before anything is
// taken from it, with the strict reading of json_reading; the planning figures walked from their
// keys.

#include "core/catalogue.h"
#include "core/plan_name.h"
#include "core/planner_inputs.h"
#include "core/raid_rules.h"
#include "report/json_keys.h"
#include "report/json_reading.h"
#include "report/workbook.h"
#include "report/workbook_keys.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QString>
#include <algorithm>
#include <cmath>
#include <span>

namespace brim {
namespace {

using namespace json_reading;
using namespace workbook_keys;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// A planning figure in its rule's form and range.
std::int64_t figureAt(const QJsonValue& value, const std::string& path, const FigureRule& rule) {
    if (rule.mayBeEmpty && value.isNull()) {
        return kEmptyFigure;
    }
    if (rule.form == FigureForm::Flag) {
        return flagAt(value, path) ? 1 : 0;
    }
    if (rule.form == FigureForm::Decimal) {
        return decimalAt(value, path, rule.decimals, rule.range);
    }
    return wholeNumberAt(value, path, rule.range.lowest, rule.range.highest);
}

// Every figure of a scope that `group` holds and the object gives, for one disk type or model
// (or the program). A figure left out keeps its value; a given one was checked against its
// rule's range, which its store holds too, so every store takes it.
template <typename Figure>
void readFigures(const QJsonObject& object, const std::string& path,
                 std::span<const FigureKey<Figure>> keys, std::string_view group,
                 PlanningAssumptions& planning, int index) {
    for (const FigureKey<Figure>& figure : keys) {
        if (figure.group == group && object.contains(key(figure.key))) {
            const FigureRecord<Figure>& record = figureRule(figure.figure);
            const std::string place = member(path, std::string(figure.key).c_str());
            record.store(planning, index, figureAt(object[key(figure.key)], place, record.rule));
        }
    }
}

// The names of those figures, with the object's own fields before them.
template <typename Figure>
std::vector<std::string_view> fieldsOf(std::span<const FigureKey<Figure>> keys,
                                       std::string_view group,
                                       std::initializer_list<std::string_view> own) {
    std::vector<std::string_view> names(own);
    for (const FigureKey<Figure>& figure : keys) {
        if (figure.group == group) {
            names.push_back(figure.key);
        }
    }
    return names;
}

int modelAt(const QJsonValue& value, const std::string& path) {
    const QString name = stringAt(value, path);
    const int index = indexOfName(kArrayModels, name, [](const ArrayModel& m) { return m.name; });
    if (index < 0) {
        fault(path, quoted(name) + " is not an array model of this program.");
    }
    return index;
}

int diskTypeAt(const QJsonValue& value, const std::string& path) {
    const QString name = stringAt(value, path);
    const int index =
        indexOfName(kDiskTypes, name, [](const DiskType& d) { return d.orlenReportName; });
    if (index < 0) {
        fault(path, quoted(name) + " is not a disk type of this program.");
    }
    return index;
}

int raidTypeAt(const QJsonValue& value, const std::string& path) {
    if (value.isNull()) {
        return kNoRaidType;
    }
    const QString name = stringAt(value, path);
    const int index = indexOfName(kRaidTypes, name, [](const RaidType& r) { return r.pickerName; });
    if (index < 0) {
        fault(path, quoted(name) + " is not a RAID type of this program.");
    }
    return index;
}

constexpr std::int64_t kMostCount = 4'294'967'295; // what a sheet's number field holds

// A row's fields may be left out: they then keep a new row's values.
PlanRow rowAt(const QJsonValue& value, const std::string& path, bool vaultRow) {
    const QJsonObject object = objectAt(value, path);
    onlyKnownFields(object, path,
                    {kDiskTypeKey, kRaidTypeKey, kDisksPerGroupKey, kGroupsKey, kVaultKey});
    PlanRow row;
    // A field left out reads as undefined; JSON's own null is a value.
    if (const QJsonValue disk = object.value(key(kDiskTypeKey)); !disk.isUndefined()) {
        row.diskType = diskTypeAt(disk, member(path, kDiskTypeKey));
    }
    if (const QJsonValue raid = object.value(key(kRaidTypeKey)); !raid.isUndefined()) {
        row.raidType = raidTypeAt(raid, member(path, kRaidTypeKey));
    }
    if (const QJsonValue perGroup = object.value(key(kDisksPerGroupKey)); !perGroup.isUndefined()) {
        row.disksPerGroup = static_cast<std::uint32_t>(
            wholeNumberAt(perGroup, member(path, kDisksPerGroupKey), 0, kMaxDisksPerGroup));
    }
    if (const QJsonValue groups = object.value(key(kGroupsKey)); !groups.isUndefined()) {
        row.groupCount = static_cast<std::uint32_t>(
            wholeNumberAt(groups, member(path, kGroupsKey), 0, kMostCount));
    }
    if (const QJsonValue vault = object.value(key(kVaultKey)); !vault.isUndefined()) {
        row.includesVault = flagAt(vault, member(path, kVaultKey));
        if (row.includesVault && !vaultRow) {
            fault(member(path, kVaultKey), "only rows 1 to 5 (0 to 4 here) may hold the vault.");
        }
    }
    return row;
}

// The model and the rows of a sheet or a plan, from `object`'s own fields.
PlanSheet sheetFields(const QJsonObject& object, const std::string& path) {
    PlanSheet sheet;
    sheet.modelIndex = modelAt(required(object, kModelKey, path), member(path, kModelKey));
    const std::string rowsPath = member(path, kRowsKey);
    const QJsonArray rows = arrayAt(required(object, kRowsKey, path), rowsPath);
    if (rows.size() != kRowCount) {
        fault(rowsPath, "holds " + std::to_string(rows.size()) + " rows; a sheet has exactly " +
                            std::to_string(kRowCount) + '.');
    }
    for (qsizetype i = 0; i < rows.size(); ++i) {
        sheet.rows[static_cast<std::size_t>(i)] =
            rowAt(rows[i], element(rowsPath, i), i < kVaultRowCount);
    }
    return sheet;
}

PlanSheet sheetAt(const QJsonValue& value, const std::string& path) {
    const QJsonObject object = objectAt(value, path);
    onlyKnownFields(object, path, {kModelKey, kRowsKey});
    return sheetFields(object, path);
}

std::vector<NamedPlan> plansAt(const QJsonValue& value, const std::string& path) {
    const QJsonArray array = arrayAt(value, path);
    if (static_cast<std::size_t>(array.size()) > kMaxKeptPlans) {
        fault(path, "holds " + std::to_string(array.size()) + " plans; a workbook keeps at most " +
                        std::to_string(kMaxKeptPlans) + '.');
    }
    std::vector<NamedPlan> plans;
    for (qsizetype i = 0; i < array.size(); ++i) {
        const std::string planPath = element(path, i);
        const QJsonObject object = objectAt(array[i], planPath);
        onlyKnownFields(object, planPath, {kNameKey, kModelKey, kRowsKey});
        const std::string namePath = member(planPath, kNameKey);
        const std::string name =
            stringAt(required(object, kNameKey, planPath), namePath).toStdString();
        if (!isPlanName(name)) {
            fault(namePath, std::string(kPlanNameRule));
        }
        if (std::any_of(plans.begin(), plans.end(),
                        [&name](const NamedPlan& p) { return p.name == name; })) {
            fault(namePath, '"' + name + "\" is the name of an earlier plan.");
        }
        plans.push_back({name, sheetFields(object, planPath)});
    }
    return plans;
}

void readDisk(const QJsonValue& value, const std::string& path, PlanningAssumptions& planning,
              std::array<bool, kDiskTypes.size()>& seen) {
    const QJsonObject object = objectAt(value, path);
    onlyKnownFields(object, path, fieldsOf<DiskFigure>(kDiskFigureKeys, {}, {kDiskTypeKey}));
    const std::string typePath = member(path, kDiskTypeKey);
    const int type = diskTypeAt(required(object, kDiskTypeKey, path), typePath);
    if (seen[static_cast<std::size_t>(type)]) {
        fault(typePath, "the figures of " + quoted(object[key(kDiskTypeKey)].toString()) +
                            " are given twice.");
    }
    seen[static_cast<std::size_t>(type)] = true;
    readFigures<DiskFigure>(object, path, kDiskFigureKeys, {}, planning, type);
}

void readArray(const QJsonValue& value, const std::string& path, PlanningAssumptions& planning,
               std::array<bool, kArrayModels.size()>& seen) {
    const QJsonObject object = objectAt(value, path);
    onlyKnownFields(object, path, fieldsOf<ModelFigure>(kModelFigureKeys, {}, {kModelKey}));
    const std::string modelPath = member(path, kModelKey);
    const int model = modelAt(required(object, kModelKey, path), modelPath);
    if (seen[static_cast<std::size_t>(model)]) {
        fault(modelPath,
              "the figures of " + quoted(object[key(kModelKey)].toString()) + " are given twice.");
    }
    seen[static_cast<std::size_t>(model)] = true;
    readFigures<ModelFigure>(object, path, kModelFigureKeys, {}, planning, model);
}

std::string workloadText(const QJsonValue& value, const std::string& path) {
    const QString text = stringAt(value, path);
    if (static_cast<std::size_t>(text.toUcs4().size()) > kMaxWorkloadTextCharacters) {
        fault(path,
              "is longer than " + std::to_string(kMaxWorkloadTextCharacters) + " characters.");
    }
    return text.toStdString();
}

// A workload field: a whole number in the window's range, or a text that the window reads as
// empty or as such a number. Either is kept as the text the window shows.
std::string workloadTextAt(const WorkloadField& field, const QJsonValue& value,
                           const std::string& path) {
    if (value.isDouble()) {
        return std::to_string(wholeNumberIn(value, path, field.range));
    }
    if (!value.isString()) {
        fault(path, "must be a whole number, or a text in quotes holding one.");
    }
    std::string text = workloadText(value, path);
    switch (field.parse(text).refusal) {
    case InputRefusal::None:
        break;
    case InputRefusal::NotANumber:
        fault(path, quoted(qText(text)) + " is not a whole number.");
    case InputRefusal::BelowRange:
    case InputRefusal::AboveRange:
        fault(path, quoted(qText(text)) + " is outside " + std::to_string(field.range.lowest) +
                        " to " + std::to_string(field.range.highest) + '.');
    }
    return text;
}

// Empty (no limit), or a percentage from 0 to 100 with up to two decimals, as a number or a text.
std::optional<std::int64_t> lossLimitAt(const QJsonValue& value, const std::string& path) {
    if (value.isDouble()) {
        return hundredthsIn(value, path, kLossLimitHundredthsRange);
    }
    if (!value.isString()) {
        fault(path, "must be a number or a text in quotes.");
    }
    const std::string text = workloadText(value, path);
    const LossLimitParse limit = parseLossLimit(text);
    if (limit.refusal != DecimalRefusal::None) {
        fault(path, quoted(QString::fromStdString(text)) +
                        " is not a percentage from 0 to 100 with up to two decimals.");
    }
    return limit.hundredths;
}

SizingChoices sizingAt(const QJsonValue& value, const std::string& path) {
    const QJsonObject object = objectAt(value, path);
    onlyKnownFields(
        object, path,
        {kUnitKey, kDiskTypeKey, kMinimumFailuresKey, kHostIopsKey, kMbpsKey, kMaxLossKey});
    SizingChoices sizing;
    if (object.contains(key(kUnitKey))) {
        const std::string unitPath = member(path, kUnitKey);
        const QString unit = stringAt(object[key(kUnitKey)], unitPath);
        const int index = indexOfName(kUnitNames, unit, [](std::string_view n) { return n; });
        if (index < 0) {
            fault(unitPath, quoted(unit) + " is not a unit: \"GB\" or \"TB\".");
        }
        sizing.unit = static_cast<CapacityUnit>(index);
    }
    if (object.contains(key(kDiskTypeKey)) && !object[key(kDiskTypeKey)].isNull()) {
        sizing.diskType = diskTypeAt(object[key(kDiskTypeKey)], member(path, kDiskTypeKey));
    }
    if (object.contains(key(kMinimumFailuresKey))) {
        sizing.minimumFailures = static_cast<int>(wholeNumberAt(object[key(kMinimumFailuresKey)],
                                                                member(path, kMinimumFailuresKey),
                                                                0, kMostFailuresAsked));
    }
    for (const WorkloadField& field : kWorkloadFields) {
        if (object.contains(key(field.key))) {
            sizing.*field.text =
                workloadTextAt(field, object[key(field.key)], member(path, field.key));
        }
    }
    if (object.contains(key(kMaxLossKey))) {
        sizing.maxLossHundredths = lossLimitAt(object[key(kMaxLossKey)], member(path, kMaxLossKey));
    }
    return sizing;
}

void readPlanning(const QJsonValue& value, const std::string& path, WorkbookFigures& figures) {
    const QJsonObject object = objectAt(value, path);
    std::vector<std::string_view> known =
        fieldsOf<ProgramFigure>(kProgramFigureKeys, {}, {kDisksKey, kArrayPricesKey, kSizingKey});
    known.push_back(kGrowthGroup);
    const std::vector<std::string_view> groups = programGroups();
    known.insert(known.end(), groups.begin(), groups.end());
    onlyKnownFields(object, path, known);
    PlanningAssumptions& planning = figures.planning;
    readFigures<ProgramFigure>(object, path, kProgramFigureKeys, {}, planning, 0);
    for (const std::string_view group : groups) {
        if (object.contains(key(group))) {
            const std::string groupPath = member(path, std::string(group).c_str());
            const QJsonObject fields = objectAt(object[key(group)], groupPath);
            onlyKnownFields(fields, groupPath,
                            fieldsOf<ProgramFigure>(kProgramFigureKeys, group, {}));
            readFigures<ProgramFigure>(fields, groupPath, kProgramFigureKeys, group, planning, 0);
        }
    }
    if (object.contains(key(kGrowthGroup))) {
        const std::string growthPath = member(path, std::string(kGrowthGroup).c_str());
        const QJsonObject fields = objectAt(object[key(kGrowthGroup)], growthPath);
        onlyKnownFields(fields, growthPath,
                        fieldsOf<GrowthFigure>(kGrowthFigureKeys, kGrowthGroup, {}));
        readFigures<GrowthFigure>(fields, growthPath, kGrowthFigureKeys, kGrowthGroup, planning, 0);
    }
    if (object.contains(key(kDisksKey))) {
        const std::string disksPath = member(path, kDisksKey);
        const QJsonArray disks = arrayAt(object[key(kDisksKey)], disksPath);
        std::array<bool, kDiskTypes.size()> seen{};
        for (qsizetype i = 0; i < disks.size(); ++i) {
            readDisk(disks[i], element(disksPath, i), planning, seen);
        }
    }
    if (object.contains(key(kArrayPricesKey))) {
        const std::string arraysPath = member(path, kArrayPricesKey);
        const QJsonArray arrays = arrayAt(object[key(kArrayPricesKey)], arraysPath);
        std::array<bool, kArrayModels.size()> seen{};
        for (qsizetype i = 0; i < arrays.size(); ++i) {
            readArray(arrays[i], element(arraysPath, i), planning, seen);
        }
    }
    if (object.contains(key(kSizingKey))) {
        figures.sizing = sizingAt(object[key(kSizingKey)], member(path, kSizingKey));
    }
}

// The format name and version come first: a newer file is refused as newer, not for the fields
// its version added.
void checkFormat(const QJsonObject& root) {
    const QJsonValue format = root.value(key(kFormatKey));
    if (!format.isString() || format.toString() != qText(kWorkbookFormatName)) {
        fault(kFormatKey, "this is not a Brimcount workbook (\"" +
                              std::string(kWorkbookFormatName) + "\" expected).");
    }
    const QJsonValue value = required(root, kVersionKey, {});
    if (!value.isDouble()) {
        fault(kVersionKey, "must be a number.");
    }
    const double version = value.toDouble();
    if (!std::isfinite(version) || version != std::floor(version)) {
        fault(kVersionKey, numberText(version) + " is not a whole number.");
    }
    const std::string known = "format versions " + std::to_string(kOldestWorkbookVersion) + " to " +
                              std::to_string(kWorkbookVersion) + '.';
    if (version > kWorkbookVersion) {
        fault(kVersionKey, "the workbook was made by a newer Brimcount (format version " +
                               numberText(version) + "); this one reads " + known);
    }
    if (version < kOldestWorkbookVersion) {
        fault(kVersionKey, numberText(version) +
                               " is not a format version this program reads; it reads " + known);
    }
}

// Where a key given twice is, as the other refusals name places.
std::string repeatedKeyMessage(const RepeatedKey& repeat) {
    std::string path;
    for (const JsonStep& step : repeat.object) {
        path = step.key ? member(path, escaped(qText(*step.key)).c_str())
                        : element(path, static_cast<qsizetype>(step.index));
    }
    const QString name = qText(repeat.key);
    return member(path, escaped(name).c_str()) + ": the field " + quoted(name) + " is given twice.";
}

Workbook workbookOf(const QJsonDocument& document) {
    if (!document.isObject()) {
        fault("(the file)", "a workbook is one JSON object ({ ... }).");
    }
    const QJsonObject root = document.object();
    checkFormat(root);
    onlyKnownFields(root, {}, {kFormatKey, kVersionKey, kSheetKey, kPlansKey, kPlanningKey});
    Workbook workbook;
    workbook.sheet = sheetAt(required(root, kSheetKey, {}), kSheetKey);
    if (root.contains(key(kPlansKey))) {
        workbook.figures.plans = plansAt(root[key(kPlansKey)], kPlansKey);
    }
    if (root.contains(key(kPlanningKey))) {
        readPlanning(root[key(kPlanningKey)], kPlanningKey, workbook.figures);
    }
    return workbook;
}

} // namespace

WorkbookReading readWorkbook(std::string_view text) {
    if (text.size() > kMaxWorkbookBytes) {
        return WorkbookRefusal{std::string(kWorkbookTooLargeMessage)};
    }
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(
        QByteArray(text.data(), static_cast<qsizetype>(text.size())), &error);
    if (error.error != QJsonParseError::NoError) {
        return WorkbookRefusal{"The workbook is not well-formed JSON at byte " +
                               std::to_string(error.offset) + ": " +
                               error.errorString().toStdString() + '.'};
    }
    // The JSON classes keep one value of a key given twice; the text still holds both.
    if (const std::optional<RepeatedKey> repeat = firstRepeatedKey(text)) {
        return WorkbookRefusal{repeatedKeyMessage(*repeat)};
    }
    try {
        return workbookOf(document);
    } catch (const JsonFault& refused) {
        return WorkbookRefusal{refused.message};
    }
}

} // namespace brim
