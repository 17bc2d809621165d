#include "report/report.h"
#include "report/sheet_table.h"
#include "tests/report/report_test_support.h"
#include "tests/support/catalogue_names.h"

#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace brim {
namespace {

using test::setRow;
using test::setTotals;
using test::WantedRow;
using namespace test::names;

constexpr ReportTime kMarchMorning{2008, 3, 7, 9, 5, 3};
constexpr ReportTime kDecemberAfternoon{2009, 12, 12, 14, 30, 0};

std::string readGolden(const std::string& name) {
    std::ifstream in(std::string(BRIM_REPORT_GOLDEN_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << "missing golden file " << name;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos;
         end = text.find('\n', start)) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    EXPECT_EQ(start, text.size()) << "text after the last line end";
    return lines;
}

std::string lastLine(const std::string& text) {
    return splitLines(text).back();
}

std::string blanks(std::size_t n) {
    return std::string(n, ' ');
}

// --- Whole reports against golden files ------------------------------------------------------

ConfigSheet computedEmptySheet() {
    ConfigSheet sheet;
    setTotals(sheet, "    0.00", "    0.00", "0", "0");
    return sheet;
}

ConfigSheet workedExampleSheet() {
    ConfigSheet sheet;
    setTotals(sheet, " 1610.29", "    1.57", "5", "1");
    setRow(sheet, {0, 1, k450G, kRaid5, 5, false, " 1610.29", " 1610.29"});
    return sheet;
}

ConfigSheet zundaSheet() {
    ConfigSheet sheet;
    sheet.modelIndex = kZundaS;
    setTotals(sheet, " 9999.95", "    9.77", "23", "1");
    setRow(sheet, {0, 2, k146G, kRaid5, 5, false, "  533.47", " 1066.94"});
    setRow(sheet, {1, 3, k450G, kRaid1, 2, true, "  402.30", " 1206.89"});
    setRow(sheet, {2, 1, k750GAta, kRaid6, 6, false, " 2750.24", " 2750.24"});
    setRow(sheet, {3, 4, k1TbAta, kIndivDisk, 1, false, "  916.87", " 3667.46"});
    return sheet;
}

ConfigSheet orlenSheet() {
    ConfigSheet sheet;
    sheet.modelIndex = kMorvikB;
    setTotals(sheet, "  999.00", "    0.98", "8", "1");
    const char* texts[] = {"   66.61", "  133.65", "  268.37", "  366.76",
                           "  402.57", "  458.56", "  687.86", "  917.15"};
    for (int disk = 0; disk < 8; ++disk) {
        setRow(sheet, {disk, 1, disk, kIndivDisk, 1, false, texts[disk], texts[disk]});
    }
    return sheet;
}

// Every RAID type, none chosen in row 8, vault ticked in rows 1, 3, 5 and (as no control can
// do) in rows 6 to 10, which have no vault box and must still read "No".
ConfigSheet raidAndVaultSheet() {
    ConfigSheet sheet;
    sheet.modelIndex = kTelvarD;
    setTotals(sheet, " 1234.56", "    1.21", "60", "1");
    const std::uint32_t disks[] = {3, 2, 4, 5, 9, 6, 1, 5, 3, 3};
    const int raids[] = {kRaid0, kRaid1,     kRaid10,     kRaid3, kRaid5,
                         kRaid6, kIndivDisk, kNoRaidType, kRaid5, kRaid5};
    const char* perGroup[] = {"    1.00", "    2.00", "    3.00", "    4.00", "    5.00",
                              "    6.00", "    7.00", "    0.00", "    9.00", "   10.00"};
    const char* subtotal[] = {"    1.00", "    4.00", "    9.00", "   16.00", "   25.00",
                              "   36.00", "   49.00", "    0.00", "   81.00", "  100.00"};
    for (int i = 0; i < kRowCount; ++i) {
        const bool vault = i == 0 || i == 2 || i >= 4;
        setRow(sheet, {i, static_cast<std::uint32_t>(i + 1), k1TbAta, raids[i], disks[i], vault,
                       perGroup[i], subtotal[i]});
    }
    return sheet;
}

ConfigSheet beforeComputeSheet() {
    ConfigSheet sheet;
    setRow(sheet, {0, 1, k450G, kRaid5, 5, false, "", ""});
    setRow(sheet, {2, 3, k300G, kNoRaidType, 0, false, "", ""});
    return sheet;
}

// Row 2 broke the RAID5 rule: its texts read 0.00, row 3 keeps the texts of an older Compute.
ConfigSheet failedComputeSheet() {
    ConfigSheet sheet;
    setTotals(sheet, "Error", "Error", "Error", "");
    setRow(sheet, {0, 1, k450G, kRaid5, 5, false, " 1610.29", " 1610.29"});
    setRow(sheet, {1, 2, k450G, kRaid5, 2, false, "    0.00", "    0.00"});
    setRow(sheet, {2, 1, k146G, kRaid1, 2, false, "  100.00", "  100.00"});
    return sheet;
}

ConfigSheet overlongSheet() {
    ConfigSheet sheet;
    sheet.modelIndex = kTelvarD;
    setTotals(sheet, "1234567890123.45", "1177375.69", "960", "1");
    setRow(sheet, {0, 60, k1TbAta, kRaid6, 16, false, "  12840.09", "1234567890123.45"});
    setRow(sheet, {1, 1, k1TbAta, kRaid6, 16, false, "123456789012.00", "  770405.30"});
    return sheet;
}

ConfigSheet skippedRowsSheet() {
    ConfigSheet sheet;
    setTotals(sheet, "  100.00", "    0.10", "33", "1");
    setRow(sheet, {1, 7, k146G, kRaid5, 3, false, "   10.00", "   70.00"});
    setRow(sheet, {4, 3, k300G, kRaid10, 4, true, "    5.00", "   15.00"});
    setRow(sheet, {8, 12, k400G, kRaid0, 3, false, "    1.00", "   12.00"});
    return sheet;
}

// Copy Sheet's table carries no time.
std::string sheetTable(const ConfigSheet& sheet, const ReportTime&) {
    return formatSheetTable(sheet);
}

struct GoldenCase {
    const char* golden;
    std::function<ConfigSheet()> sheet;
    ReportTime time;
    std::string (*format)(const ConfigSheet&, const ReportTime&) = formatReport;
};

void PrintTo(const GoldenCase& c, std::ostream* os) {
    *os << c.golden;
}

class GoldenReport : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenReport, MatchesGoldenFile) {
    const GoldenCase& c = GetParam();
    EXPECT_EQ(c.format(c.sheet(), c.time), readGolden(c.golden));
}

INSTANTIATE_TEST_SUITE_P(
    Reports, GoldenReport,
    ::testing::Values(GoldenCase{"no_groups.txt", computedEmptySheet, kDecemberAfternoon},
                      GoldenCase{"worked_example.txt", workedExampleSheet, kMarchMorning},
                      GoldenCase{"zunda_names.txt", zundaSheet, kMarchMorning},
                      GoldenCase{"orlen_names.txt", orlenSheet, kMarchMorning},
                      GoldenCase{"raid_types_and_vault.txt", raidAndVaultSheet, kDecemberAfternoon},
                      GoldenCase{"before_compute.txt", beforeComputeSheet, kMarchMorning},
                      GoldenCase{"failed_compute.txt", failedComputeSheet, kMarchMorning},
                      GoldenCase{"overlong_capacity.txt", overlongSheet, kMarchMorning},
                      GoldenCase{"skipped_rows.txt", skippedRowsSheet, kMarchMorning},
                      GoldenCase{"overlong_capacity_table.tsv", overlongSheet, {}, sheetTable}),
    [](const auto& info) {
        std::string name = info.param.golden;
        return name.substr(0, name.find('.'));
    });

// --- Shape of every report ------------------------------------------------------------------

TEST(ReportShape, TwelveFixedLinesAndOneLinePerRowWithGroups) {
    for (const auto& sheet :
         {computedEmptySheet(), workedExampleSheet(), raidAndVaultSheet(), skippedRowsSheet()}) {
        std::size_t rowsWithGroups = 0;
        for (const auto& row : sheet.rows) {
            rowsWithGroups += row.groupCount != 0 ? 1 : 0;
        }
        const std::string text = formatReport(sheet, kMarchMorning);
        const std::vector<std::string> lines = splitLines(text);
        ASSERT_EQ(lines.size(), 12 + rowsWithGroups);
        EXPECT_EQ(lines[10].size(), 30U);
        EXPECT_EQ(lines[11].size(), 78U);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const bool tabsAllowed = i == 10;
            for (char c : lines[i]) {
                EXPECT_TRUE(c >= ' ' || (tabsAllowed && c == '\t')) << "line " << i + 1;
                EXPECT_LT(static_cast<unsigned char>(c), 0x80U) << "line " << i + 1;
            }
        }
    }
}

