#pragma once

// The main window as data: where every control stands (in dialog units), what its lists hold,
// which sheet field it shows and in what order the exchange walks them, the Tab order and
// which command each user action runs. The window code only walks these tables.

#include "commands/disk_choices.h"
#include "commands/row_commands.h"
#include "core/catalogue.h"
#include "core/config_sheet.h"
#include "core/sheet_exchange.h"
#include "ui/dialog_units.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace brim {

enum class ControlKind : std::uint8_t {
    Label,        // static text, left-aligned, wrapping in its box
    ResultLeft,   // a result text of the sheet, left-aligned, not editable
    ResultRight,  // the same, right-aligned
    EditField,    // single line with a border; any characters, checked at the exchange
    DropDownList, // pick-only list; the height is that of the opened list
    CheckBox,
    PushButton,
    PresetButton, // a push button whose caption stands on two lines
    GroupBox,
};

// Controls that nothing refers to (unit labels, the RESULTS frame) have no identifier.
inline constexpr int kNoControlId = -1;

// The control that has the focus when the window opens.
inline constexpr int kModelListId = 1001;

inline constexpr DialogRect kSheetWindowRect{0, 0, 325, 262};
inline constexpr std::string_view kSheetWindowTitle = "Brimcount";

struct FixedControl {
    int id;
    ControlKind kind;
    std::string_view caption;
    DialogRect rect;
    std::string_view accessibleName;
};

// clang-format off
// Every control that does not belong to a row. The RESULTS frame comes first so that the
// result fields inside it stand on top of it.
inline constexpr std::array<FixedControl, 27> kFixedControls{{
    // id           kind                        caption                    x    y    w    h     accessible name
    {kNoControlId, ControlKind::GroupBox,     "RESULTS",               {134, 226, 184,  31}, "Results"},
    {1000,         ControlKind::Label,        "Array Model:",          { 10,   8,  39,   8}, "Array Model:"},
    {1001,         ControlKind::DropDownList, "",                      { 52,   6,  96,  61}, "Array model"},
    {1089,         ControlKind::PushButton,   "Help",                  {277,   1,  34,  14}, "Help"},
    {1005,         ControlKind::Label,        "# of Groups:",          { 18,  22,  32,  18}, "# of Groups:"},
    {1002,         ControlKind::Label,        "Disk Type:",            { 55,  22,  29,  18}, "Disk Type:"},
    {1004,         ControlKind::Label,        "RAID Type:",            {110,  22,  24,  16}, "RAID Type:"},
    {1003,         ControlKind::Label,        "# Disks Per Group:",    {147,  23,  35,  18}, "# Disks Per Group:"},
    {1083,         ControlKind::Label,        "Includes Vault Disks?", {184,  17,  28,  26}, "Includes Vault Disks?"},
    {1006,         ControlKind::Label,        "Group Capacity:",       {215,  23,  32,  19}, "Group Capacity:"},
    {1024,         ControlKind::Label,        "Total Capacity:",       {270,  23,  32,  19}, "Total Capacity:"},
    {1093,         ControlKind::PresetButton, "Low Cost",              {  8, 211,  22,  19}, "Low Cost"},
    {1095,         ControlKind::PresetButton, "Cheap IOPS",            { 30, 211,  27,  19}, "Cheap IOPS"},
    {1094,         ControlKind::PresetButton, "Max IOPS",              { 58, 211,  24,  19}, "Max IOPS"},
    {1098,         ControlKind::PresetButton, "BU 2 Disk",             { 82, 211,  23,  19}, "BU 2 Disk"},
    {1099,         ControlKind::CheckBox,     "Sticky Changes",        {  8, 231, 124,  10}, "Sticky Changes"},
    {1008,         ControlKind::PushButton,   "Compute",               {  7, 243,  37,  14}, "Compute"},
    {1100,         ControlKind::PushButton,   "Print",                 { 50, 243,  38,  14}, "Print"},
    {2,            ControlKind::PushButton,   "Done",                  { 93, 243,  39,  14}, "Done"},
    {1028,         ControlKind::ResultLeft,   "",                      {146, 234,  30,  10}, "Total disks"},
    {kNoControlId, ControlKind::Label,        "Disks",                 {181, 234,  24,  11}, "Disks"},
    {1018,         ControlKind::ResultLeft,   "",                      {229, 234,  53,  10}, "Net total in GB"},
    {kNoControlId, ControlKind::Label,        "GB",                    {290, 234,   9,   9}, "GB"},
    {1072,         ControlKind::ResultLeft,   "",                      {148, 245,  31,   9}, "D/SPEs required"},
    {kNoControlId, ControlKind::Label,        "D/SPEs Required",       {183, 245,  60,   9}, "D/SPEs Required"},
    {1071,         ControlKind::ResultLeft,   "",                      {252, 245,  30,  10}, "Net total in TB"},
    {kNoControlId, ControlKind::Label,        "TB",                    {290, 246,  16,   9}, "TB"},
}};
// clang-format on

