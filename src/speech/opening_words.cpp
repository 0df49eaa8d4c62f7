#include "speech/opening_words.h"

#include "speech/qt_text.h"

namespace tellwick {

qsizetype openingPartEnd(QStringView text, qsizetype start, qsizetype end, int words) {
    qsizetype at = start;
    qsizetype cut = end;
    for (int word = 0; word < words && at < end; ++word) {
        while (at < end && text[at].isSpace())
            ++at;
        while (at < end && !text[at].isSpace())
            ++at;
        cut = at;
        if (endsClause(text[at - 1]))
            break;
    }
    for (qsizetype i = cut; i < end; ++i) {
        if (text[i].isLetterOrNumber())
            return cut;
    }
    return end;
}

} // namespace tellwick
