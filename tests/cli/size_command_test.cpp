// size: its JSON holds the figures its tab-separated table shows, line by line, and the sheet of
// --add-to-sheet counts only when it computes.

#include "report/workbook.h"
#include "tests/cli/cli_run.h"
#include "tests/support/catalogue_names.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <cmath>
#include <variant>

namespace brim::test {
namespace {

using namespace names;
using SizeCommandTest = CliTest;

std::vector<std::string> sized(std::vector<std::string> more) {
    std::vector<std::string> arguments{"size", "--model", "Telvar A", "--disk", "1 TB ATA"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return arguments;
}

// Over the example's prices and a workload, with the sheet added: a count reads as its cell, a
// capacity rounds to its cell, the dash is null, and every line is there in the same order.
TEST_F(SizeCommandTest, JsonHoldsTheFiguresTheTableShows) {
    const std::vector<std::string> asked =
        sized({"--capacity", "120TB", "--iops", "9000", "--reads", "60", "--survive", "0",
               "--workbook", BRIM_EXAMPLE, "--add-to-sheet"});
    const CliRun tsv = runCli(asked);
    std::vector<std::string> jsonAsked = asked;
    jsonAsked.insert(jsonAsked.end(), {"--format", "json"});
    const CliRun json = runCli(jsonAsked);
    ASSERT_EQ(std::tie(tsv.status, json.status), std::make_tuple(0, 0)) << tsv.err << json.err;

    QStringList lines = QString::fromStdString(tsv.out).split('\n', Qt::SkipEmptyParts);
    const QJsonObject answer =
        QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    EXPECT_EQ(answer["format"].toString(), "Brimcount size");
    EXPECT_EQ(answer["formatVersion"].toInt(), 1);
    EXPECT_TRUE(answer["brokenRule"].isNull());
    const QJsonArray layouts = answer["lines"].toArray();
    ASSERT_GT(layouts.size(), 10);
    ASSERT_EQ(lines.size(), layouts.size() + 1);
    const QStringList headings = lines.takeFirst().split('\t');
    const auto cell = [&](int line, const char* heading) {
        return lines[line].split('\t').value(static_cast<int>(headings.indexOf(heading)));
    };
    for (int i = 0; i < layouts.size(); ++i) {
        const QJsonObject layout = layouts[i].toObject();
        EXPECT_EQ(layout["raidType"].toString(), cell(i, "RAID type")) << i;
        EXPECT_EQ(QString::number(layout["groupsNeeded"].toInteger()), cell(i, "Groups needed"));
        const QJsonObject spares = layout["withSpares"].toObject();
        EXPECT_EQ(QStringLiteral("%1 / %2")
                      .arg(spares["disks"].toInteger())
                      .arg(spares["arrays"].toInteger()),
                  cell(i, "With spares: disks / arrays"));
        EXPECT_EQ(QString::number(layout["usableTb"].toDouble(), 'f', 2), cell(i, "Usable TB"));
        EXPECT_EQ(QString::number(std::round(layout["cost"].toDouble()), 'f', 0), cell(i, "Cost"));
        EXPECT_EQ(layout["rebuildHours"].isNull(), cell(i, "Rebuild h") == QStringLiteral("—"));
    }
}

// A sheet that breaks a rule is not added to: the layouts stand alone, the rule is said and
// kept in the JSON, exit 1. A sheet that already gives the target gives no lines, exit 0.
TEST_F(SizeCommandTest, TheSheetAddsOnlyWhenItComputes) {
    Workbook broken = std::get<Workbook>(readWorkbook(readWhole(BRIM_EXAMPLE)));
    broken.sheet.rows[2] = {k450G, kRaid6, 5, 1, false};
    writeWhole(file("broken.brimcount"), formatWorkbook(broken));
    const std::string rule = "Error: RAID6 requires 4 to 16, even number of disks per group";

    const CliRun alone =
        runCli(sized({"--capacity", "50TB", "--workbook", file("broken.brimcount")}));
    const CliRun added = runCli(
        sized({"--capacity", "50TB", "--workbook", file("broken.brimcount"), "--add-to-sheet"}));
    EXPECT_EQ(added.status, 1);
    EXPECT_EQ(added.err, file("broken.brimcount") + ": sheet: " + rule + '\n');
    EXPECT_EQ(added.out, alone.out);
    const CliRun json = runCli(sized({"--capacity", "50TB", "--workbook", file("broken.brimcount"),
                                      "--add-to-sheet", "--format", "json"}));
    EXPECT_EQ(QJsonDocument::fromJson(QByteArray::fromStdString(json.out))["brokenRule"].toString(),
              QString::fromStdString(rule));

    const CliRun reached =
        runCli(sized({"--capacity", "1TB", "--workbook", BRIM_EXAMPLE, "--add-to-sheet"}));
    EXPECT_EQ(reached.status, 0);
    EXPECT_EQ(reached.err, "The sheet already gives 2.09 TB.\n");
    EXPECT_EQ(std::count(reached.out.begin(), reached.out.end(), '\n'), 1);
}

} // namespace
} // namespace brim::test
