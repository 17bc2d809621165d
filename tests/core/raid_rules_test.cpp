#include "core/raid_rules.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/recording_sink.h"

#include <gtest/gtest.h>
#include <string>

namespace brim {
namespace {

using test::RecordingSink;

using namespace test::names;

struct RuleCase {
    int raidType;
    std::uint32_t disks;
    double fraction;     // when accepted
    std::string message; // empty when accepted
};

void PrintTo(const RuleCase& c, std::ostream* os) {
    *os << "raid " << c.raidType << " with " << c.disks << " disks";
}

class RaidRuleTest : public ::testing::TestWithParam<RuleCase> {};

TEST_P(RaidRuleTest, AcceptsOrShowsExactlyOneMessage) {
    const RuleCase& c = GetParam();
    RecordingSink sink;
    const RaidEfficiency result = raidEfficiency(c.raidType, c.disks, sink);
    if (c.message.empty()) {
        EXPECT_FALSE(result.error);
        EXPECT_EQ(result.fraction, c.fraction);
        EXPECT_TRUE(sink.shown.empty());
    } else {
        EXPECT_TRUE(result.error);
        EXPECT_EQ(result.fraction, 0.0);
        ASSERT_EQ(sink.shown.size(), 1u);
        EXPECT_EQ(sink.shown.front(), c.message);
    }
}

const std::string kRaid0Msg = "Error: RAID0 requires 3 to 16 disks per group";
const std::string kRaid1Msg = "Error: RAID1 disks per group is 2";
const std::string kRaid10Msg = "Error: RAID10 group must have even number of disks";
const std::string kRaid3Msg = "Error: RAID3 requires 5 or 9 disks per group";
const std::string kRaid5Msg = "Error: RAID5 requires 3 to 16 disks per group";
const std::string kRaid6Msg = "Error: RAID6 requires 4 to 16, even number of disks per group";
const std::string kIndivMsg = "Error: Individual Disk requires 1 disk per group";
const std::string kMaxMsg = "Error: Max disks per group is 16";

INSTANTIATE_TEST_SUITE_P(
    Boundaries, RaidRuleTest,
    ::testing::Values(RuleCase{kRaid0, 2, 0, kRaid0Msg}, RuleCase{kRaid0, 3, 1.0, ""},
                      RuleCase{kRaid0, 16, 1.0, ""}, RuleCase{kRaid0, 1, 0, kRaid0Msg},
                      RuleCase{kRaid1, 2, 0.5, ""}, RuleCase{kRaid1, 1, 0, kRaid1Msg},
                      RuleCase{kRaid1, 4, 0, kRaid1Msg}, RuleCase{kRaid10, 2, 0.5, ""},
                      RuleCase{kRaid10, 16, 0.5, ""}, RuleCase{kRaid10, 7, 0, kRaid10Msg},
                      RuleCase{kRaid10, 1, 0, kRaid10Msg}, RuleCase{kRaid3, 5, 1.0 - 1.0 / 5, ""},
                      RuleCase{kRaid3, 9, 1.0 - 1.0 / 9, ""}, RuleCase{kRaid3, 6, 0, kRaid3Msg},
                      RuleCase{kRaid3, 4, 0, kRaid3Msg}, RuleCase{kRaid5, 2, 0, kRaid5Msg},
                      RuleCase{kRaid5, 3, 1.0 - 1.0 / 3, ""}, RuleCase{kRaid5, 5, 0.8, ""},
                      RuleCase{kRaid5, 16, 1.0 - 1.0 / 16, ""}, RuleCase{kRaid6, 2, 0, kRaid6Msg},
                      RuleCase{kRaid6, 4, 0.5, ""}, RuleCase{kRaid6, 5, 0, kRaid6Msg},
                      RuleCase{kRaid6, 8, 0.75, ""}, RuleCase{kRaid6, 16, 0.875, ""},
                      RuleCase{kIndivDisk, 1, 1.0, ""}, RuleCase{kIndivDisk, 2, 0, kIndivMsg}));

// Too many disks is checked before the RAID type, so it fires with none chosen too.
INSTANTIATE_TEST_SUITE_P(MaxDisksPerGroup, RaidRuleTest,
                         ::testing::Values(RuleCase{kRaid5, 17, 0, kMaxMsg},
                                           RuleCase{kNoRaidType, 17, 0, kMaxMsg},
                                           RuleCase{kIndivDisk, 4294967295u, 0, kMaxMsg},
                                           RuleCase{99, 100, 0, kMaxMsg}));

// Zero disks and a missing RAID type are worth nothing but are not faults.
INSTANTIATE_TEST_SUITE_P(SilentZero, RaidRuleTest,
                         ::testing::Values(RuleCase{kRaid0, 0, 0, ""}, RuleCase{kRaid1, 0, 0, ""},
                                           RuleCase{kIndivDisk, 0, 0, ""},
                                           RuleCase{kNoRaidType, 0, 0, ""}, RuleCase{42, 0, 0, ""},
                                           RuleCase{kNoRaidType, 5, 0, ""}, RuleCase{7, 16, 0, ""},
                                           RuleCase{-7, 1, 0, ""}));

} // namespace
} // namespace brim
