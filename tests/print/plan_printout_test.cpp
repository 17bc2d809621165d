// The printed plan: the README's three-row plan with two kept plans written as a PDF, read back
// with pdftotext (poppler-utils), section by section; the tables' rows against the page breaks
// of short pages.

#include "commands/digit_grouping.h"
#include "commands/plan_comparison.h"
#include "commands/plan_document.h"
#include "commands/planner_units.h"
#include "commands/row_commands.h"
#include "commands/sheet_performance_plan.h"
#include "core/data_loss.h"
#include "core/plan_cost.h"
#include "core/units.h"
#include "print/plan_printout.h"
#include "print/qt_text.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/recording_sink.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QGuiApplication>
#include <QLocale>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <gtest/gtest.h>
#include <map>

namespace brim::test {
namespace {

using namespace names;

void setRow(ConfigSheet& sheet, int row, GroupLayout layout, bool vault = false) {
    GroupDefinition& definition = sheet.rows[static_cast<std::size_t>(row - 1)];
    definition.diskType = layout.diskType;
    definition.raidType = layout.raidType;
    definition.disksPerGroup = layout.disksPerGroup;
    definition.groupCount = layout.groupCount;
    definition.includesVault = vault;
}

ConfigSheet computed(ConfigSheet sheet) {
    RecordingSink messages;
    computeSheet(sheet, messages);
    return sheet;
}

// The README's example: 32139.73 GB on one Telvar A.
ConfigSheet readmePlan() {
    ConfigSheet sheet;
    sheet.modelIndex = kTelvarA;
    setRow(sheet, 1, {k450G, kRaid5, 5, 1}, true);
    setRow(sheet, 2, {k450G, kRaid10, 8, 10});
    setRow(sheet, 3, {k1TbAta, kRaid6, 6, 4});
    return computed(sheet);
}

PlanningAssumptions pricedAssumptions() {
    PlanningAssumptions assumptions;
    assumptions.prices.setDiskHundredths(k450G, 45'000);        // 450
    assumptions.prices.setArrayHundredths(kTelvarA, 2'500'000); // 25000
    assumptions.rebuildWait.setHoursBeforeRebuild(24);
    return assumptions;
}

std::vector<KeptPlan> keptPlans() {
    ConfigSheet ata;
    ata.modelIndex = kMorvikB;
    setRow(ata, 1, {k1TbAta, kRaid5, 5, 12});
    return {{"All FC mirrors", readmePlan()}, {"Morvik ATA", computed(ata)}};
}

// Blank runs made one space, so that a table line reads as its cells in order.
QString squeezed(const QString& text) {
    return text.split(u'\n')
        .replaceInStrings(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "))
        .join(u'\n');
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(30'000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << program.toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pdfText(const QString& pdf, int page = 0) {
    QStringList arguments{QStringLiteral("-layout")};
    if (page != 0) {
        arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                  << QString::number(page);
    }
    return squeezed(run(QStringLiteral("pdftotext"), arguments << pdf << QStringLiteral("-")));
}

int pdfPages(const QString& pdf) {
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return pages.hasMatch() ? pages.captured(1).toInt() : 0;
}

class PlanPrintoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        }
        ASSERT_TRUE(folder_.isValid());
        pdf_ = folder_.filePath(QStringLiteral("plan.pdf"));
        QPdfWriter writer(pdf_);
        writer.setPageSize(QPageSize(QPageSize::A4));
        preparePlanPage(writer);
        pages_ = printPlanDocument(document(), QGuiApplication::font(), writer);
    }

    PlanDocument document() const {
        return planDocument(
            {sheet_, assumptions_, names_, kept_, std::nullopt, {2026, 8, 12}, separator_});
    }

    // Costs and counts as the page groups them, with the program's locale.
    QString grouped(const std::string& text) const {
        return toQString(groupDigits(text, separator_));
    }
    QString grouped(const QString& text) const { return grouped(text.toStdString()); }

    // The text from the line that is the heading to the next line that is `next`.
    QString section(const QString& heading, const QString& next) const {
        const QString all = u'\n' + pdfText(pdf_);
        const qsizetype start = all.indexOf(u'\n' + heading + u'\n');
        const qsizetype end = next.isEmpty() ? all.size() : all.indexOf(u'\n' + next + u'\n');
        EXPECT_GE(start, 0) << heading.toStdString();
        EXPECT_GT(end, start) << next.toStdString();
        return all.mid(start, end - start);
    }

    const ConfigSheet sheet_ = readmePlan();
    const PlanningAssumptions assumptions_ = pricedAssumptions();
    const RowDiskNames names_ = RowDiskNames{};
    const std::vector<KeptPlan> kept_ = keptPlans();
    const std::string separator_ = QLocale().groupSeparator().toStdString();
    QTemporaryDir folder_;
    QString pdf_;
    int pages_ = 0;
};

// Every figure the windows show for the plan, under the heading of its section. The delivery,
// the loss and the cost are taken from the functions behind the windows.
TEST_F(PlanPrintoutTest, EachSectionHoldsItsFiguresOfTheReadmePlan) {
    PlanningAssumptions edited = assumptions_;
    const SheetPerformancePlan performance(sheet_, edited, names_);
    QStringList delivered;
    for (const PerformanceTextLine& line : performance.performanceLines()) {
        QStringList cells;
        for (const std::string& cell : line.cells) {
            if (!cell.empty()) {
                cells << toQString(cell);
            }
        }
        delivered << grouped(cells.join(u' '));
    }
    QStringList ordered;
    for (const OrderTextLine& line : performance.orderLines()) {
        QStringList cells;
        for (const std::string& cell : line) {
            if (!cell.empty()) {
                cells << toQString(cell);
            }
        }
        ordered << grouped(cells.join(u' '));
    }
    ordered << toQString(performance.arraysLine());
    const ComparedColumn mirrors = compareColumn(kept_[0].name, kept_[0].sheet, assumptions_, {});
    const auto compared = [&](PlanFigure figure) { return grouped(mirrors[figure].text); };
    const SheetLoss loss = sheetLoss(sheet_, assumptions_);
    const PlanCost cost = sheetCost(sheet_, assumptions_);

    struct SectionCase {
        QString heading;
        QString next;
        QStringList texts;
    };
    const std::vector<SectionCase> cases{
        {"Brimcount plan for a Telvar A, 12 August 2026", "The sheet", {}},
        {"The sheet",
         "What the sheet delivers",
         {"System Model: Telvar A.", "1 450 G FC RAID5 5 Yes 1362.42 1362.42",
          "10 450 G FC RAID1/0 8 No 1610.29 16102.92", "4 1 TB ATA RAID 6 6 No 3668.60 14674.39",
          "Total Net (GB) 32139.73", "Total Net (TB) 31.39", "Total Disks 109", "Arrays Needed 1"}},
        {"What the sheet delivers", "Disks to order", QStringList{"at 70 % reads"} + delivered},
        {"Disks to order", "Risk and cost",
         QStringList{"One hot spare per 30 disks of each type in use, at least 1 of each."} +
             ordered},
        {"Risk and cost",
         "Kept plans",
         {"the whole plan: " + toQString(formatLossChance(loss.planChance)),
          "1 450 G FC RAID5 1 " + toQString(formatLossChance(loss.lines[0].groupChance)),
          "Cost of the disks to order, spares included, and the arrays they need: " +
              grouped(formatCost(cost.cost)),
          "Cost per usable TB: " + grouped(formatCostPer(*cost.perUsableTib)),
          "Cost per 1000 host IOPS: " + grouped(formatCostPer(*cost.perThousandHostIops)),
          "Not priced, so left out of the cost: 1 TB ATA disks."}},
        {"Kept plans",
         "Assumptions",
         {"All FC mirrors Telvar A 31.39 " + ordered[ordered.size() - 2].section(u' ', 3, 3) +
              " / 1 " + delivered.back().section(u' ', 1, 2) + ' ' +
              compared(PlanFigure::LossChance) + ' ' + compared(PlanFigure::Cost) + ' ' +
              compared(PlanFigure::CostPerUsableTb) + ' ' +
              compared(PlanFigure::CostPerThousandIops),
          "Morvik ATA Morvik B", "Usable TB of each kept plan"}},
        {"Assumptions",
         "",
         {"450 G FC 180 90 10^16 50 2% 12 450", "1 TB ATA 80 60 10^15 50 3% 10 not priced",
          "Price per array: Telvar A " + grouped(std::string("25000")) + "; Morvik B not priced.",
          "Reads: 70 % of host operations", "Hours before a rebuild starts: 24."}},
    };
    for (const SectionCase& c : cases) {
        const QString text = section(c.heading, c.next);
        for (const QString& expected : c.texts) {
            EXPECT_TRUE(text.contains(expected))
                << c.heading.toStdString() << " lacks \"" << expected.toStdString() << "\" in\n"
                << text.toStdString();
        }
    }
}

// Three A4 pages for this plan, each saying which it is.
TEST_F(PlanPrintoutTest, EveryPageCarriesItsNumberOfTheCount) {
    EXPECT_EQ(pages_, 3);
    EXPECT_EQ(pdfPages(pdf_), pages_);
    for (int page = 1; page <= pages_; ++page) {
        EXPECT_TRUE(pdfText(pdf_, page).contains(toQString(pageFooterText(page, pages_))))
            << "page " << page;
    }
}

struct PdfWord {
    QString text;
    double left, right;
};

// The words of the PDF by the line they stand on (page and height), left to right.
std::map<std::pair<int, long>, std::vector<PdfWord>> pdfLines(const QString& pdf) {
    static const QRegularExpression item(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)"[^>]*>([^<]*)</word>)re"));
    std::map<std::pair<int, long>, std::vector<PdfWord>> lines;
    int page = 0;
    for (const auto& m : item.globalMatch(run(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"}))) {
        page += m.captured(1).isEmpty() ? 1 : 0;
        if (!m.captured(1).isEmpty()) {
            lines[{page, std::lround(m.captured(2).toDouble() * 2)}].push_back(
                {m.captured(4), m.captured(1).toDouble(), m.captured(3).toDouble()});
        }
    }
    for (auto& [at, words] : lines) {
        std::ranges::sort(words, {}, &PdfWord::left);
    }
    return lines;
}

QStringList wordsOf(const std::string& text) {
    return toQString(text).split(u' ', Qt::SkipEmptyParts);
}

// Every line of every table found on the page by its words: a figure's cells end at one edge, a
// name's cells (the columns named here) begin at one.
TEST_F(PlanPrintoutTest, FiguresAlignRightAndNamesLeft) {
    const auto lines = pdfLines(pdf_);
    const QStringList names{"Disk Type", "RAID Type", "Vault", "Totals", "Plan", "Model"};
    int tables = 0;
    for (const DocumentSection& section : document().sections) {
        for (const DocumentBlock& block : section.blocks) {
            const auto* table = std::get_if<DocumentTable>(&block);
            if (table == nullptr || table->lines.size() < 2) {
                continue;
            }
            ++tables;
            std::vector<std::vector<double>> edges(table->headings.size()); // per column
            for (const DocumentLine& line : table->lines) {
                QStringList expected;
                for (const std::string& cell : line.cells) {
                    expected << wordsOf(cell);
                }
                const auto found = std::ranges::find_if(lines, [&](const auto& entry) {
                    return std::ranges::equal(entry.second, expected, {}, &PdfWord::text);
                });
                ASSERT_NE(found, lines.end()) << expected.join(u' ').toStdString();
                auto word = found->second.begin();
                for (std::size_t c = 0; c < line.cells.size() && !line.acrossRest; ++c) {
                    const auto n = wordsOf(line.cells[c]).size();
                    const bool name = names.contains(toQString(table->headings[c]));
                    if (n != 0) {
                        edges[c].push_back(name ? word->left : word[n - 1].right);
                    }
                    word += n;
                }
            }
            for (std::size_t c = 0; c < edges.size(); ++c) {
                const auto [low, high] = std::ranges::minmax(edges[c]);
                EXPECT_LT(high - low, 0.5) << section.heading << ", " << table->headings[c];
            }
        }
    }
    EXPECT_EQ(tables, 9);
}

// Ten columns headed "MB/s" on a page 30 mm wide between its margins, narrower than the
// headings: each wraps between words only, never after its slash.
TEST(PlanLayoutTest, HeadingsNarrowerThanTheirWordsWrapNotAfterASlash) {
    const DocumentTable table{std::vector<std::string>(10, "MB/s"),
                              std::vector<bool>(10, true),
                              {{std::vector<std::string>(10, "1")}}};
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setPageSize(QPageSize(QSizeF(60, 100), QPageSize::Millimeter));
    preparePlanPage(writer);
    const auto text = planTextDocument({"", {{"", {table}}}}, QGuiApplication::font(), writer);
    int lines = 0;
    for (QTextBlock block = text->begin(); block.isValid(); block = block.next()) {
        for (int l = 0; l < block.layout()->lineCount(); ++l, ++lines) {
            const QTextLine line = block.layout()->lineAt(l);
            EXPECT_FALSE(block.text().mid(line.textStart(), line.textLength()).endsWith(u'/'));
        }
    }
    EXPECT_GE(lines, 20);
}

// The page on which a block's text begins, or ends.
int pageOf(const QTextDocument& text, const QTextBlock& block, bool end = false) {
    const QRectF rect = text.documentLayout()->blockBoundingRect(block);
    return static_cast<int>((end ? rect.bottom() - 1 : rect.top()) / text.pageSize().height());
}

// The page each row of a table is on; -1 for a row split by a break: a cell's text ending on
// another page than it begins, or the cells beginning on different pages.
std::vector<int> rowPages(const QTextDocument& text, QTextTable& table) {
    std::vector<int> pages(static_cast<std::size_t>(table.rows()), -2);
    for (int r = 0; r < table.rows(); ++r) {
        int& page = pages[static_cast<std::size_t>(r)];
        for (int c = 0; c < table.columns(); c += table.cellAt(r, c).columnSpan()) {
            const QTextTableCell cell = table.cellAt(r, c);
            const int top = pageOf(text, cell.firstCursorPosition().block());
            const bool whole = top == pageOf(text, cell.lastCursorPosition().block(), true);
            page = whole && (page == -2 || page == top) ? top : -1;
        }
    }
    return pages;
}

// Fourteen kept plans on pages 100 to 200 mm tall, so that the breaks fall at many places: no
// table row is ever split, no section heading ends a page, and some tables do cross a break.
// (On the shorter pages the chart of fourteen bars is drawn smaller, to fit a page.)
TEST(PlanLayoutTest, PageBreaksSplitNoRowAndLeaveNoHeadingLast) {
    std::vector<KeptPlan> kept;
    for (int k = 0; k < 7; ++k) {
        for (KeptPlan plan : keptPlans()) {
            kept.push_back({plan.name + ' ' + std::to_string(k), plan.sheet});
        }
    }
    const PlanDocument document = planDocument(
        {readmePlan(), pricedAssumptions(), RowDiskNames{}, kept, std::nullopt, {2026, 8, 12}});
    QStringList headings;
    for (const DocumentSection& section : document.sections) {
        headings << toQString(section.heading);
    }
    int tablesAcrossABreak = 0;
    for (int heightMm = 100; heightMm <= 200; heightMm += 10) {
        QBuffer pdf;
        pdf.open(QIODevice::WriteOnly);
        QPdfWriter writer(&pdf);
        writer.setPageSize(QPageSize(QSizeF(210, heightMm), QPageSize::Millimeter));
        preparePlanPage(writer);
        const auto text = planTextDocument(document, QGuiApplication::font(), writer);
        for (QTextFrame* frame : text->rootFrame()->childFrames()) {
            const std::vector<int> pages = rowPages(*text, *qobject_cast<QTextTable*>(frame));
            EXPECT_EQ(std::ranges::count(pages, -1), 0) << heightMm << " mm";
            tablesAcrossABreak += pages.front() != pages.back() ? 1 : 0;
        }
        for (QTextBlock block = text->begin(); block.isValid(); block = block.next()) {
            if (headings.contains(block.text())) {
                EXPECT_EQ(pageOf(*text, block), pageOf(*text, block.next()))
                    << heightMm << " mm, " << block.text().toStdString();
            }
        }
    }
    EXPECT_GT(tablesAcrossABreak, 0);
}

} // namespace
} // namespace brim::test
