#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace brim {

// The fixed knowledge of the program: array models, their families, disk types and RAID types.
// Every table is indexed by list position, which is also the position of the entry in the
// window's pickers.

enum class ModelFamily : std::uint8_t { Zunda, Morvik, Telvar };

struct FamilyInfo {
    ModelFamily family;
    std::string_view name;
    // Private space that the array keeps on every disk of a group holding the vault.
    std::uint32_t vaultReservationKib;
};

struct ArrayModel {
    std::string_view name;
    ModelFamily family;
    std::uint32_t maxDisks;
    bool ataVaultAllowed; // may ATA disks sit in groups that hold the vault?
};

struct DiskType {
    bool isAta;
    std::string_view orlenReportName; // Morvik and Telvar
    std::string_view zundaReportName;
    // Usable KiB of one disk, per family in ModelFamily order; 0 = not offered on that family.
    std::array<std::uint32_t, 3> usableKib;
};

struct RaidType {
    std::string_view pickerName;
    std::string_view reportName;
    // Disks of one group that may fail at the same time without losing its data.
    int failuresSurvived;
    // Disk operations behind one host write: the data, plus reading and writing parity, or
    // the second copy of a mirror.
    int writePenalty;
};

// clang-format off
inline constexpr std::array<FamilyInfo, 3> kFamilies{{
    // family               name       vault reservation KiB
    {ModelFamily::Zunda,  "Zunda",  17948685},
    {ModelFamily::Morvik, "Morvik", 34568159},
    {ModelFamily::Telvar, "Telvar", 64976863},
}};

inline constexpr std::array<ArrayModel, 9> kArrayModels{{
    // name        family               max disks  ATA in vault groups
    {"Zunda S",  ModelFamily::Zunda,    60,        true},
    {"Morvik A", ModelFamily::Morvik,   60,        true},
    {"Morvik B", ModelFamily::Morvik,  120,        false},
    {"Morvik C", ModelFamily::Morvik,  240,        false},
    {"Morvik D", ModelFamily::Morvik,  480,        false},
    {"Telvar A", ModelFamily::Telvar,  120,        true},
    {"Telvar B", ModelFamily::Telvar,  240,        false},
    {"Telvar C", ModelFamily::Telvar,  480,        false},
    {"Telvar D", ModelFamily::Telvar,  960,        false},
}};

inline constexpr std::array<DiskType, 8> kDiskTypes{{
    // ATA    Orlen name     Zunda name     Zunda KiB   Morvik KiB  Telvar KiB
    {false, "73 G FC",    "73 G FC",    {        0,  69840937,  69840937}},
    {false, "146 G FC",   "146 G SAS",  {139849728, 140139380, 140139380}},
    {false, "300 G FC",   "300 G SAS",  {281117696, 281407299, 281407299}},
    {false, "400 G FC",   "400 G SAS",  {384290816, 384580508, 384580508}},
    {false, "450 G FC",   "450 G SAS",  {421839584, 422128348, 422128348}},
    {true,  "500 G ATA",  "500 G ATA",  {        0, 480838076, 480838076}},
    {true,  "750 G ATA",  "750 G ATA",  {720979968, 721269340, 721269340}},
    {true,  "1 TB ATA",   "1 TB ATA",   {961411072, 961700604, 961700604}},
}};

inline constexpr std::array<RaidType, 7> kRaidTypes{{
    // picker       report        failures survived  write penalty
    {"RAID0",     "RAID0",      0,                 1},
    {"RAID1",     "RAID1",      1,                 2},
    {"RAID1/0",   "RAID1/0",    1,                 2}, // one disk of any pair, for certain
    {"RAID3",     "RAID3",      1,                 4}, // counted like RAID5
    {"RAID5",     "RAID5",      1,                 4},
    {"RAID6",     "RAID 6",     2,                 6},
    {"IndivDisk", "IndivDisk",  0,                 1},
}};

inline constexpr std::array<std::string_view, 2> kVaultWords{"No", "Yes"};
// clang-format on

// Catalogue positions by name, at compile time: a misspelt name is not a constant expression,
// so it does not build. Each looks in one name column:
//   modelIndex: the model list's name ("Telvar A"),
//   diskIndex:  the Morvik and Telvar report name ("450 G FC", "1 TB ATA"),
//   raidIndex:  the RAID type list's name ("RAID5", "RAID6", "RAID1/0", "IndivDisk").
namespace catalogue_lookup {

template <typename Table, typename NameOf>
consteval int indexByName(const Table& table, std::string_view name, NameOf nameOf) {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (nameOf(table[i]) == name) {
            return static_cast<int>(i);
        }
    }
    throw "no catalogue entry has this name";
}

} // namespace catalogue_lookup

consteval int modelIndex(std::string_view name) {
    return catalogue_lookup::indexByName(kArrayModels, name,
                                         [](const ArrayModel& m) { return m.name; });
}

consteval int diskIndex(std::string_view name) {
    return catalogue_lookup::indexByName(kDiskTypes, name,
                                         [](const DiskType& d) { return d.orlenReportName; });
}

consteval int raidIndex(std::string_view name) {
    return catalogue_lookup::indexByName(kRaidTypes, name,
                                         [](const RaidType& r) { return r.pickerName; });
}

inline constexpr int kNoRaidType = -1;
inline constexpr int kRaidTypeRaid1 = raidIndex("RAID1");
inline constexpr int kRaidTypeIndivDisk = raidIndex("IndivDisk");

// Lookups by index. An index outside its table gives nullptr (or an empty name, or 0 KiB):
// nothing reads outside a table and nothing stops the program.
class Catalogue {
public:
    static const ArrayModel* model(int index) noexcept;
    static const DiskType* diskType(int index) noexcept;
    static const RaidType* raidType(int index) noexcept;
    static const FamilyInfo& family(ModelFamily family) noexcept;

    static std::string_view modelName(int modelIndex) noexcept;
    // The Zunda name on the Zunda family, the Orlen name on every other family.
    static std::string_view diskReportName(int diskIndex, int modelIndex) noexcept;
    static std::string_view raidPickerName(int raidIndex) noexcept;
    static std::string_view raidReportName(int raidIndex) noexcept;
    // 0 for an index outside the table (no RAID type chosen protects nothing).
    static int failuresSurvived(int raidIndex) noexcept;
    // 0 for an index outside the table: no RAID type chosen has no write penalty to count.
    static int writePenalty(int raidIndex) noexcept;
    static std::string_view vaultWord(bool includesVault) noexcept;
};

// The same lookups for a name read from a file or typed, in the same name columns: nothing
// when no entry has the name (the case counts).
std::optional<int> modelNamed(std::string_view name) noexcept;
std::optional<int> diskTypeNamed(std::string_view name) noexcept;

// Usable KiB of one disk of `diskIndex` in a group of a row on `modelIndex`. A vault row loses
// the vault reservation on every one of its disks. 0 when the disk type is not offered on the
// model's family (or either index is outside its table).
std::uint32_t usableDiskKib(int modelIndex, int diskIndex, bool includesVault) noexcept;

} // namespace brim
