#include "cli/commands.h"
#include "cli/document_input.h"
#include "cli/options.h"
#include "cli/text_io.h"
#include "documents/input_bytes.h"
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

// Large enough that slicing costs nothing, small next to the window the text is rewritten in.
constexpr std::size_t decodeSliceBytes = std::size_t(1) << 16;
// Enough of a file's start to tell a document from plain text.
constexpr std::size_t documentStartBytes = 1024;

// A document other than UTF-8 text is made text whole, then rewritten.
int respellDocument(std::string_view bytes, const std::string& path,
                    const RespellOptions& options) {
    int status = 0;
    const std::optional<std::u16string> text = documentText("respell", bytes, path, &status);
    if (!text)
        return status;
    if (!writeUtf8(respellText(*text, options), stdout) || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "tellwick respell: cannot write to standard output\n");
        return 1;
    }
    return 0;
}

} // namespace

int runRespellCommand(int argc, char** argv) {
    int status = 0;
    const std::optional<ParsedArguments> arguments =
        parseCommandLine(respellCommand, argc, argv, &status);
    if (!arguments)
        return status;
    RespellOptions options;
    options.linesAsSpaces = !arguments->has(pauseAtLineBreaksOption.name);
    options.skipBracketed = !arguments->has(readSquareBracketsOption.name);
    const bool havePath = !arguments->operands.empty();
    const std::string path = havePath ? arguments->operands.front() : std::string();

    std::string error;
    std::optional<InputBytes> bytes = InputBytes::load(path, &error);
    if (!bytes) {
        std::fprintf(stderr, "tellwick respell: %s\n", error.c_str());
        return 1;
    }
    const bool fromFile = havePath && path != "-";
    if (fromFile && isFormattedDocument(bytes->view().substr(0, documentStartBytes)))
        return respellDocument(bytes->view(), path, options);
    // The whole input is checked before anything is written. The text is then rewritten a window
    // at a time, and the bytes are let go as they are decoded, so that a large text is never held
    // whole as UTF-16, nor as bytes and UTF-16 together.
    {
        Utf8Slices slices(bytes->view(), decodeSliceBytes);
        std::u16string scratch;
        while (slices.next(scratch))
            scratch.clear();
        // A file that is not UTF-8 is old 8-bit text; what comes from a pipe must be UTF-8.
        if (slices.error() && fromFile)
            return respellDocument(bytes->view(), path, options);
        if (slices.error()) {
            std::fprintf(stderr, "tellwick respell: invalid UTF-8 at byte offset %zu of %s\n",
                         *slices.error(), havePath ? path.c_str() : "standard input");
            return 2;
        }
    }
    Utf8Slices slices(bytes->view(), decodeSliceBytes);
    Utf8PieceWriter writer(stdout);
    bool written = true;
    respellTextStream(
        [&](std::u16string& text) {
            slices.next(text);
            bytes->release(slices.done());
            return !slices.ended();
        },
        options, [&](std::u16string_view piece) { return written = writer.write(piece); });
    if (!written || !writer.finish() || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "tellwick respell: cannot write to standard output\n");
        return 1;
    }
    return 0;
}

} // namespace tellwick
