#include "rewriter/respell.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <span>
#include <string>
#include <vector>

// Properties of the whole rewriter over thousands of seeded random texts. The texts are built from
// the words the rules look for, the neighbours the deciders listen to, and the characters the
// general rules treat specially, so that most rules fire somewhere in every run.
namespace tellwick {
namespace {

using Pieces = std::span<const std::u16string_view>;

constexpr std::u16string_view ruleWords[] = {u"and/or",       u"arithmetic",
                                             u"analgesic",    u"ad",
                                             u"al jazeera",   u"al-qaeda",
                                             u"ak-47s",       u"ak-47",
                                             u"bribery",      u"breathed",
                                             u"bn",           u"cause it",
                                             u"co-author",    u"copyright",
                                             u"CO2",          u"despicable",
                                             u"Dr.",          u"DR.",
                                             u"EM",           u"e.u.'s",
                                             u"e.u.-",        u"Fe",
                                             u"few",          u"gal/",
                                             u"GMT",          u"hola",
                                             u"hearten",      u"invalid",
                                             u"iphone",       u"ids",
                                             u"isis",         u"I'll",
                                             u"II",           u"III",
                                             u"IV",           u"ivy",
                                             u"is.",          u"IS.",
                                             u"IIS.",         u"iiis.",
                                             u"jan",          u"January",
                                             u"kinder",       u"livestock",
                                             u"livestream",   u"livelihood",
                                             u"lived",        u"lively",
                                             u"liver",        u"live",
                                             u"lives",        u"leading",
                                             u"leader",       u"lead-contaminated",
                                             u"lead",         u"learned",
                                             u"l.a",          u"LAX",
                                             u"minute",       u"minutes",
                                             u"multiply",     u"Mr.",
                                             u"mrs.",         u"Mm",
                                             u"mi",           u"5mn",
                                             u"mnemonic",     u"no.",
                                             u"No.5",         u"NOAA",
                                             u"NYT",          u"N.Y.",
                                             u"N. Y.",        u"out",
                                             u"outside",      u"op-ed",
                                             u"op",           u"obama",
                                             u"ph.d",         u"Ph.D.",
                                             u"paypal",       u"per se",
                                             u"project",      u"present",
                                             u"record",       u"records",
                                             u"read",         u"reading",
                                             u"resume",       u"resumed",
                                             u"router",       u"Real",
                                             u"Reality",      u"respite",
                                             u"Sun.",         u"sat.",
                                             u"sole",         u"shone",
                                             u"sow",          u"sowing",
                                             u"sread",        u"speechifying",
                                             u"Tao",          u"Taj",
                                             u"Tel.",         u"3tn",
                                             u"Tse",          u"U.S.-led",
                                             u"u.k.-",        u"U.S.'s",
                                             u"US's",         u"u.k.'s",
                                             u"ups",          u"Upset",
                                             u"UPS",          u"vegan",
                                             u"v/s",          u"vis-a-vis",
                                             u"Wed.",         u"windfall",
                                             u"windjammer",   u"wounded",
                                             u"wounding",     u"wound",
                                             u"wounds",       u"wind",
                                             u"Wi-Fi",        u"WWI",
                                             u"WWII",         u"World War III",
                                             u"World War II", u"World War I",
                                             u"World War IV", u"Xi",
                                             u"yogananda",    u"zebra",
                                             u"quiet",        u"A",
                                             u"plan A."};

// Neighbours that the deciders and the context rows listen to.
constexpr std::u16string_view neighbourWords[] = {
    u"my",      u"their", u"the",     u"a",       u"band",       u"music",  u"is",
    u"are",     u"we",    u"will",    u"save",    u"s",          u"pipes",  u"from",
    u"she",     u"much",  u"with",    u"amounts", u"they",       u"an",     u"i",
    u"you",     u"no",    u"all",     u"some",    u"so",         u"please", u"to",
    u"ve",      u"ive",   u"working", u"again",   u"but",        u"seeds",  u"good",
    u"friends", u"up",    u"tightly", u"was",     u"deep",       u"friend", u"disabled",
    u"his",     u"for",   u"don't",   u"people",  u"children's", u"I've",   u"i\u2019ve"};

// Characters and short strings that the general rules react to, and characters beyond ASCII.
constexpr std::u16string_view marks[] = {u"3.14",
                                         u"$3.50",
                                         u"$",
                                         u"9/11",
                                         u"19/11",
                                         u"12",
                                         u"1234",
                                         u"12345",
                                         u"0",
                                         u"9",
                                         u"-5",
                                         u"+7",
                                         u"[",
                                         u"]",
                                         u"[12]",
                                         u"[note 4]",
                                         u"(",
                                         u")",
                                         u"\u2014",
                                         u"-",
                                         u"\u00b2",
                                         u"\u00b3",
                                         u"\u2026",
                                         u"...",
                                         u"?-",
                                         u"!-",
                                         u"?",
                                         u"!",
                                         u"\u00e9",
                                         u"caf\u00e9",
                                         u"\u4e2d\u6587",
                                         u"\xd800",
                                         u"\xdc00",
                                         u"x\xd83d\xde00",
                                         u"_",
                                         u"{",
                                         u"~",
                                         u"'",
                                         u"\""};

constexpr std::u16string_view separators[] = {
    u" ",    u" ",      u" ",  u" ",  u"",    u"  ", u", ",     u". ",     u".",         u",",
    u"\r\n", u"\n",     u"\r", u"-",  u" - ", u"'",  u"\u2019", u"(",      u") ",        u"[",
    u"] ",   u"\u2014", u"?",  u"! ", u"$",   u"\t", u"/",      u"\n\r\n", u"\r\n12\r\n"};

constexpr std::u16string_view heteronyms[] = {
    u"live", u"lives",  u"lead", u"learned", u"minute",  u"project", u"present",  u"record",
    u"read", u"resume", u"sow",  u"wound",   u"invalid", u"out",     u"multiply", u"arithmetic"};

// A word that starts with Q or Z opens no letter group, and a letter inside a word is never at a
// word start, so these words, the characters below, and these separators pass every rule.
constexpr std::u16string_view quietWords[] = {u"zq",    u"qz",     u"zebra", u"quiet", u"Quartz",
                                              u"ZAP",   u"zAlIvE", u"quAd",  u"zq_zq", u"z{q}~s",
                                              u"Zoo'z", u"qi",     u"zed"};
constexpr std::u16string_view quietMarks[] = {u"\u4e2d\u6587", u"\u00e9", u"\xd800", u"\xdc00",
                                              u"42",           u"9",      u"1999",   u"$",
                                              u"$42",          u"z9",     u"_",      u"~"};
constexpr std::u16string_view quietSeparators[] = {u" ",  u" ",  u"  ", u", ", u"; ", u": ",
                                                   u"! ", u". ", u"\t", u"'",  u"\"", u""};
constexpr std::u16string_view quietLineBreaks[] = {u"\r\n", u"\n", u"\r"};

class TextMaker {
public:
    explicit TextMaker(unsigned seed) : rng(seed) {}

