// festival's HTS voice through its engine, on a worker thread as the speech worker drives it:
// the time from a reading's start to its first samples (the first utterance is its first few
// words), and the synthesis time per second of sound, by the wall clock and by the worker's CPU
// time (the machine's other load slows the first, not the second); then the peak memory, after a
// piece of long sentences of figures, the longest sound festival is asked for at once.
//
//   festival_voice_bench [ROUNDS]

#include "speech/festival_engine.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string_view>
#include <thread>

using namespace tellwick;
using Clock = std::chrono::steady_clock;

namespace {

const char16_t text[] =
    u"The ferry leaves the harbour at half past seven, so we should set off early. My sister "
    u"read the letter twice before she put it away. Rain is expected later in the afternoon, "
    u"with strong winds along the coast. He paid 12 dollars for the tickets and kept the "
    u"receipt. Could you record the meeting for those who cannot come?";

double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

struct TimingTarget : SynthesisTarget {
    Clock::time_point start;
    double cpuStart = 0;
    double firstChunk = -1;
    double firstChunkCpu = -1;
    qint64 samples = 0;
    bool isCurrent(int) const override { return true; }
    bool append(int, const std::int16_t*, qsizetype count) override {
        if (firstChunk < 0) {
            firstChunk = std::chrono::duration<double>(Clock::now() - start).count();
            firstChunkCpu = threadSeconds() - cpuStart;
        }
        samples += count;
        return true;
    }
    void markSentence(int, SentenceStart, qint64) override {}
    void finishRun(int) override {}
};

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 3;
    std::thread worker([rounds] {
        const Clock::time_point starting = Clock::now();
        QString error;
        std::unique_ptr<VoiceEngine> engine =
            startFestivalVoice(QStringLiteral("festival-slt-hts"), &error);
        if (!engine) {
            std::fprintf(stderr, "festival_voice_bench: %s\n", qPrintable(error));
            std::exit(1);
        }
        std::printf("start: %.0f ms\n",
                    std::chrono::duration<double, std::milli>(Clock::now() - starting).count());
        const QString whole = QString::fromUtf16(text);
        for (int round = 0; round < rounds; ++round) {
            TimingTarget target;
            const double cpuBefore = threadSeconds();
            target.cpuStart = cpuBefore;
            target.start = Clock::now();
            engine->speakPiece({whole, 0, whole.size(), 0, 0, {}, true}, target, 1, 0);
            const double wall = std::chrono::duration<double>(Clock::now() - target.start).count();
            const double cpu = threadSeconds() - cpuBefore;
            const double audio = double(target.samples) / engine->sampleRate();
            std::printf("round %d: first chunk after %.0f ms wall, %.0f ms CPU; %.1f s of sound; "
                        "per second of sound %.3f s wall, %.3f s CPU\n",
                        round, target.firstChunk * 1000, target.firstChunkCpu * 1000, audio,
                        wall / audio, cpu / audio);
        }
        QString figures;
        while (figures.size() < 1000)
            figures += QStringLiteral("On 12/03/2024 the 1,234,567 people paid $89.99 each, ");
        TimingTarget target;
        engine->speakPiece({figures, 0, figures.size(), 0, 0, {}}, target, 1, 0);
        std::printf("figures: %.1f s of sound\n", double(target.samples) / engine->sampleRate());
    });
    worker.join();
    std::FILE* status = std::fopen("/proc/self/status", "r");
    char line[256];
    while (status != nullptr && std::fgets(line, sizeof line, status) != nullptr) {
        if (std::string_view(line).starts_with("VmHWM"))
            std::printf("peak memory: %s", line + 6);
    }
    if (status != nullptr)
        std::fclose(status);
    std::fflush(stdout);
    // festival is never taken down: its state lives as long as the process.
    std::_Exit(0);
}
