// The workbook file: what it writes reads back field for field, and Save Workbook and Open
// through the commands name the file and the system's reason when it fails, change nothing then,
// and ask before replacing figures no saved workbook holds.

#include "catalogue_names.h"
#include "file_access.h"
#include "file_texts.h"
#include "ordinary_user.h"
#include "workbook.h"
#include "workbook_commands.h"
#include "workbook_run.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <random>
#include <sched.h>
#include <sstream>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace brim {
namespace {

namespace fs = std::filesystem;

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
    PlanningAssumptions& p = workbook.figures.planning;
    for (int d = 0; d < static_cast<int>(kDiskTypes.size()); ++d) {
        p.disks.setRandomIops(d, r.in(kRandomIopsRange));
        p.disks.setSequentialMbps(d, r.in(kSequentialMbpsRange));
        p.disks.setReadErrorExponent(d, r.in(kReadErrorExponentRange));
        p.disks.setRebuildMbps(d, r.in(kRebuildMbpsRange));
        p.disks.setAnnualFailureHundredths(d, r.in(kAnnualFailureHundredthsRange));
        p.prices.setDiskHundredths(d, r.in(kPriceHundredthsRange));
    }
    for (int m = 0; m < static_cast<int>(kArrayModels.size()); ++m) {
        p.prices.setArrayHundredths(m, r.coin() ? 0 : r.in(kPriceHundredthsRange));
    }
    p.workload.setReadPercent(r.in(kReadPercentRange));
    p.spares.setDisksPerSpare(r.in(kDisksPerSpareRange));
    p.spares.setMinSparesPerType(r.in(kMinSparesPerTypeRange));
    p.rebuildWait.setHoursBeforeRebuild(r.in(kHoursBeforeRebuildRange));
    SizingChoices& s = workbook.figures.sizing;
    s.unit = r.coin() ? CapacityUnit::Gb : CapacityUnit::Tb;
    s.diskType = r.coin() ? std::optional<int>() : static_cast<int>(r.in(0, kDiskTypes.size() - 1));
    s.minimumFailures = static_cast<int>(r.in(0, kMostFailuresAsked));
    s.hostIopsText = r.coin() ? std::to_string(r.in(kHostIopsNeedRange)) : " 7 ";
    s.mbpsText = r.coin() ? "" : std::to_string(r.in(kMbpsNeedRange));
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

class Chooser final : public WorkbookFileChooser {
public:
    std::optional<std::string> path;
    int asked = 0;
    std::optional<std::string> chooseWorkbookFile() override {
        ++asked;
        return path;
    }
};

class Answers final : public Questions {
public:
    bool answer = false;
    std::vector<std::string> asked;
    bool ask(std::string_view question) override {
        asked.emplace_back(question);
        return answer;
    }
};

using ProgramRun = test::WorkbookRun;

class WorkbookFolder : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("brim_workbook_" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(dir_, ignored)) {
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        fs::remove_all(dir_, ignored);
    }
    fs::path dir_;
};

