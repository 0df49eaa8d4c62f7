#include "pronunciation/number_readers.h"
#include "pronunciation/number_words.h"
#include "pronunciation/token_readers.h"

#include <array>

namespace tellwick::pronunciation {

namespace {

// Telephone numbers: the lengths of their digit groups.
constexpr std::array<std::size_t, 4> telephoneShapes[] = {
    {3, 3, 4, 0},
    {1, 3, 3, 4},
    {3, 4, 0, 0},
};

bool readTelephone(const TextScan& scan, std::size_t start, SpokenToken& token) {
    std::array<std::u16string_view, 4> groups{};
    std::size_t count = 0;
    std::size_t i = start;
    if (scan.at(i) == u'+' && scan.at(i + 1) == u'1' && !TextScan::isDigit(scan.at(i + 2)))
        ++i;
    bool spacedOnly = true;
    char16_t separator = 0;
    while (count < groups.size()) {
        const bool parenthesised = scan.at(i) == u'(';
        const std::size_t digits = parenthesised ? i + 1 : i;
        const std::size_t end = scan.shortDigitsEnd(digits, 4);
        if (end == digits)
            return false;
        groups[count++] = scan.slice(digits, end);
        i = end;
        if (parenthesised) {
            if (scan.at(i) != u')')
                return false;
            ++i;
            if (scan.at(i) == u' ')
                ++i;
            spacedOnly = false;
            continue;
        }
        const char16_t next = scan.at(i);
        // "1 (800) 555-1234": an area code in brackets after the country's.
        if (next == u' ' && scan.at(i + 1) == u'(' && count == 1) {
            ++i;
            continue;
        }
        if ((next == u'-' || next == u'.' || next == u' ') && TextScan::isDigit(scan.at(i + 1)) &&
            (separator == 0 || separator == next)) {
            separator = next;
            spacedOnly = spacedOnly && next == u' ';
            ++i;
            continue;
        }
        break;
    }
    if (!scan.endsWord(i) || (TextScan::isDash(scan.at(i)) && TextScan::isDigit(scan.at(i + 1))))
        return false;
    bool shaped = false;
    for (const auto& shape : telephoneShapes) {
        bool same = true;
        for (std::size_t g = 0; g < groups.size(); ++g)
            same = same && (g < count ? groups[g].size() == shape[g] : shape[g] == 0);
        // Two groups are a local number only when joined by a hyphen, "555-1234".
        shaped = shaped || (same && (count > 2 || separator == u'-'));
    }
    // Numbers parted by spaces alone are only a telephone number in the full form.
    if (!shaped || (spacedOnly && count < 3))
        return false;
    token.kind = TokenKind::Telephone;
    for (std::size_t g = 0; g < count; ++g) {
        if (g > 0)
            token.words += ',';
        appendDigitNames(token.words, groups[g]);
    }
    token.end = i;
    return true;
}

// A character and the words said for it.
struct SignWords {
    char16_t sign;
    std::string_view words;
};

// Symbols read as words before a number: "#1" is "number one", "~5" "about five".
constexpr SignWords numberPrefixes[] = {{u'#', "number"}, {u'~', "about"}, {u'+', "plus"}};

bool readPrefixedNumber(const TextScan& scan, std::size_t start, SpokenToken& token) {
    for (const SignWords& prefix : numberPrefixes) {
        if (scan.at(start) == prefix.sign && TextScan::isDigit(scan.at(start + 1)) &&
            readNumber(scan, start + 1, token)) {
            token.words.insert(0, std::string(prefix.words) + " ");
            return true;
        }
    }
    return false;
}

// "6'2"": a height in feet and inches.
bool readFeetAndInches(const TextScan& scan, std::size_t start, SpokenToken& token) {
    const std::size_t feetEnd = scan.shortDigitsEnd(start, 1);
    const char16_t foot = scan.at(feetEnd);
    if (feetEnd == start || (foot != u'\'' && foot != u'\u2019' && foot != u'\u2032'))
        return false;
    const std::size_t inchesEnd = scan.shortDigitsEnd(feetEnd + 1, 2);
    const char16_t inch = scan.at(inchesEnd);
    if (inchesEnd == feetEnd + 1 || (inch != u'"' && inch != u'\u201D' && inch != u'\u2033') ||
        !scan.endsWord(inchesEnd + 1))
        return false;
    token.kind = TokenKind::Measure;
    appendCardinal(token.words, scan.slice(start, feetEnd));
    appendWord(token.words, scan.slice(start, feetEnd) == u"1" ? "foot" : "feet");
    appendCardinal(token.words, scan.slice(feetEnd + 1, inchesEnd));
    appendWord(token.words, scan.slice(feetEnd + 1, inchesEnd) == u"1" ? "inch" : "inches");
    token.end = inchesEnd + 1;
    return true;
}

// Fractions written as one character.
constexpr SignWords vulgarFractions[] = {
    {u'\u00BD', "one half"},  {u'\u00BC', "one quarter"}, {u'\u00BE', "three quarters"},
    {u'\u2153', "one third"}, {u'\u2154', "two thirds"},  {u'\u215B', "one eighth"},
};

// Signs between spaced operands that the voice would otherwise pass over: "5 > 3".
constexpr SignWords spacedSigns[] = {
    {u'>', "is greater than"}, {u'<', "is less than"},         {u'\u2265', "is at least"},
    {u'\u2264', "is at most"}, {u'\u2260', "is not equal to"}, {u'\u2248', "is about"},
};

bool readSpacedSign(const TextScan& scan, std::size_t start, SpokenToken& token) {
    for (const SignWords& sign : spacedSigns) {
        if (scan.at(start) == sign.sign && start > 0 && scan.at(start - 1) == u' ' &&
            scan.at(start + 1) == u' ') {
            token.kind = TokenKind::Symbol;
            appendWord(token.words, sign.words);
            token.end = start + 1;
            return true;
        }
    }
    return false;
}

// Numbers with a slash said as set phrases.
struct SetPhrase {
    std::string_view written;
    std::string_view words;
};
constexpr SetPhrase setPhrases[] = {{"24/7", "twenty-four seven"},
                                    {"50/50", "fifty-fifty"},
                                    {"9/11", "nine eleven"},
                                    {"911", "nine one one"}};

bool readSetPhrase(const TextScan& scan, std::size_t start, SpokenToken& token) {
    for (const SetPhrase& phrase : setPhrases) {
        if (scan.startsWith(start, phrase.written) &&
            scan.endsWord(start + phrase.written.size())) {
            token.kind = TokenKind::Symbol;
            appendWord(token.words, phrase.words);
            token.end = start + phrase.written.size();
            return true;
        }
    }
    return false;
}

bool readVulgarFraction(const TextScan& scan, std::size_t start, SpokenToken& token) {
    for (const SignWords& fraction : vulgarFractions) {
        if (scan.at(start) == fraction.sign && scan.endsWord(start + 1)) {
            token.kind = TokenKind::Fraction;
            appendWord(token.words, fraction.words);
            token.end = start + 1;
            return true;
        }
    }
    return false;
}

} // namespace

bool readNumberToken(const TextScan& scan, std::size_t start, SpokenToken& token) {
    // Most particular first: a telephone number or a date is also a run of numbers.
    constexpr TokenReader readers[] = {readMoney,          readTelephone,      readNumericDate,
                                       readTime,           readDecade,         readDayMonth,
                                       readPrefixedNumber, readVulgarFraction, readSpacedSign,
                                       readSetPhrase,      readFeetAndInches,  readNumber};
    return readFirstOf(readers, scan, start, token);
}

} // namespace tellwick::pronunciation
