// The text box's paste gestures under a real X server, where a paste asks the program that owns
// the clipboard or the selection: with no owner at all (the program that copied has closed), and
// with one.
#include "app/input_box.h"
#include "platform/qt_clipboard.h"

#include "support/x_session.h"
#include "window_fixture.h"

#include <QClipboard>
#include <QMenu>
#include <QTest>

#include <cstdlib>

namespace tellwick {
namespace {

using Gesture = void (*)(InputBox&);

const struct {
    const char* name;
    Gesture gesture;
} gestures[] = {
    {"ctrl-v", [](InputBox& box) { QTest::keyClick(&box, Qt::Key_V, Qt::ControlModifier); }},
    {"shift-insert",
     [](InputBox& box) { QTest::keyClick(&box, Qt::Key_Insert, Qt::ShiftModifier); }},
    {"middle-click",
     [](InputBox& box) {
         QTest::mouseClick(box.viewport(), Qt::MiddleButton, {}, {5, 5});
     }},
    {"menu-paste",
     [](InputBox& box) {
         QMenu* menu = box.createContextMenu({5, 5});
         if (auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste")))
             paste->trigger();
         delete menu;
     }},
};

// Reports, for each gesture, what it put into an empty box: first with no owner, then with this
// program owning the clipboard ("copied") and the selection ("highlighted").
[[noreturn]] void runPasteGestures() {
    helperApplication();
    QtClipboard clipboard;
    InputBox box(&clipboard);
    box.show();
    box.activateWindow();
    waitFor([&] { return box.isActiveWindow(); }, 5000);
    for (const char* owner : {"none", "ours"}) {
        if (owner == std::string_view("ours")) {
            QGuiApplication::clipboard()->setText(QStringLiteral("copied"), QClipboard::Clipboard);
            QGuiApplication::clipboard()->setText(QStringLiteral("highlighted"),
                                                  QClipboard::Selection);
        }
        for (const auto& row : gestures) {
            box.clear();
            row.gesture(box);
            say(QByteArray(owner) + ' ' + row.name + ':' + box.toPlainText().toUtf8() + '\n');
        }
    }
    std::_Exit(0);
}

const bool pasteGesturesRan = [] {
    if (helperRole() == "paste-gestures")
        runPasteGestures();
    return false;
}();

using PasteGesturesX11 = XSessionTest;

TEST_F(PasteGesturesX11, PasteWithAndWithoutAnOwnerInsertsPlainTextAndNeverCrashes) {
    QProcess helper;
    session->startHelper(helper, "paste-gestures");
    ASSERT_TRUE(helper.waitForFinished(30000));
    EXPECT_EQ(helper.exitStatus(), QProcess::NormalExit) << "the box crashed";
    EXPECT_EQ(QString::fromUtf8(helper.readAllStandardOutput()),
              QStringLiteral("none ctrl-v:\nnone shift-insert:\nnone middle-click:\n"
                             "none menu-paste:\nours ctrl-v:copied\nours shift-insert:copied\n"
                             "ours middle-click:highlighted\nours menu-paste:copied\n"));
}

} // namespace
} // namespace tellwick
