#pragma once

#include "speech/homograph_readings.h"
#include "speech/reading_speed.h"
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

// espeak-ng for the whole process. Its library keeps global state that cannot be set up twice
// (terminating and initialising it again deadlocks), so it is initialised once and kept for the
// life of the process, and all synthesis runs on one worker thread, one job after the other.
class SpeechEngine {
public:
    // The engine, started on first use. Null, with a message naming the cause, when espeak-ng
    // cannot load its data; later calls give the same answer.
    static SpeechEngine* instance(QString* error);

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
        SpeakingRate rate;
        HomographReadings homographs = {};
        // Where the job stops: before the first piece that starts there or later (see
        // text_chunks.h); -1 for the text's end. A text cut at piece starts this way is
        // synthesised exactly as a whole.
        qsizetype until = -1;
    };
    void submit(Job job);
    // A job that also lists the phonemes it says into stream, one line per clause, as
    // "espeak-ng -q -x" (or --ipa) prints them. The stream is written on the worker alone, and is
    // complete once the target's run is finished.
    struct PhonemeListing {
        std::FILE* stream = nullptr;
        bool ipa = false;
    };
    void submitListing(Job job, PhonemeListing listing);

    SpeechEngine(const SpeechEngine&) = delete;
    SpeechEngine& operator=(const SpeechEngine&) = delete;

private:
    explicit SpeechEngine(int sampleRate);
    void work();
    void synthesise(const Job& job);

    const int sampleRate_;
    std::mutex mutex_;
    std::condition_variable jobArrived_;
    struct Queued {
        Job job;
        std::optional<PhonemeListing> listing;
    };
    std::deque<Queued> jobs_;
    std::thread worker_;
};

} // namespace tellwick
