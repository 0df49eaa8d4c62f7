#include "pronunciation/normaliser.h"
#include "rewriter/respell.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// The voice's text ends and stays in bounds, and its map leads back into the user's text in order.
void checkSpeakable(const std::u16string& text, const tellwick::RespellOptions& options) {
    const tellwick::MappedRespelling spoken = tellwick::speakableText(text, options);
    // No token's words are longer than about 16 units per unit of the token.
    if (spoken.text.size() > 16 * text.size() + 64 || spoken.map.outputSize != spoken.text.size())
        std::abort();
    std::size_t before = 0;
    for (const tellwick::SourceMap::Run& run : spoken.map.runs) {
        if (run.output < before || run.output >= spoken.text.size() || run.source > text.size())
            std::abort();
        before = run.output;
    }
    (void)tellwick::normalisedTokenLines(text);
}

} // namespace

// Feeds arbitrary UTF-16 to the rewriter: the first byte ticks the two boxes, every following
// pair of bytes is one code unit (little-endian), so lone surrogates and control characters come
// as often as anything else.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const tellwick::RespellOptions options{.chkCrPause = (data[0] & 1) != 0,
                                           .chkSqBr = (data[0] & 2) != 0};
    std::u16string text;
    text.reserve(size / 2);
    for (std::size_t i = 1; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));

    const std::u16string out = tellwick::RespellText(text, options);
    // No piece is wider than " squared ", which replaces a single character.
    if (out.size() > 9 * text.size())
        std::abort();
    checkSpeakable(text, options);
    return 0;
}
