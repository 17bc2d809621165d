#include "cli/program_streams.h"

#include "commands/command_line_texts.h"
#include "commands/workbook_commands.h"

#include <cerrno>
#include <cstdio>

namespace brim {
namespace {

constexpr std::string_view kStandardInputOperand = "-";

} // namespace

bool ProgramStreams::write(std::string_view text) {
    if (outputFailed_) {
        return false;
    }
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
        outputFailed_ = true;
        say(outputFailedText(systemReason(errno)));
        return false;
    }
    return true;
}

void ProgramStreams::say(std::string_view message) {
    std::string line(message);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

std::string ProgramStreams::nameOf(const std::string& operand) {
    return operand == kStandardInputOperand ? std::string(CommandLineWords::kStandardInput)
                                            : operand;
}

FileStart ProgramStreams::read(const std::string& operand) {
    if (operand != kStandardInputOperand) {
        return readFileStart(operand, kOpenReadBytes);
    }
    std::string text(kOpenReadBytes, '\0');
    errno = 0;
    text.resize(std::fread(text.data(), 1, text.size(), stdin));
    if (std::ferror(stdin)) {
        return FileFailure{systemReason(errno)};
    }
    if (text.empty()) {
        return FileFailure{std::string(CommandLineWords::kEmptyInput)};
    }
    return text;
}

} // namespace brim
