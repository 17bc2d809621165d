// Save Workbook and Open through the commands carry a state from one run to the next, refuse a
// broken file without changing anything and ask before replacing figures no saved workbook
// holds. The file itself, written and read back, is tested in tests/report.

#include "commands/workbook_commands.h"
#include "report/workbook.h"
#include "tests/commands/workbook_folder.h"
#include "tests/support/catalogue_names.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace brim {
namespace {

using test::Answers;
using test::Chooser;
using test::ProgramRun;
using test::WorkbookFolder;

TEST_F(WorkbookFolder, SavedWorkbookOpensInANewRunAsItWas) {
    ProgramRun first;
    first.view.screen.rows[0] = {test::names::k450G, test::names::kRaid5, 9, 1, false, {}, {}};
    first.commands.compute();
    first.plans.keep(first.sheet);
    first.planning.prices.setDiskHundredths(test::names::k450G, 152050);
    first.sizing.hostIopsText = "20000";
    first.sizing.maxLossText = "0.50";
    Chooser chooser;
    chooser.path = (dir_ / "plans.brimcount").string();
    first.workbook.save(chooser);
    first.workbook.save(chooser); // the second time to the same file, without asking
    EXPECT_EQ(chooser.asked, 1);
    EXPECT_TRUE(first.messages().empty());

    ProgramRun second;
    Answers answers;
    second.workbook.openFile(*chooser.path, answers);
    EXPECT_TRUE(answers.asked.empty()); // nothing unsaved to replace
    EXPECT_TRUE(second.workbook.current() == first.workbook.current());
    EXPECT_EQ(second.sizing.maxLossText, "0.5"); // the limit, as the next window shows it
    EXPECT_EQ(second.sheet.netTotalGbText, first.sheet.netTotalGbText); // computed on open
    ASSERT_EQ(second.view.steps.size(), 1u);
    EXPECT_EQ(second.view.steps[0].name, "Open Workbook");
    EXPECT_EQ(second.file.path, chooser.path);
}

TEST_F(WorkbookFolder, AsksBeforeReplacingFiguresNoSavedWorkbookHolds) {
    const std::string path = (dir_ / "other.brimcount").string();
    std::ofstream(path) << formatWorkbook({});
    ProgramRun run;
    run.planning.prices.setArrayHundredths(test::names::kTelvarA, 100);
    Answers answers; // No
    run.workbook.openFile(path, answers);
    EXPECT_EQ(answers.asked, std::vector<std::string>{std::string(kReplaceFiguresQuestion)});
    EXPECT_EQ(run.planning.prices.arrayHundredths(test::names::kTelvarA), 100);
    EXPECT_TRUE(run.view.steps.empty());

    Chooser chooser;
    chooser.path = (dir_ / "mine.brimcount").string();
    run.workbook.saveAs(chooser);
    answers.asked.clear();
    run.workbook.openFile(path, answers); // what would be replaced is saved
    EXPECT_TRUE(answers.asked.empty());
    EXPECT_EQ(run.planning.prices.arrayHundredths(test::names::kTelvarA), 0);
}

TEST_F(WorkbookFolder, ARefusedWorkbookChangesNothing) {
    const std::pair<const char*, const char*> breaks[] = {
        {"\"disksPerGroup\": 0", "\"disksPerGroup\": 17"},
        {"\"formatVersion\": 2,", "\"formatVersion\": 2, \"formatVersion\": 2,"},
        {"\"hostIops\": \"\"", "\"hostIops\": \"abc\""},
    };
    ProgramRun run;
    run.view.screen.rows[0] = {test::names::k450G, test::names::kRaid5, 9, 1, false, {}, {}};
    run.commands.compute();
    run.plans.keep(run.sheet);
    run.planning.prices.setDiskHundredths(test::names::k450G, 152050);
    const Workbook before = run.workbook.current();
    Workbook other;
    other.sheet.rows[0] = {test::names::k1TbAta, test::names::kRaid6, 8, 2, false};
    other.figures.plans = {{"Other", other.sheet}};
    for (const auto& [find, replace] : breaks) {
        std::string text = formatWorkbook(other);
        text.replace(text.find(find), std::strlen(find), replace);
        std::ofstream(dir_ / "broken.brimcount") << text;
        Answers answers;
        answers.answer = true;
        run.workbook.openFile((dir_ / "broken.brimcount").string(), answers);
        EXPECT_TRUE(run.workbook.current() == before) << replace;
        EXPECT_TRUE(answers.asked.empty()) << replace;
    }
    EXPECT_EQ(run.messages().size(), std::size(breaks));
    EXPECT_TRUE(run.view.steps.size() == 1 && !run.file.path); // the Compute above only
}

} // namespace
} // namespace brim
