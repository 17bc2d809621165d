#pragma once

// The command line's arguments read against each command's table of options: a command, then
// its options ("--plan NAME", "--plan=NAME", "-o OUT", flags) and operands in any order; "--"
// makes every later argument an operand, and "-" is always one (standard input). Anything the
// table does not allow is refused with one line.

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace brim {

struct OptionEntry {
    std::string_view name; // as typed: "--plan", "-o"
    bool takesValue = true;
};

enum class CommandName : std::uint8_t {
    Report,
    Check,
    Reprice,
    Size,
    Performance,
    Compare,
    Growth,
    Plan,
};

struct CommandEntry {
    CommandName command;
    std::string_view name;
    std::span<const OptionEntry> options;
    std::size_t fewestOperands;
    std::size_t mostOperands;
    std::string_view operands; // what a refusal says it takes: "one FILE"
};

inline constexpr std::array<OptionEntry, 3> kReportOptions{{{"--plan"}, {"-o"}, {"--at"}}};
inline constexpr std::array<OptionEntry, 1> kCheckOptions{{{"--format"}}};
inline constexpr std::array<OptionEntry, 1> kRepriceOptions{{{"--dry-run", false}}};
inline constexpr std::array<OptionEntry, 10> kSizeOptions{{
    {"--model"},
    {"--disk"},
    {"--capacity"},
    {"--iops"},
    {"--reads"},
    {"--mbps"},
    {"--survive"},
    {"--workbook"},
    {"--add-to-sheet", false},
    {"--format"},
}};

inline constexpr std::array<OptionEntry, 2> kPerformanceOptions{{{"--table"}, {"--format"}}};
inline constexpr std::array<OptionEntry, 1> kCompareOptions{{{"--format"}}};
inline constexpr std::array<OptionEntry, 3> kGrowthOptions{
    {{"--years"}, {"--growth"}, {"--format"}}};
inline constexpr std::array<OptionEntry, 3> kPlanOptions{{{"-o"}, {"--page"}, {"--at"}}};

inline constexpr std::size_t kAnyNumber = static_cast<std::size_t>(-1);

// clang-format off
inline constexpr std::array<CommandEntry, 8> kCommands{{
    {CommandName::Report,  "report",  kReportOptions,  1, 1,          "one FILE"},
    {CommandName::Check,   "check",   kCheckOptions,   1, kAnyNumber, "one FILE or more"},
    {CommandName::Reprice, "reprice", kRepriceOptions, 2, kAnyNumber, "PRICES and one FILE or more"},
    {CommandName::Size,    "size",    kSizeOptions,    0, 0,          "no FILE"},
    {CommandName::Performance, "performance", kPerformanceOptions, 1, 1, "one FILE"},
    {CommandName::Compare, "compare", kCompareOptions, 1, 1,          "one FILE"},
    {CommandName::Growth,  "growth",  kGrowthOptions,  1, 1,          "one FILE"},
    {CommandName::Plan,    "plan",    kPlanOptions,    1, 1,          "one FILE"},
}};
// clang-format on

struct ParsedCommand {
    const CommandEntry* entry = nullptr;
    std::map<std::string, std::string, std::less<>> options; // a flag's value is empty
    std::vector<std::string> operands;

    bool has(std::string_view option) const { return options.find(option) != options.end(); }
    std::optional<std::string> value(std::string_view option) const;
};

// --help and --version, asked for in place of a command.
enum class AskedFor : std::uint8_t { Help, Version };

// A command, what was asked for instead, or the refusal's line (without the program's name).
using CommandLineReading = std::variant<ParsedCommand, AskedFor, std::string>;

// `arguments` after the program's name.
CommandLineReading readCommandLine(std::span<const std::string> arguments);

} // namespace brim