// A fixed control's identifier by its accessible name ("Compute", "Net total in GB"), at compile
// time: a name that no control has is not a constant expression and does not build.
consteval int fixedControlId(std::string_view accessibleName) {
    for (const FixedControl& control : kFixedControls) {
        if (control.accessibleName == accessibleName && control.id != kNoControlId) {
            return control.id;
        }
    }
    throw "no control has this accessible name";
}

// The columns of a row, left to right.
enum class RowColumn : std::uint8_t {
    Clear,
    GroupCount,
    DiskType,
    RaidType,
    DisksPerGroup,
    Vault,
    GroupCapacity,
    GroupCapacityUnit,
    TotalCapacity,
    TotalCapacityUnit,
};

struct RowColumnLayout {
    RowColumn column;
    ControlKind kind;
    std::string_view caption;
    int x;
    int width;
    int height;
    // Read after "Row 3 ", so a screen reader names the row as well.
    std::string_view accessibleName;
};

// clang-format off
inline constexpr std::array<RowColumnLayout, 10> kRowColumns{{
    // column                         kind                       caption  x    w   h    accessible name
    {RowColumn::Clear,              ControlKind::PushButton,   "X",     7,   9,  9,  "clear"},
    {RowColumn::GroupCount,         ControlKind::EditField,    "",     18,  24, 12,  "number of groups"},
    {RowColumn::DiskType,           ControlKind::DropDownList, "",     46,  55, 73,  "disk type"},
    {RowColumn::RaidType,           ControlKind::DropDownList, "",    103,  44, 73,  "RAID type"},
    {RowColumn::DisksPerGroup,      ControlKind::EditField,    "",    151,  24, 12,  "disks per group"},
    {RowColumn::Vault,              ControlKind::CheckBox,     "",    184,  15, 12,  "includes vault disks"},
    {RowColumn::GroupCapacity,      ControlKind::ResultRight,  "",    197,  38, 13,  "group capacity"},
    {RowColumn::GroupCapacityUnit,  ControlKind::Label,        "GB",  240,  12,  9,  "group capacity GB"},
    {RowColumn::TotalCapacity,      ControlKind::ResultRight,  "",    263,  37, 10,  "total capacity"},
    {RowColumn::TotalCapacityUnit,  ControlKind::Label,        "GB",  302,  13,  9,  "total capacity GB"},
}};
// clang-format on

// One cell of a row: the control's identifier and its y.
struct RowCell {
    int id;
    int y;
};

inline constexpr RowCell kNoCell{kNoControlId, 0};

struct RowLayout {
    int row;
    RowCell groupCount;
    RowCell diskType;
    RowCell raidType;
    RowCell disksPerGroup;
    RowCell vault;
    RowCell groupCapacity;
    RowCell totalCapacity;
    RowCell clear;
    // The second "GB" label stands a unit further right in rows 7 to 10, and is narrower in
    // row 1.
    int totalUnitX;
    int totalUnitWidth;
};

