#pragma once

#include "core/config_sheet.h"
#include "core/message_sink.h"
#include "report/report.h"
#include "tests/support/catalogue_names.h"
#include "tests/support/recording_sink.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brim::test {

// Answers the save-file chooser with a fixed path, or a cancel when it holds none.
class FakeChooser : public ReportFileChooser {
public:
    explicit FakeChooser(std::optional<std::string> answer) : answer_(std::move(answer)) {}
    std::optional<std::string> chooseReportFile() override {
        ++calls;
        return answer_;
    }
    int calls = 0;

private:
    std::optional<std::string> answer_;
};

struct WantedRow {
    int rowIndex;
    std::uint32_t groupCount;
    int diskType;
    int raidType;
    std::uint32_t disksPerGroup;
    bool includesVault;
    std::string groupCapacityText;
    std::string totalCapacityText;
};

inline void setRow(ConfigSheet& sheet, const WantedRow& wanted) {
    GroupDefinition& row = sheet.rows[static_cast<std::size_t>(wanted.rowIndex)];
    row.groupCount = wanted.groupCount;
    row.diskType = wanted.diskType;
    row.raidType = wanted.raidType;
    row.disksPerGroup = wanted.disksPerGroup;
    row.includesVault = wanted.includesVault;
    row.groupCapacityText = wanted.groupCapacityText;
    row.totalCapacityText = wanted.totalCapacityText;
}

inline void setTotals(ConfigSheet& sheet, std::string gb, std::string tb, std::string disks,
                      std::string arrays) {
    sheet.netTotalGbText = std::move(gb);
    sheet.netTotalTbText = std::move(tb);
    sheet.totalDisksText = std::move(disks);
    sheet.arraysRequiredText = std::move(arrays);
}

// Ten rows with groups, as after a successful Compute on "Telvar D".
inline ConfigSheet tenRowSheet() {
    ConfigSheet sheet;
    sheet.modelIndex = names::kTelvarD;
    setTotals(sheet, "  99999.99", "   97.66", "960", "1");
    for (int i = 0; i < kRowCount; ++i) {
        setRow(sheet, {i, 6, names::k1TbAta, names::kRaid6, 16, i < kVaultRowCount, " 12840.09",
                       "  77040.53"});
    }
    return sheet;
}

} // namespace brim::test
