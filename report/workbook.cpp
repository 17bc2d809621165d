#include "report/workbook.h"

#include "core/catalogue.h"
#include "core/planner_inputs.h"
#include "core/raid_rules.h"
#include "core/units.h"
#include "report/json_keys.h"
#include "report/report_reader.h"
#include "report/workbook_keys.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <span>
#include <utility>

namespace brim {
namespace {

// JSON keys. QJsonObject writes its keys in sorted order: "format" and "formatVersion" sort
// first, so the file begins with them.
constexpr char kFormatKey[] = "format";
constexpr char kVersionKey[] = "formatVersion";
constexpr char kSheetKey[] = "sheet";
constexpr char kPlansKey[] = "plans";
constexpr char kPlanningKey[] = "planning";
constexpr char kModelKey[] = "model";
constexpr char kRowsKey[] = "rows";
constexpr char kNameKey[] = "name";
constexpr char kDiskTypeKey[] = "diskType";
constexpr char kRaidTypeKey[] = "raidType";
constexpr char kDisksPerGroupKey[] = "disksPerGroup";
constexpr char kGroupsKey[] = "groups";
constexpr char kVaultKey[] = "vault";
constexpr char kDisksKey[] = "disks";
constexpr char kMbpsKey[] = "mbps";
constexpr char kArrayPricesKey[] = "arrayPrices";
constexpr char kSizingKey[] = "sizing";
constexpr char kUnitKey[] = "unit";
constexpr char kMinimumFailuresKey[] = "minimumFailures";
constexpr char kHostIopsKey[] = "hostIops";
constexpr char kMaxLossKey[] = "maxLossPercent";

constexpr std::array<std::string_view, 2> kUnitNames{"GB", "TB"}; // in CapacityUnit order
constexpr std::array<char, 4> kBlanks{' ', '\t', '\r', '\n'};
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// A JSON number carries a price or an AFR as a double; a value further than this share of its
// smallest step from a whole number of steps has more decimals than its figure takes.
constexpr double kStepTolerance = 1e-4;

// Size for Capacity's workload fields: kept as the texts the window shows, read as the window
// reads them.
struct WorkloadField {
    const char* key;
    std::string SizingChoices::*text;
    AllowedRange<std::int64_t> range;
    NeedParse (*parse)(std::string_view text);
};

constexpr std::array<WorkloadField, 2> kWorkloadFields{{
    {kHostIopsKey, &SizingChoices::hostIopsText, kHostIopsNeedRange, parseHostIopsNeed},
    {kMbpsKey, &SizingChoices::mbpsText, kMbpsNeedRange, parseMbpsNeed},
}};

bool isBlank(char c) noexcept {
    return std::find(kBlanks.begin(), kBlanks.end(), c) != kBlanks.end();
}

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

// A field's name as the JSON classes take it, without making a QString of it each time.
QLatin1String key(const char* name) {
    return QLatin1String(name);
}
QLatin1String key(std::string_view name) {
    return QLatin1String(name.data(), static_cast<qsizetype>(name.size()));
}

// 10^places: the smallest step of a decimal figure, in which it is held.
std::int64_t stepOf(int places) noexcept {
    std::int64_t step = 1;
    for (int i = 0; i < places; ++i) {
        step *= 10;
    }
    return step;
}

QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// ---- writing ----

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

// The groups of program figures, each once, in the order of their first figure.
std::vector<std::string_view> programGroups() {
    std::vector<std::string_view> groups;
    for (const FigureKey<ProgramFigure>& figure : kProgramFigureKeys) {
        if (!figure.group.empty() &&
            std::find(groups.begin(), groups.end(), figure.group) == groups.end()) {
            groups.push_back(figure.group);
        }
    }
    return groups;
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
    object[key(kDisksKey)] = disksArray(planning);
    object[key(kArrayPricesKey)] = arraysArray(planning);
    object[key(kSizingKey)] = sizingObject(figures.sizing);
    return object;
}

// ---- reading ----

// The first fault found ends the reading; it is thrown to the top with its message.
struct Fault {
    std::string message;
};

[[noreturn]] void fault(const std::string& path, const std::string& what) {
    throw Fault{path + ": " + what};
}

std::string member(const std::string& path, const char* name) {
    return path.empty() ? std::string(name) : path + '.' + name;
}

std::string element(const std::string& path, qsizetype index) {
    return path + '[' + std::to_string(index) + ']';
}

// A text from the file as a message shows it on one line: quotes, backslashes and control
// characters written as JSON writes them.
std::string escaped(const QString& text) {
    std::string shown;
    for (const char c : text.toStdString()) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            shown += '\\';
            shown += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            static constexpr char kHex[] = "0123456789abcdef";
            shown += "\\u00";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0xF];
        } else {
            shown += c;
        }
    }
    return shown;
}

