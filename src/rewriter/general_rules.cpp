#include "rewriter/general_rules.h"

#include "rewriter/numeric.h"
#include "rewriter/text.h"

#include <span>
#include <string_view>

namespace tellwick::rewriter {

namespace {

constexpr char16_t carriageReturn = 13;
constexpr char16_t lineFeed = 10;

std::size_t closingBracketFrom(ScanState& s) {
    if (!s.closingBracketSearched || s.closingBracket < s.position) {
        s.closingBracket = s.text.find(u']', s.position);
        s.closingBracketSearched = true;
    }
    return s.closingBracket;
}

// Sets the piece that stands for the next `consumed` characters; always ends the cascade.
bool substitute(ScanState& s, std::u16string_view piece, std::size_t consumed = 1) {
    s.piece.set(piece);
    s.position += consumed - 1;
    return true;
}

bool startsWith(const ScanState& s, std::u16string_view literal) {
    return s.mid(s.position, literal.size()) == literal;
}

// Punctuation and symbols read as a pause or as words, each consuming its whole literal. A literal
// stands before any shorter one that begins it. The only rules among them in the cascade are those
// for the hyphen and the dollar sign, which look at other characters, so trying them together
// keeps the order of the rules.
struct Substitution {
    std::u16string_view literal;
    std::u16string_view piece;
};

constexpr Substitution substitutions[] = {
    // Read as a pause.
    {u"(", u", "},
    {u")", u", "},
    {u"\u2014", u", "},
    // Read as words.
    {u"\u00b2", u" squared "},
    {u"\u00b3", u" cubed "},
    // Set apart from the next word, so that the voice pauses.
    {u"\u2026", u"\u2026 "},
    {u"...", u"... "},
    {u"?-", u"? - "},
    {u"?", u"? "},
    {u"!-", u"! - "},
};

consteval bool wellFormed(std::span<const Substitution> rows) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].literal.empty() || rows[i].piece.size() > maxPieceLength)
            return false;
        // A literal after one that begins it could never match.
        for (std::size_t j = 0; j < i; ++j) {
            if (rows[i].literal.starts_with(rows[j].literal))
                return false;
        }
    }
    return true;
}
static_assert(wellFormed(substitutions));

bool runSubstitutions(ScanState& s) {
    for (const Substitution& row : substitutions) {
        if (row.literal[0] == s.character &&
            (row.literal.size() == 1 || startsWith(s, row.literal)))
            return substitute(s, row.piece, row.literal.size());
    }
    return false;
}

} // namespace

bool runRulesOnOtherCharacters(ScanState& s) {
    const char16_t ch = s.character;
    if (s.options.linesAsSpaces && (ch == carriageReturn || ch == lineFeed))
        return substitute(s, u" ");
    if (s.options.skipBracketed && ch == u'[') {
        // A "[" that no "]" follows goes on through the cascade like any other character;
        // jumping to a "]" that is not there would never end the scan or would drop the rest.
        const std::size_t close = closingBracketFrom(s);
        if (close != std::u16string_view::npos) {
            s.piece.set(u" ");
            s.position = close;
            return true;
        }
    }
    if (ch == u'[' && !belongsToWord(s.previousCharacter)) {
        if (s.following() <= u'9')
            s.piece.set(u" ");
        return true;
    }
    if (ch == u']' && s.previousCharacter <= u'9') {
        if (!belongsToWord(s.following()))
            s.piece.set(u",");
        return true;
    }
    if (runSubstitutions(s))
        return true;
    if (ch == u'-' && s.position > 0 && s.text[s.position - 1] != u' ')
        return substitute(s, u" ");
    if (ch == u'$') {
        s.inAmount = true;
        return true;
    }
    // The flag outlives the digits and punctuation of an amount and ends at the first space,
    // letter or other character from "A" up.
    if (belongsToWord(ch) || ch == u' ')
        s.inAmount = false;
    // On a single character the numeric test holds exactly for the digits.
    if (ch == u'.' && isDigit(s.previousCharacter) && isDigit(s.following()) && !s.inAmount) {
        s.piece.set(u" point ");
        s.piece.append(s.mid(s.position + 1, 1));
        s.piece.append(u" ");
        s.position += 1;
        return true;
    }
    // "9/11" ends the cascade only when it matches, so that a number starting with 9 alone on
    // its line still reaches the rule that blanks it.
    static constexpr std::u16string_view nineEleven = u"9/11";
    if (ch == u'9' && s.previousCharacter < u'1' && startsWith(s, nineEleven))
        return substitute(s, u"9'11", nineEleven.size());
    if (ch == u'A' && !isAsciiLetter(s.previousCharacter) && !belongsToWord(s.following()) &&
        s.position >= 2 && belongsToWord(s.text[s.position - 2]))
        s.piece.set(u"A'");
    return false;
}

bool runNumberAloneOnLine(ScanState& s) {
    if (s.previousCharacter != lineFeed || !isDigit(s.character))
        return false;
    static constexpr std::u16string_view blanks = u"    ";
    for (std::size_t width = blanks.size(); width >= 2; --width) {
        if (isNumeric(s.mid(s.position, width)) && s.at(s.position + width) == carriageReturn)
            return substitute(s, blanks.substr(0, width), width);
    }
    if (s.following() == carriageReturn)
        s.piece.set(u" ");
    return true;
}

} // namespace tellwick::rewriter
