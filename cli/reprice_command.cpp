// reprice PRICES FILE... [--dry-run]: a price list written into workbooks. Everything is read
// and checked before any file is written; a workbook is read and written as Open and Save
// Workbook do, so that all it holds but the prices stays as it was.

#include "cli/cli_commands.h"
#include "commands/command_line_texts.h"
#include "commands/file_texts.h"
#include "commands/price_list.h"
#include "report/atomic_file.h"
#include "report/workbook.h"

#include <algorithm>
#include <variant>
#include <vector>

namespace brim {
namespace {

constexpr std::string_view kStandardInputOperand = "-";

struct RepricedWorkbook {
    std::string path;
    Workbook workbook;
};

std::optional<std::string> readOrSay(const std::string& operand, ProgramStreams& streams) {
    FileStart start = streams.read(operand);
    if (const auto* failure = std::get_if<FileFailure>(&start)) {
        streams.say(openFailedText(ProgramStreams::nameOf(operand), failure->reason));
        return std::nullopt;
    }
    return std::move(std::get<std::string>(start));
}

std::optional<std::vector<PriceEntry>> readPrices(const std::string& operand,
                                                  ProgramStreams& streams) {
    const std::optional<std::string> text = readOrSay(operand, streams);
    if (!text) {
        return std::nullopt;
    }
    PriceListReading reading = readPriceList(*text);
    if (const auto* refusal = std::get_if<PriceListRefusal>(&reading)) {
        streams.say(priceLineText(ProgramStreams::nameOf(operand), refusal->line, refusal->why));
        return std::nullopt;
    }
    return std::move(std::get<std::vector<PriceEntry>>(reading));
}

// The workbook as Open checks it; a printed report holds no prices.
std::optional<Workbook> readWorkbookOrSay(const std::string& path, ProgramStreams& streams) {
    const std::optional<std::string> text = readOrSay(path, streams);
    if (!text) {
        return std::nullopt;
    }
    if (!looksLikeWorkbook(*text)) {
        streams.say(reportHoldsNoPricesText(path));
        return std::nullopt;
    }
    WorkbookReading reading = readWorkbook(*text);
    if (const auto* refusal = std::get_if<WorkbookRefusal>(&reading)) {
        streams.say(ofFile(path, refusal->message));
        return std::nullopt;
    }
    return std::move(std::get<Workbook>(reading));
}

// Saved as Save Workbook saves; the changes said once the file holds them.
ExitStatus reprice(RepricedWorkbook& file, std::span<const PriceEntry> prices, bool dryRun,
                   ProgramStreams& streams) {
    const std::vector<PriceChange> changes = applyPrices(prices, file.workbook.figures.planning);
    if (changes.empty()) {
        return ExitStatus::Done;
    }
    if (!dryRun) {
        const SaveResult saved = saveFileAtomically(file.path, formatWorkbook(file.workbook));
        if (saved.outcome != SaveOutcome::Saved) {
            streams.say(saveWorkbookFailedText(file.path, saved.reason));
            return ExitStatus::Refused;
        }
    }
    std::string lines;
    for (const PriceChange& change : changes) {
        lines += priceChangeText(file.path, change.name, change.from, change.to) + '\n';
    }
    streams.write(lines);
    return ExitStatus::Done;
}

} // namespace

ExitStatus runReprice(const ParsedCommand& command, ProgramStreams& streams) {
    const std::span<const std::string> files = std::span(command.operands).subspan(1);
    if (std::find(files.begin(), files.end(), kStandardInputOperand) != files.end()) {
        return refuseUsage(CommandLineWords::kRepriceNotInput, streams);
    }
    const std::optional<std::vector<PriceEntry>> prices =
        readPrices(command.operands.front(), streams);
    if (!prices) {
        return ExitStatus::Refused;
    }
    std::vector<RepricedWorkbook> workbooks;
    bool everyFileRead = true;
    for (const std::string& path : files) {
        if (std::optional<Workbook> workbook = readWorkbookOrSay(path, streams)) {
            workbooks.push_back({path, std::move(*workbook)});
        } else {
            everyFileRead = false;
        }
    }
    if (!everyFileRead) {
        return ExitStatus::Refused;
    }
    ExitStatus status = ExitStatus::Done;
    for (RepricedWorkbook& file : workbooks) {
        status = worseOf(status, reprice(file, *prices, command.has("--dry-run"), streams));
    }
    return status;
}

} // namespace brim
