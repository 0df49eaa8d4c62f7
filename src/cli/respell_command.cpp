#include "cli/commands.h"
#include "cli/large_buffers.h"
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

// Large enough that slicing costs nothing, small enough that the input and its decoded form
// overlap by little.
constexpr std::size_t decodeSliceBytes = std::size_t(1) << 20;

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

    std::optional<Utf16Buffer> text;
    std::size_t length = 0;
    {
        std::string error;
        std::optional<InputBytes> bytes = InputBytes::load(path, &error);
        if (!bytes) {
            std::fprintf(stderr, "tellwick respell: %s\n", error.c_str());
            return 1;
        }
        text.emplace(bytes->view().size());
        // Each slice's bytes are let go once decoded, so that the text is never held both ways.
        const auto [units, errorOffset] =
            decodeUtf8InSlices(bytes->view(), text->data(), decodeSliceBytes,
                               [&](std::size_t decoded) { bytes->release(decoded); });
        if (errorOffset) {
            std::fprintf(stderr, "tellwick respell: invalid UTF-8 at byte offset %zu of %s\n",
                         *errorOffset, havePath ? path.c_str() : "standard input");
            return 2;
        }
        length = units;
    }
    // The rewritten text goes out a piece at a time as the rewriter makes it.
    Utf8PieceWriter writer(stdout);
    bool written = true;
    RespellTextInPieces(std::u16string_view(text->data(), length), options,
                        [&](std::u16string_view piece) { return written = writer.write(piece); });
    if (!written || !writer.finish() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "tellwick respell: cannot write to standard output\n");
        return 1;
    }
    return 0;
}

} // namespace tellwick
