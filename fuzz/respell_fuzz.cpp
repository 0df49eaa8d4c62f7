#include "pronunciation/normaliser.h"
#include "rewriter/respell.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool holds) {
    if (!holds)
        std::abort();
}

// Every output position maps into the input, and a later position never maps to an earlier place
// than one before it: the highlight and the followed lines walk forward through the input.
void checkMap(const tellwick::SourceMap& map, std::size_t outputSize, std::size_t inputSize) {
    check(map.outputSize == outputSize && map.sourceSize == inputSize);
    check(map.runs.empty() == (outputSize == 0));
    std::size_t reached = 0;
    for (std::size_t i = 0; i < map.runs.size(); ++i) {
        const auto& run = map.runs[i];
        const std::size_t end = i + 1 < map.runs.size() ? map.runs[i + 1].output : outputSize;
        check(run.output < end && run.source >= reached);
        reached = run.copied ? run.source + (end - run.output) - 1 : run.source;
        check(reached < inputSize);
        check(map.sourceOf(end - 1) == reached);
    }
    check(map.sourceOf(outputSize) == inputSize);
}

// The voice's text ends and stays in bounds, and its map leads back into the user's text in order.
void checkSpeakable(const std::u16string& text, const tellwick::RespellOptions& options) {
    const tellwick::MappedRespelling spoken = tellwick::speakableText(text, options);
    // No token's words are longer than about 16 units per unit of the token.
    check(spoken.text.size() <= 16 * text.size() + 64 &&
          spoken.map.outputSize == spoken.text.size());
    std::size_t before = 0;
    for (const tellwick::SourceMap::Run& run : spoken.map.runs) {
        check(run.output >= before && run.output < spoken.text.size() && run.source <= text.size());
        before = run.output;
    }
    (void)tellwick::normalisedTokenLines(text);
}

} // namespace

// Feeds arbitrary UTF-16 to the rewriter: the first byte ticks the two boxes and sets how the
// streamed rewrite is fed, every following pair of bytes is one code unit (little-endian), so lone
// surrogates and control characters come as often as anything else. The whole, mapped and streamed
// rewrites must agree, and the voice's text made of them must hold.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const tellwick::RespellOptions options{.linesAsSpaces = (data[0] & 1) != 0,
                                           .skipBracketed = (data[0] & 2) != 0};
    // From one unit per call up; windows this small are raised to the smallest the rewriter
    // parts a text in, so that most inputs longer than it are parted.
    const std::size_t feedUnits = 1 + (data[0] >> 2);
    const std::size_t windowUnits = data[0] >> 2;
    std::u16string text;
    text.reserve(size / 2);
    for (std::size_t i = 1; i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));

    const std::u16string out = tellwick::respellText(text, options);
    // No piece is wider than " squared ", which replaces a single character.
    check(out.size() <= 9 * text.size());

    const tellwick::MappedRespelling mapped = tellwick::respellTextMapped(text, options);
    check(mapped.text == out);
    checkMap(mapped.map, out.size(), text.size());

    std::size_t fed = 0;
    std::u16string streamed;
    tellwick::respellTextStream(
        [&](std::u16string& window) {
            const std::size_t units = std::min(feedUnits, text.size() - fed);
            window.append(text, fed, units);
            fed += units;
            return fed < text.size();
        },
        options,
        [&](std::u16string_view piece) {
            check(!piece.empty() && piece.size() <= tellwick::respelledPieceUnits);
            streamed.append(piece);
            return true;
        },
        windowUnits);
    check(streamed == out);
    checkSpeakable(text, options);
    return 0;
}
