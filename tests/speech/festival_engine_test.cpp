#include "pronunciation/homograph_model.h"
#include "pronunciation/homograph_pronunciations.h"
#include "speech/festival_engine.h"
#include "speech/festival_input.h"
#include "speech/us_english_respellings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <future>
#include <map>
#include <mutex>
#include <thread>

namespace tellwick {
namespace {

using namespace Qt::StringLiterals;

// festival may be driven from one thread per process only, as the speech worker does: every call
// of these tests runs on this one thread, which starts the voice once.
class FestivalThread {
public:
    static FestivalThread& instance() {
        static FestivalThread* thread = new FestivalThread; // festival outlives every test
        return *thread;
    }
    void run(const std::function<void(VoiceEngine&)>& job) {
        std::packaged_task<void()> task([&] { job(*engine_); });
        std::future<void> done = task.get_future();
        {
            std::lock_guard lock(mutex_);
            jobs_.push_back(std::move(task));
        }
        arrived_.notify_one();
        done.get();
    }
    const QString& error() const { return error_; }

private:
    FestivalThread() {
        std::promise<void> started;
        std::thread([this, &started] {
            engine_ = startFestivalVoice(QStringLiteral("festival-slt-hts"), &error_);
            started.set_value();
            for (;;) {
                std::unique_lock lock(mutex_);
                arrived_.wait(lock, [this] { return !jobs_.empty(); });
                std::packaged_task<void()> task = std::move(jobs_.front());
                jobs_.pop_front();
                lock.unlock();
                task();
            }
        }).detach();
        started.get_future().get();
    }
    std::unique_ptr<VoiceEngine> engine_;
    QString error_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<std::packaged_task<void()>> jobs_;
};

// What the engine delivers, as the speech buffer takes it; refuses sound after refuseAfter.
struct Recording : SynthesisTarget {
    qint64 refuseAfter = -1;
    qint64 samples = 0;
    qint64 loud = 0;
    std::vector<std::pair<SentenceStart, qint64>> sentences;

