#include "core/growth_figures.h"

namespace brim {
bool GrowthFigures::withinRanges() const noexcept {
    return kGrowthYearsRange.holds(years) && kGrowthTenthsRange.holds(capacityGrowthTenths) &&
           kGrowthTenthsRange.holds(workloadGrowthTenths) &&
           (!neededTodayHundredths || kNeededTodayHundredthsRange.holds(*neededTodayHundredths)) &&
           kGrowDefinitionRange.holds(growDefinition) &&
           kPriceChangeTenthsRange.holds(diskPriceChangeTenths) &&
           kPriceChangeTenthsRange.holds(arrayPriceChangeTenths) &&
           kEnergyPriceThousandthsRange.holds(energyPriceThousandths) &&
           kPueHundredthsRange.holds(pueHundredths) && kSupportTenthsRange.holds(supportTenths);
}

} // namespace brim
