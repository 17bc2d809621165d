#pragma once

// A second, deliberately plain implementation of the sizing rules, used by the fuzz targets
// and the long window session to check every result text that Compute writes. It shares no
// code and no tables with the program: the catalogue figures are typed in again here, the
// RAID rules are one switch, and texts are made with snprintf. So models, disk types and RAID
// types are bare positions here on purpose, not the names of catalogue_names.h, which are
// looked up in the program's own tables.

#include "core/config_sheet.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace brim::reference {

struct Model {
    int family; // 0 Zunda, 1 Morvik, 2 Telvar
    std::uint32_t maxDisks;
    bool ataInVault;
};

// clang-format off
inline constexpr Model kModels[9] = {
    {0, 60, true}, {1, 60, true}, {1, 120, false}, {1, 240, false}, {1, 480, false},
    {2, 120, true}, {2, 240, false}, {2, 480, false}, {2, 960, false},
};
inline constexpr std::uint32_t kVaultKib[3] = {17948685, 34568159, 64976863};
inline constexpr std::uint32_t kDiskKib[8][3] = {
    {0, 69840937, 69840937},
    {139849728, 140139380, 140139380},
    {281117696, 281407299, 281407299},
    {384290816, 384580508, 384580508},
    {421839584, 422128348, 422128348},
    {0, 480838076, 480838076},
    {720979968, 721269340, 721269340},
    {961411072, 961700604, 961700604},
};
// clang-format on

inline bool isAtaDisk(int disk) {
    return disk >= 5 && disk <= 7;
}

inline std::string capacityText(double value) {
    char text[400];
    std::snprintf(text, sizeof text, "%8.2f", value);
    return text;
}

// The RAID rule for one row: the usable fraction, or the message of the broken rule.
struct Rule {
    double fraction = 0.0;
    const char* message = nullptr;
};

inline Rule raidRule(std::int32_t raid, std::uint32_t n) {
    if (n == 0) {
        return {};
    }
    if (n > 16) {
        return {0.0, "Error: Max disks per group is 16"};
    }
    const double d = static_cast<double>(n);
    switch (raid) {
    case 0:
        return n >= 3 ? Rule{1.0} : Rule{0.0, "Error: RAID0 requires 3 to 16 disks per group"};
    case 1:
        return n == 2 ? Rule{0.5} : Rule{0.0, "Error: RAID1 disks per group is 2"};
    case 2:
        return n % 2 == 0 ? Rule{0.5}
                          : Rule{0.0, "Error: RAID10 group must have even number of disks"};
    case 3:
        return n == 5 || n == 9 ? Rule{1.0 - 1.0 / d}
                                : Rule{0.0, "Error: RAID3 requires 5 or 9 disks per group"};
    case 4:
        return n >= 3 ? Rule{1.0 - 1.0 / d}
                      : Rule{0.0, "Error: RAID5 requires 3 to 16 disks per group"};
    case 5:
        return n >= 4 && n % 2 == 0
                   ? Rule{1.0 - 2.0 / d}
                   : Rule{0.0, "Error: RAID6 requires 4 to 16, even number of disks per group"};
    case 6:
        return n == 1 ? Rule{1.0} : Rule{0.0, "Error: Individual Disk requires 1 disk per group"};
    default:
        return {}; // no RAID type chosen
    }
}

// The sheet as Compute must leave it, and the message it must show (if any).
struct Outcome {
    ConfigSheet sheet;
    std::optional<std::string> message;
    int failedRow = 0; // 1-10 when a row broke a rule
};

inline Outcome compute(const ConfigSheet& before) {
    Outcome out{before, std::nullopt, 0};
    ConfigSheet& s = out.sheet;
    const bool modelKnown = s.modelIndex >= 0 && s.modelIndex < 9;
    double netMib = 0.0;
    std::uint64_t disks = 0;
    auto fail = [&](int row, const char* message) {
        out.message = message;
        out.failedRow = row;
        s.netTotalGbText = s.netTotalTbText = s.totalDisksText = "Error";
        s.arraysRequiredText.clear();
        return out;
    };
    for (int r = 0; r < 10; ++r) {
        GroupDefinition& row = s.rows[r];
        const bool vault = r < 5 && row.includesVault; // rows 6-10 have no vault box
        const bool diskKnown = row.diskType >= 0 && row.diskType < 8;
        if (vault && modelKnown && !kModels[s.modelIndex].ataInVault && diskKnown &&
            isAtaDisk(row.diskType)) {
            return fail(r + 1, "Error: SATA drives not allowed in Vault enclosure.");
        }
        std::uint32_t kib = 0;
        if (modelKnown && diskKnown) {
            const int family = kModels[s.modelIndex].family;
            kib = kDiskKib[row.diskType][family];
            if (kib != 0 && vault) {
                kib -= kVaultKib[family];
            }
        }
        if (kib == 0 && row.groupCount != 0) {
            return fail(r + 1, "Disk type not allowed with selected chassis");
        }
        const double grossMib =
            static_cast<double>(kib) * static_cast<double>(row.disksPerGroup) / 1024.0;
        const Rule rule = raidRule(row.raidType, row.disksPerGroup);
        const double groupMib = rule.fraction * grossMib;
        const double totalMib = static_cast<double>(row.groupCount) * groupMib;
        netMib += totalMib;
        disks += static_cast<std::uint64_t>(row.groupCount) * row.disksPerGroup;
        row.groupCapacityText = capacityText(groupMib / 1024.0);
        row.totalCapacityText = capacityText(totalMib / 1024.0);
        if (rule.message) {
            return fail(r + 1, rule.message);
        }
    }
    std::uint64_t arrays = 0;
    if (disks != 0 && modelKnown) {
        arrays = static_cast<std::uint64_t>(
            std::ceil(static_cast<double>(disks) / kModels[s.modelIndex].maxDisks));
    }
    s.netTotalGbText = capacityText(netMib / 1024.0);
    s.netTotalTbText = capacityText(netMib / 1024.0 / 1024.0);
    s.totalDisksText = std::to_string(disks);
    s.arraysRequiredText = std::to_string(arrays);
    return out;
}

} // namespace brim::reference
