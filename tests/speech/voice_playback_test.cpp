#include "speech/system_voice.h"
#include "speech/voice_catalogue.h"
#include "support/pulse_server.h"
#include "support/sound_clock.h"
#include "support/voices.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <optional>
#include <vector>

namespace tellwick {
namespace {

// Real sound through a private PulseAudio daemon. Each test runs in a process of its own (CTest
// starts one per test), with a daemon of its own.
class VoicePlayback : public testing::Test {
protected:
    // The voice the test hears.
    virtual QString voiceName() const { return defaultVoiceName(); }

    void SetUp() override {
        QString error;
        ASSERT_TRUE(server_.start(&error)) << error.toStdString();
        ASSERT_TRUE(server_.startRecording());
        // The null sink starts passing sound on a while after it is first used.
        spin(1500);
    }

    static void spin(int milliseconds) {
        QEventLoop loop;
        QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
        loop.exec();
    }

    // Runs the event loop until the voice reports its last sample heard; false after a generous
    // while. The recorder gets its last pieces a little later.
    static bool playToEnd(Voice& voice) {
        bool finished = false;
        voice.onFinished([&finished] { finished = true; });
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!finished && std::chrono::steady_clock::now() < deadline)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        voice.onFinished(nullptr);
        spin(500);
        return finished;
    }

    // Starts clock on the null sink's monitor and waits until it delivers: sound before that would
    // be timed late.
    static bool listenTo(SoundClock& clock) {
        if (!clock.start(PulseServer::monitorName(), 20))
            return false;
        const auto deadline = SoundClock::Clock::now() + std::chrono::seconds(10);
        while (!clock.silentFor(std::chrono::milliseconds(500)) &&
               SoundClock::Clock::now() < deadline)
            spin(50);
        return clock.silentFor(std::chrono::milliseconds(500));
    }

    // Runs the event loop until clock hears sound played from since on; false after a generous
    // while. A voice's first sound may take seconds under the sanitizers, so tests that act while
    // speech is under way count their time from it. It looks every 20 ms, where waitForSound
    // looks without rest: the voice's own process needs the processor meanwhile.
    static bool heardFrom(const SoundClock& clock, SoundClock::Clock::time_point since) {
        const auto deadline = SoundClock::Clock::now() + std::chrono::seconds(30);
        while (!clock.firstSoundAfter(since) && SoundClock::Clock::now() < deadline)
            spin(20);
        return clock.firstSoundAfter(since).has_value();
    }

    std::unique_ptr<Voice> makeVoice() {
        QString error;
        std::unique_ptr<Voice> voice = makeSystemVoice(voiceName(), &error);
        EXPECT_TRUE(voice) << error.toStdString();
        return voice;
    }

    // `tellwick say` with this voice, speaking the text.
    void startSay(QProcess& say, const QString& text) const {
        say.start(QStringLiteral(TELLWICK_BINARY), sayArguments(voiceName(), {text}));
    }

    // Sound written to a file, to compare the recording with.
    RecordedSound spokenToFile(const QString& text) const {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("speech.wav"));
        QProcess say;
        say.start(QStringLiteral(TELLWICK_BINARY),
                  sayArguments(voiceName(), {QStringLiteral("--out"), path, text}));
        say.waitForFinished(60000);
        return readSoundFile(path).value_or(RecordedSound{});
    }

    int argc_ = 1;
    char name_[9] = "tellwick";
    char* argv_[2] = {name_, nullptr};
    QCoreApplication app_{argc_, argv_};
    PulseServer server_;
};

// Most tests run once for each engine that can speak here (with its first voice): each engine
// synthesises, stops and reports sentences in its own way. Those about the sound server going away
// (TEST_F) meet the output that every voice shares, and run with the default voice alone. The names
// are given as std::string, which GoogleTest can print.
class EachVoicePlayback : public VoicePlayback, public testing::WithParamInterface<std::string> {
protected:
    QString voiceName() const override { return QString::fromStdString(GetParam()); }
};

std::vector<std::string> voiceParameters() {
    std::vector<std::string> names;
    for (const QString& name : oneAvailableVoicePerEngine())
        names.push_back(name.toStdString());
    return names;
}

std::string voiceParameterName(const testing::TestParamInfo<std::string>& voice) {
    return voiceCaseName(QString::fromStdString(voice.param));
}

INSTANTIATE_TEST_SUITE_P(Voices, EachVoicePlayback, testing::ValuesIn(voiceParameters()),
                         voiceParameterName);

const QString sentences = QStringLiteral(
    "This is the first sentence of the test. Here comes the second one, a little longer. "
    "And a third sentence ends the reading.");

