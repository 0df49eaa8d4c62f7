#include "cli/commands.h"
#include "cli/text_io.h"
#include "rewriter/respell.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace tellwick {

namespace {

const char* const respellUsage =
    "Usage: tellwick respell [--pause-at-line-breaks] [--read-square-brackets] [FILE]\n"
    "Writes the text of FILE (or standard input) as the speech voice is given it, UTF-8 in and "
    "out.\n"
    "  --pause-at-line-breaks   keep line breaks instead of reading them as spaces\n"
    "  --read-square-brackets   read text within square brackets instead of leaving it out\n"
    "  --help                   show this help\n"
    "  --version                show the version\n";

int usageError(const char* what, const char* argument) {
    std::fprintf(stderr, "tellwick respell: %s '%s'\n%s", what, argument, respellUsage);
    return 2;
}

} // namespace

int runRespellCommand(int argc, char** argv) {
    RespellOptions options;
    std::string path;
    bool havePath = false;
    bool optionsEnded = false;
    for (int i = 0; i < argc; ++i) {
        const char* arg = argv[i];
        const bool isOption = !optionsEnded && arg[0] == '-' && arg[1] != '\0';
        if (isOption && std::strcmp(arg, "--") == 0) {
            optionsEnded = true;
        } else if (isOption && std::strcmp(arg, "--pause-at-line-breaks") == 0) {
            options.chkCrPause = false;
        } else if (isOption && std::strcmp(arg, "--read-square-brackets") == 0) {
            options.chkSqBr = false;
        } else if (isOption && std::strcmp(arg, "--help") == 0) {
            std::fputs(respellUsage, stdout);
            return 0;
        } else if (isOption && std::strcmp(arg, "--version") == 0) {
            std::printf("tellwick %s\n", TELLWICK_VERSION);
            return 0;
        } else if (isOption) {
            return usageError("unknown option", arg);
        } else if (havePath) {
            return usageError("more than one file:", arg);
        } else {
            path = arg;
            havePath = true;
        }
    }

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
