#include "reader/highlighted_text.h"

#include "support/fake_clipboard.h"

#include <gtest/gtest.h>

namespace tellwick {
namespace {

// A highlighted text goes to the clipboard as it stands; with nothing highlighted the clipboard
// stays as it was.
TEST(CaptureHighlighted, TakesThePrimarySelectionOnly) {
    const struct {
        const char* name;
        std::optional<QString> selection;
        std::optional<QString> captured;
        QString clipboardAfter;
    } rows[] = {
        {"highlighted", QStringLiteral("high\r\nlighted"), QStringLiteral("high\r\nlighted"),
         QStringLiteral("high\r\nlighted")},
        {"nothing highlighted", QString(), std::nullopt, QStringLiteral("earlier")},
        {"no selection in this session", std::nullopt, std::nullopt, QStringLiteral("earlier")},
    };
    for (const auto& row : rows) {
        FakeClipboard clipboard(QStringLiteral("earlier"));
        EXPECT_EQ(keepHighlighted(row.selection, clipboard), row.captured) << row.name;
        EXPECT_EQ(clipboard.content, row.clipboardAfter) << row.name;
    }
}

} // namespace
} // namespace tellwick
