#pragma once

#include "pronunciation/homograph_features.h"
#include "pronunciation/homograph_model.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tellwick::homographs {

// A labelled sentence: the text the voice is given (the rewriter's output), where the homograph
// stands in it, and the reading a person says there.
struct Example {
    std::u16string text;
    std::size_t start = 0, end = 0;
    std::string wordid;
};

// A homograph and all its readings (wordids), as the data lists them.
struct ListedHomograph {
    std::string word;
    std::vector<std::string> wordids;
};

struct TrainingSettings {
    int epochs = 12;
    // Perceptrons trained on the sentences in different orders, whose weights are averaged.
    int runs = 5;
    // The groups of features weighed (FeatureGroup), chosen by cross-validation.
    std::uint32_t featureGroups = NeighbourFeatures | SentenceWords | SentenceTense;
    // How much a naive Bayes model's log-odds weigh beside the perceptrons' weights (0: the
    // perceptrons alone), and the count added to every feature's count in each reading. Naive
    // Bayes learns from every sentence, the perceptron only from those it misreads; on a
    // hundred sentences a homograph the two together generalise better than either.
    double naiveBayesWeight = 1.0;
    double naiveBayesSmoothing = 0.1;
    // A feature whose every weight is below this is left out of the model: it keeps the model
    // small, and so few weights this small turn a decision that leaving them out costs nothing.
    float smallestWeight = 0.6f;
    // How much a model of a verb's place shared by all the homographs with a plain verb reading,
    // and learned from all their sentences, weighs beside each one's own model (0: none). A
    // homograph has a hundred sentences; together they have thousands, which tell a verb's place
    // from a noun's better than any one homograph's.
    double sharedVerbWeight = 0.5;
    // The features it weighs: the words around, not the topic, which is each homograph's own.
    std::uint32_t sharedVerbFeatureGroups = NeighbourFeatures;
    // Its weights left out below this: it has many more rare features than any one homograph.
    float sharedVerbSmallestWeight = 2.0f;
};

// Trains a linear model per homograph on the examples: the average of averaged perceptrons, plus
// a naive Bayes model's weights (both are linear in the same features, so one table holds them).
// Deterministic: the same examples in the same order give the same model, bit for bit. Each
// homograph's readings are ordered most frequent first (ties in the order given), which is what the
// model falls back to.
Model train(const std::vector<ListedHomograph>& homographs, const std::vector<Example>& examples,
            const TrainingSettings& settings = {});

} // namespace tellwick::homographs
