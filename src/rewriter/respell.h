#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tellwick {

// The two check boxes of the window that steer the rewriter. Both start ticked.
struct RespellOptions {
    bool chkCrPause = true; // ticked: carriage returns and line feeds are read as spaces
    bool chkSqBr = true;    // ticked: text within square brackets is left out
};

// Rewrites text so that a speech voice pronounces it better. One left-to-right scan over the
// UTF-16 code units of Txt; linear in its length; cannot fail.
std::u16string RespellText(std::u16string_view Txt, const RespellOptions& options = {});

// The rewritten text together with where each of its code units came from.
struct MappedRespelling {
    std::u16string text;
    // One entry per code unit of text: the position in Txt of the character it was copied from.
    // Every unit of a piece that replaces some of Txt maps to the start of what it replaced.
    std::vector<std::size_t> sources;
};
// The same output as RespellText, with its map back to Txt.
MappedRespelling RespellTextMapped(std::u16string_view Txt, const RespellOptions& options = {});

// The same output as RespellText, handed to sink in consecutive pieces of at most
// respelledPieceUnits code units as the scan goes, so that the whole output is never held at
// once. When sink answers false the rewriting stops there.
inline constexpr std::size_t respelledPieceUnits = std::size_t(1) << 16;
void RespellTextInPieces(std::u16string_view Txt, const RespellOptions& options,
                         const std::function<bool(std::u16string_view piece)>& sink);

// The same output again, for a text too large to hold at once: more appends the next part of the
// text to its argument and answers false once the text has ended. The text is rewritten a window
// of about windowUnits code units at a time, parted only where what follows is rewritten exactly
// as in the whole (a text that has no such place is held whole), and the output is handed to sink
// as RespellTextInPieces does.
void RespellTextStream(const std::function<bool(std::u16string& text)>& more,
                       const RespellOptions& options,
                       const std::function<bool(std::u16string_view piece)>& sink,
                       std::size_t windowUnits = std::size_t(1) << 20);

} // namespace tellwick
