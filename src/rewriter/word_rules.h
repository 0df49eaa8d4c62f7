#pragma once

#include "rewriter/heteronym_deciders.h"
#include "rewriter/scan_state.h"
#include "rewriter/text.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace tellwick::rewriter {

// A condition of a row beyond its literal: a word list, or a look at the previous or the next
// word. It only looks.
using ContextTest = bool (*)(const ScanState&);

using Decider = bool (*)(std::u16string& previousWord, std::u16string& nextWord);

// When a row's decider is asked. Deciders store their normalisation of previousWord and nextWord
// back, so the moment matters even where the answer does not.
enum class Asked : std::uint8_t {
    whenRowReached,  // whenever the walk reaches the row, before its word counts
    onceWordMatched, // only after the row's word and its other conditions hold
};

enum class Compare : std::uint8_t { lowerCased, exact };

// Where the literal is compared: at the current character, or at the one after it (those rows
// keep the first letter as it is written and emit it in front of their piece).
enum class MatchFrom : std::uint8_t { current, next };

// A test on the character right after the literal; past the end of the text it sees no
// character, which sorts below every character.
enum class Follow : std::uint8_t { any, wordEnd, notLowerI, notCapitalI };

enum class Effect : std::uint8_t {
    emitPiece,
    stop, // "then stop": when the literal matches, the group ends and the character is copied
};

// One row of a word-rule table. Rows are written with anyCase()/exact() and the modifiers below, so
// that a table reads like the list of rules it holds and says only what sets a row apart.
struct WordRow {
    std::u16string_view match;
    std::u16string_view piece;
    Compare compare = Compare::lowerCased;
    MatchFrom from = MatchFrom::current;
    Follow follow = Follow::any;
    Effect effect = Effect::emitPiece;
    // How many characters from the current one the row consumes; 0 for all that it compares.
    std::uint8_t consumed = 0;
    // The character, lower-cased, that the text must hold right after the current one for the
    // row to match at all. Most rows fail on it, so it is compared first.
    char16_t second = 0;
    // The row's decider sits in the slot of the moment it is asked, so the walk tests each moment
    // with one look.
    Decider askedWhenReached = nullptr;
    Decider askedOnceMatched = nullptr;
    // Asked only once the literal and the following character hold.
    ContextTest when = nullptr;

    constexpr std::size_t begin() const { return from == MatchFrom::next ? 1 : 0; }
    // How far the row moves the position; the scan's tail then steps past the last character.
    constexpr std::size_t skip() const {
        return (consumed != 0 ? consumed : begin() + match.size()) - 1;
    }

    constexpr WordRow fromNextChar() const {
        WordRow r = *this;
        r.from = MatchFrom::next;
        r.second = text::lowerCase(match[0]);
        return r;
    }
    constexpr WordRow followedBy(Follow f) const {
        WordRow r = *this;
        r.follow = f;
        return r;
    }
    // The rest of the literal is context only and is scanned again.
    constexpr WordRow consumingOnly(std::u16string_view prefix) const {
        if (prefix.empty() || !match.starts_with(prefix))
            throw "the consumed characters must begin the literal";
        WordRow r = *this;
        r.consumed = static_cast<std::uint8_t>(prefix.size());
        return r;
    }
    constexpr WordRow decidedBy(Decider d, Asked a) const {
        WordRow r = *this;
        (a == Asked::whenRowReached ? r.askedWhenReached : r.askedOnceMatched) = d;
        return r;
    }
    constexpr WordRow onlyIf(ContextTest test) const {
        WordRow r = *this;
        r.when = test;
        return r;
    }
};

constexpr WordRow row(Compare compare, std::u16string_view match, std::u16string_view piece) {
    return {
        .match = match, .piece = piece, .compare = compare, .second = text::lowerCase(match[1])};
}
constexpr WordRow anyCase(std::u16string_view match, std::u16string_view piece) {
    return row(Compare::lowerCased, match, piece);
}
constexpr WordRow exact(std::u16string_view match, std::u16string_view piece) {
    return row(Compare::exact, match, piece);
}
// A row that emits the word itself in lower case and so keeps later rows away from it.
constexpr WordRow keep(std::u16string_view match) {
    return anyCase(match, match);
}
// A "then stop" row: the word is copied as it stands and no later row sees it.
constexpr WordRow stopAt(std::u16string_view match) {
    WordRow r = anyCase(match, {});
    r.effect = Effect::stop;
    return r;
}

// Which context values a group refreshes on entry, before its first row.
enum class Refresh : std::uint8_t {
    none,
    nextWord,                       // lookahead and nextWord
    nextWordLowerCased,             // lookahead, nextWord and nextWordLowerCased
    nextWordLowerCasedThenPrevious, // as nextWordLowerCased, then previousWordLowerCased
    nextWordThenPrevious,           // lookahead and nextWord, then previousWordLowerCased
};

struct LetterGroup {
    char16_t letter; // the guard is word start for it (the "is." groups: the very letter)
    Refresh refresh;
    std::span<const WordRow> rows;
};

// Makes a group and checks its table while compiling (groups are constinit, so a table that
// breaks a check does not build): pieces fit the piece buffer, with the first letter that some
// rows keep; every literal has the two characters that the walk compares first; a row that
// consumes less than its match leaves some of it, and compares from the current character. That no
// row asks decideWind, which alone does not normalise previousWord (the walk relies on that), is
// checked by a test: a function's address is no constant where null checks are kept (the sanitizer
// builds).
template <std::size_t N>
consteval LetterGroup letterGroup(char16_t letter, Refresh refresh, const WordRow (&rows)[N]) {
    for (const WordRow& r : rows) {
        const bool partial = r.consumed != 0;
        if (r.match.size() < 2 || r.piece.size() + r.begin() > maxPieceLength ||
            (partial && (r.consumed >= r.match.size() || r.from != MatchFrom::current)))
            throw "malformed word rule";
    }
    return LetterGroup{letter, refresh, rows};
}

// The groups in the order of the cascade. groupI is followed by the "is." groups.
extern const LetterGroup groupA, groupB, groupC, groupD, groupE, groupF, groupG, groupH;
extern const LetterGroup groupI, groupJ, groupK, groupL;
extern const LetterGroup groupM, groupN, groupO, groupP, groupR;
extern const LetterGroup groupS, groupT, groupU, groupV, groupW, groupX, groupY;
// The groups for "is." and "IS." after group "i"; their guard is the current character being their
// letter exactly, after a character that belongs to no word.
extern const LetterGroup isDotGroup, isDotCapitalsGroup;

// Runs a group whose guard holds: its refresh, then its rows in order up to the first that
// applies (or stops the group). With none, no piece is set and the character is copied.
void runGroup(ScanState& s, const LetterGroup& group);

// Walks rows in table order from the current position, as runGroup does without a refresh.
void runRows(ScanState& s, std::span<const WordRow> rows);

// The letter groups "b" to "y" with the blocks after "i": the last step of the cascade.
void runLaterLetterGroups(ScanState& s);

} // namespace tellwick::rewriter
