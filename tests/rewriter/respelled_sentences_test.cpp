#include "respell_cases.h"

#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace tellwick {
namespace {

using testing::printable;

struct GoldenCase {
    int line;
    std::u16string input;
    std::u16string expected;
};

// Reads the quoted field that starts at or after at; nothing when the line holds none.
std::optional<std::string> quoted(const std::string& line, std::size_t& at) {
    at = line.find_first_not_of(' ', at);
    if (at == std::string::npos || line[at] != '"')
        return std::nullopt;
    std::string field;
    for (++at; at < line.size() && line[at] != '"'; ++at) {
        if (line[at] != '\\' || at + 1 == line.size()) {
            field += line[at];
            continue;
        }
        const char escaped = line[++at];
        field += escaped == 'r' ? '\r' : escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
    }
    if (at == line.size())
        return std::nullopt;
    ++at;
    return field;
}

std::vector<GoldenCase> readGoldenFile(const std::string& path) {
    std::ifstream file(path);
    std::vector<GoldenCase> cases;
    std::string line;
    for (int number = 1; std::getline(file, line); ++number) {
        std::size_t at = 0;
        const std::optional<std::string> input = quoted(line, at);
        const std::optional<std::string> expected = input ? quoted(line, at) : std::nullopt;
        if (input && expected && line.find_first_not_of(' ', at) == std::string::npos) {
            cases.push_back(
                {number, {input->begin(), input->end()}, {expected->begin(), expected->end()}});
            continue;
        }
        const auto first = line.find_first_not_of(' ');
        EXPECT_TRUE(first == std::string::npos || line[first] == '#')
            << path << ":" << number << ": neither a case nor a comment";
    }
    return cases;
}

TEST(RespelledSentences, MatchTheGoldenFile) {
    const std::string path = TELLWICK_TEST_DIR "/rewriter/respelled_sentences.txt";
    const std::vector<GoldenCase> cases = readGoldenFile(path);
    ASSERT_GT(cases.size(), 100u) << path;
    for (const GoldenCase& c : cases) {
        EXPECT_EQ(printable(respellText(c.input)), printable(c.expected))
            << path << ":" << c.line << ": input '" << printable(c.input) << "'";
    }
}

// Where a word starts, what a row consumes, and the end of the text decide what the next row and
// the next word see.
TEST(RespelledSentences, WordStartsConsumptionAndTheTextsEnd) {
    struct Case {
        const char* name;
        std::u16string_view input;
        std::u16string_view expected;
    };
    const Case cases[] = {
        {"a consumed space starts no word", u"ad AD ", u"add AD "},
        {"a consumed space leaves the next word unstarted", u"mi covert", u"me covert"},
        {"a word starts after an underscore", u"_ad ", u"_add "},
        {"a word starts after an accented letter", u"\u00e9ad ", u"\u00e9add "},
        {"a word starts after a digit", u"5bn", u"5 billion "},
        {"millions after a digit", u"5mn", u"5 million "},
        {"trillions after a digit", u"3tn", u"3 trillion "},
        {"a row needs no space after it", u"bnx", u" billion x"},
        {"the text's start starts a word", u"mn", u" million "},
        {"no word starts inside a word", u"oI'll", u"oI'll"},
        {"an exact row keeps the rest for the scan", u"CO2", u"C O2"},
        {"an exact row ignores lower case", u"co2", u"co2"},
        {"the text's end counts as below A", u"EM", u"electromagnetic"},
        {"a digit counts as below A", u"fe2", u"fey2"},
        {"a row's context past the text's end fails", u"op", u"op"},
        {"the \"is.\" rows compare from where a fired row left", u"IIS.", u"IS ."},
        {"the \"is.\" rows replace a fired row's piece", u"iiis.", u"is ."},
        {"the \"is.\" rows need a previous character below A", u"_ii", u"_2,"},
        {"the \"is.\" rows do not run after an underscore", u"_is.", u"_is."},
        {"a consumed word leaves its first letter to the next decider", u"and/or live",
         u"and or lyyve"},
        {"an unconsumed word is the next decider's previous word", u"andor live", u"andor liv"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(printable(respellText(c.input)), printable(c.expected)) << c.name;
}

} // namespace
} // namespace tellwick
