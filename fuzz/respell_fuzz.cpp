#include "rewriter/respell.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

// Feeds arbitrary UTF-16 to the rewriter: the first byte ticks the two boxes, every following
// pair of bytes is one code unit (little-endian), so lone surrogates and control characters come
// as often as anything else.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const tellwick::RespellOptions options{.linesAsSpaces = (data[0] & 1) != 0,
                                           .skipBracketed = (data[0] & 2) != 0};
    std::u16string text;
    text.reserve(size / 2);
    for (std::size_t i = 1; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));

    const std::u16string out = tellwick::respellText(text, options);
    // No piece is wider than " squared ", which replaces a single character.
    if (out.size() > 9 * text.size())
        std::abort();
    return 0;
}
