#pragma once

#include "speech/homograph_readings.h"
#include "speech/speech_text.h"
#include "speech/synthesis_target.h"

#include <QString>

#include <condition_variable>
#include <cstdio>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace tellwick {

class VoiceEngine;

// The synthesis of one voice: its engine (see voice_engine.h), made and driven on one worker
// thread of its own, one job after the other. Speech libraries keep global state that cannot be
// set up twice (espeak-ng deadlocks when initialised again), so each voice's worker is started
// once and kept for the life of the process.
class SpeechEngine {
public:
    // The worker of the voice named (see voice_catalogue.h; empty for the default voice), started
    // on first use. Null, with a message naming the cause, when the voice cannot speak here; later
    // calls give the same answer.
    static SpeechEngine* forVoice(const QString& voiceName, QString* error);
    // The default voice's worker.
    static SpeechEngine* instance(QString* error) { return forVoice(QString(), error); }

    // The rate of every sample the voice gives, in Hz.
    int sampleRate() const { return sampleRate_; }

    // Synthesises text from a sentence start into target's run. The job ends by itself when the
    // target leaves that run (see SynthesisTarget); a job that is no longer current when its turn
    // comes is skipped. A job that reaches the end of a text still growing waits for the rest,
    // holding up the jobs behind it: the one voice of the window waits only for itself. Whoever
    // moves the target to another run wakes the text, so that the wait ends at once.
    struct Job {
        std::shared_ptr<SynthesisTarget> target;
        int run = 0;
        std::shared_ptr<SpeechText> text;
        SentenceStart from;
        // The window's reading speed, -9 to +9.
        int readingSpeed = 0;
        HomographReadings homographs = {};
        // Where the job stops: before the first piece that starts there or later (see
        // text_chunks.h); -1 for the text's end. A text cut at piece starts this way is
        // synthesised exactly as a whole.
        qsizetype until = -1;
        // Heard as it is made (see PieceToSpeak::heardAtOnce).
        bool heardAtOnce = false;
    };
    void submit(Job job);
    // A job that also lists the phonemes it says into stream, one line per clause, in the voice's
    // own phone set (see VoiceEngine::listPhonemes). The stream is written on the worker alone, and
    // is complete once the target's run is finished.
    struct PhonemeListing {
        std::FILE* stream = nullptr;
        bool ipa = false;
    };
    void submitListing(Job job, PhonemeListing listing);

    SpeechEngine(const SpeechEngine&) = delete;
    SpeechEngine& operator=(const SpeechEngine&) = delete;

private:
    explicit SpeechEngine(const QString& voiceName);
    void work(const QString& voiceName);
    void synthesise(const Job& job);

    int sampleRate_ = 0;
    QString error_;
    std::unique_ptr<VoiceEngine> engine_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool started_ = false;
    struct Queued {
        Job job;
        std::optional<PhonemeListing> listing;
    };
    std::deque<Queued> jobs_;
};

} // namespace tellwick
