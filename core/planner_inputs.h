#pragma once

#include "core/planning_assumptions.h"
#include "core/units.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace brim {

// What a planner types as a need or an assumption, read as a number or refused with a reason.
// The sentences that give the reason are the commands'.

// Why a field's text is refused: it holds no number of the field's form, or one outside the
// field's range.
enum class InputRefusal : std::uint8_t { None, NotANumber, BelowRange, AboveRange };

// A whole number as typed: digits only, blanks around them allowed. No sign, point, separator
// or exponent; nothing but blanks is no number either (`blank` tells it apart).
struct WholeNumberParse {
    std::int64_t value = 0; // 0 when refused
    InputRefusal refusal = InputRefusal::None;
    bool blank = false;
    bool taken() const noexcept { return refusal == InputRefusal::None; }
};

WholeNumberParse parseWholeNumber(std::string_view text,
                                  const AllowedRange<std::int64_t>& range) noexcept;

template <typename T>
WholeNumberParse parseWholeNumber(std::string_view text, const AllowedRange<T>& range) noexcept {
    return parseWholeNumber(text,
                            AllowedRange<std::int64_t>{static_cast<std::int64_t>(range.lowest),
                                                       static_cast<std::int64_t>(range.highest)});
}

// The most a planner may ask for: 1,000,000 TiB, in MiB.
inline constexpr double kMaxTargetMib = 1'000'000.0 * kMibPerTib;

// The host IOPS and sequential MB/s a planner may ask for.
inline constexpr AllowedRange<std::int64_t> kHostIopsNeedRange{1, 10'000'000};
inline constexpr AllowedRange<std::int64_t> kMbpsNeedRange{1, 1'000'000};
inline constexpr double kMaxHostIopsNeed = static_cast<double>(kHostIopsNeedRange.highest);
inline constexpr double kMaxMbpsNeed = static_cast<double>(kMbpsNeedRange.highest);

enum class CapacityUnit : std::uint8_t { Gb, Tb }; // binary, as everywhere: 1 TB = 1024 GB

// A capacity in MiB in the unit the planner picked.
double capacityInUnit(double mib, CapacityUnit unit) noexcept;

struct TargetParse {
    std::optional<double> mib;
    InputRefusal refusal = InputRefusal::None; // None when `mib` holds a value
};

// A plain decimal with a point as the decimal mark ("200", "12.5", " 7 "; blanks around it
// allowed), above 0 and at most 1,000,000 TB. Signs, exponents, commas, letters and an empty
// text are no number; zero (and what rounds to it) is below the range, larger values above.
TargetParse parseCapacityTarget(std::string_view text, CapacityUnit unit);

// A workload field as typed: empty (no need), a need, or refused.
struct NeedParse {
    std::optional<double> value; // nothing when empty or refused
    InputRefusal refusal = InputRefusal::None;
};

// Whole numbers in kHostIopsNeedRange and kMbpsNeedRange. An empty (or blank) field states no
// need.
NeedParse parseHostIopsNeed(std::string_view text);
NeedParse parseMbpsNeed(std::string_view text);

struct ReadPercentParse {
    std::optional<int> percent;
    InputRefusal refusal = InputRefusal::None; // None when `percent` holds a value
};

// "% reads": a whole number in kReadPercentRange; an empty field is refused, as the mix is
// always used.
ReadPercentParse parseReadPercent(std::string_view text);

// The most a layout may risk losing data in a year, in hundredths of a percent: 0 to 100 %, with
// up to two decimals, as an AFR is typed.
inline constexpr AllowedRange<std::int64_t> kLossLimitHundredthsRange{0, 10'000};

struct LossLimitParse {
    std::optional<std::int64_t> hundredths; // nothing when empty or refused
    DecimalRefusal refusal = DecimalRefusal::None;
};

// A limit on the chance of loss a year, as typed; an empty (or blank) field sets none.
LossLimitParse parseLossLimit(std::string_view text);

} // namespace brim
