#include "report_reader.h"

#include "blanks.h"
#include "catalogue.h"
#include "report_lines.h"
#include "sheet_exchange.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <array>
#include <cstdio>

namespace brim {
namespace {

using namespace report_lines;

constexpr std::string_view kNotAReport = "Not a Brimcount report: ";
constexpr std::size_t kFoundLimit = 60;
// Compute writes capacities with "%8.2f": at least eight characters, blanks in front.
constexpr std::size_t kCapacityTextWidth = 8;

constexpr std::string_view kTitleExpected = "\"Tessaryn Brimcount \" and a version";
constexpr std::string_view kPrintableExpected = "printable ASCII text";
constexpr std::string_view kModelExpected = "\"System Model: \" and an array model";
constexpr std::string_view kGroupsExpected = "a definition's number of groups (unsigned 32-bit "
                                             "decimal)";
constexpr std::string_view kSomeGroupsExpected = "a definition with at least one group";
constexpr std::string_view kRaidExpected = "a RAID type or none";
constexpr std::string_view kDisksExpected = "the disks per group (unsigned 32-bit decimal)";
constexpr std::string_view kVaultExpected = "\"Yes\" or \"No\"";
constexpr std::string_view kNoVaultExpected =
    "\"No\" (only the first five definitions hold the vault)";
constexpr std::string_view kCapacitiesExpected = "two capacities or none";
constexpr std::string_view kLineEndExpected = "nothing after the two capacities";
constexpr std::string_view kTooManyExpected =
    "a blank line (a report holds at most ten definitions)";
constexpr std::string_view kBlankExpected = "a blank line (nothing follows the definitions)";
constexpr std::string_view kErrorText = "Error";

struct FixedLine {
    std::string_view text;
    std::string_view expected;
};

enum class FigureKind { Capacity, Count };

// Lines 5 to 8: a label and the figure Compute wrote, "Error" after a failed Compute, or
// nothing before any.
struct TotalsLine {
    std::string_view label;
    FigureKind kind;
    std::string ConfigSheet::*text;
    std::string_view expected;
};

// clang-format off
constexpr std::array<TotalsLine, 4> kTotalsLines{{
    {kNetGbLabel, FigureKind::Capacity, &ConfigSheet::netTotalGbText,
     "\"Total Net (GB): \" and a capacity, \"Error\" or nothing"},
    {kNetTbLabel, FigureKind::Capacity, &ConfigSheet::netTotalTbText,
     "\"Total Net (TB): \" and a capacity, \"Error\" or nothing"},
    {kTotalDisksLabel, FigureKind::Count, &ConfigSheet::totalDisksText,
     "\"Total # Disks: \" and a number, \"Error\" or nothing"},
    {kArraysLabel, FigureKind::Count, &ConfigSheet::arraysRequiredText,
     "\"Min. # of arrays needed: \" and a number, \"Error\" or nothing"},
}};

constexpr std::array<FixedLine, 4> kHeadingLines{{
    {kConfigurationRule, "\"======= CONFIGURATION ========\""},
    {"", "an empty line"},
    {kHeadings1, "the tabbed headings \"#Disks/\" and \"CAPACITY\""},
    {kHeadings2, "the column headings from \"# Groups\" to \"Subtotal\""},
}};
// clang-format on

constexpr FixedLine kRuleLine{kRule, "a rule of 49 \"=\""};

constexpr bool isPrintable(char c) noexcept {
    return (c >= ' ' && c <= '~') || c == '\t';
}

bool startsWith(std::string_view text, std::string_view prefix) noexcept {
    return text.substr(0, prefix.size()) == prefix;
}

std::size_t digitRun(std::string_view text) noexcept {
    std::size_t n = 0;
    while (n < text.size() && isDigit(text[n])) {
        ++n;
    }
    return n;
}

// The length of the "%.2f" figure (digits, a point, two digits) that `text` begins with; 0 when
// it begins with none.
std::size_t capacityLength(std::string_view text) noexcept {
    const std::size_t whole = digitRun(text);
    if (whole == 0 || whole + 3 > text.size() || text[whole] != '.' ||
        digitRun(text.substr(whole + 1)) < 2) {
        return 0;
    }
    return whole + 3;
}

bool isFigure(std::string_view text, FigureKind kind) noexcept {
    const std::size_t length = kind == FigureKind::Capacity ? capacityLength(text) : digitRun(text);
    return length != 0 && length == text.size();
}

// The found text of a message: at most kFoundLimit characters, and every byte that is not
// printable written as an escape, so that the message stays one line of plain text.
std::string shownText(std::string_view found) {
    static constexpr std::string_view kHex = "0123456789ABCDEF";
    std::string shown;
    for (const char c : found.substr(0, kFoundLimit)) {
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

std::string linePrefix(std::size_t lineNumber) {
    return std::string(kNotAReport) + "line " + std::to_string(lineNumber) + " should be ";
}

// The text, line by line, without the line ends: a line feed, or a carriage return and a line
// feed. A last line without its line end counts; a carriage return anywhere else stays in its
// line and is refused there.
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
        return line;
    }

    std::size_t number() const noexcept { return number_; }

private:
    std::string_view rest_;
    std::size_t number_ = 0;
};

// Walks a data line field by field. Fields stand right-aligned in their widths, so a field
// touches the one before it only when it fills its whole width.
class FieldCursor {
public:
    explicit FieldCursor(std::string_view line) noexcept : rest_(line) {}