TEST(ReportShape, WorkedExampleLineBuiltPieceByPiece) {
    const std::string expected = blanks(5) + "1" + blanks(8) + "450 G FC" + blanks(8) + "RAID5" +
                                 blanks(7) + "5" + blanks(9) + "No" + blanks(4) + "1610.29" +
                                 blanks(6) + "1610.29";
    ASSERT_EQ(expected.size(), 78U);
    EXPECT_EQ(lastLine(formatReport(workedExampleSheet(), kMarchMorning)), expected);
}

// --- Date line ------------------------------------------------------------------------------

TEST(ReportHeader, DateLineFromBrokenDownTime) {
    struct Case {
        ReportTime time;
        const char* line;
    };
    const Case cases[] = {
        {{2008, 3, 7, 9, 5, 3}, "3/7/2008   9:05:03"},
        {{2009, 12, 12, 14, 30, 0}, "12/12/2009   14:30:00"},
        {{2000, 1, 1, 0, 0, 0}, "1/1/2000   0:00:00"},
        {{1999, 10, 31, 23, 59, 59}, "10/31/1999   23:59:59"},
        {{2024, 2, 29, 10, 10, 10}, "2/29/2024   10:10:10"},
    };
    for (const Case& c : cases) {
        const std::vector<std::string> lines =
            splitLines(formatReportHeader(ConfigSheet{}, c.time));
        ASSERT_EQ(lines.size(), 4U);
        EXPECT_EQ(lines[0], "Tessaryn Brimcount 4.3");
        EXPECT_EQ(lines[1], c.line);
        EXPECT_EQ(lines[3], "System Model: Telvar A");
    }
}

