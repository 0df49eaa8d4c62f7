#include "pronunciation/homograph_model.h"
#include "pronunciation/homograph_pronunciations.h"
#include "pronunciation/homograph_sounds.h"
#include "speech/phoneme_listing.h"

#include <gtest/gtest.h>

#include <map>

namespace tellwick {
namespace {

using homographs::Pronunciation;

// Each reading's phonemes, said by espeak-ng through the voice's front end (a model that knows
// only that reading), sound nearer to that reading's IPA than to any other reading of the word.
TEST(HomographPronunciations, EachReadingIsHeardAsItself) {
    std::map<std::string, std::vector<const Pronunciation*>> byWord;
    for (const Pronunciation& pronunciation : homographs::pronunciations()) {
        const std::string_view wordid = pronunciation.wordid;
        byWord[std::string(wordid.substr(0, wordid.find('_')))].push_back(&pronunciation);
    }
    ASSERT_EQ(byWord.size(), 162u);
    for (const auto& [word, readings] : byWord) {
        std::vector<homographs::Sounds> intended;
        for (const Pronunciation* reading : readings)
            intended.push_back(homographs::soundsOf(reading->ipa));
        for (std::size_t r = 0; r < readings.size(); ++r) {
            const homographs::Model onlyThisReading({{std::u16string(word.begin(), word.end()),
                                                      {std::string(readings[r]->wordid)},
                                                      {},
                                                      {}}});
            QString error;
            const std::optional<QString> heard =
                phonemesOf(QString::fromStdString(word), 1, PhonemeAlphabet::Ipa, &error,
                           {false, &onlyThisReading}, QStringLiteral("espeak-ng-en"));
            ASSERT_TRUE(heard) << error.toStdString();
            EXPECT_EQ(
                homographs::nearestReading(homographs::soundsOf(heard->toStdString()), intended),
                int(r))
                << readings[r]->wordid << " said as " << heard->trimmed().toStdString();
        }
    }
}

} // namespace
} // namespace tellwick
