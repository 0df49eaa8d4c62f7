// The selection reader against a program that holds the clipboard through this program's own
// clipboard, under a real X server: short texts come in one piece, long ones in chunks.
#include "platform/x11_selection_reader.h"

#include "platform/qt_clipboard.h"

#include "support/x_session.h"

#include <cstdlib>

namespace tellwick {
namespace {

const struct {
    const char* role;
    QString text;
} rows[] = {
    {"holder-short", QStringLiteral("Grüße — “quoted” 日本 🙂\r\nline two")},
    // Past the 16 MB one request may carry: the holder sends it in chunks.
    {"holder-long", QStringLiteral("A sentence of a long text, in chunks. ").repeated(450000)},
};

// Holds the row's text on the clipboard until it is ended.
[[noreturn]] void holdText(const QString& text) {
    QApplication& application = helperApplication();
    QtClipboard clipboard;
    if (!clipboard.setText(text))
        std::_Exit(1);
    say("held\n");
    std::_Exit(application.exec());
}

const bool helperRoleRan = [] {
    for (const auto& row : rows)
        if (helperRole() == row.role)
            holdText(row.text);
    return false;
}();

using X11SelectionReader = XSessionTest;

TEST_F(X11SelectionReader, ReadsTheHoldersTextWholeOrNothingWhenNoneHoldsIt) {
    const ClipboardRead nobody = readX11Selection(
        session->displayName(), ClipboardSource::Clipboard, std::chrono::milliseconds(1000));
    EXPECT_EQ(nobody.text, QString());
    EXPECT_EQ(nobody.failure, QString());
    for (const auto& row : rows) {
        QProcess holder;
        session->startHelper(holder, row.role);
        ASSERT_TRUE(XSession::waitForOutput(holder, [](const QByteArray& out) {
            return out.contains("held");
        })) << row.role;
        const ClipboardRead read = readX11Selection(
            session->displayName(), ClipboardSource::Clipboard, std::chrono::milliseconds(1000));
        EXPECT_EQ(read.failure, QString()) << row.role;
        EXPECT_EQ(read.text, row.text) << row.role;
        holder.kill();
        holder.waitForFinished(5000);
    }
}

} // namespace
} // namespace tellwick
