#include "pronunciation/homograph_model.h"

#include "pronunciation/homograph_features.h"
#include "pronunciation/homograph_pronunciations.h"
#include "pronunciation/homograph_sense_cues.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

namespace tellwick::homographs {

namespace {

constexpr std::string_view magic = "TWHOMOGRAPHS3\n";

// Below this margin the scores are no surer than the prior: the most frequent reading is taken
// (chosen by cross-validation).
constexpr double unsureMargin = 1.0;

constexpr std::size_t maximumReadings = 16;
constexpr std::uint32_t allFeatureGroups = NeighbourFeatures | SentenceWords |
                                           SentenceWordBeginnings | NeighbourBeginnings |
                                           PlaceFeature | SentenceTense;

// Features are hashes already; the multiplier spreads their low bits over the table.
std::size_t slotOf(std::uint32_t feature, std::size_t slots) {
    return std::size_t((feature * 0x9E3779B1u) >> 7) & (slots - 1);
}

std::uint32_t checksum(std::string_view bytes) {
    std::uint32_t hash = 2166136261u;
    for (char c : bytes)
        hash = (hash ^ std::uint8_t(c)) * 16777619u;
    return hash;
}

class Writer {
public:
    void number(std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes += char((value >> (8 * i)) & 0xFF);
    }
    void text(std::string_view value) {
        number(std::uint32_t(value.size()));
        bytes += value;
    }
    std::string bytes;
};

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    bool number(std::uint32_t* value) {
        if (bytes_.size() < 4)
            return false;
        *value = 0;
        for (int i = 0; i < 4; ++i)
            *value |= std::uint32_t(std::uint8_t(bytes_[std::size_t(i)])) << (8 * i);
        bytes_.remove_prefix(4);
        return true;
    }
    bool text(std::string* value, std::size_t limit) {
        std::uint32_t size = 0;
        if (!number(&size) || size > limit || size > bytes_.size())
            return false;
        value->assign(bytes_.substr(0, size));
        bytes_.remove_prefix(size);
        return true;
    }
    bool atEnd() const { return bytes_.empty(); }

private:
    std::string_view bytes_;
};

std::string utf8Of(std::u16string_view word) {
    std::string out;
    for (char16_t unit : word) {
        if (unit < 0x80) {
            out += char(unit);
        } else if (unit < 0x800) {
            out += char(0xC0 | (unit >> 6));
            out += char(0x80 | (unit & 0x3F));
        } else {
            out += char(0xE0 | (unit >> 12));
            out += char(0x80 | ((unit >> 6) & 0x3F));
            out += char(0x80 | (unit & 0x3F));
        }
    }
    return out;
}

std::u16string asciiWord(const std::string& word) {
    return std::u16string(word.begin(), word.end());
}

// The one reading whose role has `bit`, or -1.
int onlyReadingWith(const Model::Homograph& homograph, unsigned bit) {
    int found = -1;
    for (std::size_t r = 0; r < homograph.readings.size(); ++r) {
        const Pronunciation* pronunciation = pronunciationOf(homograph.readings[r]);
        if (pronunciation == nullptr || (pronunciation->role & bit) == 0)
            continue;
        if (found >= 0)
            return -1;
        found = int(r);
    }
    return found;
}

// The one reading that can stand in a noun's place where every other reading is only a verb;
// -1 where another reading might be a noun too ("lead" the metal).
int onlyNounReading(const Model::Homograph& homograph) {
    int found = -1;
    for (std::size_t r = 0; r < homograph.readings.size(); ++r) {
        const Pronunciation* pronunciation = pronunciationOf(homograph.readings[r]);
        if (pronunciation == nullptr)
            return -1;
        if (pronunciation->role == Pronunciation::Verb)
            continue;
        if (found >= 0 || (pronunciation->role & Pronunciation::Noun) == 0)
            return -1;
        found = int(r);
    }
    return found;
}

// The one reading that is only a verb where every other is neither a verb nor a past, or -1.
// A word in "-ed" ("learned", "blessed") is a verb's past, which stands where a past stands; a
// reading the data names a noun ("bow_nou-ship": the ship's bow, and to bow) is mostly a noun.
int plainVerbReading(const Model::Homograph& homograph) {
    if (homograph.word.ends_with(u"ed"))
        return -1;
    int found = -1;
    for (std::size_t r = 0; r < homograph.readings.size(); ++r) {
        const Pronunciation* pronunciation = pronunciationOf(homograph.readings[r]);
        if (pronunciation == nullptr)
            return -1;
        if (pronunciation->role == Pronunciation::Verb && found < 0 &&
            homograph.readings[r].find("_nou") == std::string::npos)
            found = int(r);
        else if ((pronunciation->role & (Pronunciation::Verb | Pronunciation::PastTense)) != 0)
            return -1;
    }
    return found;
}

} // namespace

