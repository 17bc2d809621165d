#pragma once

#include "core/allowed_range.h"
#include "core/config_sheet.h"

#include <cstdint>
#include <optional>

namespace brim {

// The figures a plan over the years ahead rests on: how fast the data and the workload grow,
// how prices move, what power costs. Decimals are held in scaled integers, as typed, so that
// what the planner typed is held exactly; each has a double accessor for the share it stands
// for. Ranges are inclusive, in the held unit.

inline constexpr AllowedRange<int> kGrowthYearsRange{1, 10};
inline constexpr AllowedRange<int> kGrowthTenthsRange{0, 10'000}; // 0-1000.0 %
inline constexpr AllowedRange<std::int64_t> kNeededTodayHundredthsRange{1, 1'000'000'000}; // TB
inline constexpr AllowedRange<int> kGrowDefinitionRange{0, kRowCount};   // 0 = the largest
inline constexpr AllowedRange<int> kPriceChangeTenthsRange{-900, 1'000}; // -90.0-100.0 %
inline constexpr AllowedRange<std::int64_t> kEnergyPriceThousandthsRange{0, 1'000'000}; // 0-1000
inline constexpr AllowedRange<int> kPueHundredthsRange{100, 300};                       // 1.00-3.00
inline constexpr AllowedRange<int> kSupportTenthsRange{0, 1'000};                       // 0-100.0 %

inline constexpr AllowedRange<int> kFlagRange{0, 1}; // no, yes

// Grow definition 0: the definition with the most usable capacity grows.
inline constexpr int kGrowLargestDefinition = 0;

struct GrowthFigures {
    int years = 5;
    int capacityGrowthTenths = 200; // % a year in tenths: 200 = 20.0 %
    int workloadGrowthTenths = 100;
    // Usable TB needed today in hundredths; nothing grows the sheet's own net total.
    std::optional<std::int64_t> neededTodayHundredths;
    int growDefinition = kGrowLargestDefinition; // or a row, 1 to 10
    bool installed = false;                      // the sheet stands in the machine room already
    int diskPriceChangeTenths = -200;
    int arrayPriceChangeTenths = 0;
    std::int64_t energyPriceThousandths = 0; // per kWh; 0 is not priced
    int pueHundredths = 150;
    int supportTenths = 0; // % of the price a year

    constexpr double capacityGrowthRate() const noexcept { return capacityGrowthTenths / 1000.0; }
    constexpr double workloadGrowthRate() const noexcept { return workloadGrowthTenths / 1000.0; }
    constexpr std::optional<double> neededTodayTib() const noexcept {
        if (!neededTodayHundredths) {
            return std::nullopt;
        }
        return static_cast<double>(*neededTodayHundredths) / 100.0;
    }
    constexpr double diskPriceChangeRate() const noexcept { return diskPriceChangeTenths / 1000.0; }
    constexpr double arrayPriceChangeRate() const noexcept {
        return arrayPriceChangeTenths / 1000.0;
    }
    constexpr double energyPrice() const noexcept {
        return static_cast<double>(energyPriceThousandths) / 1000.0;
    }
    constexpr double pue() const noexcept { return pueHundredths / 100.0; }
    constexpr double supportShare() const noexcept { return supportTenths / 1000.0; }

    // Every figure within its range; a schedule is made only from such figures.
    bool withinRanges() const noexcept;

    friend bool operator==(const GrowthFigures&, const GrowthFigures&) = default;
};

} // namespace brim
