// report, check and reprice on real files, each run as the program.

#include "core/config_sheet.h"
#include "report/report.h"
#include "report/report_compare.h"
#include "report/workbook.h"
#include "tests/cli/cli_run.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/recording_sink.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <variant>

namespace brim::test {
namespace {

using namespace names;

const std::string kAt = "2026-03-07 09:05:03";

Workbook example() {
    return std::get<Workbook>(readWorkbook(readWhole(BRIM_EXAMPLE)));
}

using CommandFilesTest = CliTest;

// The golden files are what Print writes for the example's sheet and for its Plan B; standard
// input and -o OUT give the same bytes.
TEST_F(CommandFilesTest, ReportIsWhatPrintWritesForTheExampleWorkbook) {
    const std::string sheet = readWhole(BRIM_CLI_GOLDEN "/example_report.txt");
    const std::string planB = readWhole(BRIM_CLI_GOLDEN "/example_plan_b.txt");
    struct Case {
        std::vector<std::string> arguments;
        std::string input;
        const std::string& golden;
    };
    const Case cases[] = {
        {{"report", BRIM_EXAMPLE, "--at", kAt}, {}, sheet},
        {{"report", "-", "--at=" + kAt}, readWhole(BRIM_EXAMPLE), sheet},
        {{"report", "--plan", "Plan B", BRIM_EXAMPLE, "--at", "2026-12-31 23:59:59"}, {}, planB},
    };
    for (const Case& c : cases) {
        const CliRun run = runCli(c.arguments, c.input);
        EXPECT_EQ(std::tie(run.status, run.err), std::make_tuple(0, std::string()))
            << c.arguments[1];
        EXPECT_EQ(run.out, c.golden) << c.arguments[1];
    }
    const CliRun written = runCli({"report", BRIM_EXAMPLE, "--at", kAt, "-o", file("out.txt")});
    EXPECT_EQ(std::tie(written.status, written.out), std::make_tuple(0, std::string()));
    EXPECT_EQ(readWhole(file("out.txt")), sheet);
}

// A printed report whose figure was changed by hand comes out recomputed with Open's note; a
// sheet that breaks a rule comes out as Print writes it after that Compute, with the rule's
// message. Both exit 1.
TEST_F(CommandFilesTest, ReportSaysWhatOpenAndComputeSay) {
    std::string stale = readWhole(BRIM_CLI_GOLDEN "/example_report.txt");
    stale.replace(stale.find(" 2138.36"), 8, " 2000.00");
    writeWhole(file("stale.txt"), stale);
    const CliRun restated = runCli({"report", file("stale.txt"), "--at", kAt});
    EXPECT_EQ(restated.status, 1);
    EXPECT_EQ(restated.out, readWhole(BRIM_CLI_GOLDEN "/example_report.txt"));
    EXPECT_EQ(restated.err,
              file("stale.txt") + ": " +
                  differingFiguresMessage("4.3", {"Total Net (GB)", "2000.00", "2138.36"}) + '\n');

    Workbook broken = example();
    broken.sheet.rows[1] = {k450G, kRaid5, 2, 3, false};
    writeWhole(file("broken.brimcount"), formatWorkbook(broken));
    ConfigSheet printed = configSheetOf(broken.sheet);
    RecordingSink said;
    computeSheet(printed, said);
    const CliRun run = runCli({"report", file("broken.brimcount"), "--at", kAt});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, formatReport(printed, {2026, 3, 7, 9, 5, 3}));
    ASSERT_EQ(said.shown.size(), 1u);
    EXPECT_EQ(run.err, file("broken.brimcount") + ": " + said.shown[0] + '\n');
}

// A sound workbook, one whose Plan B breaks a rule, and one cut short: the one rule line, the
// cut file named on standard error, exit 2; the rule alone exits 1, the sound file 0.
TEST_F(CommandFilesTest, CheckNamesTheBrokenRuleAndTheFileNotRead) {
    writeWhole(file("sound.brimcount"), readWhole(BRIM_EXAMPLE));
    Workbook ruled = example();
    ruled.figures.plans[1].sheet.rows[0].disksPerGroup = 5;
    writeWhole(file("ruled.brimcount"), formatWorkbook(ruled));
    const std::string whole = readWhole(BRIM_EXAMPLE);
    writeWhole(file("cut.brimcount"), whole.substr(0, whole.size() / 2));
    const std::string ruleLine = file("ruled.brimcount") +
                                 ": Plan B: Error: RAID6 requires 4 to 16, even number of disks "
                                 "per group\n";

    const CliRun all =
        runCli({"check", file("sound.brimcount"), file("ruled.brimcount"), file("cut.brimcount")});
    EXPECT_EQ(all.status, 2);
    EXPECT_EQ(all.out, ruleLine);
    EXPECT_TRUE(all.err.starts_with(file("cut.brimcount") + ": ")) << all.err;
    EXPECT_EQ(std::count(all.err.begin(), all.err.end(), '\n'), 1) << all.err;
    EXPECT_EQ(runCli({"check", file("ruled.brimcount"), file("sound.brimcount")}).status, 1);
    const CliRun sound = runCli({"check", file("sound.brimcount")});
    EXPECT_EQ(std::tie(sound.status, sound.out, sound.err),
              std::make_tuple(0, std::string(), std::string()));

    const CliRun json =
        runCli({"check", "--format", "json", file("ruled.brimcount"), file("cut.brimcount")});
    const QJsonObject checked =
        QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    EXPECT_EQ(checked["format"].toString(), "Brimcount check");
    const QJsonArray files = checked["files"].toArray();
    ASSERT_EQ(files.size(), 2);
    const QJsonArray plans = files[0]["plans"].toArray();
    ASSERT_EQ(plans.size(), 3);
    EXPECT_TRUE(plans[0]["brokenRule"].isNull());
    EXPECT_EQ(plans[2]["plan"].toString(), "Plan B");
    EXPECT_EQ(plans[2]["brokenRule"].toString().toStdString() + '\n',
              ruleLine.substr(ruleLine.find("Error")));
    EXPECT_TRUE(files[1]["plans"].isNull());
    const CliRun tsv = runCli({"check", "--format", "tsv", file("ruled.brimcount")});
    EXPECT_EQ(tsv.out,
              "File\tPlan\tBroken rule\n" + file("ruled.brimcount") + "\tsheet\t\n" +
                  file("ruled.brimcount") + "\tPlan A\t\n" + file("ruled.brimcount") +
                  "\tPlan B\tError: RAID6 requires 4 to 16, even number of disks per group\n");
}

// The prices named change, and nothing else: --dry-run writes nothing, a run without it writes
// the workbook as Save Workbook would with those prices, and a second run has nothing to change.
TEST_F(CommandFilesTest, RepriceChangesExactlyThePricesNamed) {
    const std::string original = readWhole(BRIM_EXAMPLE);
    writeWhole(file("a.brimcount"), original);
    writeWhole(file("prices.tsv"), "1 TB ATA\t290\r\n\nTelvar A\t45000\nTelvar B\t90000.50\n");
    const std::string lines = file("a.brimcount") + ": 1 TB ATA: 305.5 -> 290\n" +
                              file("a.brimcount") + ": Telvar B: not priced -> 90000.5\n";

    const CliRun dry = runCli({"reprice", file("prices.tsv"), file("a.brimcount"), "--dry-run"});
    EXPECT_EQ(std::tie(dry.status, dry.out, dry.err), std::make_tuple(0, lines, std::string()));
    EXPECT_EQ(readWhole(file("a.brimcount")), original);

    const CliRun run = runCli({"reprice", file("prices.tsv"), file("a.brimcount")});
    EXPECT_EQ(std::tie(run.status, run.out, run.err), std::make_tuple(0, lines, std::string()));
    Workbook expected = example();
    expected.figures.planning.prices.setDiskHundredths(k1TbAta, 29000);
    expected.figures.planning.prices.setArrayHundredths(kTelvarB, 9000050);
    const std::string repriced = readWhole(file("a.brimcount"));
    EXPECT_EQ(std::get<Workbook>(readWorkbook(repriced)), expected);

    const CliRun again = runCli({"reprice", file("prices.tsv"), file("a.brimcount")});
    EXPECT_EQ(std::tie(again.status, again.out), std::make_tuple(0, std::string()));
    EXPECT_EQ(readWhole(file("a.brimcount")), repriced);
}

} // namespace
} // namespace brim::test
