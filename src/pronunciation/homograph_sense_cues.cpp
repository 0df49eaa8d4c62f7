#include "pronunciation/homograph_sense_cues.h"

#include "pronunciation/homograph_features.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace tellwick::homographs {

namespace {

// Where the cue is: the word just before or after (across spaces; the rewriter has made the
// hyphens of compounds spaces), the homograph's own capital (a title or a name, "Read This
// Next"; within a sentence, not at its start, a name), a name just before it (a capitalised word
// within the sentence, "Daggs read"), or any word of its sentence (the topic).
enum class Side { Before, After, Capitalised, CapitalisedWithin, AfterName, InSentence };

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
    {u"wound", Side::InSentence, u"coil", "wound_vrb"},
    {u"wound", Side::InSentence, u"coils", "wound_vrb"},
    {u"wound", Side::InSentence, u"wire", "wound_vrb"},
    {u"wound", Side::InSentence, u"wires", "wound_vrb"},
    {u"wound", Side::InSentence, u"thread", "wound_vrb"},
    {u"wound", Side::InSentence, u"spindle", "wound_vrb"},
    {u"wound", Side::InSentence, u"reel", "wound_vrb"},
    {u"wound", Side::InSentence, u"reels", "wound_vrb"},
    {u"wound", Side::InSentence, u"spring", "wound_vrb"},
    {u"wound", Side::InSentence, u"springs", "wound_vrb"},
    {u"wound", Side::InSentence, u"bobbin", "wound_vrb"},
    {u"wound", Side::InSentence, u"yarn", "wound_vrb"},
    {u"wound", Side::InSentence, u"pickup", "wound_vrb"},
    // Sowing is told by what is sown, the field and the harvest; the animal by its kin.
    {u"sow", Side::Before, u"self", "sow"},
    {u"sow", Side::InSentence, u"seed", "sow"},
    {u"sow", Side::InSentence, u"seeds", "sow"},
    {u"sow", Side::InSentence, u"crop", "sow"},
    {u"sow", Side::InSentence, u"crops", "sow"},
    {u"sow", Side::InSentence, u"fields", "sow"},
    {u"sow", Side::InSentence, u"harvest", "sow"},
    {u"sow", Side::InSentence, u"reap", "sow"},
    {u"sow", Side::InSentence, u"plow", "sow"},
    {u"sow", Side::InSentence, u"plough", "sow"},
    {u"sow", Side::InSentence, u"till", "sow"},
    {u"sow", Side::InSentence, u"pig", "sow_nou"},
    {u"sow", Side::InSentence, u"pigs", "sow_nou"},
    {u"sow", Side::InSentence, u"piglets", "sow_nou"},
    {u"sow", Side::InSentence, u"boar", "sow_nou"},
    {u"sow", Side::InSentence, u"swine", "sow_nou"},
    {u"sow", Side::InSentence, u"litter", "sow_nou"},
    // The bending bow, and the ship's, by what is said of them; the archer's, the violinist's
    // and the knot by theirs; a capital "Bow" is the place in London or a river.
    {u"bow", Side::Before, u"deep", "bow_nou-ship"},
    {u"bow", Side::Before, u"slight", "bow_nou-ship"},
    {u"bow", Side::Before, u"kneeling", "bow_nou-ship"},
    {u"bow", Side::Before, u"impressive", "bow_nou-ship"},
    {u"bow", Side::Before, u"bulbous", "bow_nou-ship"},
    {u"bow", Side::Before, u"port", "bow_nou-ship"},
    {u"bow", Side::Before, u"starboard", "bow_nou-ship"},
    {u"bow", Side::After, u"down", "bow_nou-ship"},
    {u"bow", Side::After, u"wow", "bow_nou-ship"},
    {u"bow", Side::After, u"wow's", "bow_nou-ship"},
    {u"bow", Side::After, u"thruster", "bow_nou-ship"},
    {u"bow", Side::After, u"thrusters", "bow_nou-ship"},
    {u"bow", Side::After, u"waves", "bow_nou-ship"},
    {u"bow", Side::After, u"tie", "bow_nou-knot"},
    {u"bow", Side::After, u"ties", "bow_nou-knot"},
    {u"bow", Side::After, u"saws", "bow_nou-knot"},
    {u"bow", Side::After, u"hunting", "bow_nou-knot"},
    {u"bow", Side::Capitalised, u"", "bow_nou-knot"},
    {u"bow", Side::InSentence, u"stern", "bow_nou-ship"},
    {u"bow", Side::InSentence, u"hull", "bow_nou-ship"},
    {u"bow", Side::InSentence, u"ship", "bow_nou-ship"},
    {u"bow", Side::InSentence, u"ships", "bow_nou-ship"},
    {u"bow", Side::InSentence, u"prow", "bow_nou-ship"},
    {u"bow", Side::InSentence, u"keel", "bow_nou-ship"},
    {u"bow", Side::InSentence, u"waterline", "bow_nou-ship"},
    {u"bow", Side::InSentence, u"thruster", "bow_nou-ship"},
    {u"bow", Side::InSentence, u"thrusters", "bow_nou-ship"},
    {u"bow", Side::InSentence, u"arrow", "bow_nou-knot"},
    {u"bow", Side::InSentence, u"arrows", "bow_nou-knot"},
    {u"bow", Side::InSentence, u"quiver", "bow_nou-knot"},
    {u"bow", Side::InSentence, u"archery", "bow_nou-knot"},
    {u"bow", Side::InSentence, u"string", "bow_nou-knot"},
    {u"bow", Side::InSentence, u"strings", "bow_nou-knot"},
    {u"bow", Side::InSentence, u"violin", "bow_nou-knot"},
    {u"bow", Side::InSentence, u"violinist", "bow_nou-knot"},
    {u"bow", Side::InSentence, u"weapon", "bow_nou-knot"},
    // Axes of wood and stone by their makers' other tools and weapons; the plural of "axis" by
    // geometry, rotation and the stems of plants.
    {u"axes", Side::InSentence, u"knives", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"swords", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"spears", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"spear", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"machetes", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"tools", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"weapons", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"weapon", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"hatchet", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"hatchets", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"blade", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"blades", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"trees", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"polished", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"flint", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"bronze", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"iron", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"stone", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"hand", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"battle", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"daggers", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"arrowheads", "axes_nou-vrb"},
    {u"axes", Side::InSentence, u"symmetry", "axes_nou"},
    {u"axes", Side::InSentence, u"sporangia", "axes_nou"},
    {u"axes", Side::InSentence, u"branching", "axes_nou"},
    {u"axes", Side::InSentence, u"coordinate", "axes_nou"},
    {u"axes", Side::InSentence, u"coordinates", "axes_nou"},
    {u"axes", Side::InSentence, u"rotation", "axes_nou"},
    {u"axes", Side::InSentence, u"graph", "axes_nou"},
    {u"axes", Side::InSentence, u"vertical", "axes_nou"},
    {u"axes", Side::InSentence, u"horizontal", "axes_nou"},
    {u"axes", Side::InSentence, u"stems", "axes_nou"},
    {u"axes", Side::InSentence, u"dimensions", "axes_nou"},
    {u"axes", Side::InSentence, u"principal", "axes_nou"},
    {u"axes", Side::InSentence, u"orthogonal", "axes_nou"},
    {u"axes", Side::InSentence, u"perpendicular", "axes_nou"},
    {u"axes", Side::InSentence, u"plane", "axes_nou"},
    {u"axes", Side::InSentence, u"ellipse", "axes_nou"},
    {u"axes", Side::InSentence, u"crystal", "axes_nou"},
    // "Reading" within a sentence with a capital is the town, its university or its club.
    {u"reading", Side::CapitalisedWithin, u"", "reading_geo"},
    // Pasty as a texture, before what has it or after a verb of becoming or a degree.
    {u"pasty", Side::Before, u"too", "pasty_adj"},
    {u"pasty", Side::Before, u"somewhat", "pasty_adj"},
    {u"pasty", Side::Before, u"rather", "pasty_adj"},
    {u"pasty", Side::Before, u"turned", "pasty_adj"},
    {u"pasty", Side::Before, u"remains", "pasty_adj"},
    {u"pasty", Side::Before, u"became", "pasty_adj"},
    {u"pasty", Side::Before, u"becomes", "pasty_adj"},
    {u"pasty", Side::After, u"soap", "pasty_adj"},
    {u"pasty", Side::After, u"skin", "pasty_adj"},
    {u"pasty", Side::After, u"texture", "pasty_adj"},
    {u"pasty", Side::After, u"consistency", "pasty_adj"},
    {u"pasty", Side::After, u"lava", "pasty_adj"},
    {u"pasty", Side::After, u"phase", "pasty_adj"},
    {u"pasty", Side::After, u"products", "pasty_adj"},
    {u"pasty", Side::After, u"interior", "pasty_adj"},
    // The eye's tear by what wipes, sheds or holds it; the rip by where it goes.
    {u"tear", Side::Before, u"wiping", "tear_nou"},
    {u"tear", Side::Before, u"wipe", "tear_nou"},
    {u"tear", Side::Before, u"wiped", "tear_nou"},
    {u"tear", Side::Before, u"shed", "tear_nou"},
    {u"tear", Side::Before, u"sheds", "tear_nou"},
    {u"tear", Side::Before, u"artificial", "tear_nou"},
    {u"tear", Side::Before, u"single", "tear_nou"},
    {u"tear", Side::After, u"drop", "tear_nou"},
    {u"tear", Side::After, u"drops", "tear_nou"},
    {u"tear", Side::After, u"duct", "tear_nou"},
    {u"tear", Side::After, u"ducts", "tear_nou"},
    {u"tear", Side::After, u"gland", "tear_nou"},
    {u"tear", Side::After, u"glands", "tear_nou"},
    {u"tear", Side::After, u"film", "tear_nou"},
    {u"tear", Side::After, u"bottles", "tear_nou"},
    {u"tear", Side::After, u"gas", "tear_nou"},
    {u"tear", Side::After, u"inducing", "tear_nou"},
    {u"tear", Side::After, u"stained", "tear_nou"},
    {u"tear", Side::After, u"resistant", "tear_vrb"},
    {u"tear", Side::After, u"apart", "tear_vrb"},
    {u"insert", Side::Before, u"re", "insert_vrb"},
    {u"august", Side::After, u"von", "august_nam"},
    // Invert sugar is the noun's sound.
    {u"invert", Side::After, u"sugar", "invert_adj-nou"},
    {u"invert", Side::After, u"sugars", "invert_adj-nou"},
    // Celtic music and languages are the peoples'; the football club by its games.
    {u"celtic", Side::InSentence, u"music", "celtic"},
    {u"celtic", Side::InSentence, u"heritage", "celtic"},
    {u"celtic", Side::InSentence, u"languages", "celtic"},
    {u"celtic", Side::InSentence, u"language", "celtic"},
    {u"celtic", Side::InSentence, u"culture", "celtic"},
    {u"celtic", Side::InSentence, u"tribes", "celtic"},
    {u"celtic", Side::InSentence, u"mythology", "celtic"},
    {u"celtic", Side::InSentence, u"art", "celtic"},
    {u"celtic", Side::InSentence, u"fans", "celtic_adj-nou-sports"},
    {u"celtic", Side::InSentence, u"supporters", "celtic_adj-nou-sports"},
    {u"celtic", Side::InSentence, u"player", "celtic_adj-nou-sports"},
    {u"celtic", Side::InSentence, u"players", "celtic_adj-nou-sports"},
    {u"celtic", Side::InSentence, u"signing", "celtic_adj-nou-sports"},
    {u"celtic", Side::InSentence, u"signed", "celtic_adj-nou-sports"},
    {u"celtic", Side::InSentence, u"goal", "celtic_adj-nou-sports"},
    {u"celtic", Side::InSentence, u"goals", "celtic_adj-nou-sports"},
    {u"celtic", Side::InSentence, u"match", "celtic_adj-nou-sports"},
    {u"celtic", Side::InSentence, u"final", "celtic_adj-nou-sports"},
    {u"celtic", Side::InSentence, u"season", "celtic_adj-nou-sports"},
    {u"celtic", Side::InSentence, u"club", "celtic_adj-nou-sports"},
    {u"celtic", Side::InSentence, u"manager", "celtic_adj-nou-sports"},
    {u"celtic", Side::InSentence, u"striker", "celtic_adj-nou-sports"},
    {u"celtic", Side::InSentence, u"scored", "celtic_adj-nou-sports"},
    {u"celtic", Side::InSentence, u"cup", "celtic_adj-nou-sports"},
    // A bare plural after a name is its verb ("Smith diagnoses a tension").
    {u"analyses", Side::AfterName, u"", "analyses_vrb"},
    {u"diagnoses", Side::AfterName, u"", "diagnoses_vrb"},
    // The fish, by its waters and its kin.
    {u"bass", Side::InSentence, u"catfish", "bass_corp"},
    {u"bass", Side::InSentence, u"trout", "bass_corp"},
    {u"bass", Side::InSentence, u"bluegill", "bass_corp"},
    {u"bass", Side::InSentence, u"fish", "bass_corp"},
    {u"bass", Side::InSentence, u"fishing", "bass_corp"},
    {u"bass", Side::InSentence, u"striped", "bass_corp"},
    {u"bass", Side::InSentence, u"lake", "bass_corp"},
    {u"bass", Side::InSentence, u"stocked", "bass_corp"},
    {u"bass", Side::InSentence, u"bream", "bass_corp"},
    {u"bass", Side::InSentence, u"salmon", "bass_corp"},
    {u"bass", Side::InSentence, u"cod", "bass_corp"},
    {u"bass", Side::InSentence, u"pike", "bass_corp"},
    {u"bass", Side::InSentence, u"perch", "bass_corp"},
    {u"bass", Side::InSentence, u"largemouth", "bass_corp"},
    {u"bass", Side::InSentence, u"smallmouth", "bass_corp"},
    {u"bass", Side::InSentence, u"anglers", "bass_corp"},
    {u"bass", Side::InSentence, u"crappie", "bass_corp"},
    {u"bass", Side::InSentence, u"walleye", "bass_corp"},
    {u"bass", Side::InSentence, u"sunfish", "bass_corp"},
    // "Read" as a noun, a title or a part of a compound is the present's sound ("a good read",
    // "read-only memory", "Read This Next"); followed by its agent it is the participle.
    {u"read", Side::Capitalised, u"", "read_present"},
    // A bare "read" after a name, or after "also" or "never" with no modal before, is the past:
    // the present would be "reads" ("Daggs read four scenes", "my parents never read a book").
    {u"read", Side::AfterName, u"", "read_past"},
    {u"read", Side::Before, u"also", "read_past"},
    {u"read", Side::Before, u"never", "read_past"},
    {u"read", Side::After, u"only", "read_present"},
    {u"read", Side::After, u"write", "read_present"},
    {u"read", Side::Before, u"a", "read_present"},
    {u"read", Side::Before, u"an", "read_present"},
    {u"read", Side::Before, u"any", "read_present"},
    {u"read", Side::After, u"by", "read_past"},
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

// isHomographWordUnit, without a call for the ASCII that most text is: every unit of a sentence
// with a topic cue is looked at.
inline bool isWordUnit(char16_t unit) {
    if (unit >= 0x80)
        return isHomographWordUnit(unit);
    const char16_t folded = unit | 0x20;
    return (folded >= u'a' && folded <= u'z') || (unit >= u'0' && unit <= u'9') || unit == u'\'';
}

bool isCapital(char16_t unit) {
    return unit >= u'A' && unit <= u'Z';
}

bool endsSentence(char16_t unit) {
    return unit == u'.' || unit == u'!' || unit == u'?' || unit == u'\n' || unit == u'\r';
}

// The cues of each homograph that has any, in the table's order: every homograph of a text is
// asked about, and most have none.
struct CuesOfHomograph {
    std::u16string_view homograph;
    std::vector<const SenseCue*> cues;
    // For each first letter, the lengths of the topic's words (bit n for n letters): most words
    // of a sentence are turned away by this alone.
    std::array<std::uint32_t, 26> topicLengthsByFirstLetter{};
};

constexpr std::size_t reach = 200;

struct SentenceWord {
    std::size_t start, size; // from the sentence's start
};

// The words of the sentence around text[start, end), no further than a long sentence's length
// either way. Dense text has several homographs with topic cues in a sentence: the last sentence
// is kept, with a copy of its text, and used again while it holds the homograph.
struct SentenceAround {
    std::u16string text;
    std::size_t start = 0;
    std::vector<SentenceWord> words;

