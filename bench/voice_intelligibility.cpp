// How well each voice is understood, how fast it synthesises and how soon it is heard. Every
// sentence of voice_sentences.txt is spoken by each voice that can speak here, at speed 0, into a
// file by `tellwick say --out`, brought to 16 kHz mono by sox and transcribed by pocketsphinx, an
// offline recogniser standing in for a listener. For each voice it reports:
// - the word error rate of the transcripts against the sentences (lower case, no punctuation,
//   words substituted, inserted and left out over the words of the sentences);
// - the synthesis time per second of audio: one `say --out` of all the sentences, less what
//   starting a `say` with a one-word text costs;
// - how soon the first piece of sound is heard: a reading started as Read starts one (a new voice
//   that speaks a sentence), timed to its first sound on a private sound server's null sink,
//   nothing else playing. The first reading of a voice loads it; the others show it loaded.
//
//   voice_intelligibility [--voice NAME]... [--transcripts]
//
// --voice measures only the voices named; --transcripts prints each sentence with what the
// recogniser heard.
#include "speech/system_voice.h"
#include "support/pulse_server.h"
#include "support/sound_clock.h"
#include "support/voices.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace tellwick {
namespace {

using Clock = SoundClock::Clock;
using namespace std::chrono_literals;

// What pocketsphinx's US English model was trained on.
constexpr int recogniserRate = 16000;
const QString recogniserModel = QStringLiteral("/usr/share/pocketsphinx/model/en-us/");
// Readings whose first sound is timed, one for each of the first sentences.
constexpr int firstSoundReadings = 10;
constexpr int startCostRuns = 3;

struct Options {
    QStringList voices;
    bool transcripts = false;
};

// Lower-case words without punctuation, as the recogniser writes them. An apostrophe is dropped
// (the recogniser's "don't" and a plain "dont" are one word); anything else that is neither a
// letter nor a digit parts words. Alternative pronunciations ("read(2)") are the word itself.
QStringList normalisedWords(QString text) {
    static const QRegularExpression alternative(QStringLiteral("\\(\\d+\\)"));
    static const QRegularExpression apostrophe(QStringLiteral("['\u2019]"));
    static const QRegularExpression separator(QStringLiteral("[^\\p{L}\\p{N}]+"));
    text = text.toLower().remove(alternative).remove(apostrophe);
    return text.split(separator, Qt::SkipEmptyParts);
}

// The fewest words substituted, inserted or left out that turn reference into heard.
int wordEdits(const QStringList& reference, const QStringList& heard) {
    std::vector<int> previous(std::size_t(heard.size()) + 1);
    std::vector<int> current(previous.size());
    for (std::size_t j = 0; j < previous.size(); ++j)
        previous[j] = int(j);
    for (qsizetype i = 1; i <= reference.size(); ++i) {
        current[0] = int(i);
        for (qsizetype j = 1; j <= heard.size(); ++j) {
            const int substitution =
                previous[std::size_t(j - 1)] + (reference[i - 1] == heard[j - 1] ? 0 : 1);
            current[std::size_t(j)] = std::min(
                {substitution, previous[std::size_t(j)] + 1, current[std::size_t(j - 1)] + 1});
        }
        std::swap(previous, current);
    }
    return previous.back();
}

// The lines of the sentences file that are neither empty nor comments.
QStringList loadSentences(const QString& path) {
    QFile file(path);
    QStringList sentences;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return sentences;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString sentence = line.trimmed();
        if (!sentence.isEmpty() && !sentence.startsWith(QLatin1Char('#')))
            sentences.append(sentence);
    }
    return sentences;
}

// Runs program to its end; the seconds it took, or nothing (with error set) when it failed.
std::optional<double> runToEnd(const QString& program, const QStringList& arguments,
                               QString* error) {
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    const bool finished = process.waitForFinished(10 * 60 * 1000);
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        *error = QStringLiteral("%1 %2 failed: %3")
                     .arg(program, arguments.join(QLatin1Char(' ')).left(200),
                          QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
        return std::nullopt;
    }
    return seconds;
}

// `tellwick say` with the voice, at speed 0, written to path by one process.
std::optional<double> sayToFile(const QString& voice, const QStringList& text, const QString& path,
                                QString* error) {
    const QStringList options{QStringLiteral("--rate"), QStringLiteral("0"),
                              QStringLiteral("--jobs"), QStringLiteral("1"),
                              QStringLiteral("--out"),  path};
    return runToEnd(QStringLiteral(TELLWICK_BINARY), sayArguments(voice, options + text), error);
}

std::optional<double> audioSeconds(const QString& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
    if (file == nullptr)
        return std::nullopt;
    sf_close(file);
    return double(info.frames) / info.samplerate;
}

