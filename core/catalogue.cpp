#include "core/catalogue.h"

#include <cstddef>

namespace brim {
namespace {

template <typename Table>
const typename Table::value_type* entryAt(const Table& table, int index) noexcept {
    if (index < 0 || static_cast<std::size_t>(index) >= table.size()) {
        return nullptr;
    }
    return &table[static_cast<std::size_t>(index)];
}

std::size_t column(ModelFamily family) noexcept {
    return static_cast<std::size_t>(family);
}

template <typename Table, typename NameOf>
std::optional<int> indexNamed(const Table& table, std::string_view name, NameOf nameOf) noexcept {
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (nameOf(table[i]) == name) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<int> modelNamed(std::string_view name) noexcept {
    return indexNamed(kArrayModels, name, [](const ArrayModel& m) { return m.name; });
}

std::optional<int> diskTypeNamed(std::string_view name) noexcept {
    return indexNamed(kDiskTypes, name, [](const DiskType& d) { return d.orlenReportName; });
}

const ArrayModel* Catalogue::model(int index) noexcept {
    return entryAt(kArrayModels, index);
}

const DiskType* Catalogue::diskType(int index) noexcept {
    return entryAt(kDiskTypes, index);
}

const RaidType* Catalogue::raidType(int index) noexcept {
    return entryAt(kRaidTypes, index);
}

const FamilyInfo& Catalogue::family(ModelFamily family) noexcept {
    return kFamilies[column(family)];
}

std::string_view Catalogue::modelName(int modelIndex) noexcept {
    const ArrayModel* m = model(modelIndex);
    return m ? m->name : std::string_view{};
}

std::string_view Catalogue::diskReportName(int diskIndex, int modelIndex) noexcept {
    const DiskType* disk = diskType(diskIndex);
    const ArrayModel* m = model(modelIndex);
    if (!disk || !m) {
        return {};
    }
    return m->family == ModelFamily::Zunda ? disk->zundaReportName : disk->orlenReportName;
}

std::string_view Catalogue::raidPickerName(int raidIndex) noexcept {
    const RaidType* raid = raidType(raidIndex);
    return raid ? raid->pickerName : std::string_view{};
}

std::string_view Catalogue::raidReportName(int raidIndex) noexcept {
    const RaidType* raid = raidType(raidIndex);
    return raid ? raid->reportName : std::string_view{};
}

int Catalogue::failuresSurvived(int raidIndex) noexcept {
    const RaidType* raid = raidType(raidIndex);
    return raid ? raid->failuresSurvived : 0;
}

int Catalogue::writePenalty(int raidIndex) noexcept {
    const RaidType* raid = raidType(raidIndex);
    return raid ? raid->writePenalty : 0;
}

std::string_view Catalogue::vaultWord(bool includesVault) noexcept {
    return kVaultWords[includesVault ? 1 : 0];
}

std::uint32_t usableDiskKib(int modelIndex, int diskIndex, bool includesVault) noexcept {
    const ArrayModel* model = Catalogue::model(modelIndex);
    const DiskType* disk = Catalogue::diskType(diskIndex);
    if (!model || !disk) {
        return 0;
    }
    const std::uint32_t kib = disk->usableKib[column(model->family)];
    if (kib == 0 || !includesVault) {
        return kib;
    }
    // Every offered disk is larger than its family's reservation, so this stays positive.
    return kib - Catalogue::family(model->family).vaultReservationKib;
}

} // namespace brim
