#include "cli/commands.h"
#include "cli/document_input.h"
#include "cli/followed_text.h"
#include "cli/options.h"
#include "cli/parallel_export.h"
#include "cli/speech_explanation.h"
#include "cli/terminal_progress.h"
#include "cli/text_io.h"
#include "documents/input_bytes.h"
#include "platform/close_signals.h"
#include "pronunciation/normaliser.h"
#include "rewriter/line_breaks.h"
#include "rewriter/respell.h"
#include "speech/audio_file.h"
#include "speech/phoneme_listing.h"
#include "speech/system_voice.h"
#include "speech/voice_catalogue.h"

#include <QCoreApplication>
#include <QEvent>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <optional>
#include <string>
#include <thread>

namespace tellwick {

namespace {

constexpr OptionSpec sayOptions[] = {
    {"voice", '\0', "NAME",
     "the voice that speaks (see tellwick voices); default the first listed"},
    {"rate", '\0', "N", "reading speed, default 1 as the window starts", -9, 9},
    {"out", 'o', "FILE", "write the speech to FILE instead (.wav, .flac, .ogg, .mp3)"},
    {"jobs", 'j', "N", "with --out, how many processes synthesise at once (default: one a core)", 1,
     64},
    {"file", 'f', "FILE", "read the text of FILE instead: plain text, PDF, EPUB or HTML"},
    {"phonemes", '\0', nullptr,
     "print the voice's phonemes instead, a line per clause (espeak-ng: as espeak-ng -x; flite: "
     "its phones, words parted by |)"},
    {"ipa", '\0', nullptr,
     "as --phonemes, in the International Phonetic Alphabet where the voice's engine has it"},
    {"engine-heteronyms", '\0', nullptr,
     "let espeak-ng read every homograph that the rewriter leaves (read, lead, project...) its "
     "own way, to compare"},
    {"explain", '\0', nullptr,
     "print instead each homograph decided (word, position, reading, IPA, margin), then each "
     "number, date, abbreviation... read in words (its text, its kind, what is said); a line each"},
    {"follow", '\0', nullptr, "print each sentence of the text as it is heard, a line each"},
    pauseAtLineBreaksOption,
    readSquareBracketsOption,
    helpOption,
    versionOption,
};

constexpr CommandSpec sayCommand{
    "say", "[TEXT...]",
    "Speaks TEXT (or standard input, UTF-8) as the window reads it, and returns when done.",
    sayOptions, SIZE_MAX};

struct SayRequest {
    RespellOptions options;
    int rate = 1;
    QString voice; // empty for the default voice
    std::optional<std::string> outPath;
    std::optional<PhonemeAlphabet> phonemes;
    HomographReadings homographs;
    bool explain = false;
    bool follow = false;
    int jobs = 1;
    std::optional<std::string> text; // from the command line, else a file or standard input
    std::optional<std::string> file;
};

// Reads the arguments into request; returns an exit status when the command is done already.
std::optional<int> parseRequest(int argc, char** argv, SayRequest* request) {
    int status = 0;
    const std::optional<ParsedArguments> arguments =
        parseCommandLine(sayCommand, argc, argv, &status);
    if (!arguments)
        return status;
    request->options.linesAsSpaces = !arguments->has(pauseAtLineBreaksOption.name);
    request->options.skipBracketed = !arguments->has(readSquareBracketsOption.name);
    request->rate = arguments->number("rate", request->rate);
    if (arguments->has("voice")) {
        request->voice = QString::fromStdString(arguments->values.at("voice"));
        if (findVoice(knownVoices(), request->voice) == nullptr) {
            std::fprintf(stderr, "tellwick say: %s\n", qPrintable(noVoiceNamed(request->voice)));
            return 2;
        }
    }
    request->jobs =
        arguments->number("jobs", int(std::max(1u, std::thread::hardware_concurrency())));
    if (arguments->has("file"))
        request->file = arguments->values.at("file");
    if (request->file && !arguments->operands.empty()) {
        std::fprintf(stderr, "tellwick say: give either TEXT or --file, not both\n");
        return 2;
    }
    if (arguments->has("out"))
        request->outPath = arguments->values.at("out");
    if (arguments->has("phonemes"))
        request->phonemes = PhonemeAlphabet::Mnemonics;
    if (arguments->has("ipa"))
        request->phonemes = PhonemeAlphabet::Ipa;
    request->homographs.byEngine = arguments->has("engine-heteronyms");
    request->explain = arguments->has("explain");
    request->follow = arguments->has("follow");
    if (request->explain && (request->phonemes || request->outPath || request->follow)) {
        std::fprintf(stderr,
                     "tellwick say: --explain cannot be used with --out, --phonemes, --ipa or "
                     "--follow\n");
        return 2;
    }
    if (request->phonemes && request->outPath) {
        std::fprintf(stderr, "tellwick say: --out cannot be used with --phonemes or --ipa\n");
        return 2;
    }
    // Nothing is heard while a file or the phonemes are written.
    if (request->follow && (request->phonemes || request->outPath)) {
        std::fprintf(stderr,
                     "tellwick say: --follow cannot be used with --out, --phonemes or --ipa\n");
        return 2;
    }
    for (const std::string& word : arguments->operands)
        request->text = request->text ? *request->text + ' ' + word : word;
    return std::nullopt;
}

// The text as the window's rewriter is given it.
std::optional<std::u16string> givenText(const SayRequest& request, int* status) {
    std::string error;
    const std::optional<InputBytes> input =
        request.text ? std::nullopt : InputBytes::load(request.file.value_or(""), &error);
    if (!request.text && !input) {
        std::fprintf(stderr, "tellwick say: %s\n", error.c_str());
        *status = 1;
        return std::nullopt;
    }
    if (request.file) {
        std::optional<std::u16string> text =
            documentText("say", input->view(), *request.file, status);
        return text ? std::optional(text::withCrLfLineBreaks(*text)) : std::nullopt;
    }
    const Utf8DecodeResult decoded = decodeUtf8(request.text ? *request.text : input->view());
    if (decoded.errorOffset) {
        std::fprintf(stderr, "tellwick say: invalid UTF-8 at byte offset %zu of %s\n",
                     *decoded.errorOffset, request.text ? "the text" : "standard input");
        *status = 2;
        return std::nullopt;
    }
    // The window hands the rewriter its lines joined by CR LF, whatever the text came with.
    return text::withCrLfLineBreaks(decoded.text);
}

int writeFile(const QString& text, const SayRequest& request) {
    const ExportRequest exportRequest{text,
                                      request.rate,
                                      request.homographs.byEngine,
                                      request.jobs,
                                      QString::fromStdString(*request.outPath),
                                      request.voice};
    TerminalProgress progress(stderr, QStringLiteral("writing %1").arg(exportRequest.path));
    QString error;
    const bool written = exportInParallel(
        exportRequest, &CloseSignals::received, [&progress](double done) { progress.update(done); },
        &error);
    progress.clear();
    if (!written) {
        std::fprintf(stderr, "tellwick say: %s\n", qPrintable(error));
        return CloseSignals::received() ? CloseSignals::exitStatus() : 1;
    }
    return 0;
}

int printPhonemes(const QString& text, const SayRequest& request) {
    QString error;
    const std::optional<QString> phonemes = phonemesOf(text, request.rate, *request.phonemes,
                                                       &error, request.homographs, request.voice);
    if (!phonemes) {
        std::fprintf(stderr, "tellwick say: %s\n", qPrintable(error));
        return 1;
    }
    const QByteArray out = phonemes->toUtf8();
    if (std::fwrite(out.constData(), 1, std::size_t(out.size()), stdout) !=
            std::size_t(out.size()) ||
        std::fflush(stdout) != 0) {
        std::fprintf(stderr, "tellwick say: cannot write to standard output\n");
        return 1;
    }
    return 0;
}

bool printLine(std::u16string_view line) {
    return writeUtf8(line, stdout) && std::fputc('\n', stdout) != EOF && std::fflush(stdout) == 0;
}

// Prints the user's words of each sentence heard, once the voice knows where it ends.
class SentencePrinter {
public:
    SentencePrinter(const SystemVoice& voice, const FollowedText& text)
        : voice_(voice), text_(text) {}

