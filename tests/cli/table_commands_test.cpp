// performance, compare and growth: each JSON holds, key by key, the figures its tab-separated
// table shows (null just where the table shows the dash or nothing), and a sheet that breaks a
// rule still gives its table, the rule said, exit 1.

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
using TableCommandsTest = CliTest;

using Table = std::vector<QStringList>;

Table linesOf(const std::string& tsv) {
    Table table;
    for (const QString& line : QString::fromStdString(tsv).split(u'\n', Qt::SkipEmptyParts)) {
        table.push_back(line.split(u'\t'));
    }
    return table;
}

// A figure reads as its cell: none for the dash or an empty cell, a number rounded as the cell
// is where the cell is a plain number, a name as it stands.
void expectReadsAs(const QJsonValue& figure, const QString& cell, const std::string& where) {
    if (cell.isEmpty() || cell == QStringLiteral("\u2014")) {
        EXPECT_TRUE(figure.isNull()) << where;
        return;
    }
    bool plainNumber = false;
    cell.toDouble(&plainNumber);
    if (figure.isString()) {
        EXPECT_EQ(figure.toString(), cell) << where;
    } else if (plainNumber) {
        const qsizetype point = cell.indexOf(u'.');
        const int decimals = point < 0 ? 0 : static_cast<int>(cell.size() - point - 1);
        EXPECT_EQ(QString::number(figure.toDouble(), 'f', decimals), cell) << where;
    } else {
        EXPECT_TRUE(figure.isDouble()) << where;
    }
}

struct Shape {
    const char* what;
    std::vector<std::string> arguments;
    const char* format;
    QStringList keys; // in the table's column order
};

TEST_F(TableCommandsTest, JsonHoldsTheFiguresTheTableShows) {
    const QStringList growthKeys{"year",       "needTb",       "sizedBy", "groups",   "usableTb",
                                 "hostIops",   "disksToOrder", "arrays",  "buyDisks", "buyArrays",
                                 "purchase",   "kw",           "energy",  "support",  "cost",
                                 "cumulative", "lossPerYear"};
    const Shape cases[] = {
        {"the rows' lines",
         {"performance", BRIM_EXAMPLE},
         "Brimcount performance",
         {"row", "diskType", "raidType", "disksPerGroup", "groups", "hostIops", "mbps",
          "readOnlyMbps", "writeOnlyMbps", "rebuildHours", "readErrorRisk", "lossPerYear"}},
        {"the disks to order",
         {"performance", BRIM_EIGHT_PLANS, "--table", "order"},
         "Brimcount performance",
         {"diskType", "inGroups", "spares", "toOrder", "cost"}},
        {"the schedule", {"growth", BRIM_GROWTH}, "Brimcount growth", growthKeys},
    };
    for (const Shape& c : cases) {
        const Table tsv = linesOf(runCli(c.arguments).out);
        std::vector<std::string> asJson = c.arguments;
        asJson.insert(asJson.end(), {"--format", "json"});
        const CliRun run = runCli(asJson);
        ASSERT_EQ(run.status, 0) << c.what << run.err;
        const QJsonObject json =
            QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
        EXPECT_EQ(json["format"].toString(), QString::fromLatin1(c.format)) << c.what;
        EXPECT_EQ(json["formatVersion"].toInt(), 1) << c.what;
        const QJsonArray lines = json[c.arguments[0] == "growth" ? "years" : "lines"].toArray();
        ASSERT_EQ(static_cast<std::size_t>(lines.size()) + 2, tsv.size())
            << c.what; // headings, total
        for (qsizetype line = 0; line <= lines.size(); ++line) {
            const bool total = line == lines.size();
            const QJsonObject figures = total ? json["total"].toObject() : lines[line].toObject();
            EXPECT_EQ(figures.size(),
                      c.keys.size() - (total ? 1 : 0) + (figures.contains("brokenRule") ? 1 : 0))
                << c.what;
            for (qsizetype column = total ? 1 : 0; column < c.keys.size(); ++column) {
                expectReadsAs(figures[c.keys[column]], tsv[line + 1][column],
                              std::string(c.what) + ": " + c.keys[column].toStdString());
            }
        }
    }
}

// The plans are the columns of the comparison's table and the objects of its JSON.
TEST_F(TableCommandsTest, ComparedPlansHoldTheFiguresTheTableShows) {
    const QStringList keys{"arrayModel",
                           "definitions",
                           "usableGb",
                           "usableTb",
                           "disks",
                           "arraysNeeded",
                           "disksToOrderWithSpares",
                           "arraysWithSpares",
                           "hostIops",
                           "mbps",
                           "worstReadErrorRisk",
                           "chanceOfDataLossAYear",
                           "cost",
                           "costPerUsableTb",
                           "costPer1000HostIops",
                           "costOverYears",
                           "usableTbInLastYear"};
    const Table tsv = linesOf(runCli({"compare", BRIM_EIGHT_PLANS}).out);
    const CliRun run = runCli({"compare", BRIM_EIGHT_PLANS, "--format", "json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject json = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    EXPECT_EQ(json["format"].toString(), QStringLiteral("Brimcount compare"));
    const QJsonArray plans = json["plans"].toArray();
    ASSERT_EQ(plans.size(), 9);
    ASSERT_EQ(tsv.size(), static_cast<std::size_t>(keys.size()) + 1);
    for (qsizetype plan = 0; plan < plans.size(); ++plan) {
        const QJsonObject figures = plans[plan].toObject();
        EXPECT_EQ(figures["name"].toString(), tsv[0][plan + 1]);
        for (qsizetype figure = 0; figure < keys.size(); ++figure) {
            expectReadsAs(figures[keys[figure]], tsv[figure + 1][plan + 1],
                          keys[figure].toStdString());
        }
    }
}

// A row that breaks a rule: its message stands in the lines where the window shows it, the
// schedule is its headings alone, every command says the rule and exits 1.
TEST_F(TableCommandsTest, ABrokenRuleGivesTheTableAllTheSame) {
    Workbook broken = std::get<Workbook>(readWorkbook(readWhole(BRIM_EXAMPLE)));
    broken.sheet.rows[2] = {k450G, kRaid6, 5, 1, false};
    writeWhole(file("broken.brimcount"), formatWorkbook(broken));
    const std::string rule = "Error: RAID6 requires 4 to 16, even number of disks per group";
    const std::string said = file("broken.brimcount") + ": sheet: " + rule + '\n';
    for (const char* command : {"performance", "compare", "growth"}) {
        const CliRun run = runCli({command, file("broken.brimcount")});
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_EQ(run.err, said) << command;
        EXPECT_NE(run.out.find(command == std::string("growth") ? "Year\t" : rule),
                  std::string::npos)
            << command << run.out;
    }
    const CliRun json = runCli({"performance", file("broken.brimcount"), "--format", "json"});
    const QJsonObject lines = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    EXPECT_EQ(lines["brokenRule"].toString(), QString::fromStdString(rule));
    EXPECT_EQ(lines["lines"].toArray()[1].toObject()["brokenRule"].toString(),
              QString::fromStdString(rule));
}

} // namespace
} // namespace brim::test
