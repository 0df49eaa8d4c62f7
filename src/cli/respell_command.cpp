#include "cli/commands.h"
#include "cli/options.h"
#include "cli/text_io.h"
#include "rewriter/respell.h"

#include <cstdio>
#include <string>

namespace tellwick {

namespace {

constexpr OptionSpec respellOptions[] = {pauseAtLineBreaksOption, readSquareBracketsOption,
                                         helpOption, versionOption};

constexpr CommandSpec respellCommand{
    "respell", "[FILE]",
    "Writes the text of FILE (or standard input) as the speech voice is given it, UTF-8 in and "
    "out.",
    respellOptions, 1};

} // namespace

int runRespellCommand(int argc, char** argv) {
    int status = 0;
    const std::optional<ParsedArguments> arguments =
        parseCommandLine(respellCommand, argc, argv, &status);
    if (!arguments)
        return status;
    RespellOptions options;
    options.chkCrPause = !arguments->has(pauseAtLineBreaksOption.name);
    options.chkSqBr = !arguments->has(readSquareBracketsOption.name);
    const bool havePath = !arguments->operands.empty();
    const std::string path = havePath ? arguments->operands.front() : std::string();

    // Each stage's input is let go as soon as the next stage has it, so that a large text is held
    // at most twice at any moment.
    std::u16string text;
    {
        std::string error;
        auto bytes = readAllBytes(path, &error);
        if (!bytes) {
            std::fprintf(stderr, "tellwick respell: %s\n", error.c_str());
            return 1;
        }
        Utf8DecodeResult decoded = decodeUtf8(*bytes);
        if (decoded.errorOffset) {
            std::fprintf(stderr, "tellwick respell: invalid UTF-8 at byte offset %zu of %s\n",
                         *decoded.errorOffset, havePath ? path.c_str() : "standard input");
            return 2;
        }
        text = std::move(decoded.text);
    }
    std::u16string respelled = RespellText(text, options);
    std::u16string().swap(text);
    const std::string out = encodeUtf8(respelled);
    std::u16string().swap(respelled);
    if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "tellwick respell: cannot write to standard output\n");
        return 1;
    }
    return 0;
}

} // namespace tellwick