// Headerless 16-bit mono samples at the recogniser's rate, as pocketsphinx_batch reads them.
bool resampleForRecogniser(const QString& from, const QString& to, QString* error) {
    return runToEnd(QStringLiteral("sox"),
                    {from, QStringLiteral("-r"), QString::number(recogniserRate),
                     QStringLiteral("-c"), QStringLiteral("1"), QStringLiteral("-b"),
                     QStringLiteral("16"), QStringLiteral("-e"), QStringLiteral("signed-integer"),
                     QStringLiteral("-t"), QStringLiteral("raw"), to},
                    error)
        .has_value();
}

// What the recogniser heard in each folder/ID.raw, by ID: one run loads the model once for all.
std::optional<QHash<QString, QString>> transcribe(const QString& folder, const QStringList& ids,
                                                  QString* error) {
    const QString list = folder + QStringLiteral("/utterances.ctl");
    const QString hypotheses = folder + QStringLiteral("/utterances.hyp");
    QFile listFile(list);
    if (!listFile.open(QIODevice::WriteOnly) ||
        listFile.write((ids.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()) < 0) {
        *error = QStringLiteral("cannot write %1").arg(list);
        return std::nullopt;
    }
    listFile.close();
    const QStringList arguments{
        QStringLiteral("-hmm"),      recogniserModel + QStringLiteral("en-us"),
        QStringLiteral("-lm"),       recogniserModel + QStringLiteral("en-us.lm.bin"),
        QStringLiteral("-dict"),     recogniserModel + QStringLiteral("cmudict-en-us.dict"),
        QStringLiteral("-samprate"), QString::number(recogniserRate),
        QStringLiteral("-adcin"),    QStringLiteral("yes"),
        QStringLiteral("-cepdir"),   folder,
        QStringLiteral("-cepext"),   QStringLiteral(".raw"),
        QStringLiteral("-ctl"),      list,
        QStringLiteral("-hyp"),      hypotheses,
        QStringLiteral("-logfn"),    QStringLiteral("/dev/null"),
    };
    if (!runToEnd(QStringLiteral("pocketsphinx_batch"), arguments, error))
        return std::nullopt;
    QFile hypothesisFile(hypotheses);
    if (!hypothesisFile.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("pocketsphinx_batch wrote no %1").arg(hypotheses);
        return std::nullopt;
    }
    // Each line: the words heard, then "(ID score)".
    static const QRegularExpression line(QStringLiteral("^(.*?)\\s*\\((\\S+)\\s+-?\\d+\\)\\s*$"));
    QHash<QString, QString> heard;
    for (const QString& text : QString::fromUtf8(hypothesisFile.readAll()).split('\n')) {
        const QRegularExpressionMatch match = line.match(text);
        if (match.hasMatch())
            heard.insert(match.captured(2), match.captured(1));
    }
    return heard;
}

struct VoiceReport {
    int referenceWords = 0;
    int edits = 0;
    double synthesisPerAudioSecond = 0;
    double startMilliseconds = 0;
    std::vector<double> firstSoundMilliseconds;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Every sentence spoken into a file of its own and transcribed; the word errors added up.
bool measureIntelligibility(const QString& voice, const QStringList& sentences,
                            const QString& folder, bool printTranscripts, VoiceReport* report,
                            QString* error) {
    QStringList ids;
    for (qsizetype i = 0; i < sentences.size(); ++i) {
        const QString id = QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
        const QString spoken = QStringLiteral("%1/%2.wav").arg(folder, id);
        if (!sayToFile(voice, {sentences[i]}, spoken, error) ||
            !resampleForRecogniser(spoken, QStringLiteral("%1/%2.raw").arg(folder, id), error))
            return false;
        ids.append(id);
    }
    const std::optional<QHash<QString, QString>> heard = transcribe(folder, ids, error);
    if (!heard)
        return false;
    for (qsizetype i = 0; i < sentences.size(); ++i) {
        const QStringList reference = normalisedWords(sentences[i]);
        const QStringList words = normalisedWords(heard->value(ids[i]));
        const int edits = wordEdits(reference, words);
        report->referenceWords += int(reference.size());
        report->edits += edits;
        if (printTranscripts)
            std::printf("%s %2d/%2d  %s\n%*s%s\n", qPrintable(ids[i]), edits, int(reference.size()),
                        qPrintable(reference.join(' ')), 12, "", qPrintable(words.join(' ')));
    }
    return true;
}

// All the sentences in one `say --out`, against the cost of a `say` that has next to nothing to
// synthesise.
bool measureSynthesisSpeed(const QString& voice, const QStringList& sentences,
                           const QString& folder, VoiceReport* report, QString* error) {
    std::vector<double> startCosts;
    for (int run = 0; run < startCostRuns; ++run) {
        const std::optional<double> seconds =
            sayToFile(voice, {QStringLiteral("Yes.")}, folder + QStringLiteral("/yes.wav"), error);
        if (!seconds)
            return false;
        startCosts.push_back(*seconds);
    }
    const QString textPath = folder + QStringLiteral("/sentences.txt");
    QFile text(textPath);
    if (!text.open(QIODevice::WriteOnly) || text.write(sentences.join('\n').toUtf8()) < 0) {
        *error = QStringLiteral("cannot write %1").arg(textPath);
        return false;
    }
    text.close();
    const QString spoken = folder + QStringLiteral("/sentences.wav");
    const std::optional<double> seconds =
        sayToFile(voice, {QStringLiteral("--file"), textPath}, spoken, error);
    if (!seconds)
        return false;
    const std::optional<double> audio = audioSeconds(spoken);
    if (!audio || *audio <= 0) {
        *error = QStringLiteral("%1 holds no sound").arg(spoken);
        return false;
    }
    const double start = median(startCosts);
    report->startMilliseconds = start * 1000;
    report->synthesisPerAudioSecond = std::max(0.0, *seconds - start) / *audio;
    return true;
}

// Readings of the first sentences, each stopped once its first sound is heard.
bool measureFirstSound(const QString& voice, const QStringList& sentences, SoundClock& clock,
                       VoiceReport* report, QString* error) {
    for (qsizetype i = 0; i < std::min(qsizetype(firstSoundReadings), sentences.size()); ++i) {
        if (!waitForSilence(clock, 300ms, 30s)) {
            *error = QStringLiteral("the null sink did not fall silent");
            return false;
        }
        const Clock::time_point start = Clock::now();
        std::unique_ptr<Voice> reading = makeSystemVoice(voice, error);
        if (!reading || !reading->setRate(0) || !reading->speak(sentences[i]))
            return false;
        const std::optional<Clock::time_point> heard = waitForSound(clock, start, 5s);
        reading.reset();
        if (!heard) {
            *error = QStringLiteral("no sound was heard within 5 s");
            return false;
        }
        report->firstSoundMilliseconds.push_back(inMilliseconds(*heard - start));
    }
    return true;
}

std::optional<Options> parseOptions(const QStringList& arguments) {
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QLatin1String("--voice") && i + 1 < arguments.size())
            options.voices.append(arguments[++i]);
        else if (arguments[i] == QLatin1String("--transcripts"))
            options.transcripts = true;
        else
            return std::nullopt;
    }
    if (options.voices.isEmpty())
        options.voices = availableVoiceNames();
    return options;
}

