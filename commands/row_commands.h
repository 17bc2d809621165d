#pragma once

#include "config_sheet.h"
#include "message_sink.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace brim {

// What the editing commands need of the main window: the two directions of exchange, enabling
// one control by its identifier, and the message box.
class SheetView {
public:
    virtual ~SheetView() = default;
    // Reads every control into the sheet; false when a field was refused (its notice shown).
    virtual bool copyControlsToSheet() = 0;
    virtual void copySheetToControls() = 0;
    virtual void enableControl(int controlId, bool enabled) = 0;
    virtual MessageSink& messages() = 0;
};

struct Preset {
    std::string_view caption;
    int controlId;
    std::uint32_t disksPerGroup;
    std::int32_t diskType;
    std::int32_t raidType;
};

// clang-format off
// Left to right on screen.
inline constexpr std::array<Preset, 4> kPresets{{
    // caption        button  disks/group  disk type         RAID type
    {"Low Cost",     1093,   9,           4 /* 450 G FC */, 4 /* RAID5 */},
    {"Cheap IOPS",   1095,   5,           2 /* 300 G FC */, 4 /* RAID5 */},
    {"Max IOPS",     1094,   4,           1 /* 146 G FC */, 2 /* RAID1/0 */},
    {"BU 2 Disk",    1098,   5,           7 /* 1 TB ATA */, 4 /* RAID5 */},
}};

// The editing controls of each row, in the order a clear enables them: disk picker, RAID
// picker, disks-per-group field.
struct RowEditControls {
    static constexpr int kControlsPerRow = 3;
    int diskPicker;
    int raidPicker;
    int disksPerGroupField;
};

inline constexpr std::array<RowEditControls, kRowCount> kRowEditControls{{
    {1007, 1010, 1009},
    {1014, 1015, 1013},
    {1020, 1021, 1019},
    {1030, 1031, 1032},
    {1036, 1037, 1038},
    {1042, 1043, 1044},
    {1048, 1049, 1050},
    {1054, 1055, 1056},
    {1060, 1061, 1062},
    {1066, 1067, 1068},
}};
// clang-format on

// The commands by which the main window changes its sheet. The order in which each calls the
// view is what the user sees, so it is part of each command. Rows are numbered 1 to 10.
class RowCommands {
public:
    RowCommands(ConfigSheet& sheet, SheetView& view);

    // Compute: capture, compute, refresh (on every path).
    void compute();
    void changeRaidType(int row);
    void applyRaidLock(int row);
    void clearRow(int row);
    void applyPreset(const Preset& preset);
    void changeModel();
    void toggleVault();
    void captureInput();

    bool disksFieldLocked(int row) const noexcept;

private:
    ConfigSheet& sheet_;
    SheetView& view_;
    std::array<bool, kRowCount> disksFieldLocked_{};
};

} // namespace brim