TEST_F(WorkbookFolder, SavedWorkbookOpensInANewRunAsItWas) {
    ProgramRun first;
    first.view.screen.rows[0] = {test::names::k450G, test::names::kRaid5, 9, 1, false, {}, {}};
    first.commands.compute();
    first.plans.keep(first.sheet);
    first.planning.prices.setDiskHundredths(test::names::k450G, 152050);
    first.sizing.hostIopsText = "20000";
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

// ---- a file that cannot be written or read: its name and the system's reason ----

enum class Setting { AsIs, OrdinaryUser, FileSizeLimit, SmallDisk };

struct FileFailureCase {
    const char* name;
    bool save;       // Save Workbook As, or else Open
    Setting setting; // what the command runs under, in a child process but for AsIs
    fs::path (*prepare)(const fs::path& dir); // the path the planner names
    const char* message;                      // "{}" stands for the path
};

void PrintTo(const FileFailureCase& c, std::ostream* os) {
    *os << c.name;
}

constexpr int kSaidAndChangedNothing = 0;
constexpr int kSaidSomethingElse = 1;
constexpr int kChangedSomething = 2;
constexpr int kNoSmallDisk = 3;

void writeText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A child whose files may grow to 512 bytes, with SIGXFSZ ignored: writes past it fail.
// Or one with its own 8 KiB disk mounted on `dir`/small, seen by no other process.
int inChild(Setting setting, const fs::path& dir, const std::function<int()>& part) {
    const pid_t pid = fork();
    if (pid == 0) {
        if (setting == Setting::FileSizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{512, 512};
            setrlimit(RLIMIT_FSIZE, &limit);
        } else if (unshare(CLONE_NEWNS) != 0 ||
                   mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                   mount("tmpfs", (dir / "small").c_str(), "tmpfs", 0, "size=8k") != 0) {
            _exit(kNoSmallDisk);
        }
        _exit(part());
    }
    int status = 0;
    return waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int runIn(Setting setting, const fs::path& dir, const std::function<int()>& part) {
    switch (setting) {
    case Setting::AsIs:
        return part();
    case Setting::OrdinaryUser:
        return test::runAsOrdinaryUser(dir, part);
    default:
        return inChild(setting, dir, part);
    }
}

std::map<fs::path, std::string> filesUnder(const fs::path& dir) {
    std::map<fs::path, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        files[entry.path()] = entry.is_regular_file() ? text.str() : "(folder)";
    }
    return files;
}

class FileFailures : public WorkbookFolder,
                     public ::testing::WithParamInterface<FileFailureCase> {};

TEST_P(FileFailures, NameTheFileAndTheReasonAndChangeNothing) {
    const FileFailureCase& c = GetParam();
    const std::string path = c.prepare(dir_).string();
    std::string expected = c.message;
    expected.replace(expected.find("{}"), 2, path);
    const auto filesBefore = filesUnder(dir_);
    const int verdict = runIn(c.setting, dir_, [&] {
        ProgramRun run;
        for (std::size_t i = 0; i < kMaxKeptPlans; ++i) {
            run.plans.keep(run.sheet); // far more than 512 bytes or 8 KiB
        }
        const Workbook before = run.workbook.current();
        Chooser chooser;
        chooser.path = path;
        Answers answers;
        c.save ? run.workbook.saveAs(chooser) : run.workbook.openFile(path, answers);
        if (run.messages() != std::vector<std::string>{expected}) {
            for (const std::string& message : run.messages()) {
                std::fprintf(stderr, "said: %s\n", message.c_str());
            }
            return kSaidSomethingElse;
        }
        const bool unchanged =
            run.workbook.current() == before && run.view.steps.empty() && !run.file.path;
        return unchanged ? kSaidAndChangedNothing : kChangedSomething;
    });
    if (verdict == kNoSmallDisk) {
        GTEST_SKIP() << "no mount namespace for a small disk here (it needs root)";
    }
    EXPECT_EQ(verdict, kSaidAndChangedNothing);
    EXPECT_EQ(filesUnder(dir_), filesBefore); // no temporary file left, the old file whole
}

fs::path oldWorkbookIn(const fs::path& folder) {
    writeText(folder / "acme.brimcount", formatWorkbook({}));
    return folder / "acme.brimcount";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, FileFailures, ::testing::Values(
    FileFailureCase{"SaveInReadOnlyFolder", true, Setting::OrdinaryUser,
        [](const fs::path& dir) {
            fs::create_directory(dir / "locked");
            fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
            return dir / "locked" / "acme.brimcount";
        },
        "Could not save the workbook to {}: Permission denied."},
    FileFailureCase{"SaveOverReadOnlyFile", true, Setting::AsIs,
        [](const fs::path& dir) {
            const fs::path old = oldWorkbookIn(dir);
            fs::permissions(old, fs::perms::owner_read);
            return old;
        },
        "Could not save the workbook to {}: Permission denied."},
    FileFailureCase{"SaveInMissingFolder", true, Setting::AsIs,
        [](const fs::path& dir) { return dir / "missing" / "acme.brimcount"; },
        "Could not save the workbook to {}: No such file or directory."},
    FileFailureCase{"SaveOverFolder", true, Setting::AsIs,
        [](const fs::path& dir) {
            fs::create_directory(dir / "acme.brimcount");
            return dir / "acme.brimcount";
        },
        "Could not save the workbook to {}: Is a directory."},
    FileFailureCase{"SaveOverFileSizeLimit", true, Setting::FileSizeLimit, oldWorkbookIn,
        "Could not save the workbook to {}: File too large."},
    FileFailureCase{"SaveOnFullDisk", true, Setting::SmallDisk,
        [](const fs::path& dir) {
            fs::create_directory(dir / "small");
            return dir / "small" / "acme.brimcount";
        },
        "Could not save the workbook to {}: No space left on device."},
    FileFailureCase{"OpenMissingFile", false, Setting::AsIs,
        [](const fs::path& dir) { return dir / "acme.brimcount"; },
        "Could not open {}: No such file or directory."},
    FileFailureCase{"OpenFolder", false, Setting::AsIs,
        [](const fs::path& dir) {
            fs::create_directory(dir / "plans");
            return dir / "plans";
        },
        "Could not open {}: Is a directory."},
    FileFailureCase{"OpenUnreadableFile", false, Setting::OrdinaryUser,
        [](const fs::path& dir) {
            const fs::path old = oldWorkbookIn(dir);
            fs::permissions(old, fs::perms::none);
            return old;
        },
        "Could not open {}: Permission denied."}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// Without a reason from the system the sentence still ends in one.
TEST(FileTexts, AReasonUnknownIsSaidPlainly) {
    EXPECT_EQ(openFailedText("/srv/plans/acme.brimcount", ""),
              "Could not open /srv/plans/acme.brimcount: could not be read.");
    EXPECT_EQ(saveWorkbookFailedText("/srv/plans/acme.brimcount", ""),
              "Could not save the workbook to /srv/plans/acme.brimcount: could not be written.");
}

TEST(FileTexts, SaveEntryNamesTheFileAloneAndShowsItsAmpersands) {
    const std::pair<std::optional<std::string>, const char*> cases[] = {
        {std::nullopt, "&Save Workbook..."},
        {"/srv/plans/plans.brimcount", "&Save Workbook (plans.brimcount)"},
        {"plans.brimcount", "&Save Workbook (plans.brimcount)"},
        {"/srv/R&D/A&B plans.brimcount", "&Save Workbook (A&&B plans.brimcount)"},
    };
    for (const auto& [path, text] : cases) {
        EXPECT_EQ(saveWorkbookEntryText(WorkbookFile{path, std::nullopt}), text);
    }
}

// After a Save As that failed, the entry still names the file Ctrl+S saves to.
TEST_F(WorkbookFolder, SaveEntryFollowsTheFileSavesGoTo) {
    ProgramRun run;
    EXPECT_EQ(saveWorkbookEntryText(run.file), "&Save Workbook...");
    Chooser chooser;
    chooser.path = (dir_ / "plans.brimcount").string();
    run.workbook.save(chooser);
    EXPECT_EQ(saveWorkbookEntryText(run.file), "&Save Workbook (plans.brimcount)");
    chooser.path = (dir_ / "missing" / "other.brimcount").string();
    run.workbook.saveAs(chooser);
    EXPECT_EQ(saveWorkbookEntryText(run.file), "&Save Workbook (plans.brimcount)");
}

} // namespace
} // namespace brim
