#include "report/report_reader.h"

#include "core/blanks.h"
#include "core/catalogue.h"
#include "core/sheet_exchange.h"
#include "core/units.h"
#include "report/report.h"
#include "report/report_lines.h"

#include <algorithm>
#include <array>

namespace brim {
namespace {

using namespace report_lines;

constexpr std::string_view kNotAReport = "Not a Brimcount report: ";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF"; // some editors add one on save
constexpr std::string_view kErrorText = "Error";
// A found line is shown cut, as a hand-made line can fill the whole file; the line the writer
// prints is shown whole up to the usual 78 columns and a little more.
constexpr std::size_t kFoundLimit = 60;
constexpr std::size_t kPrintedLimit = 100;

constexpr std::size_t kTitleLine = 1;
constexpr std::size_t kDateLine = 2;
constexpr std::size_t kModelLine = 4;
constexpr std::size_t kFirstTotalLine = 5;
constexpr std::size_t kLastHeadingLine = 12;

// The version and the date are free texts, but text all the same.
bool allPrintable(std::string_view text) noexcept {
    return std::ranges::all_of(text, [](char c) { return (c >= ' ' && c <= '~') || c == '\t'; });
}

std::size_t digitRun(std::string_view text) noexcept {
    return static_cast<std::size_t>(std::ranges::find_if_not(text, isDigit) - text.begin());
}

// The length of the "%.2f" figure (digits, a point, two digits) that `text` begins with; 0 when
// it begins with none. Two capacities wider than their fields meet with nothing between them.
std::size_t capacityLength(std::string_view text) noexcept {
    const std::size_t whole = digitRun(text);
    const bool figure =
        whole != 0 && text.substr(whole, 1) == "." && digitRun(text.substr(whole + 1, 2)) == 2;
    return figure ? whole + 3 : 0;
}

// A total as Compute writes it: a capacity or a count, "Error" after a failed Compute, or
// nothing before any. The writer copies whatever the sheet holds, so this is Compute's rule.
bool isTotalText(std::string_view figure, bool isCapacity) noexcept {
    const std::string_view value = trimBlanksStart(figure);
    const std::size_t length = isCapacity ? capacityLength(value) : digitRun(value);
    return value.empty() || value == kErrorText || (length != 0 && length == value.size());
}

// At most `limit` characters, every byte that is not printable written as an escape, so that
// the message stays one line of plain text.
std::string shownText(std::string_view text, std::size_t limit) {
    static constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string shown;
    for (const char c : text.substr(0, limit)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t') {
            shown += "\\t";
        } else if (byte < 0x20 || byte > 0x7E) {
            shown += "\\x";
            shown += kHex[byte >> 4U];
            shown += kHex[byte & 0xFU];
        } else {
            shown += c;
        }
    }
    return shown;
}

ReportRefusal notAReport(std::string_view why) {
    return ReportRefusal{std::string(kNotAReport) + std::string(why) + "."};
}

// The text, line by line, without the line ends (a line feed, or a carriage return and a line
// feed) and without the blanks that editors leave at line ends. A last line without its line
// end counts; a carriage return anywhere else stays in its line.
class LineSplitter {
public:
    explicit LineSplitter(std::string_view text) noexcept : rest_(text) {}

    std::optional<std::string_view> next() noexcept {
        if (rest_.empty()) {
            return std::nullopt;
        }
        ++number_;
        const std::size_t end = rest_.find('\n');
        std::string_view line = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        return trimBlanksEnd(line);
    }

