// The main window's tables checked against each other and against the sheet, with no window
// built. The list texts against the catalogue and the preset buttons against kPresets are
// checked where the tables are, at compile time.

#include "core/config_sheet.h"
#include "core/sheet_exchange.h"
#include "ui/sheet_controls.h"
#include "ui/window_layout.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>
#include <utility>
#include <variant>

namespace brim {
namespace {

// A plan made without the window names each row's disks as the window's lists do.
TEST(WindowLayoutTablesTest, TheRowsDiskListsAreTheWindowsLists) {
    const RowDiskNames filled = rowDiskNames();
    const RowDiskNames named = windowRowDiskNames();
    for (std::size_t row = 0; row < kRowCount; ++row) {
        EXPECT_EQ(filled[row].data(), named[row].data()) << "row " << row + 1;
        EXPECT_EQ(filled[row].size(), named[row].size()) << "row " << row + 1;
    }
}

TEST(WindowLayoutTablesTest, EveryControlIdentifierIsUsedOnce) {
    std::set<int> seen;
    int controls = 0;
    const auto use = [&](int id) {
        if (id != kNoControlId) {
            ++controls;
            EXPECT_TRUE(seen.insert(id).second) << "identifier " << id << " used twice";
        }
    };
    for (const FixedControl& control : kFixedControls) {
        use(control.id);
    }
    for (const RowLayout& row : kRowLayouts) {
        for (const RowColumnLayout& column : kRowColumns) {
            if (rowHasColumn(row, column.column)) {
                use(rowCell(row, column.column).id);
            }
        }
    }
    // 22 fixed controls with an identifier, 7 in each row and a vault box in rows 1 to 5.
    EXPECT_EQ(controls, 22 + 10 * 7 + 5);
}

TEST(WindowLayoutTablesTest, EverySheetFieldIsBoundExactlyOnce) {
    std::set<std::pair<SheetFieldKind, int>> fields;
    std::set<int> controls;
    for (const Binding& binding : kBindings) {
        EXPECT_TRUE(fields.insert({binding.field.kind, binding.field.row}).second)
            << "field bound twice, control " << binding.id;
        EXPECT_TRUE(controls.insert(binding.id).second) << "control bound twice: " << binding.id;
        ConfigSheet sheet;
        EXPECT_FALSE(
            std::visit([](auto* p) { return p == nullptr; }, fieldRef(sheet, binding.field)))
            << "binding of control " << binding.id << " names no field";
    }
    // Model, sticky flag, four totals; six fields in every row; the vault flags of rows 1 to 5.
    EXPECT_EQ(fields.size(), 2U + 4U + 10U * 6U + 5U);
}

TEST(WindowLayoutTablesTest, EachRowCommandIsMappedFromAControlOfItsOwnRow) {
    for (const EventMapEntry& entry : kEventMap) {
        if (entry.row == 0) {
            continue;
        }
        ASSERT_GE(entry.row, 1);
        ASSERT_LE(entry.row, kRowCount);
        const RowLayout& row = kRowLayouts[static_cast<std::size_t>(entry.row - 1)];
        bool inRow = false;
        for (const RowColumnLayout& column : kRowColumns) {
            inRow = inRow || rowCell(row, column.column).id == entry.id;
        }
        EXPECT_TRUE(inRow) << "control " << entry.id << " is not in row " << entry.row;
    }
}

} // namespace
} // namespace brim
