#include "speech/espeak_engine.h"

#include "speech/espeak_input.h"
#include "speech/reading_speed.h"
#include "speech/text_chunks.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tellwick {

namespace {

const QString voiceName = QStringLiteral("espeak-ng-en");
constexpr int espeakSampleRate = 22050;

// espeak-ng hands sound over in pieces of this many milliseconds: short enough that an abort or a
// backpressure wait takes effect almost at once.
constexpr int callbackMilliseconds = 50;

// Measured with espeak-ng 1.51 on ordinary prose at its slowest rate: a word takes about 580 ms
// together with its share of the pauses, and a word gap of g units lengthens each pause between
// words by about 50 + 30 g ms (any gap at all puts a long pause where a short one stood).
constexpr double slowestWordMs = 580;
constexpr double anyGapMs = 50;
constexpr double gapUnitMs = 30;

int formulaRate(int readingSpeed) {
    return static_cast<int>(std::lround(espeakRATE_NORMAL * speedFactor(readingSpeed)));
}

// What the callback of the synthesis in progress writes to; espeak-ng hands it back with every
// event as the call's user data. Only the engine's worker thread synthesises.
struct SynthesisCall {
    SynthesisTarget* target = nullptr;
    int run = 0;
    qsizetype chunkStart = 0;
    qsizetype offset = 0;
    const MappedEspeakInput* input = nullptr;
    qint64 delivered = 0;
    bool aborted = false;
};
int receiveSound(short* samples, int count, espeak_EVENT* events) {
    // Every event, the list's terminator included, carries the call's user data.
    SynthesisCall& call = *static_cast<SynthesisCall*>(events->user_data);
    for (espeak_EVENT* event = events; event->type != espeakEVENT_LIST_TERMINATED; ++event) {
        if (event->type == espeakEVENT_SENTENCE) {
            // espeak-ng counts text positions from 1, in code points of the text it was given.
            const qsizetype offset = call.offset + event->text_position - 1;
            const SentenceStart start{call.chunkStart, offset,
                                      call.chunkStart + call.input->textPositionOf(offset)};
            call.target->markSentence(call.run, start, call.delivered);
        }
    }
    if (samples != nullptr && count > 0) {
        if (!call.target->append(call.run, samples, count)) {
            call.aborted = true;
            return 1;
        }
        call.delivered += count;
    } else if (!call.target->isCurrent(call.run)) {
        call.aborted = true;
        return 1;
    }
    return 0;
}

// espeak-ng loads a voice whose dictionary is missing and then speaks silence; a word that gives
// no phonemes shows it before anything is spoken.
bool canTranslate() {
    const void* probe = "a";
    const char* phonemes = espeak_TextToPhonemes(&probe, espeakCHARS_UTF8, 0);
    return phonemes != nullptr && *phonemes != '\0';
}

// espeak-ng 1.51 makes an audio device for every kind of output, synthesis into memory included,
// and probes the sound server for it with a stream of its own: some 70 ms before the first word,
// and for ever on a server that stopped. Synthesis into memory never plays through that device;
// naming one that no server has makes the probe give up at once.
constexpr const char* noPlaybackDevice = "tellwick-plays-its-own-sound";

// The sample rate of espeak-ng's sound; 0 when it cannot load its data.
int initialiseEspeak() {
    espeak_ng_InitializePath(nullptr);
    espeak_ng_ERROR_CONTEXT context = nullptr;
    const espeak_ng_STATUS status = espeak_ng_Initialize(&context);
    espeak_ng_ClearErrorContext(&context);
    if (status != ENS_OK ||
        espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, callbackMilliseconds,
                                   noPlaybackDevice) != ENS_OK)
        return 0;
    return espeak_ng_GetSampleRate();
}

// The library set up for the process, once: its sample rate, or the cause why it cannot speak.
struct EspeakLibrary {
    int sampleRate = 0;
    QString error;
};
const EspeakLibrary& espeakLibrary() {
    static const EspeakLibrary library = []() -> EspeakLibrary {
        const int rate = initialiseEspeak();
        if (rate <= 0)
            return {0, QStringLiteral("espeak-ng could not load its data (is the package "
                                      "espeak-ng-data installed?)")};
        if (espeak_SetVoiceByName("en") != EE_OK)
            return {0, QStringLiteral("espeak-ng has no English voice in its data")};
        if (!canTranslate()) {
            const char* dataPath = nullptr;
            espeak_Info(&dataPath);
            return {0, QStringLiteral("espeak-ng cannot read its English dictionary (en_dict "
                                      "in %1): reinstall the package espeak-ng-data")
                           .arg(QString::fromLocal8Bit(dataPath))};
        }
        espeak_SetSynthCallback(receiveSound);
        return {rate, QString()};
    }();
    return library;
}

