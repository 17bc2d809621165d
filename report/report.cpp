#include "report/report.h"

#include "core/catalogue.h"
#include "report/atomic_file.h"
#include "report/report_lines.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <ctime>

namespace brim {
namespace {

using namespace report_lines;

// The program's version as the title line shows it: the shortest form with at most six
// significant digits, so 4.3 and never 4.30.
constexpr double kReportVersion = 4.3;
constexpr int kVersionDigits = 6;

constexpr std::string_view kDateTimeGap = "   ";

constexpr std::size_t kDataLineLength = 78;
constexpr std::size_t kFixedPartLength = 12 * 80;

void appendLine(std::string& out, std::string_view text) {
    out += text;
    out += '\n';
}

void appendRightAligned(std::string& out, std::string_view text, std::size_t width) {
    if (text.size() < width) {
        out.append(width - text.size(), ' ');
    }
    out += text;
}

template <typename Integer> std::string_view decimal(Integer value, std::array<char, 16>& buffer) {
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return {buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data())};
}

// Counts are unsigned 32-bit: a count of 2^31 or more prints as its true value.
void appendCount(std::string& out, std::uint32_t value, std::size_t width) {
    std::array<char, 16> buffer{};
    appendRightAligned(out, decimal(value, buffer), width);
}

void appendInt(std::string& out, int value) {
    std::array<char, 16> buffer{};
    out += decimal(value, buffer);
}

// "%02d": at least two digits, a leading zero below ten.
void appendTwoDigits(std::string& out, int value) {
    if (value >= 0 && value < 10) {
        out += '0';
    }
    appendInt(out, value);
}

// Like "%g" but independent of the C locale, which Qt sets from the environment.
void appendVersion(std::string& out) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), kReportVersion,
                                      std::chars_format::general, kVersionDigits);
    out.append(buffer.data(), result.ptr);
}

void appendDateTime(std::string& out, const ReportTime& time) {
    appendInt(out, time.month);
    out += '/';
    appendInt(out, time.day);
    out += '/';
    appendInt(out, time.year);
    out += kDateTimeGap;
    appendInt(out, time.hour);
    out += ':';
    appendTwoDigits(out, time.minute);
    out += ':';
    appendTwoDigits(out, time.second);
    out += '\n';
}

void appendLabelled(std::string& out, std::string_view label, std::string_view text) {
    out += label;
    appendLine(out, text);
}

// Rows 6 to 10 have no vault box, so their vault column always reads "No".
void appendDataLine(std::string& out, const ConfigSheet& sheet, std::size_t rowIndex) {
    const GroupDefinition& row = sheet.rows[rowIndex];
    const int modelIndex = sheet.modelIndex;
    appendCount(out, row.groupCount, kWidths.groupCount);
    appendRightAligned(out, Catalogue::diskReportName(row.diskType, modelIndex), kWidths.diskName);
    // No RAID type chosen (-1) leaves the field blank.
    appendRightAligned(out, Catalogue::raidReportName(row.raidType), kWidths.raidName);
    appendCount(out, row.disksPerGroup, kWidths.disksPerGroup);
    appendRightAligned(out, Catalogue::vaultWord(rowHoldsVault(sheet, rowIndex)),
                       kWidths.vaultWord);
    appendRightAligned(out, row.groupCapacityText, kWidths.groupCapacity);
    appendRightAligned(out, row.totalCapacityText, kWidths.totalCapacity);
    out += '\n';
}

void appendHeader(std::string& out, const ConfigSheet& sheet, const ReportTime& time) {
    out += kTitle;
    appendVersion(out);
    out += '\n';
    appendDateTime(out, time);
    appendLine(out, kRule);
    appendLabelled(out, kModelLabel, Catalogue::modelName(sheet.modelIndex));
}

void appendBody(std::string& out, const ConfigSheet& sheet) {
    appendLabelled(out, kNetGbLabel, sheet.netTotalGbText);
    appendLabelled(out, kNetTbLabel, sheet.netTotalTbText);
    appendLabelled(out, kTotalDisksLabel, sheet.totalDisksText);
    appendLabelled(out, kArraysLabel, sheet.arraysRequiredText);
    appendLine(out, kConfigurationRule);
    appendLine(out, {});
    appendLine(out, kHeadings1);
    appendLine(out, kHeadings2);
    for (std::size_t i = 0; i < sheet.rows.size(); ++i) {
        if (sheet.rows[i].groupCount != 0) {
            appendDataLine(out, sheet, i);
        }
    }
}

std::size_t expectedReportSize(const ConfigSheet& sheet) {
    return kFixedPartLength + sheet.rows.size() * (kDataLineLength + 1);
}

} // namespace

ReportTime currentLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) {
        return {};
    }
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string formatReportHeader(const ConfigSheet& sheet, const ReportTime& time) {
    std::string out;
    appendHeader(out, sheet, time);
    return out;
}

std::string formatReport(const ConfigSheet& sheet, const ReportTime& time) {
    std::string out;
    out.reserve(expectedReportSize(sheet));
    appendHeader(out, sheet, time);
    appendBody(out, sheet);
    return out;
}

void writeReportHeader(std::string& output, const ConfigSheet& sheet) {
    appendHeader(output, sheet, currentLocalTime());
}

void printReport(const ConfigSheet& sheet, ReportFileChooser& chooser, MessageSink& messages) {
    const std::optional<std::string> chosen = chooser.chooseReportFile();
    if (!chosen) {
        return;
    }
    std::string text;
    text.reserve(expectedReportSize(sheet));
    writeReportHeader(text, sheet);
    appendBody(text, sheet);
    // Print's two messages are all it says: the system's reason is left out.
    saidOfSave(saveFileAtomically(*chosen, text), messages, [](const SaveResult& failed) {
        return std::string(failed.outcome == SaveOutcome::OpenFailed ? kOpenFailedMessage
                                                                     : kWriteFailedMessage);
    });
}

} // namespace brim
