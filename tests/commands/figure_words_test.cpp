// The planning figures' words: every figure can be named, refused and printed, and the README's
// table of assumptions says where each default comes from as the words do.

#include "commands/figure_words.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace brim {
namespace {

std::string readme() {
    std::ifstream in(BRIM_README);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(FigureWordsTest, EveryFigureIsNamedPrintedAndSourcedInTheReadme) {
    const std::string guide = readme();
    ASSERT_FALSE(guide.empty());
    const auto sourced = [&guide](std::string_view source) {
        return guide.find(source) != std::string::npos;
    };
    for (const DiskFigureWords& w : kDiskFigureWords) {
        EXPECT_FALSE(w.heading.empty() || w.name.empty() || w.printedHeading.empty() ||
                     w.described.empty())
            << w.name;
        EXPECT_TRUE(sourced(w.defaultSource)) << w.defaultSource;
    }
    for (const ModelFigureWords& w : kModelFigureWords) {
        EXPECT_NE(w.label.find("{}"), std::string_view::npos) << w.label;
        EXPECT_NE(w.label.find('&'), std::string_view::npos) << w.label;
        EXPECT_FALSE(w.refusal.empty() || w.printedLabel.empty()) << w.label;
        EXPECT_TRUE(sourced(w.defaultSource)) << w.defaultSource;
    }
    for (const GrowthFigureWords& w : kGrowthFigureWords) {
        EXPECT_NE(w.label.find('&'), std::string_view::npos) << w.label;
        EXPECT_NE(w.printed.find("{}"), std::string_view::npos) << w.printed;
        EXPECT_TRUE(sourced(w.defaultSource)) << w.defaultSource;
    }
    for (const ProgramFigureWords& w : kProgramFigureWords) {
        EXPECT_NE(w.label.find('&'), std::string_view::npos) << w.label;
        EXPECT_NE(w.printed.find("{}"), std::string_view::npos) << w.printed;
        EXPECT_FALSE(w.refusal.empty() || w.fieldName.empty()) << w.label;
        EXPECT_TRUE(sourced(w.defaultSource)) << w.defaultSource;
    }
}

TEST(FigureWordsTest, AFigureReadsAsItsFormShowsIt) {
    struct Case {
        FigureRule rule;
        std::int64_t held;
        const char* shown;
        const char* edited;
        const char* allowed;
    };
    const Case cases[] = {
        {{FigureForm::Whole, 0, {1, 100'000}},
         180,
         "180",
         "180",
         "a whole number from 1 to 100000"},
        {{FigureForm::PowerOfTen, 0, {12, 18}}, 16, "10^16", "16", "a power of ten from 12 to 18"},
        {{FigureForm::Decimal, 2, {1, 5'000}},
         250,
         "2.5",
         "2.5",
         "a number from 0.01 to 50 with up to two decimals"},
        {{FigureForm::Decimal, 1, {-900, 1'000}},
         -205,
         "-20.5",
         "-20.5",
         "a number from -90 to 100 with up to one decimal"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(figureText(c.rule, c.held), c.shown);
        EXPECT_EQ(figureEditText(c.rule, c.held), c.edited);
        EXPECT_EQ(allowedText(c.rule), c.allowed);
    }
}

} // namespace
} // namespace brim
