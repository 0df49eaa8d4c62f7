#include "pronunciation/date_words.h"
#include "pronunciation/number_words.h"
#include "pronunciation/token_readers.h"

#include <array>

namespace tellwick::pronunciation {

namespace {

// How an abbreviation's reading depends on its neighbours.
enum class Place {
    BeforeName,     // a title: read only before a capitalised word, and never ends a sentence
    Anywhere,       // its full stop never ends a sentence ("e.g.", "vs.")
    MayEndSentence, // its full stop also ends the sentence when a new one follows ("etc.")
    BeforeNumber,   // read only before a number ("No. 42"; "she said no." stays)
    StreetOrSaint,  // "Baker St." is a street, "St. Louis" a saint
    AfterName,      // read only after a name ("Elm Dr."); elsewhere the rewriter's reading stands
};

struct Abbreviation {
    std::string_view written;
    std::string_view words;
    Place place;
};
constexpr Abbreviation abbreviations[] = {
    {"St.", "Street", Place::StreetOrSaint},
    {"Dr.", "Drive", Place::AfterName},
    {"Mt.", "Mount", Place::BeforeName},
    {"Ft.", "Fort", Place::BeforeName},
    {"Gen.", "General", Place::BeforeName},
    {"Prof.", "Professor", Place::BeforeName},
    {"Capt.", "Captain", Place::BeforeName},
    {"Col.", "Colonel", Place::BeforeName},
    {"Lt.", "Lieutenant", Place::BeforeName},
    {"Sgt.", "Sergeant", Place::BeforeName},
    {"Gov.", "Governor", Place::BeforeName},
    {"Sen.", "Senator", Place::BeforeName},
    {"Rep.", "Representative", Place::BeforeName},
    {"Rev.", "Reverend", Place::BeforeName},
    {"Pres.", "President", Place::BeforeName},
    {"Jr.", "Junior", Place::MayEndSentence},
    {"Sr.", "Senior", Place::MayEndSentence},
    {"Inc.", "Incorporated", Place::MayEndSentence},
    {"Ltd.", "Limited", Place::MayEndSentence},
    {"Corp.", "Corporation", Place::MayEndSentence},
    {"Co.", "Company", Place::MayEndSentence},
    {"Bros.", "Brothers", Place::MayEndSentence},
    {"Ave.", "Avenue", Place::MayEndSentence},
    {"Rd.", "Road", Place::MayEndSentence},
    {"Blvd.", "Boulevard", Place::MayEndSentence},
    {"Dept.", "Department", Place::MayEndSentence},
    {"Univ.", "University", Place::MayEndSentence},
    {"etc.", "et cetera", Place::MayEndSentence},
    {"vs.", "versus", Place::Anywhere},
    {"approx.", "approximately", Place::Anywhere},
    {"Approx.", "approximately", Place::Anywhere},
    {"e.g.", "for example", Place::Anywhere},
    {"E.g.", "for example", Place::Anywhere},
    {"i.e.", "that is", Place::Anywhere},
    {"I.e.", "that is", Place::Anywhere},
    {"est.", "established", Place::Anywhere},
    {"Est.", "established", Place::Anywhere},
    {"Fig.", "figure", Place::BeforeNumber},
    {"fig.", "figure", Place::BeforeNumber},
    {"Vol.", "volume", Place::BeforeNumber},
    {"vol.", "volume", Place::BeforeNumber},
    {"No.", "number", Place::BeforeNumber},
    {"no.", "number", Place::BeforeNumber},
    {"Nos.", "numbers", Place::BeforeNumber},
    {"pp.", "pages", Place::BeforeNumber},
    {"ext.", "extension", Place::BeforeNumber},
    {"Apt.", "Apartment", Place::Anywhere},
    {"c.", "circa", Place::BeforeNumber},
    {"ca.", "circa", Place::BeforeNumber},
    {"Ms.", "Miz", Place::BeforeName},
    {"Ph.D.", "P H D", Place::MayEndSentence},
    {"WWII", "World War Two", Place::Anywhere},
    {"WWI", "World War One", Place::Anywhere},
};

// Names that monarchs and popes bear: a Roman numeral after one is a regnal ordinal.
constexpr std::string_view regnalNames[] = {
    "Alexander", "Alfonso",   "Amenhotep", "Anne",      "Benedict",  "Boniface", "Carl",
    "Carlos",    "Casimir",   "Catherine", "Charles",   "Christian", "Clement",  "Constantine",
    "David",     "Edmund",    "Edward",    "Elizabeth", "Eric",      "Felipe",   "Ferdinand",
    "Francis",   "Frederick", "Friedrich", "George",    "Gregory",   "Gustav",   "Gustavus",
    "Haakon",    "Harald",    "Henri",     "Henry",     "Innocent",  "Ivan",     "James",
    "John",      "Juan",      "Julius",    "Karl",      "Leo",       "Leopold",  "Louis",
    "Ludwig",    "Mary",      "Mehmed",    "Napoleon",  "Nicholas",  "Olaf",     "Otto",
    "Paul",      "Pedro",     "Peter",     "Philip",    "Philippe",  "Pius",     "Ptolemy",
    "Rama",      "Ramesses",  "Richard",   "Robert",    "Rudolf",    "Selim",    "Sixtus",
    "Stephen",   "Suleiman",  "Thutmose",  "Urban",     "Victor",    "Wilhelm",  "Willem",
    "William",
};

// Words after which even a one-letter numeral counts: "World War I", "Part V".
constexpr std::string_view numberedWords[] = {
    "War",    "Part",  "Chapter", "Act",   "Volume",  "Book",  "Phase",   "Episode",
    "Season", "Type",  "Class",   "Level", "Article", "Title", "Section", "Bowl",
    "Stage",  "Grade", "Round",   "Scene", "Canto",   "Rocky", "Apollo",
};

// Capitals that spell a Roman numeral but are read as words or letters.
constexpr std::string_view numeralLookalikes[] = {
    "CD", "CC",  "CM",  "CV", "DC", "DI", "DIM", "DID", "DL",  "LI",  "LID", "LIV",   "MC",   "MD",
    "MI", "MID", "MIX", "ML", "MM", "VC", "VIC", "XL",  "XXL", "XXX", "CLI", "CIVIL", "MDMA",
};

// Words that follow the pronoun "I" and hardly a numeral: "John I think" is not a king.
constexpr std::string_view pronounFollowers[] = {
    "am",   "was",  "have", "had", "think", "will", "would",  "can",  "could",  "do",
    "did",  "know", "said", "saw", "want",  "love", "like",   "feel", "hope",   "guess",
    "mean", "met",  "went", "got", "told",  "must", "should", "just", "really", "never",
};

struct NumeralLetter {
    char16_t letter;
    int value;
};
constexpr NumeralLetter numeralLetters[] = {{u'I', 1},   {u'V', 5},   {u'X', 10},  {u'L', 50},
                                            {u'C', 100}, {u'D', 500}, {u'M', 1000}};

int numeralLetterValue(char16_t c) {
    for (const NumeralLetter& letter : numeralLetters) {
        if (letter.letter == c)
            return letter.value;
    }
    return 0;
}

template <std::size_t N> bool listed(const std::string_view (&list)[N], std::u16string_view word) {
    for (const std::string_view entry : list) {
        if (TextScan::equals(word, entry))
            return true;
    }
    return false;
}

// The value of a numeral written the usual way ("XIV"), or 0 for anything else ("IIII", "VX").
int numeralValue(std::u16string_view letters) {
    if (letters.empty() || letters.size() > 15)
        return 0;
    int value = 0;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const int here = numeralLetterValue(letters[i]);
        const int next = i + 1 < letters.size() ? numeralLetterValue(letters[i + 1]) : 0;
        if (here == 0)
            return 0;
        value += here < next ? -here : here;
    }
    if (value <= 0 || value >= 4000)
        return 0;
    // Written back the usual way, it must give the same letters.
    constexpr std::pair<int, std::u16string_view> parts[] = {
        {1000, u"M"}, {900, u"CM"}, {500, u"D"}, {400, u"CD"}, {100, u"C"}, {90, u"XC"}, {50, u"L"},
        {40, u"XL"},  {10, u"X"},   {9, u"IX"},  {5, u"V"},    {4, u"IV"},  {1, u"I"}};
    std::u16string canonical;
    int rest = value;
    for (const auto& [amount, written] : parts) {
        while (rest >= amount) {
            canonical += written;
            rest -= amount;
        }
    }
    return canonical == letters ? value : 0;
}

bool readRomanNumeral(const TextScan& scan, std::size_t start, SpokenToken& token) {
    std::size_t end = start;
    while (end < start + 16 && numeralLetterValue(scan.at(end)) != 0)
        ++end;
    if (end == start || !scan.endsWord(end))
        return false;
    const std::u16string_view letters = scan.slice(start, end);
    const int value = numeralValue(letters);
    if (value == 0 || listed(numeralLookalikes, letters))
        return false;
    const std::u16string_view name = scan.wordBefore(start);
    if (!TextScan::isCapitalised(name))
        return false;
    const bool regnal = listed(regnalNames, name);
    if (letters.size() == 1 && !regnal && !listed(numberedWords, name))
        return false;
    // "I" is the pronoun unless a ruler or a numbered thing comes before it ("War", "Part").
    if (letters == u"I" && ((!regnal && !listed(numberedWords, name)) ||
                            listed(pronounFollowers, scan.wordAfter(end))))
        return false;
    const std::u16string digits = [value] {
        std::u16string text;
        for (int rest = value; rest > 0; rest /= 10)
            text.insert(text.begin(), static_cast<char16_t>(u'0' + rest % 10));
        return text;
    }();
    token.kind = TokenKind::RomanNumeral;
    if (regnal) {
        appendWord(token.words, "the");
        appendOrdinal(token.words, digits);
    } else {
        appendCardinal(token.words, digits);
    }
    token.end = end;
    return true;
}

bool readAbbreviation(const TextScan& scan, std::size_t start, SpokenToken& token) {
    // Each is written with a full stop after its first letters, or as capitals alone.
    const std::size_t letters = scan.lettersEnd(start, 8);
    if (scan.at(letters) != u'.' && !TextScan::isUpper(scan.at(start + 1)))
        return false;
    const Abbreviation* found = nullptr;
    for (const Abbreviation& row : abbreviations) {
        if (scan.at(start) != static_cast<unsigned char>(row.written[0]))
            continue;
        if ((!found || row.written.size() > found->written.size()) &&
            scan.startsWith(start, row.written) &&
            !TextScan::isLetter(scan.at(start + row.written.size())))
            found = &row;
    }
    if (!found)
        return false;
    const std::size_t end = start + found->written.size();
    const std::size_t next = scan.spacesEnd(end);
    const bool nameFollows = next > end && TextScan::isUpper(scan.at(next));
    std::string_view words = found->words;
    bool endsSentence = false;
    switch (found->place) {
    case Place::BeforeName:
        if (!nameFollows)
            return false;
        break;
    case Place::BeforeNumber:
        if (next == end || !TextScan::isDigit(scan.at(next)))
            return false;
        break;
    case Place::StreetOrSaint:
    case Place::AfterName: {
        const std::size_t nameStart = scan.wordBeforeStart(start);
        const bool afterName =
            TextScan::isCapitalised(scan.wordBefore(start)) && !scan.sentenceStartsAt(nameStart);
        if (!afterName && found->place == Place::AfterName)
            return false;
        if (!afterName && nameFollows)
            words = "Saint";
        else
            endsSentence = scan.sentenceFollows(end);
        break;
    }
    case Place::MayEndSentence:
        endsSentence = scan.sentenceFollows(end);
        break;
    case Place::Anywhere:
        break;
    }
    token.kind = TokenKind::Abbreviation;
    token.words = words;
    if (endsSentence)
        token.words += '.';
    token.end = end;
    return true;
}

// "March 3, 2021", "Jan. 3rd", "March 2021", "Jan.".
bool readMonthDate(const TextScan& scan, std::size_t start, SpokenToken& token) {
    std::size_t end = 0;
    bool abbreviated = false;
    const int month = monthAt(scan, start, &end, &abbreviated);
    if (month == 0)
        return false;
    std::u16string_view day;
    std::u16string_view year;
    std::size_t dayEnd = 0;
    std::size_t yearEnd = 0;
    if (scan.at(end) == u' ' && dayAt(scan, end + 1, &day, &dayEnd)) {
        end = dayEnd;
        const std::size_t yearStart = scan.at(end) == u',' ? end + 2 : end + 1;
        if (scan.at(yearStart - 1) == u' ' && yearAt(scan, yearStart, &year, &yearEnd))
            end = yearEnd;
        else
            year = {};
        token.kind = TokenKind::Date;
        appendMonthDay(token.words, month, day, year);
    } else if (scan.at(end) == u' ' && yearAt(scan, end + 1, &year, &yearEnd)) {
        token.kind = TokenKind::Date;
        appendWord(token.words, monthName(month));
        appendYear(token.words, year);
        end = yearEnd;
    } else if (abbreviated) {
        token.kind = TokenKind::Abbreviation;
        appendWord(token.words, monthName(month));
        if (scan.sentenceFollows(end))
            token.words += '.';
    } else {
        return false;
    }
    token.end = end;
    return true;
}

// "12 x 8": a size is said "twelve by eight".
bool readDimensionSign(const TextScan& scan, std::size_t start, SpokenToken& token) {
    if (scan.at(start) != u'x' || start < 2 || scan.at(start - 1) != u' ' ||
        !TextScan::isDigit(scan.at(start - 2)) || scan.at(start + 1) != u' ' ||
        !TextScan::isDigit(scan.at(start + 2)))
        return false;
    token.kind = TokenKind::Symbol;
    token.words = "by";
    token.end = start + 1;
    return true;
}

} // namespace

bool readWordToken(const TextScan& scan, std::size_t start, SpokenToken& token) {
    // Every reading starts with a capital or ends in a full stop, but for "x" between numbers;
    // most words have neither.
    if (!TextScan::isUpper(scan.at(start)) && scan.at(scan.lettersEnd(start, 8)) != u'.')
        return readDimensionSign(scan, start, token);
    constexpr TokenReader readers[] = {readMonthDate, readAbbreviation, readRomanNumeral};
    return readFirstOf(readers, scan, start, token);
}

} // namespace tellwick::pronunciation