// clang-format off
inline constexpr std::array<RowLayout, kRowCount> kRowLayouts{{
    // row  # of Groups    Disk Type      RAID Type      Disks/Group    Vault          Group Cap.     Total Cap.     X              GB x  GB w
    { 1,  {1011,  41},   {1007,  41},   {1010,  41},   {1009,  42},   {1084,  42},   {1012,  44},   {1025,  44},   {1073,  43},   302,  11},
    { 2,  {1016,  60},   {1014,  59},   {1015,  60},   {1013,  60},   {1085,  60},   {1017,  62},   {1026,  62},   {1074,  62},   302,  13},
    { 3,  {1022,  78},   {1020,  77},   {1021,  78},   {1019,  78},   {1086,  78},   {1023,  79},   {1027,  79},   {1075,  80},   302,  13},
    { 4,  {1029,  95},   {1030,  95},   {1031,  95},   {1032,  95},   {1087,  96},   {1033,  97},   {1034,  97},   {1076,  97},   302,  13},
    { 5,  {1035, 112},   {1036, 111},   {1037, 112},   {1038, 112},   {1088, 114},   {1039, 113},   {1040, 113},   {1077, 114},   302,  13},
    { 6,  {1041, 129},   {1042, 127},   {1043, 129},   {1044, 129},   kNoCell,       {1045, 130},   {1046, 130},   {1078, 131},   302,  13},
    { 7,  {1047, 146},   {1048, 146},   {1049, 146},   {1050, 146},   kNoCell,       {1051, 147},   {1052, 147},   {1079, 147},   303,  13},
    { 8,  {1053, 163},   {1054, 163},   {1055, 163},   {1056, 163},   kNoCell,       {1057, 164},   {1058, 164},   {1080, 165},   303,  13},
    { 9,  {1059, 179},   {1060, 179},   {1061, 179},   {1062, 179},   kNoCell,       {1063, 181},   {1064, 181},   {1081, 181},   303,  13},
    {10,  {1065, 196},   {1066, 196},   {1067, 196},   {1068, 196},   kNoCell,       {1069, 197},   {1070, 197},   {1082, 198},   303,  13},
}};
// clang-format on

// The cell of a column in a row. The two "GB" labels have no identifier and stand at the y of
// their result fields.
constexpr RowCell rowCell(const RowLayout& row, RowColumn column) noexcept {
    switch (column) {
    case RowColumn::Clear:
        return row.clear;
    case RowColumn::GroupCount:
        return row.groupCount;
    case RowColumn::DiskType:
        return row.diskType;
    case RowColumn::RaidType:
        return row.raidType;
    case RowColumn::DisksPerGroup:
        return row.disksPerGroup;
    case RowColumn::Vault:
        return row.vault;
    case RowColumn::GroupCapacity:
        return row.groupCapacity;
    case RowColumn::GroupCapacityUnit:
        return {kNoControlId, row.groupCapacity.y};
    case RowColumn::TotalCapacity:
        return row.totalCapacity;
    case RowColumn::TotalCapacityUnit:
        return {kNoControlId, row.totalCapacity.y};
    }
    return kNoCell;
}

// Whether the row has a control in the column at all (rows 6 to 10 have no vault box).
constexpr bool rowHasColumn(const RowLayout& row, RowColumn column) noexcept {
    return column != RowColumn::Vault || row.vault.id != kNoControlId;
}

// Where a row's control of a column stands.
constexpr DialogRect rowControlRect(const RowLayout& row, const RowColumnLayout& column) noexcept {
    const int y = rowCell(row, column.column).y;
    if (column.column == RowColumn::TotalCapacityUnit) {
        return {row.totalUnitX, y, row.totalUnitWidth, column.height};
    }
    return {column.x, y, column.width, column.height};
}

// List entries, in list order: an entry's position is the catalogue index it stands for.
// The texts are the lists' own, blanks included.
// clang-format off
inline constexpr std::array<std::string_view, 9> kModelEntries{
    "Zunda S", "Morvik A", "Morvik B", "Morvik C", "Morvik D",
    "Telvar A", "Telvar B", "Telvar C", "Telvar D",
};
inline constexpr std::array<std::string_view, 7> kRaidEntries{
    "RAID0", "RAID1", "RAID1/0", "RAID3", "RAID5", "RAID6", "IndivDisk",
};

