#pragma once

// The workbook: the program's second file, written only when the planner asks for it. It holds
// the sheet's inputs, the kept plans with their names and every planning figure, as indented
// JSON that begins with a format name and a version. Models, disk types and RAID types are
// written by name, so that a file survives a reordering of the lists. Result texts are not
// written: they are computed again when the workbook opens.
//
// A workbook is read whole and checked before anything changes: at most kMaxWorkbookBytes, the
// format name and a version this program knows, exactly ten rows a sheet, names it knows, every
// number in its range (a sheet's disks per group as the RAID rules take them, the sizing
// window's workload as that window reads it), at most kMaxKeptPlans plans, no field it does not
// know and no field given twice in one object. A refusal names the place as a JSON path counted
// from 0 and the fault.

#include "core/capacity_sizing.h"
#include "core/config_sheet.h"
#include "core/plan_name.h"
#include "core/planning_assumptions.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace brim {

inline constexpr std::string_view kWorkbookFormatName = "Brimcount workbook";
// Version 2 added the figures of the years ahead and the power; a version-1 file opens with them
// at their defaults.
inline constexpr int kWorkbookVersion = 2;
inline constexpr int kOldestWorkbookVersion = 1;
inline constexpr std::size_t kMaxWorkbookBytes = 1024 * 1024;
inline constexpr std::size_t kMaxKeptPlans = 8;
inline constexpr std::size_t kMaxWorkloadTextCharacters = 100;

// The inputs of one row, as the planner typed and picked them.
using PlanRow = DefinitionInputs;

// A sheet's inputs: the model and the ten rows. Result texts are never part of it.
struct PlanSheet {
    std::int32_t modelIndex = brim::modelIndex("Telvar A");
    std::array<PlanRow, kRowCount> rows{};

    friend bool operator==(const PlanSheet&, const PlanSheet&) = default;
};

PlanSheet planSheetOf(const ConfigSheet& sheet);
// A sheet with these inputs and no result texts; Sticky Changes at its default.
ConfigSheet configSheetOf(const PlanSheet& plan);

struct NamedPlan {
    std::string name; // 1 to kMaxPlanNameCharacters characters
    PlanSheet sheet;

    friend bool operator==(const NamedPlan&, const NamedPlan&) = default;
};

// The sizing window's kept choices, as a workbook holds them.
struct SizingChoices {
    CapacityUnit unit = CapacityUnit::Tb;
    std::optional<int> diskType;
    int minimumFailures = 1; // 0 to 2
    // As the window shows them. A file holds them as texts, and one the window refuses as
    // empty; it may give them as numbers.
    std::string hostIopsText;
    std::string mbpsText;
    // The most a layout may risk losing data a year, in hundredths of a percent; none: no limit.
    std::optional<std::int64_t> maxLossHundredths;

    friend bool operator==(const SizingChoices&, const SizingChoices&) = default;
};

inline constexpr int kMostFailuresAsked = 2;

// Every planning figure a workbook carries besides the sheets.
struct WorkbookFigures {
    std::vector<NamedPlan> plans;
    PlanningAssumptions planning;
    SizingChoices sizing;

    friend bool operator==(const WorkbookFigures&, const WorkbookFigures&) = default;
};

struct Workbook {
    PlanSheet sheet;
    WorkbookFigures figures;

    friend bool operator==(const Workbook&, const Workbook&) = default;
};

// The workbook as its file's text: indented JSON, ending in a line feed.
std::string formatWorkbook(const Workbook& workbook);

struct WorkbookRefusal {
    std::string message;
};

using WorkbookReading = std::variant<Workbook, WorkbookRefusal>;

// Checks the whole text and gives the workbook it holds, or why it is refused.
WorkbookReading readWorkbook(std::string_view text);

// Whether a file's first bytes are a workbook's: the first character other than blanks, line
// breaks and a byte order mark is "{". Anything else is read as a report.
bool looksLikeWorkbook(std::string_view firstBytes) noexcept;

inline constexpr std::string_view kWorkbookTooLargeMessage =
    "The workbook is larger than 1 MiB: nothing was opened.";

// The save-file chooser of Save Workbook: the path the user confirmed (UTF-8, ".brimcount"
// added when the name has none), or nothing when they cancelled.
class WorkbookFileChooser {
public:
    virtual ~WorkbookFileChooser() = default;
    virtual std::optional<std::string> chooseWorkbookFile() = 0;
};

} // namespace brim
