#include "commands/planner_units.h"
#include "core/catalogue.h"
#include "core/rebuild_risk.h"
#include "core/units.h"
#include "tests/support/catalogue_names.h"

#include <gtest/gtest.h>

namespace brim {
namespace {

using namespace test::names;

// Where two decimals would show a real risk as none or round it up, the text says "<0.01%".
TEST(RebuildRiskTest, PercentTextsAroundTheSmallestShown) {
    const std::pair<double, const char*> cases[] = {
        {0.0, "<0.01%"},     {0.00005, "<0.01%"}, {0.0000999, "<0.01%"}, {0.0001, "0.01%"},
        {0.000149, "0.01%"}, {0.5, "50.00%"},     {1.0, "100.00%"},
    };
    for (const auto& [chance, text] : cases) {
        EXPECT_EQ(formatPercent(chance), text) << chance;
    }
}

} // namespace
} // namespace brim
