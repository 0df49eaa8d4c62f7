// Trains the voice's decision between the readings of each homograph on the labelled sentences
// of the shared data, and writes the model; or cross-validates it.
//
//   train_homographs DATA OUT.model [--per-homograph N]
//   train_homographs DATA --cross-validate [--epochs N] [--runs N] [--features GROUPS]
//                    [--naive-bayes WEIGHT] [--shared-verbs WEIGHT] [--shared-features GROUPS]
//                    [--no-sense-cues] [--misses]
//
// DATA is the folder that holds wordids.tsv and train/. The same data gives the same model, byte
// for byte. GROUPS is the sum of the FeatureGroup values to weigh, for trying others.
// --no-sense-cues measures the learned model alone: the cues were written from these sentences'
// misses, so with them the figure flatters the decision.

#include "homograph_data.h"

#include "pronunciation/homograph_model.h"
#include "pronunciation/homograph_training.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <string>

using namespace tellwick::homographs;

namespace {

std::vector<Example> examplesOf(const std::vector<LabelledSentence>& sentences, int leftOutFold) {
    std::vector<Example> examples;
    for (const LabelledSentence& sentence : sentences) {
        if (sentence.found && sentence.fold != leftOutFold)
            examples.push_back(sentence.spoken);
    }
    return examples;
}

// Accuracy of the decision alone (on the rewriter's output, before the voice), per homograph.
int crossValidate(const std::vector<ListedHomograph>& homographs,
                  const std::vector<LabelledSentence>& sentences, const TrainingSettings& settings,
                  bool senseCues, bool misses) {
    std::map<std::string, std::pair<int, int>> right; // homograph: decided right, seen
    int total = 0, correct = 0, byGrammar = 0, rightByGrammar = 0;
    FoldTallies byFold{};
    for (int fold = 0; fold < 10; ++fold) {
        Model model = train(homographs, examplesOf(sentences, fold), settings);
        model.useSenseCues(senseCues);
        for (const LabelledSentence& sentence : sentences) {
            if (sentence.fold != fold || !sentence.found)
                continue;
            const auto decision =
                model.decide(sentence.spoken.text, sentence.spoken.start, sentence.spoken.end);
            const bool ok = decision && decision->wordid() == sentence.spoken.wordid;
            if (decision && decision->byGrammar) {
                ++byGrammar;
                rightByGrammar += ok;
            }
            if (misses && !ok)
                std::printf("miss\t%s\t%s\t%s\t%s\n", sentence.homograph.c_str(),
                            sentence.spoken.wordid.c_str(),
                            decision ? decision->wordid().c_str() : "-", sentence.sentence.c_str());
            auto& [r, n] = right[sentence.homograph];
            r += ok;
            ++n;
            byFold[std::size_t(fold)].first += ok;
            ++byFold[std::size_t(fold)].second;
            correct += ok;
            ++total;
        }
    }
    for (const auto& [word, counts] : right)
        std::printf("%-14s %5.1f %%  (%d of %d)\n", word.c_str(),
                    100.0 * counts.first / counts.second, counts.first, counts.second);
    std::printf("by grammar     %5.2f %%  (%d of %d)\n",
                100.0 * rightByGrammar / std::max(1, byGrammar), rightByGrammar, byGrammar);
    printFoldSpread(byFold);
    std::printf("overall        %5.2f %%  (%d of %d)\n", 100.0 * correct / total, correct, total);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: train_homographs DATA OUT.model [--per-homograph N]\n"
                     "       train_homographs DATA --cross-validate [--epochs N] [--runs N] "
                     "[--features GROUPS] [--naive-bayes WEIGHT] [--shared-verbs WEIGHT] "
                     "[--shared-features GROUPS] [--no-sense-cues] [--misses]\n");
        return 2;
    }
    const std::string data = argv[1];
    int perHomograph = 0;
    bool crossValidating = false, misses = false, senseCues = true;
    TrainingSettings settings;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--per-homograph") == 0 && i + 1 < argc)
            perHomograph = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--epochs") == 0 && i + 1 < argc)
            settings.epochs = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--runs") == 0 && i + 1 < argc)
            settings.runs = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--features") == 0 && i + 1 < argc)
            settings.featureGroups = std::uint32_t(std::atoi(argv[++i])) | NeighbourFeatures;
        else if (std::strcmp(argv[i], "--naive-bayes") == 0 && i + 1 < argc)
            settings.naiveBayesWeight = std::atof(argv[++i]);
        else if (std::strcmp(argv[i], "--shared-verbs") == 0 && i + 1 < argc)
            settings.sharedVerbWeight = std::atof(argv[++i]);
        else if (std::strcmp(argv[i], "--shared-features") == 0 && i + 1 < argc)
            settings.sharedVerbFeatureGroups =
                std::uint32_t(std::atoi(argv[++i])) | NeighbourFeatures;
        else if (std::strcmp(argv[i], "--no-sense-cues") == 0)
            senseCues = false;
        else if (std::strcmp(argv[i], "--misses") == 0)
            misses = true;
        else if (std::strcmp(argv[i], "--cross-validate") == 0)
            crossValidating = true;
    }
    std::vector<ListedReading> listed;
    std::vector<LabelledSentence> sentences;
    if (!readData(data, perHomograph, &listed, &sentences, "train_homographs"))
        return 1;
    const std::vector<ListedHomograph> homographs = homographsOf(listed);
    if (crossValidating)
        return crossValidate(homographs, sentences, settings, senseCues, misses);
    const std::string bytes = train(homographs, examplesOf(sentences, -1), settings).serialise();
    std::ofstream out(argv[2], std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "train_homographs: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