    // Skips the blanks before the next field; whether there were any.
    bool skipBlanks() noexcept {
        const std::size_t before = rest_.size();
        rest_ = trimBlanksStart(rest_);
        return rest_.size() != before;
    }

    std::string_view rest() const noexcept { return rest_; }
    bool atEnd() const noexcept { return rest_.empty(); }
    bool atDigit() const noexcept { return !rest_.empty() && isDigit(rest_.front()); }

    // Everything up to the next blank.
    std::string_view takeWord() noexcept {
        std::size_t n = 0;
        while (n < rest_.size() && !isBlank(rest_[n])) {
            ++n;
        }
        return take(n);
    }

    std::string_view takeCapacity() noexcept { return take(capacityLength(rest_)); }

    // The index of the longest of `names` that the rest begins with, or -1. Names hold blanks
    // ("RAID 6"), and one may begin another ("RAID1", "RAID1/0").
    template <std::size_t N> int takeName(const std::array<std::string_view, N>& names) noexcept {
        int found = -1;
        for (std::size_t i = 0; i < N; ++i) {
            if (!names[i].empty() && startsWith(rest_, names[i]) &&
                (found < 0 || names[i].size() > names[static_cast<std::size_t>(found)].size())) {
                found = static_cast<int>(i);
            }
        }
        if (found >= 0) {
            take(names[static_cast<std::size_t>(found)].size());
        }
        return found;
    }

private:
    std::string_view take(std::size_t n) noexcept {
        const std::string_view taken = rest_.substr(0, n);
        rest_.remove_prefix(n);
        return taken;
    }

    std::string_view rest_;
};

// A field that touches the one before it must fill its width, as the writer's padding leaves
// no other way for two fields to meet.
constexpr bool wellSeparated(bool blanksBefore, std::size_t length, std::size_t width) noexcept {
    return blanksBefore || length >= width;
}

std::string capacityText(std::string_view figure) {
    std::string text;
    if (figure.size() < kCapacityTextWidth) {
        text.assign(kCapacityTextWidth - figure.size(), ' ');
    }
    text += figure;
    return text;
}

template <std::size_t N, typename Name> std::array<std::string_view, N> namesOf(Name name) {
    std::array<std::string_view, N> names{};
    for (std::size_t i = 0; i < N; ++i) {
        names[i] = name(static_cast<int>(i));
    }
    return names;
}

class ReportParser {
public:
    explicit ReportParser(std::string_view text) noexcept : lines_(text) {}

    ReportReading read() {
        if (readTitle() && readDate() && readFixed(kRuleLine) && readModel() && readTotals() &&
            readHeadings() && readDefinitions()) {
            return std::move(report_);
        }
        return std::move(refusal_);
    }

private:
    bool refuse(std::string_view expected, std::string_view found) {
        refusal_.message = linePrefix(lines_.number()) + std::string(expected) + ", found \"" +
                           shownText(found) + "\".";
        return false;
    }

