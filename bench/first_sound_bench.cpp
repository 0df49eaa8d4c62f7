// When the user hears the first word: from the click on a button of the real window to the first
// non-silent sample the sound server plays, heard on a private PulseAudio's null sink with only the
// recorder attached, as on a desktop where nothing else plays. (A stream of silence kept playing
// would lower the sink's latency for every stream and hide a slow one.) `tellwick say`, timed the
// same way from its start, is measured in the same run as the mark to beat.
#include "app/main_window.h"
#include "app/window_commands.h"
#include "platform/command_channel.h"
#include "speech/system_voice.h"
#include "support/fake_clipboard.h"
#include "support/pulse_server.h"
#include "support/sound_clock.h"
#include "support/voices.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QProcess>
#include <QPushButton>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <optional>

namespace tellwick {
namespace {

using Clock = SoundClock::Clock;
using namespace std::chrono_literals;

SoundClock* soundClock = nullptr;

// How long a user takes at the least between seeing the window and clicking in it.
constexpr auto windowSettles = 500ms;
// Anything later than this is no first sound but a fault.
constexpr auto soundTimeout = 5s;

const QString& tenWords() {
    static const QString text =
        QStringLiteral("The quick brown fox jumps over the lazy dog today.");
    return text;
}

// One long sentence whose first clause runs past twenty words: a voice that prepares a whole
// utterance before its first sound would wait for all of it.
const QString& longSentence() {
    static const QString text = QStringLiteral(
        "When the old ferry finally pulled away from the crowded wooden pier on that grey and "
        "windy morning the passengers who had waited since dawn, tired and cold and hungry, "
        "watched the harbour lights fade behind them as the gulls followed the boat to sea.");
    return text;
}

// A book's worth, in paragraphs as a book has them. (One line of 10 MB would measure the text
// box instead: it lays the whole line out again for every blink of the cursor.)
const QString& tenMegabytes() {
    static const QString text = [] {
        const QString paragraph =
            QStringLiteral("It was the best of times, it was the worst of times; he will resume "
                           "it later. ")
                .repeated(8) +
            QStringLiteral("\r\n");
        return paragraph.repeated(10 * 1024 * 1024 / int(paragraph.size()) + 1);
    }();
    return text;
}

void runEventsFor(Clock::duration span) {
    const Clock::time_point end = Clock::now() + span;
    while (Clock::now() < end)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

std::optional<Clock::time_point> waitForSound(Clock::time_point since) {
    return tellwick::waitForSound(*soundClock, since, soundTimeout);
}

bool waitForSilence(Clock::duration span) {
    return tellwick::waitForSilence(*soundClock, span, 30s);
}

// The seconds from the start of action to the first sound heard after it; false (the benchmark
// then stops with an error) when nothing is heard.
template <typename Action>
bool timeFirstSound(benchmark::State& state, Action&& action, std::vector<double>& times) {
    const Clock::time_point start = Clock::now();
    action();
    const std::optional<Clock::time_point> heard = waitForSound(start);
    if (!heard) {
        state.SkipWithError("no sound was heard");
        return false;
    }
    const double seconds = std::chrono::duration<double>(*heard - start).count();
    state.SetIterationTime(seconds);
    times.push_back(seconds);
    return true;
}

void report(benchmark::State& state, const std::vector<double>& times) {
    if (times.empty())
        return;
    state.counters["first_ms"] = times.front() * 1000;
    state.counters["max_ms"] = *std::max_element(times.begin(), times.end()) * 1000;
}

// Times action once per iteration, after prepare has set the scene untimed.
template <typename Prepare, typename Action>
void measureEach(benchmark::State& state, Prepare&& prepare, Action&& action) {
    std::vector<double> times;
    for (auto _ : state) {
        state.PauseTiming();
        prepare();
        state.ResumeTiming();
        if (!timeFirstSound(state, action, times))
            break;
    }
    report(state, times);
}

struct TestWindow {
    FakeClipboard* clipboard = nullptr;
    std::unique_ptr<MainWindow> window;

    QPushButton* button(const char* name) const {
        return window->findChild<QPushButton*>(QLatin1String(name));
    }
};

// The real window reading with the voice named; the clipboard is a fake whose primary selection
// can be set, for Read Highlighted to take.
TestWindow openWindow(const QString& voiceName, const QString& text) {
    auto clipboard = std::make_unique<FakeClipboard>();
    TestWindow opened{clipboard.get(), nullptr};
    WindowServices platform;
    platform.clipboard = std::move(clipboard);
    // The window asks for the voice it remembers; the benchmark reads with its own.
    platform.voices = [voiceName](const QString&, QString* error) {
        return makeSystemVoice(voiceName, error);
    };
    platform.prepareVoices = [voiceName](const QString&) { prepareVoice(voiceName); };
    opened.window = std::make_unique<MainWindow>(std::move(platform));
    opened.window->setInputText(text);
    opened.window->show();
    runEventsFor(windowSettles);
    return opened;
}

// The calibration: a new process that must start, load the voice and reach the sound server.
void Say(benchmark::State& state, const QString& voiceName) {
    std::vector<double> times;
    for (auto _ : state) {
        waitForSilence(300ms);
        QProcess say;
        if (!timeFirstSound(
                state,
                [&] {
                    say.start(QStringLiteral(TELLWICK_BINARY),
                              sayArguments(voiceName, {tenWords()}));
                },
                times))
            break;
        say.kill();
        say.waitForFinished(5000);
    }
    report(state, times);
}

// The first Read of a freshly opened window.
void FirstRead(benchmark::State& state, const QString& voiceName, const QString& (*text)()) {
    std::vector<double> times;
    for (auto _ : state) {
        state.PauseTiming();
        waitForSilence(300ms);
        TestWindow opened = openWindow(voiceName, text());
        state.ResumeTiming();
        if (!timeFirstSound(
                state, [&] { opened.button("cmdRead")->click(); }, times))
            break;
    }
    report(state, times);
}

// A Read after the window's last reading was heard to its end.
void LaterRead(benchmark::State& state, const QString& voiceName, const QString& (*text)()) {
    TestWindow opened = openWindow(voiceName, text());
    opened.button("cmdRead")->click();
    measureEach(
        state,
        [&] {
            waitForSound(Clock::now());
            opened.window->reader().stop();
            waitForSilence(300ms);
        },
        [&] { opened.button("cmdRead")->click(); });
}

// A Read while the last reading is heard: the click falls into a pause between its words, so that
// the sound after the click is the new reading's.
void ReadOverPlaying(benchmark::State& state, const QString& voiceName, const QString& (*text)()) {
    TestWindow opened = openWindow(voiceName, text());
    measureEach(
        state,
        [&] {
            opened.button("cmdRead")->click();
            waitForSound(Clock::now());
            runEventsFor(300ms);
            waitForSilence(60ms);
        },
        [&] { opened.button("cmdRead")->click(); });
}

// Resume after Pause, once the paused reading has fallen silent.
void Resume(benchmark::State& state, const QString& voiceName, const QString& (*text)()) {
    TestWindow opened = openWindow(voiceName, text());
    measureEach(
        state,
        [&] {
            opened.button("cmdRead")->click();
            waitForSound(Clock::now());
            opened.button("cmdPause")->click();
            waitForSilence(300ms);
        },
        [&] { opened.button("cmdPause")->click(); });
}

// Read Highlighted with text highlighted in another program: the selection goes to the
// clipboard, Paste puts it in the box and Read reads it, with no waits in between.
void ReadHighlighted(benchmark::State& state, const QString& voiceName, const QString& (*text)()) {
    TestWindow opened = openWindow(voiceName, QString());
    opened.clipboard->selection = text();
    measureEach(
        state,
        [&] {
            opened.window->reader().stop();
            waitForSilence(300ms);
        },
        [&] { opened.button("cmdRH")->click(); });
}

// tellwick read-selection from another program's terminal: a new process that reaches the
// window through its socket, which then reads the selection as Read Highlighted does.
void ReadSelectionCommand(benchmark::State& state, const QString& voiceName,
                          const QString& (*text)()) {
    TestWindow opened = openWindow(voiceName, QString());
    opened.clipboard->selection = text();
    CommandServer server([&](const QString& command, const CommandServer::Answer& answer) {
        runWindowCommand(*opened.window, command, answer);
    });
    QString error;
    if (!server.listen(&error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    std::vector<double> times;
    for (auto _ : state) {
        state.PauseTiming();
        opened.window->reader().stop();
        waitForSilence(300ms);
        state.ResumeTiming();
        QProcess command;
        if (!timeFirstSound(
                state,
                [&] {
                    command.start(QStringLiteral(TELLWICK_BINARY),
                                  {QStringLiteral("read-selection")});
                },
                times))
            break;
        command.waitForFinished(5000);
    }
    report(state, times);
}

// The voice named reading spacedSentences, its reports timed; skip is called with each sentence
// heard and may skip from there. False (the benchmark then stops with an error) when the voice
// cannot be made or does not report its end.
template <typename Skip>
bool readFiveSentences(benchmark::State& state, const QString& voiceName,
                       std::vector<Clock::time_point>* reports, Clock::time_point* start,
                       Skip&& skip) {
    waitForSilence(300ms);
    QString error;
    std::unique_ptr<Voice> voice = makeSystemVoice(voiceName, &error);
    if (!voice) {
        state.SkipWithError(qPrintable(error));
        return false;
    }
    bool finished = false;
    voice->onSentenceHeard([&](int sentence, qsizetype) {
        reports->push_back(Clock::now());
        skip(*voice, sentence);
    });
    voice->onFinished([&finished] { finished = true; });
    *start = Clock::now();
    voice->speak(spacedSentences);
    const Clock::time_point deadline = *start + 30s;
    while (!finished && Clock::now() < deadline)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    // The sound clock settles the time of what it heard a little later.
    runEventsFor(300ms);
    if (!finished)
        state.SkipWithError("the voice did not report the end of its reading");
    return finished;
}

// Each sentence's report against its first sound heard (negative: reported early).
void SentenceReports(benchmark::State& state, const QString& voiceName) {
    std::vector<double> lags;
    for (auto _ : state) {
        std::vector<Clock::time_point> reports;
        Clock::time_point start;
        if (!readFiveSentences(state, voiceName, &reports, &start, [](Voice&, int) {}))
            break;
        const std::vector<Clock::time_point> sounds = soundClock->soundStartsAfter(start, 200ms);
        if (sounds.size() != reports.size()) {
            state.SkipWithError("the sentences heard and those reported differ");
            break;
        }
        double total = 0;
        for (std::size_t i = 0; i < sounds.size(); ++i) {
            lags.push_back(inMilliseconds(reports[i] - sounds[i]));
            total += std::abs(lags.back());
        }
        state.SetIterationTime(total / double(sounds.size()) / 1000);
    }
    if (lags.empty())
        return;
    double sum = 0;
    for (double lag : lags)
        sum += lag;
    state.counters["mean_lag_ms"] = sum / double(lags.size());
    state.counters["min_lag_ms"] = *std::min_element(lags.begin(), lags.end());
    state.counters["max_lag_ms"] = *std::max_element(lags.begin(), lags.end());
}

// From ">" to the report of the sentence it lands on, heard after what the output still held.
void SkipReport(benchmark::State& state, const QString& voiceName) {
    std::vector<double> times;
    for (auto _ : state) {
        std::vector<Clock::time_point> reports;
        Clock::time_point start;
        Clock::time_point skipped;
        const auto skip = [&skipped](Voice& voice, int sentence) {
            if (sentence == 1) {
                skipped = Clock::now();
                voice.skipSentence(1);
            }
        };
        if (!readFiveSentences(state, voiceName, &reports, &start, skip) || reports.size() < 3)
            break;
        times.push_back(inMilliseconds(reports[2] - skipped) / 1000);
        state.SetIterationTime(times.back());
    }
    if (!times.empty())
        state.counters["max_ms"] = *std::max_element(times.begin(), times.end()) * 1000;
}

// Every measure, once for each voice that can speak here: "Say/espeak-ng-en",
// "FirstRead/espeak-ng-en/tenWords" and so on, so that --benchmark_filter picks voices.
void registerBenchmarks(const QString& voiceName) {
    const std::string voice = voiceName.toStdString();
    const auto add = [&](const std::string& name, auto function, int iterations,
                         auto... arguments) {
        benchmark::RegisterBenchmark(name.c_str(), function, voiceName, arguments...)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(iterations);
    };
    add("Say/" + voice, Say, 5);
    add("SentenceReports/" + voice, SentenceReports, 5);
    add("SkipReport/" + voice, SkipReport, 5);
    const struct {
        const char* name;
        void (*function)(benchmark::State&, const QString&, const QString& (*)());
        int iterations;
    } readings[] = {
        {"FirstRead", FirstRead, 3},
        {"LaterRead", LaterRead, 5},
        {"ReadOverPlaying", ReadOverPlaying, 5},
        {"Resume", Resume, 5},
        {"ReadHighlighted", ReadHighlighted, 5},
        {"ReadSelectionCommand", ReadSelectionCommand, 5},
    };
    const struct {
        const char* name;
        const QString& (*text)();
    } texts[] = {
        {"tenWords", tenWords}, {"tenMegabytes", tenMegabytes}, {"longSentence", longSentence}};
    for (const auto& reading : readings) {
        for (const auto& text : texts)
            add(std::string(reading.name) + '/' + voice + '/' + text.name, reading.function,
                reading.iterations, text.text);
    }
}

} // namespace
} // namespace tellwick

int main(int argc, char** argv) {
    using namespace tellwick;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PulseServer server;
    SoundClock clock;
    QString error;
    if (!listenToPrivateSink(server, clock, &error)) {
        std::fprintf(stderr, "first_sound_bench: %s\n", qPrintable(error));
        return 1;
    }
    soundClock = &clock;
    QApplication application(argc, argv);
    if (!waitForSilence(300ms)) {
        std::fprintf(stderr, "first_sound_bench: the null sink's monitor delivers nothing\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    for (const QString& voiceName : availableVoiceNames())
        registerBenchmarks(voiceName);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    soundClock = nullptr;
    return 0;
}
