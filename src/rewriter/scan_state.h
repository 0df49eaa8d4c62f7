#pragma once

#include "rewriter/respell.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tellwick::rewriter {

// No piece is longer than this; the rule tables check it when they are compiled.
inline constexpr std::size_t maxPieceLength = 24;

// The replacement chosen for the current position. It lives in a fixed buffer so that choosing a
// piece never allocates; an empty piece means "copy the character".
class Piece {
public:
    void set(std::u16string_view literal) {
        length = 0;
        append(literal);
    }
    void set(char16_t first, std::u16string_view literal) {
        length = 0;
        buffer[length++] = first;
        append(literal);
    }
    void append(std::u16string_view literal) {
        for (char16_t c : literal)
            buffer[length++] = c;
    }
    void clear() { length = 0; }
    bool empty() const { return length == 0; }
    std::u16string_view view() const { return {buffer, length}; }

private:
    char16_t buffer[maxPieceLength];
    std::size_t length = 0;
};

// A character position that may lie outside the text reads as this value, the same as an empty
// one-character window: it sorts below every character.
inline constexpr int noChar = -1;

constexpr bool isAsciiLetter(int c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}
constexpr bool isDigit(int c) {
    return c >= u'0' && c <= u'9';
}

// Everything one call of RespellText keeps while it scans. Positions are 0-based here.
struct ScanState {
    // LWd only ever has to equal short words. Text without ASCII separators (Chinese or Japanese
    // with Latin letters) would let it grow for the whole text and make every copy of it cost
    // as much as the text read so far, so it keeps only its first this many code units. Only its
    // first and last characters can be spaces, so a cut value is still longer than every word
    // that a rule or a decider compares it with after trimming, and every comparison answers as
    // it would on the whole value.
    static constexpr std::size_t lwdCapacity = 64;

    ScanState(std::u16string_view text, const RespellOptions& opts) : Txt(text), options(opts) {
        LWd.reserve(lwdCapacity);
        LWdLc.reserve(lwdCapacity);
    }

    int at(std::size_t p) const { return p < Txt.size() ? int(Txt[p]) : noChar; }
    // The character right after the current one.
    int following() const { return at(Pos + 1); }
    std::u16string_view mid(std::size_t p, std::size_t n) const {
        return p < Txt.size() ? Txt.substr(p, n) : std::u16string_view{};
    }

    // Word start for the lower-case letter of Ch: the previous character is no ASCII letter.
    bool atWordStart() const { return !isAsciiLetter(LstCh); }

    void appendToLWd(char16_t c) {
        if (LWd.size() < lwdCapacity)
            LWd.push_back(c);
    }

    const std::u16string_view Txt;
    const RespellOptions& options;
    std::size_t Pos = 0;
    char16_t Ch = 0;
    int LstCh = noChar;
    Piece piece;
    std::u16string LWd;
    std::u16string LWdLc;
    std::u16string_view NxTwy;
    std::u16string NxWd;
    std::u16string NxWdLc;
    bool DollarOn = false;
    // Index of the first "]" at or after the position of the last search; npos when there is
    // none. Remembering it keeps the scan linear however many "[" the text holds.
    std::size_t closingBracket = 0;
    bool closingBracketSearched = false;
};

} // namespace tellwick::rewriter
