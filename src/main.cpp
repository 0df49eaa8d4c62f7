// The program: a command of the command line, or the window.
#include "app/window_main.h"
#include "cli/commands.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

const char* const usage =
    "Usage:\n"
    "  tellwick [FILE]          open the window, with the text of a document\n"
    "  tellwick respell [--pause-at-line-breaks] [--read-square-brackets] [FILE]\n"
    "  tellwick say [--voice NAME] [--rate N] [-o|--out FILE] [-j|--jobs N] [--phonemes|--ipa]\n"
    "               [--follow] [--engine-heteronyms] [--explain] [--pause-at-line-breaks]\n"
    "               [--read-square-brackets] [TEXT... | -f|--file FILE]\n"
    "  tellwick voices          list the voices, and whether each can speak here\n"
    "  tellwick read-selection  read what is highlighted anywhere, in the window\n"
    "  tellwick pause           pause or resume the window's reading\n"
    "  tellwick --help | --version\n"
    "Run 'tellwick COMMAND --help' for the details of a command.\n";

// A command's output that could not be written (a full disk, a closed pipe) is a failure, however
// the command itself ended.
int withOutputWritten(int status) {
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0)
        return status;
    std::fputs("tellwick: cannot write to standard output\n", stderr);
    return status == 0 ? 1 : status;
}

int run(int argc, char** argv) {
    if (argc >= 2) {
        const char* command = argv[1];
        if (std::strcmp(command, "respell") == 0)
            return tellwick::runRespellCommand(argc - 2, argv + 2);
        if (std::strcmp(command, "say") == 0)
            return tellwick::runSayCommand(argc - 2, argv + 2);
        if (std::strcmp(command, "voices") == 0)
            return tellwick::runVoicesCommand(argc - 2, argv + 2);
        if (std::strcmp(command, "read-selection") == 0)
            return tellwick::runReadSelectionCommand(argc - 2, argv + 2);
        if (std::strcmp(command, "pause") == 0)
            return tellwick::runPauseCommand(argc - 2, argv + 2);
        if (std::strcmp(command, "--help") == 0 || std::strcmp(command, "-h") == 0) {
            std::fputs(usage, stdout);
            return 0;
        }
        if (std::strcmp(command, "--version") == 0) {
            std::printf("tellwick %s\n", TELLWICK_VERSION);
            return 0;
        }
        // The error_code form: a name too long or a folder that may not be searched is simply not
        // a file, where the other form throws.
        if (std::error_code notAFile;
            command[0] != '-' && std::filesystem::is_regular_file(command, notAFile)) {
            if (argc > 2) {
                std::fputs("tellwick: the window opens one document at a time\n", stderr);
                return 2;
            }
            return tellwick::runWindow(argc, argv, command);
        }
        if (command[0] != '-' || std::strcmp(command, "-") == 0) {
            std::fprintf(stderr, "tellwick: '%s' is neither a command nor a file\n%s", command,
                         usage);
            return 2;
        }
        std::fprintf(stderr, "tellwick: unknown option '%s' (see tellwick --help)\n", command);
        return 2;
    }
    return tellwick::runWindow(argc, argv);
}

} // namespace

int main(int argc, char** argv) {
    return withOutputWritten(run(argc, argv));
}
