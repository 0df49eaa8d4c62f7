#include "speech/espeak_input.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace tellwick {
namespace {

struct InputCase {
    const char16_t* text;
    const char16_t* expected;
};

TEST(EspeakInput, RespellingsBecomePhonemesAndNothingElseDoes) {
    const InputCase cases[] = {
        {u"I lyyve here", u"I  [[l'aIv]] here"},
        {u"Lyyves.", u" [[l'aIvz]]."},
        {u"(resjoomed)", u"( [[rI2z'ju:md]])"},
        {u"\"reeck'ording\"", u"\" [[rI2k'o@dIN]]\""},
        // Words that only start or end like a respelling are left alone.
        {u"lyyvestock xresjoome resjoom progectile", u"lyyvestock xresjoome resjoom progectile"},
        {u"the reckerd was red", u"the reckerd was red"},
        // A full stop after phonemes would be read "dot" before a lower-case word.
        {u"to resjoome. then", u"to  [[rI2z'ju:m]] then"},
        {u"to resjoome. Then", u"to  [[rI2z'ju:m]]. Then"},
        {u"to resjoome.\r\nthen", u"to  [[rI2z'ju:m]].\r\nthen"},
        // Phoneme input typed by the user is parted, however many brackets there are.
        {u"say [[h@'loU]] now", u"say [ [h@'loU]] now"},
        {u"[[[x", u"[ [ [x"},
        {u"[lyyve]", u"[ [[l'aIv]]]"},
        {u"[\u00ad\u200c[x", u"[ \u00ad\u200c[x"},
        {u"", u""},
    };
    for (const InputCase& c : cases) {
        EXPECT_EQ(espeakInput(QString::fromUtf16(c.text)), QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.text).toStdString();
    }
    // A NUL would end espeak-ng's text early; U+0001 would start an embedded command.
    EXPECT_EQ(espeakInput(QStringView(u"a\0b\x01"
                                      u"0Ac",
                                      7)),
              QStringLiteral("a b 0Ac"));
}

// espeak-ng reports where a sentence starts in its input, in code points; the voice shows it in
// the text it was given.
TEST(EspeakInput, InputPositionsMapBackToTheText) {
    const struct {
        const char* name;
        const char16_t* text;
        qsizetype inputCodePoint;
        qsizetype textPosition;
    } rows[] = {
        {"unchanged text", u"Hello there. Now", 13, 13},
        {"within phonemes: the word they replace", u"I lyyve here", 5, 2},
        {"after phonemes", u"I lyyve here", 13, 8},
        {"after phonemes that took a full stop", u"to resjoome. then", 18, 13},
        {"after two sets of phonemes", u"lyyve, resjoome. Now", 28, 17},
        {"after a parted bracket", u"[[x. Next", 6, 5},
        {"after a character outside the BMP", u"\U0001D11E Now", 2, 3},
        {"past the end", u"abc", 7, 3},
    };
    for (const auto& row : rows) {
        const QString text = QString::fromUtf16(row.text);
        EXPECT_EQ(mappedEspeakInput(text, 0, text.size()).textPositionOf(row.inputCodePoint),
                  row.textPosition)
            << row.name;
        // A piece of a longer text counts its positions from the piece's start.
        const QString longer = QStringLiteral("Before. ") + text;
        EXPECT_EQ(mappedEspeakInput(longer, 8, longer.size()).textPositionOf(row.inputCodePoint),
                  row.textPosition)
            << row.name << " as a piece";
    }
}

QString espeakReading(const QString& input) {
    QProcess espeak;
    espeak.start(QStringLiteral("espeak-ng"), {QStringLiteral("-q"), QStringLiteral("-x"), input});
    if (!espeak.waitForFinished(10000))
        return QStringLiteral("espeak-ng did not run");
    return QString::fromUtf8(espeak.readAllStandardOutput()).trimmed();
}

// Brackets the user wrote are read as brackets, even with characters between them that espeak-ng
// drops before it looks for phoneme input.
TEST(EspeakInput, EspeakNgNeverTakesTheUsersBracketsAsPhonemes) {
    const char16_t* const between[] = {u"", u"\u00ad", u"\u200c", u"\u00ad\u200c\u00ad"};
    for (const char16_t* invisible : between) {
        const QString text = QStringLiteral("say [") + QString::fromUtf16(invisible) +
                             QStringLiteral("[h'@loU]] now");
        EXPECT_FALSE(espeakReading(espeakInput(text)).contains(QStringLiteral("h'@loU")))
            << espeakInput(text).toStdString();
    }
}

struct ReadingCase {
    const char* respelling;
    const char* reading; // as espeak-ng -x prints it
};

// espeak-ng's own reading of each respelling that the rewriter can emit, once turned into its
// input: the intended pronunciation, where espeak-ng reads the plain respelling wrongly.
TEST(EspeakInput, EspeakNgReadsEveryRespellingAsIntended) {
    const ReadingCase cases[] = {
        {"lyyve", "l'aIv"},
        {"lyyves", "l'aIvz"},
        {"lyyven", "l'aIv@n"},
        {"lyyvens", "l'aIv@nz"},
        {"lyyvely", "l'aIvlI"},
        {"lyyvelier", "l'aIvlI;3"},
        {"lyyveliest", "l'aIvlI;I2st"},
        {"lyyveliness", "l'aIvlIn@s"},
        {"lyyveness", "l'aIvn@s"},
        {"lyyvened", "l'aIv@nd"},
        {"lyyvening", "l'aIv@nIN"},
        {"lyyvewire", "l'aIvwaI@"},
        {"lyyvewires", "l'aIvwaI@z"},
        {"lyvstream", "l'aIvstri:m"},
        {"lyvstreams", "l'aIvstri:mz"},
        {"lyvstreamed", "l'aIvstri:md"},
        {"lyvstreaming", "l'aIvstri:mIN"},
        {"lyvstreamer", "l'aIvstri:m3"},
        {"lyvstreamers", "l'aIvstri:m3z"},
        {"myynyoot", "maInj'u:t"},
        {"myynyoots", "maInj'u:ts"},
        {"myynyootly", "maInj'u:tlI"},
        {"myynyootness", "maInj'u:tn@s"},
        {"myynyootr", "maInj'u:t3"},
        {"myynyootst", "maInj'u:tIst"},
        {"progect", "pr@dZ'Ekt"},
        {"progects", "pr@dZ'Ekts"},
        {"progected", "pr@dZ'EktId"},
        {"progecting", "pr@dZ'EktIN"},
        {"progection", "pr@dZ'EkS@n"},
        {"progections", "pr@dZ'EkS@nz"},
        {"progector", "pr@dZ'Ekt3"},
        {"progectors", "pr@dZ'Ekt3z"},
        {"reeck'ord", "rI2k'o@d"},
        {"reeck'ords", "rI2k'o@dz"},
        {"reeck'orded", "rI2k'o@dId"},
        {"reeck'ording", "rI2k'o@dIN"},
        {"reeck'ordings", "rI2k'o@dINz"},
        {"reeck'order", "rI2k'o@d3"},
        {"reeck'orders", "rI2k'o@d3z"},
        {"resjoome", "rI2zj'u:m"},
        {"resjoomes", "rI2zj'u:mz"},
        {"resjoomed", "rI2zj'u:md"},
        {"resjooming", "rI2zj'u:mIN"},
        {"resjoomable", "rI2zj'u:m@b@L"},
        {"resjoomption", "rI2z'VmpS@n"},
        {"resjoomptions", "rI2z'VmpS@nz"},
        {"anelgesic", ",an@ldZ'i:zIk"},
        {"anelgesics", ",an@ldZ'i:zIks"},
        {"espionarge", "'EspI;@nA:Z"},
        {"kyynder", "k'aInd3"},
        {"ellaye", ",El'eI"},
        {"lateena", "lat'i:n@"},
        {"lateenas", "lat'i:n@z"},
        {"mahharl", "m@h'A:l"},
        {"ouut", "'aUt"},
        {"phil'istyyne", "f'IlIstaIn"},
        {"phil'istyynes", "f'IlIstaInz"},
        {"shhon", "S'0n"},
        {"speechif'i'ing", "sp'i:tSIfaIIN"},
        // Read well as they stand, so left to espeak-ng.
        {"liv", "l'Iv"},
        {"led", "l'Ed"},
        {"learnd", "l'3:nd"},
        {"reckerd", "r'Ek3:d"},
        {"reed", "r'i:d"},
        {"red", "r'Ed"},
        {"sew", "s'oU"},
        {"wowned", "w'aUnd"},
        {"brybary", "br'aIb@ri"},
        {"harten", "h'A@t@n"},
        {"livver", "l'Iv3"},
        {"presennt", "prIz'Ent"},
        {"el kyda", ",El k'aId@"},
    };
    for (const ReadingCase& c : cases) {
        EXPECT_EQ(espeakReading(espeakInput(QString::fromLatin1(c.respelling))).toStdString(),
                  c.reading)
            << c.respelling;
    }
}

} // namespace
} // namespace tellwick
