#pragma once

#include <QStringView>

namespace tellwick {

// The phonemes (espeak-ng's phoneme input) of the heteronym text[start, end), decided from the
// words around it in the same clause, or null where espeak-ng's own reading stands: the word is
// not one of the heteronyms that the rewriter copies, no row of its table holds, or the tables
// are switched off. The text holds the word's surroundings; what lies past its end is unknown.
const char* heteronymPhonemes(QStringView text, qsizetype start, qsizetype end);

// The tables are on unless switched off, for the whole process (to hear espeak-ng's own readings
// for comparison).
void setHeteronymTablesEnabled(bool enabled);

} // namespace tellwick
