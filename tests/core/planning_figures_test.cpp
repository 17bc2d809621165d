// The planning figures' records: each reads and sets the figure it names, within its range.

#include "core/planning_figures.h"

#include <gtest/gtest.h>
#include <string>

namespace brim {
namespace {

// For every figure of every scope and every disk type or model: the default lies in the range,
// both ends of the range are taken and read back, a value beyond either end is refused and the
// old value kept, and setting one figure leaves every other figure alone.
template <typename Rules> void checkRecords(const Rules& rules, std::size_t indexes) {
    for (const auto& record : rules) {
        for (int index = 0; index < static_cast<int>(indexes); ++index) {
            PlanningAssumptions planning;
            const AllowedRange<std::int64_t> range = record.rule.range;
            const std::string place =
                std::to_string(static_cast<int>(record.figure)) + " at " + std::to_string(index);
            EXPECT_TRUE(range.holds(record.defaultValue(index))) << place;
            EXPECT_EQ(record.value(planning, index), record.defaultValue(index)) << place;
            for (const std::int64_t end : {range.lowest, range.highest}) {
                const PlanningAssumptions before = planning;
                EXPECT_TRUE(record.store(planning, index, end)) << place;
                EXPECT_EQ(record.value(planning, index), end) << place;
                for (const auto& other : rules) {
                    if (other.figure != record.figure) {
                        EXPECT_EQ(other.value(planning, index), other.value(before, index))
                            << place;
                    }
                }
            }
            const PlanningAssumptions before = planning;
            EXPECT_FALSE(record.store(planning, index, range.lowest - 1)) << place;
            EXPECT_FALSE(record.store(planning, index, range.highest + 1)) << place;
            EXPECT_EQ(planning, before) << place;
        }
        PlanningAssumptions planning; // a disk type or model outside its table (the program's
        EXPECT_EQ(record.store(planning, -1, record.rule.range.lowest), indexes == 1); // has none)
    }
}

TEST(PlanningFiguresTest, EachRecordReadsAndSetsItsOwnFigureWithinItsRange) {
    checkRecords(kDiskFigureRules, kDiskTypes.size());
    checkRecords(kModelFigureRules, kArrayModels.size());
    checkRecords(kProgramFigureRules, 1);
}

TEST(PlanningFiguresTest, ReadsATypedFigureInItsForm) {
    struct Case {
        FigureRule rule;
        const char* text;
        std::optional<std::int64_t> held;
    };
    const FigureRule whole{FigureForm::Whole, 0, {1, 100'000}};
    const FigureRule power{FigureForm::PowerOfTen, 0, {12, 18}};
    const FigureRule hundredths{FigureForm::Decimal, 2, {0, 5'000}};
    const FigureRule signedTenths{FigureForm::Decimal, 1, {-900, 1'000}};
    const FigureRule thousandths{FigureForm::Decimal, 3, {0, 1'000'000}};
    const Case cases[] = {
        {whole, " 180 ", 180},
        {whole, "0", std::nullopt},
        {whole, "1.5", std::nullopt},
        {whole, "-5", std::nullopt},
        {power, "10^17", 17},
        {power, "17", 17},
        {power, "10^19", std::nullopt},
        {hundredths, "2.5", 250},
        {hundredths, ".05", 5},
        {hundredths, "2.500", 250},
        {hundredths, "2.125", std::nullopt},
        {hundredths, "-1", std::nullopt},
        {signedTenths, "-20", -200},
        {signedTenths, "-20.5", -205},
        {signedTenths, "-90.1", std::nullopt},
        {signedTenths, "100.05", std::nullopt},
        {signedTenths, "--1", std::nullopt},
        {thousandths, "0.155", 155},
        {thousandths, "1000", 1'000'000},
        {thousandths, "0.0001", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(typedFigure(c.rule, c.text), c.held) << c.text;
    }
}

} // namespace
} // namespace brim
