#include "pronunciation/token_classifier.h"

#include "pronunciation/token_readers.h"

namespace tellwick::pronunciation {

namespace {

struct KindName {
    TokenKind kind;
    std::string_view name;
};
constexpr KindName kindNames[] = {
    {TokenKind::Number, "number"},
    {TokenKind::Ordinal, "ordinal"},
    {TokenKind::Year, "year"},
    {TokenKind::Decade, "decade"},
    {TokenKind::Range, "range"},
    {TokenKind::Money, "money"},
    {TokenKind::Date, "date"},
    {TokenKind::Time, "time"},
    {TokenKind::Fraction, "fraction"},
    {TokenKind::Percentage, "percentage"},
    {TokenKind::Measure, "measure"},
    {TokenKind::Telephone, "telephone number"},
    {TokenKind::Abbreviation, "abbreviation"},
    {TokenKind::RomanNumeral, "roman numeral"},
    {TokenKind::Symbol, "symbol"},
};

// The characters a number token may start with besides digits.
constexpr std::u16string_view numberStarts =
    u"$\u00A3\u20AC\u00A5(-\u2212'\u2019#~+\u00BD\u00BC\u00BE\u2153\u2154\u215B<>"
    u"\u2264\u2265\u2260\u2248";

bool isAsciiLetter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

} // namespace

std::string_view kindName(TokenKind kind) {
    for (const KindName& row : kindNames) {
        if (row.kind == kind)
            return row.name;
    }
    return "";
}

bool readFirstOf(std::span<const TokenReader> readers, const TextScan& scan, std::size_t start,
                 SpokenToken& token) {
    for (const TokenReader reader : readers) {
        token.words.clear();
        if (reader(scan, start, token))
            return true;
    }
    token.words.clear();
    return false;
}

bool TokenClassifier::next(SpokenToken& token) {
    const std::size_t size = scan_.size();
    while (position_ < size) {
        const std::size_t start = position_;
        const char16_t c = scan_.at(start);
        if (c == u' ') {
            ++position_;
            continue;
        }
        const bool number =
            TextScan::isDigit(c) || numberStarts.find(c) != std::u16string_view::npos;
        const bool word = isAsciiLetter(c);
        if ((number || word) && scan_.startsWord(start) &&
            (number ? readNumberToken(scan_, start, token) : readWordToken(scan_, start, token))) {
            token.start = start;
            position_ = token.end > start ? token.end : start + 1;
            return true;
        }
        // No token starts inside a word: go past it.
        position_ = start + 1;
        while (position_ < size && TextScan::isWordCharacter(scan_.at(position_)) &&
               TextScan::isWordCharacter(c))
            ++position_;
    }
    return false;
}

} // namespace tellwick::pronunciation