void Model::Homograph::prepare() {
    verbReading = onlyReadingWith(*this, Pronunciation::Verb);
    nounReading = onlyNounReading(*this);
    pastReading = onlyReadingWith(*this, Pronunciation::PastTense);
    sharedVerbReading = plainVerbReading(*this);
    std::size_t slots = 4;
    while (slots < 2 * features.size())
        slots *= 2;
    rowIndex.assign(slots, Slot{0, 0});
    for (std::size_t row = 0; row < features.size(); ++row) {
        std::size_t slot = slotOf(features[row], slots);
        while (rowIndex[slot].row != 0)
            slot = (slot + 1) & (slots - 1);
        rowIndex[slot] = Slot{features[row], std::uint32_t(row + 1)};
    }
}

int Model::Homograph::readingOfPlace(GrammaticalPlace place) const {
    return place == GrammaticalPlace::Verb                                ? verbReading
           : place == GrammaticalPlace::Noun                              ? nounReading
           : place == GrammaticalPlace::PastParticiple                    ? pastReading
           : place == GrammaticalPlace::VerbOfAnyTense && pastReading < 0 ? verbReading
           : place == GrammaticalPlace::PastOrVerb ? (pastReading >= 0 ? pastReading : verbReading)
                                                   : -1;
}

void Model::Homograph::addScores(const std::vector<std::uint32_t>& found, double* scores) const {
    const std::size_t count = readings.size();
    const std::size_t mask = rowIndex.size() - 1;
    for (std::uint32_t feature : found) {
        for (std::size_t slot = slotOf(feature, rowIndex.size()); rowIndex[slot].row != 0;
             slot = (slot + 1) & mask) {
            if (rowIndex[slot].feature != feature)
                continue;
            const std::size_t row = rowIndex[slot].row - 1;
            for (std::size_t r = 0; r < count; ++r)
                scores[r] += weights[row * count + r];
            break;
        }
    }
}

Model::Decision Model::Homograph::decide(GrammaticalPlace place,
                                         const std::vector<std::uint32_t>& found,
                                         const Homograph* verbs) const {
    if (const int byGrammar = readingOfPlace(place); byGrammar >= 0)
        return Decision{this, byGrammar, 0.0, true};
    const std::size_t count = readings.size();
    std::array<double, maximumReadings> scores{};
    addScores(found, scores.data());
    if (verbs != nullptr && sharedVerbReading >= 0 && verbs->readings.size() == 2) {
        std::array<double, 2> verbScores{};
        verbs->addScores(found, verbScores.data());
        scores[std::size_t(sharedVerbReading)] += verbScores[0] - verbScores[1];
    }
    std::size_t best = 0;
    for (std::size_t r = 1; r < count; ++r) {
        if (scores[r] > scores[best])
            best = r;
    }
    double second = -1e300;
    for (std::size_t r = 0; r < count; ++r) {
        if (r != best)
            second = std::max(second, scores[r]);
    }
    const double margin = count > 1 ? scores[best] - second : 0.0;
    if (margin <= unsureMargin)
        return Decision{this, 0, 0.0, false};
    return Decision{this, int(best), margin, false};
}

