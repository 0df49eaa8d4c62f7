#pragma once

#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tellwick {

// One option of a command. An option with a value name takes a value, as "--rate 3", "--rate=3",
// "-o FILE" or "-oFILE"; one with a range takes a whole number within it.
struct OptionSpec {
    const char* name; // without the dashes
    char shortName;   // '\0' for none
    const char* valueName;
    const char* help;
    int minimum = 0;
    int maximum = 0;

    bool takesValue() const { return valueName != nullptr; }
    bool hasRange() const { return minimum < maximum; }
};

// Both commands describe the window's check boxes, help and version in the same words.
inline constexpr OptionSpec pauseAtLineBreaksOption{
    "pause-at-line-breaks", '\0', nullptr,
    "keep line breaks (a pause when spoken) instead of reading them as spaces"};
inline constexpr OptionSpec readSquareBracketsOption{
    "read-square-brackets", '\0', nullptr,
    "read text within square brackets instead of leaving it out"};
inline constexpr OptionSpec helpOption{"help", 'h', nullptr, "show this help"};
inline constexpr OptionSpec versionOption{"version", '\0', nullptr, "show the version"};

struct CommandSpec {
    const char* name;
    const char* operands; // as the usage line shows them, e.g. "[FILE]"
    const char* summary;
    std::span<const OptionSpec> options;
    std::size_t maximumOperands; // SIZE_MAX for any number
};

struct ParsedArguments {
    std::map<std::string, std::string> values; // by long name; a flag given maps to ""
    std::vector<std::string> operands;

    bool has(const std::string& name) const { return values.count(name) != 0; }
    int number(const std::string& name, int fallback) const;
};

// The outcome of parsing: arguments, or the one-line message of a usage error. A usage error that
// is not about a value also shows the usage line.
struct ParseResult {
    std::optional<ParsedArguments> arguments;
    std::string error;
    bool showUsage = false;
};
ParseResult parseArguments(const CommandSpec& command, int argc, const char* const* argv);

std::string usageLine(const CommandSpec& command);
std::string helpText(const CommandSpec& command);

// Parses the command's arguments, answering --help and --version and reporting a usage error
// itself; returns nothing with status set (0 or 2) when the command is done already.
std::optional<ParsedArguments> parseCommandLine(const CommandSpec& command, int argc,
                                                const char* const* argv, int* status);

} // namespace tellwick