    bool coin() { return std::uniform_int_distribution<int>(0, 1)(rng) == 1; }

    std::u16string_view pick(Pieces pieces) {
        return pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(rng)];
    }

    // Rule words come as written, capitalised or in capitals.
    std::u16string word() {
        const int kind = std::uniform_int_distribution<int>(0, 9)(rng);
        std::u16string w(kind < 4   ? pick(ruleWords)
                         : kind < 8 ? pick(neighbourWords)
                                    : pick(marks));
        const int casing = std::uniform_int_distribution<int>(0, 5)(rng);
        if (casing == 0)
            std::ranges::transform(w, w.begin(), upper);
        else if (casing == 1 && !w.empty())
            w[0] = upper(w[0]);
        return w;
    }

    std::u16string anyText(int tokens) {
        std::u16string text;
        for (int i = 0; i < tokens; ++i) {
            text += word();
            text += pick(separators);
        }
        return text;
    }

    std::u16string quietText(int tokens, bool lineBreaks) {
        std::u16string text;
        bool afterLineFeed = false;
        for (int i = 0; i < tokens; ++i) {
            // A number straight after a line feed could be a page number to blank out.
            std::u16string_view token = coin() ? pick(quietWords) : pick(quietMarks);
            while (afterLineFeed && token.front() >= u'0' && token.front() <= u'9')
                token = pick(quietMarks);
            text += token;
            const auto separator = lineBreaks && std::uniform_int_distribution<int>(0, 4)(rng) == 0
                                       ? pick(quietLineBreaks)
                                       : pick(quietSeparators);
            text += separator;
            afterLineFeed = !separator.empty() && separator.back() == u'\n';
        }
        return text;
    }

