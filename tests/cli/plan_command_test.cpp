// plan of the README's example workbook, run with no display at all and with a DISPLAY that
// names no server: a PDF of the page size asked for whose text holds the plan's title, dated
// by --at, and every section heading of the document Print Plan prints.

#include "commands/plan_document.h"
#include "commands/sheet_session.h"
#include "tests/cli/cli_run.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace brim::test {
namespace {

// What a tool of poppler-utils prints of the file; empty when it cannot run.
std::string popplerSays(const std::string& tool, const std::string& pdf) {
    const std::string command =
        tool + " '" + pdf + "' " + (tool == "pdftotext" ? "- " : "") + "2>/dev/null";
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string text;
    char buffer[4096];
    for (std::size_t n; pipe && (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) {
        text.append(buffer, n);
    }
    return text;
}

std::vector<std::string> headingsOfExample() {
    SheetSession session;
    EXPECT_TRUE(session.open(BRIM_EXAMPLE, readWhole(BRIM_EXAMPLE)));
    const std::vector<KeptPlan> kept = keptPlansOf(session.keptPlans());
    const RowDiskNames names{};
    const PlanDocument document = planDocument(
        {session.sheet(), session.planning(), names, kept, std::nullopt, {2026, 3, 7}});
    std::vector<std::string> headings;
    for (const DocumentSection& section : document.sections) {
        headings.push_back(section.heading);
    }
    return headings;
}

using PlanCommandTest = CliTest;

TEST_F(PlanCommandTest, WritesThePrintedPlanAsAPdfWithNoDisplay) {
    if (std::system("command -v pdftotext pdfinfo >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    const std::vector<std::string> headings = headingsOfExample();
    ASSERT_GE(headings.size(), 6u);
    struct Run {
        std::vector<std::string> environment;
        std::vector<std::string> page;
        std::string pageSize; // as pdfinfo names it
    };
    const Run runs[] = {
        {{}, {}, "(A4)"},
        {{"DISPLAY=:99"}, {"--page", "Letter"}, "(letter)"},
        {{"DISPLAY=:99", "QT_QPA_PLATFORM=xcb"}, {"--page=A4"}, "(A4)"},
    };
    for (const Run& run : runs) {
        const std::string pdf = file("plan.pdf");
        std::vector<std::string> arguments{"plan", BRIM_EXAMPLE, "-o",
                                           pdf,    "--at",       "2026-03-07 09:05:03"};
        arguments.insert(arguments.end(), run.page.begin(), run.page.end());
        const CliRun done = runCli(arguments, {}, nullptr, run.environment);
        const std::string what = run.environment.empty() ? "no DISPLAY" : run.environment.back();
        EXPECT_EQ(std::tie(done.status, done.out, done.err),
                  std::make_tuple(0, std::string(), std::string()))
            << what;
        EXPECT_NE(popplerSays("pdfinfo", pdf).find(run.pageSize), std::string::npos) << what;
        const std::string text = popplerSays("pdftotext", pdf);
        EXPECT_NE(text.find("Brimcount plan for a Telvar A, 7 March 2026\n"), std::string::npos)
            << what << ":\n"
            << text;
        for (const std::string& heading : headings) {
            EXPECT_NE(text.find('\n' + heading + '\n'), std::string::npos)
                << what << ": " << heading;
        }
        std::filesystem::remove(pdf);
    }
}

} // namespace
} // namespace brim::test
