#include "fake_sheet_view.h"
#include "report.h"
#include "report_reader.h"
#include "report_test_support.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <variant>

namespace brim {
namespace {

constexpr ReportTime kPrinted{2008, 3, 7, 9, 5, 3};

struct RandomSheet {
    ConfigSheet sheet;
    bool computed = false;
    std::vector<std::string> messages; // shown by its Compute
};

// A sheet as the window leaves it: rows with groups among default rows, RAID1 and IndivDisk
// rows with their fixed disks per group, now and then huge counts and out-of-range disks. Most
// are computed (their failed rows keep older figures), the rest printed before any Compute.
RandomSheet randomSheet(std::mt19937& rng) {
    const auto upTo = [&rng](std::uint32_t max) {
        return std::uniform_int_distribution<std::uint32_t>(0, max)(rng);
    };
    const auto oneIn = [&upTo](std::uint32_t n) { return upTo(n - 1) == 0; };
    RandomSheet result;
    ConfigSheet& sheet = result.sheet;
    sheet.modelIndex = static_cast<std::int32_t>(upTo(8));
    result.computed = !oneIn(5);
    for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
        GroupDefinition& row = sheet.rows[i];
        if (oneIn(2)) {
            continue;
        }
        row.groupCount = oneIn(8) ? std::max(1U, upTo(UINT32_MAX)) : 1 + upTo(59);
        row.diskType = static_cast<std::int32_t>(upTo(7));
        row.raidType = static_cast<std::int32_t>(upTo(7)) - 1;
        row.disksPerGroup = oneIn(10) ? upTo(UINT32_MAX) : upTo(17);
        row.disksPerGroup = row.raidType == 1 ? 2 : row.raidType == 6 ? 1 : row.disksPerGroup;
        row.includesVault = i < kVaultRowCount && oneIn(3);
        if (result.computed) {
            // Older figures, now and then wider than their fields.
            row.groupCapacityText = formatCapacity(upTo(UINT32_MAX) * (oneIn(4) ? 100.0 : 0.01));
            row.totalCapacityText = formatCapacity(upTo(UINT32_MAX) / 100.0);
        }
    }
    if (result.computed) {
        test::RecordingSink sink;
        computeSheet(sheet, sink);
        result.messages = sink.texts;
    }
    return result;
}

// As editors on other systems may leave the file: CR LF line ends (even mixed), no final line
// end, blank lines after the definitions.
std::string asSavedElsewhere(const std::string& text, std::mt19937& rng) {
    std::string out;
    for (const char c : text) {
        out += c == '\n' && rng() % 2 == 0 ? std::string("\r\n") : std::string(1, c);
    }
    if (rng() % 2 == 0) {
        return out + "\n  \n";
    }
    return out.substr(0, out.find_last_not_of("\r\n") + 1);
}

TEST(ReportReaderTest, ARandomSheetReadsBackAndReopensIntoTheSameReport) {
    std::mt19937 rng(20240611);
    for (int run = 0; run < 400; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        const RandomSheet original = randomSheet(rng);
        const std::string printed = formatReport(original.sheet, kPrinted);
        const ReportReading reading = readReport(asSavedElsewhere(printed, rng));
        ASSERT_TRUE(std::holds_alternative<OpenedReport>(reading))
            << std::get<ReportRefusal>(reading).message << "\n"
            << printed;
        const OpenedReport& opened = std::get<OpenedReport>(reading);
        EXPECT_EQ(opened.version, "4.3");
        EXPECT_EQ(opened.plan.modelIndex, original.sheet.modelIndex);
        std::size_t next = 0;
        for (const GroupDefinition& row : original.sheet.rows) {
            if (row.groupCount != 0) {
                ASSERT_LT(next, opened.plan.rows.size());
                EXPECT_TRUE(test::sameRow(opened.plan.rows[next++], row)) << "row " << next;
            }
        }
        EXPECT_EQ(next, static_cast<std::size_t>(opened.definitions));
        for (; next < opened.plan.rows.size(); ++next) {
            EXPECT_TRUE(test::sameRow(opened.plan.rows[next], GroupDefinition{}));
        }
        if (!original.computed) {
            continue;
        }
        // Into a window that held another plan: the same report again, the same messages, and
        // the window's own Sticky Changes.
        test::CommandsFixture window;
        window.sheet = randomSheet(rng).sheet;
        window.sheet.stickyChanges = run % 2 == 0;
        window.syncScreen();
        window.commands.openPlan(opened.plan, opened.version);
        EXPECT_EQ(formatReport(window.sheet, kPrinted), printed);
        EXPECT_EQ(window.view.messagesShown(), original.messages);
        EXPECT_EQ(window.sheet.stickyChanges, run % 2 == 0);
        for (int r = 1; r <= kRowCount; ++r) {
            const int raid = test::row(window.sheet, r).raidType;
            EXPECT_EQ(window.commands.disksFieldLocked(r), raid == 1 || raid == 6) << "row " << r;
        }
        // One printed figure changed by hand: the computed ones win, and the message says so.
        if (original.sheet.totalDisksText != "Error") {
            ConfigSheet edited = opened.plan;
            (opened.definitions > 0 && rng() % 2 == 0 ? edited.rows[0].totalCapacityText
                                                      : edited.netTotalTbText) = "12345";
            window.view.calls.clear();
            window.commands.openPlan(edited, "4.2");
            EXPECT_EQ(formatReport(window.sheet, kPrinted), printed);
            std::vector<std::string> expected = original.messages;
            expected.push_back(differingFiguresMessage("4.2"));
            EXPECT_EQ(window.view.messagesShown(), expected);
        }
    }
}

} // namespace
} // namespace brim