TEST_P(EachVoicePlayback, SayPlaysTheSpeechToItsEnd) {
    QProcess say;
    startSay(say, sentences);
    ASSERT_TRUE(say.waitForFinished(60000));
    EXPECT_EQ(say.exitCode(), 0) << say.readAllStandardError().toStdString();
    spin(500);
    const QString heard = server_.stopRecording().profile();
    const RecordedSound written = spokenToFile(sentences);
    const double expected = speechSeconds(written.profile());
    EXPECT_GT(expected, 3.0);
    // Both were spoken at the default rate: the whole speech must have been heard.
    EXPECT_GT(speechSeconds(heard), expected * 0.8) << heard.toStdString();
    EXPECT_LT(speechSeconds(heard), expected * 1.2) << heard.toStdString();
}

TEST_P(EachVoicePlayback, CtrlCStopsSayAndItsSound) {
    SoundClock clock;
    ASSERT_TRUE(listenTo(clock));
    const SoundClock::Clock::time_point start = SoundClock::Clock::now();
    QProcess say;
    startSay(say, sentences.repeated(5));
    ASSERT_TRUE(say.waitForStarted());
    ASSERT_TRUE(heardFrom(clock, start));
    spin(1500);
    ASSERT_EQ(::kill(pid_t(say.processId()), SIGINT), 0);
    ASSERT_TRUE(say.waitForFinished(10000));
    EXPECT_EQ(say.exitCode(), 130);
    spin(2000);
    const QString heard = server_.stopRecording().profile();
    EXPECT_GT(speechSeconds(heard), 0.3) << heard.toStdString();
    // Some 45 s of speech were asked for; about 1.5 s of it may be heard.
    EXPECT_LT(speechSeconds(heard), 5.0) << heard.toStdString();
}

TEST_F(VoicePlayback, SayFailsWhenTheSoundServerGoesAway) {
    QProcess say;
    startSay(say, sentences.repeated(5));
    ASSERT_TRUE(say.waitForStarted());
    spin(2500);
    server_.stop();
    ASSERT_TRUE(say.waitForFinished(20000)) << "say went on after its sound output was gone";
    EXPECT_EQ(say.exitCode(), 1);
    EXPECT_TRUE(say.readAllStandardError().contains("audio output"));
}

TEST_F(VoicePlayback, SayGivesUpOnASoundServerThatStopsAnswering) {
    const struct {
        const char* name;
        int stopAfterMilliseconds; // from say's start; -1: before it starts
    } rows[] = {
        {"stopped before say starts", -1},
        {"stopped while say speaks", 1500},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.stopAfterMilliseconds < 0)
            server_.setAnswering(false);
        QProcess say;
        startSay(say, sentences.repeated(5));
        ASSERT_TRUE(say.waitForStarted());
        if (row.stopAfterMilliseconds >= 0) {
            spin(row.stopAfterMilliseconds);
            server_.setAnswering(false);
        }
        const bool ended = say.waitForFinished(15000);
        server_.setAnswering(true);
        ASSERT_TRUE(ended) << "say waited for a stopped sound server";
        EXPECT_EQ(say.exitCode(), 1);
        EXPECT_TRUE(say.readAllStandardError().contains("sound server"));
    }
}

// say ends as its last sample is heard, not when a fixed drain time has passed.
TEST_P(EachVoicePlayback, SayEndsAsItsLastSampleIsHeard) {
    server_.stopRecording();
    SoundClock clock;
    ASSERT_TRUE(listenTo(clock));
    QProcess say;
    startSay(say, sentences);
    ASSERT_TRUE(say.waitForFinished(60000));
    const SoundClock::Clock::time_point ended = SoundClock::Clock::now();
    EXPECT_EQ(say.exitCode(), 0) << say.readAllStandardError().toStdString();
    spin(500);
    const std::vector<SoundClock::Clock::time_point> sounds =
        clock.soundStartsAfter(ended - std::chrono::seconds(1), std::chrono::milliseconds(0));
    ASSERT_FALSE(sounds.empty()) << "the end of the speech was not heard";
    EXPECT_FALSE(clock.firstSoundAfter(ended + std::chrono::milliseconds(50)))
        << "say ended before its last sound";
    std::printf("say ended %.1f ms after its last sound\n", inMilliseconds(ended - sounds.back()));
    EXPECT_LT(inMilliseconds(ended - sounds.back()), 300.0) << "say lingered after its sound";
}