Model::Model(std::vector<Homograph> homographs, std::optional<Homograph> verbs)
    : homographs_(std::move(homographs)), verbs_(std::move(verbs)) {
    for (Homograph& homograph : homographs_)
        homograph.prepare();
    if (verbs_)
        verbs_->prepare();
    for (std::size_t i = 0; i < homographs_.size(); ++i) {
        const std::u16string& word = homographs_[i].word;
        index_.emplace(word, i);
        longestWord_ = std::max(longestWord_, word.size());
        if (!word.empty() && word[0] >= u'a' && word[0] <= u'z' && word.size() < 64)
            lengthsByFirstLetter_[std::size_t(word[0] - u'a')] |= std::uint64_t(1) << word.size();
    }
}

const Model::Homograph* Model::find(std::u16string_view word) const {
    // Every word of a text is asked about, so the word is folded without taking memory.
    char16_t folded[64];
    if (word.empty() || word.size() > longestWord_ || word.size() >= std::size(folded))
        return nullptr;
    const char16_t first = word[0] >= u'A' && word[0] <= u'Z' ? char16_t(word[0] + 32) : word[0];
    if (first < u'a' || first > u'z' ||
        (lengthsByFirstLetter_[std::size_t(first - u'a')] >> word.size() & 1) == 0)
        return nullptr;
    for (std::size_t i = 0; i < word.size(); ++i)
        folded[i] = word[i] >= u'A' && word[i] <= u'Z' ? char16_t(word[i] + 32) : word[i];
    const auto found = index_.find(std::u16string_view(folded, word.size()));
    return found == index_.end() ? nullptr : &homographs_[found->second];
}

std::optional<Model::Decision> Model::decide(std::u16string_view text, std::size_t start,
                                             std::size_t end) const {
    const Homograph* homograph = find(text.substr(start, end - start));
    if (homograph == nullptr)
        return std::nullopt;
    const Neighbourhood around = neighbourhoodOf(text, start, end);
    // A capital within a sentence may make a name ("to Reading", "the Polish"), which grammar
    // cannot tell from the word.
    const bool capital = text[start] >= u'A' && text[start] <= u'Z';
    const GrammaticalPlace place = capital ? GrammaticalPlace::Unknown : grammaticalPlace(around);
    // Where grammar chooses the reading, the neighbours' sense does not overrule it ("to read by
    // candlelight", "could also read", "the sow" before "seeds").
    if (senseCuesUsed_ && homograph->readingOfPlace(place) < 0) {
        if (const std::string_view wordid = readingByNeighbour(text, start, end); !wordid.empty()) {
            for (std::size_t r = 0; r < homograph->readings.size(); ++r) {
                if (homograph->readings[r] == wordid)
                    return Decision{homograph, int(r), 0.0, true};
            }
        }
    }
    // Every homograph of a text comes here: the features' room is kept between calls.
    thread_local std::vector<std::uint32_t> features;
    featuresOf(text, start, end, around, homograph->featureGroups, &features);
    return homograph->decide(place, features, verbs_ ? &*verbs_ : nullptr);
}