    bool isCurrent(int) const override { return refuseAfter < 0 || samples < refuseAfter; }
    bool append(int run, const std::int16_t* data, qsizetype count) override {
        if (!isCurrent(run))
            return false;
        for (qsizetype i = 0; i < count; ++i)
            loud += std::abs(data[i]) > 1000 ? 1 : 0;
        samples += count;
        return true;
    }
    void markSentence(int, SentenceStart start, qint64 sample) override {
        sentences.emplace_back(start, sample);
    }
    void finishRun(int) override {}
};

struct Spoken {
    std::optional<qint64> delivered;
    Recording recording;
};

// The engine's sound for text; or, with `listing`, its phones listed there (and no sound).
Spoken speak(const QString& text, int readingSpeed = 0, qint64 refuseAfter = -1,
             HomographReadings homographs = {true, nullptr}, std::FILE* listing = nullptr,
             bool ipa = false) {
    Spoken spoken;
    spoken.recording.refuseAfter = refuseAfter;
    FestivalThread::instance().run([&](VoiceEngine& engine) {
        engine.listPhonemes(listing, ipa);
        spoken.delivered = engine.speakPiece({text, 0, text.size(), 0, readingSpeed, homographs},
                                             spoken.recording, 1, 0);
        engine.listPhonemes(nullptr, false);
    });
    return spoken;
}

// The phones festival lists for text, one line per utterance.
std::string listedPhones(const QString& text, HomographReadings homographs = {true, nullptr},
                         bool ipa = false) {
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* listing = open_memstream(&buffer, &size);
    speak(text, 0, -1, homographs, listing, ipa);
    std::fclose(listing);
    std::string phones(buffer, size);
    std::free(buffer);
    return phones;
}

// Where festival's utterances start: at sentence ends (after the quotes that close with them) and
// line breaks, and within a sentence too long to say at once, where no sentence starts.
TEST(FestivalInput, PartsAPieceIntoSentencesAndLongSentencesIntoUtterances) {
    const QString longSentence =
        u"word "_s.repeated(40) + u"and then, "_s + u"word "_s.repeated(30) + u"end."_s;
    struct Case {
        const char* name;
        QString text;
        qsizetype from;
        std::vector<std::pair<qsizetype, bool>> starts; // where, and whether a sentence starts
    };
    const Case cases[] = {
        {"stops", u"One. Two! Three? Four"_s, 0, {{0, true}, {5, true}, {10, true}, {17, true}}},
        {"closing quote", u"\"One.\" (Two.) Three"_s, 0, {{0, true}, {7, true}, {14, true}}},
        {"stop inside a number", u"It cost 3.50 today. Yes"_s, 0, {{0, true}, {20, true}}},
        {"line break", u"a line\nanother\n\n"_s, 0, {{0, true}, {7, true}}},
        {"from a sentence start", u"One. Two. Three."_s, 5, {{5, true}, {10, true}}},
        {"nothing to say", u"One. -- ... Two."_s, 0, {{0, true}, {12, true}}},
        {"long sentence, after its comma", longSentence, 0, {{0, true}, {210, false}}},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<qsizetype, bool>> starts;
        for (const FestivalSentence& s :
             festivalSentences({c.text, 0, c.text.size(), c.from, 0, {true, nullptr}}))
            starts.emplace_back(s.start, s.startsSentence);
        EXPECT_EQ(starts, c.starts) << c.name;
    }
}

// festival reads Latin-1 and says the letters a to z only: what it would misread is given to it in
// ASCII, and what it cannot say at all as a space.
TEST(FestivalInput, WritesTheTextAsFestivalReadsIt) {
    const struct {
        const char* name;
        QString text;
        QString input;
    } cases[] = {
        {"accents and quotes", u"Café “naïve” l’été."_s, u"Cafe \"naive\" l'ete."_s},
        {"dashes and other scripts", u"A—b 日本 ok…"_s, u"A - b    ok..."_s},
        {"Latin-1 signs stay for festival's own reading", u"£5 at 3°."_s, u"£5 at 3°."_s},
    };
    for (const auto& c : cases) {
        const std::vector<FestivalSentence> sentences =
            festivalSentences({c.text, 0, c.text.size(), 0, 0, {true, nullptr}});
        ASSERT_EQ(sentences.size(), 1u) << c.name;
        EXPECT_EQ(sentences[0].input, c.input) << c.name;
    }
}

bool festivalMissing() {
    return !festivalVoices().front().unavailableBecause.isEmpty();
}

TEST(FestivalEngine, SpeaksSentenceBySentenceAtEachSpeedAndStopsWhenRefused) {
    if (festivalMissing())
        GTEST_SKIP() << festivalVoices().front().unavailableBecause.toStdString();
    ASSERT_TRUE(FestivalThread::instance().error().isEmpty())
        << FestivalThread::instance().error().toStdString();
    const QString text =
        QStringLiteral("\"It rained.\" The 3 boats left at 10:30, late.\nThen quiet.");
    const Spoken normal = speak(text);
    ASSERT_TRUE(normal.delivered);
    EXPECT_EQ(*normal.delivered, normal.recording.samples);
    EXPECT_GT(normal.recording.loud, 32000 / 4) << "a quarter second of sound at least";
    // The engine's positions are offsets in the piece; each sentence starts after the sound of
    // those before it.
    const std::vector<std::pair<qsizetype, qsizetype>> expectedStarts = {
        {0, 0}, {13, 13}, {46, 46}};
    ASSERT_EQ(normal.recording.sentences.size(), expectedStarts.size());
    for (std::size_t i = 0; i < expectedStarts.size(); ++i) {
        EXPECT_EQ(normal.recording.sentences[i].first.offset, expectedStarts[i].first) << i;
        EXPECT_EQ(normal.recording.sentences[i].first.textPosition, expectedStarts[i].second) << i;
        if (i > 0) {
            EXPECT_GT(normal.recording.sentences[i].second,
                      normal.recording.sentences[i - 1].second);
        }
    }
    // Numbers and times go through festival's own reading of them.
    const std::string phones = listedPhones(text);
    EXPECT_NE(phones.find("th r iy1"), std::string::npos) << phones;
    EXPECT_EQ(listedPhones(u"Quiet."_s, {true, nullptr}, true), "ˈkwaɪət\n");

    // Starting again at a sentence start that the engine reported speaks from there.
    Spoken fromSecond;
    FestivalThread::instance().run([&](VoiceEngine& engine) {
        fromSecond.delivered = engine.speakPiece({text, 0, text.size(), 13, 0, {true, nullptr}},
                                                 fromSecond.recording, 1, 500);
    });
    ASSERT_EQ(fromSecond.recording.sentences.size(), 2u);
    EXPECT_EQ(fromSecond.recording.sentences[0].first.offset, 13);
    // It is reported at its first sound, after the pause that opens festival's utterance.
    EXPECT_GT(fromSecond.recording.sentences[0].second, 500);
    EXPECT_LT(fromSecond.recording.sentences[0].second, 500 + 32000 / 4);

    const Spoken refused = speak(text, 0, 1000);
    EXPECT_FALSE(refused.delivered);
    EXPECT_LE(refused.recording.samples, 1000 + 32000 / 20) << "at most one more hand-over";

    const qint64 slowest = *speak(text, -9).delivered;
    const qint64 fastest = *speak(text, 9).delivered;
    EXPECT_GT(slowest, *normal.delivered * 2);
    EXPECT_LT(fastest, *normal.delivered / 2);
}

// A line of the listing: one word's phones.
std::string asListed(std::string_view phones) {
    return std::string(phones) + "\n";
}

// Every respelling of the rewriter and every homograph reading, spoken by the engine, is said
// with the table's phones: festival's own text analysis undoes none of them.
TEST(FestivalEngine, SaysEachRespellingAndHomographReadingAsTheTableReadsIt) {
    if (festivalMissing())
        GTEST_SKIP() << festivalVoices().front().unavailableBecause.toStdString();
    for (const UsEnglishRespelling& row : usEnglishRespellings()) {
        const QString word = QString::fromStdU16String(std::u16string(row.word));
        EXPECT_EQ(listedPhones(word + u'.'), asListed(row.phones)) << word.toStdString();
    }
    // One model per reading of a word, which knows that reading alone.
    std::map<std::string, std::vector<const homographs::Pronunciation*>> byWord;
    for (const homographs::Pronunciation& reading : homographs::pronunciations())
        byWord[std::string(reading.wordid.substr(0, reading.wordid.find('_')))].push_back(&reading);
    for (const auto& [word, readings] : byWord) {
        for (const homographs::Pronunciation* reading : readings) {
            const homographs::Model onlyThisReading({{std::u16string(word.begin(), word.end()),
                                                      {std::string(reading->wordid)},
                                                      {},
                                                      {}}});
            EXPECT_EQ(listedPhones(QString::fromStdString(word) + u'.', {false, &onlyThisReading}),
                      asListed(reading->usEnglish))
                << reading->wordid;
        }
    }
}

} // namespace
} // namespace tellwick
