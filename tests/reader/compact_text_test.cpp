#include "reader/compact_text.h"

#include <gtest/gtest.h>

namespace tellwick {
namespace {

constexpr qsizetype chunk = CompactText::chunkLength;

QString prose(qsizetype length) {
    return QStringLiteral("The river ran quietly under the old bridge.\u2029")
        .repeated(length / 40 + 1)
        .left(length);
}

// Each edit done the same to a compact text and to a plain string, which it must then equal
// everywhere: whole, in stretches across its chunks' edges, and unit by unit.
TEST(CompactText, EditsReadBackAsAPlainStringEdited) {
    const QString euro = QStringLiteral("\u20AC");
    const QString smile = QStringLiteral("\U0001F600");
    const struct {
        const char* what;
        QString text;
        qsizetype position;
        qsizetype removed;
        QString added;
        int times;
    } rows[] = {
        {"into nothing", {}, 0, 0, QStringLiteral("caf\u00E9"), 1},
        {"at the start", prose(3 * chunk), 0, 0, QStringLiteral("Once. "), 1},
        {"at the end", prose(3 * chunk), 3 * chunk, 0, QStringLiteral(" The end."), 1},
        {"on a chunk's edge", prose(4 * chunk), chunk, 0, euro, 1},
        {"across a chunk's edge", prose(4 * chunk), chunk - 10, 20, smile, 1},
        {"over whole chunks", prose(5 * chunk), 100, 3 * chunk, QStringLiteral("x"), 1},
        {"all of it", prose(2 * chunk), 0, 2 * chunk, {}, 1},
        {"a book into the middle", prose(chunk + 7), chunk / 2, 0, prose(3 * chunk) + euro, 1},
        {"bit by bit past a chunk's length", prose(chunk), 5, 0, euro.repeated(400), 200},
        {"bit by bit taken away", prose(3 * chunk), chunk - 100, 500, {}, 200},
        {"a line feed, which bytes cannot hold", prose(2 * chunk), 10, 0, QStringLiteral("\n"), 1},
        {"typographic quotes and dashes, kept in bytes", prose(2 * chunk), chunk - 2, 0,
         QStringLiteral("\u2018a\u2019 \u201Cb\u201D \u2013 \u2014 \u2026 \u0153"), 1},
        {"control characters that bytes keep for marks", prose(2 * chunk), 10, 0,
         QStringLiteral("\u0080\u0081\u009F"), 1},
        {"a surrogate pair split by the edit", prose(chunk) + smile + prose(chunk), chunk + 1, 0,
         QStringLiteral("a"), 1},
    };
    for (const auto& row : rows) {
        CompactText compact(row.text);
        QString plain = row.text;
        for (int time = 0; time < row.times; ++time) {
            compact.replace(row.position, row.removed, row.added);
            plain.replace(row.position, row.removed, row.added);
        }
        ASSERT_EQ(compact.size(), plain.size()) << row.what;
        EXPECT_EQ(compact.toString(), plain) << row.what;
        for (const qsizetype from : {qsizetype(0), chunk - 3, row.position, plain.size() / 2}) {
            EXPECT_EQ(compact.mid(from, chunk + 6), plain.mid(from, chunk + 6))
                << row.what << " from " << from;
            EXPECT_EQ(compact.section(from, chunk + 6).toString(), plain.mid(from, chunk + 6))
                << row.what << " from " << from;
        }
        bool same = true;
        for (qsizetype at = 0; at < plain.size() && same; ++at)
            same = compact.at(at) == plain.at(at);
        EXPECT_TRUE(same) << row.what;
    }
}

} // namespace
} // namespace tellwick