class EspeakEngine : public VoiceEngine {
public:
    explicit EspeakEngine(int sampleRate) : sampleRate_(sampleRate) {}

    int sampleRate() const override { return sampleRate_; }

    std::optional<qint64> speakPiece(const PieceToSpeak& piece, SynthesisTarget& target, int run,
                                     qint64 firstSample) override {
        setRate(piece.readingSpeed);
        const MappedEspeakInput input =
            mappedEspeakInput(piece.decided, piece.start, piece.end, piece.homographs);
        SynthesisCall call{&target, run, piece.start, piece.from, &input, firstSample, false};
        const QByteArray utf8 =
            QStringView(input.input).mid(utf16IndexOfCodePoint(input.input, piece.from)).toUtf8();
        espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                     espeakCHARS_UTF8 | espeakPHONEMES, nullptr, &call);
        if (call.aborted)
            return std::nullopt;
        return call.delivered - firstSample;
    }

    void listPhonemes(std::FILE* stream, bool ipa) override {
        // espeak-ng has one phoneme listing for the process.
        espeak_SetPhonemeTrace(stream == nullptr ? 0
                               : ipa             ? espeakPHONEMES_IPA
                                                 : espeakPHONEMES_SHOW,
                               stream);
    }

private:
    // espeak-ng's rate is global; it is set only when a piece asks for another.
    void setRate(int readingSpeed) {
        if (rateSet_ && readingSpeed == readingSpeed_)
            return;
        espeak_SetParameter(espeakRATE, wordsPerMinute(readingSpeed), 0);
        espeak_SetParameter(espeakWORDGAP, wordGap(readingSpeed), 0);
        readingSpeed_ = readingSpeed;
        rateSet_ = true;
    }

    const int sampleRate_;
    int readingSpeed_ = 0;
    bool rateSet_ = false;
};

// Where espeak-ng looks for its data when nothing else is said: the English dictionary there
// tells whether the voice can speak, without setting up the library.
bool hasEnglishDictionary() {
    QStringList folders;
    if (const char* named = std::getenv("ESPEAK_DATA_PATH"))
        folders << QString::fromLocal8Bit(named) + QStringLiteral("/espeak-ng-data");
    else
        folders << QStringLiteral("/usr/lib/x86_64-linux-gnu/espeak-ng-data")
                << QStringLiteral("/usr/lib/espeak-ng-data")
                << QStringLiteral("/usr/share/espeak-ng-data");
    return std::any_of(folders.begin(), folders.end(), [](const QString& folder) {
        return QFileInfo(folder + QStringLiteral("/en_dict")).isFile();
    });
}

} // namespace

int wordsPerMinute(int readingSpeed) {
    return std::clamp(formulaRate(readingSpeed), espeakRATE_MINIMUM, espeakRATE_MAXIMUM);
}

int wordGap(int readingSpeed) {
    const int rate = formulaRate(readingSpeed);
    if (rate >= espeakRATE_MINIMUM)
        return 0;
    const double missingMs = slowestWordMs * (double(espeakRATE_MINIMUM) / rate - 1);
    // Even a rate just below the slowest needs some gap, or it would sound like the slowest.
    return std::max(1, static_cast<int>(std::lround((missingMs - anyGapMs) / gapUnitMs)));
}

std::vector<VoiceDescription> espeakVoices() {
    return {{voiceName, QStringLiteral("espeak-ng"), QStringLiteral("English"), espeakSampleRate,
             hasEnglishDictionary()
                 ? QString()
                 : QStringLiteral("espeak-ng's English dictionary (en_dict) is missing: "
                                  "install the package espeak-ng-data")}};
}

std::unique_ptr<VoiceEngine> startEspeakVoice(const QString& name, QString* error) {
    if (name != voiceName) {
        *error = QStringLiteral("espeak-ng has no voice named %1").arg(name);
        return nullptr;
    }
    const EspeakLibrary& library = espeakLibrary();
    if (library.sampleRate <= 0) {
        *error = library.error;
        return nullptr;
    }
    return std::make_unique<EspeakEngine>(library.sampleRate);
}

} // namespace tellwick
