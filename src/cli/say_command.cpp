#include "cli/commands.h"
#include "cli/text_io.h"
#include "rewriter/respell.h"
#include "speech/audio_file.h"
#include "speech/system_voice.h"

#include <QCoreApplication>
#include <QString>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace tellwick {

namespace {

const char* const sayUsage =
    "Usage: tellwick say [--rate N] [--out FILE] [--pause-at-line-breaks] "
    "[--read-square-brackets] [TEXT...]\n"
    "Speaks TEXT (or standard input, UTF-8) as the window reads it, and returns when done.\n"
    "  --rate N                 reading speed from -9 to +9 (default 1, as the window starts)\n"
    "  --out FILE               write the speech to FILE instead (.wav, .flac, .ogg, .mp3)\n"
    "  --pause-at-line-breaks   pause at line breaks instead of reading them as spaces\n"
    "  --read-square-brackets   read text within square brackets instead of leaving it out\n"
    "  --help                   show this help\n"
    "  --version                show the version\n";

constexpr int interruptedStatus = 130;

std::atomic<bool> interrupted = false;

void onInterrupt(int) {
    interrupted = true;
}

struct SayRequest {
    RespellOptions options;
    int rate = 1;
    std::optional<std::string> outPath;
    std::optional<std::string> text; // from the command line, else standard input
};

int usageError(const std::string& message) {
    std::fprintf(stderr, "tellwick say: %s\n%s", message.c_str(), sayUsage);
    return 2;
}

std::optional<int> parseRate(const char* text) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || value < -9 || value > 9)
        return std::nullopt;
    return static_cast<int>(value);
}

// Parses the arguments into request; returns an exit status when the command is done already.
std::optional<int> parseArguments(int argc, char** argv, SayRequest* request) {
    bool optionsEnded = false;
    for (int i = 0; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool isOption = !optionsEnded && arg.size() > 1 && arg[0] == '-';
        const bool takesValue = isOption && (arg == "--rate" || arg == "--out");
        if (takesValue && i + 1 >= argc)
            return usageError(arg + " needs a value");
        if (!isOption) {
            request->text = request->text ? *request->text + ' ' + arg : arg;
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--rate") {
            const std::optional<int> rate = parseRate(argv[++i]);
            if (!rate)
                return usageError(
                    std::string("the rate must be a whole number from -9 to +9, not '") + argv[i] +
                    "'");
            request->rate = *rate;
        } else if (arg == "--out") {
            request->outPath = argv[++i];
        } else if (arg == "--pause-at-line-breaks") {
            request->options.chkCrPause = false;
        } else if (arg == "--read-square-brackets") {
            request->options.chkSqBr = false;
        } else if (arg == "--help") {
            std::fputs(sayUsage, stdout);
            return 0;
        } else if (arg == "--version") {
            std::printf("tellwick %s\n", TELLWICK_VERSION);
            return 0;
        } else {
            return usageError("unknown option '" + arg + "'");
        }
    }
    return std::nullopt;
}

// The window hands the rewriter its lines joined by CR LF, whatever the text came with; the
// rewriter's page-number and line-break rules look for exactly that.
std::u16string withCrLfLineBreaks(const std::u16string& text) {
    std::u16string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            out += u"\r\n";
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<QString> spokenText(const SayRequest& request, int* status) {
    std::string error;
    const std::optional<std::string> bytes =
        request.text ? request.text : readAllBytes(std::string(), &error);
    if (!bytes) {
        std::fprintf(stderr, "tellwick say: %s\n", error.c_str());
        *status = 1;
        return std::nullopt;
    }
    const Utf8DecodeResult decoded = decodeUtf8(*bytes);
    if (decoded.errorOffset) {
        std::fprintf(stderr, "tellwick say: invalid UTF-8 at byte offset %zu of %s\n",
                     *decoded.errorOffset, request.text ? "the text" : "standard input");
        *status = 2;
        return std::nullopt;
    }
    const std::u16string respelled = RespellText(withCrLfLineBreaks(decoded.text), request.options);
    return QString::fromStdU16String(respelled);
}

int writeFile(const QString& text, const SayRequest& request) {
    QString error;
    if (!writeSpeechFile(text, request.rate, QString::fromStdString(*request.outPath), interrupted,
                         &error)) {
        std::fprintf(stderr, "tellwick say: %s\n", qPrintable(error));
        return interrupted ? interruptedStatus : 1;
    }
    return 0;
}

int speak(const QString& text, const SayRequest& request) {
    int argc = 1;
    char name[] = "tellwick";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QString error;
    std::unique_ptr<SystemVoice> voice = SystemVoice::create(&error);
    if (!voice) {
        std::fprintf(stderr, "tellwick say: %s\n", qPrintable(error));
        return 1;
    }
    QObject::connect(voice.get(), &SystemVoice::finished, &app, [&] {
        // The sound server still plays what it was handed; leaving now would cut the end off.
        QTimer::singleShot(voice->drainMilliseconds(), &app, [] { QCoreApplication::exit(0); });
    });
    QObject::connect(voice.get(), &SystemVoice::failed, &app, [](const QString& message) {
        std::fprintf(stderr, "tellwick say: %s\n", qPrintable(message));
        QCoreApplication::exit(1);
    });
    QTimer interruptPoll;
    QObject::connect(&interruptPoll, &QTimer::timeout, &app, [] {
        if (interrupted)
            QCoreApplication::exit(interruptedStatus);
    });
    interruptPoll.start(50);
    for (const VoiceResult& result : {voice->setRate(request.rate), voice->speak(text)}) {
        if (!result) {
            std::fprintf(stderr, "tellwick say: %s\n", qPrintable(result.error));
            return 1;
        }
    }
    return app.exec();
}

} // namespace

int runSayCommand(int argc, char** argv) {
    SayRequest request;
    if (const std::optional<int> status = parseArguments(argc, argv, &request))
        return *status;
    QString error;
    if (request.outPath && !canWriteAudioFile(QString::fromStdString(*request.outPath), &error))
        return usageError(error.toStdString());
    int status = 0;
    const std::optional<QString> text = spokenText(request, &status);
    if (!text)
        return status;
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
    return request.outPath ? writeFile(*text, request) : speak(*text, request);
}

} // namespace tellwick