    // The next line, trimmed of the blanks at its end; nothing at the end of the text, or when
    // the line holds a byte that no report holds (then refused).
    std::optional<std::string_view> nextLine() {
        const std::optional<std::string_view> line = lines_.next();
        if (!line) {
            return std::nullopt;
        }
        for (const char c : *line) {
            if (!isPrintable(c)) {
                refuse(kPrintableExpected, *line);
                return std::nullopt;
            }
        }
        return trimBlanksEnd(*line);
    }

    std::optional<std::string_view> expectLine(std::string_view expected) {
        const std::size_t before = lines_.number();
        std::optional<std::string_view> line = nextLine();
        if (!line && lines_.number() == before) {
            refusal_.message =
                linePrefix(before + 1) + std::string(expected) + ", found the end of the file.";
        }
        return line;
    }

    bool readTitle() {
        const std::optional<std::string_view> line = expectLine(kTitleExpected);
        if (!line) {
            return false;
        }
        if (!startsWith(*line, kTitle) || line->size() == kTitle.size()) {
            return refuse(kTitleExpected, *line);
        }
        report_.version = std::string(line->substr(kTitle.size()));
        return true;
    }

    // The date and time of printing: any text, not used.
    bool readDate() { return expectLine("the date and time").has_value(); }

    bool readFixed(const FixedLine& fixed) {
        const std::optional<std::string_view> line = expectLine(fixed.expected);
        if (!line) {
            return false;
        }
        return *line == trimBlanksEnd(fixed.text) || refuse(fixed.expected, *line);
    }

    bool readModel() {
        const std::optional<std::string_view> line = expectLine(kModelExpected);
        if (!line) {
            return false;
        }
        if (startsWith(*line, kModelLabel)) {
            const std::string_view name = line->substr(kModelLabel.size());
            for (std::size_t i = 0; i < kArrayModels.size(); ++i) {
                if (kArrayModels[i].name == name) {
                    report_.plan.modelIndex = static_cast<std::int32_t>(i);
                    return true;
                }
            }
        }
        return refuse(kModelExpected, *line);
    }

    bool readTotals() {
        for (const TotalsLine& total : kTotalsLines) {
            if (!readTotal(total)) {
                return false;
            }
        }
        return true;
    }

    // The figure is kept as it stood after the label's own blank, leading blanks included.
    bool readTotal(const TotalsLine& total) {
        const std::optional<std::string_view> line = expectLine(total.expected);
        if (!line) {
            return false;
        }
        const std::string_view label = trimBlanksEnd(total.label);
        if (!startsWith(*line, label)) {
            return refuse(total.expected, *line);
        }
        std::string_view figure = line->substr(label.size());
        if (!figure.empty()) {
            if (!startsWith(figure, total.label.substr(label.size()))) {
                return refuse(total.expected, *line);
            }
            figure.remove_prefix(total.label.size() - label.size());
        }
        const std::string_view value = trimBlanksStart(figure);
        if (!value.empty() && value != kErrorText && !isFigure(value, total.kind)) {
            return refuse(total.expected, *line);
        }
        report_.plan.*total.text = std::string(figure);
        return true;
    }

    bool readHeadings() {
        for (const FixedLine& fixed : kHeadingLines) {
            if (!readFixed(fixed)) {
                return false;
            }
        }
        return true;
    }

    // Zero to ten data lines, then nothing but blank lines.
    bool readDefinitions() {
        bool ended = false;
        while (const std::optional<std::string_view> line = nextLine()) {
            if (line->empty()) {
                ended = true;
            } else if (ended) {
                return refuse(kBlankExpected, *line);
            } else if (report_.definitions == kRowCount) {
                return refuse(kTooManyExpected, *line);
            } else if (!readDataLine(*line)) {
                return false;
            }
        }
        return refusal_.message.empty();
    }

    bool readDataLine(std::string_view line) {
        GroupDefinition& row = report_.plan.rows[static_cast<std::size_t>(report_.definitions)];
        FieldCursor cursor(line);
        cursor.skipBlanks();
        const std::optional<std::uint32_t> groups = parseUnsigned32(cursor.takeWord());
        if (!groups) {
            return refuse(kGroupsExpected, line);
        }
        if (*groups == 0) {
            return refuse(kSomeGroupsExpected, line); // Print leaves rows without groups out
        }
        row.groupCount = *groups;
        if (!readDiskType(cursor, row) || !readRaidAndDisks(cursor, row) ||
            !readVault(cursor, row) || !readCapacities(cursor, row)) {
            return false;
        }
        ++report_.definitions;
        return true;
    }

