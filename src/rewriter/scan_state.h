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
inline constexpr int noCharacter = -1;

constexpr bool isAsciiLetter(int c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}
// For the rules, everything from "A" upwards belongs to a word: accented letters, other scripts
// and "_" included. Digits, punctuation, white space and a place outside the text end one.
constexpr bool belongsToWord(int c) {
    return c >= u'A';
}
constexpr bool isDigit(int c) {
    return c >= u'0' && c <= u'9';
}

// Everything one call of respellText keeps while it scans. Positions are 0-based here.
struct ScanState {
    // The previous word only ever has to equal short words. Text without ASCII separators (Chinese
    // or Japanese with Latin letters) would let it grow for the whole text and make every copy of
    // it cost as much as the text read so far, so it keeps only its first this many code units.
    // Only its first and last characters can be spaces, so a cut value is still longer than every
    // word that a rule or a decider compares it with after trimming, and every comparison answers
    // as it would on the whole value.
    static constexpr std::size_t previousWordCapacity = 64;

    ScanState(std::u16string_view scanned, const RespellOptions& chosen)
        : text(scanned), options(chosen) {
        previousWord.reserve(previousWordCapacity);
        previousWordLowerCased.reserve(previousWordCapacity);
    }

    int at(std::size_t p) const { return p < text.size() ? int(text[p]) : noCharacter; }
    // The character right after the current one.
    int following() const { return at(position + 1); }
    std::u16string_view mid(std::size_t p, std::size_t n) const {
        return p < text.size() ? text.substr(p, n) : std::u16string_view{};
    }

    // Whether a letter at the current position starts a word: the character before it is no ASCII
    // letter.
    bool atWordStart() const { return !isAsciiLetter(previousCharacter); }

    void appendToPreviousWord(char16_t c) {
        if (previousWord.size() < previousWordCapacity)
            previousWord.push_back(c);
    }

    const std::u16string_view text;
    const RespellOptions& options;
    std::size_t position = 0;
    // The character at position, and the last one the scan stepped onto (a skip passes over the
    // characters it consumes without stepping onto them).
    char16_t character = 0;
    int previousCharacter = noCharacter;
    Piece piece;
    // The word before the current one with the separator after it, as the scan collected it; the
    // lower-cased and trimmed copy is refreshed only by the groups that read it.
    std::u16string previousWord;
    std::u16string previousWordLowerCased;
    // The 20 characters from the current position, the next word read from them, and its
    // lower-cased copy, refreshed by the groups that read them.
    std::u16string_view lookahead;
    std::u16string nextWord;
    std::u16string nextWordLowerCased;
    // Inside a dollar amount: from a "$" to the next space, letter or other character from "A" up.
    bool inAmount = false;
    // Index of the first "]" at or after the position of the last search; npos when there is
    // none. Remembering it keeps the scan linear however many "[" the text holds.
    std::size_t closingBracket = 0;
    bool closingBracketSearched = false;
};

} // namespace tellwick::rewriter
