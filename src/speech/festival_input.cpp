#include "speech/festival_input.h"

#include "pronunciation/homograph_pronunciations.h"
#include "speech/qt_text.h"
#include "speech/us_english_respellings.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace tellwick {

namespace {

// Each entry's word is its row's index in its table, written in letters after a prefix that
// begins no English word, so that none hides a real word or another entry.
constexpr std::string_view respellingPrefix = "zqr";
constexpr std::string_view homographPrefix = "zqh";
constexpr std::string_view possessivePrefix = "zqp";

std::string entryWord(std::string_view prefix, std::size_t index) {
    std::string out(prefix);
    for (int digit = 0; digit < 3; ++digit) {
        out += char('a' + index % 26);
        index /= 26;
    }
    return out;
}

std::string respellingWord(const UsEnglishRespelling& respelling) {
    return entryWord(respellingPrefix, std::size_t(&respelling - usEnglishRespellings().data()));
}

std::string homographWord(const homographs::Pronunciation& reading, bool possessive) {
    return entryWord(possessive ? possessivePrefix : homographPrefix,
                     std::size_t(&reading - homographs::pronunciations().data()));
}

// The reading with a possessive "s": "s" after a voiceless sound, "ax z" after a hissing one,
// "z" after the rest.
std::string withPossessive(std::string_view phones) {
    const std::string_view last = phones.substr(phones.find_last_of(' ') + 1);
    constexpr std::string_view hissing[] = {"s", "z", "sh", "zh", "ch", "jh"};
    constexpr std::string_view voiceless[] = {"p", "t", "k", "f", "th"};
    for (std::string_view phone : hissing) {
        if (last == phone)
            return std::string(phones) + " ax0 z";
    }
    for (std::string_view phone : voiceless) {
        if (last == phone)
            return std::string(phones) + " s";
    }
    return std::string(phones) + " z";
}

// festival reads its text as Latin-1 and knows how to say the letters a to z only. The
// punctuation that it would not know is written as the ASCII it stands for; a letter with an
// accent loses it; every other character outside Latin-1 becomes a space.
struct PunctuationInAscii {
    char16_t character;
    const char* ascii;
};
constexpr PunctuationInAscii punctuationInAscii[] = {
    {u'\u2018', "'"},   {u'\u2019', "'"},  {u'\u201A', "'"},   {u'\u201C', "\""},
    {u'\u201D', "\""},  {u'\u201E', "\""}, {u'\u2013', " - "}, {u'\u2014', " - "},
    {u'\u2026', "..."}, {u'\u00A0', " "},  {u'\u00AB', "\""},  {u'\u00BB', "\""},
};

void appendForFestival(QString& out, QStringView text) {
    for (const QChar c : text) {
        if (c.unicode() == 0) { // festival's reader takes a NUL for the end of its text
            out += u' ';
            continue;
        }
        const auto punctuation = std::find_if(
            std::begin(punctuationInAscii), std::end(punctuationInAscii),
            [c](const PunctuationInAscii& row) { return row.character == c.unicode(); });
        if (punctuation != std::end(punctuationInAscii)) {
            out += QLatin1String(punctuation->ascii);
        } else if (c.unicode() < 0x80 || (!c.isLetter() && c.unicode() <= 0xFF)) {
            out += c;
        } else {
            const QString decomposed = QString(c).normalized(QString::NormalizationForm_KD);
            const bool ascii = std::all_of(decomposed.begin(), decomposed.end(), [](QChar part) {
                return part.unicode() < 0x80 || part.category() == QChar::Mark_NonSpacing;
            });
            for (const QChar part : decomposed) {
                if (part.unicode() < 0x80 && ascii)
                    out += part;
            }
            if (!ascii)
                out += u' ';
        }
    }
}

qsizetype wordEnd(QStringView text, qsizetype start) {
    qsizetype end = start;
    while (end < text.size() && isWordCharacter(text, end))
        ++end;
    return end;
}

// The word festival is given for text[start, end), or empty for the word as it stands.
std::string decidedWord(const PieceToSpeak& piece, qsizetype start, qsizetype end) {
    const QStringView word = piece.decided.mid(start, end - start);
    const std::u16string_view wide(reinterpret_cast<const char16_t*>(word.utf16()),
                                   std::size_t(word.size()));
    if (const UsEnglishRespelling* respelling = findUsEnglishRespelling(wide))
        return respellingWord(*respelling);
    const std::optional<DecidedHomograph> decided =
        decidedHomograph(piece.decided, start, end, piece.homographs);
    if (!decided || decided->reading->usEnglish.empty())
        return {};
    return homographWord(*decided->reading, decided->possessive);
}

// festival synthesises a whole utterance before it gives any sound, holding all of it in memory,
// and a reading that is left stops only between utterances: a sentence longer than this is said
// in parts, each ending at white space (after a comma where there is one). 250 characters are
// some 15 s of speech, and 80 s when they are all figures (100 MB while they are synthesised).
constexpr qsizetype longestUtterance = 250;

// Where the sentence that starts at `start` ends: after a sentence end mark (and the quotes or
// brackets that close with it) followed by white space, or at a line break.
qsizetype sentenceEnd(QStringView text, qsizetype start, qsizetype end) {
    for (qsizetype i = start; i < end; ++i) {
        if (isLineBreak(text[i]))
            return i + 1;
        if (!isSentenceEndMark(text[i]))
            continue;
        qsizetype after = i + 1;
        while (after < end && (text[after].category() == QChar::Punctuation_FinalQuote ||
                               text[after].category() == QChar::Punctuation_Close ||
                               text[after] == u'"' || text[after] == u'\''))
            ++after;
        if (after < end && text[after].isSpace())
            return after;
    }
    return end;
}

// Where the part of a sentence that starts at `start` ends, for a sentence longer than festival
// should say at once.
qsizetype utteranceEnd(QStringView text, qsizetype start, qsizetype sentenceEnd) {
    if (sentenceEnd - start <= longestUtterance)
        return sentenceEnd;
    const qsizetype limit = start + longestUtterance;
    qsizetype space = -1;
    for (qsizetype i = limit; i > start + longestUtterance / 4; --i) {
        if (!text[i].isSpace())
            continue;
        if (text[i - 1] == u',' || text[i - 1] == u';' || text[i - 1] == u':')
            return i;
        if (space < 0)
            space = i;
    }
    return space > 0 ? space : limit;
}

FestivalSentence sentenceInput(const PieceToSpeak& piece, qsizetype start, qsizetype end,
                               bool startsSentence) {
    FestivalSentence sentence{start, startsSentence, {}};
    for (qsizetype i = start; i < end;) {
        if (piece.decided[i].isLetter()) {
            const qsizetype wordStop = std::min(wordEnd(piece.decided, i), end);
            const std::string replacement = decidedWord(piece, i, wordStop);
            if (replacement.empty())
                appendForFestival(sentence.input, piece.decided.mid(i, wordStop - i));
            else
                sentence.input += QLatin1String(replacement.data(), qsizetype(replacement.size()));
            i = wordStop;
            continue;
        }
        appendForFestival(sentence.input, piece.decided.mid(i, 1));
        ++i;
    }
    return sentence;
}

bool saysSomething(QStringView text) {
    for (const QChar c : text) {
        if (c.isLetterOrNumber())
            return true;
    }
    return false;
}

} // namespace

