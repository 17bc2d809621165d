#include "fake_sheet_view.h"
#include "report.h"
#include "report_reader.h"
#include "sheet_window_fixture.h"
#include "window_menu.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace brim::test {
namespace {

constexpr int kRow1Groups = 1011;
constexpr int kRow1Disks = 1009;
constexpr int kLowCost = 1093;
constexpr int kSticky = 1099;
constexpr int kPrint = 1100;
constexpr int kNetTotalGb = 1018;
constexpr ReportTime kYesterday{2024, 6, 10, 17, 45, 9};

// Row 1 in RAID1 on vault disks, row 3 in RAID 6: the report's rows 1 and 2.
ConfigSheet computedPlan() {
    ConfigSheet sheet;
    sheet.modelIndex = 6;
    row(sheet, 1) = {1, raid::Raid1, 2, 2, true, {}, {}};
    row(sheet, 3) = {7, raid::Raid6, 6, 3, false, {}, {}};
    RecordingMessageSink silent;
    computeSheet(sheet, silent);
    return sheet;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + '\n';
    }
    return text;
}

class OpenReportTest : public SheetWindowTest {
protected:
    void SetUp() override {
        SheetWindowTest::SetUp();
        ASSERT_TRUE(folder_.isValid());
    }

    std::string path(const char* name) const { return folder_.filePath(name).toStdString(); }

    // Another plan in the window, with Sticky Changes off and a number typed but not captured.
    void startAnotherPlan() {
        click(kLowCost);
        typeOver(kRow1Groups, QStringLiteral("4"));
        click(kSticky);
        typeOver(kRow1Disks, QStringLiteral("7"));
    }

    void drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPointF at(window_->width() / 2.0, 3);
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(window_.get(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(window_.get(), &dropped);
        processEvents();
    }

    QTemporaryDir folder_;
};

TEST_F(OpenReportTest, CtrlOOpensYesterdaysReportAndPrintingAgainGivesTheSameReport) {
    const QList<QAction*> menu = window_->actions();
    ASSERT_FALSE(menu.isEmpty());
    EXPECT_EQ(menu.front()->text(), QStringLiteral("&Open Report..."));
    EXPECT_EQ(menu.front()->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));

    const std::string printed = formatReport(computedPlan(), kYesterday);
    writeFile(path("plan.txt"), printed);
    openChooser_.setAnswer(path("plan.txt"));
    startAnotherPlan();

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
    processEvents();

    EXPECT_EQ(openChooser_.calls(), 1);
    EXPECT_TRUE(messages_.texts().empty());
    EXPECT_EQ(window_->windowTitle(), QStringLiteral("Brimcount"));
    EXPECT_FALSE(sheet().stickyChanges);
    EXPECT_TRUE(window_->disksFieldLocked(1));
    EXPECT_FALSE(edit(kRow1Disks)->isEnabled());
    EXPECT_EQ(text(kRow1Disks), QStringLiteral("2"));
    EXPECT_EQ(text(kNetTotalGb).toStdString(), sheet().netTotalGbText);
    EXPECT_EQ(row(3).groupCount, 0U);

    chooser_.setAnswer(path("again.txt"));
    click(kPrint);
    std::vector<std::string> again = linesOf(readFile(path("again.txt")));
    std::vector<std::string> expected = linesOf(printed);
    ASSERT_EQ(again.size(), expected.size());
    again.erase(again.begin() + 1); // the date of printing
    expected.erase(expected.begin() + 1);
    EXPECT_EQ(again, expected);
}

TEST_F(OpenReportTest, ADropOfOneFileOpensItAndOfTwoFilesIsRefused) {
    writeFile(path("plan.txt"), formatReport(computedPlan(), kYesterday));
    startAnotherPlan();
    const ConfigSheet before = sheet();
    const QUrl file = QUrl::fromLocalFile(QString::fromStdString(path("plan.txt")));

    drop({file, file});
    EXPECT_EQ(messages_.texts(), std::vector<std::string>{std::string(kDropOneFileMessage)});
    EXPECT_TRUE(sameSheet(sheet(), before));
    EXPECT_EQ(text(kRow1Disks), QStringLiteral("7"));

    messages_.clear();
    drop({file});
    EXPECT_TRUE(messages_.texts().empty());
    EXPECT_EQ(sheet().modelIndex, 6);
    EXPECT_EQ(row(2).raidType, raid::Raid6);
}

// ---- refused files ---------------------------------------------------------------------------

enum class Edit { ReplaceLine, Append, KeepLines, Folder, Oversized };

struct RefusedCase {
    const char* what;
    Edit edit;
    int line; // the line replaced, or the number of lines kept
    std::string text;
    std::string message; // the whole message, or its beginning up to the found text
};

const std::string kDataLine =
    "     1        450 G FC        RAID5       5         No    1610.29      1610.29";
const std::string kPrefix = "Not a Brimcount report: line ";

