#include "core/sheet_exchange.h"

#include "core/blanks.h"
#include "core/raid_rules.h"

#include <charconv>
#include <cstddef>

namespace brim {
namespace {

GroupDefinition* rowAt(ConfigSheet& sheet, int row) noexcept {
    if (row < 1 || row > kRowCount) {
        return nullptr;
    }
    return &sheet.rows[static_cast<std::size_t>(row - 1)];
}

template <typename T, typename Holder> T* member(GroupDefinition* row, T Holder::*field) noexcept {
    return row ? &(row->*field) : nullptr;
}

} // namespace

FieldRef fieldRef(ConfigSheet& sheet, SheetField field) noexcept {
    GroupDefinition* row = rowAt(sheet, field.row);
    switch (field.kind) {
    case SheetFieldKind::ModelIndex:
        return &sheet.modelIndex;
    case SheetFieldKind::StickyChanges:
        return &sheet.stickyChanges;
    case SheetFieldKind::NetTotalGbText:
        return &sheet.netTotalGbText;
    case SheetFieldKind::NetTotalTbText:
        return &sheet.netTotalTbText;
    case SheetFieldKind::TotalDisksText:
        return &sheet.totalDisksText;
    case SheetFieldKind::ArraysRequiredText:
        return &sheet.arraysRequiredText;
    case SheetFieldKind::DiskType:
        return member(row, &GroupDefinition::diskType);
    case SheetFieldKind::RaidType:
        return member(row, &GroupDefinition::raidType);
    case SheetFieldKind::DisksPerGroup:
        return member(row, &GroupDefinition::disksPerGroup);
    case SheetFieldKind::GroupCount:
        return member(row, &GroupDefinition::groupCount);
    case SheetFieldKind::IncludesVault:
        return member(row, &GroupDefinition::includesVault);
    case SheetFieldKind::GroupCapacityText:
        return member(row, &GroupDefinition::groupCapacityText);
    case SheetFieldKind::TotalCapacityText:
        return member(row, &GroupDefinition::totalCapacityText);
    }
    return static_cast<std::string*>(nullptr);
}

bool resultTextStale(const ConfigSheet& sheet, const ScreenInputs& screen,
                     SheetField field) noexcept {
    switch (field.kind) {
    case SheetFieldKind::NetTotalGbText:
    case SheetFieldKind::NetTotalTbText:
    case SheetFieldKind::TotalDisksText:
    case SheetFieldKind::ArraysRequiredText:
        return totalsDifferFromScreen(sheet, screen);
    case SheetFieldKind::GroupCapacityText:
    case SheetFieldKind::TotalCapacityText:
        return field.row >= 1 &&
               rowFiguresDifferFromScreen(sheet, screen, static_cast<std::size_t>(field.row - 1));
    default:
        return false;
    }
}

bool isInputField(SheetFieldKind kind) noexcept {
    switch (kind) {
    case SheetFieldKind::ModelIndex:
    case SheetFieldKind::DiskType:
    case SheetFieldKind::RaidType:
    case SheetFieldKind::DisksPerGroup:
    case SheetFieldKind::GroupCount:
    case SheetFieldKind::IncludesVault:
        return true;
    default:
        return false;
    }
}

std::optional<std::uint32_t> parseUnsigned32(std::string_view text) noexcept {
    text = trimBlanks(text);
    if (text.empty()) {
        return std::nullopt;
    }
    // from_chars takes no sign of its own for unsigned types, so "+5" and "-5" fail here; it
    // reports values beyond 32 bits as out of range.
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 10);
    if (ec != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

NumberStatus storeNumberText(ConfigSheet& sheet, SheetField field, std::string_view text) {
    const FieldRef ref = fieldRef(sheet, field);
    std::uint32_t* const* target = std::get_if<std::uint32_t*>(&ref);
    const std::optional<std::uint32_t> value = parseUnsigned32(text);
    if (!value || !target || !*target) {
        return NumberStatus::NotANumber;
    }
    **target = *value;
    if (field.kind == SheetFieldKind::DisksPerGroup && *value > kMaxDisksPerGroup) {
        return NumberStatus::OutOfRange;
    }
    return NumberStatus::Stored;
}

std::string numberText(std::uint32_t value) {
    return std::to_string(value);
}

} // namespace brim
