// What the workbook reader makes of a broken workbook: a valid file with one thing changed is
// refused with the place and the fault, or read with the value it states. And the documented
// example opens, and a workbook is told from a report by its first character.

#include "report/file_access.h"
#include "report/workbook.h"
#include "tests/support/catalogue_names.h"

#include <cstring>
#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace brim {
namespace {

struct RefusalCase {
    const char* name;
    const char* find;           // its first occurrence in twoPlanText()
    const char* replace;        // what takes its place; nullptr cuts the file off there
    const char* message;        // the whole refusal, or "read: " and the workload texts as read
    std::size_t insertions = 0; // if not 0, `replace` goes that many times before `find`
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.name;
}

// Two plans and values that tell the rows apart: the sheet's first row has 5 disks per group in
// 3 groups, plan B's fifth row is RAID5. QJsonDocument writes keys sorted: "planning" and
// "plans" before "sheet"; in "planning", "arrayPrices" and "disks" before "sizing", so a byte
// counted up to them stays where it is when the sizing window keeps another choice.
std::string twoPlanText() {
    Workbook workbook;
    workbook.sheet.rows[0].disksPerGroup = 5;
    workbook.sheet.rows[0].groupCount = 3;
    workbook.figures.plans = {{"Plan A", PlanSheet{}}, {"Plan B", PlanSheet{}}};
    workbook.figures.plans[1].sheet.rows[4].raidType = test::names::kRaid5;
    return formatWorkbook(workbook);
}

std::string outcomeOf(const WorkbookReading& reading) {
    if (const auto* refusal = std::get_if<WorkbookRefusal>(&reading)) {
        return refusal->message;
    }
    const SizingChoices& sizing = std::get<Workbook>(reading).figures.sizing;
    return "read: hostIops \"" + sizing.hostIopsText + "\", mbps \"" + sizing.mbpsText + '"';
}

// `times` copies of `piece`, made by doubling: fifty million blanks in a few steps.
std::string repeated(std::string_view piece, std::size_t times) {
    std::string whole;
    std::string chunk(piece);
    for (; times > 0; times >>= 1) {
        if (times & 1) {
            whole += chunk;
        }
        if (times > 1) {
            chunk += chunk;
        }
    }
    return whole;
}

class WorkbookRefusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(WorkbookRefusals, NameThePlaceAndTheFault) {
    const RefusalCase& c = GetParam();
    std::string text = twoPlanText();
    const std::size_t at = text.find(c.find);
    ASSERT_NE(at, std::string::npos) << c.find;
    if (!c.replace) {
        text.resize(at);
    } else if (c.insertions == 0) {
        text.replace(at, std::strlen(c.find), c.replace);
    } else {
        text.insert(at, repeated(c.replace, c.insertions));
    }
    EXPECT_EQ(outcomeOf(readWorkbook(text)), c.message);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, WorkbookRefusals, ::testing::Values(
    // ---- the file as a whole ----
    RefusalCase{"truncated", "\"disks\"", nullptr,
        "The workbook is not well-formed JSON at byte 1256: unterminated object."},
    RefusalCase{"missing_separator", "\"arrayPrices\": [", "\"arrayPrices\" [",
        "The workbook is not well-formed JSON at byte 103: missing name separator."},
    RefusalCase{"fifty_megabytes", "{", " ",
        "The workbook is larger than 1 MiB: nothing was opened.", 50'000'000},
    RefusalCase{"latin1", "\"Telvar B\"", "\"T\xE9lvar B\"",
        "The workbook is not well-formed JSON at byte 934: invalid UTF8 string."},
    RefusalCase{"other_format", "\"Brimcount workbook\"", "\"Spreadsheet\"",
        "format: this is not a Brimcount workbook (\"Brimcount workbook\" expected)."},
    RefusalCase{"newer_version", "\"formatVersion\": 2", "\"formatVersion\": 3",
        "formatVersion: the workbook was made by a newer Brimcount (format version 3); this one reads format versions 1 to 2."},
    RefusalCase{"version_zero", "\"formatVersion\": 2", "\"formatVersion\": 0",
        "formatVersion: 0 is not a format version this program reads; it reads format versions 1 to 2."},
    RefusalCase{"unknown_field", "\"readPercent\"", "\"readPercnt\"",
        "planning.readPercnt: \"readPercnt\" is not a field this program knows."},
    // ---- a key given twice, the value that the JSON classes keep the same or not ----
    RefusalCase{"twice_at_the_top", "\"formatVersion\": 2,", "\"formatVersion\": 2, \"formatVersion\": 2,",
        "formatVersion: the field \"formatVersion\" is given twice."},
    RefusalCase{"twice_in_a_row", "\"groups\": 3,", "\"groups\": 3, \"groups\": 4,",
        "sheet.rows[0].groups: the field \"groups\" is given twice."},
    RefusalCase{"twice_in_a_disk", "\"diskType\": \"1 TB ATA\",", "\"diskType\": \"1 TB ATA\", \"price\": 5,",
        "planning.disks[7].price: the field \"price\" is given twice."},
    RefusalCase{"twice_once_escaped", "\"readPercent\": 70", "\"readPerc\\u0065nt\": 70, \"readPercent\": 70",
        "planning.readPercent: the field \"readPercent\" is given twice."},
    RefusalCase{"twice_as_a_pair", "\"name\": \"Plan A\"", "\"\\ud83d\\ude00\": 1, \"\xF0\x9F\x98\x80\": 2, \"name\": \"Plan A\"",
        "plans[0].\xF0\x9F\x98\x80: the field \"\xF0\x9F\x98\x80\" is given twice."},
    RefusalCase{"twice_among_many", "\"name\": \"Plan A\"", "\"x\": 1, ",
        "plans[0].x: the field \"x\" is given twice.", 20},
    RefusalCase{"lone_surrogates_differ", "\"name\": \"Plan A\"", "\"\\ud83d\": 1, \"\\ude00\": 2, \"name\": \"Plan A\"",
        "plans[0].?: \"?\" is not a field this program knows."},
    // ---- plans ----
    RefusalCase{"nine_plans", "{\n            \"model\"", "{},",
        "plans: holds 9 plans; a workbook keeps at most 8.", 7},
    RefusalCase{"ten_thousand_plans", "{\n            \"model\"", "{},",
        "plans: holds 10000 plans; a workbook keeps at most 8.", 9998},
    RefusalCase{"same_name", "\"Plan B\"", "\"Plan A\"",
        "plans[1].name: \"Plan A\" is the name of an earlier plan."},
    RefusalCase{"number_for_a_name", "\"Plan B\"", "2",
        "plans[1].name: must be a text in quotes."},
    RefusalCase{"long_name", "\"Plan B\"", "\"Plan B is a name of more than forty characters\"",
        "plans[1].name: a plan's name is 1 to 40 characters, with no blank at either end and no line break."},
    RefusalCase{"nine_rows", "{\n                    \"diskType\": \"450 G FC\",\n                    \"disksPerGroup\": 0,\n                    \"groups\": 0,\n                    \"raidType\": null,\n                    \"vault\": false\n                },", "",
        "plans[0].rows: holds 9 rows; a sheet has exactly 10."},
    // ---- rows, in the sheet and in the plans ----
    RefusalCase{"unknown_raid", "\"RAID5\"", "\"RAID7\"",
        "plans[1].rows[4].raidType: \"RAID7\" is not a RAID type of this program."},
    RefusalCase{"groups_past_32_bits", "\"groups\": 3", "\"groups\": 4294967296",
        "sheet.rows[0].groups: 4294967296 is outside 0 to 4294967295."},
    RefusalCase{"groups_fraction", "\"groups\": 3", "\"groups\": 2.5",
        "sheet.rows[0].groups: 2.5 is not a whole number."},
    RefusalCase{"groups_text", "\"groups\": 0", "\"groups\": \"5\"",
        "plans[0].rows[0].groups: must be a number."},
    RefusalCase{"sheet_17_disks", "\"disksPerGroup\": 5", "\"disksPerGroup\": 17",
        "sheet.rows[0].disksPerGroup: 17 is outside 0 to 16."},
    RefusalCase{"sheet_1000_disks", "\"disksPerGroup\": 5", "\"disksPerGroup\": 1000",
        "sheet.rows[0].disksPerGroup: 1000 is outside 0 to 16."},
    RefusalCase{"sheet_minus_one_disk", "\"disksPerGroup\": 5", "\"disksPerGroup\": -1",
        "sheet.rows[0].disksPerGroup: -1 is outside 0 to 16."},
    RefusalCase{"plan_17_disks", "\"disksPerGroup\": 0", "\"disksPerGroup\": 17",
        "plans[0].rows[0].disksPerGroup: 17 is outside 0 to 16."},
    RefusalCase{"plan_1000_disks", "\"disksPerGroup\": 0", "\"disksPerGroup\": 1000",
        "plans[0].rows[0].disksPerGroup: 1000 is outside 0 to 16."},
    RefusalCase{"plan_minus_one_disk", "\"disksPerGroup\": 0", "\"disksPerGroup\": -1",
        "plans[0].rows[0].disksPerGroup: -1 is outside 0 to 16."},
    RefusalCase{"vault_in_row_7",
        "null\n            },\n            {\n                \"diskType\": \"450 G FC\",\n                \"disksPerGroup\": 0,\n                \"groups\": 0,\n                \"raidType\": null\n",
        "null\n            },\n            {\n                \"diskType\": \"450 G FC\",\n                \"disksPerGroup\": 0,\n                \"groups\": 0,\n                \"raidType\": null, \"vault\": true\n",
        "sheet.rows[6].vault: only rows 1 to 5 (0 to 4 here) may hold the vault."},
    // ---- planning figures ----
    RefusalCase{"percent_range", "\"readPercent\": 70", "\"readPercent\": 101",
        "planning.readPercent: 101 is outside 0 to 100."},
    RefusalCase{"percent_fraction", "\"readPercent\": 70", "\"readPercent\": 70.5",
        "planning.readPercent: 70.5 is not a whole number."},
    RefusalCase{"three_decimals", "\"afrPercent\": 2,", "\"afrPercent\": 2.125,",
        "planning.disks[0].afrPercent: 2.125 has more than two decimals."},
    RefusalCase{"price_three_decimals", "\"price\": 0\n", "\"price\": 1.234\n",
        "planning.arrayPrices[0].price: 1.234 has more than two decimals."},
    RefusalCase{"negative_price", "\"price\": 0\n", "\"price\": -1\n",
        "planning.arrayPrices[0].price: -1 is outside 0 to 1000000000."},
    RefusalCase{"unknown_model", "\"model\": \"Telvar A\"", "\"model\": \"Telvar Z\"",
        "planning.arrayPrices[5].model: \"Telvar Z\" is not an array model of this program."},
    RefusalCase{"unknown_disk", "\"diskType\": \"450 G FC\"", "\"diskType\": \"450 G SAS\"",
        "planning.disks[4].diskType: \"450 G SAS\" is not a disk type of this program."},
    // ---- Size for Capacity's workload: empty, or a whole number in the window's range ----
    RefusalCase{"iops_letters", "\"hostIops\": \"\"", "\"hostIops\": \"abc\"",
        "planning.sizing.hostIops: \"abc\" is not a whole number."},
    RefusalCase{"iops_number", "\"hostIops\": \"\"", "\"hostIops\": 20000",
        "read: hostIops \"20000\", mbps \"\""},
    RefusalCase{"iops_text", "\"hostIops\": \"\"", "\"hostIops\": \" 10000000 \"",
        "read: hostIops \" 10000000 \", mbps \"\""},
    RefusalCase{"iops_zero", "\"hostIops\": \"\"", "\"hostIops\": 0",
        "planning.sizing.hostIops: 0 is outside 1 to 10000000."},
    RefusalCase{"iops_above", "\"hostIops\": \"\"", "\"hostIops\": 10000001",
        "planning.sizing.hostIops: 10000001 is outside 1 to 10000000."},
    RefusalCase{"iops_text_above", "\"hostIops\": \"\"", "\"hostIops\": \"10000001\"",
        "planning.sizing.hostIops: \"10000001\" is outside 1 to 10000000."},
    RefusalCase{"mbps_letters", "\"mbps\": \"\"", "\"mbps\": \"12a\"",
        "planning.sizing.mbps: \"12a\" is not a whole number."},
    RefusalCase{"mbps_number", "\"mbps\": \"\"", "\"mbps\": 1000000",
        "read: hostIops \"\", mbps \"1000000\""},
    RefusalCase{"mbps_zero", "\"mbps\": \"\"", "\"mbps\": \"0\"",
        "planning.sizing.mbps: \"0\" is outside 1 to 1000000."},
    RefusalCase{"mbps_above", "\"mbps\": \"\"", "\"mbps\": 1000001",
        "planning.sizing.mbps: 1000001 is outside 1 to 1000000."}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format off
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

TEST(WorkbookExample, TheDocumentedExampleOpens) {
    const WorkbookReading read = readWorkbook(
        std::get<std::string>(readFileStart(BRIM_EXAMPLE_WORKBOOK, kMaxWorkbookBytes)));
    ASSERT_TRUE(std::holds_alternative<Workbook>(read)) << std::get<WorkbookRefusal>(read).message;
    const Workbook& example = std::get<Workbook>(read);
    ASSERT_EQ(example.figures.plans.size(), 2u);
    EXPECT_EQ(example.figures.plans[1].sheet.rows[0].raidType, test::names::kRaid6);
    EXPECT_EQ(example.figures.planning.prices.diskHundredths(test::names::k1TbAta), 30550);
    EXPECT_EQ(example.figures.planning.arrayPower.watts(test::names::kTelvarA), 600u);
    EXPECT_EQ(example.figures.planning.disks.figures(test::names::k1TbAta)->wattsTenths, 95u);
    EXPECT_EQ(example.figures.planning.growth.neededTodayHundredths, 2'000);
    EXPECT_EQ(example.figures.planning.growth.energyPriceThousandths, 150);
}

// A version-1 file knows no growth or power: it opens with them at their defaults.
TEST(WorkbookReading, VersionOneOpensWithTheYearsAheadAtTheirDefaults) {
    Workbook workbook;
    workbook.figures.planning.growth.years = 9;
    workbook.figures.planning.arrayPower.setWatts(test::names::kTelvarA, 600);
    std::string text = formatWorkbook(workbook);
    text.replace(text.find("\"formatVersion\": 2"), 18, "\"formatVersion\": 1");
    const std::size_t growth = text.find("\"growth\": {");
    text.erase(growth, text.find('}', growth) + 2 - growth);
    const WorkbookReading read = readWorkbook(text);
    ASSERT_TRUE(std::holds_alternative<Workbook>(read)) << std::get<WorkbookRefusal>(read).message;
    const PlanningAssumptions& planning = std::get<Workbook>(read).figures.planning;
    EXPECT_EQ(planning.growth, GrowthFigures{});
    EXPECT_EQ(planning.arrayPower.watts(test::names::kTelvarA), 600u);
}

TEST(WorkbookKind, FirstCharacterAfterBlanksAndByteOrderMark) {
    const std::vector<std::pair<std::string, bool>> cases{
        {"{", true},    {" \r\n\t{}", true},  {"\xEF\xBB\xBF  {", true}, {"", false},
        {"   ", false}, {"Brimcount", false}, {"\xEF\xBB\xBF", false},   {"[{", false}};
    for (const auto& [text, workbook] : cases) {
        EXPECT_EQ(looksLikeWorkbook(text), workbook) << text;
    }
}

} // namespace
} // namespace brim
