#include "core/planner_inputs.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>

namespace brim {
namespace {

// The one reader of whole numbers behind every planner field: digits only, blanks around them,
// and the reason for each refusal against a range of 1 to 1000.
TEST(PlannerInputsTest, ReadsWholeNumbersAndSaysWhyNot) {
    constexpr auto kNone = InputRefusal::None, kNaN = InputRefusal::NotANumber,
                   kBelow = InputRefusal::BelowRange, kAbove = InputRefusal::AboveRange;
    const std::string huge(30, '9');
    const std::tuple<std::string, std::int64_t, InputRefusal, bool> cases[] = {
        {"30", 30, kNone, false},  {" 007\t", 7, kNone, false}, {"1000", 1000, kNone, false},
        {"1", 1, kNone, false},    {"0", 0, kBelow, false},     {"1001", 0, kAbove, false},
        {huge, 0, kAbove, false},  {"", 0, kNaN, true},         {" \t", 0, kNaN, true},
        {"-5", 0, kNaN, false},    {"+5", 0, kNaN, false},      {"5.0", 0, kNaN, false},
        {"1,000", 0, kNaN, false}, {"5 0", 0, kNaN, false},     {"1e3", 0, kNaN, false},
    };
    for (const auto& [text, value, refusal, blank] : cases) {
        const WholeNumberParse parsed = parseWholeNumber(text, AllowedRange<std::int64_t>{1, 1000});
        EXPECT_EQ(std::tie(parsed.value, parsed.refusal, parsed.blank),
                  std::tie(value, refusal, blank))
            << '"' << text << '"';
    }
}

} // namespace
} // namespace brim