    // Two neighbours at the end of a text: a refresh at the first leaves the second as the next
    // word, and the second refreshes nothing when it starts with a letter that has no refresh.
    std::u16string leftoverContext() {
        if (coin())
            return {};
        return std::u16string(pick(neighbourWords)) + u' ' + std::u16string(pick(neighbourWords));
    }

    // A heteronym first, so that its decider runs before any refresh of the text it starts.
    std::u16string heteronymFirst() {
        if (coin())
            return {};
        return std::u16string(pick(heteronyms)) + std::u16string(pick(separators));
    }

    RespellOptions options() { return {.linesAsSpaces = coin(), .skipBracketed = coin()}; }

    int tokenCount() { return std::uniform_int_distribution<int>(0, 60)(rng); }

private:
    static char16_t upper(char16_t c) { return (c >= u'a' && c <= u'z') ? c - (u'a' - u'A') : c; }

    std::mt19937 rng;
};

constexpr unsigned textsPerProperty = 3000;

// The widest piece, " squared " for one character, bounds how much the output can grow.
constexpr std::size_t widestPiecePerCharacter = 9;

TEST(RespellProperty, EndsAndGivesTheSameOutputTwice) {
    for (unsigned seed = 0; seed < textsPerProperty; ++seed) {
        TextMaker maker(seed);
        const auto text = maker.anyText(maker.tokenCount());
        const auto options = maker.options();
        const auto first = respellText(text, options);
        const auto second = respellText(text, options);
        ASSERT_EQ(first, second) << "seed " << seed;
        ASSERT_LE(first.size(), widestPiecePerCharacter * text.size()) << "seed " << seed;
    }
}

TEST(RespellProperty, TextThatNoRuleTouchesComesOutUnchanged) {
    for (unsigned seed = 0; seed < textsPerProperty; ++seed) {
        TextMaker maker(10000 + seed);
        const auto options = maker.options();
        // Ticked, the line-break box turns every line break into a space.
        const auto text = maker.quietText(maker.tokenCount(), !options.linesAsSpaces);
        ASSERT_EQ(respellText(text, options), text) << "seed " << seed;
    }
}

bool hasOpenSquareBracket(std::u16string_view text) {
    const auto open = text.rfind(u'[');
    return open != std::u16string_view::npos && text.find(u']', open) == std::u16string_view::npos;
}

// Three spaces leave the scanner as it starts: no rule reads or consumes across two of them, and
// the word before them can no longer be anyone's previous word. A carriage return right after
// them would make a number before them a page number, and a "]" after them would close a
// bracketed passage opened before them.
TEST(RespellProperty, ThreeSpacesCutTheTextIntoIndependentParts) {
    for (unsigned seed = 0; seed < textsPerProperty; ++seed) {
        TextMaker maker(20000 + seed);
        const auto options = maker.options();
        const auto head = maker.anyText(maker.tokenCount()) + maker.leftoverContext() + u"   ";
        auto tail = maker.heteronymFirst() + maker.anyText(maker.tokenCount());
        if (!tail.empty() && tail.front() == u'\r')
            tail.front() = u'z';
        if (options.skipBracketed && hasOpenSquareBracket(head))
            std::erase(tail, u']');
        ASSERT_EQ(respellText(head + tail, options),
                  respellText(head, options) + respellText(tail, options))
            << "seed " << seed;
    }
}

// Each box steers the rules for its own characters only.
TEST(RespellProperty, EachBoxMattersOnlyForItsOwnCharacters) {
    for (unsigned seed = 0; seed < textsPerProperty; ++seed) {
        TextMaker maker(30000 + seed);
        auto text = maker.anyText(maker.tokenCount());
        const bool lineBreaks = maker.coin();
        std::erase_if(
            text, [&](char16_t c) { return lineBreaks ? c == u'\r' || c == u'\n' : c == u'['; });
        RespellOptions ticked;
        RespellOptions unticked;
        (lineBreaks ? unticked.linesAsSpaces : unticked.skipBracketed) = false;
        ASSERT_EQ(respellText(text, ticked), respellText(text, unticked))
            << "seed " << seed << (lineBreaks ? " line breaks" : " square brackets");
    }
}

// Gives a streamed rewrite the whole text in one part.
std::function<bool(std::u16string&)> wholeAtOnce(const std::u16string& text) {
    return [&text](std::u16string& window) {
        window += text;
        return false;
    };
}

std::vector<std::size_t> sourcesOf(const MappedRespelling& mapped) {
    std::vector<std::size_t> sources;
    for (std::size_t i = 0; i < mapped.text.size(); ++i)
        sources.push_back(mapped.map.sourceOf(i));
    return sources;
}

// The mapped and the streamed rewrite give exactly respellText's output; the map has one entry per
// output unit, never goes back, and points into the input.
TEST(RespellProperty, MappedAndStreamedOutputsAreTheWholeRewrite) {
    for (unsigned seed = 0; seed < textsPerProperty; ++seed) {
        TextMaker maker(40000 + seed);
        const auto options = maker.options();
        auto text = maker.anyText(maker.tokenCount());
        // Now and then a text long enough to be handed over in several pieces.
        if (seed % 500 == 0)
            while (text.size() < 3 * respelledPieceUnits)
                text += maker.anyText(60);
        const auto expected = respellText(text, options);
        const MappedRespelling mapped = respellTextMapped(text, options);
        ASSERT_EQ(mapped.text, expected) << "seed " << seed;
        const auto sources = sourcesOf(mapped);
        ASSERT_TRUE(std::ranges::is_sorted(sources)) << "seed " << seed;
        ASSERT_TRUE(sources.empty() || sources.back() < text.size()) << "seed " << seed;
        ASSERT_EQ(mapped.map.sourceOf(expected.size()), text.size()) << "seed " << seed;
        std::u16string joined;
        respellTextStream(wholeAtOnce(text), options, [&](std::u16string_view piece) {
            EXPECT_LE(piece.size(), respelledPieceUnits);
            joined += piece;
            return true;
        });
        ASSERT_EQ(joined, expected) << "seed " << seed;
    }
}

// Read a window at a time and parted at independent lines, a text of many lines is rewritten
// exactly as a whole; the windows stay small wherever the text can be parted.
TEST(RespellProperty, StreamedOutputIsTheWholeRewriteAndHoldsLittle) {
    constexpr std::u16string_view lineEnds[] = {u".\n", u". \n", u"!\n",   u"?\r\n",
                                                u"\n",  u"\r\n", u".\n\n", u"-\n"};
    int parted = 0;
    for (unsigned seed = 0; seed < textsPerProperty / 3; ++seed) {
        TextMaker maker(50000 + seed);
        const auto options = maker.options();
        std::u16string text;
        while (text.size() < 6000) {
            text += maker.anyText(maker.tokenCount() / 4);
            text += maker.pick(lineEnds);
            if (maker.coin())
                text += u"The ";
        }
        const std::size_t windowUnits = 600 + seed % 300;
        const std::size_t partUnits = 1 + seed % 97;
        std::size_t given = 0;
        std::size_t largestWindow = 0;
        std::u16string streamed;
        respellTextStream(
            [&](std::u16string& window) {
                window.append(text, given, partUnits);
                given = std::min(text.size(), given + partUnits);
                largestWindow = std::max(largestWindow, window.size());
                return given < text.size();
            },
            options,
            [&](std::u16string_view piece) {
                streamed += piece;
                return true;
            },
            windowUnits);
        ASSERT_EQ(streamed, respellText(text, options)) << "seed " << seed;
        parted += largestWindow < text.size() / 2;
    }
    EXPECT_GT(parted, int(textsPerProperty / 6));
}

// A piece maps to the start of what it replaced; copied characters map to themselves.
TEST(RespellMap, PointsEachOutputUnitBackToItsInput) {
    struct MapCase {
        std::u16string_view input;
        std::u16string_view output;
        std::vector<std::size_t> sources;
    };
    const MapCase cases[] = {
        {u"Dr. Li", u"doctor Li", {0, 0, 0, 0, 0, 0, 3, 4, 5}},
        {u"see [12] it", u"see   it", {0, 1, 2, 3, 4, 8, 9, 10}},
        {u"", u"", {}},
    };
    for (const MapCase& c : cases) {
        const MappedRespelling mapped = respellTextMapped(c.input);
        EXPECT_EQ(mapped.text, c.output);
        EXPECT_EQ(sourcesOf(mapped), c.sources);
    }
}

// A sink that answers false is given nothing more.
TEST(RespellMap, StreamedRewriteStopsWhenTheSinkDeclines) {
    const std::u16string text(3 * respelledPieceUnits, u'z');
    int pieces = 0;
    respellTextStream(wholeAtOnce(text), {}, [&](std::u16string_view) { return ++pieces < 2; });
    EXPECT_EQ(pieces, 2);
}

} // namespace
} // namespace tellwick
