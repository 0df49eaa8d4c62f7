#include "speech/espeak_input.h"

#include "speech/qt_text.h"
#include "speech/text_chunks.h"

#include <algorithm>
#include <string_view>

namespace tellwick {

namespace {

struct Respelling {
    std::u16string_view word;
    const char* phonemes;
};

// Every respelling that the rewriter emits and espeak-ng misreads (its heteronym readings first),
// with the endings that the rewriter can leave after it (it replaces the start of a word and copies
// the rest), and the intended reading in espeak-ng's phonemes. A test checks each row against
// espeak-ng's own reading. The respellings that espeak-ng reads well ("liv", "led", "learnd",
// "reckerd", "reed", "red", "sew", "wowned") are not listed.
constexpr Respelling respellings[] = {
    {u"lyyve", "l'aIv"},
    {u"lyyves", "l'aIvz"},
    {u"lyyven", "l'aIv@n"},
    {u"lyyvens", "l'aIv@nz"},
    {u"lyyvely", "l'aIvlI"},
    {u"lyyvelier", "l'aIvlI;3"},
    {u"lyyveliest", "l'aIvlI;I2st"},
    {u"lyyveliness", "l'aIvlIn@s"},
    {u"lyyveness", "l'aIvn@s"},
    {u"lyyvened", "l'aIv@nd"},
    {u"lyyvening", "l'aIv@nIN"},
    {u"lyyvewire", "l'aIvwaI@"},
    {u"lyyvewires", "l'aIvwaI@z"},
    {u"lyvstream", "l'aIvstri:m"},
    {u"lyvstreams", "l'aIvstri:mz"},
    {u"lyvstreamed", "l'aIvstri:md"},
    {u"lyvstreaming", "l'aIvstri:mIN"},
    {u"lyvstreamer", "l'aIvstri:m3"},
    {u"lyvstreamers", "l'aIvstri:m3z"},
    {u"myynyoot", "maIn'ju:t"},
    {u"myynyoots", "maIn'ju:ts"},
    {u"myynyootly", "maIn'ju:tlI"},
    {u"myynyootness", "maIn'ju:tn@s"},
    {u"myynyootr", "maIn'ju:t3"},
    {u"myynyootst", "maIn'ju:tIst"},
    {u"progect", "pr@dZ'Ekt"},
    {u"progects", "pr@dZ'Ekts"},
    {u"progected", "pr@dZ'EktId"},
    {u"progecting", "pr@dZ'EktIN"},
    {u"progection", "pr@dZ'EkS@n"},
    {u"progections", "pr@dZ'EkS@nz"},
    {u"progector", "pr@dZ'Ekt3"},
    {u"progectors", "pr@dZ'Ekt3z"},
    {u"reeck'ord", "rI2k'o@d"},
    {u"reeck'ords", "rI2k'o@dz"},
    {u"reeck'orded", "rI2k'o@dId"},
    {u"reeck'ording", "rI2k'o@dIN"},
    {u"reeck'ordings", "rI2k'o@dINz"},
    {u"reeck'order", "rI2k'o@d3"},
    {u"reeck'orders", "rI2k'o@d3z"},
    {u"resjoome", "rI2z'ju:m"},
    {u"resjoomes", "rI2z'ju:mz"},
    {u"resjoomed", "rI2z'ju:md"},
    {u"resjooming", "rI2z'ju:mIN"},
    {u"resjoomable", "rI2z'ju:m@b@L"},
    {u"resjoomption", "rI2z'VmpS@n"},
    {u"resjoomptions", "rI2z'VmpS@nz"},
    // Respellings of the word rules that espeak-ng misreads as well.
    {u"anelgesic", ",an@ldZ'i:zIk"},
    {u"anelgesics", ",an@ldZ'i:zIks"},
    {u"espionarge", "'EspI@nA:Z"},
    {u"kyynder", "k'aInd3"},
    {u"ellaye", ",El'eI"},
    {u"lateena", "lat'i:n@"},
    {u"lateenas", "lat'i:n@z"},
    {u"mahharl", "m@h'A:l"},
    {u"ouut", "'aUt"},
    {u"phil'istyyne", "f'IlIstaIn"},
    {u"phil'istyynes", "f'IlIstaInz"},
    {u"shhon", "S'0n"},
    {u"speechif'i'ing", "sp'i:tSIfaIIN"},
};

qsizetype wordEnd(QStringView text, qsizetype start) {
    qsizetype end = start;
    while (end < text.size() && isWordCharacter(text, end))
        ++end;
    return end;
}

const Respelling* findRespelling(QStringView word) {
    for (const Respelling& respelling : respellings) {
        if (word.size() == static_cast<qsizetype>(respelling.word.size()) &&
            word.compare(QStringView(respelling.word), Qt::CaseInsensitive) == 0)
            return &respelling;
    }
    return nullptr;
}

// espeak-ng drops these invisible characters before it looks for "[[", so a "[", a soft hyphen
// and a "[" would still open phoneme input.
bool isDroppedByEspeak(QChar c) {
    return c == QChar(0x00AD) || c == QChar(0x200C);
}

bool opensPhonemeInput(QStringView text, qsizetype bracket) {
    if (text[bracket] != u'[')
        return false;
    qsizetype next = bracket + 1;
    while (next < text.size() && isDroppedByEspeak(text[next]))
        ++next;
    return next < text.size() && text[next] == u'[';
}

// espeak-ng reads a full stop after phoneme input as "dot" when a lower-case word follows on the
// same line; the same text without phonemes reads it as no stop at all, so the stop is dropped.
bool isStopReadAsDot(QStringView text, qsizetype at) {
    if (at >= text.size() || text[at] != u'.')
        return false;
    qsizetype next = at + 1;
    while (next < text.size() && (text[next] == u' ' || text[next] == u'\t'))
        ++next;
    return next > at + 1 && next < text.size() && text[next].isLower();
}

} // namespace

QString espeakInput(QStringView text, const HomographReadings& readings) {
    return mappedEspeakInput(text, 0, text.size(), readings).input;
}

QString espeakInput(QStringView text, qsizetype from, qsizetype to,
                    const HomographReadings& readings) {
    return mappedEspeakInput(text, from, to, readings).input;
}

MappedEspeakInput mappedEspeakInput(QStringView whole, qsizetype from, qsizetype to,
                                    const HomographReadings& readings) {
    const QStringView text = whole.left(to);
    MappedEspeakInput mapped;
    QString& out = mapped.input;
    out.reserve(to - from + (to - from) / 8);
    // Each step of the loop turns text from `stepFrom` on into input from `inputFrom` on; a step
    // whose input is not as long as its text is a replacement. Every step is checked the same way,
    // so that whatever a step writes is mapped without the step knowing of it.
    qsizetype stepFrom = from;
    qsizetype inputFrom = 0;
    const auto endStep = [&](qsizetype stepTo) {
        if (out.size() - inputFrom != stepTo - stepFrom)
            mapped.replacements.push_back({inputFrom, out.size(), stepFrom - from, stepTo - from});
        stepFrom = stepTo;
        inputFrom = out.size();
    };
    for (qsizetype i = from; i < to; endStep(i)) {
        if (text[i].isLetter()) {
            const qsizetype end = wordEnd(text, i);
            const QStringView word = text.mid(i, end - i);
            const Respelling* respelling = findRespelling(word);
            const std::string phonemes = respelling != nullptr
                                             ? std::string(respelling->phonemes)
                                             : homographPhonemes(whole, i, end, readings);
            if (!phonemes.empty()) {
                // A space keeps "[[" from being glued to a quote or bracket, which silences it.
                out += QLatin1String(" [[");
                out += QLatin1String(phonemes.data(), qsizetype(phonemes.size()));
                out += QLatin1String("]]");
                i = end;
                if (isStopReadAsDot(text, i))
                    ++i;
            } else {
                out += word;
                i = end;
            }
            continue;
        }
        // A NUL would end espeak-ng's text early, and U+0001 starts one of its embedded commands
        // (loudness, speed, voice), which would let the text silence the rest of the reading.
        out += text[i].unicode() <= 1 ? QChar(u' ') : text[i];
        // A second "[" after one would open phoneme input.
        if (opensPhonemeInput(text, i))
            out += u' ';
        ++i;
    }
    return mapped;
}

qsizetype MappedEspeakInput::textPositionOf(qsizetype inputCodePoint) const {
    const qsizetype at = utf16IndexOfCodePoint(input, inputCodePoint);
    const auto after = std::upper_bound(
        replacements.begin(), replacements.end(), at,
        [](qsizetype position, const Replacement& r) { return position < r.inputStart; });
    if (after == replacements.begin())
        return at;
    const Replacement& last = *(after - 1);
    if (at < last.inputEnd)
        return last.textStart;
    return last.textEnd + (at - last.inputEnd);
}

} // namespace tellwick
