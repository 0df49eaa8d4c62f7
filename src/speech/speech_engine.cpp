#include "speech/speech_engine.h"

#include "speech/espeak_input.h"
#include "speech/text_chunks.h"

#include <espeak-ng/speak_lib.h>

namespace tellwick {

namespace {

// espeak-ng hands sound over in pieces of this many milliseconds: short enough that an abort or a
// backpressure wait takes effect almost at once.
constexpr int callbackMilliseconds = 50;

// What the callback of the synthesis in progress writes to. Only the worker thread synthesises.
struct SynthesisCall {
    SynthesisTarget* target = nullptr;
    int run = 0;
    qsizetype chunkStart = 0;
    qsizetype offset = 0;
    const MappedEspeakInput* input = nullptr;
    qint64 delivered = 0;
    bool aborted = false;
};
SynthesisCall* currentCall = nullptr;

int receiveSound(short* samples, int count, espeak_EVENT* events) {
    SynthesisCall& call = *currentCall;
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

} // namespace

SpeechEngine* SpeechEngine::instance(QString* error) {
    static const std::pair<SpeechEngine*, QString> engine =
        []() -> std::pair<SpeechEngine*, QString> {
        const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, callbackMilliseconds, nullptr,
                                           espeakINITIALIZE_DONT_EXIT);
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
    jobs_.push_back(std::move(job));
    jobArrived_.notify_one();
}

void SpeechEngine::work() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            jobArrived_.wait(lock, [this] { return !jobs_.empty(); });
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        if (job.target->isCurrent(job.run))
            synthesise(job);
    }
}

void SpeechEngine::synthesise(const Job& job) {
    espeak_SetParameter(espeakRATE, job.rate.wordsPerMinute, 0);
    espeak_SetParameter(espeakWORDGAP, job.rate.wordGap, 0);
    SynthesisCall call{
        job.target.get(), job.run, job.from.chunkStart, job.from.offset, nullptr, 0, false};
    currentCall = &call;
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
        const MappedEspeakInput input = mappedEspeakInput(
            QStringView(*text).left(chunkDecidedBy(call.chunkStart)), call.chunkStart, end);
        call.input = &input;
        const QByteArray utf8 =
            QStringView(input.input).mid(utf16IndexOfCodePoint(input.input, call.offset)).toUtf8();
        espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                     espeakCHARS_UTF8 | espeakPHONEMES, nullptr, nullptr);
        if (call.aborted || abandoned())
            break;
        call.chunkStart = end;
        call.offset = 0;
    }
    currentCall = nullptr;
    if (!call.aborted)
        job.target->finishRun(job.run);
}

} // namespace tellwick
