#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tellwick {

// The two check boxes of the window that steer the rewriter. Both start ticked.
struct RespellOptions {
    bool linesAsSpaces = true; // carriage returns and line feeds are read as spaces
    bool skipBracketed = true; // text within square brackets is left out
};

// Rewrites text so that a speech voice pronounces it better. One left-to-right scan over the
// UTF-16 code units of text; linear in its length; cannot fail.
std::u16string respellText(std::u16string_view text, const RespellOptions& options = {});

// Where each code unit of a rewritten text came from in the text that was rewritten.
struct SourceMap {
    // A stretch of the output from `output` on: either copied unit for unit from `source` on, or
    // a piece that replaced what starts at `source`.
    struct Run {
        std::size_t output;
        std::size_t source : 63;
        std::size_t copied : 1;
    };
    std::vector<Run> runs; // in output order
    std::size_t outputSize = 0;
    std::size_t sourceSize = 0;

    // The position in the input of the character that the output unit at position was copied
    // from; every unit of a piece maps to the start of what the piece replaced. A position at or
    // past the output's end maps to the input's end.
    std::size_t sourceOf(std::size_t position) const;
};

struct MappedRespelling {
    std::u16string text;
    SourceMap map;
};
// The same output as respellText, with its map back to text.
MappedRespelling respellTextMapped(std::u16string_view text, const RespellOptions& options = {});

// No piece handed to a sink below is longer than this.
inline constexpr std::size_t respelledPieceUnits = std::size_t(1) << 16;

// The same output as respellText, for a text too large to hold at once: more appends the next
// part of the text to its argument and answers false once the text has ended. The text is
// rewritten a window of about windowUnits code units at a time, parted only where what follows is
// rewritten exactly as in the whole (a text that has no such place is held whole). The output goes
// to sink in consecutive pieces of at most respelledPieceUnits as the scan goes; when sink answers
// false the rewriting stops there.
void respellTextStream(const std::function<bool(std::u16string& text)>& more,
                       const RespellOptions& options,
                       const std::function<bool(std::u16string_view piece)>& sink,
                       std::size_t windowUnits = std::size_t(1) << 20);

} // namespace tellwick
