// A program that holds the clipboard or the selection and never answers (stopped, say) under a
// real X server: the window must go on meanwhile, and give up with a message.
#include "app/window_commands.h"
#include "app/window_main.h"
#include "support/x_session.h"
#include "window_fixture.h"

#include <QElapsedTimer>
#include <QTimer>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace tellwick {
namespace {

// Takes both selections on a connection whose requests nobody ever reads: a holder that hangs.
xcb_connection_t* holdSelectionsAndHang() {
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_window_t window = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, screen->root_visual, 0, nullptr);
    xcb_intern_atom_reply_t* clipboard =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, 9, "CLIPBOARD"), nullptr);
    for (const xcb_atom_t selection : {xcb_atom_t(XCB_ATOM_PRIMARY), clipboard->atom})
        xcb_set_selection_owner(connection, window, selection, XCB_CURRENT_TIME);
    std::free(clipboard);
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    return connection;
}

const struct {
    const char* name;
    void (*press)(MainWindow& window, QStringList& reported);
    int messages; // within five seconds
} actions[] = {
    {"paste", [](MainWindow& window, QStringList&) { window.onPasteClicked(); }, 1},
    {"read-highlighted",
     [](MainWindow& window, QStringList&) { window.onReadHighlightedClicked(); }, 1},
    {"read-empty-box", [](MainWindow& window, QStringList&) { window.onReadClicked(); }, 1},
    // What tellwick read-selection and the global key ask for: its answer, then the message.
    {"read-selection-command",
     [](MainWindow& window, QStringList& reported) {
         runWindowCommand(window, QStringLiteral("read-selection"),
                          [&reported](const QString& answer) { reported.append(answer); });
     },
     2},
};

// For each action: "<name> <messages> <ticks> <ticks before the press returned> <longest gap>",
// the messages reported within five seconds, the ticks of a 20 ms timer the window ran while it
// waited, and the longest time in milliseconds between two ticks (or before the first).
[[noreturn]] void runActionsOnHungHolder() {
    helperApplication();
    QStringList reported;
    setUncaughtSink([&](QWidget*, const QString& message) { reported.append(message); });
    (void)holdSelectionsAndHang();
    WindowServices services = makeWindowServices();
    services.voices = {};
    MainWindow window(std::move(services));
    window.show();
    for (const auto& action : actions) {
        reported.clear();
        int ticks = 0;
        qint64 longestGap = 0;
        QElapsedTimer sinceTick;
        QTimer ticker;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            ++ticks;
            longestGap = std::max(longestGap, sinceTick.restart());
        });
        sinceTick.start();
        ticker.start(20);
        runHandler(&window, [&] { action.press(window, reported); });
        const int ticksAtReturn = ticks;
        waitFor([&] { return !reported.isEmpty(); }, 5000);
        say(QByteArray(action.name) + ' ' + QByteArray::number(reported.size()) + ' ' +
            QByteArray::number(ticks - ticksAtReturn) + ' ' + QByteArray::number(ticksAtReturn) +
            ' ' + QByteArray::number(longestGap) + '\n');
    }
    std::_Exit(0);
}

const bool helperRoleRan = [] {
    if (helperRole() == "hung-holder")
        runActionsOnHungHolder();
    return false;
}();

using HungHolderX11 = XSessionTest;

TEST_F(HungHolderX11, TheWindowGoesOnAndGivesUpWithOneMessage) {
    QProcess helper;
    session->startHelper(helper, "hung-holder");
    ASSERT_TRUE(helper.waitForFinished(30000));
    const QList<QByteArray> lines = helper.readAllStandardOutput().trimmed().split('\n');
    ASSERT_EQ(lines.size(), std::size(actions)) << helper.readAllStandardError().toStdString();
    std::printf("%s\n", lines.join(" | ").constData());
    for (std::size_t i = 0; i < std::size(actions); ++i) {
        const QList<QByteArray> fields = lines[static_cast<qsizetype>(i)].split(' ');
        ASSERT_EQ(fields.size(), 5) << actions[i].name;
        EXPECT_EQ(fields[0], actions[i].name);
        EXPECT_EQ(fields[1].toInt(), actions[i].messages)
            << actions[i].name << ": messages within five seconds";
        EXPECT_GT(fields[2].toInt(), 5) << actions[i].name << ": the window stood still waiting";
        EXPECT_EQ(fields[3], "0") << actions[i].name << ": the press held up the window";
    }
}

} // namespace
} // namespace tellwick