std::vector<FestivalLexiconEntry> festivalLexiconEntries() {
    std::vector<FestivalLexiconEntry> entries;
    for (const UsEnglishRespelling& respelling : usEnglishRespellings())
        entries.push_back({respellingWord(respelling), std::string(respelling.phones)});
    for (const homographs::Pronunciation& reading : homographs::pronunciations()) {
        if (reading.usEnglish.empty())
            continue;
        entries.push_back({homographWord(reading, false), std::string(reading.usEnglish)});
        entries.push_back({homographWord(reading, true), withPossessive(reading.usEnglish)});
    }
    return entries;
}

std::string lexiconEntryPhones(std::string_view word) {
    const std::string_view prefix = word.substr(0, homographPrefix.size());
    if (word.size() != prefix.size() + 3 ||
        (prefix != respellingPrefix && prefix != homographPrefix && prefix != possessivePrefix))
        return {};
    std::size_t index = 0;
    for (std::size_t digit = word.size(); digit-- > prefix.size();) {
        if (word[digit] < 'a' || word[digit] > 'z')
            return {};
        index = index * 26 + std::size_t(word[digit] - 'a');
    }
    if (prefix == respellingPrefix)
        return index < usEnglishRespellings().size()
                   ? std::string(usEnglishRespellings()[index].phones)
                   : std::string();
    if (index >= homographs::pronunciations().size())
        return {};
    const std::string_view phones = homographs::pronunciations()[index].usEnglish;
    return prefix == possessivePrefix ? withPossessive(phones) : std::string(phones);
}

std::vector<FestivalSentence> festivalSentences(const PieceToSpeak& piece) {
    std::vector<FestivalSentence> sentences;
    qsizetype start = piece.start + piece.from;
    qsizetype endOfSentence = start;
    while (start < piece.end) {
        while (start < piece.end && piece.decided[start].isSpace())
            ++start;
        if (start >= piece.end)
            break;
        const bool startsSentence = start >= endOfSentence;
        if (startsSentence)
            endOfSentence = sentenceEnd(piece.decided, start, piece.end);
        const qsizetype end = utteranceEnd(piece.decided, start, endOfSentence);
        FestivalSentence sentence = sentenceInput(piece, start, end, startsSentence);
        if (saysSomething(sentence.input))
            sentences.push_back(std::move(sentence));
        start = end;
    }
    return sentences;
}

} // namespace tellwick
