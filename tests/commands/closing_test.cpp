// Closing the main window: at once while no kept plan or planning figure is unsaved, after the
// question otherwise, and open again for Cancel and for a Save that did not go through.

#include "catalogue_names.h"
#include "closing_question.h"
#include "workbook_commands.h"
#include "workbook_run.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <unistd.h>
#include <variant>
#include <vector>

namespace brim {
namespace {

namespace fs = std::filesystem;
using test::names::k450G;
using test::names::kRaid5;
using ProgramRun = test::WorkbookRun;

class Chooser final : public WorkbookFileChooser {
public:
    std::optional<std::string> path;
    std::optional<std::string> chooseWorkbookFile() override { return path; }
};

class Answer final : public ClosingQuestion, public Questions {
public:
    explicit Answer(ClosingAnswer answer) : answer_(answer) {}
    std::vector<std::string> asked;
    ClosingAnswer askBeforeClosing(std::string_view question) override {
        asked.emplace_back(question);
        return answer_;
    }
    bool ask(std::string_view) override { return true; } // Open's question

private:
    ClosingAnswer answer_;
};

// What the planner did before closing; `chooser` names the file a Save Workbook goes to.
using Session = void (*)(ProgramRun& run, Chooser& chooser);

void nothing(ProgramRun&, Chooser&) {}
void keepAPlan(ProgramRun& run, Chooser&) {
    run.plans.keep(run.sheet);
}
void priceADisk(ProgramRun& run, Chooser&) {
    run.planning.prices.setDiskHundredths(k450G, 152050);
}
void priceAndSave(ProgramRun& run, Chooser& chooser) {
    priceADisk(run, chooser);
    run.workbook.save(chooser);
}
void keepAndSave(ProgramRun& run, Chooser& chooser) {
    keepAPlan(run, chooser);
    run.workbook.save(chooser);
}
void savedThenPriced(ProgramRun& run, Chooser& chooser) {
    keepAndSave(run, chooser);
    priceADisk(run, chooser);
}
void pricedAndBack(ProgramRun& run, Chooser& chooser) {
    const std::int64_t was = run.planning.prices.diskHundredths(k450G);
    priceADisk(run, chooser);
    run.planning.prices.setDiskHundredths(k450G, was);
}
void changeTheReadShare(ProgramRun& run, Chooser&) {
    run.planning.workload.setReadPercent(50);
}
void editTheSheet(ProgramRun& run, Chooser&) {
    run.view.screen.rows[0] = {k450G, kRaid5, 9, 4, false, {}, {}};
    run.commands.compute();
}
void chooseInTheSizingWindow(ProgramRun& run, Chooser&) {
    run.sizing.unit = CapacityUnit::Gb;
    run.sizing.minimumFailures = 2;
    run.sizing.hostIopsText = "20000";
    run.sizing.mbpsText = "abc";
}
// Opens a workbook that holds a plan and a price, written by another run.
void openAWorkbook(ProgramRun& run, Chooser& chooser) {
    ProgramRun other;
    Chooser elsewhere;
    elsewhere.path = *chooser.path + ".other.brimcount";
    keepAPlan(other, elsewhere);
    priceAndSave(other, elsewhere);
    Answer replaceWhenAsked(ClosingAnswer::Cancel);
    run.workbook.openFile(*elsewhere.path, replaceWhenAsked);
    ASSERT_EQ(run.plans.size(), 1u);
}
void openAndRename(ProgramRun& run, Chooser& chooser) {
    openAWorkbook(run, chooser);
    (void)run.plans.rename(0, "RAID5 of 9");
}

// What the file chooser answers when a Save asks it.
enum class SaveGoesTo { AskedFile, Cancelled, MissingFolder };

struct ClosingCase {
    const char* name;
    Session session;
    ClosingAnswer answer;
    SaveGoesTo file;
    bool asks;
    bool closes;
};

// Where no question is due the answer is Cancel, so that one asked all the same keeps the window
// open. A Save after an earlier save goes to that file and asks for none (its chooser cancels).
// clang-format off
constexpr ClosingCase kClosingCases[] = {
    {"NothingDone",            nothing,                 ClosingAnswer::Cancel,  SaveGoesTo::AskedFile,     false, true},
    {"OnlyTheSheetEdited",     editTheSheet,            ClosingAnswer::Cancel,  SaveGoesTo::AskedFile,     false, true},
    {"OnlySizingChoices",      chooseInTheSizingWindow, ClosingAnswer::Cancel,  SaveGoesTo::AskedFile,     false, true},
    {"PriceChangedBack",       pricedAndBack,           ClosingAnswer::Cancel,  SaveGoesTo::AskedFile,     false, true},
    {"AfterASave",             keepAndSave,             ClosingAnswer::Cancel,  SaveGoesTo::AskedFile,     false, true},
    {"AfterAnOpen",            openAWorkbook,           ClosingAnswer::Cancel,  SaveGoesTo::AskedFile,     false, true},
    {"KeptPlanDiscarded",      keepAPlan,               ClosingAnswer::Discard, SaveGoesTo::AskedFile,     true,  true},
    {"KeptPlanCancelled",      keepAPlan,               ClosingAnswer::Cancel,  SaveGoesTo::AskedFile,     true,  false},
    {"KeptPlanSaved",          keepAPlan,               ClosingAnswer::Save,    SaveGoesTo::AskedFile,     true,  true},
    {"PriceCancelled",         priceADisk,              ClosingAnswer::Cancel,  SaveGoesTo::AskedFile,     true,  false},
    {"ReadShareDiscarded",     changeTheReadShare,      ClosingAnswer::Discard, SaveGoesTo::AskedFile,     true,  true},
    {"PricedAfterSaveSaved",   savedThenPriced,         ClosingAnswer::Save,    SaveGoesTo::Cancelled,     true,  true},
    {"RenamedAfterOpen",       openAndRename,           ClosingAnswer::Cancel,  SaveGoesTo::AskedFile,     true,  false},
    {"SaveChooserCancelled",   keepAPlan,               ClosingAnswer::Save,    SaveGoesTo::Cancelled,     true,  false},
    {"SaveFails",              priceADisk,              ClosingAnswer::Save,    SaveGoesTo::MissingFolder, true,  false},
};
// clang-format on

class Closing : public ::testing::TestWithParam<ClosingCase> {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("brim_closing_" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_P(Closing, AsksOnlyOverUnsavedPlansOrFiguresAndClosesAsAnswered) {
    const ClosingCase& c = GetParam();
    ProgramRun run;
    Chooser chooser;
    chooser.path = (dir_ / "plans.brimcount").string();
    ASSERT_NO_FATAL_FAILURE(c.session(run, chooser));
    switch (c.file) {
    case SaveGoesTo::AskedFile:
        break;
    case SaveGoesTo::Cancelled:
        chooser.path.reset();
        break;
    case SaveGoesTo::MissingFolder:
        chooser.path = (dir_ / "missing" / "plans.brimcount").string();
        break;
    }
    const Workbook before = run.workbook.current();
    const std::size_t messages = run.messages().size();
    Answer answer(c.answer);

    EXPECT_EQ(run.workbook.mayClose(chooser, answer), c.closes);

    EXPECT_EQ(answer.asked.size(), c.asks ? 1u : 0u);
    if (c.asks) {
        EXPECT_EQ(answer.asked[0], kSaveBeforeClosingQuestion);
    }
    EXPECT_TRUE(run.workbook.current() == before); // a question changes nothing
    // What a Save wrote is the run as it stands; a Save that failed said so.
    const bool saved = c.asks && c.answer == ClosingAnswer::Save && c.closes;
    if (saved) {
        const WorkbookReading reread = readWorkbookFile(*run.file.path);
        ASSERT_TRUE(std::holds_alternative<Workbook>(reread));
        EXPECT_TRUE(std::get<Workbook>(reread) == before);
    }
    EXPECT_EQ(run.messages().size() > messages, c.file == SaveGoesTo::MissingFolder && c.asks);
}

INSTANTIATE_TEST_SUITE_P(Cases, Closing, ::testing::ValuesIn(kClosingCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace brim