// Each list's entry i stands for catalogue entry i. The disk lists spell a few names their own
// way and pad some with blanks; from "146 G FC" on they agree with the report names.
constexpr bool listNamesCatalogue(std::span<const std::string_view> entries,
                                  auto catalogueName, std::size_t firstAgreeing) noexcept {
    for (std::size_t i = firstAgreeing; i < entries.size(); ++i) {
        std::string_view entry = entries[i];
        entry.remove_prefix(std::min(entry.find_first_not_of(' '), entry.size()));
        if (entry != catalogueName(i)) {
            return false;
        }
    }
    return true;
}
static_assert(kModelEntries.size() == kArrayModels.size() &&
              listNamesCatalogue(kModelEntries, [](std::size_t i) { return kArrayModels[i].name; },
                                 0));
static_assert(kRaidEntries.size() == kRaidTypes.size() &&
              listNamesCatalogue(kRaidEntries,
                                 [](std::size_t i) { return kRaidTypes[i].pickerName; }, 0));
static_assert(kDiskEntriesRow1.size() == kDiskTypes.size() &&
              kDiskEntriesRows2To3.size() == kDiskTypes.size() &&
              kDiskEntriesRows4To10.size() == kDiskTypes.size());
constexpr auto kDiskReportNameAt = [](std::size_t i) { return kDiskTypes[i].orlenReportName; };
static_assert(listNamesCatalogue(kDiskEntriesRow1, kDiskReportNameAt, diskIndex("146 G FC")) &&
              listNamesCatalogue(kDiskEntriesRows2To3, kDiskReportNameAt, diskIndex("146 G FC")) &&
              listNamesCatalogue(kDiskEntriesRows4To10, kDiskReportNameAt, diskIndex("146 G FC")));

struct ListFill {
    int id;
    std::span<const std::string_view> entries;
};

// Filled when the window opens, before the controls first show the sheet.
inline constexpr std::array<ListFill, 21> kListFills{{
    {1001, kModelEntries},
    {1007, kDiskEntriesRow1},
    {1014, kDiskEntriesRows2To3},
    {1020, kDiskEntriesRows2To3},
    {1030, kDiskEntriesRows4To10},
    {1036, kDiskEntriesRows4To10},
    {1042, kDiskEntriesRows4To10},
    {1048, kDiskEntriesRows4To10},
    {1054, kDiskEntriesRows4To10},
    {1060, kDiskEntriesRows4To10},
    {1066, kDiskEntriesRows4To10},
    {1010, kRaidEntries}, {1015, kRaidEntries}, {1021, kRaidEntries}, {1031, kRaidEntries},
    {1037, kRaidEntries}, {1043, kRaidEntries}, {1049, kRaidEntries}, {1055, kRaidEntries},
    {1061, kRaidEntries}, {1067, kRaidEntries},
}};
// clang-format on

// Which sheet field a control shows.
struct Binding {
    int id;
    SheetField field;
};

