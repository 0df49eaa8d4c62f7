#include "cli/commands.h"
#include "cli/options.h"
#include "speech/voice_catalogue.h"

#include <cstdio>

namespace tellwick {

namespace {

constexpr OptionSpec voicesOptions[] = {helpOption, versionOption};

constexpr CommandSpec voicesCommand{
    "voices", "",
    "Lists every voice, one a line: its name (for say --voice), engine, language, sample rate, "
    "and whether it can speak here or why not. The default voice comes first.",
    voicesOptions, 0};

} // namespace

int runVoicesCommand(int argc, char** argv) {
    int status = 0;
    if (!parseCommandLine(voicesCommand, argc, argv, &status))
        return status;
    for (const VoiceDescription& voice : knownVoices()) {
        const QString state = !voice.unavailableBecause.isEmpty()
                                  ? QStringLiteral("unavailable: ") + voice.unavailableBecause
                              : voice.name == defaultVoiceName() ? QStringLiteral("usable, default")
                                                                 : QStringLiteral("usable");
        std::printf("%s\t%s\t%s\t%d Hz\t%s\n", qPrintable(voice.name), qPrintable(voice.engine),
                    qPrintable(voice.language), voice.sampleRate, qPrintable(state));
    }
    return 0;
}

} // namespace tellwick