    void heard(int sentence, qsizetype position) {
        waiting_.push_back({sentence, position});
        print(false);
    }
    void finished() { print(true); }
    bool failed() const { return failed_; }

private:
    void print(bool all) {
        const qsizetype size = qsizetype(text_.spoken().size());
        while (!waiting_.empty() && !failed_) {
            const auto [sentence, start] = waiting_.front();
            std::optional<qsizetype> end = voice_.sentenceEnd(sentence, size);
            if (!end && !all)
                return;
            waiting_.pop_front();
            if (!printLine(text_.line(std::size_t(start), std::size_t(end.value_or(size))))) {
                std::fprintf(stderr, "tellwick say: cannot write to standard output\n");
                failed_ = true;
                QCoreApplication::exit(1);
            }
        }
    }

    const SystemVoice& voice_;
    const FollowedText& text_;
    std::deque<std::pair<int, qsizetype>> waiting_;
    bool failed_ = false;
};

// Speaks text to its end, or to an interruption or failure; returns the exit status. With
// followed, prints each sentence as it is heard.
int playToEnd(SystemVoice* voice, const QString& text, int rate, const FollowedText* followed) {
    std::optional<SentencePrinter> printer;
    if (followed) {
        printer.emplace(*voice, *followed);
        voice->onSentenceHeard(
            [&printer](int sentence, qsizetype position) { printer->heard(sentence, position); });
    }
    const auto finish = [&printer] {
        if (printer)
            printer->finished();
        QCoreApplication::exit(printer && printer->failed() ? 1 : 0);
    };
    // The voice tells when its last sample was heard, and fails when the sound server goes away
    // or stops answering: say waits for nothing else.
    voice->onFinished(finish);
    QObject::connect(voice, &SystemVoice::failed, voice, [](const QString& message) {
        std::fprintf(stderr, "tellwick say: %s\n", qPrintable(message));
        QCoreApplication::exit(1);
    });
    for (const VoiceResult& result : {voice->setRate(rate), voice->speak(text)}) {
        if (!result) {
            std::fprintf(stderr, "tellwick say: %s\n", qPrintable(result.error));
            return 1;
        }
    }
    const int status = QCoreApplication::exec();
    voice->onSentenceHeard(nullptr);
    voice->onFinished(nullptr);
    return status;
}

int speak(const QString& text, const SayRequest& request, const FollowedText* followed) {
    QString error;
    std::unique_ptr<SystemVoice> voice = SystemVoice::create(request.voice, &error);
    if (!voice) {
        std::fprintf(stderr, "tellwick say: %s\n", qPrintable(error));
        return 1;
    }
    voice->setHomographReadings(request.homographs);
    const int status = playToEnd(voice.get(), text, request.rate, followed);
    // The output is stopped and deleted while the application lives, so that nothing of it is
    // left for the end of the process.
    voice.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // There is nothing left to save: standard output and error are flushed, and the process ends
    // without exit()'s destructors, which have nothing to tear down that the system does not.
    std::fflush(nullptr);
    std::_Exit(status);
}

} // namespace

int runSayCommand(int argc, char** argv) {
    if (argc >= 1 && std::string_view(argv[0]) == synthesisWorkerArgument)
        return runSynthesisWorker(argc - 1, argv + 1);
    SayRequest request;
    if (const std::optional<int> status = parseRequest(argc, argv, &request))
        return *status;
    QString error;
    if (request.outPath && !canWriteAudioFile(QString::fromStdString(*request.outPath), &error)) {
        std::fprintf(stderr, "tellwick say: %s\n", qPrintable(error));
        return 2;
    }
    int status = 0;
    std::optional<std::u16string> given = givenText(request, &status);
    if (!given)
        return status;
    if (request.explain) {
        for (const std::string& line :
             speechExplanation(*given, request.options, request.homographs.byEngine)) {
            if (std::printf("%s\n", line.c_str()) < 0) {
                std::fprintf(stderr, "tellwick say: cannot write to standard output\n");
                return 1;
            }
        }
        return 0;
    }
    int appArgc = 1;
    char name[] = "tellwick";
    char* appArgv[] = {name, nullptr};
    QCoreApplication application(appArgc, appArgv);
    // A closing signal ends the reading, or the file written so that it plays to that point.
    CloseSignals closeSignals;
    QObject::connect(&closeSignals, &CloseSignals::arrived, &application,
                     [] { QCoreApplication::exit(CloseSignals::exitStatus()); });
    if (request.follow) {
        const FollowedText followed(std::move(*given), request.options);
        return speak(QString::fromStdU16String(followed.spoken()), request, &followed);
    }
    const QString text = QString::fromStdU16String(speakableText(*given, request.options).text);
    if (request.phonemes) {
        const int printed = printPhonemes(text, request);
        return CloseSignals::received() ? CloseSignals::exitStatus() : printed;
    }
    return request.outPath ? writeFile(text, request) : speak(text, request, nullptr);
}

} // namespace tellwick
