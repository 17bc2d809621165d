// The workbook file: what it writes reads back field for field, what it refuses it names by
// JSON path, and Save Workbook and Open through the commands keep the old file on a full disk
// and ask before replacing figures no saved workbook holds.

#include "catalogue_names.h"
#include "workbook.h"
#include "workbook_commands.h"
#include "workbook_run.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
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
        row.disksPerGroup =
            static_cast<std::uint32_t>(r.coin() ? r.in(0, 17) : r.in(0, UINT32_MAX));
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
    s.hostIopsText = r.coin() ? std::to_string(r.in(1, 10'000'000)) : "12a \"x\"";
    s.mbpsText = r.coin() ? "" : std::to_string(r.in(1, 1'000'000));
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

// ---- refusals: a valid file with one thing changed ----

struct RefusalCase {
    const char* name;
    const char* find;    // in the formatted default workbook with two plans
    const char* replace; // what takes its place
    const char* message; // the whole refusal
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

std::string twoPlanText() {
    Workbook workbook;
    workbook.figures.plans = {{"Plan A", PlanSheet{}}, {"Plan B", PlanSheet{}}};
    workbook.figures.plans[1].sheet.rows[4].raidType = test::names::kRaid5;
    return formatWorkbook(workbook);
}

class WorkbookRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(WorkbookRefusals, NameThePlaceAndTheFault) {
    std::string text = twoPlanText();
    const std::size_t at = text.find(GetParam().find);
    ASSERT_NE(at, std::string::npos) << GetParam().find;
    text.replace(at, std::strlen(GetParam().find), GetParam().replace);
    const WorkbookReading read = readWorkbook(text);
    ASSERT_TRUE(std::holds_alternative<WorkbookRefusal>(read));
    EXPECT_EQ(std::get<WorkbookRefusal>(read).message, GetParam().message);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, WorkbookRefusals, ::testing::Values(
    RefusalCase{"unknown_raid", "\"RAID5\"", "\"RAID7\"",
        "plans[1].rows[4].raidType: \"RAID7\" is not a RAID type of this program."},
    RefusalCase{"newer_version", "\"formatVersion\": 1", "\"formatVersion\": 2",
        "formatVersion: the workbook was made by a newer Brimcount (format version 2); this one reads version 1 only."},
    RefusalCase{"other_format", "\"Brimcount workbook\"", "\"Spreadsheet\"",
        "format: this is not a Brimcount workbook (\"Brimcount workbook\" expected)."},
    RefusalCase{"unknown_field", "\"readPercent\"", "\"readPercnt\"",
        "planning.readPercnt: \"readPercnt\" is not a field this program knows."},
    RefusalCase{"percent_range", "\"readPercent\": 70", "\"readPercent\": 101",
        "planning.readPercent: 101 is outside 0 to 100."},
    RefusalCase{"fraction", "\"readPercent\": 70", "\"readPercent\": 70.5",
        "planning.readPercent: 70.5 is not a whole number."},
    RefusalCase{"three_decimals", "\"afrPercent\": 2,", "\"afrPercent\": 2.125,",
        "planning.disks[0].afrPercent: 2.125 has more than two decimals."},
    RefusalCase{"negative_price", "\"price\": 0\n", "\"price\": -1\n",
        "planning.arrayPrices[0].price: -1 is outside 0 to 1000000000."},
    RefusalCase{"unknown_model", "\"model\": \"Telvar A\"", "\"model\": \"Telvar Z\"",
        "planning.arrayPrices[5].model: \"Telvar Z\" is not an array model of this program."},
    RefusalCase{"unknown_disk", "\"diskType\": \"450 G FC\"", "\"diskType\": \"450 G SAS\"",
        "planning.disks[4].diskType: \"450 G SAS\" is not a disk type of this program."},
    RefusalCase{"nine_rows", "{\n                    \"diskType\": \"450 G FC\",\n                    \"disksPerGroup\": 0,\n                    \"groups\": 0,\n                    \"raidType\": null,\n                    \"vault\": false\n                },", "",
        "plans[0].rows: holds 9 rows; a sheet has exactly 10."},
    RefusalCase{"same_name", "\"Plan B\"", "\"Plan A\"",
        "plans[1].name: \"Plan A\" is the name of an earlier plan."},
    RefusalCase{"long_name", "\"Plan B\"", "\"Plan B is a name of more than forty characters\"",
        "plans[1].name: a plan's name is 1 to 40 characters, with no blank at either end and no line break."},
    RefusalCase{"groups_type", "\"groups\": 0", "\"groups\": \"5\"",
        "plans[0].rows[0].groups: must be a number."},
    RefusalCase{"not_json", "\"plans\": [", "\"plans\" [",
        "The workbook is not well-formed JSON at byte 3457: missing name separator."}));

constexpr const char* kNoLossLimit = "\"maxLossPercent\": \"\"";
INSTANTIATE_TEST_SUITE_P(LossLimit, WorkbookRefusals, ::testing::Values(
    RefusalCase{"three_decimals", kNoLossLimit, "\"maxLossPercent\": \"1.234\"",
        "planning.sizing.maxLossPercent: \"1.234\" is not a percentage from 0 to 100 with up to two decimals."},
    RefusalCase{"above_range", kNoLossLimit, "\"maxLossPercent\": 100.5",
        "planning.sizing.maxLossPercent: 100.5 is outside 0 to 100."},
    RefusalCase{"boolean", kNoLossLimit, "\"maxLossPercent\": true",
        "planning.sizing.maxLossPercent: must be a number or a text in quotes."}));
// clang-format on

// The loss limit as a hand edit may give it: a number or a text, or empty for none.
TEST(WorkbookSizing, LossLimitReadsFromANumberOrAText) {
    const std::pair<const char*, std::optional<std::int64_t>> cases[] = {{"\"\"", std::nullopt},
                                                                         {"\"  \"", std::nullopt},
                                                                         {"1.5", 150},
                                                                         {"\" 0.25 \"", 25},
                                                                         {"0", 0},
                                                                         {"\"100\"", 10'000}};
    for (const auto& [given, hundredths] : cases) {
        std::string text = twoPlanText();
        text.replace(text.find(kNoLossLimit), std::strlen(kNoLossLimit),
                     std::string("\"maxLossPercent\": ") + given);
        EXPECT_EQ(std::get<Workbook>(readWorkbook(text)).figures.sizing.maxLossHundredths,
                  hundredths)
            << given;
    }
}

TEST(WorkbookRefusalsBeyondText, VaultOnRowSixTooManyPlansAndSize) {
    Workbook workbook;
    workbook.sheet.rows[5].includesVault = true; // not written: rows 6 to 10 hold no vault
    EXPECT_FALSE(
        std::get<Workbook>(readWorkbook(formatWorkbook(workbook))).sheet.rows[5].includesVault);

    QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(formatWorkbook({})));
    QJsonObject root = document.object();
    QJsonObject sheet = root["sheet"].toObject();
    QJsonArray rows = sheet["rows"].toArray();
    QJsonObject row = rows[6].toObject();
    row["vault"] = true;
    rows[6] = row;
    sheet["rows"] = rows;
    root["sheet"] = sheet;
    QJsonArray plans;
    for (int i = 0; i < 9; ++i) {
        QJsonObject plan = sheet;
        plan["name"] = QString::number(i);
        plans.append(plan);
    }
    root["plans"] = plans;
    EXPECT_EQ(
        std::get<WorkbookRefusal>(readWorkbook(QJsonDocument(root).toJson().toStdString())).message,
        "sheet.rows[6].vault: only rows 1 to 5 (0 to 4 here) may hold the vault.");
    row["vault"] = false;
    rows[6] = row;
    sheet["rows"] = rows;
    root["sheet"] = sheet;
    EXPECT_EQ(
        std::get<WorkbookRefusal>(readWorkbook(QJsonDocument(root).toJson().toStdString())).message,
        "plans: holds 9 plans; a workbook keeps at most 8.");
    EXPECT_EQ(
        std::get<WorkbookRefusal>(readWorkbook(std::string(kMaxWorkbookBytes + 1, ' '))).message,
        kWorkbookTooLargeMessage);
}

TEST(WorkbookExample, TheDocumentedExampleOpens) {
    const WorkbookReading read = readWorkbookFile(BRIM_EXAMPLE_WORKBOOK);
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
    void TearDown() override { fs::remove_all(dir_); }
    static std::string contents(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
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

constexpr int kChildSawWriteFailure = 10;
constexpr int kChildSawSomethingElse = 11;

TEST_F(WorkbookFolder, FullDiskSaysSoAndKeepsTheOldFileWhole) {
    const fs::path target = dir_ / "full.brimcount";
    const std::string old = formatWorkbook({});
    std::ofstream(target) << old;
    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlim_t bytes = 512; // far less than eight plans need
        const rlimit limit{bytes, bytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        ProgramRun run;
        for (int i = 0; i < 8; ++i) {
            run.plans.keep(run.sheet);
        }
        Chooser chooser;
        chooser.path = target.string();
        run.workbook.saveAs(chooser);
        const bool said =
            run.messages() == std::vector<std::string>{"Could not write output file."};
        _exit(said && !run.file.path ? kChildSawWriteFailure : kChildSawSomethingElse);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), kChildSawWriteFailure);
    EXPECT_EQ(contents(target), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 1);
}

} // namespace
} // namespace brim
