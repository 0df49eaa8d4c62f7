#include "rewriter/respell.h"

#include "rewriter/general_rules.h"
#include "rewriter/scan_state.h"
#include "rewriter/text.h"
#include "rewriter/word_rules.h"

#include <algorithm>

namespace tellwick {

namespace {

using rewriter::ScanState;

// Runs the cascade for the current position; returns with the piece chosen (or none).
void runCascade(ScanState& s) {
    if (rewriter::runRulesBeforeLetterGroups(s))
        return;
    // Every rule from here on needs a previous character that is no ASCII letter: the letter
    // groups and the "is." groups start words, and the number rule follows a line feed.
    if (!s.atWordStart())
        return;
    if (text::lowerCase(s.character) == rewriter::groupA.letter) {
        rewriter::runGroup(s, rewriter::groupA);
        return;
    }
    if (rewriter::runNumberAloneOnLine(s))
        return;
    rewriter::runLaterLetterGroups(s);
}

// Where the scan's output goes: a copied character, or a piece that replaces what the scan
// consumed from position from on.
struct StringOutput {
    std::u16string& text;
    void copy(char16_t ch, std::size_t) { text.push_back(ch); }
    void replace(std::u16string_view piece, std::size_t) { text.append(piece); }
    static constexpr bool wanted() { return true; }
};

// A run of copied characters costs one entry however long it is, so that the map costs little
// more than the text.
struct MappedOutput {
    MappedRespelling& result;
    // The input position a copy goes on from without a new run; none after a piece.
    std::size_t runGoesOnFrom = std::u16string_view::npos;
    void copy(char16_t ch, std::size_t from) {
        if (from != runGoesOnFrom)
            result.map.runs.push_back({result.text.size(), from, true});
        runGoesOnFrom = from + 1;
        result.text.push_back(ch);
    }
    void replace(std::u16string_view piece, std::size_t from) {
        result.map.runs.push_back({result.text.size(), from, false});
        runGoesOnFrom = std::u16string_view::npos;
        result.text.append(piece);
    }
    static constexpr bool wanted() { return true; }
};

class PieceOutput {
public:
    explicit PieceOutput(const std::function<bool(std::u16string_view)>& sink) : sink_(sink) {
        buffer_.reserve(respelledPieceUnits);
    }
    void copy(char16_t ch, std::size_t) {
        if (buffer_.size() == respelledPieceUnits)
            flush();
        buffer_.push_back(ch);
    }
    void replace(std::u16string_view piece, std::size_t) {
        if (buffer_.size() + piece.size() > respelledPieceUnits)
            flush();
        buffer_.append(piece);
    }
    bool wanted() const { return wanted_; }
    void flush() {
        if (wanted_ && !buffer_.empty())
            wanted_ = sink_(buffer_);
        buffer_.clear();
    }
    // Hands a finished stretch of output on, a piece at a time.
    void append(std::u16string_view text) {
        flush();
        for (std::size_t at = 0; at < text.size() && wanted_; at += respelledPieceUnits)
            wanted_ = sink_(text.substr(at, respelledPieceUnits));
    }

private:
    const std::function<bool(std::u16string_view)>& sink_;
    std::u16string buffer_;
    bool wanted_ = true;
};

// Characters consumed by a skip never reach the previous word or the previous character: only
// the character the scan stands on does.
template <class Output> void emitAndStepOn(ScanState& s, Output& out, std::size_t from) {
    const char16_t ch = s.character;
    if (ch != u'\n' && !rewriter::belongsToWord(s.previousCharacter))
        s.previousWord.clear();
    if (ch != u'\n' && ch != u'\r')
        s.appendToPreviousWord(ch);
    if (s.piece.empty())
        out.copy(ch, from);
    else
        out.replace(s.piece.view(), from);
    s.piece.clear();
    s.previousCharacter = ch;
    s.position += 1;
}

struct NeverStop {
    constexpr bool operator()(const ScanState&) const { return false; }
};

// Scans text from its start until stop says so at the start of a position, or to the end.
template <class Output, class Stop = NeverStop>
void respellInto(std::u16string_view text, const RespellOptions& options, Output& out,
                 Stop stop = {}) {
    ScanState s(text, options);
    while (s.position < text.size() && out.wanted() && !stop(s)) {
        const std::size_t from = s.position;
        s.character = text[s.position];
        runCascade(s);
        emitAndStepOn(s, out, from);
    }
}

// Whether the rest of the text from the scan's position on is rewritten exactly as it would be on
// its own. That holds at the start of a line that begins with a letter, once the word before the
// line feed ended a sentence (or a carriage return ended the line), with no amount open: there the
// scanner's state answers every rule as a fresh one does. No rule looks back past a line feed, and
// rules look ahead only a few characters, but for the search for a closing bracket, which must not
// have run off the end of a window.
bool startsIndependentLine(const ScanState& s) {
    if (s.position == 0 || s.text[s.position - 1] != u'\n' ||
        !rewriter::isAsciiLetter(s.text[s.position]) || s.inAmount)
        return false;
    if (s.closingBracketSearched && s.closingBracket == std::u16string_view::npos)
        return false;
    const std::u16string_view previous = text::trimSpaces(s.previousWord);
    return previous.empty() || text::isSentenceEndMark(previous.back());
}

// Every rule reads at most this far past the scan's position, the search for a closing bracket
// aside (and a run of letters, which a line feed ends).
constexpr std::size_t lookaheadMargin = 256;

// Most pieces are no longer than what they replace; an eighth more covers typical growth.
std::size_t expectedLength(std::u16string_view text) {
    return text.size() + text.size() / 8;
}

} // namespace

std::u16string respellText(std::u16string_view text, const RespellOptions& options) {
    std::u16string respelled;
    respelled.reserve(expectedLength(text));
    StringOutput out{respelled};
    respellInto(text, options, out);
    return respelled;
}

MappedRespelling respellTextMapped(std::u16string_view text, const RespellOptions& options) {
    MappedRespelling result;
    result.text.reserve(expectedLength(text));
    // Room for a piece every few characters, as in prose dense with numbers and abbreviations,
    // so that the map is seldom moved as it grows.
    result.map.runs.reserve(text.size() / 4 + 1);
    MappedOutput out{result};
    respellInto(text, options, out);
    result.map.outputSize = result.text.size();
    result.map.sourceSize = text.size();
    return result;
}

std::size_t SourceMap::sourceOf(std::size_t position) const {
    if (position >= outputSize)
        return sourceSize;
    const auto after =
        std::upper_bound(runs.begin(), runs.end(), position,
                         [](std::size_t value, const Run& run) { return value < run.output; });
    const Run& run = *(after - 1);
    return run.copied ? run.source + (position - run.output) : run.source;
}

void respellTextStream(const std::function<bool(std::u16string& text)>& more,
                       const RespellOptions& options,
                       const std::function<bool(std::u16string_view piece)>& sink,
                       std::size_t windowUnits) {
    PieceOutput out(sink);
    std::u16string window;
    std::u16string part;
    std::size_t wanted = std::max(windowUnits, 2 * lookaheadMargin);
    bool ended = false;
    while (out.wanted()) {
        while (!ended && window.size() < wanted)
            ended = !more(window);
        if (ended) {
            respellInto(window, options, out);
            break;
        }
        // The first independent line past the middle of the window, far enough from its end
        // that every rule before it read what the whole text holds.
        const std::size_t from = window.size() / 2;
        const std::size_t last = window.size() - lookaheadMargin;
        std::size_t cut = 0;
        part.clear();
        StringOutput partOut{part};
        respellInto(window, options, partOut, [&](const ScanState& s) {
            if (s.position >= from && s.position <= last && startsIndependentLine(s))
                cut = s.position;
            return cut != 0 || s.position > last;
        });
        if (cut == 0) {
            // No place to part the text here: a longer window will hold one, or the whole text.
            wanted = 2 * window.size();
            continue;
        }
        out.append(part);
        window.erase(0, cut);
    }
    out.flush();
}

} // namespace tellwick
