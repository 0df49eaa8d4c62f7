#include "speech/speech_engine.h"
#include "support/voices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace tellwick {
namespace {

// Records what synthesis delivers; refuses sound after a given amount, as a closed voice does.
class RecordingTarget : public SynthesisTarget {
public:
    explicit RecordingTarget(qint64 refuseAfter = -1) : refuseAfter_(refuseAfter) {}

    bool isCurrent(int) const override {
        std::lock_guard lock(mutex_);
        ++questions_;
        changed_.notify_all();
        return !refusing();
    }
    bool append(int, const std::int16_t* samples, qsizetype count) override {
        std::lock_guard lock(mutex_);
        if (refusing()) {
            ++refusals_;
            ended_.notify_all();
            return false;
        }
        for (qsizetype i = 0; i < count; ++i) {
            loud_ += samples[i] > 1000 || samples[i] < -1000 ? 1 : 0;
            if (std::abs(samples[i]) >= audibleLevel) {
                if (heard_)
                    longestSilence_ = std::max(longestSilence_, silence_);
                heard_ = true;
                silence_ = 0;
            } else {
                ++silence_;
            }
        }
        samples_ += count;
        changed_.notify_all();
        return true;
    }
    void markSentence(int, SentenceStart start, qint64 sample) override {
        std::lock_guard lock(mutex_);
        sentences_.push_back({start, sample});
    }
    void finishRun(int) override {
        std::lock_guard lock(mutex_);
        finished_ = true;
        ended_.notify_all();
    }

    // Waits until the run finished or was refused; false after a generous time.
    bool waitForEnd() {
        std::unique_lock lock(mutex_);
        return ended_.wait_for(lock, std::chrono::seconds(60),
                               [this] { return finished_ || refusals_ > 0; });
    }

    // Refuses from now on, as a closed voice does.
    void close() {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    bool waitForSamples(qint64 count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(60), [&] { return samples_ >= count; });
    }
    // Waits until the target was asked whether its run is current this many times.
    bool waitForQuestions(int count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(60),
                                 [&] { return questions_ >= count; });
    }

    struct Mark {
        SentenceStart start;
        qint64 sample;
    };
    std::vector<Mark> sentences() const {
        std::lock_guard lock(mutex_);
        return sentences_;
    }
    qint64 samples() const {
        std::lock_guard lock(mutex_);
        return samples_;
    }
    qint64 loudSamples() const {
        std::lock_guard lock(mutex_);
        return loud_;
    }
    bool finished() const {
        std::lock_guard lock(mutex_);
        return finished_;
    }
    // The longest silence between two sounds, in samples.
    qint64 longestSilence() const {
        std::lock_guard lock(mutex_);
        return longestSilence_;
    }

private:
    bool refusing() const { return closed_ || (refuseAfter_ >= 0 && samples_ >= refuseAfter_); }

    const qint64 refuseAfter_;
    mutable std::mutex mutex_;
    std::condition_variable ended_;
    mutable std::condition_variable changed_;
    mutable int questions_ = 0;
    bool closed_ = false;
    std::vector<Mark> sentences_;
    qint64 samples_ = 0;
    qint64 loud_ = 0;
    // Quieter than this (about -40 dB) is silence.
    static constexpr int audibleLevel = 328;
    bool heard_ = false;
    qint64 silence_ = 0;
    qint64 longestSilence_ = 0;
    int refusals_ = 0;
    bool finished_ = false;
};

// Every engine's worker behaves the same: the tests run once for each engine (and for flite's
// diphone voice, which synthesises another way).
class SpeechEngineOfEachVoice : public testing::TestWithParam<const char*> {
protected:
    SpeechEngine& engine() {
        QString error;
        SpeechEngine* engine = SpeechEngine::forVoice(QString::fromLatin1(GetParam()), &error);
        EXPECT_NE(engine, nullptr) << error.toStdString();
        return *engine;
    }

