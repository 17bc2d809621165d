// Closing the main window: at once while no kept plan or planning figure is unsaved, after the
// question otherwise, and open again for Cancel and for a Save that did not go through.

#include "commands/workbook_commands.h"
#include "report/file_access.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/workbook_run.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace brim {
namespace {

namespace fs = std::filesystem;
using test::names::k450G;
using test::names::kZundaS;
using ProgramRun = test::WorkbookRun;

class Answers final : public ClosingQuestion, public Questions, public WorkbookFileChooser {
public:
    ClosingAnswer answer = ClosingAnswer::Cancel;
    std::optional<std::string> path; // the file chooser's
    std::vector<std::string> asked;
    ClosingAnswer askBeforeClosing(std::string_view question) override {
        asked.emplace_back(question);
        return answer;
    }
    bool ask(std::string_view) override { return true; } // Open's question
    std::optional<std::string> chooseWorkbookFile() override { return path; }
};

void price(ProgramRun& run) {
    run.planning.prices.setDiskHundredths(k450G, 152050);
}

// What the chooser answers when a Save asks it.
enum class File { Chosen, Cancelled, InMissingFolder };

struct ClosingCase {
    const char* name;
    void (*session)(ProgramRun&, Answers&); // what the planner did before closing
    ClosingAnswer answer;
    File file;
    bool asks;
    bool closes;
};

// Where no question is due the answer is Cancel, so that one asked all the same keeps the window
// open. A Save after an earlier one goes to that file without the chooser (which then cancels).
// clang-format off
constexpr ClosingCase kCases[] = {
    {"NothingDone",      [](ProgramRun&, Answers&) {}, ClosingAnswer::Cancel, File::Chosen, false, true},
    {"SheetEdited",      [](ProgramRun& r, Answers&) { r.view.screen.rows[0].groupCount = 4; r.commands.compute(); },
                         ClosingAnswer::Cancel, File::Chosen, false, true},
    {"SizingChoices",    [](ProgramRun& r, Answers&) { r.sizing.unit = CapacityUnit::Gb; r.sizing.hostIopsText = "20000"; },
                         ClosingAnswer::Cancel, File::Chosen, false, true},
    {"PriceChangedBack", [](ProgramRun& r, Answers&) { price(r); r.planning.prices.setDiskHundredths(k450G, 0); },
                         ClosingAnswer::Cancel, File::Chosen, false, true},
    {"AfterASave",       [](ProgramRun& r, Answers& a) { r.plans.keep(r.sheet); r.workbook.save(a); },
                         ClosingAnswer::Cancel, File::Chosen, false, true},
    {"AfterAnOpen",      [](ProgramRun& r, Answers& a) { r.workbook.openFile(*a.path + ".open", a); },
                         ClosingAnswer::Cancel, File::Chosen, false, true},
    {"PlanDiscarded",    [](ProgramRun& r, Answers&) { r.plans.keep(r.sheet); }, ClosingAnswer::Discard, File::Chosen, true, true},
    {"PlanCancelled",    [](ProgramRun& r, Answers&) { r.plans.keep(r.sheet); }, ClosingAnswer::Cancel, File::Chosen, true, false},
    {"PlanSaved",        [](ProgramRun& r, Answers&) { r.plans.keep(r.sheet); }, ClosingAnswer::Save, File::Chosen, true, true},
    {"PriceCancelled",   [](ProgramRun& r, Answers&) { price(r); }, ClosingAnswer::Cancel, File::Chosen, true, false},
    {"OpenedThenPriced", [](ProgramRun& r, Answers& a) { r.workbook.openFile(*a.path + ".open", a); price(r); },
                         ClosingAnswer::Save, File::Cancelled, true, true},
    {"ChooserCancelled", [](ProgramRun& r, Answers&) { r.plans.keep(r.sheet); }, ClosingAnswer::Save, File::Cancelled, true, false},
    {"SaveFails",        [](ProgramRun& r, Answers&) { price(r); }, ClosingAnswer::Save, File::InMissingFolder, true, false},
};
// clang-format on

class Closing : public ::testing::TestWithParam<ClosingCase> {};

TEST_P(Closing, AsksOnlyOverUnsavedPlansOrFiguresAndClosesAsAnswered) {
    const ClosingCase& c = GetParam();
    const fs::path dir = fs::temp_directory_path() / ("brim_closing_" + std::to_string(getpid()));
    fs::create_directories(dir);
    Answers answers;
    answers.path = (dir / "plans.brimcount").string();
    Workbook opened; // a plan and a price, for the sessions that open a workbook
    opened.figures.plans.push_back({"Plan A", {}});
    opened.figures.planning.prices.setArrayHundredths(kZundaS, 100);
    std::ofstream(*answers.path + ".open") << formatWorkbook(opened);
    ProgramRun run;
    c.session(run, answers);
    answers.path = c.file == File::Chosen      ? answers.path
                   : c.file == File::Cancelled ? std::nullopt
                                               : std::optional((dir / "no" / "x").string());
    answers.answer = c.answer;
    const Workbook before = run.workbook.current();

    EXPECT_EQ(run.workbook.mayClose(answers, answers), c.closes);
    EXPECT_EQ(answers.asked, c.asks
                                 ? std::vector<std::string>{std::string(kSaveBeforeClosingQuestion)}
                                 : std::vector<std::string>{});
    EXPECT_TRUE(run.workbook.current() == before);
    if (c.answer == ClosingAnswer::Save && c.closes) { // the saved file holds it all
        const FileStart saved = readFileStart(*run.file.path, kMaxWorkbookBytes);
        EXPECT_TRUE(std::get<Workbook>(readWorkbook(std::get<std::string>(saved))) == before);
    }
    EXPECT_EQ(run.messages().empty(), c.file != File::InMissingFolder); // a failed Save says so
    fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Cases, Closing, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace brim
