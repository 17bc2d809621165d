#pragma once

// What the Sheet Performance window decides, without the window: the lines it shows for the
// sheet's rows (each row checked by itself), the disks to order with hot spares, the disk types
// whose figures the planner edits and under which names, and what a typed figure or field may
// change. Every text is ready to show as it stands; the window only puts them in cells.
//
// The planning assumptions belong to the main window, which keeps them while the program runs;
// the plan edits them in place, so the next window (and the sizing window) sees the same ones.

#include "commands/disk_choices.h"
#include "commands/disk_figure_columns.h"
#include "core/config_sheet.h"
#include "core/planning_assumptions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brim {

enum class PerformanceColumn : std::uint8_t {
    Row,
    DiskType,
    RaidType,
    DisksPerGroup,
    Groups,
    HostIops,
    Mbps,
    ReadOnlyMbps,
    WriteOnlyMbps,
    RebuildHours,
    ReadErrorRisk,
    LossPerYear,
};
inline constexpr std::size_t kPerformanceColumnCount = 12;

enum class OrderColumn : std::uint8_t { DiskType, InGroups, Spares, ToOrder, Cost };
inline constexpr std::size_t kOrderColumnCount = 5;

// A row that breaks a rule shows its row number and, in the next cell, the rule's message; its
// other cells are empty.
struct PerformanceTextLine {
    std::array<std::string, kPerformanceColumnCount> cells;
    bool brokenRule = false;

    const std::string& operator[](PerformanceColumn column) const {
        return cells[static_cast<std::size_t>(column)];
    }
};

using OrderTextLine = std::array<std::string, kOrderColumnCount>;

// The fields typed in the window, each a whole number in its range but the array's price, a
// decimal with up to two places.
enum class PlanField : std::uint8_t {
    ReadPercent,
    DisksPerSpare,
    MinSparesPerType,
    ArrayPrice,
    HoursBeforeRebuild,
};
inline constexpr std::size_t kPlanFieldCount = 5;

// The note lines under the fields: one under "% reads", one under the two spare fields, one
// under the array's price and the hours before a rebuild.
enum class PlanNoteLine : std::uint8_t { Reads, Spares, Costs };
inline constexpr std::size_t kPlanNoteLineCount = 3;

class SheetPerformancePlan {
public:
    // `sheet` is the main window's, just captured; `assumptions` the main window's too. Both
    // must outlive the plan. `names` are the main window's Disk Type lists.
    SheetPerformancePlan(const ConfigSheet& sheet, PlanningAssumptions& assumptions,
                         const RowDiskNames& names);

    int modelIndex() const noexcept { return sheet_.modelIndex; }

    // A field's text when the window opens: the value kept.
    std::string fieldText(PlanField field) const;
    // Takes a field's text as typed. A refused text keeps the value in use and empties the
    // table that rests on it until the field holds a good value again; the note says why.
    // Returns the field's note: empty when the text was taken.
    std::string_view typeField(PlanField field, std::string_view text);
    std::string_view fieldNote(PlanField field) const noexcept;
    // The note line a field's note shows on, and what that line says: the note of its first
    // field that refuses its text, or nothing.
    static PlanNoteLine noteLineOf(PlanField field) noexcept;
    std::string_view noteLineText(PlanNoteLine line) const noexcept;

    // The disk types the model's family offers, in catalogue order, under the names of the
    // last row's list (the one most rows show).
    const std::vector<DiskChoice>& diskTypes() const noexcept { return diskTypes_; }
    // "180", and the error rate as "10^16"; the disk type's name in its own column.
    std::string figureText(int diskType, FigureColumn column) const;
    // The widest text a column shows: its largest figure, or the longest name on offer.
    std::string widestFigureText(FigureColumn column) const;
    // What an editor starts from: the number alone ("16" for 10^16).
    std::string figureEditText(int diskType, FigureColumn column) const;
    // Takes a typed figure; a text that is no number of the figure's form in its range is refused,
    // the old figure kept and figureNote() says why. A good one clears the note.
    bool setFigure(int diskType, FigureColumn column, std::string_view text);
    const std::string& figureNote() const noexcept { return figureNote_; }
    // The disk figures of every type back at their rules of thumb; prices, the hours before a
    // rebuild, the spare policy and "% reads" stay as typed.
    void restoreDefaults();

    // One line per row with groups, then the total line; none while "% reads" is refused.
    const std::vector<PerformanceTextLine>& performanceLines() const noexcept {
        return performanceLines_;
    }
    // One line per disk type in use, then the total line; none while a spare field is refused.
    const std::vector<OrderTextLine>& orderLines() const noexcept { return orderLines_; }
    // How many arrays the disks to order need, and how many more than Compute's
    // "D/SPEs Required" when the spares add any; empty with no lines.
    const std::string& arraysLine() const noexcept { return arraysLine_; }
    // What the plan costs and what it leaves out for want of a price: "The plan costs 123456:
    // 1520 per usable TB, 18.4 per 1000 host IOPS. Not priced: 146 G FC, the Telvar A array.";
    // empty until a price the plan uses is set, or with no order lines.
    const std::string& costLine() const noexcept { return costLine_; }

    // Recomputes every line from the sheet and the assumptions; each change above does it too.
    void refresh();

private:
    std::string_view diskName(std::size_t rowIndex, int diskType) const;
    void refreshPerformance();
    void refreshOrder();
    bool sparesTaken() const noexcept;

    const ConfigSheet& sheet_;
    PlanningAssumptions& assumptions_;
    RowDiskNames names_;
    std::vector<DiskChoice> diskTypes_;
    std::array<std::string_view, kPlanFieldCount> fieldNotes_{};
    std::string figureNote_;
    std::vector<PerformanceTextLine> performanceLines_;
    std::vector<OrderTextLine> orderLines_;
    std::string arraysLine_;
    std::string costLine_;
};

} // namespace brim
