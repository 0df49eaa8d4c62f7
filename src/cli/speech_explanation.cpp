#include "cli/speech_explanation.h"

#include "cli/text_io.h"
#include "pronunciation/homograph_features.h"
#include "pronunciation/homograph_model.h"
#include "pronunciation/homograph_pronunciations.h"
#include "pronunciation/normaliser.h"
#include "speech/homograph_readings.h"

#include <cstdio>

namespace tellwick {

namespace {

std::size_t charactersBefore(std::u16string_view text, std::size_t position) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < position && i < text.size(); ++i)
        characters += (text[i] & 0xFC00) != 0xDC00; // a low surrogate is part of its character
    return characters;
}

} // namespace

std::vector<std::string> homographExplanation(std::u16string_view given,
                                              const RespellOptions& options) {
    const homographs::Model* model = shippedHomographModel();
    if (model == nullptr)
        return {};
    // The words around a homograph are those the voice hears.
    const MappedRespelling spoken = speakableText(given, options);
    const std::u16string_view text = spoken.text;
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        if (!homographs::isHomographWordUnit(text[at])) {
            ++at;
            continue;
        }
        const std::size_t end = homographs::homographWordEnd(text, at);
        if (const auto decision = model->decide(text, at, end)) {
            const homographs::Pronunciation* pronunciation =
                homographs::pronunciationOf(decision->wordid());
            std::string word;
            for (char16_t unit : text.substr(at, end - at))
                word += unit < 0x80 ? char(unit) : '?';
            char margin[32];
            std::snprintf(margin, sizeof margin, "%.2f", decision->margin);
            const std::string how = decision->byGrammar ? "grammar" : margin;
            lines.push_back(word + '\t' +
                            std::to_string(charactersBefore(given, spoken.map.sourceOf(at))) +
                            '\t' + decision->wordid() + '\t' +
                            std::string(pronunciation ? pronunciation->ipa : "?") + '\t' + how);
        }
        at = end;
    }
    return lines;
}

std::vector<std::string> speechExplanation(std::u16string_view given, const RespellOptions& options,
                                           bool homographsByEngine) {
    std::vector<std::string> lines;
    if (!homographsByEngine)
        lines = homographExplanation(given, options);
    for (const std::u16string& line : normalisedTokenLines(given))
        lines.push_back(encodeUtf8(line));
    return lines;
}

} // namespace tellwick