    std::shared_ptr<RecordingTarget> synthesise(const QString& text, SentenceStart from = {},
                                                int readingSpeed = 0, qint64 refuseAfter = -1) {
        auto target = std::make_shared<RecordingTarget>(refuseAfter);
        engine().submit({target, 1, std::make_shared<SpeechText>(text), from, readingSpeed});
        EXPECT_TRUE(target->waitForEnd());
        return target;
    }
};
INSTANTIATE_TEST_SUITE_P(Voices, SpeechEngineOfEachVoice,
                         testing::Values("espeak-ng-en", "flite-slt", "flite-kal16"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

const QString threeSentences = QStringLiteral("One. Two two. Three three three.");

TEST_P(SpeechEngineOfEachVoice, MarksEachSentenceWhereItsSoundAndItsTextStart) {
    const auto target = synthesise(threeSentences);
    ASSERT_TRUE(target->finished());
    const auto sentences = target->sentences();
    ASSERT_EQ(sentences.size(), 3u);
    const qsizetype offsets[] = {0, 5, 14}; // "One", "Two", "Three"
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(sentences[i].start, (SentenceStart{0, offsets[i]})) << i;
        if (i > 0) {
            EXPECT_GT(sentences[i].sample, sentences[i - 1].sample + engine().sampleRate() / 4);
        }
    }
    EXPECT_GT(target->samples(), sentences.back().sample + engine().sampleRate() / 2);
    // Speech, not silence: flite's diphone voice speaks softest, loud for a sixth of its sound.
    EXPECT_GT(target->loudSamples(), target->samples() / 8);
}

TEST_P(SpeechEngineOfEachVoice, StartingAgainFromASentenceGivesTheSameRest) {
    const QString text =
        QStringLiteral("He will resjoome it. We lyyve here (lyyve) now. Last one.");
    const auto whole = synthesise(text);
    const auto marks = whole->sentences();
    ASSERT_EQ(marks.size(), 3u);
    const auto rest = synthesise(text, marks[1].start);
    const auto restMarks = rest->sentences();
    ASSERT_EQ(restMarks.size(), 2u);
    EXPECT_EQ(restMarks[0].start, marks[1].start);
    EXPECT_EQ(restMarks[1].start, marks[2].start);
    const qint64 expected = whole->samples() - marks[1].sample;
    EXPECT_NEAR(double(rest->samples()), double(expected), expected * 0.1);
}

TEST_P(SpeechEngineOfEachVoice, ALongTextIsSpokenInPiecesWithSentencesInOrder) {
    const QString text = QString(QStringLiteral("A short line of words. ")).repeated(400);
    const auto target = synthesise(text, {}, 9);
    const auto marks = target->sentences();
    ASSERT_GE(marks.size(), 400u);
    EXPECT_GT(marks.back().start.chunkStart, 0);
    for (std::size_t i = 1; i < marks.size(); ++i) {
        EXPECT_LT(marks[i - 1].start, marks[i].start) << i;
        EXPECT_LE(marks[i - 1].sample, marks[i].sample) << i;
    }
}

TEST_P(SpeechEngineOfEachVoice, FasterRatesGiveShorterSound) {
    const qint64 slow = synthesise(threeSentences, {}, -9)->samples();
    const qint64 normal = synthesise(threeSentences, {}, 0)->samples();
    const qint64 fast = synthesise(threeSentences, {}, 9)->samples();
    EXPECT_GT(slow, normal * 3 / 2);
    EXPECT_GT(normal, fast * 3 / 2);
}

TEST_P(SpeechEngineOfEachVoice, ARefusingTargetStopsItsJobAndTheNextJobStillRuns) {
    const QString book = QString(QStringLiteral("This sentence goes on and on. ")).repeated(20000);
    const qint64 second = engine().sampleRate();
    const auto refused = synthesise(book, {}, 0, second);
    EXPECT_FALSE(refused->finished());
    EXPECT_LT(refused->samples(), second + second); // stopped within a callback's worth
    const auto next = synthesise(threeSentences);
    EXPECT_TRUE(next->finished());
    EXPECT_EQ(next->sentences().size(), 3u);
}

std::vector<SentenceStart> starts(const RecordingTarget& target) {
    std::vector<SentenceStart> found;
    for (const RecordingTarget::Mark& mark : target.sentences())
        found.push_back(mark.start);
    return found;
}

// A text given in two steps is spoken as the whole given at once (the same pieces, so the same
// sentences; espeak-ng's sound varies by a few samples from call to call), wherever the beginning
// differs from the whole beyond what synthesis had read of it; a whole that differs within that is
// refused, so that the voice starts over.
TEST_P(SpeechEngineOfEachVoice, ABeginningCompletedByItsWholeSpeaksAsTheWhole) {
    const QString whole = QString(QStringLiteral("A short line of words. ")).repeated(500);
    const auto once = synthesise(whole, {}, 9);
    ASSERT_TRUE(once->finished());
    const struct {
        const char* name;
        QString beginning;
        bool joins;
    } rows[] = {
        {"the whole goes on from the beginning", whole.left(6000), true},
        {"they differ only past what synthesis read", whole.left(5500) + QStringLiteral("X"), true},
        {"they differ near the start", QStringLiteral("Other. ") + whole.left(6000), false},
    };
    for (const auto& row : rows) {
        auto target = std::make_shared<RecordingTarget>();
        auto text = std::make_shared<SpeechText>(row.beginning, false);
        engine().submit({target, 1, text, {}, 9});
        ASSERT_TRUE(target->waitForSamples(1)) << row.name;
        EXPECT_EQ(text->complete(whole), row.joins) << row.name;
        if (!row.joins) {
            target->close();
            text->wake();
            continue;
        }
        ASSERT_TRUE(target->waitForEnd()) << row.name;
        EXPECT_EQ(starts(*target), starts(*once)) << row.name;
        EXPECT_NEAR(double(target->samples()), double(once->samples()), once->samples() * 0.001)
            << row.name;
    }
    EXPECT_TRUE(synthesise(threeSentences)->finished());
}

// Without the wake, the engine would wait for the whole of a reading nobody hears any more.
TEST_P(SpeechEngineOfEachVoice, AJobWaitingForTheWholeEndsWhenItsTargetMovesOn) {
    auto target = std::make_shared<RecordingTarget>();
    auto text = std::make_shared<SpeechText>(QString(), false);
    engine().submit({target, 1, text, {}, 9});
    ASSERT_TRUE(target->waitForQuestions(2)); // taken up, and waiting
    target->close();
    text->wake();
    EXPECT_TRUE(synthesise(threeSentences)->finished());
    EXPECT_FALSE(target->finished());
}

// A reading heard as it is made says its first words apart, so that they are heard at once, and
// joins the rest to them with no more silence than the same sentence has when said whole.
class ReadingOfEachVoice : public SpeechEngineOfEachVoice {};

std::vector<const char*> availableVoices() {
    static std::vector<std::string> names;
    std::vector<const char*> parameters;
    for (const QString& name : availableVoiceNames())
        names.push_back(name.toStdString());
    for (const std::string& name : names)
        parameters.push_back(name.c_str());
    return parameters;
}

INSTANTIATE_TEST_SUITE_P(Voices, ReadingOfEachVoice, testing::ValuesIn(availableVoices()),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return voiceCaseName(QString::fromLatin1(info.param));
                         });

