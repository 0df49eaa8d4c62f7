// What users feel of the voice: how soon the first sound comes, how fast synthesis runs, and how
// much memory a book-length reading takes. The measures stop at the buffer the audio output reads
// from, so that no sound server is needed; first_sound_bench measures what is heard.
#include "pronunciation/homograph_model.h"
#include "speech/espeak_input.h"
#include "speech/speech_buffer.h"
#include "speech/speech_engine.h"
#include "speech/text_chunks.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QString>

#include <chrono>
#include <cstring>
#include <optional>
#include <thread>

namespace tellwick {
namespace {

using Clock = std::chrono::steady_clock;

SpeechEngine& engine() {
    QString error;
    SpeechEngine* engine = SpeechEngine::instance(&error);
    if (engine == nullptr)
        qFatal("%s", qPrintable(error));
    return *engine;
}

std::shared_ptr<SpeechBuffer> makeBuffer() {
    const qint64 second = engine().sampleRate();
    return std::make_shared<SpeechBuffer>(SpeechBuffer::Limits{30 * second, 30 * second});
}

const QString& tenWords() {
    static const QString text =
        QStringLiteral("The quick brown fox jumps over the lazy dog today.");
    return text;
}

const QString& tenMegabytes() {
    static const QString text = [] {
        const QString sentence = QStringLiteral(
            "It was the best of times, it was the worst of times; he will resjoome it later. ");
        return sentence.repeated(10 * 1024 * 1024 / int(sentence.size()) + 1);
    }();
    return text;
}

// From speak to the first sample the output could take.
void BM_FirstSample(benchmark::State& state, const QString& (*makeText)()) {
    const QString& text = makeText();
    for (auto _ : state) {
        auto buffer = makeBuffer();
        const int run = buffer->restart();
        char sample[2];
        const auto start = Clock::now();
        engine().submit({buffer, run, std::make_shared<SpeechText>(text), SentenceStart{}, 0});
        while (buffer->read(sample, 2) == 0)
            std::this_thread::yield();
        const auto end = Clock::now();
        buffer->close();
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
}

BENCHMARK_CAPTURE(BM_FirstSample, tenWords, &tenWords)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FirstSample, tenMegabytes, &tenMegabytes)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Preparing the first piece of a text for espeak-ng, the part of the time to the first sample that
// the voice's own front end takes, with the homographs left to espeak-ng (0) and decided (1): on
// the ten megabytes above (0), and on a text dense with homographs (1).
const QString& tenMegabytesOfHomographs() {
    static const QString text = [] {
        const QString sentence = QStringLiteral("The sow was read a minute before the lead pipes "
                                                "were wound; they record the project again. ");
        return sentence.repeated(10 * 1024 * 1024 / int(sentence.size()) + 1);
    }();
    return text;
}

void BM_FirstPieceInput(benchmark::State& state) {
    const QString& text = state.range(1) == 0 ? tenMegabytes() : tenMegabytesOfHomographs();
    const HomographReadings readings{.byEngine = state.range(0) == 0};
    shippedHomographModel();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            espeakInput(QStringView(text).left(chunkDecidedBy(0)), 0, chunkEnd(text, 0), readings));
}
BENCHMARK(BM_FirstPieceInput)
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->ArgNames({"decided", "homographs"})
    ->Unit(benchmark::kMicrosecond);

// The front end over a whole large text, in bytes of text a second: plain text (0) and a text
// dense with homographs (1), sixteen megabytes each.
void BM_FrontEndThroughput(benchmark::State& state) {
    const QString sentence =
        state.range(0) == 0
            ? QStringLiteral("A plain sentence of ordinary English words to be read. ")
            : QStringLiteral("The sow was read a minute before the lead pipes were wound; they "
                             "record the project and aggregate the present content. ");
    const QString text = sentence.repeated(16 * 1024 * 1024 / int(sentence.size()) + 1);
    shippedHomographModel();
    for (auto _ : state)
        benchmark::DoNotOptimize(espeakInput(text));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_FrontEndThroughput)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"homographs"})
    ->Unit(benchmark::kMillisecond);