    bool holds(std::u16string_view in, std::size_t homographStart, std::size_t homographEnd) const {
        const std::size_t end = start + text.size();
        return !text.empty() && start <= homographStart && homographEnd <= end &&
               homographStart - start <= reach && end - homographEnd <= reach && end <= in.size() &&
               (start == 0 || endsSentence(in[start - 1])) &&
               (end == in.size() || endsSentence(in[end])) &&
               std::u16string_view(in.data() + start, text.size()) == text;
    }
};

const SentenceAround& sentenceAround(std::u16string_view text, std::size_t start, std::size_t end) {
    thread_local SentenceAround last;
    if (last.holds(text, start, end))
        return last;
    std::size_t from = start;
    while (from > 0 && start - from < reach && !endsSentence(text[from - 1]))
        --from;
    std::size_t to = end;
    while (to < text.size() && to - end < reach && !endsSentence(text[to]))
        ++to;
    const std::u16string_view sentence = text.substr(from, to - from);
    last.text.assign(sentence);
    last.start = from;
    last.words.clear();
    for (std::size_t at = 0; at < sentence.size();) {
        if (!isWordUnit(sentence[at])) {
            ++at;
            continue;
        }
        std::size_t wordEnd = at + 1;
        while (wordEnd < sentence.size() && isWordUnit(sentence[wordEnd]))
            ++wordEnd;
        last.words.push_back({at, wordEnd - at});
        at = wordEnd;
    }
    return last;
}

// The first of `cues` (all of the topic, for one homograph) that a word of the
// sentence around text[start, end) holds, or null. The sentence is read once, however many cues
// the homograph has, and no further than a long sentence's length either way.
const SenseCue* topicCue(std::u16string_view text, std::size_t start, std::size_t end,
                         std::span<const SenseCue* const> cues, const CuesOfHomograph& entry) {
    const SenseCue* found = nullptr;
    const SentenceAround& sentence = sentenceAround(text, start, end);
    for (const SentenceWord& place : sentence.words) {
        const char16_t first = char16_t(sentence.text[place.start] | 0x20);
        if (first < u'a' || first > u'z' || place.size >= 32 ||
            sentence.start + place.start == start ||
            (entry.topicLengthsByFirstLetter[std::size_t(first - u'a')] >> place.size & 1) == 0)
            continue;
        const std::u16string_view word =
            std::u16string_view(sentence.text).substr(place.start, place.size);
        // Only a cue listed before the one found already can take its place.
        for (const SenseCue* cue : cues) {
            if (cue == found)
                break;
            if (equalsFolded(word, cue->neighbour)) {
                found = cue;
                break;
            }
        }
    }
    return found;
}

// Whether the word at `at` begins its sentence (or a quotation), where any word has a capital.
bool startsSentence(std::u16string_view text, std::size_t at) {
    while (at > 0 && isSpaceUnit(text[at - 1]))
        --at;
    return at == 0 || endsSentence(text[at - 1]) || text[at - 1] == u'"';
}

// The words beside a homograph, found once for all its cues.
struct Beside {
    std::u16string_view before, after;
};

bool cueHolds(const SenseCue& cue, std::u16string_view text, std::size_t start,
              const Beside& beside) {
    switch (cue.side) {
    case Side::Before:
        return equalsFolded(beside.before, cue.neighbour);
    case Side::After:
        return equalsFolded(beside.after, cue.neighbour);
    case Side::Capitalised:
        return isCapital(text[start]);
    case Side::CapitalisedWithin:
        return isCapital(text[start]) && !startsSentence(text, start);
    case Side::AfterName: {
        const std::u16string_view name = beside.before;
        // Capitals alone are an abbreviation ("IO read or write"), not a name; a possessive
        // ("House's diagnoses") or the homograph's own capital ("Defense Analyses") make a noun.
        return name.size() >= 2 && isCapital(name[0]) && !isCapital(name[1]) &&
               !isCapital(text[start]) && !name.ends_with(u"'s") &&
               !startsSentence(text, std::size_t(name.data() - text.data()));
    }
    case Side::InSentence:
        break; // read once for all the homograph's topic cues, by topicCue
    }
    return false;
}

struct CueIndex {
    std::vector<CuesOfHomograph> homographs;
    // For each first letter, the lengths of the homographs with cues, as in topicLengths.
    std::array<std::uint32_t, 26> lengthsByFirstLetter{};
};

const CueIndex& cueIndex() {
    static const CueIndex index = [] {
        CueIndex made;
        for (const SenseCue& cue : senseCues) {
            auto found = std::find_if(
                made.homographs.begin(), made.homographs.end(),
                [&](const CuesOfHomograph& entry) { return entry.homograph == cue.homograph; });
            if (found == made.homographs.end())
                found = made.homographs.insert(made.homographs.end(), {cue.homograph, {}});
            found->cues.push_back(&cue);
            if (cue.side == Side::InSentence && !cue.neighbour.empty() && cue.neighbour.size() < 32)
                found->topicLengthsByFirstLetter[std::size_t(cue.neighbour[0] - u'a')] |=
                    std::uint32_t(1) << cue.neighbour.size();
            made.lengthsByFirstLetter[std::size_t(cue.homograph[0] - u'a')] |=
                std::uint32_t(1) << cue.homograph.size();
        }
        return made;
    }();
    return index;
}

} // namespace

