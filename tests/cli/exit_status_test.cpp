// Bad input: each argument list gets one clear line on standard error, nothing on standard
// output, and exit status 2.

#include "report/report_reader.h"
#include "report/workbook.h"
#include "tests/cli/cli_run.h"

#include <variant>

namespace brim::test {
namespace {

// "@/" stands for the test's folder, "@example" for a copy of the README's example workbook.
std::string placed(std::string text, const std::string& dir) {
    for (const auto& [mark, path] :
         {std::pair<std::string, std::string>{"@example", "@/example.brimcount"},
          {"@/", dir + '/'}}) {
        for (std::size_t at; (at = text.find(mark)) != std::string::npos;) {
            text.replace(at, mark.size(), path);
        }
    }
    return text;
}

std::string refused(const std::string& why) {
    return "brimcount-cli: " + why + " (see brimcount-cli --help)\n";
}

struct BadInput {
    const char* what;
    std::vector<std::string> arguments;
    std::string err; // placed; the exit status is 2 for every case
    std::string input = {};
};

std::vector<std::string> size(std::vector<std::string> more) {
    std::vector<std::string> arguments{"size", "--model", "Telvar A", "--disk", "1 TB ATA"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

using ExitStatusTest = CliTest;

TEST_F(ExitStatusTest, BadInputGetsOneLineAndStatusTwo) {
    std::filesystem::create_directory(file("folder"));
    writeWhole(file("example.brimcount"), readWhole(BRIM_EXAMPLE));
    writeWhole(file("big.brimcount"), "{" + std::string(kMaxWorkbookBytes, ' ') + "}");
    const std::string bigReport(kMaxReportBytes + 1, 'x');
    writeWhole(file("big.txt"), bigReport);
    writeWhole(file("printed.txt"), readWhole(BRIM_CLI_GOLDEN "/example_report.txt"));
    writeWhole(file("prices.tsv"), "1 TB ATA\t290\n");
    const std::string bigReportRefusal = std::get<ReportRefusal>(readReport(bigReport)).message;
    const BadInput cases[] = {
        {"no command", {}, refused("no command given")},
        {"an unknown command", {"reprot", "@example"}, refused("unknown command \"reprot\"")},
        {"an unknown option first", {"--frobnicate"}, refused("unknown option --frobnicate")},
        {"an unknown option",
         {"report", "@example", "--color"},
         refused("report takes no option --color")},
        {"no file", {"report"}, refused("report takes one FILE")},
        {"two files", {"report", "@example", "@example"}, refused("report takes one FILE")},
        {"no prices' file",
         {"reprice", "@example"},
         refused("reprice takes PRICES and one FILE or more")},
        {"a missing value", {"report", "@example", "--plan"}, refused("--plan needs a value")},
        {"an empty value", {"report", "@example", "--plan="}, refused("--plan needs a value")},
        {"a doubled option",
         {"report", "@example", "-o", "@/a", "-o", "@/b"},
         refused("-o is given twice")},
        {"a flag with a value",
         {"reprice", "@/prices.tsv", "@example", "--dry-run=yes"},
         refused("--dry-run takes no value")},
        {"standard input twice",
         {"check", "-", "-"},
         refused("standard input (\"-\") can be read only once")},
        {"a day that does not exist",
         {"report", "@example", "--at", "2026-02-29 10:00:00"},
         refused("--at takes a date and time as \"YYYY-MM-DD HH:MM:SS\", such as "
                 "\"2026-03-07 09:05:03\"")},
        {"a plan without -o", {"plan", "@example"}, refused("plan needs -o OUT.pdf")},
        {"a page size not offered",
         {"plan", "@example", "-o", "@/plan.pdf", "--page", "A5"},
         refused("--page takes A4 or Letter")},
        {"a plan dated by an hour that does not exist",
         {"plan", "@example", "-o", "@/plan.pdf", "--at", "2026-03-07 24:00:00"},
         refused("--at takes a date and time as \"YYYY-MM-DD HH:MM:SS\", such as "
                 "\"2026-03-07 09:05:03\"")},
        {"a plan written over a folder",
         {"plan", "@example", "-o", "@/folder"},
         "Could not save the plan to @/folder: Is a directory.\n"},
        {"an unknown format",
         {"check", "@example", "--format", "xml"},
         refused("--format takes tsv or json")},
        {"an unknown model",
         {"size", "--model", "Telvar Z", "--disk", "1 TB ATA", "--iops", "9"},
         refused("\"Telvar Z\" is not an array model: Zunda S, Morvik A, Morvik B, Morvik C, "
                 "Morvik D, Telvar A, Telvar B, Telvar C, Telvar D")},
        {"an unknown disk",
         {"size", "--model", "Telvar A", "--disk", "2 TB ATA", "--iops", "9"},
         refused("\"2 TB ATA\" is not a disk type: 73 G FC, 146 G FC, 300 G FC, 400 G FC, "
                 "450 G FC, 500 G ATA, 750 G ATA, 1 TB ATA")},
        {"a disk the model lacks",
         {"size", "--model", "Zunda S", "--disk", "73 G FC", "--iops", "9"},
         refused("the Zunda S takes no 73 G FC disks")},
        {"no model",
         {"size", "--disk", "1 TB ATA", "--iops", "9"},
         refused("size needs --model NAME")},
        {"an unknown unit", size({"--capacity", "200PB"}),
         refused("--capacity 200PB: give a number and GB or TB, no space, such as 200TB or 512GB")},
        {"a unit after a blank", size({"--capacity", "200 TB"}),
         refused("--capacity 200 TB: give a number and GB or TB, no space, such as 200TB or "
                 "512GB")},
        {"no capacity", size({"--capacity", "0TB"}),
         refused("--capacity 0TB: Type a usable capacity above 0, such as 200 or 12.5.")},
        {"too much capacity", size({"--capacity", "1000001TB"}),
         refused("--capacity 1000001TB: Type at most 1,000,000 TB.")},
        {"no IOPS", size({"--iops", "0"}),
         refused("--iops 0: Type a whole number of host IOPS, such as 5000.")},
        {"too many MB/s", size({"--mbps", "1000001"}),
         refused("--mbps 1000001: Type at most 1,000,000 MB/s.")},
        {"a read share above 100", size({"--iops", "9", "--reads", "101"}),
         refused("--reads 101: Type a whole percentage from 0 to 100, such as 70.")},
        {"three failures", size({"--iops", "9", "--survive", "3"}),
         refused("--survive takes 0, 1 or 2 failed disks per group")},
        {"no need", size({"--survive", "2"}), refused("size needs --capacity, --iops or --mbps")},
        {"the sheet without a workbook", size({"--iops", "9", "--add-to-sheet"}),
         refused("--add-to-sheet needs --workbook")},
        {"another model than the sheet's",
         {"size", "--model", "Telvar B", "--disk", "1 TB ATA", "--iops", "9", "--workbook",
          "@example", "--add-to-sheet"},
         refused("--model Telvar B is not the workbook sheet's model, the Telvar A")},
        {"an unknown table",
         {"performance", "@example", "--table", "totals"},
         refused("--table takes lines, order or figures")},
        {"two workbooks compared",
         {"compare", "@example", "@example"},
         refused("compare takes one FILE")},
        {"eleven years",
         {"growth", "@example", "--years", "11"},
         refused("--years 11: Type a whole number of years from 1 to 10, such as 5.")},
        {"no years",
         {"growth", "@example", "--years", "0"},
         refused("--years 0: Type a whole number of years from 1 to 10, such as 5.")},
        {"a growth that is no number",
         {"growth", "@example", "--growth", "abc"},
         refused("--growth abc: Type a growth from 0 to 1000 %, such as 20.")},
        {"an option of another command",
         {"compare", "@example", "--years", "3"},
         refused("compare takes no option --years")},
        {"an empty standard input",
         {"report", "-"},
         "Could not open standard input: it is empty.\n"},
        {"a folder", {"check", "@/folder"}, "Could not open @/folder: Is a directory.\n"},
        {"a missing file",
         {"report", "@/none.brimcount"},
         "Could not open @/none.brimcount: No such file or directory.\n"},
        {"a workbook too large",
         {"report", "@/big.brimcount"},
         "@/big.brimcount: " + std::string(kWorkbookTooLargeMessage) + '\n'},
        {"a report too large", {"check", "@/big.txt"}, "@/big.txt: " + bigReportRefusal + '\n'},
        {"a kept plan of a report",
         {"report", "@/printed.txt", "--plan", "Plan A"},
         "@/printed.txt: a printed report holds no kept plans.\n"},
        {"a kept plan not kept",
         {"report", "@example", "--plan", "Plan Z"},
         "@example: no kept plan is named \"Plan Z\".\n"},
        {"a report written over a folder",
         {"report", "@example", "-o", "@/folder"},
         "Could not save the report to @/folder: Is a directory.\n"},
        {"prices for a report",
         {"reprice", "@/prices.tsv", "@/printed.txt"},
         "@/printed.txt: a printed report holds no prices: nothing was written.\n"},
        {"standard input repriced",
         {"reprice", "@/prices.tsv", "-"},
         refused("reprice writes its workbooks back: standard input cannot be one")},
        {"a price out of range",
         {"reprice", "-", "@example"},
         "standard input line 2: \"1000000001\" for Telvar A: type a number from 0 to 1000000000 "
         "with up to two decimals; no workbook was touched\n",
         "1 TB ATA\t290\nTelvar A\t1000000001\n"},
        {"a name not in the catalogue",
         {"reprice", "-", "@example"},
         "standard input line 1: \"Telvar\" is neither a disk type nor an array model; no "
         "workbook was touched\n",
         "Telvar\t1\n"},
        {"a name priced twice",
         {"reprice", "-", "@example"},
         "standard input line 3: \"1 TB ATA\" is priced on line 1 already; no workbook was "
         "touched\n",
         "1 TB ATA\t290\n\n1 TB ATA\t300\n"},
        {"a line without a tab",
         {"reprice", "-", "@example"},
         "standard input line 1: a line of prices is a name, a tab and a price; no workbook was "
         "touched\n",
         "1 TB ATA 290\n"},
    };
    const std::string dir = dir_.string();
    for (const BadInput& c : cases) {
        std::vector<std::string> arguments;
        for (const std::string& argument : c.arguments) {
            arguments.push_back(placed(argument, dir));
        }
        const CliRun run = runCli(arguments, c.input);
        EXPECT_EQ(run.status, 2) << c.what;
        EXPECT_EQ(run.err, placed(c.err, dir)) << c.what;
        EXPECT_EQ(run.out, "") << c.what;
    }
    EXPECT_EQ(readWhole(file("example.brimcount")), readWhole(BRIM_EXAMPLE)); // not repriced
    EXPECT_FALSE(std::filesystem::exists(file("plan.pdf")));
}

// --help and --version write to standard output only; a result that standard output refuses is
// said on standard error and exits 2.
TEST_F(ExitStatusTest, HelpVersionAndAFullStandardOutput) {
    const CliRun help = runCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: brimcount-cli COMMAND")) << help.out;
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(runCli({"report", "--help"}).out, help.out);
    const CliRun version = runCli({"--version"});
    EXPECT_EQ(std::tie(version.status, version.out, version.err),
              std::make_tuple(0, std::string("brimcount-cli 4.3\n"), std::string()));
    const CliRun full = runCli({"report", BRIM_EXAMPLE}, {}, "/dev/full");
    EXPECT_EQ(full.status, 2);
    EXPECT_EQ(full.err, "Could not write to standard output: No space left on device.\n");
}

} // namespace
} // namespace brim::test