int run(const Options& options, SoundClock& clock) {
    const QStringList sentences = loadSentences(QStringLiteral(TELLWICK_VOICE_SENTENCES));
    if (sentences.isEmpty()) {
        std::fprintf(stderr, "voice_intelligibility: no sentences in %s\n",
                     TELLWICK_VOICE_SENTENCES);
        return 1;
    }
    std::printf("%d sentences, speed 0, transcribed at %d Hz by pocketsphinx\n\n",
                int(sentences.size()), recogniserRate);
    // The first sound of the first reading, which loads the voice, and the median of the others.
    std::printf("%-18s %6s %6s %16s %9s %16s %16s\n", "voice", "words", "WER %", "synth s/audio s",
                "start ms", "1st sound ms", "loaded: sound ms");
    int status = 0;
    for (const QString& voice : options.voices) {
        QTemporaryDir folder;
        VoiceReport report;
        QString error;
        if (!measureIntelligibility(voice, sentences, folder.path(), options.transcripts, &report,
                                    &error) ||
            !measureSynthesisSpeed(voice, sentences, folder.path(), &report, &error) ||
            !measureFirstSound(voice, sentences, clock, &report, &error)) {
            std::printf("%-18s failed: %s\n", qPrintable(voice), qPrintable(error));
            status = 1;
            continue;
        }
        const std::vector<double>& firstSounds = report.firstSoundMilliseconds;
        std::printf("%-18s %6d %6.1f %16.4f %9.0f %16.1f %16.1f\n", qPrintable(voice),
                    report.referenceWords, 100.0 * report.edits / report.referenceWords,
                    report.synthesisPerAudioSecond, report.startMilliseconds, firstSounds.front(),
                    median({firstSounds.begin() + 1, firstSounds.end()}));
        std::fflush(stdout);
    }
    return status;
}

} // namespace
} // namespace tellwick

int main(int argc, char** argv) {
    using namespace tellwick;
    PulseServer server;
    SoundClock clock;
    QString error;
    if (!listenToPrivateSink(server, clock, &error)) {
        std::fprintf(stderr, "voice_intelligibility: %s\n", qPrintable(error));
        return 1;
    }
    QCoreApplication application(argc, argv);
    const std::optional<Options> options = parseOptions(application.arguments());
    if (!options) {
        std::fprintf(stderr, "usage: voice_intelligibility [--voice NAME]... [--transcripts]\n");
        return 2;
    }
    return run(*options, clock);
}
