#pragma once

// What the Sheet Performance window decides, without the window: the lines it shows for the
// sheet's rows (each row checked by itself), the disks to order with hot spares, the disk types
// whose figures the planner edits and under which names, and what a typed figure or field may
// change. Every text is ready to show as it stands; the window only puts them in cells.
//
// The planning assumptions belong to the main window, which keeps them while the program runs;
// the plan edits them in place, so the next window (and the sizing window) sees the same ones.

#include "commands/capacity_columns.h"
#include "commands/disk_choices.h"
#include "commands/figure_words.h"
#include "core/config_sheet.h"
#include "core/planning_assumptions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
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
// other cells are empty. `figures` are the numbers the texts are made from, for a program to
// read, nothing where a cell shows the dash or is empty.
struct PerformanceTextLine {
    std::array<std::string, kPerformanceColumnCount> cells;
    std::array<CellFigure, kPerformanceColumnCount> figures{};
    bool brokenRule = false;

    const std::string& operator[](PerformanceColumn column) const {
        return cells[static_cast<std::size_t>(column)];
    }
};

using OrderTextLine = std::array<std::string, kOrderColumnCount>;
using OrderFigureLine = std::array<CellFigure, kOrderColumnCount>;

// The fields typed in the window: its program figures ("% reads", the spare policy, the hours
// before a rebuild) and every figure of the main window's model (its array's price ...).
using PlanField = std::variant<ProgramFigure, ModelFigure>;

// The disks' figures table: the disk type, then each figure in DiskFigure's order.
inline constexpr std::size_t kFigureColumnCount = 1 + kFigureCount<DiskFigure>;

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
    // The disk type's name, as its column shows it.
    std::string_view diskTypeName(int diskType) const;
    // "180", and the error rate as "10^16".
    std::string figureText(int diskType, DiskFigure figure) const;
    // The widest text a column shows: its largest figure, or the longest name on offer.
    std::string widestFigureText(DiskFigure figure) const;
    std::string widestDiskTypeName() const;
    // What an editor starts from: the number alone ("16" for 10^16).
    std::string figureEditText(int diskType, DiskFigure figure) const;
    // The figure as it is held (hundredths of a price, the error rate's power of ten); nothing
    // for a disk type without figures.
    std::optional<std::int64_t> heldFigure(int diskType, DiskFigure figure) const;
    // Takes a typed figure; a text that is no number of the figure's form in its range is refused,
    // the old figure kept and figureNote() says why. A good one clears the note.
    bool setFigure(int diskType, DiskFigure figure, std::string_view text);
    const std::string& figureNote() const noexcept { return figureNote_; }
    // The disk figures of every type back at their rules of thumb, the watts among them; prices,
    // the arrays' power, the hours before a rebuild, the spare policy and "% reads" stay as typed.
    void restoreDefaults();

    // One line per row with groups, then the total line; none while "% reads" is refused.
    const std::vector<PerformanceTextLine>& performanceLines() const noexcept {
        return performanceLines_;
    }
    // One line per disk type in use, then the total line; none while a spare field is refused.
    const std::vector<OrderTextLine>& orderLines() const noexcept { return orderLines_; }
    // The numbers of each order line, in the same order.
    const std::vector<OrderFigureLine>& orderFigures() const noexcept { return orderFigures_; }
    // How many arrays the disks to order need, and how many more than Compute's
    // "D/SPEs Required" when the spares add any; empty with no lines.
    const std::string& arraysLine() const noexcept { return arraysLine_; }
    // What the plan costs and what it leaves out for want of a price: "The plan costs 123456:
    // 1520 per usable TB, 18.4 per 1000 host IOPS. Not priced: 146 G FC, the Telvar A array.";
    // empty until a price the plan uses is set, or with no order lines.
    const std::string& costLine() const noexcept { return costLine_; }
    // What the disks to order, spares included, and their arrays draw: "The plan draws 0.9 kW,
    // 3207 BTU/h of heat."; empty with nothing to order.
    const std::string& powerLine() const noexcept { return powerLine_; }

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
    std::string_view& noteOf(PlanField field) noexcept;
    std::array<std::string_view, kFigureCount<ProgramFigure>> programNotes_{};
    std::array<std::string_view, kFigureCount<ModelFigure>> modelNotes_{};
    std::string figureNote_;
    std::vector<PerformanceTextLine> performanceLines_;
    std::vector<OrderTextLine> orderLines_;
    std::vector<OrderFigureLine> orderFigures_;
    std::string arraysLine_;
    std::string costLine_;
    std::string powerLine_;
};

} // namespace brim