// clang-format off
// The exchange walks the bindings in this order, both ways: a copy into the sheet that stops
// at a refused field leaves every later field as it was. Each disks-per-group field is checked
// against its range right after it is stored.
inline constexpr std::array<Binding, 71> kBindings{{
    // row 1
    {1007, {SheetFieldKind::DiskType, 1}},
    {1009, {SheetFieldKind::DisksPerGroup, 1}},
    {1010, {SheetFieldKind::RaidType, 1}},
    {1011, {SheetFieldKind::GroupCount, 1}},
    {1012, {SheetFieldKind::GroupCapacityText, 1}},
    // row 2
    {1017, {SheetFieldKind::GroupCapacityText, 2}},
    {1016, {SheetFieldKind::GroupCount, 2}},
    {1013, {SheetFieldKind::DisksPerGroup, 2}},
    {1015, {SheetFieldKind::RaidType, 2}},
    {1014, {SheetFieldKind::DiskType, 2}},
    // net total in GB
    {1018, {SheetFieldKind::NetTotalGbText}},
    // row 3
    {1020, {SheetFieldKind::DiskType, 3}},
    {1021, {SheetFieldKind::RaidType, 3}},
    {1019, {SheetFieldKind::DisksPerGroup, 3}},
    {1022, {SheetFieldKind::GroupCount, 3}},
    {1023, {SheetFieldKind::GroupCapacityText, 3}},
    // total capacity of rows 1 to 3
    {1025, {SheetFieldKind::TotalCapacityText, 1}},
    {1026, {SheetFieldKind::TotalCapacityText, 2}},
    {1027, {SheetFieldKind::TotalCapacityText, 3}},
    // total disks
    {1028, {SheetFieldKind::TotalDisksText}},
    // total capacity of rows 4 to 10
    {1034, {SheetFieldKind::TotalCapacityText, 4}},
    {1040, {SheetFieldKind::TotalCapacityText, 5}},
    {1046, {SheetFieldKind::TotalCapacityText, 6}},
    {1052, {SheetFieldKind::TotalCapacityText, 7}},
    {1058, {SheetFieldKind::TotalCapacityText, 8}},
    {1064, {SheetFieldKind::TotalCapacityText, 9}},
    {1070, {SheetFieldKind::TotalCapacityText, 10}},
    // disk type of rows 4 to 10
    {1030, {SheetFieldKind::DiskType, 4}},
    {1036, {SheetFieldKind::DiskType, 5}},
    {1042, {SheetFieldKind::DiskType, 6}},
    {1048, {SheetFieldKind::DiskType, 7}},
    {1054, {SheetFieldKind::DiskType, 8}},
    {1060, {SheetFieldKind::DiskType, 9}},
    {1066, {SheetFieldKind::DiskType, 10}},
    // RAID type of rows 4 to 10
    {1031, {SheetFieldKind::RaidType, 4}},
    {1037, {SheetFieldKind::RaidType, 5}},
    {1043, {SheetFieldKind::RaidType, 6}},
    {1049, {SheetFieldKind::RaidType, 7}},
    {1055, {SheetFieldKind::RaidType, 8}},
    {1061, {SheetFieldKind::RaidType, 9}},
    {1067, {SheetFieldKind::RaidType, 10}},
    // disks per group of rows 4 to 10
    {1032, {SheetFieldKind::DisksPerGroup, 4}},
    {1038, {SheetFieldKind::DisksPerGroup, 5}},
    {1044, {SheetFieldKind::DisksPerGroup, 6}},
    {1050, {SheetFieldKind::DisksPerGroup, 7}},
    {1056, {SheetFieldKind::DisksPerGroup, 8}},
    {1062, {SheetFieldKind::DisksPerGroup, 9}},
    {1068, {SheetFieldKind::DisksPerGroup, 10}},
    // number of groups of rows 4 to 10
    {1029, {SheetFieldKind::GroupCount, 4}},
    {1035, {SheetFieldKind::GroupCount, 5}},
    {1041, {SheetFieldKind::GroupCount, 6}},
    {1047, {SheetFieldKind::GroupCount, 7}},
    {1053, {SheetFieldKind::GroupCount, 8}},
    {1059, {SheetFieldKind::GroupCount, 9}},
    {1065, {SheetFieldKind::GroupCount, 10}},
    // group capacity of rows 4 to 10
    {1033, {SheetFieldKind::GroupCapacityText, 4}},
    {1039, {SheetFieldKind::GroupCapacityText, 5}},
    {1045, {SheetFieldKind::GroupCapacityText, 6}},
    {1051, {SheetFieldKind::GroupCapacityText, 7}},
    {1057, {SheetFieldKind::GroupCapacityText, 8}},
    {1063, {SheetFieldKind::GroupCapacityText, 9}},
    {1069, {SheetFieldKind::GroupCapacityText, 10}},
    // net total in TB, model, arrays required
    {1071, {SheetFieldKind::NetTotalTbText}},
    {1001, {SheetFieldKind::ModelIndex}},
    {1072, {SheetFieldKind::ArraysRequiredText}},
    // vault boxes of rows 1 to 5
    {1084, {SheetFieldKind::IncludesVault, 1}},
    {1085, {SheetFieldKind::IncludesVault, 2}},
    {1086, {SheetFieldKind::IncludesVault, 3}},
    {1087, {SheetFieldKind::IncludesVault, 4}},
    {1088, {SheetFieldKind::IncludesVault, 5}},
    // sticky changes
    {1099, {SheetFieldKind::StickyChanges}},
}};

