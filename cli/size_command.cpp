// size --model NAME --disk NAME ...: the Size for Capacity table, from the window's planner.

#include "cli/cli_commands.h"
#include "cli/json_text.h"
#include "commands/capacity_columns.h"
#include "commands/capacity_planner.h"
#include "commands/capacity_texts.h"
#include "commands/command_line_texts.h"
#include "commands/planner_texts.h"
#include "core/catalogue.h"
#include "core/planner_inputs.h"

#include <algorithm>
#include <array>
#include <variant>

namespace brim {
namespace {

constexpr std::string_view kSizeFormat = "Brimcount size";
constexpr int kSizeFormatVersion = 1;

// What --capacity gives the window's capacity field and unit list.
struct Amount {
    std::string number;
    CapacityUnit unit = CapacityUnit::Tb;
};

std::optional<Amount> amountOf(std::string_view text) {
    for (std::size_t unit = 0; unit < kCapacityUnitTexts.size(); ++unit) {
        const std::string_view suffix = kCapacityUnitTexts[unit];
        if (text.size() > suffix.size() && text.ends_with(suffix)) {
            const std::string_view number = text.substr(0, text.size() - suffix.size());
            const char last = number.back();
            if ((last >= '0' && last <= '9') || last == '.') {
                return Amount{std::string(number), static_cast<CapacityUnit>(unit)};
            }
        }
    }
    return std::nullopt;
}

// What the window's fields and lists would hold for the options given.
struct SizeInputs {
    int model = 0;
    int disk = 0;
    Amount amount;
    int minimumFailures = CapacityChoices{}.minimumFailures;
    std::string hostIops;
    std::string mbps;
};

// The capacity and the workload, each refused as its field refuses it.
std::optional<std::string> readNeeds(const ParsedCommand& command, SizeInputs& inputs) {
    const std::optional<std::string> capacity = command.value("--capacity");
    inputs.hostIops = command.value("--iops").value_or("");
    inputs.mbps = command.value("--mbps").value_or("");
    if (!capacity && inputs.hostIops.empty() && inputs.mbps.empty()) {
        return std::string(CommandLineWords::kNoNeed);
    }
    if (capacity) {
        const std::optional<Amount> amount = amountOf(*capacity);
        if (!amount) {
            return badUnitText(*capacity);
        }
        inputs.amount = *amount;
        const std::string_view refusal =
            capacityTargetRefusal(parseCapacityTarget(amount->number, amount->unit).refusal);
        if (!refusal.empty()) {
            return optionRefusalText("--capacity", *capacity, refusal);
        }
    }
    if (const std::string_view refusal =
            hostIopsRefusal(parseHostIopsNeed(inputs.hostIops).refusal);
        !refusal.empty()) {
        return optionRefusalText("--iops", inputs.hostIops, refusal);
    }
    if (const std::string_view refusal = mbpsRefusal(parseMbpsNeed(inputs.mbps).refusal);
        !refusal.empty()) {
        return optionRefusalText("--mbps", inputs.mbps, refusal);
    }
    return std::nullopt;
}

std::variant<SizeInputs, std::string> sizeInputsOf(const ParsedCommand& command) {
    SizeInputs inputs;
    const std::optional<std::string> model = command.value("--model");
    const std::optional<std::string> disk = command.value("--disk");
    if (!model || !disk) {
        return requiredOptionText("size", !model ? "--model NAME" : "--disk NAME");
    }
    const std::optional<int> modelIndex = modelNamed(*model);
    if (!modelIndex) {
        return unknownModelText(*model);
    }
    const std::optional<int> diskType = diskTypeNamed(*disk);
    if (!diskType) {
        return unknownDiskText(*disk);
    }
    inputs.model = *modelIndex;
    inputs.disk = *diskType;
    if (const std::optional<std::string> survive = command.value("--survive")) {
        // The window's list of failures to survive, by position.
        const WholeNumberParse failures = parseWholeNumber(
            *survive, AllowedRange<std::int64_t>{0, std::ssize(kFailureFilters) - 1});
        if (!failures.taken() || failures.blank) {
            return std::string(CommandLineWords::kBadSurvive);
        }
        inputs.minimumFailures = static_cast<int>(failures.value);
    }
    if (std::optional<std::string> refusal = readNeeds(command, inputs)) {
        return std::move(*refusal);
    }
    if (command.has("--add-to-sheet") && !command.has("--workbook")) {
        return std::string(CommandLineWords::kAddNeedsWorkbook);
    }
    return inputs;
}

std::string sizeJson(const CapacityAnswer& answer, std::string_view brokenRule) {
    JsonText json;
    json.beginObject();
    json.key("format");
    json.text(kSizeFormat);
    json.key("formatVersion");
    json.number(kSizeFormatVersion);
    json.key("brokenRule");
    brokenRule.empty() ? json.null() : json.text(brokenRule);
    json.key("lines");
    json.beginArray();
    for (const SizedLayout& line : answer.lines) {
        json.beginObject();
        for (const CapacityColumnInfo& column : kCapacityColumns) {
            json.key(column.key);
            appendCellFigure(json, column.figure(line));
        }
        json.endObject();
    }
    json.endArray();
    json.endObject();
    return json.finished();
}

// The sheet the layouts are sized for: the workbook's with --add-to-sheet, else an empty sheet
// of the model, as the window's model list leaves a new one.
std::optional<std::string> setUpSheet(const ParsedCommand& command, const SizeInputs& inputs,
                                      SheetSession& session) {
    if (command.has("--add-to-sheet")) {
        const int sheetModel = session.sheet().modelIndex;
        if (sheetModel != inputs.model) {
            return otherModelText(Catalogue::modelName(inputs.model),
                                  Catalogue::modelName(sheetModel));
        }
        return std::nullopt;
    }
    ConfigSheet empty;
    empty.modelIndex = inputs.model;
    session.commands().putSheet(empty, {});
    return std::nullopt;
}

} // namespace

ExitStatus runSize(const ParsedCommand& command, ProgramStreams& streams) {
    const std::optional<OutputFormat> format = outputFormatOf(command, OutputFormat::Tsv, streams);
    if (!format) {
        return ExitStatus::Refused;
    }
    std::variant<SizeInputs, std::string> read = sizeInputsOf(command);
    if (const auto* refusal = std::get_if<std::string>(&read)) {
        return refuseUsage(*refusal, streams);
    }
    const SizeInputs& inputs = std::get<SizeInputs>(read);
    SheetSession session;
    const std::optional<std::string> workbook = command.value("--workbook");
    if (workbook && !openOperand(*workbook, session, streams)) {
        return ExitStatus::Refused;
    }
    if (const std::optional<std::string> refusal = setUpSheet(command, inputs, session)) {
        return refuseUsage(*refusal, streams);
    }
    CapacityPlanner planner(session.sheet(), session.commands(), RowDiskNames{},
                            session.planning());
    const auto& offered = planner.diskChoices();
    if (std::none_of(offered.begin(), offered.end(),
                     [&](const DiskChoice& c) { return c.diskType == inputs.disk; })) {
        return refuseUsage(
            diskNotOfferedText(Catalogue::modelName(inputs.model),
                               kDiskTypes[static_cast<std::size_t>(inputs.disk)].orlenReportName),
            streams);
    }
    if (const std::optional<std::string> reads = command.value("--reads")) {
        if (const std::string_view refusal = planner.typeReadPercent(*reads); !refusal.empty()) {
            return refuseUsage(optionRefusalText("--reads", *reads, refusal), streams);
        }
    }
    const CapacityRequest request{
        inputs.amount.number,          inputs.amount.unit, inputs.disk, inputs.minimumFailures,
        command.has("--add-to-sheet"), inputs.hostIops,    inputs.mbps};
    const CapacityAnswer answer = planner.answer(request);
    ExitStatus status = ExitStatus::Done;
    // A sheet that breaks a rule cannot be added to: the layouts stand alone, as in the window.
    std::string brokenRule;
    if (request.addToSheet && !planner.canAddToSheet()) {
        brokenRule = session.brokenRules().front().brokenRule;
        streams.say(ofFile(ofFile(ProgramStreams::nameOf(*workbook), kSheetPlanName), brokenRule));
        status = ExitStatus::Found;
    }
    if (const std::string notice = noticeText(answer, inputs.amount.unit, inputs.model);
        !notice.empty()) {
        streams.say(notice);
        status =
            worseOf(status, answer.notice == PlanNotice::AtaMayNotHoldVault ? ExitStatus::Found
                                                                            : ExitStatus::Done);
    }
    const std::array<CapacityColumn, kCapacityColumnCount> columns = everyCapacityColumn();
    streams.write(*format == OutputFormat::Json ? sizeJson(answer, brokenRule)
                                                : capacityTableText(answer.lines, columns));
    return status;
}

} // namespace brim