// Loading the model that ships, off the path of the first sound, and the memory it then holds.
void BM_HomographModelLoad(benchmark::State& state) {
    std::size_t bytesInMemory = 0;
    for (auto _ : state) {
        std::string error;
        const std::optional<homographs::Model> model =
            homographs::Model::load(TELLWICK_HOMOGRAPH_MODEL, &error);
        bytesInMemory = model ? model->bytesInMemory() : 0;
        benchmark::DoNotOptimize(bytesInMemory);
    }
    state.counters["bytes_in_memory"] = double(bytesInMemory);
}
BENCHMARK(BM_HomographModelLoad)->Unit(benchmark::kMillisecond);

// Seconds of speech made per second of synthesis, with nobody listening in between.
void BM_SynthesisSpeed(benchmark::State& state) {
    const QString text =
        QStringLiteral("A plain sentence of ordinary English words to be read. ").repeated(20);
    double audioSeconds = 0;
    double wallSeconds = 0;
    for (auto _ : state) {
        auto buffer = std::make_shared<SpeechBuffer>(SpeechBuffer::Limits{1LL << 40, 1LL << 40});
        const int run = buffer->restart();
        const auto start = Clock::now();
        engine().submit({buffer, run, std::make_shared<SpeechText>(text), SentenceStart{}, 0});
        while (!buffer->finished()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            std::vector<char> sink(std::size_t(buffer->bytesAvailable()));
            buffer->read(sink.data(), qint64(sink.size()));
        }
        wallSeconds += std::chrono::duration<double>(Clock::now() - start).count();
        audioSeconds += double(buffer->producedSamples()) / engine().sampleRate();
    }
    state.counters["times_real_time"] = audioSeconds / wallSeconds;
}
BENCHMARK(BM_SynthesisSpeed)->Unit(benchmark::kMillisecond)->Iterations(3);

qint64 statusKilobytes(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qsizetype(std::strlen(field)))
                .trimmed()
                .split(' ')
                .first()
                .toLongLong();
    }
    return 0;
}

// Peak resident memory beyond the text while 30 s of a 10 MB text are heard at the pace of
// playback. Run it alone (--benchmark_filter=PeakMemory), so that memory freed by the other
// benchmarks does not hide what it takes.
void BM_PeakMemoryWhileSpeaking(benchmark::State& state) {
    const QString& text = tenMegabytes();
    const qint64 rate = engine().sampleRate();
    for (auto _ : state) {
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (clear.open(QIODevice::WriteOnly))
            clear.write("5"); // restarts the peak count from the present size
        clear.close();
        const qint64 before = statusKilobytes("VmRSS:");
        auto buffer = makeBuffer();
        const int run = buffer->restart();
        engine().submit({buffer, run, std::make_shared<SpeechText>(text), SentenceStart{}, 0});
        std::vector<char> piece(std::size_t(rate / 50 * 2));
        const auto start = Clock::now();
        for (int tick = 1; tick <= 30 * 50; ++tick) {
            buffer->read(piece.data(), qint64(piece.size()));
            std::this_thread::sleep_until(start + std::chrono::milliseconds(20 * tick));
        }
        state.counters["peak_MB_beyond_text"] = double(statusKilobytes("VmHWM:") - before) / 1024.0;
        state.counters["heard_s"] = double(buffer->readPosition()) / double(rate);
        state.counters["peak_MB"] = double(statusKilobytes("VmHWM:")) / 1024.0;
        state.counters["text_MB"] = double(text.size()) * 2 / (1024.0 * 1024.0);
        buffer->close();
    }
}
BENCHMARK(BM_PeakMemoryWhileSpeaking)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace
} // namespace tellwick

BENCHMARK_MAIN();
