// Save Workbook and Open when the file cannot be written or read: the message names the file
// and the system's reason, and nothing changes; and the Save Workbook entry's text.

#include "commands/file_texts.h"
#include "commands/workbook_commands.h"
#include "tests/commands/workbook_folder.h"
#include "tests/support/ordinary_user.h"

#include <csignal>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <sched.h>
#include <sstream>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace brim {
namespace {

namespace fs = std::filesystem;
using test::Answers;
using test::Chooser;
using test::ProgramRun;
using test::WorkbookFolder;

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
    if (setting == Setting::AsIs) {
        return part();
    }
    return setting == Setting::OrdinaryUser ? test::runAsOrdinaryUser(dir, part)
                                            : inChild(setting, dir, part);
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
        for (std::uint32_t i = 0; i < kMaxKeptPlans; ++i) {
            run.sheet.rows[0].groupCount = i; // a sheet is kept once
            run.plans.keep(run.sheet);        // eight: far more than 512 bytes or 8 KiB
        }
        run.sheet.rows[0].groupCount = 0; // as the window's fields show it
        const Workbook before = run.workbook.current();
        Chooser chooser;
        chooser.path = path;
        Answers answers;
        c.save ? run.workbook.saveAs(chooser) : run.workbook.openFile(path, answers);
        if (run.messages() != std::vector<std::string>{expected}) {
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

// A workbook in `folder` with these permissions, or a folder in `dir` with these.
fs::path oldWorkbookIn(const fs::path& folder, fs::perms perms = fs::perms::owner_all) {
    std::ofstream(folder / "acme.brimcount", std::ios::binary) << formatWorkbook({});
    fs::permissions(folder / "acme.brimcount", perms);
    return folder / "acme.brimcount";
}

fs::path folderIn(const fs::path& dir, const char* name, fs::perms perms = fs::perms::owner_all) {
    fs::create_directory(dir / name);
    fs::permissions(dir / name, perms);
    return dir / name;
}

constexpr fs::perms kReadOnly = fs::perms::owner_read | fs::perms::owner_exec;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, FileFailures, ::testing::Values(
    FileFailureCase{"SaveInReadOnlyFolder", true, Setting::OrdinaryUser,
        [](const fs::path& d) { return folderIn(d, "locked", kReadOnly) / "acme.brimcount"; },
        "Could not save the workbook to {}: Permission denied."},
    FileFailureCase{"SaveOverReadOnlyFile", true, Setting::AsIs,
        [](const fs::path& d) { return oldWorkbookIn(d, fs::perms::owner_read); },
        "Could not save the workbook to {}: Permission denied."},
    FileFailureCase{"SaveInMissingFolder", true, Setting::AsIs,
        [](const fs::path& d) { return d / "missing" / "acme.brimcount"; },
        "Could not save the workbook to {}: No such file or directory."},
    FileFailureCase{"SaveOverFolder", true, Setting::AsIs,
        [](const fs::path& d) { return folderIn(d, "acme.brimcount"); },
        "Could not save the workbook to {}: Is a directory."},
    FileFailureCase{"SaveOverFileSizeLimit", true, Setting::FileSizeLimit,
        [](const fs::path& d) { return oldWorkbookIn(d); },
        "Could not save the workbook to {}: File too large."},
    FileFailureCase{"SaveOnFullDisk", true, Setting::SmallDisk,
        [](const fs::path& d) { return folderIn(d, "small") / "acme.brimcount"; },
        "Could not save the workbook to {}: No space left on device."},
    FileFailureCase{"OpenMissingFile", false, Setting::AsIs,
        [](const fs::path& d) { return d / "acme.brimcount"; },
        "Could not open {}: No such file or directory."},
    FileFailureCase{"OpenFolder", false, Setting::AsIs,
        [](const fs::path& d) { return folderIn(d, "plans"); },
        "Could not open {}: Is a directory."},
    FileFailureCase{"OpenUnreadableFile", false, Setting::OrdinaryUser,
        [](const fs::path& d) { return oldWorkbookIn(d, fs::perms::none); },
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
