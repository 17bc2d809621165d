// The catalogue's fixed positions are written as numbers here on purpose: this test pins them,
// and every other test names its entries (tests/support/catalogue_names.h).

#include "core/catalogue.h"
#include "tests/support/catalogue_names.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <ostream>
#include <string_view>

namespace brim {
namespace {

using namespace test::names;

struct KibCase {
    int model;
    int disk;
    bool vault;
    std::uint32_t expected;
};

void PrintTo(const KibCase& c, std::ostream* os) {
    *os << "model " << c.model << ", disk " << c.disk << (c.vault ? ", vault row" : "");
}

class UsableDiskKibTest : public ::testing::TestWithParam<KibCase> {};

TEST_P(UsableDiskKibTest, TakesTheVaultReservationOffEveryDiskOfAVaultRow) {
    const KibCase& c = GetParam();
    EXPECT_EQ(usableDiskKib(c.model, c.disk, c.vault), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Families, UsableDiskKibTest,
                         ::testing::Values(KibCase{kTelvarA, 4, false, 422128348u},
                                           KibCase{kTelvarA, 4, true, 422128348u - 64976863u},
                                           KibCase{kTelvarA, 0, true, 69840937u - 64976863u},
                                           KibCase{kZundaS, 0, false, 0u},
                                           KibCase{kZundaS, 0, true, 0u},
                                           KibCase{kZundaS, 5, false, 0u},
                                           KibCase{kZundaS, 5, true, 0u},
                                           KibCase{kZundaS, 1, true, 139849728u - 17948685u},
                                           KibCase{kZundaS, 6, true, 720979968u - 17948685u},
                                           KibCase{kMorvikB, 7, true, 961700604u - 34568159u},
                                           KibCase{1, 5, false, 480838076u}));

INSTANTIATE_TEST_SUITE_P(OutsideTheTables, UsableDiskKibTest,
                         ::testing::Values(KibCase{-1, 4, false, 0u}, KibCase{9, 4, true, 0u},
                                           KibCase{kTelvarA, -1, false, 0u},
                                           KibCase{kTelvarA, 8, true, 0u},
                                           KibCase{INT32_MIN, INT32_MAX, true, 0u}));

TEST(CatalogueTest, EveryOfferedDiskIsLargerThanItsFamilysVaultReservation) {
    for (const ArrayModel& model : kArrayModels) {
        const std::uint32_t reservation = Catalogue::family(model.family).vaultReservationKib;
        for (const DiskType& disk : kDiskTypes) {
            const std::uint32_t kib = disk.usableKib[static_cast<std::size_t>(model.family)];
            if (kib != 0) {
                EXPECT_GT(kib, reservation) << model.name << " " << disk.orlenReportName;
            }
        }
    }
}

TEST(CatalogueTest, DiskReportNamesFollowTheModelsFamily) {
    EXPECT_EQ(Catalogue::diskReportName(1, kZundaS), "146 G SAS");
    for (int model = 1; model < static_cast<int>(kArrayModels.size()); ++model) {
        EXPECT_EQ(Catalogue::diskReportName(1, model), "146 G FC") << model;
    }
    EXPECT_EQ(Catalogue::diskReportName(7, kZundaS), "1 TB ATA");
}

TEST(CatalogueTest, RaidNamesDifferOnlyForRaid6) {
    EXPECT_EQ(Catalogue::raidPickerName(5), "RAID6");
    EXPECT_EQ(Catalogue::raidReportName(5), "RAID 6");
    for (int raid : {0, 1, 2, 3, 4, 6}) {
        EXPECT_EQ(Catalogue::raidPickerName(raid), Catalogue::raidReportName(raid)) << raid;
    }
}

TEST(CatalogueTest, LookupsOutsideTheTablesGiveNothing) {
    for (int index : {-1, -100, 9, 1000, INT32_MIN, INT32_MAX}) {
        EXPECT_EQ(Catalogue::model(index), nullptr) << index;
        EXPECT_TRUE(Catalogue::modelName(index).empty()) << index;
        EXPECT_TRUE(Catalogue::diskReportName(index, kTelvarA).empty()) << index;
        EXPECT_TRUE(Catalogue::diskReportName(1, index).empty()) << index;
    }
    for (int index : {-1, 7, INT32_MAX}) {
        EXPECT_EQ(Catalogue::raidType(index), nullptr) << index;
        EXPECT_TRUE(Catalogue::raidReportName(index).empty()) << index;
    }
    EXPECT_EQ(Catalogue::diskType(8), nullptr);
}

TEST(CatalogueTest, VaultWords) {
    EXPECT_EQ(Catalogue::vaultWord(false), "No");
    EXPECT_EQ(Catalogue::vaultWord(true), "Yes");
}

} // namespace
} // namespace brim