    std::size_t number() const noexcept { return number_; }

private:
    std::string_view rest_;
    std::size_t number_ = 0;
};

// A data line is split loosely into its fields: blanks between them, and catalogue names (which
// hold blanks of their own) longest first. Whether the fields stand where the writer puts them
// is for the writer to say, when the row is printed again. Each take passes over the blanks
// before its field and takes the field off `rest`.
std::string_view take(std::string_view& rest, std::size_t n) noexcept {
    const std::string_view taken = rest.substr(0, n);
    rest.remove_prefix(taken.size());
    return taken;
}

std::string_view takeWord(std::string_view& rest) noexcept {
    rest = trimBlanksStart(rest);
    return take(rest, static_cast<std::size_t>(std::ranges::find_if(rest, isBlank) - rest.begin()));
}

std::string_view takeCapacity(std::string_view& rest) noexcept {
    rest = trimBlanksStart(rest);
    return take(rest, capacityLength(rest));
}

// The index of the longest name that the rest begins with (one may begin another, "RAID1" and
// "RAID1/0"), or nothing; an unknown name is passed over up to the next two blanks.
template <typename Name>
std::optional<int> takeName(std::string_view& rest, std::size_t count, Name name) {
    rest = trimBlanksStart(rest);
    std::optional<int> found;
    for (int i = 0; i < static_cast<int>(count); ++i) {
        const std::string_view candidate = name(i);
        if (!candidate.empty() && rest.starts_with(candidate) &&
            (!found || candidate.size() > name(*found).size())) {
            found = i;
        }
    }
    take(rest, found ? name(*found).size() : rest.find("  "));
    return found;
}

// A capacity of a row in the form Compute writes it, blanks in front.
std::string capacityText(std::string_view figure) {
    const std::size_t blanks = kCapacityTextWidth - std::min(figure.size(), kCapacityTextWidth);
    return std::string(blanks, ' ').append(figure);
}

// The row that a data line describes. A field that cannot be read keeps the row's default, and
// a count that cannot be read becomes 1 (Print leaves rows without groups out), so that the row
// prints as a line like the one found.
GroupDefinition rowOf(std::string_view rest, std::int32_t model) {
    GroupDefinition row;
    row.groupCount = std::max(parseUnsigned32(takeWord(rest)).value_or(1), 1U);
    const auto diskName = [model](int disk) { return Catalogue::diskReportName(disk, model); };
    row.diskType = takeName(rest, kDiskTypes.size(), diskName).value_or(row.diskType);
    // No RAID type chosen leaves its field blank, so the disks per group follow the disk type.
    if (digitRun(trimBlanksStart(rest)) == 0) {
        row.raidType =
            takeName(rest, kRaidTypes.size(), Catalogue::raidReportName).value_or(kNoRaidType);
    }
    row.disksPerGroup = parseUnsigned32(takeWord(rest)).value_or(row.disksPerGroup);
    const auto vaultWord = [](int word) { return Catalogue::vaultWord(word == 1); };
    row.includesVault = takeName(rest, kVaultWords.size(), vaultWord) == 1;
    // Both capacities, or neither when the report was printed before any Compute.
    const std::string_view group = takeCapacity(rest);
    const std::string_view total = takeCapacity(rest);
    if (!group.empty() && !total.empty()) {
        row.groupCapacityText = capacityText(group);
        row.totalCapacityText = capacityText(total);
    }
    return row;
}

// Lines 5 to 8: a label from the writer and the figure, kept as it stood after the label's own
// blank, leading blanks included.
struct TotalLine {
    std::string_view label;
    std::string ConfigSheet::*text;
    bool isCapacity;
};

constexpr std::array<TotalLine, 4> kTotalLines{{
    {kNetGbLabel, &ConfigSheet::netTotalGbText, true},
    {kNetTbLabel, &ConfigSheet::netTotalTbText, true},
    {kTotalDisksLabel, &ConfigSheet::totalDisksText, false},
    {kArraysLabel, &ConfigSheet::arraysRequiredText, false},
}};

// The figure after the label; nothing when the line holds no label, or a figure that Compute
// does not write.
std::string totalOf(std::string_view line, const TotalLine& total) {
    const std::string_view figure =
        line.starts_with(total.label) ? line.substr(total.label.size()) : std::string_view{};
    return isTotalText(figure, total.isCapacity) ? std::string(figure) : std::string();
}

// The model whose name ends the line (no name ends another); the sheet's default when none.
std::int32_t modelOf(std::string_view line) {
    const auto named = std::ranges::find_if(
        kArrayModels, [line](const ArrayModel& model) { return line.ends_with(model.name); });
    return named == kArrayModels.end() ? ConfigSheet{}.modelIndex
                                       : static_cast<std::int32_t>(named - kArrayModels.begin());
}

// What the lines say of the plan, read loosely: the version, the model, the totals and the
// rows, up to the first blank line after the headings. Whether each line stands as the writer
// prints it is checked afterwards, against the plan printed again.
OpenedReport planOf(std::string_view text) {
    OpenedReport report;
    LineSplitter lines(text);
    while (const std::optional<std::string_view> line = lines.next()) {
        const std::size_t number = lines.number();
        if (number == kTitleLine && line->starts_with(kTitle)) {
            report.version = std::string(line->substr(kTitle.size()));
        } else if (number == kModelLine) {
            report.plan.modelIndex = modelOf(*line);
        } else if (number >= kFirstTotalLine && number < kFirstTotalLine + kTotalLines.size()) {
            const TotalLine& total = kTotalLines[number - kFirstTotalLine];
            report.plan.*total.text = totalOf(*line, total);
        } else if (number > kLastHeadingLine) {
            if (line->empty() || report.definitions == kRowCount) {
                break;
            }
            const auto row = static_cast<std::size_t>(report.definitions++);
            report.plan.rows[row] = rowOf(*line, report.plan.modelIndex);
        }
    }
    return report;
}

// Blanks at the line's end aside, as editors strip or leave them. The version and the date are
// the report's two free texts: any printable text.
bool standsAsPrinted(std::size_t number, std::string_view found, std::string_view printed) {
    switch (number) {
    case kTitleLine:
        return found.starts_with(kTitle) && found.size() > kTitle.size() && allPrintable(found);
    case kDateLine:
        return allPrintable(found);
    default:
        return found == printed;
    }
}

ReportRefusal lineRefused(std::size_t number, std::string_view printed, std::string_view found) {
    return notAReport("line " + std::to_string(number) + " should be like \"" +
                      shownText(printed, kPrintedLimit) + "\", found \"" +
                      shownText(found, kFoundLimit) + "\"");
}

// Line by line against the report of the plan they describe. Past the printed lines only blank
// lines stand: the writer prints nothing after the last definition.
ReportReading readLines(std::string_view text) {
    OpenedReport report = planOf(text);
    const std::string printed = formatReport(report.plan, ReportTime{});
    LineSplitter found(text);
    LineSplitter expected(printed);
    while (const std::optional<std::string_view> line = found.next()) {
        const std::string_view example = expected.next().value_or(std::string_view{});
        if (!standsAsPrinted(found.number(), *line, example)) {
            return lineRefused(found.number(), example, *line);
        }
    }
    if (found.number() < kLastHeadingLine) {
        return notAReport("the file ends at line " + std::to_string(found.number()) +
                          ", before the column headings");
    }
    return report;
}

} // namespace

ReportReading readReport(std::string_view text) {
    if (text.size() > kMaxReportBytes) {
        return notAReport("the file should be at most 64 KiB, found a larger one");
    }
    if (text.starts_with(kByteOrderMark)) {
        text.remove_prefix(kByteOrderMark.size());
    }
    if (text.empty()) {
        return notAReport("the file is empty");
    }
    return readLines(text);
}

} // namespace brim
