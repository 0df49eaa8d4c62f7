#include "speech/speech_buffer.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <optional>
#include <ostream>
#include <thread>
#include <vector>

namespace tellwick {
namespace {

constexpr qint64 lookahead = 10000;
constexpr qint64 history = 3000;

// Sentences start at these samples of a 6000-sample text.
const std::vector<qint64> sentenceSamples{0, 1000, 2500, 4000};
constexpr qint64 textSamples = 6000;

SentenceStart startOf(qsizetype sentence) {
    return {0, sentence * 10, sentence * 7};
}

// Plays synthesis into the buffer from the calling thread: the sound of sentences from
// firstSentence on, each sample holding its run position so that reads show where they come from.
void synthesise(SpeechBuffer& buffer, int run, qsizetype firstSentence, qint64 until = textSamples,
                bool finish = true) {
    const qint64 origin = sentenceSamples[firstSentence];
    for (qsizetype s = firstSentence; s < qsizetype(sentenceSamples.size()); ++s) {
        if (sentenceSamples[s] >= until)
            break;
        buffer.markSentence(run, startOf(s), sentenceSamples[s] - origin);
        const qint64 end =
            s + 1 < qsizetype(sentenceSamples.size()) ? sentenceSamples[s + 1] : textSamples;
        std::vector<std::int16_t> samples;
        for (qint64 p = sentenceSamples[s]; p < std::min(end, until); ++p)
            samples.push_back(std::int16_t(p % 30000));
        ASSERT_TRUE(buffer.append(run, samples.data(), qsizetype(samples.size())));
    }
    if (finish && until >= textSamples)
        buffer.finishRun(run);
}

// Reads count samples; returns the value of the first one (-1 when nothing came).
int readSamples(SpeechBuffer& buffer, qint64 count) {
    std::vector<std::int16_t> out(std::size_t(std::max<qint64>(count, 1)));
    const qint64 got = buffer.read(reinterpret_cast<char*>(out.data()), count * 2);
    return got > 0 ? out[0] : -1;
}

struct SkipCase {
    const char* name;
    qint64 heard;            // samples read before the skip
    int count;               // the skip
    qint64 synthesisedUntil; // how far synthesis got
    qint64 expectedPosition; // read position after the skip
    bool expectFinished;
    std::optional<qsizetype> from = std::nullopt; // the sentence heard, behind what was read
};

void PrintTo(const SkipCase& c, std::ostream* out) {
    *out << c.name;
}

class SkipWithinBuffer : public testing::TestWithParam<SkipCase> {};

TEST_P(SkipWithinBuffer, MovesToTheSentenceStart) {
    const SkipCase& c = GetParam();
    SpeechBuffer buffer({lookahead, 100000});
    const int run = buffer.restart();
    synthesise(buffer, run, 0, c.synthesisedUntil);
    if (c.heard > 0)
        readSamples(buffer, c.heard);
    const SpeechBuffer::SkipOutcome outcome = buffer.skip(c.count, c.from);
    EXPECT_FALSE(outcome.resynthesise);
    EXPECT_EQ(buffer.readPosition(), c.expectedPosition);
    EXPECT_EQ(buffer.finished(), c.expectFinished);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SkipWithinBuffer,
    testing::Values(SkipCase{"forwardFromFirst", 10, 1, textSamples, 1000, false},
                    SkipCase{"forwardFromMiddle", 1500, 1, textSamples, 2500, false},
                    SkipCase{"forwardFromExactStart", 2500, 1, textSamples, 4000, false},
                    SkipCase{"backFromMiddle", 3000, -1, textSamples, 1000, false},
                    SkipCase{"backFromFirstRestartsIt", 500, -1, textSamples, 0, false},
                    SkipCase{"backBeforeAnythingHeard", 0, -1, textSamples, 0, false},
                    SkipCase{"forwardFromLastEndsTheReading", 4500, 1, textSamples, textSamples,
                             true},
                    SkipCase{"backFromLastWhenAllSynthesised", 5000, -1, textSamples, 2500, false},
                    SkipCase{"forwardFromTheSentenceHeard", 1200, 1, textSamples, 1000, false, 0},
                    SkipCase{"backFromTheSentenceHeard", 2600, -1, textSamples, 0, false, 1}),
    [](const testing::TestParamInfo<SkipCase>& info) { return std::string(info.param.name); });

// The player's count of samples goes on across skips; each sentence is handed over where its first
// sample goes out.
TEST(SpeechBuffer, TellsWhereEachSentenceIsHandedToThePlayer) {
    SpeechBuffer buffer({lookahead, 100000});
    const int run = buffer.restart();
    synthesise(buffer, run, 0);
    const struct {
        const char* step;
        int skip;
        qint64 read;
        std::vector<std::array<qint64, 3>> handedOver; // output sample, sentence, text position
    } steps[] = {
        {"read into the second sentence", 0, 1200, {{0, 0, 0}, {1000, 1, 7}}},
        {"skip forward, read on", 1, 100, {{1200, 2, 14}}},
        {"skip back, read two sentences", -1, 2000, {{1300, 1, 7}, {2800, 2, 14}}},
    };
    for (const auto& step : steps) {
        if (step.skip != 0)
            buffer.skip(step.skip);
        readSamples(buffer, step.read);
        std::vector<std::array<qint64, 3>> got;
        for (const SpeechBuffer::SentenceHandedOver& s : buffer.takeSentencesHandedOver())
            got.push_back({s.outputSample, s.sentence, s.textPosition});
        EXPECT_EQ(got, step.handedOver) << step.step;
    }
    EXPECT_EQ(buffer.handedOverSamples(), 3300);
}

TEST(SpeechBuffer, SkipForwardPastSynthesisDropsSoundUntilThatSentence) {
    SpeechBuffer buffer({lookahead, history});
    const int run = buffer.restart();
    synthesise(buffer, run, 0, 1800, false); // sentences 0 and 1 are partly there
    readSamples(buffer, 1200);
    buffer.skip(1); // to sentence 2, not synthesised yet
    EXPECT_EQ(buffer.bytesAvailable(), 0);
    // The rest of sentence 1 arrives and is thrown away; sentence 2 is kept.
    std::vector<std::int16_t> rest(700, 7);
    ASSERT_TRUE(buffer.append(run, rest.data(), qsizetype(rest.size())));
    EXPECT_EQ(buffer.bytesAvailable(), 0);
    buffer.markSentence(run, startOf(2), 2500);
    std::vector<std::int16_t> third(100, 3);
    ASSERT_TRUE(buffer.append(run, third.data(), qsizetype(third.size())));
    EXPECT_EQ(buffer.bytesAvailable(), 200);
    EXPECT_EQ(readSamples(buffer, 1), 3);
    EXPECT_EQ(buffer.currentSentence(), 2);
}

TEST(SpeechBuffer, TwoSkipsForwardBeforeSynthesisCatchesUpGoTwoSentences) {
    SpeechBuffer buffer({lookahead, history});
    const int run = buffer.restart();
    synthesise(buffer, run, 0, 500, false);
    buffer.skip(1);
    buffer.skip(1);
    buffer.markSentence(run, startOf(1), 500);
    std::vector<std::int16_t> second(1500, 1);
    ASSERT_TRUE(buffer.append(run, second.data(), qsizetype(second.size())));
    EXPECT_EQ(buffer.bytesAvailable(), 0);
    buffer.markSentence(run, startOf(2), 2000);
    std::vector<std::int16_t> third(10, 2);
    ASSERT_TRUE(buffer.append(run, third.data(), qsizetype(third.size())));
    EXPECT_EQ(readSamples(buffer, 1), 2);
}

TEST(SpeechBuffer, SkipBackBeyondHeldSoundStartsANewRunFromThatSentence) {
    SpeechBuffer buffer({lookahead, history});
    const int run = buffer.restart();
    synthesise(buffer, run, 0);
    readSamples(buffer, 5500); // 3000 heard samples are kept: from 2500 on
    EXPECT_FALSE(buffer.skip(-1).resynthesise);
    EXPECT_EQ(buffer.readPosition(), 2500);
    readSamples(buffer, 3000);
    const SpeechBuffer::SkipOutcome back = buffer.skip(-2); // to sentence 1, at 1000
    ASSERT_TRUE(back.resynthesise);
    EXPECT_EQ(back.from, startOf(1));
    EXPECT_NE(back.run, run);
    // The old run's synthesis is refused; the new one is heard from its first sample.
    std::int16_t sample = 9;
    EXPECT_FALSE(buffer.append(run, &sample, 1));
    EXPECT_FALSE(buffer.finished());
    synthesise(buffer, back.run, 1);
    EXPECT_EQ(readSamples(buffer, 1), 1000);
    EXPECT_EQ(buffer.currentSentence(), 1);
    EXPECT_EQ(buffer.knownSentences(), 4);
    readSamples(buffer, 1600);
    EXPECT_EQ(buffer.currentSentence(), 2);
}

// Waits, at most a generous while, for a condition set by another thread.
template <typename Condition> bool eventually(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

TEST(SpeechBuffer, SynthesisWaitsWhileALookaheadAheadAndAbortsWhenClosed) {
    constexpr qint64 piece = 1000;
    SpeechBuffer buffer({lookahead, history});
    const int run = buffer.restart();
    std::atomic<qint64> appended = 0;
    std::atomic<bool> refused = false;
    std::thread producer([&] {
        std::vector<std::int16_t> samples(piece, 1);
        while (buffer.append(run, samples.data(), piece))
            appended += piece;
        refused = true;
    });
    // The producer stops at the lookahead, and goes on only as far as reading allows.
    for (qint64 heard = 0; heard < 5 * lookahead; heard += 500) {
        ASSERT_TRUE(eventually([&] { return appended >= heard + lookahead; }));
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        EXPECT_LT(buffer.producedSamples() - buffer.readPosition(), lookahead + piece);
        EXPECT_LE(buffer.heldSamples(), lookahead + history + history / 4 + piece);
        readSamples(buffer, 500);
    }
    EXPECT_FALSE(refused);
    buffer.close();
    producer.join();
    EXPECT_TRUE(refused);
}

TEST(SpeechBuffer, WakesTheOutputOnlyAfterItFoundNothing) {
    SpeechBuffer buffer({lookahead, history});
    int wakes = 0;
    buffer.setWakeHandler([&] { ++wakes; });
    const int run = buffer.restart();
    std::int16_t sample = 1;
    buffer.append(run, &sample, 1);
    EXPECT_EQ(wakes, 0);
    readSamples(buffer, 1);
    readSamples(buffer, 1); // finds nothing
    buffer.append(run, &sample, 1);
    buffer.append(run, &sample, 1);
    EXPECT_EQ(wakes, 1);
    readSamples(buffer, 2);
    readSamples(buffer, 2);
    buffer.finishRun(run);
    EXPECT_EQ(wakes, 2);
    EXPECT_TRUE(buffer.finished());
    buffer.close();
    buffer.restart();
    EXPECT_FALSE(buffer.isCurrent(run));
}

} // namespace
} // namespace tellwick
