#pragma once

#include "core/config_sheet.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace brim {

// The sheet's side of the exchange between the window's controls and the sheet. The window
// keeps a table of (control, SheetField) bindings and walks it generically; the rules of what a
// control's value may do to the sheet live here, free of any toolkit.

enum class SheetFieldKind : std::uint8_t {
    // sheet-wide fields (row 0)
    ModelIndex,
    StickyChanges,
    NetTotalGbText,
    NetTotalTbText,
    TotalDisksText,
    ArraysRequiredText,
    // row fields (row 1 to 10)
    DiskType,
    RaidType,
    DisksPerGroup,
    GroupCount,
    IncludesVault,
    GroupCapacityText,
    TotalCapacityText,
};

struct SheetField {
    SheetFieldKind kind;
    int row = 0; // 1 to 10 for row fields, 0 for sheet-wide fields
};

// A pointer to the field itself: a list index, a number, a flag or a text.
using FieldRef = std::variant<std::int32_t*, std::uint32_t*, bool*, std::string*>;

// nullptr of the field's type when the row is outside 1-10 for a row field.
FieldRef fieldRef(ConfigSheet& sheet, SheetField field) noexcept;

// Whether the result text that the field names no longer belongs to the inputs the controls show
// (config_sheet.h says when); false for a field that holds no result text.
bool resultTextStale(const ConfigSheet& sheet, const ScreenInputs& screen,
                     SheetField field) noexcept;

// Whether the field is one of a row's or the sheet's inputs, which a screen read takes.
bool isInputField(SheetFieldKind kind) noexcept;

// An edit field's text as a number: unsigned decimal digits that fit 32 bits, blanks around
// them allowed. Empty text, a sign, letters and values above 4294967295 are refused.
std::optional<std::uint32_t> parseUnsigned32(std::string_view text) noexcept;

enum class NumberStatus : std::uint8_t { Stored, NotANumber, OutOfRange };

// Takes an edit field's text into a numeric field. Text that is not a number leaves the field
// as it was. A disks-per-group value outside 0-16 is stored all the same and reported, so that
// the RAID rule reports it again at the next Compute.
NumberStatus storeNumberText(ConfigSheet& sheet, SheetField field, std::string_view text);

// How a numeric field is shown: decimal digits, no leading zeros.
std::string numberText(std::uint32_t value);

} // namespace brim
