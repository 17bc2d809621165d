#include "commands/disk_choices.h"

#include "core/blanks.h"
#include "core/catalogue.h"

namespace brim {

std::string_view diskNameInList(std::span<const std::string_view> list, int diskType,
                                int modelIndex) {
    if (diskType >= 0 && static_cast<std::size_t>(diskType) < list.size()) {
        return trimBlanks(list[static_cast<std::size_t>(diskType)]);
    }
    return Catalogue::diskReportName(diskType, modelIndex);
}

std::vector<DiskChoice> offeredDiskTypes(int modelIndex, std::span<const std::string_view> list) {
    std::vector<DiskChoice> offered;
    for (int disk = 0; disk < static_cast<int>(kDiskTypes.size()); ++disk) {
        if (usableDiskKib(modelIndex, disk, false) != 0) {
            offered.push_back({disk, diskNameInList(list, disk, modelIndex)});
        }
    }
    return offered;
}

} // namespace brim
