#include "core/blanks.h"
#include "report/report.h"
#include "report/report_compare.h"
#include "report/report_reader.h"
#include "tests/report/report_test_support.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/fake_sheet_view.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <variant>

namespace brim {
namespace {

using namespace test::names;

constexpr ReportTime kPrinted{2008, 3, 7, 9, 5, 3};

struct RandomSheet {
    ConfigSheet sheet;
    bool computed = false;
    std::vector<std::string> messages; // shown by its Compute
};

// A sheet as the window leaves it: rows with groups among default rows, RAID1 and IndivDisk
// rows with their fixed disks per group, now and then huge counts and out-of-range disks. Most
// are computed (their failed rows keep older figures), the rest printed before any Compute.
RandomSheet randomSheet(std::mt19937& rng) {
    const auto upTo = [&rng](std::uint32_t max) {
        return std::uniform_int_distribution<std::uint32_t>(0, max)(rng);
    };
    const auto oneIn = [&upTo](std::uint32_t n) { return upTo(n - 1) == 0; };
    RandomSheet result;
    ConfigSheet& sheet = result.sheet;
    sheet.modelIndex = static_cast<std::int32_t>(upTo(8));
    result.computed = !oneIn(5);
    for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
        GroupDefinition& row = sheet.rows[i];
        if (oneIn(2)) {
            continue;
        }
        row.groupCount = oneIn(8) ? std::max(1U, upTo(UINT32_MAX)) : 1 + upTo(59);
        row.diskType = static_cast<std::int32_t>(upTo(7));
        row.raidType = static_cast<std::int32_t>(upTo(7)) - 1;
        row.disksPerGroup = oneIn(10) ? upTo(UINT32_MAX) : upTo(17);
        row.disksPerGroup = row.raidType == kRaid1       ? 2
                            : row.raidType == kIndivDisk ? 1
                                                         : row.disksPerGroup;
        row.includesVault = i < kVaultRowCount && oneIn(3);
        if (result.computed) {
            // Older figures, now and then wider than their fields.
            row.groupCapacityText = formatCapacity(upTo(UINT32_MAX) * (oneIn(4) ? 100.0 : 0.01));
            row.totalCapacityText = formatCapacity(upTo(UINT32_MAX) / 100.0);
        }
    }
    if (result.computed) {
        test::RecordingSink sink;
        computeSheet(sheet, sink);
        result.messages = sink.shown;
    }
    return result;
}

// As editors on other systems may leave the file: a byte order mark, blanks at line ends, CR LF
// line ends (even mixed), no final line end, blank lines after the definitions.
std::string asSavedElsewhere(const std::string& text, std::mt19937& rng) {
    std::string out = rng() % 4 == 0 ? "\xEF\xBB\xBF" : "";
    for (const char c : text) {
        if (c == '\n') {
            out += std::string(rng() % 3, rng() % 2 == 0 ? ' ' : '\t');
        }
        out += c == '\n' && rng() % 2 == 0 ? std::string("\r\n") : std::string(1, c);
    }
    if (rng() % 2 == 0) {
        return out + "\n  \n";
    }
    return out.substr(0, out.find_last_not_of("\r\n") + 1);
}

TEST(ReportReaderTest, ARandomSheetReadsBackAndReopensIntoTheSameReport) {
    std::mt19937 rng(20240611);
    for (int run = 0; run < 400; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        const RandomSheet original = randomSheet(rng);
        const std::string printed = formatReport(original.sheet, kPrinted);
        const ReportReading reading = readReport(asSavedElsewhere(printed, rng));
        ASSERT_TRUE(std::holds_alternative<OpenedReport>(reading))
            << std::get<ReportRefusal>(reading).message << "\n"
            << printed;
        const OpenedReport& opened = std::get<OpenedReport>(reading);
        EXPECT_EQ(opened.version, "4.3");
        EXPECT_EQ(opened.plan.modelIndex, original.sheet.modelIndex);
        std::size_t next = 0;
        for (const GroupDefinition& row : original.sheet.rows) {
            if (row.groupCount != 0) {
                ASSERT_LT(next, opened.plan.rows.size());
                EXPECT_TRUE(test::sameRow(opened.plan.rows[next++], row)) << "row " << next;
            }
        }
        EXPECT_EQ(next, static_cast<std::size_t>(opened.definitions));
        for (; next < opened.plan.rows.size(); ++next) {
            EXPECT_TRUE(test::sameRow(opened.plan.rows[next], GroupDefinition{}));
        }
        if (!original.computed) {
            continue;
        }
        // Into a window that held another plan: the same report again, the same messages, and
        // the window's own Sticky Changes.
        test::CommandsFixture window;
        window.sheet = randomSheet(rng).sheet;
        window.sheet.stickyChanges = run % 2 == 0;
        window.syncScreen();
        window.commands.openPlan(opened.plan, opened.version);
        EXPECT_EQ(formatReport(window.sheet, kPrinted), printed);
        EXPECT_EQ(window.view.messagesShown(), original.messages);
        EXPECT_EQ(window.sheet.stickyChanges, run % 2 == 0);
        for (int r = 1; r <= kRowCount; ++r) {
            const int raid = test::row(window.sheet, r).raidType;
            EXPECT_EQ(window.commands.disksFieldLocked(r), raid == kRaid1 || raid == kIndivDisk)
                << "row " << r;
        }
        // One printed figure changed by hand: the computed ones win, and the message says so.
        if (original.sheet.totalDisksText != "Error") {
            ConfigSheet edited = opened.plan;
            const bool inRow = opened.definitions > 0 && rng() % 2 == 0;
            (inRow ? edited.rows[0].totalCapacityText : edited.netTotalTbText) = "12345";
            window.view.calls.clear();
            window.commands.openPlan(edited, "4.2");
            EXPECT_EQ(formatReport(window.sheet, kPrinted), printed);
            std::vector<std::string> expected = original.messages;
            const std::string& now =
                inRow ? window.sheet.rows[0].totalCapacityText : window.sheet.netTotalTbText;
            expected.push_back(
                differingFiguresMessage("4.2", {inRow ? "row 1 Subtotal" : "Total Net (TB)",
                                                "12345", std::string(trimBlanks(now))}));
            EXPECT_EQ(window.view.messagesShown(), expected);
        }
    }
}

// Row 1 in RAID1 on vault disks, row 3 in RAID 6 of 1 TB ATA: lines 13 and 14 of its report.
ConfigSheet computedPlan(std::uint32_t raid6Groups = 3) {
    ConfigSheet sheet;
    sheet.modelIndex = kTelvarB;
    sheet.rows[0] = {k146G, kRaid1, 2, 2, true, {}, {}};
    sheet.rows[2] = {k1TbAta, kRaid6, 6, raid6Groups, false, {}, {}};
    test::RecordingSink silent;
    computeSheet(sheet, silent);
    return sheet;
}

using Edit = std::function<void(std::string&)>;
Edit replaced(std::string from, std::string to) {
    return [=](std::string& text) { text.replace(text.find(from), from.size(), to); };
}
Edit appended(std::string lines) {
    return [=](std::string& text) { text += lines; };
}

std::string shouldBeLike(int line, const std::string& printed, const std::string& found) {
    return "line " + std::to_string(line) + " should be like \"" + printed + "\", found \"" +
           found + "\".";
}

const std::string kRow1 =
    "     2        146 G FC        RAID1       2        Yes      71.68       143.36";
const std::string kNew = "     1        450 G FC        RAID5       5         No";
std::string newLines(int count) {
    std::string lines;
    while (count-- > 0) {
        lines += kNew + "\n";
    }
    return lines;
}

TEST(ReportReaderTest, AFileThatIsNotAReportIsRefusedWithTheLineTheWriterPrintsThere) {
    const std::vector<std::pair<Edit, std::string>> cases{
        {[](std::string& text) { text.clear(); }, "the file is empty."},
        {[](std::string& text) { text.erase(text.find("Min. #")); },
         "the file ends at line 7, before the column headings."},
        {replaced("Brimcount 4.3", "Brimcalc 4.3"),
         shouldBeLike(1, "Tessaryn Brimcount 4.3", "Tessaryn Brimcalc 4.3")},
        {replaced("4.3", "4.3\x7F"),
         shouldBeLike(1, "Tessaryn Brimcount 4.3", "Tessaryn Brimcount 4.3\\x7F")},
        {replaced("Telvar B", "Telvar Z"),
         shouldBeLike(4, "System Model: Telvar A", "System Model: Telvar Z")},
        {replaced("(GB): ", "(GB): \x01"),
         shouldBeLike(5, "Total Net (GB):", "Total Net (GB): \\x0111149.15")},
        {replaced("\t\t\t\t", ""), shouldBeLike(11, R"(\t\t\t\t     #Disks/\t\t    CAPACITY)",
                                                R"(     #Disks/\t\t    CAPACITY)")},
        // A data line prints again with what could be read, the rest at a new row's defaults;
        // what was found is cut to 60 characters.
        {replaced("146 G FC ", "146 G SAS"),
         shouldBeLike(
             13, "     2        450 G FC        RAID1       2        Yes      71.68       143.36",
             "     2        146 G SAS       RAID1       2        Yes      ")},
        {replaced("RAID1 ", "RAID7 "),
         shouldBeLike(
             13, "     2        146 G FC                    2        Yes      71.68       143.36",
             "     2        146 G FC        RAID7       2        Yes      ")},
        {replaced("     2 ", "     0 "),
         shouldBeLike(13, "     1" + kRow1.substr(6), "     0" + kRow1.substr(6, 54))},
        // Both capacities or neither: one alone prints as a line without capacities.
        {appended(kNew + "   1.00\n"), shouldBeLike(15, kNew, kNew + "   1.0")},
        {appended(newLines(3) + kNew.substr(0, 43) + "        Yes"),
         shouldBeLike(18, kNew, kNew.substr(0, 43) + "        Yes")},
        {appended(newLines(9)), shouldBeLike(23, "", kNew)},
        {appended("\r\n  \nnotes\n"), shouldBeLike(17, "", "notes")},
    };
    const std::string report = formatReport(computedPlan(), kPrinted);
    ASSERT_NE(report.find(kRow1), std::string::npos);
    for (const auto& [edit, message] : cases) {
        std::string text = report;
        edit(text);
        const ReportReading reading = readReport(text);
        ASSERT_TRUE(std::holds_alternative<ReportRefusal>(reading)) << text;
        EXPECT_EQ(std::get<ReportRefusal>(reading).message, "Not a Brimcount report: " + message);
    }
}

// An opened plan changed after its figures were computed, and the first figure that then differs.
struct DifferingCase {
    std::function<void(ConfigSheet&)> edit;
    std::string version;
    std::string figure; // after "(report version ...): "
};

TEST(ReportReaderTest, TheDifferMessageNamesTheFirstFigureThatDiffers) {
    const std::vector<DifferingCase> cases{
        // Twenty groups typed after a Compute of ten, and printed without another.
        {[](ConfigSheet& plan) { plan.rows[1].groupCount = 20; }, "4.3",
         "row 2 Subtotal was 36685.97, now 73371.93"},
        {[](ConfigSheet& plan) { plan.rows[0].groupCapacityText = "  "; }, "4.3",
         "row 1 Per Group was empty, now 71.68"},
        {[](ConfigSheet& plan) { plan.totalDisksText = "150"; }, std::string(64, '9'),
         "Total # Disks was 150, now 64"},
        {[](ConfigSheet& plan) { plan.arraysRequiredText = "  " + std::string(30, '7'); }, "4.2",
         "Min. # of arrays needed was 77777777777777777777..., now 1"},
    };
    for (const DifferingCase& differing : cases) {
        test::CommandsFixture window;
        const ReportReading read = readReport(formatReport(computedPlan(10), kPrinted));
        ConfigSheet plan = std::get<OpenedReport>(read).plan;
        differing.edit(plan);
        window.commands.openPlan(plan, differing.version);
        const std::string version = differing.version.substr(0, 20);
        EXPECT_EQ(window.view.messagesShown(),
                  std::vector<std::string>{
                      "The report's figures differ from those computed now (report version " +
                      version + (version.size() < differing.version.size() ? "..." : "") +
                      "): " + differing.figure + "; the window shows the computed ones."});
    }
}

} // namespace
} // namespace brim
