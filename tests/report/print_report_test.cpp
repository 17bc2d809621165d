#include "report/report.h"
#include "tests/report/report_test_support.h"
#include "tests/support/ordinary_user.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace brim {
namespace {

namespace fs = std::filesystem;
using test::FakeChooser;
using test::RecordingSink;
using test::runAsOrdinaryUser;
using test::tenRowSheet;

const std::string kOldReport = "an older report\nthat must survive every failure\n";

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::set<std::string> entriesOf(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// Every path under `dir`, relative to it: a left-over temporary file shows up here.
std::set<std::string> treeOf(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(dir)) {
        names.insert(entry.path().lexically_relative(dir).string());
    }
    return names;
}

// A fresh folder per test, removed with everything in it afterwards.
class ReportFolder : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "brim-report-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        for (const auto& entry : fs::recursive_directory_iterator(dir_, ignored)) {
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(dir_, ignored);
    }

    // Runs Print with the chooser answering `chosen`; the report text is checked against both
    // readings of the clock around the call, as it may tick in between.
    bool printMatchesReport(const fs::path& chosen, const fs::path& readBack) {
        const ReportTime before = currentLocalTime();
        FakeChooser chooser(chosen.string());
        printReport(sheet_, chooser, sink_);
        const ReportTime after = currentLocalTime();
        const std::string written = readFile(readBack);
        return written == formatReport(sheet_, before) || written == formatReport(sheet_, after);
    }

    fs::path dir_;
    ConfigSheet sheet_ = tenRowSheet();
    RecordingSink sink_;
};

TEST_F(ReportFolder, CancelTouchesNothingAndSaysNothing) {
    FakeChooser chooser(std::nullopt);
    printReport(sheet_, chooser, sink_);
    EXPECT_EQ(chooser.calls, 1);
    EXPECT_TRUE(sink_.shown.empty());
    EXPECT_TRUE(entriesOf(dir_).empty());
}

// --- Paths that cannot be opened: the message, and nothing written or changed ---------------

struct OpenFailureCase {
    const char* name;
    // Prepares the folder and gives the path that the user chooses.
    std::function<fs::path(const fs::path& dir)> prepare;
};

void PrintTo(const OpenFailureCase& c, std::ostream* os) {
    *os << c.name;
}

class OpenFailure : public ReportFolder, public ::testing::WithParamInterface<OpenFailureCase> {};

