// The workbook file: every state the program can hold, written and read back, is that state
// field for field.

#include "core/capacity_sizing.h"
#include "core/catalogue.h"
#include "core/planning_assumptions.h"
#include "core/planning_figures.h"
#include "report/workbook.h"

#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <variant>

namespace brim {
namespace {

// ---- a random state, every figure within its range ----

class Randomness {
public:
    explicit Randomness(unsigned seed) : engine_(seed) {}
    std::int64_t in(std::int64_t lowest, std::int64_t highest) {
        return std::uniform_int_distribution<std::int64_t>(lowest, highest)(engine_);
    }
    template <typename T> std::int64_t in(const AllowedRange<T>& range) {
        return in(static_cast<std::int64_t>(range.lowest),
                  static_cast<std::int64_t>(range.highest));
    }
    bool coin() { return in(0, 1) == 1; }

private:
    std::mt19937_64 engine_;
};

PlanSheet randomSheet(Randomness& r) {
    PlanSheet sheet;
    sheet.modelIndex = static_cast<int>(r.in(0, kArrayModels.size() - 1));
    for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
        PlanRow& row = sheet.rows[i];
        row.diskType = static_cast<int>(r.in(0, kDiskTypes.size() - 1));
        row.raidType = static_cast<int>(r.in(kNoRaidType, kRaidTypes.size() - 1));
        row.disksPerGroup = static_cast<std::uint32_t>(r.in(0, kMaxDisksPerGroup));
        row.groupCount = static_cast<std::uint32_t>(r.coin() ? r.in(0, 50) : r.in(0, UINT32_MAX));
        row.includesVault = i < kVaultRowCount && r.coin();
    }
    return sheet;
}

std::string randomName(Randomness& r, std::size_t index) {
    static constexpr std::array<std::string_view, 4> kParts{"Plan ", "Ω", "RAID6 ", "é"};
    std::string name = std::to_string(index);
    while (r.coin() && name.size() < 30) {
        name += kParts[static_cast<std::size_t>(r.in(0, kParts.size() - 1))];
    }
    return name + 'x';
}

Workbook randomWorkbook(Randomness& r) {
    Workbook workbook;
    workbook.sheet = randomSheet(r);
    const auto plans = static_cast<std::size_t>(r.in(0, kMaxKeptPlans));
    for (std::size_t i = 0; i < plans; ++i) {
        workbook.figures.plans.push_back({randomName(r, i), randomSheet(r)});
    }
    // Every planning figure, walked from the figures' tables: one left out of the workbook's keys
    // would come back at its default.
    PlanningAssumptions& p = workbook.figures.planning;
    const auto randomFigures = [&r, &p](const auto& rules, std::size_t indexes) {
        for (const auto& record : rules) {
            for (std::size_t i = 0; i < indexes; ++i) {
                const AllowedRange<std::int64_t> range = record.rule.range;
                const std::int64_t value = r.coin()   ? r.in(range)
                                           : r.coin() ? range.lowest
                                                      : range.highest;
                ASSERT_TRUE(record.store(p, static_cast<int>(i), value));
            }
        }
    };
    randomFigures(kDiskFigureRules, kDiskTypes.size());
    randomFigures(kModelFigureRules, kArrayModels.size());
    randomFigures(kProgramFigureRules, 1);
    SizingChoices& s = workbook.figures.sizing;
    s.unit = r.coin() ? CapacityUnit::Gb : CapacityUnit::Tb;
    s.diskType = r.coin() ? std::optional<int>() : static_cast<int>(r.in(0, kDiskTypes.size() - 1));
    s.minimumFailures = static_cast<int>(r.in(0, kMostFailuresAsked));
    s.hostIopsText = r.coin() ? std::to_string(r.in(kHostIopsNeedRange)) : " 7 ";
    s.mbpsText = r.coin() ? "" : std::to_string(r.in(kMbpsNeedRange));
    s.maxLossHundredths =
        r.coin() ? std::optional<std::int64_t>() : r.in(kLossLimitHundredthsRange);
    return workbook;
}

TEST(WorkbookRoundTrip, RandomStatesReadBackFieldForField) {
    Randomness random(20240623);
    for (int i = 0; i < 300; ++i) {
        const Workbook written = randomWorkbook(random);
        const WorkbookReading read = readWorkbook(formatWorkbook(written));
        ASSERT_TRUE(std::holds_alternative<Workbook>(read))
            << std::get<WorkbookRefusal>(read).message << "\n"
            << formatWorkbook(written);
        ASSERT_TRUE(std::get<Workbook>(read) == written) << formatWorkbook(written);
    }
}

// A workload text that Size for Capacity refuses states no need: it is saved empty, and the
// file still opens. The table of refused workbooks is the reader's (workbook_reader_test).
TEST(WorkbookRoundTrip, RefusedWorkloadTextsAreSavedEmpty) {
    const std::string refused[] = {"12a \"x\"", "0",   "10000001",
                                   "-5",        "1e3", std::string(100, ' ') + '5'};
    for (const std::string& text : refused) {
        Workbook written;
        written.figures.sizing.hostIopsText = text;
        written.figures.sizing.mbpsText = text;
        const WorkbookReading read = readWorkbook(formatWorkbook(written));
        ASSERT_TRUE(std::holds_alternative<Workbook>(read)) << text;
        EXPECT_EQ(std::get<Workbook>(read).figures.sizing, SizingChoices{}) << text;
    }
}

TEST(WorkbookVault, RowsSixToTenWriteNone) {
    Workbook workbook;
    workbook.sheet.rows[5].includesVault = true; // not written: rows 6 to 10 hold no vault
    EXPECT_FALSE(
        std::get<Workbook>(readWorkbook(formatWorkbook(workbook))).sheet.rows[5].includesVault);
}

} // namespace
} // namespace brim