// A label that stands beside one control names it for assistive tools. The column headings
// stand above ten controls each and name none of them alone.
struct LabelBuddy {
    int label;
    int control;
};

inline constexpr std::array<LabelBuddy, 1> kLabelBuddies{{
    {1000, 1001}, // "Array Model:" beside the model list
}};

// The order in which Tab moves the focus.
inline constexpr std::array<int, 65> kTabOrder{
    1001,                           // model list
    1011, 1007, 1010, 1009,         // row 1: # of Groups, Disk Type, RAID Type, # Disks Per Group
    1016, 1014, 1015, 1013,         // row 2
    1022, 1020, 1021, 1019,         // row 3
    1029, 1030, 1031, 1032,         // row 4
    1035, 1036, 1037, 1038,         // row 5
    1041, 1042, 1043, 1044,         // row 6
    1047, 1048, 1049, 1050,         // row 7
    1053, 1054, 1055, 1056,         // row 8
    1059, 1060, 1061, 1062,         // row 9
    1065, 1066, 1067, 1068,         // row 10
    1008, 2,                        // Compute, Done
    1073, 1074, 1075, 1076, 1077,   // X buttons of rows 1 to 10
    1078, 1079, 1080, 1081, 1082,
    1084, 1085, 1086, 1087, 1088,   // vault boxes of rows 1 to 5
    1089,                           // Help
    1093, 1094, 1095, 1098,         // Low Cost, Max IOPS, Cheap IOPS, BU 2 Disk
    1099, 1100,                     // Sticky Changes, Print
};
// clang-format on

// What the user does to a control.
enum class UserAction : std::uint8_t {
    Picks,     // picks a list entry, by mouse or keyboard
    EditsText, // changes a field's text: keystroke, deletion, paste
    Clicks,    // clicks a button or check box (or presses it with the keyboard)
};

// What runs. The row commands are those of RowCommands; the rest belong to the window.
enum class WindowCommand : std::uint8_t {
    ChangeModel,
    ChangeRaidType,
    // Both only capture (captureInput); the sheet's history names them apart.
    CaptureGroupCount,
    CaptureStickyChanges,
    ToggleVault,
    ClearRow,
    ApplyPreset,
    Compute,
    PrintReport,
    ShowHelp,
    CloseWindow,
};

struct EventMapEntry {
    int id;
    UserAction action;
    WindowCommand command;
    int row; // the row the control belongs to, 1 to 10; 0 for controls outside the rows
};

