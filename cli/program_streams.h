#pragma once

// The program's three streams: the result on standard output, each message as one line on
// standard error, and standard input read for a FILE of "-". What a command ends with.

#include "report/file_access.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace brim {

// 0 done; 1 a rule broken or a figure that differs (the output is still written); 2 a usage
// error, a file refused or unreadable, or a write that failed. The worse of two outranks.
enum class ExitStatus : std::uint8_t { Done = 0, Found = 1, Refused = 2 };

constexpr ExitStatus worseOf(ExitStatus a, ExitStatus b) noexcept {
    return a > b ? a : b;
}

class ProgramStreams {
public:
    // Writes the result; false, with the failure said once, when standard output refuses it.
    bool write(std::string_view text);
    // One message, ending in a line feed.
    void say(std::string_view message);
    // Whether every write went out.
    bool outputFailed() const noexcept { return outputFailed_; }

    // The name a message gives an operand: the path, or "standard input" for "-".
    static std::string nameOf(const std::string& operand);
    // What Open reads of the operand's file (kOpenReadBytes), or why it cannot; standard input
    // for "-", refused when empty.
    FileStart read(const std::string& operand);

private:
    bool outputFailed_ = false;
};

} // namespace brim
