#include "speech/speech_engine.h"

#include "speech/espeak_input.h"
#include "speech/text_chunks.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

namespace tellwick {

namespace {

// espeak-ng hands sound over in pieces of this many milliseconds: short enough that an abort or a
// backpressure wait takes effect almost at once.
constexpr int callbackMilliseconds = 50;

// What the callback of the synthesis in progress writes to; espeak-ng hands it back with every
// event as the call's user data. Only the worker thread synthesises.
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

} // namespace

SpeechEngine* SpeechEngine::instance(QString* error) {
    static const std::pair<SpeechEngine*, QString> engine =
        []() -> std::pair<SpeechEngine*, QString> {
        preloadHomographModel();
        const int rate = initialiseEspeak();
        if (rate <= 0)
            return {nullptr, QStringLiteral("espeak-ng could not load its data (is the package "
                                            "espeak-ng-data installed?)")};
        if (espeak_SetVoiceByName("en") != EE_OK)
            return {nullptr, QStringLiteral("espeak-ng has no English voice in its data")};
        if (!canTranslate()) {
            const char* dataPath = nullptr;
            espeak_Info(&dataPath);
            return {nullptr, QStringLiteral("espeak-ng cannot read its English dictionary (en_dict "
                                            "in %1): reinstall the package espeak-ng-data")
                                 .arg(QString::fromLocal8Bit(dataPath))};
        }
        espeak_SetSynthCallback(receiveSound);
        // Never deleted: espeak-ng cannot be set up again within the process.
        return {new SpeechEngine(rate), QString()};
    }();
    if (engine.first == nullptr && error != nullptr)
        *error = engine.second;
    return engine.first;
}

SpeechEngine::SpeechEngine(int sampleRate) : sampleRate_(sampleRate) {
    worker_ = std::thread([this] { work(); });
    worker_.detach();
}

void SpeechEngine::submit(Job job) {
    std::lock_guard lock(mutex_);
    jobs_.push_back({std::move(job), std::nullopt});
    jobArrived_.notify_one();
}

void SpeechEngine::submitListing(Job job, PhonemeListing listing) {
    std::lock_guard lock(mutex_);
    jobs_.push_back({std::move(job), listing});
    jobArrived_.notify_one();
}

void SpeechEngine::work() {
    for (;;) {
        Queued queued;
        {
            std::unique_lock lock(mutex_);
            jobArrived_.wait(lock, [this] { return !jobs_.empty(); });
            queued = std::move(jobs_.front());
            jobs_.pop_front();
        }
        if (!queued.job.target->isCurrent(queued.job.run))
            continue;
        // espeak-ng has one phoneme listing for the process, set here for this job alone.
        if (queued.listing)
            espeak_SetPhonemeTrace(queued.listing->ipa ? espeakPHONEMES_IPA : espeakPHONEMES_SHOW,
                                   queued.listing->stream);
        synthesise(queued.job);
        if (queued.listing)
            espeak_SetPhonemeTrace(0, nullptr);
    }
}

void SpeechEngine::synthesise(const Job& job) {
    espeak_SetParameter(espeakRATE, job.rate.wordsPerMinute, 0);
    espeak_SetParameter(espeakWORDGAP, job.rate.wordGap, 0);
    SynthesisCall call{
        job.target.get(), job.run, job.from.chunkStart, job.from.offset, nullptr, 0, false};
    const auto abandoned = [&job] { return !job.target->isCurrent(job.run); };
    for (;;) {
        const std::optional<QString> text =
            job.text->read(chunkDecidedBy(call.chunkStart), abandoned);
        if (!text) {
            call.aborted = true;
            break;
        }
        if (call.chunkStart >= text->size() || (job.until >= 0 && call.chunkStart >= job.until))
            break;
        const qsizetype end = chunkEnd(*text, call.chunkStart);
        // Only what is decided may count: a text still growing may differ past it.
        const MappedEspeakInput input =
            mappedEspeakInput(QStringView(*text).left(chunkDecidedBy(call.chunkStart)),
                              call.chunkStart, end, job.homographs);
        call.input = &input;
        const QByteArray utf8 =
            QStringView(input.input).mid(utf16IndexOfCodePoint(input.input, call.offset)).toUtf8();
        espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                     espeakCHARS_UTF8 | espeakPHONEMES, nullptr, &call);
        if (call.aborted || abandoned())
            break;
        call.chunkStart = end;
        call.offset = 0;
    }
    if (!call.aborted)
        job.target->finishRun(job.run);
}

} // namespace tellwick
