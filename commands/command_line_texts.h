#pragma once

// The words of the command-line program: its usage, and each sentence it writes to standard
// error when it refuses what it was asked (one line each). The Open and Save messages it gives
// are the window's (file_texts.h, the readers' refusals, Compute's rules).

#include <string>
#include <string_view>

namespace brim {

struct CommandLineWords {
    static constexpr std::string_view kProgram = "brimcount-cli";
    // Where the program names its standard input, which "-" stands for.
    static constexpr std::string_view kStandardInput = "standard input";
    static constexpr std::string_view kStandardOutput = "standard output";
    static constexpr std::string_view kEmptyInput = "it is empty";
    static constexpr std::string_view kNoCommand = "no command given";
    static constexpr std::string_view kInputReadTwice =
        "standard input (\"-\") can be read only once";
    static constexpr std::string_view kBadTime =
        "--at takes a date and time as \"YYYY-MM-DD HH:MM:SS\", such as \"2026-03-07 09:05:03\"";
    static constexpr std::string_view kBadFormat = "--format takes tsv or json";
    static constexpr std::string_view kBadSurvive =
        "--survive takes 0, 1 or 2 failed disks per group";
    static constexpr std::string_view kNoNeed = "size needs --capacity, --iops or --mbps";
    static constexpr std::string_view kAddNeedsWorkbook = "--add-to-sheet needs --workbook";
    static constexpr std::string_view kRepriceNotInput =
        "reprice writes its workbooks back: standard input cannot be one";
    static constexpr std::string_view kBadTable = "--table takes lines, order or figures";
    static constexpr std::string_view kBadPage = "--page takes A4 or Letter";
    static constexpr std::string_view kPriceLineForm =
        "a line of prices is a name, a tab and a price";
};

// The usage that --help prints, ending in a line feed.
std::string commandLineUsage();
// "brimcount-cli 4.3".
std::string commandLineVersion(std::string_view version);

// A refusal as the program writes it: "brimcount-cli: unknown command \"reprot\" (see
// brimcount-cli --help)".
std::string usageRefusal(std::string_view why);

std::string unknownCommandText(std::string_view command);
std::string unknownOptionText(std::string_view command, std::string_view option);
// An option given before any command: "unknown option --frobnicate".
std::string unknownOptionText(std::string_view option);
// "size needs --model NAME"
std::string requiredOptionText(std::string_view command, std::string_view option);
std::string missingValueText(std::string_view option);
std::string doubledOptionText(std::string_view option);
std::string flagValueText(std::string_view option);
// What a command lacks or has too many of: "report takes one FILE".
std::string operandsText(std::string_view command, std::string_view operands);

std::string unknownModelText(std::string_view name);
std::string unknownDiskText(std::string_view name);
// "the Zunda S takes no 73 G FC disks"
std::string diskNotOfferedText(std::string_view model, std::string_view disk);
std::string badUnitText(std::string_view amount);
// "--iops 0: Type a whole number of host IOPS, such as 5000."
std::string optionRefusalText(std::string_view option, std::string_view value,
                              std::string_view refusal);
std::string otherModelText(std::string_view model, std::string_view sheetModel);

// Of a file named `file`: "acme.brimcount: The workbook is larger than 1 MiB: nothing was
// opened."
std::string ofFile(std::string_view file, std::string_view message);
std::string reportHoldsNoPlansText(std::string_view file);
std::string reportHoldsNoPricesText(std::string_view file);
std::string noSuchPlanText(std::string_view file, std::string_view plan);

// A line of a price list that is refused: "prices.tsv line 3: ...".
std::string priceLineText(std::string_view file, int line, std::string_view why);
std::string unknownPriceNameText(std::string_view name);
std::string pricedTwiceText(std::string_view name, int firstLine);
// "\"abc\" for 1 TB ATA: type a number from 0 to 1000000000 with up to two decimals"
std::string badPriceText(std::string_view price, std::string_view name, std::string_view allowed);
// One price changed: "acme.brimcount: 1 TB ATA: 305.5 -> 290".
std::string priceChangeText(std::string_view file, std::string_view name, std::string_view from,
                            std::string_view to);

// "Could not write to standard output: No space left on device."
std::string outputFailedText(std::string_view reason);

} // namespace brim
