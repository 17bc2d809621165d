#include "core/planner_inputs.h"

#include "core/blanks.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace brim {
namespace {

// Digits with at most one point among them, and at least one digit: no sign, no exponent, no
// thousands separator, no "inf".
bool isPlainDecimal(std::string_view text) noexcept {
    bool seenDigit = false;
    bool seenPoint = false;
    for (const char c : text) {
        if (isDigit(c)) {
            seenDigit = true;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            return false;
        }
    }
    return seenDigit;
}

// A number too large for a double has a digit other than 0 before its point; one too small
// has none.
bool wholePartIsZero(std::string_view digits) noexcept {
    const std::string_view whole = digits.substr(0, digits.find('.'));
    return whole.find_first_not_of('0') == std::string_view::npos;
}

double mibPer(CapacityUnit unit) noexcept {
    return unit == CapacityUnit::Gb ? kMibPerGib : kMibPerTib;
}

TargetParse refusedTarget(InputRefusal why) {
    return {std::nullopt, why};
}

NeedParse parseNeed(std::string_view text, const AllowedRange<std::int64_t>& range) {
    const WholeNumberParse number = parseWholeNumber(text, range);
    if (number.blank) {
        return {};
    }
    if (!number.taken()) {
        return {std::nullopt, number.refusal};
    }
    return {static_cast<double>(number.value), InputRefusal::None};
}

} // namespace

WholeNumberParse parseWholeNumber(std::string_view text,
                                  const AllowedRange<std::int64_t>& range) noexcept {
    const std::string_view digits = trimBlanks(text);
    WholeNumberParse parsed;
    parsed.blank = digits.empty();
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isDigit)) {
        parsed.refusal = InputRefusal::NotANumber;
        return parsed;
    }
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc{} || end != digits.data() + digits.size() || value > range.highest) {
        parsed.refusal = InputRefusal::AboveRange; // digits only: too many for 64 bits is above
        return parsed;
    }
    if (value < range.lowest) {
        parsed.refusal = InputRefusal::BelowRange;
        return parsed;
    }
    parsed.value = value;
    return parsed;
}

double capacityInUnit(double mib, CapacityUnit unit) noexcept {
    return unit == CapacityUnit::Gb ? gibFromMib(mib) : tibFromMib(mib);
}

TargetParse parseCapacityTarget(std::string_view text, CapacityUnit unit) {
    const std::string_view digits = trimBlanks(text);
    if (!isPlainDecimal(digits)) {
        return refusedTarget(InputRefusal::NotANumber);
    }
    // std::from_chars reads the point as the decimal mark whatever the locale.
    double value = 0.0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                           std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        return refusedTarget(wholePartIsZero(digits) ? InputRefusal::BelowRange
                                                     : InputRefusal::AboveRange);
    }
    if (ec != std::errc{} || end != digits.data() + digits.size()) {
        return refusedTarget(InputRefusal::NotANumber);
    }
    if (!(value > 0.0)) {
        return refusedTarget(InputRefusal::BelowRange);
    }
    const double mib = value * mibPer(unit);
    if (mib > kMaxTargetMib) {
        return refusedTarget(InputRefusal::AboveRange);
    }
    return {mib, InputRefusal::None};
}

NeedParse parseHostIopsNeed(std::string_view text) {
    return parseNeed(text, kHostIopsNeedRange);
}

NeedParse parseMbpsNeed(std::string_view text) {
    return parseNeed(text, kMbpsNeedRange);
}

ReadPercentParse parseReadPercent(std::string_view text) {
    const WholeNumberParse number = parseWholeNumber(text, kReadPercentRange);
    if (!number.taken()) {
        return {std::nullopt, number.refusal};
    }
    return {static_cast<int>(number.value), InputRefusal::None};
}

LossLimitParse parseLossLimit(std::string_view text) {
    if (trimBlanks(text).empty()) {
        return {};
    }
    const HundredthsParse parsed = parseHundredths(text, kLossLimitHundredthsRange);
    if (!parsed.taken()) {
        return {std::nullopt, parsed.refusal};
    }
    return {parsed.hundredths, DecimalRefusal::None};
}

} // namespace brim
