// The locale's digit grouping of the costs and counts a window draws.

#include "commands/digit_grouping.h"

#include <gtest/gtest.h>
#include <random>
#include <string>

namespace brim {
namespace {

TEST(DigitGroupingTest, GroupsWholePartsOfFiveDigitsOrMore) {
    struct Case {
        const char* plain;
        const char* separator;
        const char* shown;
    };
    const Case cases[] = {
        {"1941", ",", "1941"},
        {"10000", ",", "10,000"},
        {"123456", ",", "123,456"},
        {"1234567", ",", "1,234,567"},
        {"1234567", "\u00a0", "1\u00a0234\u00a0567"},
        {"12345 / 123", ",", "12,345 / 123"},
        {"463 / 4", ",", "463 / 4"},
        {"-20000", ".", "-20.000"},
        {"12345.5", ",", "12,345.5"},
        {"0.000014%", ",", "0.000014%"},
        {"99.12345", ",", "99.12345"},
        {"\u2014", ",", "\u2014"},
        {"", ",", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(groupDigits(c.plain, c.separator), c.shown) << c.plain;
    }
}

// Whatever the number, taking the separators out gives the plain text back, and the groups after
// the first hold three digits each.
TEST(DigitGroupingTest, TakingTheSeparatorsOutGivesThePlainTextBack) {
    std::mt19937_64 random(29);
    for (int i = 0; i < 2000; ++i) {
        const std::string plain = std::to_string(random() >> (random() % 64));
        const std::string shown = groupDigits(plain, "'");
        std::string back = shown;
        std::erase(back, '\'');
        EXPECT_EQ(back, plain);
        const std::size_t first = shown.find('\'');
        EXPECT_EQ(first == std::string::npos, plain.size() < kFewestDigitsGrouped) << shown;
        for (std::size_t at = first; at != std::string::npos; at = shown.find('\'', at + 1)) {
            const std::size_t next = shown.find('\'', at + 1);
            EXPECT_EQ((next == std::string::npos ? shown.size() : next) - at - 1, 3u) << shown;
        }
    }
}

} // namespace
} // namespace brim