TEST(ReportHeader, HeaderIsTheStartOfTheReport) {
    const ConfigSheet sheet = zundaSheet();
    const std::string header = formatReportHeader(sheet, kDecemberAfternoon);
    EXPECT_EQ(formatReport(sheet, kDecemberAfternoon).substr(0, header.size()), header);
}

TEST(ReportHeader, WriteReportHeaderAppendsOneReadingOfTheClock) {
    const ConfigSheet sheet = zundaSheet();
    std::string output = "kept";
    const ReportTime before = currentLocalTime();
    writeReportHeader(output, sheet);
    const ReportTime after = currentLocalTime();
    // The clock may tick between the readings; the line must match one of them whole.
    EXPECT_TRUE(output == "kept" + formatReportHeader(sheet, before) ||
                output == "kept" + formatReportHeader(sheet, after))
        << output;
}

// --- Data lines at the edges of their fields and tables -------------------------------------

struct DataLineCase {
    const char* name;
    int modelIndex;
    WantedRow row;
    std::string line;
};

void PrintTo(const DataLineCase& c, std::ostream* os) {
    *os << c.name;
}

class DataLine : public ::testing::TestWithParam<DataLineCase> {};

TEST_P(DataLine, IsWrittenAsExpected) {
    const DataLineCase& c = GetParam();
    ConfigSheet sheet;
    sheet.modelIndex = c.modelIndex;
    setRow(sheet, c.row);
    EXPECT_EQ(lastLine(formatReport(sheet, kMarchMorning)), c.line);
}

// The worked example's fields, hand-padded, to build lines that differ in one field.
const std::string kOneGroup = blanks(5) + "1";
const std::string kFcDisk = blanks(8) + "450 G FC";
const std::string kNoDiskName = blanks(16);
const std::string kRaid5Name = blanks(8) + "RAID5";
const std::string kNoRaidName = blanks(13);
const std::string kFiveDisks = blanks(7) + "5";
const std::string kNoVault = blanks(9) + "No";
const std::string kEmptyCapacities = blanks(11 + 13);

INSTANTIATE_TEST_SUITE_P(
    Edges, DataLine,
    ::testing::Values(
        // Counts are unsigned: 2^31 and more print their true value and push the line right.
        DataLineCase{"GroupCountAboveSignedRange",
                     kTelvarA,
                     {0, 2147483648U, k450G, kRaid5, 5, false, "", ""},
                     "2147483648" + kFcDisk + kRaid5Name + kFiveDisks + kNoVault +
                         kEmptyCapacities},
        DataLineCase{"LargestGroupCount",
                     kTelvarA,
                     {0, 4294967295U, k450G, kRaid5, 5, false, "", ""},
                     "4294967295" + kFcDisk + kRaid5Name + kFiveDisks + kNoVault +
                         kEmptyCapacities},
        DataLineCase{"DisksPerGroupLeftOutOfRange",
                     kTelvarA,
                     {0, 1, k450G, kRaid5, 4294967295U, false, "", ""},
                     kOneGroup + kFcDisk + kRaid5Name + "4294967295" + kNoVault + kEmptyCapacities},
        // An index outside its table writes a blank field of the same width.
        DataLineCase{"NoRaidTypeChosen",
                     kTelvarA,
                     {0, 1, k450G, kNoRaidType, 5, false, "", ""},
                     kOneGroup + kFcDisk + kNoRaidName + kFiveDisks + kNoVault + kEmptyCapacities},
        DataLineCase{"RaidIndexPastTable",
                     kTelvarA,
                     {0, 1, k450G, 7, 5, false, "", ""},
                     kOneGroup + kFcDisk + kNoRaidName + kFiveDisks + kNoVault + kEmptyCapacities},
        DataLineCase{"DiskIndexPastTable",
                     kTelvarA,
                     {0, 1, 8, kRaid5, 5, false, "", ""},
                     kOneGroup + kNoDiskName + kRaid5Name + kFiveDisks + kNoVault +
                         kEmptyCapacities},
        DataLineCase{"ModelIndexPastTable",
                     9,
                     {0, 1, k450G, kRaid5, 5, false, "", ""},
                     kOneGroup + kNoDiskName + kRaid5Name + kFiveDisks + kNoVault +
                         kEmptyCapacities},
        DataLineCase{"NegativeModelIndex",
                     -1,
                     {0, 1, k450G, kRaid5, 5, false, "", ""},
                     kOneGroup + kNoDiskName + kRaid5Name + kFiveDisks + kNoVault +
                         kEmptyCapacities}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReportModel, InvalidModelWritesAnEmptyModelName) {
    ConfigSheet sheet;
    sheet.modelIndex = 42;
    EXPECT_EQ(splitLines(formatReportHeader(sheet, kMarchMorning))[3], "System Model: ");
}

} // namespace
} // namespace brim