std::string_view readingByNeighbour(std::u16string_view text, std::size_t start, std::size_t end) {
    const std::u16string_view word = text.substr(start, end - start);
    const CueIndex& index = cueIndex();
    const char16_t first = char16_t(word.empty() ? 0 : word[0] | 0x20);
    if (first < u'a' || first > u'z' || word.size() >= 32 ||
        (index.lengthsByFirstLetter[std::size_t(first - u'a')] >> word.size() & 1) == 0)
        return {};
    for (const CuesOfHomograph& entry : index.homographs) {
        if (!equalsFolded(word, entry.homograph))
            continue;
        // A homograph's topic cues are listed together, after its others.
        std::size_t topics = entry.cues.size();
        const Beside beside{wordBefore(text, start), wordAfter(text, end)};
        for (std::size_t i = 0; i < entry.cues.size(); ++i) {
            if (entry.cues[i]->side == Side::InSentence)
                topics = std::min(topics, i);
            else if (cueHolds(*entry.cues[i], text, start, beside))
                return entry.cues[i]->wordid;
        }
        if (topics == entry.cues.size())
            return {};
        const SenseCue* cue = topicCue(
            text, start, end, std::span<const SenseCue* const>(entry.cues).subspan(topics), entry);
        return cue ? cue->wordid : std::string_view();
    }
    return {};
}

} // namespace tellwick::homographs
