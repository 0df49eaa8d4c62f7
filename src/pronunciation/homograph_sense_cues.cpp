#include "pronunciation/homograph_sense_cues.h"

#include "pronunciation/homograph_features.h"

namespace tellwick::homographs {

namespace {

enum class Side { Before, After };

struct SenseCue {
    std::u16string_view homograph; // lower case
    Side side;
    std::u16string_view neighbour; // lower case
    std::string_view wordid;
};

// The metal, by what is made of it or done to it, and by its states.
constexpr SenseCue senseCues[] = {
    {u"lead", Side::Before, u"molten", "lead_nou"},
    {u"lead", Side::Before, u"liquid", "lead_nou"},
    {u"lead", Side::Before, u"metallic", "lead_nou"},
    {u"lead", Side::Before, u"tetraethyl", "lead_nou"},
    {u"lead", Side::After, u"pipe", "lead_nou"},
    {u"lead", Side::After, u"pipes", "lead_nou"},
    {u"lead", Side::After, u"piping", "lead_nou"},
    {u"lead", Side::After, u"paint", "lead_nou"},
    {u"lead", Side::After, u"poisoning", "lead_nou"},
    {u"lead", Side::After, u"ore", "lead_nou"},
    {u"lead", Side::After, u"ores", "lead_nou"},
    {u"lead", Side::After, u"mine", "lead_nou"},
    {u"lead", Side::After, u"mines", "lead_nou"},
    {u"lead", Side::After, u"mining", "lead_nou"},
    {u"lead", Side::After, u"oxide", "lead_nou"},
    {u"lead", Side::After, u"shot", "lead_nou"},
    {u"lead", Side::After, u"bullets", "lead_nou"},
    {u"lead", Side::After, u"weights", "lead_nou"},
    {u"lead", Side::After, u"crystal", "lead_nou"},
    {u"lead", Side::After, u"acid", "lead_nou"},
    {u"lead", Side::After, u"alloy", "lead_nou"},
    {u"lead", Side::After, u"smelter", "lead_nou"},
    {u"lead", Side::After, u"smelting", "lead_nou"},
    // The animal, by what is said of a pig.
    {u"sow", Side::Before, u"breeding", "sow_nou"},
    {u"sow", Side::Before, u"pregnant", "sow_nou"},
    {u"sow", Side::Before, u"covered", "sow_nou"},
    {u"sow", Side::Before, u"old", "sow_nou"},
    {u"sow", Side::After, u"farrowed", "sow_nou"},
    {u"sow", Side::After, u"farrowing", "sow_nou"},
    // The plant named after it.
    {u"sow", Side::After, u"thistle", "sow_nou"},
    {u"sow", Side::After, u"thistles", "sow_nou"},
    // Wire, thread and springs are wound (past of "wind"), and wound up, around or round.
    {u"wound", Side::Before, u"loosely", "wound_vrb"},
    {u"wound", Side::Before, u"tightly", "wound_vrb"},
    {u"wound", Side::Before, u"spirally", "wound_vrb"},
    {u"wound", Side::After, u"up", "wound_vrb"},
    {u"wound", Side::After, u"around", "wound_vrb"},
    {u"wound", Side::After, u"round", "wound_vrb"},
};

bool isSpaceUnit(char16_t unit) {
    return unit == u' ' || unit == u'\t' || unit == u'\r' || unit == u'\n' || unit == 0xA0;
}

bool equalsFolded(std::u16string_view word, std::u16string_view lower) {
    if (word.size() != lower.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const char16_t unit = word[i] >= u'A' && word[i] <= u'Z' ? char16_t(word[i] + 32) : word[i];
        if (unit != lower[i])
            return false;
    }
    return true;
}

// The word just before start, or just after end, across spaces only.
std::u16string_view wordBefore(std::u16string_view text, std::size_t start) {
    std::size_t end = start;
    while (end > 0 && isSpaceUnit(text[end - 1]))
        --end;
    std::size_t begin = end;
    while (begin > 0 && isHomographWordUnit(text[begin - 1]))
        --begin;
    return text.substr(begin, end - begin);
}

std::u16string_view wordAfter(std::u16string_view text, std::size_t end) {
    std::size_t begin = end;
    while (begin < text.size() && isSpaceUnit(text[begin]))
        ++begin;
    std::size_t after = begin;
    while (after < text.size() && isHomographWordUnit(text[after]))
        ++after;
    return text.substr(begin, after - begin);
}

} // namespace

std::string_view readingByNeighbour(std::u16string_view text, std::size_t start, std::size_t end) {
    const std::u16string_view word = text.substr(start, end - start);
    std::u16string_view before, after;
    bool looked = false;
    for (const SenseCue& cue : senseCues) {
        if (!equalsFolded(word, cue.homograph))
            continue;
        if (!looked) {
            before = wordBefore(text, start);
            after = wordAfter(text, end);
            looked = true;
        }
        if (equalsFolded(cue.side == Side::Before ? before : after, cue.neighbour))
            return cue.wordid;
    }
    return {};
}

} // namespace tellwick::homographs
