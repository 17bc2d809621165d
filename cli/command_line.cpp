#include "cli/command_line.h"

#include "commands/command_line_texts.h"

#include <algorithm>

namespace brim {
namespace {

constexpr std::string_view kHelp = "--help";
constexpr std::string_view kVersion = "--version";
constexpr std::string_view kEndOfOptions = "--";
constexpr std::string_view kStandardInputOperand = "-";

bool isOption(std::string_view argument) {
    return argument.size() > 1 && argument.front() == '-';
}

const CommandEntry* commandNamed(std::string_view name) {
    const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                    [name](const CommandEntry& c) { return c.name == name; });
    return found == kCommands.end() ? nullptr : &*found;
}

const OptionEntry* optionNamed(const CommandEntry& command, std::string_view name) {
    const auto found =
        std::find_if(command.options.begin(), command.options.end(),
                     [name](const OptionEntry& option) { return option.name == name; });
    return found == command.options.end() ? nullptr : &*found;
}

// Reads the arguments after the command's name into `parsed`; a refusal's line, or nothing.
std::optional<std::string> readArguments(std::span<const std::string> arguments,
                                         ParsedCommand& parsed) {
    const CommandEntry& command = *parsed.entry;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (optionsEnded || !isOption(argument)) {
            parsed.operands.emplace_back(argument);
            continue;
        }
        if (argument == kEndOfOptions) {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        const OptionEntry* option = optionNamed(command, name);
        if (!option) {
            return unknownOptionText(command.name, name);
        }
        if (parsed.has(name)) {
            return doubledOptionText(name);
        }
        std::string value;
        if (equals != std::string_view::npos) {
            if (!option->takesValue) {
                return flagValueText(name);
            }
            value = argument.substr(equals + 1);
        } else if (option->takesValue) {
            if (i + 1 == arguments.size()) {
                return missingValueText(name);
            }
            value = arguments[++i];
        }
        if (option->takesValue && value.empty()) {
            return missingValueText(name);
        }
        parsed.options.emplace(name, std::move(value));
    }
    const std::size_t operands = parsed.operands.size();
    if (operands < command.fewestOperands || operands > command.mostOperands) {
        return operandsText(command.name, command.operands);
    }
    if (std::count(parsed.operands.begin(), parsed.operands.end(), kStandardInputOperand) > 1) {
        return std::string(CommandLineWords::kInputReadTwice);
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> ParsedCommand::value(std::string_view option) const {
    const auto found = options.find(option);
    return found == options.end() ? std::nullopt : std::optional(found->second);
}

CommandLineReading readCommandLine(std::span<const std::string> arguments) {
    if (arguments.empty()) {
        return std::string(CommandLineWords::kNoCommand);
    }
    if (std::find(arguments.begin(), arguments.end(), kHelp) != arguments.end()) {
        return AskedFor::Help;
    }
    if (arguments.front() == kVersion) {
        return AskedFor::Version;
    }
    ParsedCommand parsed;
    parsed.entry = commandNamed(arguments.front());
    if (!parsed.entry) {
        return isOption(arguments.front()) ? unknownOptionText(arguments.front())
                                           : unknownCommandText(arguments.front());
    }
    if (std::optional<std::string> refusal = readArguments(arguments.subspan(1), parsed)) {
        return std::move(*refusal);
    }
    return parsed;
}

} // namespace brim
