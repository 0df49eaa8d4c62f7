#include "rewriter/general_rules.h"

#include "rewriter/numeric.h"
#include "rewriter/text.h"

#include <string_view>

namespace tellwick::rewriter {

namespace {

constexpr char16_t carriageReturn = 13;
constexpr char16_t lineFeed = 10;

std::size_t closingBracketFrom(ScanState& s) {
    if (!s.closingBracketSearched || s.closingBracket < s.Pos) {
        s.closingBracket = s.Txt.find(u']', s.Pos);
        s.closingBracketSearched = true;
    }
    return s.closingBracket;
}

bool emit(ScanState& s, std::u16string_view piece, std::size_t skip = 0) {
    s.piece.set(piece);
    s.Pos += skip;
    return true;
}

bool startsWith(const ScanState& s, std::u16string_view literal) {
    return s.mid(s.Pos, literal.size()) == literal;
}

} // namespace

bool runRulesOnOtherCharacters(ScanState& s) {
    const char16_t ch = s.Ch;
    if (s.options.chkCrPause && (ch == carriageReturn || ch == lineFeed))
        return emit(s, u" ");
    if (s.options.chkSqBr && ch == u'[') {
        // A "[" that no "]" follows goes on through the cascade like any other character;
        // jumping to a "]" that is not there would never end the scan or would drop the rest.
        const std::size_t close = closingBracketFrom(s);
        if (close != std::u16string_view::npos) {
            s.piece.set(u" ");
            s.Pos = close;
            return true;
        }
    }
    if (ch == u'[' && s.LstCh < u'A') {
        if (s.following() <= u'9')
            s.piece.set(u" ");
        return true;
    }
    if (ch == u']' && s.LstCh <= u'9') {
        if (s.following() < u'A')
            s.piece.set(u",");
        return true;
    }
    if (ch == u'(' || ch == u')' || ch == u'\u2014')
        return emit(s, u", ");
    if (ch == u'-' && s.Pos > 0 && s.Txt[s.Pos - 1] != u' ')
        return emit(s, u" ");
    if (ch == u'\u00b2')
        return emit(s, u" squared ");
    if (ch == u'\u00b3')
        return emit(s, u" cubed ");
    if (ch == u'\u2026')
        return emit(s, u"\u2026 ");
    if (ch == u'.' && startsWith(s, u"..."))
        return emit(s, u"... ", 2);
    if (ch == u'?')
        return startsWith(s, u"?-") ? emit(s, u"? - ", 1) : emit(s, u"? ");
    if (ch == u'$') {
        s.DollarOn = true;
        return true;
    }
    if (ch == u'!' && startsWith(s, u"!-"))
        return emit(s, u"! - ", 1);
    // The flag outlives the digits and punctuation of an amount and ends at the first space,
    // letter or other character from "A" up.
    if (!(ch < u'A' && ch != u' '))
        s.DollarOn = false;
    // On a single character the numeric test holds exactly for the digits.
    if (ch == u'.' && isDigit(s.LstCh) && isDigit(s.following()) && !s.DollarOn) {
        s.piece.set(u" point ");
        s.piece.append(s.mid(s.Pos + 1, 1));
        s.piece.append(u" ");
        s.Pos += 1;
        return true;
    }
    // "9/11" ends the cascade only when it matches, so that a number starting with 9 alone on
    // its line still reaches the rule that blanks it.
    if (ch == u'9' && s.LstCh < u'1' && startsWith(s, u"9/11"))
        return emit(s, u"9'11", 3);
    if (ch == u'A' && !isAsciiLetter(s.LstCh) && s.following() < u'A' && s.Pos >= 2 &&
        s.Txt[s.Pos - 2] >= u'A')
        s.piece.set(u"A'");
    return false;
}

bool runNumberAloneOnLine(ScanState& s) {
    if (s.LstCh != lineFeed || !isDigit(s.Ch))
        return false;
    static constexpr std::u16string_view blanks = u"    ";
    for (std::size_t width = 4; width >= 2; --width) {
        if (isNumeric(s.mid(s.Pos, width)) && s.at(s.Pos + width) == carriageReturn)
            return emit(s, blanks.substr(0, width), width - 1);
    }
    if (s.following() == carriageReturn)
        s.piece.set(u" ");
    return true;
}

} // namespace tellwick::rewriter