TEST_P(OpenFailure, SaysCouldNotOpenAndLeavesEverythingAsItWas) {
    const fs::path chosen = GetParam().prepare(dir_);
    const std::set<std::string> entriesBefore = entriesOf(dir_);

    FakeChooser chooser(chosen.string());
    printReport(sheet_, chooser, sink_);

    EXPECT_EQ(sink_.shown, std::vector<std::string>{"Could not open output file."});
    EXPECT_EQ(entriesOf(dir_), entriesBefore);
    for (const auto& name : entriesBefore) {
        const fs::path path = dir_ / name;
        if (fs::is_regular_file(fs::symlink_status(path))) {
            EXPECT_EQ(readFile(path), kOldReport) << name;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, OpenFailure,
    ::testing::Values(
        // A regular file where a folder should be stops even root.
        OpenFailureCase{"ParentIsARegularFile",
                        [](const fs::path& dir) {
                            writeFile(dir / "notes", kOldReport);
                            return dir / "notes" / "report.txt";
                        }},
        OpenFailureCase{"MissingFolder",
                        [](const fs::path& dir) { return dir / "missing" / "report.txt"; }},
        OpenFailureCase{"PathIsAFolder",
                        [](const fs::path& dir) {
                            fs::create_directory(dir / "reports.txt");
                            return dir / "reports.txt";
                        }},
        OpenFailureCase{"ReadOnlyFile",
                        [](const fs::path& dir) {
                            writeFile(dir / "old.txt", kOldReport);
                            fs::permissions(dir / "old.txt", fs::perms::owner_read |
                                                                 fs::perms::group_read |
                                                                 fs::perms::others_read);
                            return dir / "old.txt";
                        }},
        OpenFailureCase{"LinkToReadOnlyFile",
                        [](const fs::path& dir) {
                            writeFile(dir / "old.txt", kOldReport);
                            fs::permissions(dir / "old.txt", fs::perms::owner_read);
                            fs::create_symlink("old.txt", dir / "link.txt");
                            return dir / "link.txt";
                        }},
        OpenFailureCase{"LinkLoop",
                        [](const fs::path& dir) {
                            fs::create_symlink("b.txt", dir / "a.txt");
                            fs::create_symlink("a.txt", dir / "b.txt");
                            return dir / "a.txt";
                        }}),
    [](const auto& info) { return std::string(info.param.name); });

// In a folder the user may not write, no new report can be made; an existing writable report
// is written in place, as emptying and writing a file always could.
TEST_F(ReportFolder, LockedFolderTakesAWritableReportInPlaceButNoNewFile) {
    const fs::path folder = dir_ / "locked";
    fs::create_directory(folder);
    writeFile(folder / "old.txt", kOldReport);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);

    constexpr int kOpenRefusedNewWrittenOld = 0;
    const int verdict = runAsOrdinaryUser(dir_, [&] {
        RecordingSink refused;
        FakeChooser newFile((folder / "new.txt").string());
        printReport(sheet_, newFile, refused);
        RecordingSink written;
        FakeChooser oldFile((folder / "old.txt").string());
        printReport(sheet_, oldFile, written);
        const bool ok = refused.shown == std::vector<std::string>{"Could not open output file."} &&
                        written.shown.empty();
        return ok ? kOpenRefusedNewWrittenOld : 1;
    });
    EXPECT_EQ(verdict, kOpenRefusedNewWrittenOld);
    EXPECT_EQ(entriesOf(folder), std::set<std::string>{"old.txt"});
    // The report as Print writes it, from the rule under the date line on.
    const auto fromRule = [](const std::string& text) {
        const std::size_t rule = text.find("\n=");
        return rule == std::string::npos ? text : text.substr(rule);
    };
    EXPECT_EQ(fromRule(readFile(folder / "old.txt")), fromRule(formatReport(sheet_, {})));
}

// --- Paths that are written: the whole report in the right file, nothing else --------------

TEST_F(ReportFolder, NewFileHoldsTheReport) {
    EXPECT_TRUE(printMatchesReport(dir_ / "report.txt", dir_ / "report.txt"));
    EXPECT_TRUE(sink_.shown.empty());
    EXPECT_EQ(entriesOf(dir_), std::set<std::string>{"report.txt"});
}

TEST_F(ReportFolder, NameWithBlanksAndNonAsciiLetters) {
    const std::string name = "Bericht f\xC3\xBCr M\xC3\xA4rz \xC3\x98st \xE6\x97\xA5.txt";
    EXPECT_TRUE(printMatchesReport(dir_ / name, dir_ / name));
    EXPECT_TRUE(sink_.shown.empty());
    EXPECT_EQ(entriesOf(dir_), std::set<std::string>{name});
}

TEST_F(ReportFolder, LongerOldReportIsReplacedWhole) {
    writeFile(dir_ / "report.txt", std::string(100000, 'x'));
    EXPECT_TRUE(printMatchesReport(dir_ / "report.txt", dir_ / "report.txt"));
    EXPECT_TRUE(sink_.shown.empty());
    EXPECT_EQ(entriesOf(dir_), std::set<std::string>{"report.txt"});
}

TEST_F(ReportFolder, PrivateOldReportStaysPrivate) {
    writeFile(dir_ / "report.txt", kOldReport);
    fs::permissions(dir_ / "report.txt", fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(printMatchesReport(dir_ / "report.txt", dir_ / "report.txt"));
    EXPECT_EQ(fs::status(dir_ / "report.txt").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

// A link is written through: its target gets the fresh report and the link keeps pointing at it.
TEST_F(ReportFolder, SymbolicLinksAreFollowedToTheirTarget) {
    struct Case {
        const char* name;
        bool targetExists;
        fs::path linkTarget; // relative to the folder of the link
    };
    const Case cases[] = {
        {"ExistingReport", true, "old.txt"},
        {"DanglingLink", false, "old.txt"},
        {"LinkIntoSubfolder", true, fs::path("sub") / "old.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path folder = dir_ / c.name;
        fs::create_directories(folder / "sub");
        if (c.targetExists) {
            writeFile(folder / c.linkTarget, kOldReport);
        }
        fs::create_symlink(c.linkTarget, folder / "link.txt");

        EXPECT_TRUE(printMatchesReport(folder / "link.txt", folder / c.linkTarget));
        EXPECT_TRUE(fs::is_symlink(folder / "link.txt"));
        EXPECT_EQ(fs::read_symlink(folder / "link.txt"), c.linkTarget);
        EXPECT_EQ(treeOf(folder),
                  (std::set<std::string>{"link.txt", "sub", c.linkTarget.string()}));
    }
    EXPECT_TRUE(sink_.shown.empty());
}

// --- A full disk: a child process whose file-size limit stops the write part way ------------

// Exit codes of the child that prints under the limit.
constexpr int kChildGotWriteMessage = 10;
constexpr int kChildGotNoMessage = 11;
constexpr int kChildGotOtherMessages = 12;
constexpr int kChildCouldNotSetLimit = 13;

int childVerdict(const RecordingSink& sink) {
    if (sink.shown.empty()) {
        return kChildGotNoMessage;
    }
    if (sink.shown == std::vector<std::string>{"Could not write output file."}) {
        return kChildGotWriteMessage;
    }
    return kChildGotOtherMessages;
}

// Prints in a child whose files may grow to `limitBytes` at most. With SIGXFSZ ignored a write
// past the limit returns short or fails with EFBIG, as on a disk that has filled up.
int printUnderFileSizeLimit(const ConfigSheet& sheet, const fs::path& chosen, rlim_t limitBytes) {
    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{limitBytes, limitBytes};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
            _exit(kChildCouldNotSetLimit);
        }
        RecordingSink sink;
        FakeChooser chooser(chosen.string());
        printReport(sheet, chooser, sink);
        _exit(childVerdict(sink));
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

struct FullDiskCase {
    const char* name;
    // The file-size limit for a report of the given size.
    rlim_t (*limitFor)(std::size_t reportSize);
};

void PrintTo(const FullDiskCase& c, std::ostream* os) {
    *os << c.name;
}

class FullDisk : public ReportFolder, public ::testing::WithParamInterface<FullDiskCase> {};

TEST_P(FullDisk, SaysCouldNotWriteAndKeepsTheOldReportByteForByte) {
    const std::size_t reportSize = formatReport(sheet_, currentLocalTime()).size();
    writeFile(dir_ / "old.txt", kOldReport);

    const rlim_t limit = GetParam().limitFor(reportSize);
    ASSERT_LT(limit, reportSize);
    EXPECT_EQ(printUnderFileSizeLimit(sheet_, dir_ / "old.txt", limit), kChildGotWriteMessage);
    EXPECT_EQ(readFile(dir_ / "old.txt"), kOldReport);
    EXPECT_EQ(treeOf(dir_), std::set<std::string>{"old.txt"});
}

INSTANTIATE_TEST_SUITE_P(
    Limits, FullDisk,
    ::testing::Values(FullDiskCase{"NothingFits", [](std::size_t) -> rlim_t { return 0; }},
                      FullDiskCase{"HalfFits", [](std::size_t size) -> rlim_t { return size / 2; }},
                      FullDiskCase{"LastByteMissing",
                                   [](std::size_t size) -> rlim_t { return size - 1; }}),
    [](const auto& info) { return std::string(info.param.name); });

// The same child with just enough room: proves the limit alone is what fails the others.
TEST_F(ReportFolder, FileSizeLimitWithJustEnoughRoomWritesTheReport) {
    const ReportTime before = currentLocalTime();
    const std::size_t reportSize = formatReport(sheet_, before).size();
    writeFile(dir_ / "old.txt", kOldReport);

    EXPECT_EQ(printUnderFileSizeLimit(sheet_, dir_ / "old.txt", reportSize), kChildGotNoMessage);
    const ReportTime after = currentLocalTime();
    const std::string written = readFile(dir_ / "old.txt");
    EXPECT_TRUE(written == formatReport(sheet_, before) || written == formatReport(sheet_, after));
    EXPECT_EQ(treeOf(dir_), std::set<std::string>{"old.txt"});
}

} // namespace
} // namespace brim
