// The workbook file: what it writes reads back field for field, and Save Workbook and Open
// through the commands carry a state from one run to the next, refuse a broken file without
// changing anything and ask before replacing figures no saved workbook holds.

#include "commands/workbook_commands.h"
#include "core/planning_figures.h"
#include "report/file_access.h"
#include "report/workbook.h"
#include "tests/commands/workbook_folder.h"
#include "tests/support/catalogue_names.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

namespace brim {
namespace {

namespace fs = std::filesystem;
using test::Answers;
using test::Chooser;
using test::ProgramRun;
using test::WorkbookFolder;

// ---- a random state, every figure within its range ----

class Randomness {
public:
    explicit Randomness(unsigned seed) : engine_(seed) {}
    std::int64_t in(std::int64_t lowest, std::int64_t highest) {
        return std::uniform_int_distribution<std::int64_t>(lowest, highest)(engine_);
    }
    template <typename T> std::int64_t in(const AllowedRange<T>& range) {
        return in(static_cast<std::int64_t>(range.lowest),
                  static_cast<std::int64_t>(range.highest));
    }
    bool coin() { return in(0, 1) == 1; }

private:
    std::mt19937_64 engine_;
};

PlanSheet randomSheet(Randomness& r) {
    PlanSheet sheet;
    sheet.modelIndex = static_cast<int>(r.in(0, kArrayModels.size() - 1));
    for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
        PlanRow& row = sheet.rows[i];
        row.diskType = static_cast<int>(r.in(0, kDiskTypes.size() - 1));
        row.raidType = static_cast<int>(r.in(kNoRaidType, kRaidTypes.size() - 1));
        row.disksPerGroup = static_cast<std::uint32_t>(r.in(0, kMaxDisksPerGroup));
        row.groupCount = static_cast<std::uint32_t>(r.coin() ? r.in(0, 50) : r.in(0, UINT32_MAX));
        row.includesVault = i < kVaultRowCount && r.coin();
    }
    return sheet;
}

std::string randomName(Randomness& r, std::size_t index) {
    static constexpr std::array<std::string_view, 4> kParts{"Plan ", "Ω", "RAID6 ", "é"};
    std::string name = std::to_string(index);
    while (r.coin() && name.size() < 30) {
        name += kParts[static_cast<std::size_t>(r.in(0, kParts.size() - 1))];
    }
    return name + 'x';
}

Workbook randomWorkbook(Randomness& r) {
    Workbook workbook;
    workbook.sheet = randomSheet(r);
    const auto plans = static_cast<std::size_t>(r.in(0, kMaxKeptPlans));
    for (std::size_t i = 0; i < plans; ++i) {
        workbook.figures.plans.push_back({randomName(r, i), randomSheet(r)});
    }
    // Every planning figure, walked from the figures' tables: one left out of the workbook's keys
    // would come back at its default.
    PlanningAssumptions& p = workbook.figures.planning;
    const auto randomFigures = [&r, &p](const auto& rules, std::size_t indexes) {
        for (const auto& record : rules) {
            for (std::size_t i = 0; i < indexes; ++i) {
                const AllowedRange<std::int64_t> range = record.rule.range;
                const std::int64_t value = r.coin()   ? r.in(range)
                                           : r.coin() ? range.lowest
                                                      : range.highest;
                ASSERT_TRUE(record.store(p, static_cast<int>(i), value));
            }
        }
    };
    randomFigures(kDiskFigureRules, kDiskTypes.size());
    randomFigures(kModelFigureRules, kArrayModels.size());
    randomFigures(kProgramFigureRules, 1);
    SizingChoices& s = workbook.figures.sizing;
    s.unit = r.coin() ? CapacityUnit::Gb : CapacityUnit::Tb;
    s.diskType = r.coin() ? std::optional<int>() : static_cast<int>(r.in(0, kDiskTypes.size() - 1));
    s.minimumFailures = static_cast<int>(r.in(0, kMostFailuresAsked));
    s.hostIopsText = r.coin() ? std::to_string(r.in(kHostIopsNeedRange)) : " 7 ";
    s.mbpsText = r.coin() ? "" : std::to_string(r.in(kMbpsNeedRange));
    s.maxLossHundredths =
        r.coin() ? std::optional<std::int64_t>() : r.in(kLossLimitHundredthsRange);
    return workbook;
}

TEST(WorkbookRoundTrip, RandomStatesReadBackFieldForField) {
    Randomness random(20240623);
    for (int i = 0; i < 300; ++i) {
        const Workbook written = randomWorkbook(random);
        const WorkbookReading read = readWorkbook(formatWorkbook(written));
        ASSERT_TRUE(std::holds_alternative<Workbook>(read))
            << std::get<WorkbookRefusal>(read).message << "\n"
            << formatWorkbook(written);
        ASSERT_TRUE(std::get<Workbook>(read) == written) << formatWorkbook(written);
    }
}

// A workload text that Size for Capacity refuses states no need: it is saved empty, and the
// file still opens. The table of refused workbooks is the reader's, in tests/report.
TEST(WorkbookRoundTrip, RefusedWorkloadTextsAreSavedEmpty) {
    const std::string refused[] = {"12a \"x\"", "0",   "10000001",
                                   "-5",        "1e3", std::string(100, ' ') + '5'};
    for (const std::string& text : refused) {
        Workbook written;
        written.figures.sizing.hostIopsText = text;
        written.figures.sizing.mbpsText = text;
        const WorkbookReading read = readWorkbook(formatWorkbook(written));
        ASSERT_TRUE(std::holds_alternative<Workbook>(read)) << text;
        EXPECT_EQ(std::get<Workbook>(read).figures.sizing, SizingChoices{}) << text;
    }
}

TEST(WorkbookVault, RowsSixToTenWriteNone) {
    Workbook workbook;
    workbook.sheet.rows[5].includesVault = true; // not written: rows 6 to 10 hold no vault
    EXPECT_FALSE(
        std::get<Workbook>(readWorkbook(formatWorkbook(workbook))).sheet.rows[5].includesVault);
}

TEST(WorkbookExample, TheDocumentedExampleOpens) {
    const WorkbookReading read = readWorkbook(
        std::get<std::string>(readFileStart(BRIM_EXAMPLE_WORKBOOK, kMaxWorkbookBytes)));
    ASSERT_TRUE(std::holds_alternative<Workbook>(read)) << std::get<WorkbookRefusal>(read).message;
    const Workbook& example = std::get<Workbook>(read);
    ASSERT_EQ(example.figures.plans.size(), 2u);
    EXPECT_EQ(example.figures.plans[1].sheet.rows[0].raidType, test::names::kRaid6);
    EXPECT_EQ(example.figures.planning.prices.diskHundredths(test::names::k1TbAta), 30550);
}

TEST(WorkbookKind, FirstCharacterAfterBlanksAndByteOrderMark) {
    const std::vector<std::pair<std::string, bool>> cases{
        {"{", true},    {" \r\n\t{}", true},  {"\xEF\xBB\xBF  {", true}, {"", false},
        {"   ", false}, {"Brimcount", false}, {"\xEF\xBB\xBF", false},   {"[{", false}};
    for (const auto& [text, workbook] : cases) {
        EXPECT_EQ(looksLikeWorkbook(text), workbook) << text;
    }
}

// ---- through the commands ----

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
        {"\"formatVersion\": 1,", "\"formatVersion\": 1, \"formatVersion\": 1,"},
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
