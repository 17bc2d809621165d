#pragma once

// The years ahead's hand-checked example: Telvar A, row 1: 4 groups of RAID6 of 8 × 1 TB ATA
// (21.50 TB); 300 a disk and 50000 an array at 600 W; a need of 20 TB today growing 30 % a year,
// no workload growth, energy at 0.15 a kWh, every other figure at its default.

#include "core/config_sheet.h"
#include "core/planning_assumptions.h"
#include "tests/support/catalogue_names.h"

namespace brim::test {

inline ConfigSheet growthExampleSheet() {
    ConfigSheet sheet;
    sheet.modelIndex = names::kTelvarA;
    sheet.rows[0] = {names::k1TbAta, names::kRaid6, 8, 4, false, {}, {}};
    return sheet;
}

// The prices and the array's power, as Sheet Performance takes them.
inline PlanningAssumptions growthExamplePrices() {
    PlanningAssumptions assumptions;
    assumptions.prices.setDiskHundredths(names::k1TbAta, 30'000);
    assumptions.prices.setArrayHundredths(names::kTelvarA, 5'000'000);
    assumptions.arrayPower.setWatts(names::kTelvarA, 600);
    return assumptions;
}

// The figures the Growth Plan window takes, as held.
inline PlanningAssumptions growthExampleAssumptions() {
    PlanningAssumptions assumptions = growthExamplePrices();
    assumptions.growth.neededTodayHundredths = 2'000;
    assumptions.growth.capacityGrowthTenths = 300;
    assumptions.growth.workloadGrowthTenths = 0;
    assumptions.growth.energyPriceThousandths = 150;
    return assumptions;
}

} // namespace brim::test
