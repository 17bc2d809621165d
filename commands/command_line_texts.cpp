#include "commands/command_line_texts.h"

#include "commands/file_texts.h"
#include "core/catalogue.h"

namespace brim {
namespace {

std::string quoted(std::string_view text) {
    return '"' + std::string(text) + '"';
}

// "Zunda S, Morvik A, ..." of a catalogue's names, for a refusal that says which it takes.
template <typename Table, typename NameOf> std::string namesOf(const Table& table, NameOf nameOf) {
    std::string names;
    for (const auto& entry : table) {
        names += names.empty() ? "" : ", ";
        names += nameOf(entry);
    }
    return names;
}

constexpr std::string_view kUsage =
    R"(Usage: brimcount-cli COMMAND [OPTION]... [FILE]...
Brimcount's sizing, checks and prices from scripts. FILE is a workbook or a printed
report, as Open takes them, or - for standard input.

Commands:
  report FILE [--plan NAME] [-o OUT] [--at "YYYY-MM-DD HH:MM:SS"]
      the report that Print writes for the file's sheet, or for its kept plan NAME,
      computed; to standard output, or to OUT
  check FILE... [--format tsv|json]
      computes the sheet and every kept plan of each file; one line for each that
      breaks a rule ("acme.brimcount: Plan B: Error: ...")
  reprice PRICES FILE... [--dry-run]
      writes the prices of PRICES (lines of name, tab, price: disk types and array
      models by name) into each workbook; one line per price changed
  size --model NAME --disk NAME [--capacity AMOUNT] [--iops N] [--reads PERCENT]
       [--mbps N] [--survive K] [--workbook FILE] [--add-to-sheet] [--format tsv|json]
      the Size for Capacity table; AMOUNT as 200TB, 12.5TB or 512GB
  performance FILE [--table lines|order|figures] [--format tsv|json]
      a Sheet Performance table: the rows' lines with their Total (the default), the
      disks to order, or the disks' figures
  compare FILE [--format tsv|json]
      the Compare Plans table of the sheet and every kept plan
  growth FILE [--years N] [--growth PERCENT] [--format tsv|json]
      the Growth Plan schedule; --years and --growth override the file's figures
  plan FILE -o OUT.pdf [--page A4|Letter] [--at "YYYY-MM-DD HH:MM:SS"]
      the printed plan of Print Plan, on A4 unless asked, dated --at's day, as a PDF

Options:
  --help       print this and exit
  --version    print the version and exit

Exit status: 0 done; 1 a rule broken, or a report whose figures differ from Compute's
(the output is still written); 2 a usage error, a file refused or unreadable, or a
write that failed.
)";

} // namespace

std::string commandLineUsage() {
    return std::string(kUsage);
}

std::string commandLineVersion(std::string_view version) {
    return std::string(CommandLineWords::kProgram) + ' ' + std::string(version);
}

std::string usageRefusal(std::string_view why) {
    const std::string program(CommandLineWords::kProgram);
    return program + ": " + std::string(why) + " (see " + program + " --help)";
}

std::string unknownCommandText(std::string_view command) {
    return "unknown command " + quoted(command);
}

std::string unknownOptionText(std::string_view command, std::string_view option) {
    return std::string(command) + " takes no option " + std::string(option);
}

std::string unknownOptionText(std::string_view option) {
    return "unknown option " + std::string(option);
}

std::string requiredOptionText(std::string_view command, std::string_view option) {
    return std::string(command) + " needs " + std::string(option);
}

std::string missingValueText(std::string_view option) {
    return std::string(option) + " needs a value";
}

std::string doubledOptionText(std::string_view option) {
    return std::string(option) + " is given twice";
}

std::string flagValueText(std::string_view option) {
    return std::string(option) + " takes no value";
}

std::string operandsText(std::string_view command, std::string_view operands) {
    return std::string(command) + " takes " + std::string(operands);
}

std::string unknownModelText(std::string_view name) {
    return quoted(name) + " is not an array model: " +
           namesOf(kArrayModels, [](const ArrayModel& m) { return m.name; });
}

std::string unknownDiskText(std::string_view name) {
    return quoted(name) + " is not a disk type: " + namesOf(kDiskTypes, [](const DiskType& d) {
               return d.orlenReportName;
           });
}

std::string diskNotOfferedText(std::string_view model, std::string_view disk) {
    return "the " + std::string(model) + " takes no " + std::string(disk) + " disks";
}

std::string badUnitText(std::string_view amount) {
    return "--capacity " + std::string(amount) +
           ": give a number and GB or TB, no space, such as 200TB or 512GB";
}

std::string optionRefusalText(std::string_view option, std::string_view value,
                              std::string_view refusal) {
    return std::string(option) + ' ' + std::string(value) + ": " + std::string(refusal);
}

std::string otherModelText(std::string_view model, std::string_view sheetModel) {
    return "--model " + std::string(model) + " is not the workbook sheet's model, the " +
           std::string(sheetModel);
}

std::string ofFile(std::string_view file, std::string_view message) {
    return std::string(file) + ": " + std::string(message);
}

std::string reportHoldsNoPlansText(std::string_view file) {
    return ofFile(file, "a printed report holds no kept plans.");
}

std::string reportHoldsNoPricesText(std::string_view file) {
    return ofFile(file, "a printed report holds no prices: nothing was written.");
}

std::string noSuchPlanText(std::string_view file, std::string_view plan) {
    return ofFile(file, "no kept plan is named " + quoted(plan) + '.');
}

std::string priceLineText(std::string_view file, int line, std::string_view why) {
    return std::string(file) + " line " + std::to_string(line) + ": " + std::string(why) +
           "; no workbook was touched";
}

std::string unknownPriceNameText(std::string_view name) {
    return quoted(name) + " is neither a disk type nor an array model";
}

std::string pricedTwiceText(std::string_view name, int firstLine) {
    return quoted(name) + " is priced on line " + std::to_string(firstLine) + " already";
}

std::string badPriceText(std::string_view price, std::string_view name, std::string_view allowed) {
    return quoted(price) + " for " + std::string(name) + ": type " + std::string(allowed);
}

std::string priceChangeText(std::string_view file, std::string_view name, std::string_view from,
                            std::string_view to) {
    return std::string(file) + ": " + std::string(name) + ": " + std::string(from) + " -> " +
           std::string(to);
}

std::string outputFailedText(std::string_view reason) {
    return "Could not write to " + std::string(CommandLineWords::kStandardOutput) + ": " +
           std::string(reason.empty() ? FileWords::kNotWritten : reason) + '.';
}

} // namespace brim