// clang-format off
// Every user action that runs something, with the one command it runs. Picking a disk type and
// typing a number of disks per group run nothing: they reach the sheet at the next capture.
// A preset button's values are found in kPresets by its identifier.
inline constexpr std::array<EventMapEntry, 45> kEventMap{{
    {1001, UserAction::Picks,     WindowCommand::ChangeModel,     0},
    {1010, UserAction::Picks,     WindowCommand::ChangeRaidType,  1},
    {1015, UserAction::Picks,     WindowCommand::ChangeRaidType,  2},
    {1021, UserAction::Picks,     WindowCommand::ChangeRaidType,  3},
    {1031, UserAction::Picks,     WindowCommand::ChangeRaidType,  4},
    {1037, UserAction::Picks,     WindowCommand::ChangeRaidType,  5},
    {1043, UserAction::Picks,     WindowCommand::ChangeRaidType,  6},
    {1049, UserAction::Picks,     WindowCommand::ChangeRaidType,  7},
    {1055, UserAction::Picks,     WindowCommand::ChangeRaidType,  8},
    {1061, UserAction::Picks,     WindowCommand::ChangeRaidType,  9},
    {1067, UserAction::Picks,     WindowCommand::ChangeRaidType, 10},
    {1011, UserAction::EditsText, WindowCommand::CaptureGroupCount,  1},
    {1016, UserAction::EditsText, WindowCommand::CaptureGroupCount,  2},
    {1022, UserAction::EditsText, WindowCommand::CaptureGroupCount,  3},
    {1029, UserAction::EditsText, WindowCommand::CaptureGroupCount,  4},
    {1035, UserAction::EditsText, WindowCommand::CaptureGroupCount,  5},
    {1041, UserAction::EditsText, WindowCommand::CaptureGroupCount,  6},
    {1047, UserAction::EditsText, WindowCommand::CaptureGroupCount,  7},
    {1053, UserAction::EditsText, WindowCommand::CaptureGroupCount,  8},
    {1059, UserAction::EditsText, WindowCommand::CaptureGroupCount,  9},
    {1065, UserAction::EditsText, WindowCommand::CaptureGroupCount, 10},
    {1099, UserAction::Clicks,    WindowCommand::CaptureStickyChanges, 0},
    {1084, UserAction::Clicks,    WindowCommand::ToggleVault,     1},
    {1085, UserAction::Clicks,    WindowCommand::ToggleVault,     2},
    {1086, UserAction::Clicks,    WindowCommand::ToggleVault,     3},
    {1087, UserAction::Clicks,    WindowCommand::ToggleVault,     4},
    {1088, UserAction::Clicks,    WindowCommand::ToggleVault,     5},
    {1073, UserAction::Clicks,    WindowCommand::ClearRow,        1},
    {1074, UserAction::Clicks,    WindowCommand::ClearRow,        2},
    {1075, UserAction::Clicks,    WindowCommand::ClearRow,        3},
    {1076, UserAction::Clicks,    WindowCommand::ClearRow,        4},
    {1077, UserAction::Clicks,    WindowCommand::ClearRow,        5},
    {1078, UserAction::Clicks,    WindowCommand::ClearRow,        6},
    {1079, UserAction::Clicks,    WindowCommand::ClearRow,        7},
    {1080, UserAction::Clicks,    WindowCommand::ClearRow,        8},
    {1081, UserAction::Clicks,    WindowCommand::ClearRow,        9},
    {1082, UserAction::Clicks,    WindowCommand::ClearRow,       10},
    {1093, UserAction::Clicks,    WindowCommand::ApplyPreset,     0},
    {1094, UserAction::Clicks,    WindowCommand::ApplyPreset,     0},
    {1095, UserAction::Clicks,    WindowCommand::ApplyPreset,     0},
    {1098, UserAction::Clicks,    WindowCommand::ApplyPreset,     0},
    {1008, UserAction::Clicks,    WindowCommand::Compute,         0},
    {1100, UserAction::Clicks,    WindowCommand::PrintReport,     0},
    {1089, UserAction::Clicks,    WindowCommand::ShowHelp,        0},
    {2,    UserAction::Clicks,    WindowCommand::CloseWindow,     0},
}};
// clang-format on

// Every preset button finds its values in kPresets, and every preset has its button.
constexpr bool presetButtonsFindTheirPresets() noexcept {
    std::size_t buttons = 0;
    for (const EventMapEntry& entry : kEventMap) {
        if (entry.command != WindowCommand::ApplyPreset) {
            continue;
        }
        ++buttons;
        if (std::none_of(kPresets.begin(), kPresets.end(),
                         [&](const Preset& p) { return p.controlId == entry.id; })) {
            return false;
        }
    }
    return buttons == kPresets.size();
}
static_assert(presetButtonsFindTheirPresets());

} // namespace brim
