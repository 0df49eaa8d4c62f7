// How long the Read button keeps the window busy with a large text in the box: taking the box's
// text, rewriting it (a large one only its beginning, the whole beside the window) and handing it
// to the voice, which speaks on its own. And how long the window takes to show the next sentence
// heard in such a box, scrolled to and painted.
#include "app/main_window.h"

#include <QApplication>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

namespace {

using namespace tellwick;

// A voice that takes the text and returns at once, as the real one does before it is heard.
class SilentVoice : public Voice {
public:
    VoiceResult setRate(int) override { return VoiceResult::success(); }
    VoiceResult speak(const QString& text) override {
        benchmark::DoNotOptimize(text.size());
        spoken = text;
        return VoiceResult::success();
    }
    VoiceResult speakBeginning(const QString& beginning) override { return speak(beginning); }
    VoiceResult completeText(const QString& whole) override {
        ++completions;
        return speak(whole);
    }
    static inline int completions = 0;
    VoiceResult pause() override { return VoiceResult::success(); }
    VoiceResult resume() override { return VoiceResult::success(); }
    VoiceResult skipSentence(int) override { return VoiceResult::failure(QStringLiteral("idle")); }
    void hear(qsizetype position) { reportSentenceHeard(0, position); }
    QString spoken;
};

QString megabyteOfText() {
    const QString paragraph = QStringLiteral(
        "The record shows that Dr. Smith read 12 pages on 9/11 and paid $3.50 for it.\r\n"
        "We live near the lead mine (opened in 1850) - a minute's walk - and wound the clock?\r\n"
        "14\r\n"
        "I learned to project my voice; resume the reading [see note 3] at 10:30 a.m. today.\r\n");
    QString text;
    const qsizetype size = 1 << 20;
    text.reserve(size + paragraph.size());
    while (text.size() < size)
        text += paragraph;
    text.truncate(size);
    return text;
}

void ReadOneMegabyteFromTheBox(benchmark::State& state) {
    WindowServices platform;
    platform.voices = [](const QString&, QString*) { return std::make_unique<SilentVoice>(); };
    MainWindow window(std::move(platform));
    window.setInputText(megabyteOfText());
    for (auto _ : state) {
        const int before = SilentVoice::completions;
        window.onReadClicked();
        // The whole is rewritten beside the window and arrives through its event loop; waiting
        // for it keeps one rewrite at a time, as a user's clicks would.
        state.PauseTiming();
        while (SilentVoice::completions == before)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * (qint64(1) << 20) * qint64(sizeof(char16_t)));
}
BENCHMARK(ReadOneMegabyteFromTheBox)->Unit(benchmark::kMillisecond);

// Sentences heard one after another all through the box, each shown, scrolled to and painted.
void ShowTheNextSentenceHeardInAOneMegabyteBox(benchmark::State& state) {
    SilentVoice* voice = nullptr;
    WindowServices platform;
    platform.voices = [&voice](const QString&, QString*) {
        auto made = std::make_unique<SilentVoice>();
        voice = made.get();
        return made;
    };
    MainWindow window(std::move(platform));
    window.show();
    window.setInputText(megabyteOfText());
    const int before = SilentVoice::completions;
    window.onReadClicked();
    while (SilentVoice::completions == before)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    std::vector<qsizetype> starts;
    for (qsizetype at = voice->spoken.indexOf(QStringLiteral(". ")); at >= 0;
         at = voice->spoken.indexOf(QStringLiteral(". "), at + 1))
        starts.push_back(at + 2);
    auto* box = window.findChild<QPlainTextEdit*>(QStringLiteral("txtInput"));
    std::size_t next = 0;
    for (auto _ : state) {
        voice->hear(starts[next]);
        box->viewport()->repaint();
        next = (next + 97) % starts.size(); // far enough on to scroll every time
    }
    state.counters["sentences"] = static_cast<double>(starts.size());
}
BENCHMARK(ShowTheNextSentenceHeardInAOneMegabyteBox)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
