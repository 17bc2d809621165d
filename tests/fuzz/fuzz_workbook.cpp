// The workbook reader on arbitrary bytes. It must never crash or read outside its input; a
// refusal is one line that names a place and a fault; and every workbook it accepts writes back
// to a text it reads again as the same workbook, field for field.

#include "report/workbook.h"
#include "tests/fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const brim::WorkbookReading reading = brim::readWorkbook(text);
    if (const auto* refusal = std::get_if<brim::WorkbookRefusal>(&reading)) {
        FUZZ_CHECK(!refusal->message.empty());
        FUZZ_CHECK(refusal->message.find('\n') == std::string::npos);
        return 0;
    }
    const brim::Workbook& workbook = std::get<brim::Workbook>(reading);
    FUZZ_CHECK(workbook.figures.plans.size() <= brim::kMaxKeptPlans);
    for (const brim::NamedPlan& plan : workbook.figures.plans) {
        FUZZ_CHECK(brim::isPlanName(plan.name));
    }
    const brim::WorkbookReading again = brim::readWorkbook(brim::formatWorkbook(workbook));
    FUZZ_CHECK(std::holds_alternative<brim::Workbook>(again));
    FUZZ_CHECK(std::get<brim::Workbook>(again) == workbook);
    return 0;
}
