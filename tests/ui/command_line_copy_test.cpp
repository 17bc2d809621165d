// The command line's tables are the window's copies: Ctrl+Shift+C in Size for Capacity, every
// column shown, against `brimcount-cli size --format tsv` for the same inputs, byte for byte; and
// so for Sheet Performance's three tables, Compare Plans and Growth Plan over a workbook.

#include "report/workbook.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/control_names.h"
#include "tests/ui/sheet_window_fixture.h"
#include "ui/capacity_table.h"
#include "ui/capacity_window.h"
#include "ui/plan_keeping.h"
#include "ui/window_menu.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QProcess>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <utility>
#include <variant>
#include <vector>

namespace brim::test {
namespace {

using namespace controls;
using namespace names;

// What the planner types and picks in Size for Capacity, and the same as the command's options.
struct SizeAsked {
    const char* what;
    const char* workbook; // opened in the window first; none: the empty sheet of a Telvar A
    int diskIndex;        // in the window's list
    const char* capacity;
    int unit; // in the window's list: 0 GB, 1 TB
    const char* hostIops;
    const char* reads;
    int failures;
    QStringList options;
};

QString commandTable(const QStringList& arguments) {
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    cli.setProcessEnvironment(environment);
    cli.start(QStringLiteral(BRIMCOUNT_CLI), arguments);
    EXPECT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    return QString::fromUtf8(cli.readAllStandardOutput());
}

class CommandLineCopyTest : public SheetWindowTest {
protected:
    // In a fresh main window, as the command line starts afresh each time.
    QString windowTable(const SizeAsked& asked) {
        window_ = std::make_unique<SheetWindow>(&messages_, &chooser_, &openChooser_);
        window_->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        if (asked.workbook) {
            window_->planKeeping().openFile(asked.workbook);
        }
        QString copied;
        QTimer::singleShot(0, window_.get(), [&] {
            auto* sizing = qobject_cast<CapacityWindow*>(QApplication::activeModalWidget());
            ASSERT_NE(sizing, nullptr);
            watchdog_.allow(sizing);
            const auto field = [&](const char* name) {
                return sizing->findChild<QLineEdit*>(QString::fromLatin1(name));
            };
            sizing->findChild<QComboBox*>("diskType")->setCurrentIndex(asked.diskIndex);
            sizing->findChild<QComboBox*>("unit")->setCurrentIndex(asked.unit);
            sizing->findChild<QComboBox*>("failures")->setCurrentIndex(asked.failures);
            sizing->findChild<QCheckBox*>("addToSheet")->setChecked(asked.workbook != nullptr);
            field("readPercent")->setText(QString::fromLatin1(asked.reads));
            field("hostIops")->setText(QString::fromLatin1(asked.hostIops));
            field("capacity")->setText(QString::fromLatin1(asked.capacity));
            auto* table = sizing->findChild<CapacityTableView*>("layouts");
            table->setHiddenColumns({});
            table->setFocus();
            QTest::keyClick(table, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
            copied = QApplication::clipboard()->text();
            sizing->reject();
        });
        window_->handleWindowMenuCommand(kSizeForCapacityCommand);
        return copied;
    }

    // Ctrl+Shift+C on the table `table` of the window that `command` opens over `workbook`,
    // after `typed` is typed into the window's fields (by object name).
    QString windowCopy(const char* workbook, int command, const char* table,
                       const std::vector<std::pair<const char*, const char*>>& typed = {}) {
        window_ = std::make_unique<SheetWindow>(&messages_, &chooser_, &openChooser_);
        window_->show();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
        window_->planKeeping().openFile(workbook);
        QString copied;
        QTimer::singleShot(0, window_.get(), [&] {
            auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(shown, nullptr);
            watchdog_.allow(shown);
            for (const auto& [field, text] : typed) {
                shown->findChild<QLineEdit*>(QString::fromLatin1(field))
                    ->setText(QString::fromLatin1(text));
            }
            auto* view = shown->findChild<QTableView*>(QString::fromLatin1(table));
            view->setFocus();
            QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
            copied = QApplication::clipboard()->text();
            shown->reject();
        });
        window_->handleWindowMenuCommand(command);
        return copied;
    }
};

struct TableAsked {
    const char* what;
    const char* workbook;
    int command;
    const char* table;
    std::vector<std::pair<const char*, const char*>> typed;
    QStringList arguments; // the command, then the workbook goes in, then its options
};

TEST_F(CommandLineCopyTest, TablesAreTheWindowsCopies) {
    // The 73 G disk, which the first rows' lists spell their own ways.
    QTemporaryDir dir;
    const std::string ownNames = dir.filePath(QStringLiteral("own_names.brimcount")).toStdString();
    QFile example(QStringLiteral(BRIM_EXAMPLE_WORKBOOK));
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    Workbook workbook = std::get<Workbook>(readWorkbook(example.readAll().toStdString()));
    workbook.sheet.rows[0].diskType = k73G;
    workbook.sheet.rows[1] = {k73G, kRaid5, 5, 2, false};
    QFile written(QString::fromStdString(ownNames));
    ASSERT_TRUE(written.open(QIODevice::WriteOnly));
    written.write(QByteArray::fromStdString(formatWorkbook(workbook)));
    written.close();
    const TableAsked cases[] = {
        {"performance lines",
         BRIM_EXAMPLE_WORKBOOK,
         kSheetPerformanceCommand,
         "lines",
         {},
         {"performance"}},
        {"the disks to order",
         BRIM_EIGHT_PLANS_WORKBOOK,
         kSheetPerformanceCommand,
         "order",
         {},
         {"performance", "--table", "order"}},
        {"the disks' figures",
         BRIM_EXAMPLE_WORKBOOK,
         kSheetPerformanceCommand,
         "figures",
         {},
         {"performance", "--table", "figures"}},
        {"eight plans compared",
         BRIM_EIGHT_PLANS_WORKBOOK,
         kComparePlansCommand,
         "comparison",
         {},
         {"compare"}},
        {"the years ahead, three of them at 35 %",
         BRIM_GROWTH_WORKBOOK,
         kGrowthPlanCommand,
         "schedule",
         {{"years", "3"}, {"capacityGrowth", "35"}},
         {"growth", "--years", "3", "--growth", "35"}},
    };
    for (const TableAsked& c : cases) {
        const QString copied = windowCopy(c.workbook, c.command, c.table, c.typed);
        EXPECT_GT(copied.count(u'\n'), 2) << c.what;
        QStringList arguments = c.arguments;
        arguments.insert(1, QString::fromLatin1(c.workbook));
        EXPECT_EQ(commandTable(arguments).toStdString(), copied.toStdString()) << c.what;
    }
}

TEST_F(CommandLineCopyTest, SizeTableIsTheWindowsCopyOfEveryLine) {
    const SizeAsked cases[] = {
        {"200 TB of 1 TB ATA",
         nullptr,
         7,
         "200",
         1,
         "",
         "70",
         1,
         {"--model", "Telvar A", "--disk", "1 TB ATA", "--capacity", "200TB"}},
        {"a workload on the example's priced sheet, no failure asked",
         BRIM_EXAMPLE_WORKBOOK,
         4,
         "512",
         0,
         "20000",
         "60",
         0,
         {"--model", "Telvar A", "--disk", "450 G FC", "--capacity", "512GB", "--iops", "20000",
          "--reads", "60", "--survive", "0", "--workbook", BRIM_EXAMPLE_WORKBOOK,
          "--add-to-sheet"}},
    };
    for (const SizeAsked& c : cases) {
        const QString copied = windowTable(c);
        EXPECT_GT(copied.count(u'\n'), 5) << c.what;
        EXPECT_EQ(commandTable(QStringList{"size"} + c.options).toStdString(), copied.toStdString())
            << c.what;
    }
    EXPECT_TRUE(messages_.texts().empty());
}

} // namespace
} // namespace brim::test