TEST_F(VoicePlayback, AReadingAfterTheSoundServerCameBackSounds) {
    std::unique_ptr<Voice> before = makeVoice();
    ASSERT_TRUE(before);
    ASSERT_TRUE(before->speak(sentences));
    spin(1000);
    server_.stop();
    QString error;
    EXPECT_FALSE(makeSystemVoice(voiceName(), &error)) << "while the server is away";
    EXPECT_TRUE(error.contains("Start it")) << "says what to do: " << error.toStdString();
    before.reset();
    ASSERT_TRUE(server_.start(&error)) << error.toStdString();
    SoundClock clock;
    ASSERT_TRUE(listenTo(clock));
    // A new reading, as Read makes it: a new voice, and with it a new connection.
    const SoundClock::Clock::time_point start = SoundClock::Clock::now();
    std::unique_ptr<Voice> after = makeVoice();
    ASSERT_TRUE(after);
    ASSERT_TRUE(after->speak(QStringLiteral("Short and sweet.")));
    ASSERT_TRUE(playToEnd(*after));
    const std::optional<SoundClock::Clock::time_point> heard = clock.firstSoundAfter(start);
    ASSERT_TRUE(heard) << "the reading after the server came back was not heard";
    std::printf("the reading after the server came back sounded %.1f ms after it started\n",
                inMilliseconds(*heard - start));
}

TEST_P(EachVoicePlayback, PauseSilencesTheVoiceUntilResumeAndSkipsFailWhenNotSpeaking) {
    std::unique_ptr<Voice> voice = makeVoice();
    ASSERT_TRUE(voice);
    EXPECT_FALSE(voice->skipSentence(1)) << "never started";
    ASSERT_TRUE(voice->setRate(0));
    SoundClock clock;
    ASSERT_TRUE(listenTo(clock));
    const SoundClock::Clock::time_point start = SoundClock::Clock::now();
    ASSERT_TRUE(voice->speak(sentences));
    ASSERT_TRUE(heardFrom(clock, start));
    spin(1000);
    EXPECT_TRUE(voice->skipSentence(-1)) << "speaking";
    spin(500);
    ASSERT_TRUE(voice->pause());
    EXPECT_FALSE(voice->skipSentence(1)) << "paused";
    spin(3000);
    ASSERT_TRUE(voice->resume());
    ASSERT_TRUE(playToEnd(*voice));
    EXPECT_FALSE(voice->skipSentence(-1)) << "finished";
    const QString heard = server_.stopRecording().profile();
    EXPECT_GE(longestInnerSilenceSeconds(heard), 2.5) << heard.toStdString();
    EXPECT_LT(longestInnerSilenceSeconds(spokenToFile(sentences).profile()), 1.0);
}

TEST_P(EachVoicePlayback, DestroyingAVoiceStopsItsSoundAndANewOneSpeaksAtOnce) {
    std::unique_ptr<Voice> first = makeVoice();
    ASSERT_TRUE(first);
    SoundClock clock;
    ASSERT_TRUE(listenTo(clock));
    const SoundClock::Clock::time_point start = SoundClock::Clock::now();
    ASSERT_TRUE(first->speak(sentences.repeated(5)));
    ASSERT_TRUE(heardFrom(clock, start));
    spin(1000);
    first.reset();
    spin(2500);
    std::unique_ptr<Voice> second = makeVoice();
    ASSERT_TRUE(second);
    ASSERT_TRUE(second->speak(QStringLiteral("Short and sweet.")));
    ASSERT_TRUE(playToEnd(*second));
    const QString heard = server_.stopRecording().profile();
    EXPECT_GE(longestInnerSilenceSeconds(heard), 2.0) << heard.toStdString();
    EXPECT_LT(speechSeconds(heard), 4.0) << heard.toStdString();
}

// Read releases the last voice within its handler; no other handler may run in the middle of it.
TEST_P(EachVoicePlayback, DestroyingASpeakingVoiceRunsNoWaitingEvents) {
    std::unique_ptr<Voice> voice = makeVoice();
    ASSERT_TRUE(voice);
    ASSERT_TRUE(voice->speak(sentences));
    spin(700);
    bool ranEarly = false;
    QTimer::singleShot(0, &app_, [&ranEarly] { ranEarly = true; });
    voice.reset();
    EXPECT_FALSE(ranEarly);
}

TEST_P(EachVoicePlayback, SkippingForwardLeavesSentencesOut) {
    std::unique_ptr<Voice> voice = makeVoice();
    ASSERT_TRUE(voice);
    ASSERT_TRUE(voice->speak(sentences));
    spin(700);
    ASSERT_TRUE(voice->skipSentence(1));
    ASSERT_TRUE(voice->skipSentence(1));
    ASSERT_TRUE(playToEnd(*voice));
    const QString heard = server_.stopRecording().profile();
    EXPECT_LT(speechSeconds(heard), speechSeconds(spokenToFile(sentences).profile()) * 0.7)
        << heard.toStdString();
}

// Sentences heard, timed against the sound the null sink played.
class FollowedPlayback : public EachVoicePlayback {
protected:
    using Clock = SoundClock::Clock;
    struct Heard {
        int sentence;
        qsizetype position;
        Clock::time_point at;
    };

