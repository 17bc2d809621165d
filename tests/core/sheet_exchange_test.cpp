#include "core/sheet_exchange.h"
#include "tests/support/catalogue_names.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <string>

namespace brim {
namespace {

using namespace test::names;

struct ParseCase {
    const char* text;
    std::optional<std::uint32_t> expected;
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class ParseUnsigned32Test : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseUnsigned32Test, AcceptsOnlyUnsignedDecimalWholeNumbersThatFit) {
    EXPECT_EQ(parseUnsigned32(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Accepted, ParseUnsigned32Test,
                         ::testing::Values(ParseCase{"0", 0u}, ParseCase{"7", 7u},
                                           ParseCase{"007", 7u},
                                           ParseCase{"4294967295", 4294967295u},
                                           ParseCase{" 12 ", 12u}, ParseCase{"\t3", 3u}));

INSTANTIATE_TEST_SUITE_P(
    Refused, ParseUnsigned32Test,
    ::testing::Values(ParseCase{"", std::nullopt}, ParseCase{"   ", std::nullopt},
                      ParseCase{"-1", std::nullopt}, ParseCase{"+5", std::nullopt},
                      ParseCase{"7a", std::nullopt}, ParseCase{"a7", std::nullopt},
                      ParseCase{"1 2", std::nullopt}, ParseCase{"0x10", std::nullopt},
                      ParseCase{"4294967296", std::nullopt},
                      ParseCase{"99999999999999999999", std::nullopt},
                      ParseCase{"1.5", std::nullopt}, ParseCase{"\xd9\xa3", std::nullopt}));

TEST(StoreNumberTextTest, RefusedTextKeepsThePreviousValue) {
    ConfigSheet sheet;
    sheet.rows[2].groupCount = 9;
    const SheetField groups{SheetFieldKind::GroupCount, 3};
    EXPECT_EQ(storeNumberText(sheet, groups, "7a"), NumberStatus::NotANumber);
    EXPECT_EQ(sheet.rows[2].groupCount, 9u);
    EXPECT_EQ(storeNumberText(sheet, groups, "4000000000"), NumberStatus::Stored);
    EXPECT_EQ(sheet.rows[2].groupCount, 4000000000u);
}

// A disks-per-group value above 16 is stored before it is reported, so the next Compute's
// RAID rule sees it and says so once more.
TEST(StoreNumberTextTest, DisksPerGroupOutOfRangeIsStoredThenReported) {
    struct Case {
        const char* text;
        NumberStatus status;
        std::uint32_t stored;
    };
    for (const Case& c :
         {Case{"16", NumberStatus::Stored, 16u}, Case{"0", NumberStatus::Stored, 0u},
          Case{"17", NumberStatus::OutOfRange, 17u},
          Case{"4294967295", NumberStatus::OutOfRange, 4294967295u},
          Case{"x", NumberStatus::NotANumber, 3u}}) {
        ConfigSheet sheet;
        sheet.rows[9].disksPerGroup = 3;
        EXPECT_EQ(storeNumberText(sheet, {SheetFieldKind::DisksPerGroup, 10}, c.text), c.status)
            << c.text;
        EXPECT_EQ(sheet.rows[9].disksPerGroup, c.stored) << c.text;
    }
}

TEST(StoreNumberTextTest, FieldsThatAreNotNumbersOrRowsOutsideTheSheetAreRefused) {
    ConfigSheet sheet;
    const ConfigSheet before = sheet;
    for (const SheetField field :
         {SheetField{SheetFieldKind::GroupCount, 0}, SheetField{SheetFieldKind::GroupCount, 11},
          SheetField{SheetFieldKind::DiskType, 1}, SheetField{SheetFieldKind::ModelIndex},
          SheetField{SheetFieldKind::NetTotalGbText}}) {
        EXPECT_EQ(storeNumberText(sheet, field, "5"), NumberStatus::NotANumber);
    }
    EXPECT_EQ(sheet.modelIndex, before.modelIndex);
    EXPECT_EQ(sheet.rows[0].diskType, before.rows[0].diskType);
}

TEST(FieldRefTest, PointsAtTheBoundFieldOfTheRightRow) {
    ConfigSheet sheet;
    *std::get<std::int32_t*>(fieldRef(sheet, {SheetFieldKind::RaidType, 4})) = kRaid3;
    *std::get<bool*>(fieldRef(sheet, {SheetFieldKind::IncludesVault, 5})) = true;
    *std::get<std::string*>(fieldRef(sheet, {SheetFieldKind::TotalCapacityText, 10})) = "t";
    *std::get<std::int32_t*>(fieldRef(sheet, {SheetFieldKind::ModelIndex})) = kMorvikB;
    *std::get<bool*>(fieldRef(sheet, {SheetFieldKind::StickyChanges})) = false;
    *std::get<std::string*>(fieldRef(sheet, {SheetFieldKind::ArraysRequiredText})) = "a";
    EXPECT_EQ(sheet.rows[3].raidType, kRaid3);
    EXPECT_TRUE(sheet.rows[4].includesVault);
    EXPECT_EQ(sheet.rows[9].totalCapacityText, "t");
    EXPECT_EQ(sheet.modelIndex, kMorvikB);
    EXPECT_FALSE(sheet.stickyChanges);
    EXPECT_EQ(sheet.arraysRequiredText, "a");
    EXPECT_EQ(std::get<std::uint32_t*>(fieldRef(sheet, {SheetFieldKind::DisksPerGroup, 0})),
              nullptr);
    EXPECT_EQ(std::get<std::int32_t*>(fieldRef(sheet, {SheetFieldKind::DiskType, 11})), nullptr);
}

} // namespace
} // namespace brim
