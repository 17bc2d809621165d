// The number rule of the edit fields on arbitrary bytes: a text is accepted exactly when,
// without the blanks around it, it is a non-empty run of decimal digits whose value fits an
// unsigned 32-bit number; the value read is the decimal value of those digits, and the text
// that shows a stored number reads back as the same number.

#include "core/sheet_exchange.h"
#include "tests/fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

constexpr std::uint64_t kMaxUnsigned32 = 4294967295U;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The rule written out plainly, digit by digit, as the reference for parseUnsigned32.
std::optional<std::uint32_t> expectedNumber(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    if (begin == end) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (std::size_t i = begin; i < end; ++i) {
        if (!isDigit(text[i])) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
        if (value > kMaxUnsigned32) {
            return std::nullopt; // leading zeros never get here; any further digit only grows it
        }
    }
    return static_cast<std::uint32_t>(value);
}

void checkShownNumber(std::uint32_t value) {
    const std::string shown = brim::numberText(value);
    FUZZ_CHECK(!shown.empty() && shown.size() <= 10);
    for (char c : shown) {
        FUZZ_CHECK(isDigit(c));
    }
    FUZZ_CHECK(shown == "0" || shown.front() != '0'); // no leading zeros
    FUZZ_CHECK(brim::parseUnsigned32(shown) == value);
}

// Storing the text into a numeric field of the sheet follows the same rule: a number is stored
// (a disks-per-group value above 16 too, reported as out of range), anything else leaves the
// field as it was.
void checkStore(std::string_view text, const std::optional<std::uint32_t>& expected) {
    constexpr std::uint32_t kPrevious = 123456789U;
    for (const brim::SheetFieldKind kind :
         {brim::SheetFieldKind::GroupCount, brim::SheetFieldKind::DisksPerGroup}) {
        brim::ConfigSheet sheet;
        brim::GroupDefinition& row = sheet.rows[2];
        std::uint32_t& field =
            kind == brim::SheetFieldKind::GroupCount ? row.groupCount : row.disksPerGroup;
        field = kPrevious;
        const brim::NumberStatus status = brim::storeNumberText(sheet, {kind, 3}, text);
        if (!expected) {
            FUZZ_CHECK(status == brim::NumberStatus::NotANumber);
            FUZZ_CHECK(field == kPrevious);
            continue;
        }
        FUZZ_CHECK(field == *expected);
        const bool outOfRange = kind == brim::SheetFieldKind::DisksPerGroup && *expected > 16;
        FUZZ_CHECK(status ==
                   (outOfRange ? brim::NumberStatus::OutOfRange : brim::NumberStatus::Stored));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::uint32_t> expected = expectedNumber(text);
    const std::optional<std::uint32_t> parsed = brim::parseUnsigned32(text);
    FUZZ_CHECK(parsed == expected);
    if (parsed) {
        checkShownNumber(*parsed);
    }
    // The input's first four bytes as a number, so that every value gets shown now and then.
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size && i < 4; ++i) {
        value = value << 8 | data[i];
    }
    checkShownNumber(value);
    checkStore(text, expected);
    return 0;
}