std::string quoted(const QString& text) {
    return '"' + escaped(text) + '"';
}

// A number as the file has it: whole numbers without a point or an exponent.
std::string numberText(double value) {
    if (std::abs(value) < 1e15 && value == std::floor(value)) {
        return std::to_string(static_cast<long long>(value));
    }
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest).toStdString();
}

QJsonObject objectAt(const QJsonValue& value, const std::string& path) {
    if (!value.isObject()) {
        fault(path, "must be an object ({ ... }).");
    }
    return value.toObject();
}

QJsonArray arrayAt(const QJsonValue& value, const std::string& path) {
    if (!value.isArray()) {
        fault(path, "must be a list ([ ... ]).");
    }
    return value.toArray();
}

QString stringAt(const QJsonValue& value, const std::string& path) {
    if (!value.isString()) {
        fault(path, "must be a text in quotes.");
    }
    return value.toString();
}

void onlyKnownFields(const QJsonObject& object, const std::string& path,
                     std::span<const std::string_view> known) {
    for (auto field = object.begin(); field != object.end(); ++field) {
        const QString name = field.key();
        const bool isKnown = std::any_of(known.begin(), known.end(),
                                         [&name](std::string_view k) { return name == key(k); });
        if (!isKnown) {
            fault(member(path, escaped(name).c_str()),
                  quoted(name) + " is not a field this program knows.");
        }
    }
}

void onlyKnownFields(const QJsonObject& object, const std::string& path,
                     std::initializer_list<std::string_view> known) {
    onlyKnownFields(object, path, std::span<const std::string_view>(known.begin(), known.size()));
}

QJsonValue required(const QJsonObject& object, const char* name, const std::string& path) {
    if (!object.contains(key(name))) {
        fault(member(path, name), "missing.");
    }
    return object.value(key(name));
}

std::int64_t wholeNumberAt(const QJsonValue& value, const std::string& path, std::int64_t lowest,
                           std::int64_t highest) {
    if (!value.isDouble()) {
        fault(path, "must be a number.");
    }
    const double number = value.toDouble();
    if (!std::isfinite(number) || number != std::floor(number)) {
        fault(path, numberText(number) + " is not a whole number.");
    }
    if (number < static_cast<double>(lowest) || number > static_cast<double>(highest)) {
        fault(path, numberText(number) + " is outside " + std::to_string(lowest) + " to " +
                        std::to_string(highest) + '.');
    }
    return static_cast<std::int64_t>(number);
}

template <typename T>
std::int64_t wholeNumberIn(const QJsonValue& value, const std::string& path,
                           const AllowedRange<T>& range) {
    return wholeNumberAt(value, path, static_cast<std::int64_t>(range.lowest),
                         static_cast<std::int64_t>(range.highest));
}

constexpr std::array<std::string_view, 4> kPlacesNames{"no", "one decimal", "two decimals",
                                                       "three decimals"};

