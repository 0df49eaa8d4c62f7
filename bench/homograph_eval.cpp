// How often the voice says the reading a person says, on the labelled sentences of the shared
// data, by 10-fold cross-validation (by sentence, stratified by homograph): each sentence is
// rewritten, prepared by the voice's front end with the model trained on the other nine folds,
// and listed as espeak-ng's phonemes exactly as `tellwick say --ipa` prints them (the sentence
// given whole); what is heard at the homograph is compared with each reading's IPA (vowels and
// main stress). Beside it: espeak-ng alone, and always the most frequent reading.
//
//   homograph_eval [--per-homograph N] [--fold N] [--perceptrons-only] [--misses] [DATA]
//
// --fold N (1 to 10) measures that fold alone, a tenth of the time; --perceptrons-only trains the
// former model (no naive Bayes nor shared verb model, every weight kept), to compare with.

#include "homograph_data.h"

#include "pronunciation/homograph_features.h"
#include "pronunciation/homograph_sounds.h"
#include "pronunciation/homograph_training.h"
#include "rewriter/respell.h"
#include "speech/phoneme_listing.h"

#include <QRegularExpression>
#include <QStringList>

#include <cstdio>
#include <cstring>
#include <limits>
#include <map>
#include <string>

using namespace tellwick;
using namespace tellwick::homographs;

namespace {

struct Tally {
    int voice = 0, engine = 0, frequent = 0, seen = 0;
    void add(const Tally& other) {
        voice += other.voice;
        engine += other.engine;
        frequent += other.frequent;
        seen += other.seen;
    }
};

int wordsBefore(std::u16string_view text, std::size_t position) {
    int words = 0;
    for (std::size_t at = 0; at < position && at < text.size();) {
        if (!isHomographWordUnit(text[at])) {
            ++at;
            continue;
        }
        ++words;
        at = homographWordEnd(text, at);
    }
    return words;
}

// The reading heard: among the words of the listing, the one nearest to some reading of the
// homograph (and, of equals, nearest to where the homograph stands), and the reading it is
// nearest to; -1 when it is as near to two.
int readingHeard(const QString& listing, double place, const std::vector<Sounds>& readings) {
    const QStringList words =
        listing.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    double best = std::numeric_limits<double>::infinity();
    int heard = -1;
    for (int i = 0; i < words.size(); ++i) {
        const Sounds sounds = soundsOf(words[i].toStdString());
        double nearest = std::numeric_limits<double>::infinity();
        for (const Sounds& reading : readings)
            nearest = std::min(nearest, distance(sounds, reading));
        const double score = nearest + 0.05 * std::abs(i - place * words.size());
        if (score < best) {
            best = score;
            heard = nearestReading(sounds, readings);
        }
    }
    return heard;
}

// Always espeak-ng's listing, whichever voice is the default: the readings' IPA is compared with
// espeak-ng's phonemes.
std::optional<QString> ipaListing(const std::u16string& text, const HomographReadings& readings) {
    QString error;
    const std::optional<QString> listing =
        phonemesOf(QString::fromStdU16String(text), 1, PhonemeAlphabet::Ipa, &error, readings,
                   QStringLiteral("espeak-ng-en"));
    if (!listing)
        std::fprintf(stderr, "homograph_eval: %s\n", qPrintable(error));
    return listing;
}

} // namespace

