#include "rewriter/respell.h"

#include "rewriter/general_rules.h"
#include "rewriter/scan_state.h"
#include "rewriter/text.h"
#include "rewriter/word_rules.h"

namespace tellwick {

namespace {

using rewriter::ScanState;

// Runs the cascade for the current position; returns with the piece chosen (or none).
void runCascade(ScanState& s) {
    if (rewriter::runRulesBeforeLetterGroups(s))
        return;
    // Every rule from here on needs a LstCh that is no ASCII letter: the letter groups and the
    // "is." blocks start words, and the number rule follows a line feed.
    if (!s.atWordStart())
        return;
    if (text::lowerCase(s.Ch) == rewriter::groupA.letter) {
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

struct MappedOutput {
    MappedRespelling& result;
    void copy(char16_t ch, std::size_t from) {
        result.text.push_back(ch);
        result.sources.push_back(from);
    }
    void replace(std::u16string_view piece, std::size_t from) {
        result.text.append(piece);
        result.sources.insert(result.sources.end(), piece.size(), from);
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

private:
    const std::function<bool(std::u16string_view)>& sink_;
    std::u16string buffer_;
    bool wanted_ = true;
};

// Characters consumed by a skip never reach LWd or LstCh: only Ch does.
template <class Output> void runTail(ScanState& s, Output& out, std::size_t from) {
    const char16_t ch = s.Ch;
    if (ch != u'\n' && s.LstCh < u'A')
        s.LWd.clear();
    if (ch != u'\n' && ch != u'\r')
        s.appendToLWd(ch);
    if (s.piece.empty())
        out.copy(ch, from);
    else
        out.replace(s.piece.view(), from);
    s.piece.clear();
    s.LstCh = ch;
    s.Pos += 1;
}

template <class Output>
void respellInto(std::u16string_view Txt, const RespellOptions& options, Output& out) {
    ScanState s(Txt, options);
    while (s.Pos < Txt.size() && out.wanted()) {
        const std::size_t from = s.Pos;
        s.Ch = Txt[s.Pos];
        runCascade(s);
        runTail(s, out, from);
    }
}

// Most pieces are no longer than what they replace; an eighth more covers typical growth.
std::size_t expectedLength(std::u16string_view Txt) {
    return Txt.size() + Txt.size() / 8;
}

} // namespace

std::u16string RespellText(std::u16string_view Txt, const RespellOptions& options) {
    std::u16string OutTxt;
    OutTxt.reserve(expectedLength(Txt));
    StringOutput out{OutTxt};
    respellInto(Txt, options, out);
    return OutTxt;
}

MappedRespelling RespellTextMapped(std::u16string_view Txt, const RespellOptions& options) {
    MappedRespelling result;
    result.text.reserve(expectedLength(Txt));
    result.sources.reserve(expectedLength(Txt));
    MappedOutput out{result};
    respellInto(Txt, options, out);
    return result;
}

void RespellTextInPieces(std::u16string_view Txt, const RespellOptions& options,
                         const std::function<bool(std::u16string_view piece)>& sink) {
    PieceOutput out(sink);
    respellInto(Txt, options, out);
    out.flush();
}

} // namespace tellwick
