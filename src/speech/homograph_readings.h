#pragma once

#include <QStringView>

#include <optional>
#include <string>

namespace tellwick {

namespace homographs {
class Model;
struct Pronunciation;
} // namespace homographs

// Who decides the reading of a homograph that the rewriter copied unchanged: the voice, from the
// words around it (with the model that ships, or another one), or espeak-ng by itself.
struct HomographReadings {
    bool byEngine = false;
    const homographs::Model* model = nullptr; // null: the model that ships
};

// The model that ships with Tellwick (data/homographs.model beside the help page), loaded on
// first use; null, after one message on standard error, when it is missing or damaged: every
// homograph is then left to espeak-ng. TELLWICK_HOMOGRAPH_MODEL names another file.
const homographs::Model* shippedHomographModel();
// Starts loading the model on a thread of its own, so that the first sound does not wait for it.
void preloadHomographModel();

// The reading chosen for the homograph text[start, end), and whether the word is its possessive
// ("the sow's milk"); nothing where the engine's own reading stands.
struct DecidedHomograph {
    const homographs::Pronunciation* pronunciation;
    bool possessive;
};
std::optional<DecidedHomograph> decidedHomograph(QStringView text, qsizetype start, qsizetype end,
                                                 const HomographReadings& readings);

// The phonemes (espeak-ng's phoneme input) of the reading chosen for the homograph
// text[start, end), or empty where espeak-ng's own reading stands.
std::string homographPhonemes(QStringView text, qsizetype start, qsizetype end,
                              const HomographReadings& readings);

} // namespace tellwick
