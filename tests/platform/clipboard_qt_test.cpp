#include "platform/qt_clipboard.h"

#include "support/test_application.h"

#include <gtest/gtest.h>

namespace tellwick {
namespace {

// The real clipboard on the offscreen platform: what F2 puts there must come back unchanged.
class QtClipboardTest : public testing::TestWithParam<QString> {
protected:
    void SetUp() override { testApplication(); }
    QtClipboard clipboard;
};

TEST_P(QtClipboardTest, TextComesBackUnchanged) {
    ASSERT_TRUE(clipboard.clear());
    EXPECT_EQ(clipboard.text(), QString());
    ASSERT_TRUE(clipboard.setText(GetParam()));
    EXPECT_EQ(clipboard.text(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Texts, QtClipboardTest,
                         testing::Values(QStringLiteral("plain"), QString(),
                                         QStringLiteral("Ünïcødé — “quotes” 日本 🙂"),
                                         QStringLiteral("lines\r\nwith\nbreaks\r")));

} // namespace
} // namespace tellwick
