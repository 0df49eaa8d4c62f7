#pragma once

#include "pronunciation/homograph_features.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tellwick::homographs {

// The learned decision for every homograph: for each, its readings and a linear model (an
// averaged perceptron) over the features of homograph_features.h. Read-only once built, so one
// model serves every thread.
class Model {
public:
    struct Decision;
    struct Homograph {
        std::u16string word;                 // lower case
        std::vector<std::string> readings;   // wordids; the first is the most frequent
        std::vector<std::uint32_t> features; // sorted
        std::vector<float> weights;          // features.size() × readings.size()
        // The groups of features weighed (FeatureGroup); the others are not looked for.
        std::uint32_t featureGroups = NeighbourFeatures | SentenceWords;
        // The reading that a plain verb's or noun's place chooses, where it chooses one; -1 else.
        int verbReading = -1, nounReading = -1, pastReading = -1;
        // The verb reading that the shared model of a verb's place speaks for: a reading that is
        // only a verb where no other is a verb or a past ("insert", not "wound" or "read"); -1.
        int sharedVerbReading = -1;
        // Where each feature's row is: an open-addressed table of the feature and its row + 1
        // (0 for an empty slot), side by side so that a look-up reads one place.
        struct Slot {
            std::uint32_t feature, row;
        };
        std::vector<Slot> rowIndex{};

        // Finds the grammar's readings and indexes the features; once the weights are set.
        void prepare();
        // The reading that the place chooses (see grammaticalPlace), or -1.
        int readingOfPlace(GrammaticalPlace place) const;
        // Adds each reading's weights for the features found to `scores`.
        void addScores(const std::vector<std::uint32_t>& found, double* scores) const;
        // The reading that the place (Unknown where it is not to decide) or else the scores of
        // the features choose; the most frequent where the scores do not part the readings.
        // `verbs`, where given, adds what the words around say of a verb's place to the verb
        // reading's score.
        Decision decide(GrammaticalPlace place, const std::vector<std::uint32_t>& features,
                        const Homograph* verbs = nullptr) const;
    };

    struct Decision {
        const Homograph* homograph;
        int reading;
        double margin;  // the chosen reading's score above the next one's; 0 when unsure
        bool byGrammar; // chosen by the grammar of the words before, not by the scores
        const std::string& wordid() const { return homograph->readings[std::size_t(reading)]; }
    };

    // `verbs` is a model of a verb's place shared by every homograph that has a plain verb
    // reading (sharedVerbReading; its readings: the verb, the other), learned from all their
    // sentences together; its word is empty. Without it each homograph is decided by its own model
    // alone.
    explicit Model(std::vector<Homograph> homographs, std::optional<Homograph> verbs = {});
    // The index holds views of the homographs' words, which a move keeps and a copy would not.
    Model(Model&&) = default;
    Model& operator=(Model&&) = default;
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // The homograph spelt `word` (any case), or null.
    const Homograph* find(std::u16string_view word) const;
    // The reading of the homograph text[start, end), or nothing when the word is none. A plain
    // verb's or noun's place (see grammaticalPlace) decides where one reading fits it; else the
    // scores, and where they do not part the readings, the most frequent reading.
    std::optional<Decision> decide(std::u16string_view text, std::size_t start,
                                   std::size_t end) const;

    // Whether the sense cues (homograph_sense_cues.h) may settle a reading before the scores; on
    // unless measuring the learned model alone, as the cues were written from the sentences it
    // is measured on.
    void useSenseCues(bool used) { senseCuesUsed_ = used; }

    const std::vector<Homograph>& homographs() const { return homographs_; }
    const std::optional<Homograph>& verbs() const { return verbs_; }
    std::size_t bytesInMemory() const;

    // The model as a file's bytes, and back. A file that is not a whole model written by this
    // version, or whose checksum fails, gives nothing and says why in error.
    std::string serialise() const;
    static std::optional<Model> deserialise(std::string_view bytes, std::string* error);
    static std::optional<Model> load(const std::string& path, std::string* error);

private:
    std::vector<Homograph> homographs_;
    std::optional<Homograph> verbs_;
    std::unordered_map<std::u16string_view, std::size_t> index_;
    std::size_t longestWord_ = 0;
    bool senseCuesUsed_ = true;
    // For each first letter, the lengths of the homographs that begin with it (bit n for n
    // letters): most words of a text are turned away by this alone.
    std::array<std::uint64_t, 26> lengthsByFirstLetter_{};
};

} // namespace tellwick::homographs
