#pragma once

#include "core/catalogue.h"
#include "core/message_sink.h"
#include "core/units.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace brim {

inline constexpr int kRowCount = 10;
inline constexpr int kVaultRowCount = 5; // only rows 1 to 5 have a vault box

// What the planner types and picks in one definition: its five inputs. The sheet's rows, the
// kept plans' rows and the workbook's rows are this; everything else a row holds is worked out.
struct DefinitionInputs {
    std::int32_t diskType = diskIndex("450 G FC");
    std::int32_t raidType = kNoRaidType;
    std::uint32_t disksPerGroup = 0;
    std::uint32_t groupCount = 0;
    bool includesVault = false; // rows 1 to 5 only have the box

    friend bool operator==(const DefinitionInputs&, const DefinitionInputs&) = default;
};

// One row of the sheet: a definition of like RAID groups, with what Compute wrote for it.
struct GroupDefinition : DefinitionInputs {
    std::string groupCapacityText;
    std::string totalCapacityText;
};

// The inputs of one row that its capacities depend on, as Compute reads them.
struct RowInputs {
    std::int32_t diskType = 0;
    std::int32_t raidType = 0;
    std::uint32_t disksPerGroup = 0;
    std::uint32_t groupCount = 0;
    bool holdsVault = false;

    friend bool operator==(const RowInputs&, const RowInputs&) = default;
};

// The inputs of the definition in row `rowIndex` (0 to 9) as Compute reads them: rows 6 to 10
// hold no vault, whatever their flag says.
RowInputs rowInputsOf(const DefinitionInputs& row, std::size_t rowIndex) noexcept;

// What a row's two result texts were computed from.
struct RowFiguresBasis {
    std::int32_t modelIndex = 0;
    RowInputs inputs;

    friend bool operator==(const RowFiguresBasis&, const RowFiguresBasis&) = default;
};

// What the totals were computed from: the model and every row.
struct TotalsBasis {
    std::int32_t modelIndex = 0;
    std::array<RowInputs, kRowCount> rows{};

    friend bool operator==(const TotalsBasis&, const TotalsBasis&) = default;
};

// What the window's controls show of the inputs, read for drawing and for deciding whether the
// figures still belong to them; such a read writes nothing into the sheet. A row one of whose
// number fields does not read as a number has no inputs: it differs from any basis.
struct ScreenInputs {
    std::int32_t modelIndex = 0;
    std::array<std::optional<RowInputs>, kRowCount> rows{};
};

// The whole state of the calculator. Result texts are written by computeSheet, and put back
// whole by the exchange with the controls and by Undo and Redo.
struct ConfigSheet {
    std::int32_t modelIndex = brim::modelIndex("Telvar A");
    std::array<GroupDefinition, kRowCount> rows{};
    bool stickyChanges = true;
    std::string netTotalGbText;
    std::string netTotalTbText;
    std::string totalDisksText;
    std::string arraysRequiredText;
    // Written by computeSheet beside the texts they belong to, so that a text whose inputs have
    // changed since can be told from a fresh one; empty where no Compute has written the texts.
    std::array<std::optional<RowFiguresBasis>, kRowCount> rowFiguresBasis{};
    std::optional<TotalsBasis> totalsBasis;
};

// Rows 6 to 10 have no vault box: whatever their flag says, they never hold the vault.
bool rowHoldsVault(const ConfigSheet& sheet, std::size_t rowIndex) noexcept;

// Only some models let ATA disks sit in the groups that hold the vault.
bool breaksAtaVaultRule(int modelIndex, int diskType, bool holdsVault) noexcept;

struct GroupCapacity {
    double groupUsableMib = 0.0;
    double totalUsableMib = 0.0;
    bool error = false;
};

// Usable MiB of one group and of all groups of a row; asks the RAID rule, which shows its own
// message when the row breaks it.
GroupCapacity computeGroup(std::uint32_t diskKib, std::uint32_t disksPerGroup,
                           std::uint32_t groupCount, std::int32_t raidType, MessageSink& messages);

// What Compute finds when it walks the rows, before it writes any text.
struct SheetWalk {
    std::array<GroupCapacity, kRowCount> rows{}; // the first `rowsComputed` rows, in order
    // Rows that reached computeGroup: every row when nothing failed, and the failing row too
    // when its RAID rule broke (its capacities are then 0).
    std::size_t rowsComputed = 0;
    double netTotalMib = 0.0;
    // Counted in 64 bits: hundreds of millions of groups would wrap a 32-bit count.
    std::uint64_t totalDisks = 0;
    bool failed = false; // a row broke a rule; its message has been shown
};

// Checks and computes the rows in order, as Compute does, and stops at the first row that
// breaks a rule. Writes nothing into the sheet.
SheetWalk walkSheet(const ConfigSheet& sheet, MessageSink& messages);

// Arrays of the model needed for this many disks, rounded up; 0 disks need none, nor does a
// model outside the table.
std::uint64_t arraysRequired(std::uint64_t totalDisks, int modelIndex) noexcept;

// Checks and computes all ten rows and writes every result text of the sheet. The first row
// that breaks a rule shows one message and ends the Compute with the totals reading "Error".
void computeSheet(ConfigSheet& sheet, MessageSink& messages);

// A row's texts are stale when the model or the row's inputs are no longer those they were
// computed from; the totals when the model or any row is. Texts that no Compute wrote are not.
bool rowFiguresStale(const ConfigSheet& sheet, std::size_t rowIndex) noexcept;
bool totalsStale(const ConfigSheet& sheet) noexcept;

// Whether the model or a row has changed since the last computeSheet; false before the first.
bool sheetInputsChangedSinceCompute(const ConfigSheet& sheet) noexcept;

// The sheet's own inputs, as controls showing them would read.
ScreenInputs screenInputsOf(const ConfigSheet& sheet) noexcept;

// As rowFiguresStale and totalsStale, but against what the controls show now: a figure is drawn
// stale from the keystroke or pick that leaves its inputs, and fresh again when they come back.
bool rowFiguresDifferFromScreen(const ConfigSheet& sheet, const ScreenInputs& screen,
                                std::size_t rowIndex) noexcept;
bool totalsDifferFromScreen(const ConfigSheet& sheet, const ScreenInputs& screen) noexcept;

// Whether the sheet must be computed before it leaves the program, so that what goes out is what
// the window shows: the screen or the sheet differs from the inputs of the last Compute, or, on
// a sheet never computed, the screen differs from the sheet.
bool computeDueBeforeOutput(const ConfigSheet& sheet, const ScreenInputs& screen) noexcept;

// Whether the sheet's result texts are those of a Compute that went through: no total reads
// "Error" (a failed Compute) or is empty (no Compute yet).
bool holdsComputedResults(const ConfigSheet& sheet) noexcept;

} // namespace brim
