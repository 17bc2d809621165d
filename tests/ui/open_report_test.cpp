#include "report/report.h"
#include "report/report_reader.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/control_names.h"
#include "tests/support/fake_sheet_view.h"
#include "tests/ui/sheet_window_fixture.h"
#include "ui/window_menu.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <fstream>
#include <string>
#include <vector>

namespace brim::test {
namespace {

using namespace controls;
using namespace names;

constexpr ReportTime kYesterday{2024, 6, 10, 17, 45, 9};

// Row 1 in RAID1 on vault disks, row 3 in RAID 6: the report's rows 1 and 2.
ConfigSheet computedPlan() {
    ConfigSheet sheet;
    sheet.modelIndex = kTelvarB;
    row(sheet, 1) = {k146G, kRaid1, 2, 2, true, {}, {}};
    row(sheet, 3) = {k1TbAta, kRaid6, 6, 3, false, {}, {}};
    RecordingMessageSink silent;
    computeSheet(sheet, silent);
    return sheet;
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class OpenReportTest : public SheetWindowTest {
protected:
    std::string path(const char* name) const { return folder_.filePath(name).toStdString(); }

    // Another plan in the window, with Sticky Changes off and a number typed but not captured.
    void startAnotherPlan() {
        click(kLowCost);
        typeOver(groupsFieldOf(1), QStringLiteral("4"));
        click(kSticky);
        typeOver(disksFieldOf(1), QStringLiteral("7"));
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
    EXPECT_EQ(menu.front()->text(), QStringLiteral("&Open..."));
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
    EXPECT_FALSE(edit(disksFieldOf(1))->isEnabled());
    EXPECT_EQ(text(disksFieldOf(1)), QStringLiteral("2"));
    EXPECT_EQ(text(kNetTotalGb).toStdString(), sheet().netTotalGbText);
    EXPECT_EQ(formatReport(sheet(), kYesterday), printed);
}

TEST_F(OpenReportTest, ADropOfOneFileOpensItAndOfTwoFilesIsRefused) {
    writeFile(path("plan.txt"), formatReport(computedPlan(), kYesterday));
    startAnotherPlan();
    const ConfigSheet before = sheet();
    const QUrl file = QUrl::fromLocalFile(QString::fromStdString(path("plan.txt")));

    drop({file, file});
    EXPECT_EQ(messages_.texts(), std::vector<std::string>{std::string(kDropOneFileMessage)});
    EXPECT_TRUE(sameSheet(sheet(), before));
    EXPECT_EQ(text(disksFieldOf(1)), QStringLiteral("7"));

    messages_.clear();
    drop({file});
    EXPECT_TRUE(messages_.texts().empty());
    EXPECT_EQ(sheet().modelIndex, kTelvarB);
    EXPECT_EQ(row(2).raidType, kRaid6);
}

// The messages of every kind of refused file are the report reader's own tests.
TEST_F(OpenReportTest, AFileThatIsNotAReportSaysWhereAndChangesNothing) {
    std::string report = formatReport(computedPlan(), kYesterday);
    startAnotherPlan();
    const ConfigSheet before = sheet();
    const auto refusedWith = [&](const std::string& file, const std::string& message) {
        openChooser_.setAnswer(file);
        messages_.clear();
        window_->handleWindowMenuCommand(kOpenReportCommand);
        ASSERT_EQ(messages_.texts().size(), 1U);
        EXPECT_EQ(messages_.texts().front().substr(0, message.size()), message);
        EXPECT_TRUE(sameSheet(sheet(), before));
        EXPECT_EQ(text(disksFieldOf(1)), QStringLiteral("7")); // not refreshed either
    };
    writeFile(path("refused.txt"), report.replace(report.find("Telvar B"), 8, "Telvar Z"));
    refusedWith(path("refused.txt"), "Not a Brimcount report: line 4 should be like");
    refusedWith(folder_.path().toStdString(),
                "Could not open " + folder_.path().toStdString() + ": Is a directory.");
    writeFile(path("large.txt"), report + std::string(kMaxReportBytes, '\n'));
    refusedWith(path("large.txt"), "Not a Brimcount report: the file should be at most 64 KiB");
}

} // namespace
} // namespace brim::test
