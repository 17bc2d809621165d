// The report formatter on arbitrary sheets: indices inside and outside every table, any counts,
// long and odd result texts, any clock reading. The report must have the twelve fixed lines and
// one data line per row with groups, each data line at least 78 characters with its seven
// fields right-aligned in their widths, and it must read nothing outside a table (the sanitizer
// build reports any such read).

#include "core/config_sheet.h"
#include "report/report.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/fuzz_input.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

using brim::fuzz::FuzzInput;

// Report names typed in again, so that a wrong table entry shows up as a difference.
// clang-format off
constexpr const char* kModelNames[9] = {"Zunda S", "Morvik A", "Morvik B", "Morvik C",
    "Morvik D", "Telvar A", "Telvar B", "Telvar C", "Telvar D"};
constexpr const char* kOrlenDiskNames[8] = {"73 G FC", "146 G FC", "300 G FC", "400 G FC",
    "450 G FC", "500 G ATA", "750 G ATA", "1 TB ATA"};
constexpr const char* kZundaDiskNames[8] = {"73 G FC", "146 G SAS", "300 G SAS", "400 G SAS",
    "450 G SAS", "500 G ATA", "750 G ATA", "1 TB ATA"};
constexpr const char* kRaidNames[7] = {"RAID0", "RAID1", "RAID1/0", "RAID3", "RAID5", "RAID 6",
    "IndivDisk"};
// clang-format on

constexpr std::size_t kDataLineMinimum = 78;
constexpr std::size_t kFixedLines = 12;

// A result text as a result field hands it back: any bytes but a line break, which no field
// holds.
std::string resultText(FuzzInput& in) {
    std::string text = in.text();
    for (char& c : text) {
        if (c == '\n' || c == '\r') {
            c = '~';
        }
    }
    return text;
}

std::string rightAligned(std::string_view text, std::size_t width) {
    std::string out;
    if (text.size() < width) {
        out.assign(width - text.size(), ' ');
    }
    out += text;
    return out;
}