    void SetUp() override {
        EachVoicePlayback::SetUp();
        ASSERT_TRUE(listenTo(clock_));
    }

    // Records every report of the voice; skips as steps say, once the sentence named is heard.
    struct Skip {
        int afterSentence;
        std::vector<int> counts; // skips made at once, as quick presses
    };
    void listen(Voice& voice, std::vector<Skip> skips = {}) {
        voice.onSentenceHeard([this, &voice, skips](int sentence, qsizetype position) {
            heard_.push_back({sentence, position, Clock::now()});
            if (nextSkip_ < skips.size() && skips[nextSkip_].afterSentence == sentence) {
                for (int count : skips[nextSkip_].counts)
                    EXPECT_TRUE(voice.skipSentence(count));
                ++nextSkip_;
            }
        });
        voice.onFinished([this] { finishedAt_.push_back(Clock::now()); });
    }

    // Runs until the voice reports its end, then a while longer to see that it says so once.
    bool runToReportedEnd() {
        const Clock::time_point deadline = Clock::now() + std::chrono::seconds(40);
        while (finishedAt_.empty() && Clock::now() < deadline)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        spin(1000);
        return !finishedAt_.empty();
    }

    SoundClock clock_;
    std::vector<Heard> heard_;
    std::vector<Clock::time_point> finishedAt_;
    std::size_t nextSkip_ = 0;
};

TEST_P(FollowedPlayback, EachSentenceIsReportedAsItsFirstSoundIsHeardAndTheEndOnce) {
    const struct {
        const char* name;
        qsizetype beginning; // the size of what speakBeginning is given; 0 to speak at once
    } rows[] = {
        {"spoken at once", 0},
        {"spoken in two steps", 40},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        heard_.clear();
        finishedAt_.clear();
        std::unique_ptr<Voice> voice = makeVoice();
        ASSERT_TRUE(voice);
        listen(*voice);
        ASSERT_TRUE(voice->setRate(0));
        const Clock::time_point start = Clock::now();
        if (row.beginning == 0) {
            ASSERT_TRUE(voice->speak(spacedSentences));
        } else {
            ASSERT_TRUE(voice->speakBeginning(spacedSentences.left(row.beginning)));
            ASSERT_TRUE(voice->completeText(spacedSentences));
        }
        ASSERT_TRUE(runToReportedEnd());
        EXPECT_EQ(finishedAt_.size(), 1u);
        const std::vector<Clock::time_point> sounds =
            clock_.soundStartsAfter(start, std::chrono::milliseconds(200));
        ASSERT_EQ(sounds.size(), std::size(spacedSentenceStarts));
        ASSERT_EQ(heard_.size(), std::size(spacedSentenceStarts));
        for (std::size_t i = 0; i < heard_.size(); ++i) {
            EXPECT_EQ(heard_[i].sentence, int(i));
            EXPECT_EQ(heard_[i].position, spacedSentenceStarts[i]) << "sentence " << i;
            const double lag = inMilliseconds(heard_[i].at - sounds[i]);
            std::printf("sentence %zu reported %+.1f ms after its first sound\n", i, lag);
            EXPECT_LT(std::abs(lag), 100.0) << "sentence " << i;
        }
        // Nothing was heard after the end was reported.
        EXPECT_FALSE(clock_.firstSoundAfter(finishedAt_.front() + std::chrono::milliseconds(100)));
        std::printf("end reported %.1f ms after the last sentence's first sound\n",
                    inMilliseconds(finishedAt_.front() - sounds.back()));
    }
}

INSTANTIATE_TEST_SUITE_P(Voices, FollowedPlayback, testing::ValuesIn(voiceParameters()),
                         voiceParameterName);

// Skips move from the sentence heard, however far the output has been given sound beyond it.
TEST_P(FollowedPlayback, ASkipReportsTheSentenceItLandsOn) {
    std::unique_ptr<Voice> voice = makeVoice();
    ASSERT_TRUE(voice);
    listen(*voice, {{0, {+1, +1}}, {2, {-1}}});
    ASSERT_TRUE(voice->speak(spacedSentences));
    ASSERT_TRUE(runToReportedEnd());
    EXPECT_EQ(finishedAt_.size(), 1u);
    const struct {
        int sentence;
        qsizetype position;
    } expected[] = {{0, 0}, {2, 60}, {1, 28}, {2, 60}, {3, 89}, {4, 114}};
    ASSERT_EQ(heard_.size(), std::size(expected));
    for (std::size_t i = 0; i < heard_.size(); ++i) {
        EXPECT_EQ(heard_[i].sentence, expected[i].sentence) << "report " << i;
        EXPECT_EQ(heard_[i].position, expected[i].position) << "report " << i;
    }
}

} // namespace
} // namespace tellwick
