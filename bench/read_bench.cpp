// How long the Read button keeps the window busy with a large text in the box: reading the box,
// rewriting the text and handing it to the voice, which speaks on its own.
#include "app/frm_text_to_speech.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace tellwick;

// A voice that takes the text and returns at once, as the real one does before it is heard.
class SilentVoice : public Voice {
public:
    VoiceResult setRate(int) override { return VoiceResult::success(); }
    VoiceResult speak(const QString& text) override {
        benchmark::DoNotOptimize(text.size());
        return VoiceResult::success();
    }
    VoiceResult speakBeginning(const QString& beginning) override { return speak(beginning); }
    VoiceResult completeText(const QString& whole) override { return speak(whole); }
    VoiceResult pause() override { return VoiceResult::success(); }
    VoiceResult resume() override { return VoiceResult::success(); }
    VoiceResult skipSentence(int) override { return VoiceResult::failure(QStringLiteral("idle")); }
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
    Platform platform;
    platform.voices = [](QString*) { return std::make_unique<SilentVoice>(); };
    frmTextToSpeech window(std::move(platform));
    window.setInputText(megabyteOfText());
    for (auto _ : state)
        window.cmdRead_Click();
    state.SetBytesProcessed(state.iterations() * (qint64(1) << 20) * qint64(sizeof(char16_t)));
}
BENCHMARK(ReadOneMegabyteFromTheBox)->Unit(benchmark::kMillisecond);

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