int main(int argc, char** argv) {
    std::string data = TELLWICK_HOMOGRAPH_DATA;
    int perHomograph = 0;
    bool misses = false;
    int onlyFold = -1;
    TrainingSettings settings;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--per-homograph") == 0 && i + 1 < argc)
            perHomograph = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--fold") == 0 && i + 1 < argc)
            onlyFold = std::atoi(argv[++i]) - 1;
        else if (std::strcmp(argv[i], "--perceptrons-only") == 0) {
            settings.naiveBayesWeight = 0.0;
            settings.sharedVerbWeight = 0.0;
            settings.smallestWeight = 1e-3f;
        } else if (std::strcmp(argv[i], "--misses") == 0)
            misses = true;
        else
            data = argv[i];
    }
    std::vector<ListedReading> listed;
    std::vector<LabelledSentence> sentences;
    if (!readData(data, perHomograph, &listed, &sentences, "homograph_eval"))
        return 1;
    const std::vector<ListedHomograph> homographs = homographsOf(listed);
    std::map<std::string, std::vector<Sounds>> soundsOfReadings;
    std::map<std::string, std::vector<std::string>> wordidsOf;
    for (const ListedReading& reading : listed) {
        soundsOfReadings[reading.homograph].push_back(soundsOf(reading.ipa));
        wordidsOf[reading.homograph].push_back(reading.wordid);
    }
    std::map<std::string, Tally> tallies;
    FoldTallies byFold{};
    for (int fold = 0; fold < 10; ++fold) {
        if (onlyFold >= 0 && fold != onlyFold)
            continue;
        std::vector<Example> training;
        std::map<std::string, std::map<std::string, int>> frequency;
        for (const LabelledSentence& sentence : sentences) {
            if (sentence.fold == fold)
                continue;
            ++frequency[sentence.homograph][sentence.spoken.wordid];
            if (sentence.found)
                training.push_back(sentence.spoken);
        }
        const Model model = train(homographs, training, settings);
        for (const LabelledSentence& sentence : sentences) {
            if (sentence.fold != fold)
                continue;
            const std::vector<std::string>& wordids = wordidsOf[sentence.homograph];
            const int truth =
                int(std::find(wordids.begin(), wordids.end(), sentence.spoken.wordid) -
                    wordids.begin());
            // Most frequent in the training folds; ties to the first listed.
            std::string frequent = wordids.front();
            for (const std::string& wordid : wordids) {
                if (frequency[sentence.homograph][wordid] > frequency[sentence.homograph][frequent])
                    frequent = wordid;
            }
            const std::u16string& spoken = sentence.spoken.text;
            const int words = std::max(1, wordsBefore(spoken, spoken.size()));
            const double place =
                sentence.found ? double(wordsBefore(spoken, sentence.spoken.start)) / words : 0.5;
            const std::optional<QString> voice = ipaListing(spoken, {false, &model});
            const std::optional<QString> engine = ipaListing(spoken, {true, nullptr});
            if (!voice || !engine)
                return 1;
            const std::vector<Sounds>& readings = soundsOfReadings[sentence.homograph];
            const int voiceHeard = readingHeard(*voice, place, readings);
            Tally& tally = tallies[sentence.homograph];
            tally.voice += voiceHeard == truth;
            byFold[std::size_t(fold)].first += voiceHeard == truth;
            ++byFold[std::size_t(fold)].second;
            tally.engine += readingHeard(*engine, place, readings) == truth;
            tally.frequent += frequent == sentence.spoken.wordid;
            ++tally.seen;
            if (misses && voiceHeard != truth)
                std::printf("miss\t%s\t%s\t%s\t%s\n", sentence.homograph.c_str(),
                            sentence.spoken.wordid.c_str(), sentence.sentence.c_str(),
                            qPrintable(voice->simplified()));
        }
    }
    const auto percent = [](int part, int whole) { return 100.0 * part / std::max(1, whole); };
    std::printf("%-14s %8s %8s %8s %6s\n", "homograph", "voice", "espeak", "frequent", "n");
    Tally total;
    for (const auto& [word, tally] : tallies) {
        std::printf(
            "%-14s %7.1f%% %7.1f%% %7.1f%% %6d%s\n", word.c_str(), percent(tally.voice, tally.seen),
            percent(tally.engine, tally.seen), percent(tally.frequent, tally.seen), tally.seen,
            tally.voice * 10 < (tally.frequent * 10 - tally.seen) ? "  below baseline" : "");
        total.add(tally);
    }
    printFoldSpread(byFold);
    std::printf("%-14s %7.2f%% %7.2f%% %7.2f%% %6d\n", "overall", percent(total.voice, total.seen),
                percent(total.engine, total.seen), percent(total.frequent, total.seen), total.seen);
    return 0;
}
