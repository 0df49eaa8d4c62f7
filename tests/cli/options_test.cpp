#include "cli/options.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tellwick {
namespace {

constexpr OptionSpec options[] = {
    {"rate", '\0', "N", "speed", -9, 9},
    {"out", 'o', "FILE", "file"},
    pauseAtLineBreaksOption,
    helpOption,
};
constexpr CommandSpec command{"say", "[TEXT...]", "Speaks.", options, SIZE_MAX};

struct ParseCase {
    const char* name;
    std::vector<const char*> arguments;
    // What was parsed, as "name=value" in name order and then the operands; or the error.
    std::vector<std::string> parsed;
    std::string error;
    bool showUsage = false;
};

TEST(CommandOptions, ParsesValuesFlagsAndOperandsOrNamesTheFault) {
    const ParseCase cases[] = {
        {"nothing", {}, {}, ""},
        {"separate value", {"--rate", "3", "hi"}, {"rate=3", "hi"}, ""},
        {"attached value", {"--rate=-9"}, {"rate=-9"}, ""},
        {"plus sign", {"--rate", "+9"}, {"rate=+9"}, ""},
        {"short option", {"-o", "x.wav", "a", "b"}, {"out=x.wav", "a", "b"}, ""},
        {"short attached", {"-ox.wav"}, {"out=x.wav"}, ""},
        {"long value with =", {"--out=a=b.wav"}, {"out=a=b.wav"}, ""},
        {"flag", {"--pause-at-line-breaks", "-h"}, {"help=", "pause-at-line-breaks="}, ""},
        {"dash is text", {"-", "x"}, {"-", "x"}, ""},
        {"double dash ends options", {"--", "--rate", "-h"}, {"--rate", "-h"}, ""},
        {"negative number as value", {"--rate", "-3"}, {"rate=-3"}, ""},
        {"too fast", {"--rate", "10"}, {}, "--rate takes a whole number from -9 to +9, not '10'"},
        {"too slow", {"--rate=-10"}, {}, "--rate takes a whole number from -9 to +9, not '-10'"},
        {"not a number",
         {"--rate", "2x"},
         {},
         "--rate takes a whole number from -9 to +9, not '2x'"},
        {"two signs",
         {"--rate", "+-3"},
         {},
         "--rate takes a whole number from -9 to +9, not '+-3'"},
        {"empty value", {"--rate="}, {}, "--rate takes a whole number from -9 to +9, not ''"},
        {"missing value", {"--rate"}, {}, "--rate needs a value (N)", true},
        {"missing short value", {"-o"}, {}, "--out needs a value (FILE)", true},
        {"unknown long", {"--loud"}, {}, "unknown option '--loud'", true},
        {"unknown short", {"-x"}, {}, "unknown option '-x'", true},
        {"short flag with tail", {"-hv"}, {}, "unknown option '-hv'", true},
        {"flag with value", {"--help=yes"}, {}, "--help takes no value", true},
    };
    for (const ParseCase& c : cases) {
        const ParseResult result =
            parseArguments(command, int(c.arguments.size()), c.arguments.data());
        std::vector<std::string> parsed;
        if (result.arguments) {
            for (const auto& [name, value] : result.arguments->values)
                parsed.push_back(name + "=" + value);
            parsed.insert(parsed.end(), result.arguments->operands.begin(),
                          result.arguments->operands.end());
        }
        EXPECT_EQ(parsed, c.parsed) << c.name;
        EXPECT_EQ(result.error, c.error) << c.name;
        EXPECT_EQ(result.showUsage, c.showUsage) << c.name;
    }
}

TEST(CommandOptions, HelpListsEachOptionWithItsRange) {
    EXPECT_EQ(helpText(command), "Usage: tellwick say [OPTION...] [TEXT...]\n"
                                 "Speaks.\n"
                                 "      --rate N                speed (-9 to +9)\n"
                                 "  -o, --out FILE              file\n"
                                 "      --pause-at-line-breaks  keep line breaks (a pause when "
                                 "spoken) instead of reading them as spaces\n"
                                 "  -h, --help                  show this help\n");
}

} // namespace
} // namespace tellwick

namespace tellwick {
namespace {

// The program as a whole: what it takes for an option, and output that cannot be written.
TEST(CommandLine, UnknownOptionsAreUsageErrorsAndUnwrittenOutputIsAFailure) {
    const struct {
        const char* name;
        QStringList arguments;
        bool toFullDisk;
        int exitCode;
        QByteArray error;
    } rows[] = {
        {"unknown long option",
         {"--bogus"},
         false,
         2,
         "tellwick: unknown option '--bogus' (see tellwick --help)\n"},
        {"unknown short option",
         {"-v"},
         false,
         2,
         "tellwick: unknown option '-v' (see tellwick --help)\n"},
        {"help to a full disk", {"--help"}, true, 1, "tellwick: cannot write to standard output\n"},
        {"version to a full disk",
         {"--version"},
         true,
         1,
         "tellwick: cannot write to standard output\n"},
        {"a command's help to a full disk",
         {"respell", "--help"},
         true,
         1,
         "tellwick: cannot write to standard output\n"},
    };
    for (const auto& row : rows) {
        QProcess process;
        if (row.toFullDisk)
            process.setStandardOutputFile(QStringLiteral("/dev/full"));
        process.start(QStringLiteral(TELLWICK_BINARY), row.arguments);
        ASSERT_TRUE(process.waitForFinished(10000)) << row.name;
        EXPECT_EQ(process.exitCode(), row.exitCode) << row.name;
        EXPECT_EQ(process.readAllStandardError(), row.error) << row.name;
    }
}

} // namespace
} // namespace tellwick
