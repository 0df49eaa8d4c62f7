#include "pronunciation/homograph_training.h"

#include "pronunciation/homograph_features.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

namespace tellwick::homographs {

namespace {

struct Sample {
    std::vector<std::uint32_t> features;
    int reading;
};

// A small generator of its own, so that the order of the passes is the same with every standard
// library.
class Shuffler {
public:
    std::uint32_t next() {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return std::uint32_t(state_ >> 33);
    }
    void shuffle(std::vector<std::size_t>& order) {
        for (std::size_t i = order.size(); i > 1; --i)
            std::swap(order[i - 1], order[next() % i]);
    }

private:
    std::uint64_t state_ = 0x5EEDull;
};

// Adds to `weights` (a row of `count` for each feature) a multinomial naive Bayes model's log
// probabilities, each row less its mean: only the differences between readings decide, and a
// feature that says nothing then weighs nothing. The prior goes to the bias, every sample's first
// feature.
void addNaiveBayes(const std::vector<std::vector<std::size_t>>& rowsOf,
                   const std::vector<Sample>& samples, std::size_t count,
                   const TrainingSettings& settings, std::vector<double>* weights) {
    if (samples.empty() || settings.naiveBayesWeight <= 0.0)
        return;
    std::vector<double> counts(weights->size(), 0.0), perReading(count, 0.0), samplesOf(count, 0.0);
    for (std::size_t index = 0; index < samples.size(); ++index) {
        const std::size_t reading = std::size_t(samples[index].reading);
        ++samplesOf[reading];
        for (std::size_t row : rowsOf[index]) {
            ++counts[row + reading];
            ++perReading[reading];
        }
    }
    const double smoothing = settings.naiveBayesSmoothing;
    const double features = double(weights->size() / count);
    std::vector<double> logs(count);
    const auto addCentred = [&](std::size_t row) {
        const double mean = std::accumulate(logs.begin(), logs.end(), 0.0) / double(count);
        for (std::size_t r = 0; r < count; ++r)
            (*weights)[row + r] += settings.naiveBayesWeight * (logs[r] - mean);
    };
    for (std::size_t row = 0; row < weights->size(); row += count) {
        for (std::size_t r = 0; r < count; ++r)
            logs[r] =
                std::log((counts[row + r] + smoothing) / (perReading[r] + smoothing * features));
        addCentred(row);
    }
    for (std::size_t r = 0; r < count; ++r)
        logs[r] = std::log((samplesOf[r] + 1.0) / (double(samples.size()) + double(count)));
    addCentred(rowsOf[0][0]);
}

// Averaged perceptrons over the samples, averaged, and naive Bayes beside them.
Model::Homograph trainOne(const ListedHomograph& entry, const std::vector<Sample>& samples,
                          const std::vector<std::string>& readings,
                          const TrainingSettings& settings) {
    const std::size_t count = readings.size();
    // Each feature's row, its place among the features of the samples used (so that the rows
    // come out in the features' order), looked up once for each sample rather than each pass.
    std::vector<std::uint32_t> features;
    for (const Sample& sample : samples)
        features.insert(features.end(), sample.features.begin(), sample.features.end());
    std::sort(features.begin(), features.end());
    features.erase(std::unique(features.begin(), features.end()), features.end());
    std::vector<std::vector<std::size_t>> rowsOf(samples.size());
    for (std::size_t index = 0; index < samples.size(); ++index) {
        for (std::uint32_t feature : samples[index].features)
            rowsOf[index].push_back(
                std::size_t(std::lower_bound(features.begin(), features.end(), feature) -
                            features.begin()) *
                count);
    }
    // The perceptron's average is still swayed by the order it meets the sentences in; the
    // averages of several orders are averaged.
    std::vector<double> averaged(features.size() * count, 0.0);
    Shuffler shuffler;
    for (int run = 0; run < settings.runs; ++run) {
        // Weights, their sums over time for the average, and when each was last changed.
        std::vector<double> weights(features.size() * count), totals(weights.size());
        std::vector<long> stamps(weights.size());
        long step = 0;
        const auto update = [&](std::size_t at, double change) {
            totals[at] += double(step - stamps[at]) * weights[at];
            stamps[at] = step;
            weights[at] += change;
        };
        std::vector<std::size_t> order(samples.size());
        std::iota(order.begin(), order.end(), 0);
        std::vector<double> scores(count);
        for (int epoch = 0; epoch < settings.epochs; ++epoch) {
            shuffler.shuffle(order);
            for (std::size_t index : order) {
                ++step;
                std::fill(scores.begin(), scores.end(), 0.0);
                for (std::size_t row : rowsOf[index]) {
                    for (std::size_t r = 0; r < count; ++r)
                        scores[r] += weights[row + r];
                }
                // Ties go to the most frequent reading, as in the decision.
                std::size_t guess = 0;
                for (std::size_t r = 1; r < count; ++r) {
                    if (scores[r] > scores[guess])
                        guess = r;
                }
                const int reading = samples[index].reading;
                if (int(guess) == reading)
                    continue;
                for (std::size_t row : rowsOf[index]) {
                    update(row + std::size_t(reading), 1.0);
                    update(row + guess, -1.0);
                }
            }
        }
        for (std::size_t at = 0; at < averaged.size() && step > 0; ++at)
            averaged[at] += (totals[at] + double(step - stamps[at]) * weights[at]) / double(step) /
                            settings.runs;
    }
    addNaiveBayes(rowsOf, samples, count, settings, &averaged);
    Model::Homograph homograph;
    homograph.word.assign(entry.word.begin(), entry.word.end());
    homograph.readings = readings;
    homograph.featureGroups = settings.featureGroups;
    for (std::size_t row = 0; row < features.size(); ++row) {
        const auto first = averaged.begin() + std::ptrdiff_t(row * count);
        if (std::none_of(first, first + std::ptrdiff_t(count), [&](double weight) {
                return std::fabs(float(weight)) >= settings.smallestWeight;
            }))
            continue;
        homograph.features.push_back(features[row]);
        for (auto weight = first; weight != first + std::ptrdiff_t(count); ++weight)
            homograph.weights.push_back(float(*weight));
    }
    homograph.prepare();
    return homograph;
}

// The model of a verb's place shared by the homographs: the verb reading against the others,
// with the weights of the words around only. The bias, the verbs' share of all the sentences, is
// left out: how often each homograph is a verb its own model knows.
Model::Homograph verbModel(const std::vector<Sample>& samples, const TrainingSettings& settings) {
    const std::vector<std::string> readings = {"verb", "other"};
    TrainingSettings shared = settings;
    shared.featureGroups = settings.sharedVerbFeatureGroups;
    shared.smallestWeight = settings.sharedVerbSmallestWeight;
    Model::Homograph verbs = trainOne({"", readings}, samples, readings, shared);
    const std::uint32_t bias = samples.front().features.front();
    for (std::size_t row = 0; row < verbs.features.size(); ++row) {
        for (std::size_t r = 0; r < 2; ++r)
            verbs.weights[row * 2 + r] =
                verbs.features[row] == bias
                    ? 0.0f
                    : float(verbs.weights[row * 2 + r] * settings.sharedVerbWeight);
    }
    verbs.prepare();
    return verbs;
}

} // namespace

Model train(const std::vector<ListedHomograph>& homographs, const std::vector<Example>& examples,
            const TrainingSettings& settings) {
    std::map<std::string, std::vector<const Example*>> byWord;
    std::map<std::string, std::string> wordOfReading;
    for (const ListedHomograph& entry : homographs) {
        for (const std::string& wordid : entry.wordids)
            wordOfReading[wordid] = entry.word;
    }
    for (const Example& example : examples) {
        const auto word = wordOfReading.find(example.wordid);
        if (word != wordOfReading.end())
            byWord[word->second].push_back(&example);
    }
    std::vector<Model::Homograph> trained;
    std::vector<Sample> verbSamples;
    for (const ListedHomograph& entry : homographs) {
        const std::vector<const Example*>& mine = byWord[entry.word];
        std::vector<std::string> readings = entry.wordids;
        std::map<std::string, int> frequency;
        for (const Example* example : mine)
            ++frequency[example->wordid];
        std::stable_sort(readings.begin(), readings.end(),
                         [&](const std::string& a, const std::string& b) {
                             return frequency[a] > frequency[b];
                         });
        std::vector<Sample> samples(mine.size());
        for (std::size_t i = 0; i < mine.size(); ++i) {
            const Example& example = *mine[i];
            samples[i].reading =
                int(std::find(readings.begin(), readings.end(), example.wordid) - readings.begin());
            featuresOf(example.text, example.start, example.end,
                       neighbourhoodOf(example.text, example.start, example.end),
                       settings.featureGroups, &samples[i].features);
        }
        trained.push_back(trainOne(entry, samples, readings, settings));
        const int verb = trained.back().sharedVerbReading;
        if (verb < 0)
            continue;
        for (std::size_t i = 0; i < mine.size(); ++i) {
            const Example& example = *mine[i];
            Sample& sample = verbSamples.emplace_back();
            sample.reading = samples[i].reading == verb ? 0 : 1;
            featuresOf(example.text, example.start, example.end,
                       neighbourhoodOf(example.text, example.start, example.end),
                       settings.sharedVerbFeatureGroups, &sample.features);
        }
    }
    if (settings.sharedVerbWeight <= 0.0 || verbSamples.empty())
        return Model(std::move(trained));
    return Model(std::move(trained), verbModel(verbSamples, settings));
}

} // namespace tellwick::homographs