namespace {

std::size_t bytesOf(const Model::Homograph& h) {
    std::size_t bytes =
        sizeof(h) + h.word.capacity() * 2 + h.features.capacity() * 4 + h.weights.capacity() * 4 +
        h.rowIndex.capacity() * sizeof(Model::Homograph::Slot) + 64; // the index's node
    for (const std::string& reading : h.readings)
        bytes += sizeof(reading) + reading.capacity();
    return bytes;
}

void write(const Model::Homograph& h, Writer* out) {
    out->text(utf8Of(h.word));
    out->number(std::uint32_t(h.readings.size()));
    for (const std::string& reading : h.readings)
        out->text(reading);
    out->number(h.featureGroups);
    out->number(std::uint32_t(h.features.size()));
    for (std::uint32_t feature : h.features)
        out->number(feature);
    for (float weight : h.weights) {
        std::uint32_t bits = 0;
        std::memcpy(&bits, &weight, 4);
        out->number(bits);
    }
}

bool read(Reader* in, Model::Homograph* h) {
    std::string word;
    std::uint32_t readings = 0, features = 0;
    if (!in->text(&word, 64) || !in->number(&readings) || readings == 0 ||
        readings > maximumReadings)
        return false;
    h->word = asciiWord(word);
    h->readings.resize(readings);
    for (std::string& reading : h->readings) {
        if (!in->text(&reading, 64))
            return false;
    }
    if (!in->number(&h->featureGroups) || (h->featureGroups & ~allFeatureGroups) != 0)
        return false;
    if (!in->number(&features) || features > (1u << 22))
        return false;
    h->features.resize(features);
    for (std::uint32_t& feature : h->features) {
        if (!in->number(&feature))
            return false;
    }
    if (!std::is_sorted(h->features.begin(), h->features.end()))
        return false;
    h->weights.resize(std::size_t(features) * readings);
    for (float& weight : h->weights) {
        std::uint32_t bits = 0;
        if (!in->number(&bits))
            return false;
        std::memcpy(&weight, &bits, 4);
    }
    return true;
}

} // namespace

std::size_t Model::bytesInMemory() const {
    std::size_t bytes = sizeof(*this) + (verbs_ ? bytesOf(*verbs_) : 0);
    for (const Homograph& h : homographs_)
        bytes += bytesOf(h);
    return bytes;
}

std::string Model::serialise() const {
    Writer out;
    out.bytes += magic;
    out.number(std::uint32_t(homographs_.size()));
    for (const Homograph& h : homographs_)
        write(h, &out);
    out.number(verbs_ ? 1 : 0);
    if (verbs_)
        write(*verbs_, &out);
    out.number(checksum(out.bytes));
    return out.bytes;
}

std::optional<Model> Model::deserialise(std::string_view bytes, std::string* error) {
    const auto fail = [&](const char* why) {
        *error = why;
        return std::nullopt;
    };
    if (!bytes.starts_with(magic))
        return fail("not a homograph model of this version");
    if (bytes.size() < magic.size() + 8)
        return fail("the model is cut short");
    const std::string_view body = bytes.substr(0, bytes.size() - 4);
    Reader trailer(bytes.substr(bytes.size() - 4));
    std::uint32_t stored = 0;
    trailer.number(&stored);
    if (stored != checksum(body))
        return fail("the model is damaged (its checksum does not match)");
    Reader in(body.substr(magic.size()));
    std::uint32_t count = 0, shared = 0;
    if (!in.number(&count) || count > 10000)
        return fail("the model is damaged");
    std::vector<Homograph> homographs(count);
    for (Homograph& h : homographs) {
        if (!read(&in, &h))
            return fail("the model is damaged");
    }
    std::optional<Homograph> verbs;
    if (!in.number(&shared) || shared > 1)
        return fail("the model is damaged");
    if (shared == 1) {
        Homograph sharedVerbs;
        if (!read(&in, &sharedVerbs) || sharedVerbs.readings.size() != 2)
            return fail("the model is damaged");
        verbs = std::move(sharedVerbs);
    }
    if (!in.atEnd())
        return fail("the model is damaged");
    return Model(std::move(homographs), std::move(verbs));
}

std::optional<Model> Model::load(const std::string& path, std::string* error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        *error = "cannot open " + path;
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << file.rdbuf();
    std::optional<Model> model = deserialise(bytes.str(), error);
    if (!model)
        *error += " (" + path + ")";
    return model;
}

} // namespace tellwick::homographs
