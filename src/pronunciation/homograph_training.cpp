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

Model::Homograph trainOne(const ListedHomograph& entry, const std::vector<Sample>& samples,
                          const std::vector<std::string>& readings, int epochs) {
    const std::size_t count = readings.size();
    // Weights, their sums over time for the average, and when each was last changed.
    std::map<std::uint32_t, std::size_t> rows;
    std::vector<double> weights, totals;
    std::vector<long> stamps;
    const auto rowOf = [&](std::uint32_t feature) {
        const auto [it, added] = rows.emplace(feature, rows.size());
        if (added) {
            weights.resize(weights.size() + count, 0.0);
            totals.resize(totals.size() + count, 0.0);
            stamps.resize(stamps.size() + count, 0);
        }
        return it->second * count;
    };
    long step = 0;
    const auto update = [&](std::size_t at, double change) {
        totals[at] += double(step - stamps[at]) * weights[at];
        stamps[at] = step;
        weights[at] += change;
    };
    std::vector<std::size_t> order(samples.size());
    std::iota(order.begin(), order.end(), 0);
    Shuffler shuffler;
    std::vector<double> scores(count);
    for (int epoch = 0; epoch < epochs; ++epoch) {
        shuffler.shuffle(order);
        for (std::size_t index : order) {
            ++step;
            const Sample& sample = samples[index];
            std::fill(scores.begin(), scores.end(), 0.0);
            for (std::uint32_t feature : sample.features) {
                const std::size_t row = rowOf(feature);
                for (std::size_t r = 0; r < count; ++r)
                    scores[r] += weights[row + r];
            }
            // Ties go to the most frequent reading, as in the decision.
            std::size_t guess = 0;
            for (std::size_t r = 1; r < count; ++r) {
                if (scores[r] > scores[guess])
                    guess = r;
            }
            if (int(guess) == sample.reading)
                continue;
            for (std::uint32_t feature : sample.features) {
                const std::size_t row = rows.at(feature) * count;
                update(row + std::size_t(sample.reading), 1.0);
                update(row + guess, -1.0);
            }
        }
    }
    Model::Homograph homograph;
    homograph.word.assign(entry.word.begin(), entry.word.end());
    homograph.readings = readings;
    for (const auto& [feature, row] : rows) {
        std::vector<float> averaged(count);
        bool any = false;
        for (std::size_t r = 0; r < count; ++r) {
            const std::size_t at = row * count + r;
            const double total = totals[at] + double(step - stamps[at]) * weights[at];
            averaged[r] = step > 0 ? float(total / double(step)) : 0.0f;
            // Weights this small never turn a decision; leaving them out keeps the model small.
            any = any || std::fabs(averaged[r]) >= 1e-3f;
        }
        if (!any)
            continue;
        homograph.features.push_back(feature);
        homograph.weights.insert(homograph.weights.end(), averaged.begin(), averaged.end());
    }
    return homograph;
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
        std::vector<Sample> samples;
        samples.reserve(mine.size());
        for (const Example* example : mine) {
            const int reading = int(std::find(readings.begin(), readings.end(), example->wordid) -
                                    readings.begin());
            samples.push_back({featuresOf(example->text, example->start, example->end), reading});
        }
        trained.push_back(trainOne(entry, samples, readings, settings.epochs));
    }
    return Model(std::move(trained));
}

} // namespace tellwick::homographs