// The plan's report has its definitions on lines 13 and 14.
const std::vector<RefusedCase>& refusedCases() {
    static const std::vector<RefusedCase> cases{
        {"unreadable", Edit::Folder, 0, "", "Could not open input file."},
        {"over 64 KiB", Edit::Oversized, 0, "",
         "Not a Brimcount report: the file should be at most 64 KiB"},
        {"control byte", Edit::ReplaceLine, 6, "Total Net (TB): \x01",
         kPrefix + "6 should be printable ASCII text, found \"Total Net (TB): \\x01\"."},
        {"title", Edit::ReplaceLine, 1, "Tessaryn Brimcalc 4.3", kPrefix + "1 should be"},
        {"rule", Edit::ReplaceLine, 3, std::string(48, '='), kPrefix + "3 should be a rule"},
        {"model", Edit::ReplaceLine, 4, "System Model: Telvar Z",
         kPrefix + "4 should be \"System Model: \" and an array model, found \"System Model: "
                   "Telvar Z\"."},
        {"total", Edit::ReplaceLine, 7, "Total # Disks: five", kPrefix + "7 should be"},
        {"ends early", Edit::KeepLines, 10, "",
         kPrefix + "11 should be the tabbed headings \"#Disks/\" and \"CAPACITY\", found the end "
                   "of the file."},
        {"other family's disk", Edit::ReplaceLine, 13,
         "     1       450 G SAS        RAID5       5         No    1610.29      1610.29",
         kPrefix + "13 should be a disk type for the Telvar B, found \"450 G SAS"},
        {"unknown RAID", Edit::ReplaceLine, 13,
         "     1        450 G FC        RAID7       5         No    1610.29      1610.29",
         kPrefix + "13 should be a RAID type or none, found \"RAID7"},
        {"sign", Edit::ReplaceLine, 14,
         "    +1        450 G FC        RAID5       5         No    1610.29      1610.29",
         kPrefix + "14 should be a definition's number of groups"},
        {"letters", Edit::ReplaceLine, 14,
         "     1        450 G FC        RAID5      5a         No    1610.29      1610.29",
         kPrefix + "14 should be the disks per group"},
        {"33 bits", Edit::ReplaceLine, 13,
         "4294967296        450 G FC        RAID5       5         No    1610.29      1610.29",
         kPrefix + "13 should be a definition's number of groups"},
        {"no groups", Edit::ReplaceLine, 13,
         "     0        450 G FC        RAID5       5         No    1610.29      1610.29",
         kPrefix + "13 should be a definition with at least one group"},
        {"one capacity", Edit::ReplaceLine, 14,
         "     1        450 G FC        RAID5       5         No    1610.29",
         kPrefix + "14 should be two capacities or none"},
        {"vault on the sixth", Edit::Append, 0,
         kDataLine + "\n" + kDataLine + "\n" + kDataLine + "\n" +
             "     1        450 G FC        RAID5       5        Yes    1610.29      1610.29",
         kPrefix + "18 should be \"No\" (only the first five definitions hold the vault)"},
        {"eleven definitions", Edit::Append, 0,
         kDataLine + "\n" + kDataLine + "\n" + kDataLine + "\n" + kDataLine + "\n" + kDataLine +
             "\n" + kDataLine + "\n" + kDataLine + "\n" + kDataLine + "\n" + kDataLine,
         kPrefix + "23 should be a blank line (a report holds at most ten definitions)"},
        {"text after a blank line", Edit::Append, 0, "\nnotes",
         kPrefix + "16 should be a blank line (nothing follows the definitions), found \"notes\"."},
    };
    return cases;
}

TEST_F(OpenReportTest, AFileThatIsNotAReportSaysWhereAndChangesNothing) {
    const std::vector<std::string> report = linesOf(formatReport(computedPlan(), kYesterday));
    startAnotherPlan();
    const ConfigSheet before = sheet();
    for (const RefusedCase& refused : refusedCases()) {
        SCOPED_TRACE(refused.what);
        std::vector<std::string> lines = report;
        switch (refused.edit) {
        case Edit::ReplaceLine:
            lines[static_cast<std::size_t>(refused.line - 1)] = refused.text;
            break;
        case Edit::Append:
            lines.push_back(refused.text);
            break;
        case Edit::KeepLines:
            lines.resize(static_cast<std::size_t>(refused.line));
            break;
        case Edit::Folder:
        case Edit::Oversized:
            lines.resize(kMaxReportBytes / report.size() * 2, report.back());
            break;
        }
        const std::string file =
            refused.edit == Edit::Folder ? folder_.path().toStdString() : path("refused.txt");
        if (refused.edit != Edit::Folder) {
            writeFile(file, joined(lines));
        }
        openChooser_.setAnswer(file);
        messages_.clear();

        window_->handleWindowMenuCommand(kOpenReportCommand);

        ASSERT_EQ(messages_.texts().size(), 1U);
        EXPECT_EQ(messages_.texts().front().substr(0, refused.message.size()), refused.message);
        EXPECT_TRUE(sameSheet(sheet(), before));
        EXPECT_EQ(text(kRow1Disks), QStringLiteral("7")); // not refreshed either
    }
}

} // namespace
} // namespace brim::test