// A decimal with at most `places` decimals, held in steps of 10^-places, within `range` (given
// in those steps).
std::int64_t decimalAt(const QJsonValue& value, const std::string& path, int places,
                       const AllowedRange<std::int64_t>& range) {
    if (!value.isDouble()) {
        fault(path, "must be a number.");
    }
    const double number = value.toDouble();
    const auto step = static_cast<double>(stepOf(places));
    const double lowest = static_cast<double>(range.lowest) / step;
    const double highest = static_cast<double>(range.highest) / step;
    if (!std::isfinite(number) || number < lowest || number > highest) {
        fault(path, numberText(number) + " is outside " + numberText(lowest) + " to " +
                        numberText(highest) + '.');
    }
    const double steps = number * step;
    const double whole = std::round(steps);
    if (std::abs(steps - whole) > kStepTolerance) {
        fault(path, numberText(number) + " has more than " +
                        std::string(kPlacesNames[static_cast<std::size_t>(places)]) + '.');
    }
    return static_cast<std::int64_t>(whole);
}

template <typename T>
std::int64_t hundredthsIn(const QJsonValue& value, const std::string& path,
                          const AllowedRange<T>& range) {
    return decimalAt(value, path, 2, widened(range));
}

// A planning figure in its rule's form and range.
std::int64_t figureAt(const QJsonValue& value, const std::string& path, const FigureRule& rule) {
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

// Compared as UTF-8 bytes: the file's text is made one string once, not each table name a
// QString per comparison.
template <typename Table, typename NameOf>
int indexOfName(const Table& table, const QString& name, NameOf nameOf) {
    const std::string bytes = name.toStdString();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (bytes == std::string_view(nameOf(table[i]))) {
            return static_cast<int>(i);
        }
    }
    return -1;
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

bool flagAt(const QJsonValue& value, const std::string& path) {
    if (!value.isBool()) {
        fault(path, "must be true or false.");
    }
    return value.toBool();
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
    const std::string known = "version " + std::to_string(kWorkbookVersion) + " only.";
    if (version > kWorkbookVersion) {
        fault(kVersionKey, "the workbook was made by a newer Brimcount (format version " +
                               numberText(version) + "); this one reads " + known);
    }
    if (version < 1) {
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

bool isPlanName(std::string_view name) noexcept {
    const std::size_t length = codePoints(name);
    if (length == 0 || length > kMaxPlanNameCharacters || isBlank(name.front()) ||
        isBlank(name.back())) {
        return false;
    }
    return std::none_of(name.begin(), name.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

PlanSheet planSheetOf(const ConfigSheet& sheet) {
    PlanSheet plan;
    plan.modelIndex = sheet.modelIndex;
    for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
        const GroupDefinition& row = sheet.rows[i];
        plan.rows[i] = {row.diskType, row.raidType, row.disksPerGroup, row.groupCount,
                        row.includesVault && i < kVaultRowCount};
    }
    return plan;
}

ConfigSheet configSheetOf(const PlanSheet& plan) {
    ConfigSheet sheet;
    sheet.modelIndex = plan.modelIndex;
    for (std::size_t i = 0; i < plan.rows.size(); ++i) {
        const PlanRow& row = plan.rows[i];
        GroupDefinition& definition = sheet.rows[i];
        definition.diskType = row.diskType;
        definition.raidType = row.raidType;
        definition.disksPerGroup = row.disksPerGroup;
        definition.groupCount = row.groupCount;
        definition.includesVault = row.includesVault;
    }
    return sheet;
}

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
    } catch (const Fault& refused) {
        return WorkbookRefusal{refused.message};
    }
}

bool looksLikeWorkbook(std::string_view firstBytes) noexcept {
    if (firstBytes.starts_with(kByteOrderMark)) {
        firstBytes.remove_prefix(kByteOrderMark.size());
    }
    const auto first = std::find_if_not(firstBytes.begin(), firstBytes.end(), isBlank);
    return first != firstBytes.end() && *first == '{';
}

} // namespace brim
