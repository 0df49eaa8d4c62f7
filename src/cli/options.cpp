#include "cli/options.h"

#include <charconv>
#include <cstdio>

namespace tellwick {

namespace {

const OptionSpec* findLong(const CommandSpec& command, std::string_view name) {
    for (const OptionSpec& option : command.options)
        if (name == option.name)
            return &option;
    return nullptr;
}

const OptionSpec* findShort(const CommandSpec& command, char name) {
    for (const OptionSpec& option : command.options)
        if (option.shortName != '\0' && option.shortName == name)
            return &option;
    return nullptr;
}

std::string displayName(const OptionSpec& option) {
    return std::string("--") + option.name;
}

std::string rangeText(const OptionSpec& option) {
    const auto signedText = [](int value) {
        return std::string(value > 0 ? "+" : "") + std::to_string(value);
    };
    return signedText(option.minimum) + " to " + signedText(option.maximum);
}

// A value error names the option and what it takes, and nothing else.
std::optional<std::string> checkValue(const OptionSpec& option, const std::string& value) {
    if (!option.hasRange())
        return std::nullopt;
    int number = 0;
    // One sign at most: "+-3" is no number.
    const bool plus = value.starts_with('+');
    const char* begin = value.data() + (plus ? 1 : 0);
    const char* end = value.data() + value.size();
    const auto [stop, error] = std::from_chars(begin, end, number);
    if (begin != end && !(plus && *begin == '-') && stop == end && error == std::errc() &&
        number >= option.minimum && number <= option.maximum)
        return std::nullopt;
    return displayName(option) + " takes a whole number from " + rangeText(option) + ", not '" +
           value + "'";
}

ParseResult usageError(std::string message) {
    return {std::nullopt, std::move(message), true};
}

} // namespace

int ParsedArguments::number(const std::string& name, int fallback) const {
    const auto found = values.find(name);
    if (found == values.end())
        return fallback;
    return std::stoi(found->second[0] == '+' ? found->second.substr(1) : found->second);
}

ParseResult parseArguments(const CommandSpec& command, int argc, const char* const* argv) {
    ParsedArguments parsed;
    bool optionsEnded = false;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.operands.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const OptionSpec* option = nullptr;
        std::optional<std::string> attached;
        if (arg.starts_with("--")) {
            const std::size_t equals = arg.find('=');
            option = findLong(command, arg.substr(2, equals - 2));
            if (equals != std::string_view::npos)
                attached = std::string(arg.substr(equals + 1));
        } else {
            option = findShort(command, arg[1]);
            if (arg.size() > 2)
                attached = std::string(arg.substr(2));
        }
        if (option == nullptr || (attached && !option->takesValue() && !arg.starts_with("--")))
            return usageError("unknown option '" + std::string(arg) + "'");
        if (!option->takesValue()) {
            if (attached)
                return usageError(displayName(*option) + " takes no value");
            parsed.values[option->name] = std::string();
            continue;
        }
        if (!attached && i + 1 >= argc)
            return usageError(displayName(*option) + " needs a value (" + option->valueName + ")");
        std::string value = attached ? *attached : std::string(argv[++i]);
        if (std::optional<std::string> error = checkValue(*option, value))
            return {std::nullopt, std::move(*error), false};
        parsed.values[option->name] = std::move(value);
    }
    if (parsed.operands.size() > command.maximumOperands)
        return usageError("unexpected argument '" + parsed.operands[command.maximumOperands] + "'");
    return {std::move(parsed), std::string(), false};
}

std::string usageLine(const CommandSpec& command) {
    std::string line = std::string("Usage: tellwick ") + command.name + " [OPTION...]";
    if (*command.operands != '\0')
        line += std::string(" ") + command.operands;
    return line + "\n";
}

std::string helpText(const CommandSpec& command) {
    constexpr std::size_t helpColumn = 30;
    std::string text = usageLine(command) + command.summary + "\n";
    for (const OptionSpec& option : command.options) {
        std::string left = option.shortName != '\0' ? std::string("  -") + option.shortName + ", "
                                                    : std::string("      ");
        left += displayName(option);
        if (option.takesValue())
            left += std::string(" ") + option.valueName;
        left.resize(std::max(helpColumn, left.size() + 2), ' ');
        text += left + option.help;
        if (option.hasRange())
            text += " (" + rangeText(option) + ")";
        text += "\n";
    }
    return text;
}

std::optional<ParsedArguments> parseCommandLine(const CommandSpec& command, int argc,
                                                const char* const* argv, int* status) {
    ParseResult result = parseArguments(command, argc, argv);
    if (!result.arguments) {
        std::fprintf(stderr, "tellwick %s: %s\n", command.name, result.error.c_str());
        if (result.showUsage)
            std::fprintf(stderr, "%sRun 'tellwick %s --help' for the options.\n",
                         usageLine(command).c_str(), command.name);
        *status = 2;
        return std::nullopt;
    }
    if (result.arguments->has(helpOption.name)) {
        std::fputs(helpText(command).c_str(), stdout);
        *status = 0;
        return std::nullopt;
    }
    if (result.arguments->has(versionOption.name)) {
        std::printf("tellwick %s\n", TELLWICK_VERSION);
        *status = 0;
        return std::nullopt;
    }
    return std::move(result.arguments);
}

} // namespace tellwick