// A count field: the count's unsigned value, or, from 2^31 on, its value as a signed 32-bit
// number ("%d" applied to it); both are accepted. Each right-aligned in `width` columns.
std::vector<std::string> countFields(std::uint32_t value, std::size_t width) {
    return {rightAligned(std::to_string(value), width),
            rightAligned(std::to_string(static_cast<std::int32_t>(value)), width)};
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}
bool endsWith(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

void checkDataLine(std::string_view line, const brim::ConfigSheet& sheet, std::size_t rowIndex) {
    const brim::GroupDefinition& row = sheet.rows[rowIndex];
    FUZZ_CHECK(line.size() >= kDataLineMinimum);

    // Fields 5 to 7 hang off the end of the line whatever came before them.
    const bool vault = rowIndex < 5 && row.includesVault;
    const std::string tail = rightAligned(vault ? "Yes" : "No", 11) +
                             rightAligned(row.groupCapacityText, 11) +
                             rightAligned(row.totalCapacityText, 13);
    FUZZ_CHECK(endsWith(line, tail));
    std::string_view rest = line.substr(0, line.size() - tail.size());
    // Field 4, disks per group, just before them; field 1, the group count, at the start.
    bool disksMatched = false;
    for (const std::string& field : countFields(row.disksPerGroup, 8)) {
        if (!disksMatched && endsWith(rest, field)) {
            rest.remove_suffix(field.size());
            disksMatched = true;
        }
    }
    FUZZ_CHECK(disksMatched);
    bool groupsMatched = false;
    for (const std::string& field : countFields(row.groupCount, 6)) {
        if (!groupsMatched && startsWith(rest, field)) {
            rest.remove_prefix(field.size());
            groupsMatched = true;
        }
    }
    FUZZ_CHECK(groupsMatched);
    // Fields 2 and 3: the names of the table entries when both indices lie in their tables;
    // for an index outside, only the width is fixed.
    const bool modelKnown = sheet.modelIndex >= 0 && sheet.modelIndex < 9;
    const bool diskKnown = row.diskType >= 0 && row.diskType < 8;
    const bool raidKnown = row.raidType >= 0 && row.raidType < 7;
    FUZZ_CHECK(rest.size() >= 16 + 13);
    if (modelKnown && diskKnown) {
        const char* name =
            sheet.modelIndex == 0 ? kZundaDiskNames[row.diskType] : kOrlenDiskNames[row.diskType];
        FUZZ_CHECK(startsWith(rest, rightAligned(name, 16)));
    }
    if (raidKnown) {
        FUZZ_CHECK(endsWith(rest, rightAligned(kRaidNames[row.raidType], 13)));
    }
    if (modelKnown && diskKnown && raidKnown) {
        FUZZ_CHECK(rest.size() == 16 + 13);
    }
}

std::vector<std::string_view> splitLines(std::string_view report) {
    std::vector<std::string_view> lines;
    FUZZ_CHECK(report.empty() || report.back() == '\n'); // the last line ends too
    while (!report.empty()) {
        const std::size_t end = report.find('\n');
        lines.push_back(report.substr(0, end));
        report.remove_prefix(end + 1);
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    brim::ConfigSheet sheet;
    sheet.modelIndex = in.index(9);
    brim::ReportTime time;
    time.year = in.raw<std::int32_t>();
    time.month = in.raw<std::int32_t>();
    time.day = in.raw<std::int32_t>();
    time.hour = in.raw<std::int32_t>();
    time.minute = in.raw<std::int32_t>();
    time.second = in.raw<std::int32_t>();
    sheet.netTotalGbText = resultText(in);
    sheet.netTotalTbText = resultText(in);
    sheet.totalDisksText = resultText(in);
    sheet.arraysRequiredText = resultText(in);
    for (brim::GroupDefinition& row : sheet.rows) {
        row.diskType = in.index(8);
        row.raidType = in.index(7);
        row.disksPerGroup = in.count();
        row.groupCount = in.count();
        row.includesVault = in.flag();
        row.groupCapacityText = resultText(in);
        row.totalCapacityText = resultText(in);
    }

    const std::string report = brim::formatReport(sheet, time);
    const std::vector<std::string_view> lines = splitLines(report);

    std::size_t rowsWithGroups = 0;
    for (const brim::GroupDefinition& row : sheet.rows) {
        rowsWithGroups += row.groupCount != 0 ? 1 : 0;
    }
    FUZZ_CHECK(lines.size() == kFixedLines + rowsWithGroups);
    FUZZ_CHECK(report.find('\r') == std::string::npos);

    FUZZ_CHECK(lines[0] == "Tessaryn Brimcount 4.3");
    char dateLine[128];
    std::snprintf(dateLine, sizeof dateLine, "%d/%d/%d   %d:%02d:%02d", time.month, time.day,
                  time.year, time.hour, time.minute, time.second);
    FUZZ_CHECK(lines[1] == dateLine);
    FUZZ_CHECK(lines[2] == std::string(49, '='));
    FUZZ_CHECK(startsWith(lines[3], "System Model: "));
    if (sheet.modelIndex >= 0 && sheet.modelIndex < 9) {
        FUZZ_CHECK(lines[3] == std::string("System Model: ") + kModelNames[sheet.modelIndex]);
    }
    FUZZ_CHECK(lines[4] == "Total Net (GB): " + sheet.netTotalGbText);
    FUZZ_CHECK(lines[5] == "Total Net (TB): " + sheet.netTotalTbText);
    FUZZ_CHECK(lines[6] == "Total # Disks: " + sheet.totalDisksText);
    FUZZ_CHECK(lines[7] == "Min. # of arrays needed: " + sheet.arraysRequiredText);
    FUZZ_CHECK(lines[8] == "======= CONFIGURATION ========");
    FUZZ_CHECK(lines[9].empty());
    FUZZ_CHECK(lines[10] == "\t\t\t\t     #Disks/\t\t    CAPACITY");
    FUZZ_CHECK(lines[11] == "# Groups     Disk Type    RAID Type   Group  Is Vault?  "
                            "Per Group     Subtotal");
    FUZZ_CHECK(lines[11].size() == kDataLineMinimum);

    std::size_t line = kFixedLines;
    for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
        if (sheet.rows[i].groupCount != 0) {
            checkDataLine(lines[line], sheet, i);
            ++line;
        }
    }
    return 0;
}