TEST_P(ReadingOfEachVoice, TheFirstWordsSaidApartJoinTheRestWithoutAPause) {
    const struct {
        const char* name;
        QString text;
    } rows[] = {
        {"no clause mark among the first words",
         QStringLiteral("When the old ferry finally pulled away from the crowded wooden pier on "
                        "that grey morning the tired passengers watched the harbour lights fade.")},
        {"a clause ends after the first word",
         QStringLiteral("Meanwhile, the tired passengers watched the harbour lights fade behind "
                        "them.")},
    };
    for (const auto& row : rows) {
        const auto whole = synthesise(row.text);
        auto heard = std::make_shared<RecordingTarget>();
        engine().submit({heard, 1, std::make_shared<SpeechText>(row.text), {}, 0, {}, -1, true});
        ASSERT_TRUE(heard->waitForEnd());
        const double rate = engine().sampleRate() / 1000.0;
        std::printf("%s: whole %.1f ms, heard at once %.1f ms; %.1f / %.1f s\n", row.name,
                    whole->longestSilence() / rate, heard->longestSilence() / rate,
                    whole->samples() / rate / 1000, heard->samples() / rate / 1000);
        // Said apart as they come from the voice, the first words would leave some 200 ms of
        // silence before the rest. A soft sound opening the rest ("f") is quiet enough to count
        // as silence for a few hundredths of a second more, so 100 ms is allowed.
        EXPECT_LT(heard->longestSilence(), whole->longestSilence() + engine().sampleRate() / 10)
            << row.name;
    }
}

} // namespace
} // namespace tellwick