    bool readDiskType(FieldCursor& cursor, GroupDefinition& row) {
        const std::int32_t model = report_.plan.modelIndex;
        const auto names = namesOf<kDiskTypes.size()>(
            [model](int disk) { return Catalogue::diskReportName(disk, model); });
        const bool blanks = cursor.skipBlanks();
        const std::string_view start = cursor.rest();
        row.diskType = cursor.takeName(names);
        if (row.diskType < 0 || !blanks) {
            return refuse("a disk type for the " + std::string(Catalogue::modelName(model)), start);
        }
        return true;
    }

    // No RAID type chosen leaves its field blank, so the disks per group follow the disk type.
    bool readRaidAndDisks(FieldCursor& cursor, GroupDefinition& row) {
        bool blanks = cursor.skipBlanks();
        const std::string_view raidStart = cursor.rest();
        row.raidType = kNoRaidType;
        if (!cursor.atDigit()) {
            static const auto kNames = namesOf<kRaidTypes.size()>(
                [](int raid) { return Catalogue::raidReportName(raid); });
            row.raidType = cursor.takeName(kNames);
            if (row.raidType < 0 || !blanks) {
                return refuse(kRaidExpected, raidStart);
            }
            blanks = cursor.skipBlanks();
        }
        const std::string_view disksStart = cursor.rest();
        const std::string_view disksText = cursor.takeWord();
        const std::optional<std::uint32_t> disks = parseUnsigned32(disksText);
        if (!disks || !wellSeparated(blanks, disksText.size(), kWidths.disksPerGroup)) {
            return refuse(kDisksExpected, disksStart);
        }
        row.disksPerGroup = *disks;
        return true;
    }

    // Only rows 1 to 5 hold the vault, and Print writes rows in order.
    bool readVault(FieldCursor& cursor, GroupDefinition& row) {
        const bool blanks = cursor.skipBlanks();
        const std::string_view start = cursor.rest();
        const int word = cursor.takeName(kVaultWords); // "No", "Yes"
        if (word < 0 || !blanks) {
            return refuse(kVaultExpected, start);
        }
        row.includesVault = word == 1;
        if (row.includesVault && report_.definitions >= kVaultRowCount) {
            return refuse(kNoVaultExpected, start);
        }
        return true;
    }

    // Both capacities, or neither when the report was printed before any Compute.
    bool readCapacities(FieldCursor& cursor, GroupDefinition& row) {
        bool blanks = cursor.skipBlanks();
        if (cursor.atEnd()) {
            return true;
        }
        std::string_view start = cursor.rest();
        const std::string_view group = cursor.takeCapacity();
        if (group.empty() || !wellSeparated(blanks, group.size(), kWidths.groupCapacity)) {
            return refuse(kCapacitiesExpected, start);
        }
        blanks = cursor.skipBlanks();
        start = cursor.rest();
        const std::string_view total = cursor.takeCapacity();
        if (total.empty() || !wellSeparated(blanks, total.size(), kWidths.totalCapacity)) {
            return refuse(kCapacitiesExpected, start);
        }
        if (!cursor.atEnd()) {
            return refuse(kLineEndExpected, cursor.rest());
        }
        row.groupCapacityText = capacityText(group);
        row.totalCapacityText = capacityText(total);
        return true;
    }

    LineSplitter lines_;
    OpenedReport report_;
    ReportRefusal refusal_;
};

} // namespace

ReportReading readReport(std::string_view text) {
    if (text.size() > kMaxReportBytes) {
        return ReportRefusal{std::string(kNotAReport) +
                             "the file should be at most 64 KiB, found a larger one."};
    }
    return ReportParser(text).read();
}

ReportReading readReportFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return ReportRefusal{std::string(kOpenInputFailedMessage)};
    }
    // One byte past the limit is enough to refuse a larger file without reading all of it.
    const QByteArray bytes = file.read(static_cast<qint64>(kMaxReportBytes) + 1);
    if (file.error() != QFileDevice::NoError) {
        return ReportRefusal{std::string(kOpenInputFailedMessage)};
    }
    return readReport(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace brim
