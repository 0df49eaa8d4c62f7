#include "speech/opening_words.h"

#include <QString>

#include <gtest/gtest.h>

namespace tellwick {
namespace {

TEST(OpeningWords, TheFirstPartEndsAfterAClauseOrTheWordsAllowedAndNeverLeavesNothing) {
    const struct {
        const char* name;
        const char* text;
        qsizetype start;
        const char* said; // the first part said apart
    } rows[] = {
        {"the words allowed", "When the old ferry pulled away.", 0, "When the old ferry"},
        {"a clause among them", "Yes, the old ferry pulled away.", 0, "Yes,"},
        {"a clause after them", "When the old grey ferry, late, left.", 0, "When the old grey"},
        {"a dash closes a clause", "Wait\u2014 the ferry pulled away.", 0, "Wait\u2014"},
        {"from a sentence within the text", "Go. When the old ferry left.", 4,
         "When the old ferry"},
        {"nothing but a mark after them", "When the old ferry ...", 0, "When the old ferry ..."},
        {"too short to part", "The ferry left.", 0, "The ferry left."},
    };
    for (const auto& row : rows) {
        const QString text = QString::fromUtf8(row.text);
        const qsizetype end = openingPartEnd(text, row.start, text.size(), 4);
        EXPECT_EQ(text.mid(row.start, end - row.start), QString::fromUtf8(row.said)) << row.name;
    }
}

} // namespace
} // namespace tellwick
