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

// Characters consumed by a skip never reach LWd or LstCh: only Ch does.
void runTail(ScanState& s, std::u16string& OutTxt) {
    const char16_t ch = s.Ch;
    if (ch != u'\n' && s.LstCh < u'A')
        s.LWd.clear();
    if (ch != u'\n' && ch != u'\r')
        s.appendToLWd(ch);
    if (s.piece.empty())
        OutTxt.push_back(ch);
    else
        OutTxt.append(s.piece.view());
    s.piece.clear();
    s.LstCh = ch;
    s.Pos += 1;
}

} // namespace

std::u16string RespellText(std::u16string_view Txt, const RespellOptions& options) {
    ScanState s(Txt, options);
    std::u16string OutTxt;
    // Most pieces are no longer than what they replace; an eighth more covers typical growth.
    OutTxt.reserve(Txt.size() + Txt.size() / 8);
    while (s.Pos < Txt.size()) {
        s.Ch = Txt[s.Pos];
        runCascade(s);
        runTail(s, OutTxt);
    }
    return OutTxt;
}

} // namespace tellwick
