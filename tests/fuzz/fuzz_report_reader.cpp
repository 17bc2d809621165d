// The report reader on arbitrary bytes. It must never crash or read outside its input (the
// sanitizer build reports any such read); a refusal is one line that says it is not a report;
// and every text it accepts is a plan that formats back to a report it accepts again with the
// same content.

#include "core/config_sheet.h"
#include "report/report.h"
#include "report/report_reader.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/sheet_compare.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const brim::ReportReading reading = brim::readReport(text);
    if (const auto* refusal = std::get_if<brim::ReportRefusal>(&reading)) {
        FUZZ_CHECK(refusal->message.rfind("Not a Brimcount report: ", 0) == 0);
        FUZZ_CHECK(refusal->message.find_first_of("\r\n") == std::string::npos);
        return 0;
    }
    const brim::OpenedReport& opened = std::get<brim::OpenedReport>(reading);
    FUZZ_CHECK(!opened.version.empty());
    FUZZ_CHECK(opened.definitions >= 0 && opened.definitions <= brim::kRowCount);
    for (int i = 0; i < brim::kRowCount; ++i) {
        const brim::GroupDefinition& row = opened.plan.rows[static_cast<std::size_t>(i)];
        FUZZ_CHECK((row.groupCount != 0) == (i < opened.definitions));
        FUZZ_CHECK(!row.includesVault || i < brim::kVaultRowCount);
    }

    const std::string again = brim::formatReport(opened.plan, brim::ReportTime{});
    const brim::ReportReading back = brim::readReport(again);
    FUZZ_CHECK(std::holds_alternative<brim::OpenedReport>(back));
    const brim::OpenedReport& reopened = std::get<brim::OpenedReport>(back);
    FUZZ_CHECK(reopened.definitions == opened.definitions);
    const std::string difference = brim::fuzz::sheetDifference(reopened.plan, opened.plan);
    if (!difference.empty()) {
        std::fprintf(stderr, "read back differently: %s\n", difference.c_str());
    }
    FUZZ_CHECK(difference.empty());
    return 0;
}
