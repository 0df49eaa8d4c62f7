#include "homograph_data.h"

#include "pronunciation/homograph_features.h"
#include "pronunciation/homograph_model.h"
#include "pronunciation/homograph_training.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace tellwick::homographs {
namespace {

std::string bytesOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// Training is deterministic: the first three sentences of each homograph of the shared data give
// the committed model byte for byte (train_homographs DATA slice.model --per-homograph 3).
TEST(HomographModel, TrainingRebuildsTheCommittedSlice) {
    const std::string data = TELLWICK_HOMOGRAPH_DATA;
    std::vector<Example> examples;
    for (const LabelledSentence& sentence : readSentences(data + "/train", 3)) {
        if (sentence.found)
            examples.push_back(sentence.spoken);
    }
    const std::string trained =
        train(homographsOf(readReadings(data + "/wordids.tsv")), examples).serialise();
    EXPECT_TRUE(trained == bytesOf(TELLWICK_TEST_DIR "/pronunciation/slice.model"));
}

// Naive Bayes learns from every sentence, also those the perceptron reads right: alone (no
// perceptron runs), it tells a line of seats from a quarrel by the words it saw with each.
TEST(HomographTraining, NaiveBayesAloneReadsByTheWordsSeenWithEachReading) {
    const auto exampleOf = [](std::u16string text, std::string wordid) {
        const std::size_t start = text.find(u"row");
        return Example{std::move(text), start, start + 3, std::move(wordid)};
    };
    const std::vector<Example> examples = {
        exampleOf(u"They sat in the front row of the theatre.", "row_1"),
        exampleOf(u"The houses stood in a neat row along the street.", "row_1"),
        exampleOf(u"We watched them row the boat across the lake.", "row_1"),
        exampleOf(u"The ministers had a bitter row over the budget.", "row_2"),
        exampleOf(u"A public row broke out between the two parties.", "row_2"),
        exampleOf(u"The row with his brother ended their friendship.", "row_2"),
    };
    TrainingSettings settings;
    settings.runs = 0;
    const Model model = train({{"row", {"row_1", "row_2"}}}, examples, settings);
    const struct {
        const char* name;
        std::u16string text;
        const char* wordid;
    } rows[] = {
        {"seats", u"Our seats were in the front row near the stage.", "row_1"},
        {"boat", u"They learnt to row a boat on the lake.", "row_1"},
        {"quarrel", u"A fierce row over the budget split the parties.", "row_2"},
    };
    for (const auto& row : rows) {
        const Example example = exampleOf(row.text, "");
        std::vector<std::uint32_t> features;
        featuresOf(example.text, example.start, example.end,
                   neighbourhoodOf(example.text, example.start, example.end),
                   settings.featureGroups, &features);
        EXPECT_EQ(model.homographs()[0].decide(GrammaticalPlace::Unknown, features).wordid(),
                  row.wordid)
            << row.name;
    }
}

// The homographs with a verb reading share what a verb's place looks like: "extract", never
// seen after "then" and before "the", is read as the verb there because "insert" was. Without
// the shared model it takes its more frequent reading, the noun. The shared model is kept in
// the file.
TEST(HomographTraining, AVerbsPlaceLearnedFromOneHomographServesAnother) {
    const auto exampleOf = [](std::u16string text, std::u16string_view word, std::string wordid) {
        const std::size_t start = text.find(word);
        return Example{std::move(text), start, start + word.size(), std::move(wordid)};
    };
    const std::vector<Example> examples = {
        exampleOf(u"Surgeons then insert the needle.", u"insert", "insert_vrb"),
        exampleOf(u"Workers then insert the card.", u"insert", "insert_vrb"),
        exampleOf(u"Engineers then insert the tube.", u"insert", "insert_vrb"),
        exampleOf(u"Nurses then insert the drip.", u"insert", "insert_vrb"),
        exampleOf(u"The magazine insert was glossy.", u"insert", "insert_nou"),
        exampleOf(u"Vanilla extract is sweet.", u"extract", "extract_nou"),
        exampleOf(u"Yeast extract was added.", u"extract", "extract_nou"),
        exampleOf(u"Malt extract gives flavour.", u"extract", "extract_nou"),
        exampleOf(u"Miners extract ore from rock.", u"extract", "extract_vrb"),
    };
    const std::vector<ListedHomograph> homographs = {{"insert", {"insert_nou", "insert_vrb"}},
                                                     {"extract", {"extract_nou", "extract_vrb"}}};
    const std::u16string text = u"Chemists then extract the oil.";
    const std::size_t start = text.find(u"extract");
    const struct {
        const char* name;
        double sharedWeight;
        const char* wordid;
    } rows[] = {{"shared", 0.5, "extract_vrb"}, {"alone", 0.0, "extract_nou"}};
    for (const auto& row : rows) {
        TrainingSettings settings;
        settings.sharedVerbWeight = row.sharedWeight;
        settings.sharedVerbSmallestWeight = 0.1f;
        std::string error;
        const std::optional<Model> model =
            Model::deserialise(train(homographs, examples, settings).serialise(), &error);
        ASSERT_TRUE(model) << error;
        EXPECT_EQ(model->verbs().has_value(), row.sharedWeight > 0) << row.name;
        const auto decision = model->decide(text, start, start + 7);
        ASSERT_TRUE(decision) << row.name;
        EXPECT_EQ(decision->wordid(), row.wordid) << row.name;
    }
}

// A model file that is not whole is refused with the cause, never half read.
TEST(HomographModel, ADamagedFileIsRefused) {
    const std::string whole = bytesOf(TELLWICK_TEST_DIR "/pronunciation/slice.model");
    ASSERT_GT(whole.size(), 100u);
    std::string flipped = whole;
    flipped[whole.size() / 2] ^= 0x20;
    std::string foreign = whole;
    foreign[0] = 'X';
    const struct {
        const char* name;
        std::string bytes;
        const char* error;
    } rows[] = {
        {"empty", "", "not a homograph model of this version"},
        {"another file", foreign, "not a homograph model of this version"},
        {"cut short", whole.substr(0, whole.size() - 7), "checksum"},
        {"one bit changed", flipped, "checksum"},
    };
    for (const auto& row : rows) {
        std::string error;
        EXPECT_FALSE(Model::deserialise(row.bytes, &error)) << row.name;
        EXPECT_NE(error.find(row.error), std::string::npos) << row.name << ": " << error;
    }
    std::string error;
    EXPECT_FALSE(Model::load(TELLWICK_TEST_DIR "/pronunciation/no such.model", &error));
    EXPECT_NE(error.find("cannot open"), std::string::npos) << error;
    EXPECT_TRUE(Model::deserialise(whole, &error)) << error;
}

// A sentence's words are hashed once for all its homographs: a homograph at the same place of a
// sentence that differs only in a word far from it still has that word among its features.
TEST(HomographFeatures, EachSentenceGivesItsOwnWords) {
    const auto features = [](std::u16string_view text) {
        std::vector<std::uint32_t> found;
        featuresOf(text, 4, 7, neighbourhoodOf(text, 4, 7), NeighbourFeatures | SentenceWords,
                   &found);
        return found;
    };
    const std::u16string_view violin = u"The bow was drawn across the violin strings.";
    const std::u16string_view vessel = u"The bow was drawn across the vessel strings.";
    const std::vector<std::uint32_t> afterVessel = features(vessel);
    const std::vector<std::uint32_t> afterViolin = features(violin);
    EXPECT_NE(afterViolin, afterVessel);
    features(u"An unrelated sentence about nothing.");
    EXPECT_EQ(features(vessel), afterVessel);
    EXPECT_EQ(features(violin), afterViolin);
}

} // namespace
} // namespace tellwick::homographs
