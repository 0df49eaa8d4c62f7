// How often the voice says the reading a person says, on the labelled sentences of the shared
// data, by 10-fold cross-validation (by sentence, stratified by homograph): each sentence is
// rewritten, prepared by the voice's front end with the model trained on the other nine folds,
// and listed in the IPA exactly as `tellwick say --ipa --voice NAME` prints it (the sentence
// given whole); what is heard at the homograph is compared with each reading's IPA (vowels and
// main stress). Beside it: the voice's engine alone, and always the most frequent reading.
//
//   homograph_eval [--voice NAME] [--per-homograph N] [--fold N] [--perceptrons-only] [--misses]
//                  [DATA]
//
// --voice NAME lists with that voice (default: the program's default voice); espeak-ng-en's
// listing is in espeak-ng's IPA, flite's and festival's in the IPA of US dictionaries, and both
// are compared alike. --fold N (1 to 10) measures that fold alone, a tenth of the time;
// --perceptrons-only trains the former model (no naive Bayes nor shared verb model, every weight
// kept), to compare with.

#include "homograph_data.h"

#include "pronunciation/homograph_features.h"
#include "pronunciation/homograph_sounds.h"
#include "pronunciation/homograph_training.h"
#include "rewriter/respell.h"
#include "speech/phoneme_listing.h"
#include "speech/voice_catalogue.h"

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

QStringList wordsOf(const QString& listing) {
    return listing.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

// Where the homograph is looked for among the words of a listing: at `word`, each word away from
// it costing `weight`.
struct Place {
    double word = 0;
    double weight = 0;
};

// The reading heard: among the words of the listing, the one nearest to some reading of the
// homograph (and, of equals, nearest to its place), and the reading it is nearest to; -1 when it
// is as near to two.
int readingHeard(const QString& listing, Place place, const std::vector<Sounds>& readings) {
    const QStringList words = wordsOf(listing);
    double best = std::numeric_limits<double>::infinity();
    int heard = -1;
    for (int i = 0; i < words.size(); ++i) {
        const Sounds sounds = soundsOf(words[i].toStdString());
        double nearest = std::numeric_limits<double>::infinity();
        for (const Sounds& reading : readings)
            nearest = std::min(nearest, distance(sounds, reading));
        const double score = nearest + place.weight * std::abs(i - place.word);
        if (score < best) {
            best = score;
            heard = nearestReading(sounds, readings);
        }
    }
    return heard;
}

std::optional<QString> ipaListing(const std::u16string& text, const HomographReadings& readings,
                                  const QString& voice) {
    QString error;
    const std::optional<QString> listing = phonemesOf(
        QString::fromStdU16String(text), 1, PhonemeAlphabet::Ipa, &error, readings, voice);
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
    QString voiceName = defaultVoiceName();
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--per-homograph") == 0 && i + 1 < argc)
            perHomograph = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--fold") == 0 && i + 1 < argc)
            onlyFold = std::atoi(argv[++i]) - 1;
        else if (std::strcmp(argv[i], "--voice") == 0 && i + 1 < argc)
            voiceName = QString::fromLocal8Bit(argv[++i]);
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
            const std::optional<QString> voice = ipaListing(spoken, {false, &model}, voiceName);
            const std::optional<QString> engine = ipaListing(spoken, {true, nullptr}, voiceName);
            // The homograph's word is the one after the words the voice lists for the text before
            // it, give or take the words the voice splits or joins there. A homograph the rewriter
            // respelled has no place in the text: it is found by its sounds alone.
            const std::optional<QString> before =
                sentence.found ? ipaListing(spoken.substr(0, sentence.spoken.start),
                                            {true, nullptr}, voiceName)
                               : QString();
            if (!voice || !engine || !before)
                return 1;
            const Place place = sentence.found ? Place{double(wordsOf(*before).size()), 0.3}
                                               : Place{double(wordsOf(*voice).size()) / 2, 0.05};
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
    std::printf("%s\n%-14s %8s %8s %8s %6s\n", qPrintable(voiceName), "homograph", "voice",
                "engine", "frequent", "n");
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
